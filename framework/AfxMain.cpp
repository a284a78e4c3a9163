#include "framework/CWinApp.h"

// The program entry. It must be linked as an object of the program itself: the C runtime's
// startup refers to WinMain only after the program's libraries have been searched.
int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, LPSTR /*lpCmdLine*/, int /*nShowCmd*/)
{
    return AfxWinMain(hInstance);
}

#include <cstdlib>

#include "framework/CWinApp.h"

// The program entry. It must be linked as an object of the program itself: the C runtime's
// startup refers to WinMain only after the program's libraries have been searched.
int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, LPSTR /*lpCmdLine*/, int /*nShowCmd*/)
{
    return AfxWinMain(hInstance);
}

// libstdc++'s default terminate handler prints the demangled type of an uncaught exception to
// stderr before it aborts, and so links the whole C++ demangler (about 50 KB) into the program.
// A GUI program has no stderr to print to; aborting is all that handler can do here.
namespace __gnu_cxx
{
void __verbose_terminate_handler()
{
    std::abort();
}
} // namespace __gnu_cxx

// The yardstick of the start-up benchmark: a raw Win32 program that shows one small dialog
// (minimal.rc) with DialogBoxParamA and ends when it closes. Nothing else: no framework, no
// static objects, no spooler. Built with the flags of trelvoset.exe (tools/CMakeLists.txt).
//
// Built with MINIMAL_LOADS_WIZARD_DLLS it is minimal_dlls.exe, which the benchmark reports beside
// it to show what part of the difference in start-up is the system libraries trelvoset.exe needs:
// it also imports the spooler (winspool.drv), the registry (advapi32) and the common controls
// (comctl32), and registers the same common-control classes before its dialog, as trelvoset does.

#include <windows.h>
#ifdef MINIMAL_LOADS_WIZARD_DLLS
#include <commctrl.h>
#include <winspool.h>
#endif

namespace
{

INT_PTR CALLBACK DialogProc(HWND dlg, UINT message, WPARAM wParam, LPARAM)
{
    switch (message)
    {
    case WM_INITDIALOG:
        return TRUE;   // the system sets the focus
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
            ::EndDialog(dlg, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
#ifdef MINIMAL_LOADS_WIZARD_DLLS
    // Referenced, never called: the loader maps and initialises these libraries at start.
    static BOOL(WINAPI* volatile closePrinter)(HANDLE) = ::ClosePrinter;
    static LONG(WINAPI* volatile regCloseKey)(HKEY) = ::RegCloseKey;
    (void)closePrinter;
    (void)regCloseKey;
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);
#endif
    return static_cast<int>(::DialogBoxParamA(instance, MAKEINTRESOURCEA(100), nullptr, DialogProc, 0));
}

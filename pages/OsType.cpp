#include "pages/OsType.h"

namespace
{
// dwPlatformId values of OSVERSIONINFO.
const unsigned long kPlatformWin9x = 1;  // VER_PLATFORM_WIN32_WINDOWS
const unsigned long kPlatformNt = 2;     // VER_PLATFORM_WIN32_NT

int ClassifyWin9x(unsigned long major, unsigned long minor, int current)
{
    if (major != 4)
        return current;
    if (minor == 0)
        return OS_WIN95;
    if (minor == 10 || minor == 90)
        return OS_WIN98;
    return current;
}

int ClassifyNt(unsigned long major, unsigned long minor, int current)
{
    if (major <= 4)
        return OS_NT4;
    if (major == 5)
    {
        switch (minor)
        {
        case 0: return OS_WIN2000;
        case 1: return OS_WINXP;
        case 2: return OS_WIN2003;
        default: return current;
        }
    }
    if (major == 6)
    {
        switch (minor)
        {
        case 0: return OS_VISTA;
        case 1: return OS_WIN7;
        // Without a compatibility manifest every later Windows reports 6.2 and lands here.
        default: return current;
        }
    }
    return current;
}
} // namespace

int ClassifyOs(unsigned long platformId, unsigned long major, unsigned long minor, int current)
{
    if (platformId == kPlatformWin9x)
        return ClassifyWin9x(major, minor, current);
    if (platformId == kPlatformNt)
        return ClassifyNt(major, minor, current);
    // Win32s (0), Windows CE (3) and anything newer are taken for Windows 2000.
    return OS_WIN2000;
}

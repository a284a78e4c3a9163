#pragma once

// OS codes kept in g_nOsType: 0 means not classified; the Select OS page ticks one radio button
// per code, and the installation's second run and the completion message need codes 3 to 8.
enum OsCode
{
    OS_UNKNOWN = 0,
    OS_WIN95 = 1,
    OS_WIN98 = 2,  // also Windows Me (4.90)
    OS_NT4 = 3,    // NT 3.x as well
    OS_WIN2000 = 4,
    OS_WINXP = 5,
    OS_WIN2003 = 6,
    OS_VISTA = 7,  // also Server 2008, which reports the same 6.0
    OS_WIN7 = 8,
};

// Classifies the dwPlatformId, dwMajorVersion and dwMinorVersion that GetVersionEx reports.
// Versions the wizard does not know leave the code as it was, so they return `current`.
int ClassifyOs(unsigned long platformId, unsigned long major, unsigned long minor, int current);

#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/CWnd.h"

// A progress bar. Once its dialog is gone the object has no window, and these do nothing.
class CProgressCtrl : public CWnd
{
public:
    // PBM_SETRANGE: low and high limit in the low and high word.
    void SetRange(short nLower, short nUpper)
    {
        SendMessage(PBM_SETRANGE, 0, MAKELPARAM(nLower, nUpper));
    }
    // PBM_SETPOS; returns the previous position.
    int SetPos(int nPos) { return static_cast<int>(SendMessage(PBM_SETPOS, nPos, 0)); }
};

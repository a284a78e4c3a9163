#pragma once

#include "framework/Afx.h"

// The About box, opened from the "Detail Setting" system menu. Its only button is IDOK, which the
// dialog's own OK handling closes.
class CAboutDlg : public CDialog
{
public:
    CAboutDlg();
};

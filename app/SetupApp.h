#pragma once

#include "framework/Afx.h"

class CDetailSettingDlg;
class CSelectPortDlg;

// The application: runs the wizard's pages as a chain of modal dialogs from InitInstance and then
// lets the program end. There is no main window and no message loop of its own.
class CSetupApp : public CWinApp
{
public:
    CSetupApp() = default;

    // Runs the page loop; always FALSE, so the program ends when the loop does.
    BOOL InitInstance() override;
};

extern CSetupApp theApp;

// State that ties the pages and the installation together.
extern int g_nOsType;                         // OS code of the running Windows, 0 = unknown
extern CString g_strPortName;                 // port the printer is installed on
extern CDetailSettingDlg* g_pDetailDlg;       // the open "Detail Setting" page
extern CSelectPortDlg* g_pSelectPortDlg;      // the newest "Select Port" page

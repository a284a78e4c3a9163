#include "app/SetupApp.h"

#include "pages/DetailSettingDlg.h"
#include "pages/SelectOsDlg.h"

// theApp is constructed before g_strPortName: both are defined here, in this order.
CSetupApp theApp;
CString g_strPortName;

int g_nOsType = 0;
CDetailSettingDlg* g_pDetailDlg = nullptr;
CSelectPortDlg* g_pSelectPortDlg = nullptr;

BOOL CSetupApp::InitInstance()
{
    AfxEnableControlContainer();
    Enable3dControlsStatic();

    // One "Select OS" object serves every showing; each visit to "Detail Setting" gets a fresh one,
    // so it starts from its defaults. Back on "Detail Setting" (IDCANCEL) is the only way back.
    CSelectOsDlg selectOs;
    while (selectOs.DoModal() == IDOK)
    {
        CDetailSettingDlg detail;
        if (detail.DoModal() != IDCANCEL)
            break;
    }
    return FALSE;
}

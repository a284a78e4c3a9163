#include "pages/DetailSettingDlg.h"

#include "app/SetupApp.h"
#include "pages/SelectPortDlg.h"

void CDetailSettingDlg::InstallDriver()
{
    g_strPortName = g_pSelectPortDlg->m_strPort;
}

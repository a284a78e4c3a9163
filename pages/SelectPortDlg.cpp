#include "pages/SelectPortDlg.h"

#include "res/resource.h"

CSelectPortDlg::CSelectPortDlg(CWnd* pParent) : CDialog(IDD_SELECT_PORT, pParent)
{
}

void CSelectPortDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROGRESS, m_progress);
    DDX_Control(pDX, IDC_PORT_LISTVIEW, m_listPorts);
}

BOOL CSelectPortDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_progress.SetRange(0, 100);
    m_progress.SetPos(0);
    return TRUE;
}

void CSelectPortDlg::OnCancel()
{
    CDialog::OnCancel();
}

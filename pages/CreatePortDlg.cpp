#include "pages/CreatePortDlg.h"

#include <cstddef>
#include <string>

#include "pages/SpoolerList.h"
#include "res/ProgramTexts.h"
#include "res/resource.h"

CCreatePortDlg::CCreatePortDlg(CWnd* pParent) : CDialog(IDD_CREATE_PORT, pParent)
{
}

const AFX_MSGMAP* CCreatePortDlg::GetMessageMap() const
{
    // Enter (IDOK) and Esc or the close box (IDCANCEL) are CDialog's.
    static const AFX_MSGMAP_ENTRY entries[] = {
        ON_BN_CLICKED(IDC_NEW_PORT, &CCreatePortDlg::OnNewPort),
        ON_BN_CLICKED(IDC_CLOSE, &CCreatePortDlg::OnClose),
        END_MESSAGE_MAP(),
    };
    static const AFX_MSGMAP map = {CDialog::GetMessageMap(), entries};
    return &map;
}

void CCreatePortDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MONITOR_LIST, m_listMonitors);
}

BOOL CCreatePortDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    const CSpoolerRecords<MONITOR_INFO_1A> monitors = EnumLocalMonitors();

    SetSpoolerListStyle(m_listMonitors);
    // Inserted without a width, then sized by LVM_SETCOLUMNWIDTH; the width differs per language.
    m_listMonitors.InsertColumn(0, g_pszMonitorColumn, LVCFMT_LEFT);
    m_listMonitors.SetColumnWidth(0, g_nMonitorColumnWidth);

    // A record without a name gets no row. Inserting at the record's own index never lands before
    // the end of the list, so the rows keep the spooler's order without gaps.
    for (std::size_t k = 0; k < monitors.GetCount(); ++k)
    {
        const char* pszName = monitors[k].pName;
        if (!pszName)
            continue;
        const CString strName(pszName);
        ::OutputDebugStringA(strName + "\n");
        m_listMonitors.InsertItem(static_cast<int>(k), strName);
    }

    // Does nothing on an empty list.
    SelectRow(m_listMonitors, 0);
    return TRUE;
}

void CCreatePortDlg::OnNewPort()
{
    const int nRow = FindSelectedRow(m_listMonitors);
    if (nRow < 0)
        return;
    // AddPortA takes a writable string; the monitor shows its own dialog, owned by this one, and
    // returns when it closes. A new port shows only in the next EnumPorts, which "Select Port"
    // runs once this dialog has ended.
    std::string strMonitor = m_listMonitors.GetItemText(nRow, 0).Str();
    ::AddPortA(nullptr, m_hWnd, &strMonitor[0]);
}

void CCreatePortDlg::OnClose()
{
    CDialog::OnCancel();
}

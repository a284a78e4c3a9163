#include "pages/SelectPortDlg.h"

#include <cstddef>
#include <string>
#include <vector>

#include "app/SetupApp.h"
#include "pages/CreatePortDlg.h"
#include "pages/DefaultPortRow.h"
#include "pages/DetailSettingDlg.h"
#include "pages/SpoolerList.h"
#include "res/ProgramTexts.h"
#include "res/resource.h"

static const int kPortColumnWidth = 150;
static const int kTypeColumnWidth = 280;

CSelectPortDlg::CSelectPortDlg(CWnd* pParent) : CDialog(IDD_SELECT_PORT, pParent)
{
}

const AFX_MSGMAP* CSelectPortDlg::GetMessageMap() const
{
    // Enter (IDOK) stays CDialog's OnOK: it ends the page without taking a port or installing.
    static const AFX_MSGMAP_ENTRY entries[] = {
        ON_BN_CLICKED(IDC_CREATE_PORT, &CSelectPortDlg::OnCreatePort),
        ON_BN_CLICKED(IDC_CONFIGURE_PORT, &CSelectPortDlg::OnConfigurePort),
        ON_BN_CLICKED(IDC_PORT_BACK, &CSelectPortDlg::OnBack),
        ON_BN_CLICKED(IDC_INSTALL, &CSelectPortDlg::OnInstall),
        // A pointer to a virtual member: the call reaches the page's own OnCancel.
        ON_BN_CLICKED(IDC_CANCEL, &CSelectPortDlg::OnCancel),
        END_MESSAGE_MAP(),
    };
    static const AFX_MSGMAP map = {CDialog::GetMessageMap(), entries};
    return &map;
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

    // Inserted without a width, then sized by LVM_SETCOLUMNWIDTH.
    m_listPorts.InsertColumn(0, g_pszPortColumn, LVCFMT_LEFT);
    m_listPorts.InsertColumn(1, g_pszTypeColumn, LVCFMT_LEFT);
    m_listPorts.SetColumnWidth(0, kPortColumnWidth);
    m_listPorts.SetColumnWidth(1, kTypeColumnWidth);

    FillPortList();

    // Only InstallDriver moves the bar; every page starts at 0 of 100.
    m_progress.SetRange(0, 100);
    m_progress.SetPos(0);
    // The dialog manager gives the focus to the first tab stop, the port list.
    return TRUE;
}

void CSelectPortDlg::FillPortList()
{
    const CSpoolerRecords<PORT_INFO_2A> ports = EnumLocalPorts();
    SetSpoolerListStyle(m_listPorts);

    // Row k is the spooler's record k; records after the first kMaxListedPorts are left out.
    std::vector<CString> listedNames;
    for (std::size_t k = 0; k < ports.GetCount() && k < static_cast<std::size_t>(kMaxListedPorts); ++k)
    {
        const CString strName(ports[k].pPortName);
        ::OutputDebugStringA(strName + "\n");
        const int nRow = static_cast<int>(k);
        m_listPorts.InsertItem(nRow, strName);
        m_listPorts.SetItemText(nRow, 1, CString(ports[k].pDescription));
        listedNames.push_back(strName);
    }

    const int nDefaultRow = DefaultPortRow(listedNames);
    if (nDefaultRow >= 0)
        SelectRow(m_listPorts, nDefaultRow);
}

void CSelectPortDlg::OnCancel()
{
    CDialog::OnCancel();
}

void CSelectPortDlg::OnCreatePort()
{
    // However the dialog ends, a port may have been added: rebuild the list, which also chooses
    // the default row again.
    CCreatePortDlg dlgCreatePort;
    dlgCreatePort.DoModal();
    m_listPorts.DeleteAllItems();
    FillPortList();
}

void CSelectPortDlg::OnConfigurePort()
{
    const int nRow = FindSelectedRow(m_listPorts);
    if (nRow < 0)
        return;
    // ConfigurePortA takes a writable string; the port's monitor shows its own dialog, owned by
    // this page, and returns when it closes. It reports nothing the page would show.
    std::string strPort = m_listPorts.GetItemText(nRow, 0).Str();
    ::ConfigurePortA(nullptr, m_hWnd, &strPort[0]);
}

void CSelectPortDlg::OnBack()
{
    CDialog::OnCancel();
}

void CSelectPortDlg::OnInstall()
{
    // Without a selected row m_strPort stays as it is, empty on a new page.
    const int nRow = FindSelectedRow(m_listPorts);
    if (nRow >= 0)
        m_strPort = m_listPorts.GetItemText(nRow, 0);

    // The installation reads "Detail Setting", open beneath this page, and moves m_progress.
    g_pDetailDlg->InstallDriver();
    CDialog::OnOK();
}

#include "pages/DetailSettingDlg.h"

#include <memory>

#include "app/AboutDlg.h"
#include "app/SetupApp.h"
#include "catalogue/Catalogue.h"
#include "catalogue/DecodeText.h"
#include "install/InstallFailureText.h"
#include "pages/OsType.h"
#include "pages/SelectPortDlg.h"
#include "res/ProgramTexts.h"
#include "res/resource.h"

// Start selections of the hidden serial lists: LPT1, 19200 baud, 8 data bits, 1 stop bit, no
// parity, hardware flow control.
static const int kDefaultPort = 0;
static const int kDefaultBaud = 5;
static const int kDefaultDataBits = 3;
static const int kDefaultStopBits = 0;
static const int kDefaultParity = 2;
static const int kDefaultFlow = 2;

// The model list opens on the second catalogue row.
static const int kInitialModelRow = 1;

static CString Decode(const StoredText& text)
{
    return DecodeText(text.pszText, text.nSeed);
}

CDetailSettingDlg::CDetailSettingDlg(CWnd* pParent)
    : CDialog(IDD_DETAIL_SETTING, pParent), m_hIcon(AfxGetApp()->LoadIcon(IDR_MAINFRAME))
{
}

const AFX_MSGMAP* CDetailSettingDlg::GetMessageMap() const
{
    static const AFX_MSGMAP_ENTRY entries[] = {
        ON_WM_SYSCOMMAND(&CDetailSettingDlg::OnSysCommand),
        ON_WM_PAINT(&CDetailSettingDlg::OnPaint),
        ON_WM_QUERYDRAGICON(&CDetailSettingDlg::OnQueryDragIcon),
        ON_BN_CLICKED(IDC_BACK, &CDetailSettingDlg::OnBack),
        ON_BN_CLICKED(IDC_NEXT, &CDetailSettingDlg::OnNext),
        ON_CBN_SELCHANGE(IDC_MODEL_LIST, &CDetailSettingDlg::OnSelchangeModelList),
        ON_CBN_SELCHANGE(IDC_PORT_LIST, &CDetailSettingDlg::OnSelchangePortList),
        ON_BN_CLICKED(IDC_EXIT, &CDetailSettingDlg::OnExit),
        ON_BN_CLICKED(IDC_SET_DEFAULT, &CDetailSettingDlg::OnSetDefaultPrinter),
        END_MESSAGE_MAP(),
    };
    static const AFX_MSGMAP map = {CDialog::GetMessageMap(), entries};
    return &map;
}

BOOL CDetailSettingDlg::OnInitDialog()
{
    // Also fills the lists from the template's initialisation data.
    CDialog::OnInitDialog();

    if (CMenu* pSysMenu = GetSystemMenu(FALSE))
    {
        CString strAboutMenu;
        if (strAboutMenu.LoadString(IDS_ABOUTBOX) && !strAboutMenu.IsEmpty())
        {
            pSysMenu->AppendMenu(MF_SEPARATOR);
            pSysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, strAboutMenu);
        }
    }

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    // The template's own model items are placeholders: the list holds one decoded text per
    // catalogue row, unsorted, so item i is row i.
    CWnd* pModelList = GetDlgItem(IDC_MODEL_LIST);
    pModelList->SendMessage(CB_RESETCONTENT);
    for (int row = 0; row < kModelRowCount; ++row)
    {
        CString strItem = Decode(g_modelTexts[row]);
        pModelList->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<const char*>(strItem)));
    }
    m_pModelList = pModelList;
    // CB_SETCURSEL sends no CBN_SELCHANGE: the printer name below stays the initial one.
    m_pModelList->SendMessage(CB_SETCURSEL, kInitialModelRow);

    GetDlgItem(IDC_SET_DEFAULT)->SendMessage(BM_SETCHECK, BST_CHECKED);
    GetDlgItem(IDC_PRINTER_NAME)->SetWindowText(Decode(g_initialPrinterName));

    m_pPortList = GetDlgItem(IDC_PORT_LIST);
    m_pBaudList = GetDlgItem(IDC_BAUD_LIST);
    m_pDataBitsList = GetDlgItem(IDC_DATABITS_LIST);
    m_pStopBitsList = GetDlgItem(IDC_STOPBITS_LIST);
    m_pParityList = GetDlgItem(IDC_PARITY_LIST);
    m_pFlowList = GetDlgItem(IDC_FLOW_LIST);

    m_pPortList->SendMessage(CB_SETCURSEL, kDefaultPort);
    m_pBaudList->SendMessage(CB_SETCURSEL, kDefaultBaud);
    m_pDataBitsList->SendMessage(CB_SETCURSEL, kDefaultDataBits);
    m_pStopBitsList->SendMessage(CB_SETCURSEL, kDefaultStopBits);
    m_pParityList->SendMessage(CB_SETCURSEL, kDefaultParity);
    m_pFlowList->SendMessage(CB_SETCURSEL, kDefaultFlow);
    EnableSerialLists(FALSE);

    g_pDetailDlg = this;
    return TRUE;
}

void CDetailSettingDlg::EnableSerialLists(BOOL bEnable)
{
    m_pBaudList->EnableWindow(bEnable);
    m_pDataBitsList->EnableWindow(bEnable);
    m_pStopBitsList->EnableWindow(bEnable);
    m_pParityList->EnableWindow(bEnable);
    m_pFlowList->EnableWindow(bEnable);
}

void CDetailSettingDlg::OnCancel()
{
    CDialog::OnOK();
}

void CDetailSettingDlg::OnSysCommand(UINT nID, LPARAM /*lParam*/)
{
    if ((nID & 0xFFF0) == IDM_ABOUTBOX)
    {
        CAboutDlg dlgAbout;
        dlgAbout.DoModal();
        return;
    }
    Default();
}

void CDetailSettingDlg::OnPaint()
{
    if (!IsIconic())
    {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    const int cxIcon = ::GetSystemMetrics(SM_CXICON);
    const int cyIcon = ::GetSystemMetrics(SM_CYICON);
    RECT rect;
    GetClientRect(&rect);
    const int x = (rect.right - rect.left - cxIcon + 1) / 2;
    const int y = (rect.bottom - rect.top - cyIcon + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CDetailSettingDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hIcon);
}

void CDetailSettingDlg::OnBack()
{
    CDialog::OnCancel();
}

void CDetailSettingDlg::OnNext()
{
    // Each Next gets a new port page, so it starts from the spooler's current ports. It is freed
    // when this handler is done with it; g_pSelectPortDlg is cleared with it.
    std::unique_ptr<CSelectPortDlg> pSelectPort(new CSelectPortDlg);
    g_pSelectPortDlg = pSelectPort.get();
    if (pSelectPort->DoModal() == IDCANCEL)
    {
        g_pSelectPortDlg = nullptr;
        return;
    }
    g_strPortName = pSelectPort->m_strPort;

    if (g_nOsType >= OS_NT4 && g_nOsType <= OS_WIN7)
    {
        // "Completed!" only when this run left the driver and its printer in place.
        const InstallOutcome outcome = InstallDriver();
        if (InstallSucceeded(outcome))
            AfxMessageBox(g_pszCompletedText, MB_OK);
        else
            AfxMessageBox(InstallFailureText(FirstFailedStep(outcome)), MB_OK | MB_ICONSTOP);
    }
    g_pSelectPortDlg = nullptr;
    CDialog::OnOK();
}

void CDetailSettingDlg::OnSelchangeModelList()
{
    const int row = static_cast<int>(m_pModelList->SendMessage(CB_GETCURSEL));
    if (row >= 0 && row < kModelRowCount)
        GetDlgItem(IDC_PRINTER_NAME)->SetWindowText(Decode(g_modelTexts[row]));
}

void CDetailSettingDlg::OnSelchangePortList()
{
    const int index = static_cast<int>(m_pPortList->SendMessage(CB_GETCURSEL));
    EnableSerialLists(index >= kFirstComPortIndex);
}

void CDetailSettingDlg::OnExit()
{
    OnCancel();
}

void CDetailSettingDlg::OnSetDefaultPrinter()
{
    // The check box toggles by itself; the installation reads it.
}

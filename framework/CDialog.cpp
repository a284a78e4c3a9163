#include "framework/CDialog.h"

#include <cstring>

#include "framework/CWinApp.h"

// Resource type of dialog-initialisation data, and the 16-bit list messages it records, which
// stand for CB_ADDSTRING and LB_ADDSTRING.
static const WORD kRtDlgInit = 240;
static const WORD kDlgInitCbAddString = 0x0403;
static const WORD kDlgInitLbAddString = 0x0401;

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd)
        return;
    rControl.m_hWnd = ::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, nIDC);
    if (rControl.m_hWnd)
        pDX->m_pDlgWnd->AddBoundControl(&rControl);
}

const AFX_MSGMAP* CDialog::GetMessageMap() const
{
    // OnOK and OnCancel are virtual: calls through these entries reach the page's own versions.
    static const AFX_MSGMAP_ENTRY entries[] = {
        ON_COMMAND(IDOK, &CDialog::OnOK),
        ON_COMMAND(IDCANCEL, &CDialog::OnCancel),
        END_MESSAGE_MAP(),
    };
    static const AFX_MSGMAP map = {CWnd::GetMessageMap(), entries};
    return &map;
}

INT_PTR CDialog::DoModal()
{
    HWND hOwner = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : ::GetActiveWindow();
    return ::DialogBoxParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDTemplate), hOwner,
                             DialogProc, reinterpret_cast<LPARAM>(this));
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

BOOL CDialog::OnInitDialog()
{
    ExecuteDlgInit();
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

bool CDialog::TemplateIsVisible() const
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hRes = ::FindResourceA(hInst, MAKEINTRESOURCEA(m_nIDTemplate), RT_DIALOG);
    if (!hRes || ::SizeofResource(hInst, hRes) < 16)
        return false;
    const BYTE* p = static_cast<const BYTE*>(::LockResource(::LoadResource(hInst, hRes)));
    if (!p)
        return false;
    // DLGTEMPLATEEX starts with version 1 and signature 0xFFFF and has its style at offset 12;
    // DLGTEMPLATE has its style first.
    WORD wVersion, wSignature;
    std::memcpy(&wVersion, p, 2);
    std::memcpy(&wSignature, p + 2, 2);
    DWORD dwStyle;
    std::memcpy(&dwStyle, p + (wVersion == 1 && wSignature == 0xFFFF ? 12 : 0), 4);
    return (dwStyle & WS_VISIBLE) != 0;
}

// Entries: control ID (16 bits), message (16 bits), text length with its zero (32 bits), text;
// a control ID of 0 ends the data. The data comes from the program's own resources, but it is
// still read within its bounds and each text must end in its zero before it is sent.
void CDialog::ExecuteDlgInit()
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hRes = ::FindResourceA(hInst, MAKEINTRESOURCEA(m_nIDTemplate), MAKEINTRESOURCEA(kRtDlgInit));
    if (!hRes)
        return;
    const BYTE* p = static_cast<const BYTE*>(::LockResource(::LoadResource(hInst, hRes)));
    if (!p)
        return;
    const BYTE* const end = p + ::SizeofResource(hInst, hRes);
    while (end - p >= 8)
    {
        WORD nIDC, nMsg;
        DWORD cb;
        std::memcpy(&nIDC, p, 2);
        if (nIDC == 0)
            break;
        std::memcpy(&nMsg, p + 2, 2);
        std::memcpy(&cb, p + 4, 4);
        p += 8;
        if (cb > static_cast<DWORD>(end - p))
            break;
        const char* pszText = reinterpret_cast<const char*>(p);
        const UINT message = nMsg == kDlgInitCbAddString ? CB_ADDSTRING
                           : nMsg == kDlgInitLbAddString ? LB_ADDSTRING : 0;
        if (message && cb > 0 && pszText[cb - 1] == '\0')
            ::SendDlgItemMessageA(m_hWnd, nIDC, message, 0, reinterpret_cast<LPARAM>(pszText));
        p += cb;
    }
}

// The one place that knows the dialog-procedure rules. The procedure returns FALSE for a message
// it leaves to the dialog manager's default processing and TRUE for one it handled; a handled
// message's own result goes to DWLP_MSGRESULT, except for WM_INITDIALOG (TRUE: the dialog manager
// sets the focus) and WM_QUERYDRAGICON, whose results are the return value itself. The object comes
// from DialogBoxParam's last argument and is kept in DWLP_USER from WM_INITDIALOG to WM_NCDESTROY;
// messages before and after that go to the default processing. No exception may leave it.
INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CDialog* pDlg;
    if (message == WM_INITDIALOG)
    {
        pDlg = reinterpret_cast<CDialog*>(lParam);
        ::SetWindowLongPtrA(hWnd, DWLP_USER, lParam);
        pDlg->m_hWnd = hWnd;
    }
    else
    {
        pDlg = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(hWnd, DWLP_USER));
        if (!pDlg)
            return FALSE;
    }
    try
    {
        return pDlg->HandleMessage(message, wParam, lParam);
    }
    catch (...)
    {
        return FALSE;
    }
}

INT_PTR CDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_INITDIALOG:
    {
        // A template created hidden is centred, unless OnInitDialog placed the window itself. The
        // dialog manager creates every dialog hidden and shows a WS_VISIBLE one only after
        // WM_INITDIALOG, so the template's own style tells which one this is.
        const bool bWasVisible = TemplateIsVisible();
        RECT rcBefore, rcAfter;
        ::GetWindowRect(m_hWnd, &rcBefore);
        const BOOL bResult = OnInitDialog();
        ::GetWindowRect(m_hWnd, &rcAfter);
        if (!bWasVisible && !(::GetWindowLongA(m_hWnd, GWL_STYLE) & WS_CHILD) &&
            std::memcmp(&rcBefore, &rcAfter, sizeof rcBefore) == 0)
            CenterWindow();
        return bResult;
    }
    case WM_NCDESTROY:
        ::SetWindowLongPtrA(m_hWnd, DWLP_USER, 0);
        DetachWindow();
        return FALSE;
    default:
    {
        LRESULT lResult = 0;
        if (!OnWndMsg(message, wParam, lParam, &lResult))
            return FALSE;
        if (message == WM_QUERYDRAGICON)
            return static_cast<INT_PTR>(lResult);
        if (m_hWnd)
            ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, lResult);
        return TRUE;
    }
    }
}

#include "pages/SelectOsDlg.h"

#include "app/SetupApp.h"
#include "pages/OsType.h"
#include "res/resource.h"

void DetectOsType()
{
    // OSVERSIONINFOEX first; systems that know only the plain OSVERSIONINFO refuse its size, and
    // then the same record is asked again with the smaller size.
    OSVERSIONINFOEXA info = {};
    info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXA);
    if (!::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info)))
    {
        info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
        if (!::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info)))
            return;
    }
    g_nOsType = ClassifyOs(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion, g_nOsType);
}

CSelectOsDlg::CSelectOsDlg(CWnd* pParent) : CDialog(IDD_SELECT_OS, pParent)
{
}

const AFX_MSGMAP* CSelectOsDlg::GetMessageMap() const
{
    static const AFX_MSGMAP_ENTRY entries[] = {
        ON_BN_CLICKED(IDC_BACK, &CSelectOsDlg::OnBack),
        ON_BN_CLICKED(IDC_NEXT, &CSelectOsDlg::OnNext),
        ON_BN_CLICKED(IDC_EXIT, &CSelectOsDlg::OnExit),
        ON_WM_PAINT(&CSelectOsDlg::OnPaint),
        END_MESSAGE_MAP(),
    };
    static const AFX_MSGMAP map = {CDialog::GetMessageMap(), entries};
    return &map;
}

BOOL CSelectOsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    DetectOsType();

    // The radio button of each OS code; codes 1 to 3 tick a button the template keeps hidden.
    static const int radioOfCode[] = {0, IDC_OS_WIN95, IDC_OS_WIN98, IDC_OS_NT40, IDC_OS_WIN2000,
                                      IDC_OS_WINXP, IDC_OS_WIN2003, IDC_OS_VISTA, IDC_OS_WIN7};
    if (g_nOsType >= OS_WIN95 && g_nOsType <= OS_WIN7)
    {
        if (CWnd* pRadio = GetDlgItem(radioOfCode[g_nOsType]))
            pRadio->SendMessage(BM_SETCHECK, 1, 0);
    }
    return TRUE;
}

void CSelectOsDlg::OnCancel()
{
    CDialog::OnCancel();
}

void CSelectOsDlg::OnBack()
{
    // The button is hidden and disabled on this first page.
}

void CSelectOsDlg::OnNext()
{
    CDialog::OnOK();
}

void CSelectOsDlg::OnExit()
{
    OnCancel();
}

void CSelectOsDlg::OnPaint()
{
    // One paint cycle that draws nothing: the controls paint themselves.
    CPaintDC dc(this);
}

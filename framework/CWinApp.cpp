#include "framework/CWinApp.h"

#include <commctrl.h>

static CWinApp* g_pApp = nullptr;

CWinApp::CWinApp(LPCSTR lpszAppName)
{
    if (lpszAppName)
    {
        m_strAppName = lpszAppName;
        m_pszAppName = m_strAppName.c_str();
    }
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = nullptr;
}

void CWinApp::SetModule(HINSTANCE hInstance)
{
    m_hInstance = hInstance;
    if (m_pszAppName)
        return;
    // GetModuleFileNameA truncates silently; grow the buffer until the whole path fits.
    std::string path(MAX_PATH, '\0');
    for (;;)
    {
        DWORD n = ::GetModuleFileNameA(hInstance, &path[0], static_cast<DWORD>(path.size()));
        if (n == 0)
        {
            path.clear();
            break;
        }
        if (n < path.size())
        {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    std::string::size_type slash = path.find_last_of("\\/:");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string::size_type dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name.resize(dot);
    m_strAppName = name;
    m_pszAppName = m_strAppName.c_str();
}

int CWinApp::Run()
{
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0)
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return ExitInstance();
}

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return ::LoadIconA(m_hInstance, MAKEINTRESOURCEA(nIDResource));
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

HINSTANCE AfxGetResourceHandle()
{
    return g_pApp && g_pApp->m_hInstance ? g_pApp->m_hInstance : ::GetModuleHandleA(nullptr);
}

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT /*nIDHelp*/)
{
    if ((nType & MB_ICONMASK) == 0 && (nType & MB_TYPEMASK) == MB_OK)
        nType |= MB_ICONEXCLAMATION;
    LPCSTR lpszCaption = g_pApp ? g_pApp->m_pszAppName : nullptr;
    return ::MessageBoxA(::GetActiveWindow(), lpszText, lpszCaption, nType);
}

int AfxWinMain(HINSTANCE hInstance)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return -1;
    pApp->SetModule(hInstance);

    // The list views, progress bar and trackbars of the templates are common controls: their
    // window classes must exist before the first dialog is created.
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);

    if (!pApp->InitInstance())
        return pApp->ExitInstance();
    return pApp->Run();
}

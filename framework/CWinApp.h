#pragma once

#include <windows.h>

#include <string>

// The application object. Exactly one exists, with static storage; the program entry finds it,
// tells it its module and runs InitInstance. A FALSE from InitInstance ends the program without
// a message loop.
class CWinApp
{
public:
    // Without a name, the application takes the program file's name without its extension, which
    // is also the caption of every message box.
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance() { return FALSE; }
    virtual int ExitInstance() { return 0; }
    virtual int Run();  // a plain message loop, for an InitInstance that returns TRUE

    HICON LoadIcon(UINT nIDResource) const;

    // Nothing to do: Windows draws the three-dimensional controls itself.
    void Enable3dControlsStatic() {}

    LPCSTR m_pszAppName = nullptr;
    HINSTANCE m_hInstance = nullptr;

private:
    friend int AfxWinMain(HINSTANCE hInstance);
    void SetModule(HINSTANCE hInstance);
    std::string m_strAppName;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetResourceHandle();

// MessageBoxA over the active window, captioned with the application name. An OK-only box that
// asks for no icon gets the exclamation icon.
int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);

// Nothing to do: no dialog of this program hosts an ActiveX control.
inline void AfxEnableControlContainer() {}

int AfxWinMain(HINSTANCE hInstance);

#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <vector>

#include "framework/CMenu.h"
#include "framework/MessageMap.h"

// A non-owning reference to one window: one HWND and one-line methods that each send the Win32
// message or make the call they are named after.
//
// A CWnd that stands for a dialog item (GetDlgItem, DDX_Control) is told when its dialog window
// goes away and then holds no handle: every message sent through it after that does nothing and
// returns 0. Window handles are reused, so a stale handle could otherwise reach a window that
// some other code has created since.
class CWnd
{
public:
    HWND m_hWnd = nullptr;

    CWnd() = default;
    virtual ~CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return m_hWnd ? ::SendMessageA(m_hWnd, message, wParam, lParam) : 0;
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return m_hWnd ? ::PostMessageA(m_hWnd, message, wParam, lParam) : FALSE;
    }

    // The window reference for a dialog item, valid as long as this window object lives; it holds
    // the item's handle while the item exists. NULL when there is no such item.
    CWnd* GetDlgItem(int nID);

    void SetWindowText(LPCSTR lpszString) { if (m_hWnd) ::SetWindowTextA(m_hWnd, lpszString); }
    BOOL EnableWindow(BOOL bEnable = TRUE) { return m_hWnd ? ::EnableWindow(m_hWnd, bEnable) : FALSE; }
    BOOL IsIconic() const { return m_hWnd && ::IsIconic(m_hWnd); }
    void GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }

    // WM_SETICON with ICON_BIG or ICON_SMALL; returns the icon that was set before.
    HICON SetIcon(HICON hIcon, BOOL bBigIcon)
    {
        return reinterpret_cast<HICON>(SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL,
                                                   reinterpret_cast<LPARAM>(hIcon)));
    }

    // GetSystemMenu; NULL when the window has none.
    CMenu* GetSystemMenu(BOOL bRevert);

    // Centres a popup on its owner when the owner is visible and not minimised, otherwise on the
    // work area of the screen, and keeps it within the work area.
    void CenterWindow();

    // Forget the handle: the window is gone. Item references and bound controls go with it.
    void DetachWindow();

protected:
    // The message-map lookup: each class returns its own table, chained to its base's.
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // Runs the first message-map entry that matches. Returns false when no entry matched or the
    // handler asked for default processing (Default()).
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    // Called by a handler that wants the dialog manager's own processing of the current message
    // (moving, closing, default painting...).
    void Default() { m_bDefault = true; }

    // A control object attached by DDX_Control; it loses its handle with this window.
    friend void DDX_Control(class CDataExchange* pDX, int nIDC, CWnd& rControl);
    void AddBoundControl(CWnd* pControl) { m_boundControls.push_back(pControl); }

private:
    bool m_bDefault = false;
    std::map<int, std::unique_ptr<CWnd>> m_itemRefs;
    std::vector<CWnd*> m_boundControls;
    CMenu m_sysMenu;
};

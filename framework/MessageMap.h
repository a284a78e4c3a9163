#pragma once

#include <windows.h>

class CWnd;

// A message map is an ordered table read top to bottom: "this message (and, for WM_COMMAND, this
// control ID and notification code) goes to that member function". The first matching entry wins;
// when no entry of a class matches, its base class's table is searched, and when none matches at
// all the dialog manager's default processing runs.

// An entry holds its handler in the field of the handler's signature; the other two are null.
typedef void (CWnd::*AFX_PMSG)();
typedef void (CWnd::*AFX_PMSG_SYSCOMMAND)(UINT nID, LPARAM lParam);
typedef HCURSOR (CWnd::*AFX_PMSG_CURSOR)();

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;  // 0 ends the table
    UINT nCode;     // WM_COMMAND only: notification code (BN_CLICKED, CBN_SELCHANGE, ...)
    UINT nID;       // WM_COMMAND only: control ID
    AFX_PMSG pfn;                       // void f()
    AFX_PMSG_SYSCOMMAND pfnSysCommand;  // void f(UINT, LPARAM), WM_SYSCOMMAND
    AFX_PMSG_CURSOR pfnCursor;          // HCURSOR f(), WM_QUERYDRAGICON
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* pBaseMap;
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Entry builders named after the MFC macros they stand for. A pointer to a member of a class
// derived from CWnd converts to a pointer to a CWnd member of the same signature.
template <class T>
AFX_MSGMAP_ENTRY ON_COMMAND(UINT nID, void (T::*pfn)())
{
    return {WM_COMMAND, 0, nID, static_cast<AFX_PMSG>(pfn), nullptr, nullptr};
}

template <class T>
AFX_MSGMAP_ENTRY ON_BN_CLICKED(UINT nID, void (T::*pfn)())
{
    return {WM_COMMAND, BN_CLICKED, nID, static_cast<AFX_PMSG>(pfn), nullptr, nullptr};
}

template <class T>
AFX_MSGMAP_ENTRY ON_CBN_SELCHANGE(UINT nID, void (T::*pfn)())
{
    return {WM_COMMAND, CBN_SELCHANGE, nID, static_cast<AFX_PMSG>(pfn), nullptr, nullptr};
}

template <class T>
AFX_MSGMAP_ENTRY ON_WM_PAINT(void (T::*pfn)())
{
    return {WM_PAINT, 0, 0, static_cast<AFX_PMSG>(pfn), nullptr, nullptr};
}

template <class T>
AFX_MSGMAP_ENTRY ON_WM_SYSCOMMAND(void (T::*pfn)(UINT, LPARAM))
{
    return {WM_SYSCOMMAND, 0, 0, nullptr, static_cast<AFX_PMSG_SYSCOMMAND>(pfn), nullptr};
}

template <class T>
AFX_MSGMAP_ENTRY ON_WM_QUERYDRAGICON(HCURSOR (T::*pfn)())
{
    return {WM_QUERYDRAGICON, 0, 0, nullptr, nullptr, static_cast<AFX_PMSG_CURSOR>(pfn)};
}

inline AFX_MSGMAP_ENTRY END_MESSAGE_MAP()
{
    return {0, 0, 0, nullptr, nullptr, nullptr};
}

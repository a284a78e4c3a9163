#include "framework/CWnd.h"

const AFX_MSGMAP* CWnd::GetMessageMap() const
{
    static const AFX_MSGMAP_ENTRY entries[] = {END_MESSAGE_MAP()};
    static const AFX_MSGMAP map = {nullptr, entries};
    return &map;
}

CWnd* CWnd::GetDlgItem(int nID)
{
    HWND hItem = m_hWnd ? ::GetDlgItem(m_hWnd, nID) : nullptr;
    if (!hItem)
        return nullptr;
    std::unique_ptr<CWnd>& ref = m_itemRefs[nID];
    if (!ref)
        ref.reset(new CWnd);
    ref->m_hWnd = hItem;
    return ref.get();
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert)
{
    m_sysMenu.m_hMenu = m_hWnd ? ::GetSystemMenu(m_hWnd, bRevert) : nullptr;
    return m_sysMenu.m_hMenu ? &m_sysMenu : nullptr;
}

void CWnd::CenterWindow()
{
    RECT rcWork;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
    RECT rcCenter = rcWork;
    HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
    if (hOwner && ::IsWindowVisible(hOwner) && !::IsIconic(hOwner))
        ::GetWindowRect(hOwner, &rcCenter);

    RECT rc;
    ::GetWindowRect(m_hWnd, &rc);
    const int cx = rc.right - rc.left;
    const int cy = rc.bottom - rc.top;
    int x = (rcCenter.left + rcCenter.right) / 2 - cx / 2;
    int y = (rcCenter.top + rcCenter.bottom) / 2 - cy / 2;
    if (x + cx > rcWork.right) x = rcWork.right - cx;
    if (y + cy > rcWork.bottom) y = rcWork.bottom - cy;
    if (x < rcWork.left) x = rcWork.left;
    if (y < rcWork.top) y = rcWork.top;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::DetachWindow()
{
    for (auto& item : m_itemRefs)
        item.second->m_hWnd = nullptr;
    for (CWnd* pControl : m_boundControls)
        pControl->m_hWnd = nullptr;
    m_boundControls.clear();
    m_sysMenu.m_hMenu = nullptr;
    m_hWnd = nullptr;
}

bool CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const UINT nCode = message == WM_COMMAND ? HIWORD(wParam) : 0;
    const UINT nID = message == WM_COMMAND ? LOWORD(wParam) : 0;
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap; pMap = pMap->pBaseMap)
    {
        for (const AFX_MSGMAP_ENTRY* pEntry = pMap->lpEntries; pEntry->nMessage; ++pEntry)
        {
            if (pEntry->nMessage != message || pEntry->nCode != nCode || pEntry->nID != nID)
                continue;
            m_bDefault = false;
            *pResult = 0;
            if (pEntry->pfn)
                (this->*pEntry->pfn)();
            else if (pEntry->pfnSysCommand)
                (this->*pEntry->pfnSysCommand)(static_cast<UINT>(wParam), lParam);
            else if (pEntry->pfnCursor)
                *pResult = reinterpret_cast<LRESULT>((this->*pEntry->pfnCursor)());
            return !m_bDefault;
        }
    }
    return false;
}

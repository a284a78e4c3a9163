#pragma once

#include <windows.h>

// A menu handle the window owns (the system menu); CMenu neither creates nor destroys it.
class CMenu
{
public:
    HMENU m_hMenu = nullptr;

    // AppendMenuA: nFlags MF_SEPARATOR or MF_STRING, nIDNewItem the command it sends.
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = nullptr)
    {
        return ::AppendMenuA(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
    }
};

#include "pages/SpoolerList.h"

CSpoolerRecords<PORT_INFO_2A> EnumLocalPorts()
{
    return CSpoolerRecords<PORT_INFO_2A>(
        [](BYTE* pBuffer, DWORD cbBuf, DWORD* pcbNeeded, DWORD* pcReturned) {
            return ::EnumPortsA(nullptr, 2, pBuffer, cbBuf, pcbNeeded, pcReturned) != FALSE;
        });
}

CSpoolerRecords<MONITOR_INFO_1A> EnumLocalMonitors()
{
    return CSpoolerRecords<MONITOR_INFO_1A>(
        [](BYTE* pBuffer, DWORD cbBuf, DWORD* pcbNeeded, DWORD* pcReturned) {
            return ::EnumMonitorsA(nullptr, 1, pBuffer, cbBuf, pcbNeeded, pcReturned) != FALSE;
        });
}

void SetSpoolerListStyle(CListCtrl& list)
{
    DWORD dwStyle = list.GetExtendedStyle();
    dwStyle &= ~static_cast<DWORD>(LVS_EX_TRACKSELECT);
    dwStyle |= LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES;
    list.SetExtendedStyle(dwStyle);
}

int FindSelectedRow(const CListCtrl& list)
{
    const int nCount = list.GetItemCount();
    for (int nRow = 0; nRow < nCount; ++nRow)
    {
        if (list.GetItemState(nRow, LVIS_SELECTED) == LVIS_SELECTED)
            return nRow;
    }
    return -1;
}

void SelectRow(CListCtrl& list, int nRow)
{
    list.SetItemState(nRow, LVIS_SELECTED, LVIS_SELECTED | LVIS_FOCUSED);
}

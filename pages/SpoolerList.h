#pragma once

#include <windows.h>
#include <commctrl.h>
#include <winspool.h>

#include "framework/CListCtrl.h"
#include "pages/SpoolerRecords.h"

// What "Select Port" and "Create Port" share: the local spooler's enumerations and the things
// both pages do with their list views.

// EnumPortsA(NULL, 2): the local machine's ports, in the spooler's order.
CSpoolerRecords<PORT_INFO_2A> EnumLocalPorts();

// EnumMonitorsA(NULL, 1): the local machine's port monitors, in the spooler's order.
CSpoolerRecords<MONITOR_INFO_1A> EnumLocalMonitors();

// Whole rows are selected and the grid is drawn; rows do not follow the mouse. The other extended
// styles stay as they are. LVM_SETEXTENDEDLISTVIEWSTYLE with mask 0 writes every bit, so the
// style is read first.
void SetSpoolerListStyle(CListCtrl& list);

// The first row whose LVM_GETITEMSTATE shows LVIS_SELECTED, or -1 when no row is selected.
int FindSelectedRow(const CListCtrl& list);

// Selects a row with LVM_SETITEMSTATE and clears its focused state: the list shows the selection
// without a focus rectangle on it.
void SelectRow(CListCtrl& list, int nRow);

#pragma once

// The program's small framework: the MFC names it uses, over plain ANSI Win32.
#include <windows.h>
#include <commctrl.h>

#include "framework/CDialog.h"
#include "framework/CListCtrl.h"
#include "framework/CMenu.h"
#include "framework/CPaintDC.h"
#include "framework/CProgressCtrl.h"
#include "framework/CString.h"
#include "framework/CWinApp.h"
#include "framework/CWnd.h"

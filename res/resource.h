// Resource IDs of trelvoset, shared by the resource scripts (en.rc, zh.rc) and the C++ code.
// Only #defines, so that windres and the compiler can both read this file.
//
// Control IDs are numbered per dialog template, and the same number means different controls
// on different templates (1008 to 1011 and 1021). Each template therefore has its own names;
// use the names of the template the code works on.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC                  (-1)    // labels, group boxes and the About icon
#endif

// Icon, string and system-menu command.
#define IDR_MAINFRAME               128     // icon: About box and "Detail Setting" window icon
#define IDS_ABOUTBOX                101     // text of the About item in the system menu
#define IDM_ABOUTBOX                0x0010  // command of that item (low four bits clear)

// Dialog templates.
#define IDD_ABOUTBOX                100
#define IDD_DETAIL_SETTING          102     // its dialog-initialisation data has the same name
#define IDD_SELECT_OS               129
#define IDD_CREATE_PORT             138
#define IDD_SELECT_PORT             139

// Navigation buttons of the two pages "Select OS" (129) and "Detail Setting" (102).
#define IDC_BACK                    1008
#define IDC_NEXT                    1009
#define IDC_EXIT                    1010

// IDD_DETAIL_SETTING (102).
#define IDC_MODEL_LIST              1011    // combo box: printer model
#define IDC_SET_DEFAULT             1012    // check box: make the printer the default printer
#define IDC_PRINTER_NAME            1013    // read-only edit box: printer name
#define IDC_PORT_LIST               1014    // hidden serial-settings section from here on
#define IDC_BAUD_LIST               1015
#define IDC_DATABITS_LIST           1016
#define IDC_FLOW_LIST               1017
#define IDC_PARITY_LIST             1018
#define IDC_STOPBITS_LIST           1019

// IDD_SELECT_OS (129): one auto radio button per Windows version, all in one group.
#define IDC_OS_WIN95                1000
#define IDC_OS_WIN98                1001
#define IDC_OS_NT40                 1002
#define IDC_OS_WIN2000              1003
#define IDC_OS_WINXP                1004
#define IDC_OS_WIN7                 1005
#define IDC_OS_WIN2008              1006
#define IDC_OS_WIN2003              1011
#define IDC_OS_VISTA                1020

// Hidden trackbar on IDD_SELECT_OS and IDD_SELECT_PORT; no code uses it.
#define IDC_SLIDER                  1007

// IDD_CREATE_PORT (138).
#define IDC_NEW_PORT                1008
#define IDC_CLOSE                   1009
#define IDC_MONITOR_LIST            1021    // list view of the port monitors

// IDD_SELECT_PORT (139).
#define IDC_CREATE_PORT             1008
#define IDC_CONFIGURE_PORT          1009
#define IDC_PORT_BACK               1010    // "< &Back" of this page; note: not 1008
#define IDC_PORT_LISTVIEW           1021    // list view of the spooler's ports
#define IDC_INSTALL                 1022
#define IDC_CANCEL                  1023
#define IDC_PROGRESS                1025    // installation progress, 0..100

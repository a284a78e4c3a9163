// Texts that live in the program's data instead of its resources.
//
// Each language build links one of texts_en.cpp / texts_zh.cpp, and both link texts_common.cpp.
// The texts are 8-bit ANSI strings for the A functions of Win32; the Chinese ones are stored in
// code page 936 (those files are compiled with -fexec-charset=CP936), so they read correctly
// only where the system's ANSI code page is 936.
#pragma once

// Message box after the installation has run on the NT family ("Detail Setting" page).
extern const char* const g_pszCompletedText;

// Heading of the only column of the port-monitor list ("Create Port" dialog) and its width in
// pixels.
extern const char* const g_pszMonitorColumn;
extern const int g_nMonitorColumnWidth;

// Headings of columns 0 and 1 of the port list ("Select Port" page).
extern const char* const g_pszPortColumn;
extern const char* const g_pszTypeColumn;

// Message box when a registry value cannot be written. Chinese in both builds.
extern const char* const g_pszRegistryErrorText;

// Message box after the installation has run on the NT family and failed, instead of
// g_pszCompletedText: one per step whose failure leaves no usable printer.
extern const char* const g_pszNoDriverDirectoryText;  // the spooler named no driver directory
extern const char* const g_pszCopyFailedText;         // a package file was not copied
extern const char* const g_pszDriverRefusedText;      // AddPrinterDriver failed
extern const char* const g_pszPrinterRefusedText;     // AddPrinter failed, not for an existing name
extern const char* const g_pszDefaultPrinterFailedText;  // "Device" was asked for, not written
extern const char* const g_pszSerialSettingsFailedText;  // a COM port's settings were not written

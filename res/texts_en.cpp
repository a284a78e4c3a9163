// The program's own texts, English build. See ProgramTexts.h.
#include "ProgramTexts.h"

const char* const g_pszCompletedText = "Completed!";
const char* const g_pszMonitorColumn = "Available Port Type";
const int g_nMonitorColumnWidth = 340;
const char* const g_pszPortColumn = "Port";
const char* const g_pszTypeColumn = "Type";
const char* const g_pszNoDriverDirectoryText =
    "Installation failed: the printer driver directory could not be found.";
const char* const g_pszCopyFailedText = "Installation failed: the driver files could not be copied.";
const char* const g_pszDriverRefusedText =
    "Installation failed: the print spooler did not accept the printer driver.";
const char* const g_pszPrinterRefusedText = "Installation failed: the printer could not be created.";
const char* const g_pszDefaultPrinterFailedText =
    "Installation failed: the printer could not be made the default printer.";
const char* const g_pszSerialSettingsFailedText =
    "Installation failed: the serial port settings could not be saved.";

// The program's own texts, English build. See ProgramTexts.h.
#include "ProgramTexts.h"

const char* const g_pszCompletedText = "Completed!";
const char* const g_pszMonitorColumn = "Available Port Type";
const int g_nMonitorColumnWidth = 340;
const char* const g_pszPortColumn = "Port";
const char* const g_pszTypeColumn = "Type";

#pragma once

// Constant tables of the model catalogue and of the serial-port settings. The lists of the Detail
// Setting page index them directly by their selection: each list holds exactly as many items as its
// table has entries, in the same order, and always has a selection.

const int kModelRowCount = 9;

// Base name of the model plug-in of each catalogue row; the file is the name plus ".DLL".
extern const char* const g_pszPluginNames[kModelRowCount];

// Entries 0..8: GPD base names of rows 0..8 (file: the name plus ".GPD").
// Entries 9..17: driver names of rows 0..8; the printer is named after its driver.
extern const char* const g_pszModelNames[2 * kModelRowCount];

// Serial-port tables, indexed by the selections of the page's hidden port-setting lists. The
// entries are the fields of the settings syntax of the values under the registry's "Ports" key.
extern const char* const g_pszPortValueNames[7];  // "LPT1:".."LPT3:", "COM1:".."COM4:"
extern const char* const g_pszBaudRates[9];
extern const char* const g_pszDataBits[4];
extern const char* const g_pszStopBits[3];
extern const char* const g_pszParity[5];
extern const char* const g_pszFlowControl[3];

// Port-list selections from here on are COM ports, whose settings go to the registry.
const int kFirstComPortIndex = 3;

// Rows from here on list the RXUNI plug-in pair among the driver's dependent files.
const int kFirstRxuniRow = 5;

// A text kept only in scrambled form: capital letters, two per byte, decoded by DecodeText with
// its own seed.
struct StoredText
{
    const char* pszText;
    unsigned short nSeed;
};

// The model list's items, one per catalogue row; each is also shown as the printer name once its
// row is chosen.
extern const StoredText g_modelTexts[kModelRowCount];

// What the printer-name field shows before any model has been chosen.
extern const StoredText g_initialPrinterName;

// Catalogue lookups by row (0..8); like the tables, they do no bounds check.
inline const char* PluginBaseName(int row) { return g_pszPluginNames[row]; }
inline const char* GpdBaseName(int row) { return g_pszModelNames[row]; }
inline const char* DriverName(int row) { return g_pszModelNames[row + kModelRowCount]; }
inline bool RowHasRxuniPair(int row) { return row >= kFirstRxuniRow && row < kModelRowCount; }

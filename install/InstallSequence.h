#pragma once

#include "framework/CString.h"
#include "install/InstallPlan.h"

// The order of InstallDriver's work, kept apart from Win32: the sequence calls the operations
// below and decides from their answers what comes next. The program's implementation forwards
// each of them to one Win32 call; the unit tests record them instead.

// What the installation reads from the two pages, gathered before it starts.
struct InstallChoices
{
    int row = 0;                     // model list 1011: the catalogue row
    CString portName;                // the port taken on "Select Port"
    int portIndex = 0;               // hidden port list 1014; CB_ERR (-1) when nothing is selected
    bool setDefaultPrinter = false;  // check box 1012 reads BST_CHECKED
    // Selections of the hidden serial lists, which index the serial-setting tables.
    int baud = 0;      // 1015
    int dataBits = 0;  // 1016
    int stopBits = 0;  // 1019
    int parity = 0;    // 1018
    int flow = 0;      // 1017
};

enum class RegistryRoot
{
    CurrentUser,
    LocalMachine,
};

// Handles are opaque here: a printer handle from AddPrinter, an HKEY from RegOpenKeyEx.
using PrinterHandle = void*;
using RegistryKey = void*;

// Names differ from the Win32 functions on purpose: <windows.h> defines CopyFile, AddPrinter and
// their like as macros.
class InstallPlatform
{
public:
    virtual ~InstallPlatform() = default;

    // GetPrinterDriverDirectory on the local spooler, level 1. False when the call fails or its
    // answer does not fit the buffer.
    virtual bool QueryDriverDirectory(const char* environment, CString& directory) = 0;
    // CopyFile that replaces an existing destination.
    virtual bool CopyPackageFile(const CString& source, const CString& destination) = 0;
    // AddPrinterDriver on the local spooler, level 3.
    virtual bool RegisterDriver(const DriverDescription& driver) = 0;
    // AddPrinter on the local spooler, level 2. NULL when refused; *error is then GetLastError.
    virtual PrinterHandle CreatePrinter(const PrinterDescription& printer, unsigned long* error) = 0;
    virtual void ClosePrinterHandle(PrinterHandle printer) = 0;
    // RegOpenKeyEx with KEY_SET_VALUE (never creates the key), RegSetValueEx with REG_SZ,
    // RegCloseKey. The first two return the Win32 error code, 0 for success.
    virtual long OpenRegistryKey(RegistryRoot root, const char* subKey, RegistryKey* key) = 0;
    virtual long SetRegistryString(RegistryKey key, const char* name, const CString& text,
                                   unsigned long dataSize) = 0;
    virtual void CloseRegistryKey(RegistryKey key) = 0;
    // PBM_SETPOS to the progress bar of "Select Port"; nothing once that page is gone.
    virtual void SetProgressPos(int position) = 0;
    virtual void Pause(unsigned milliseconds) = 0;
    // The modal message that a registry value could not be written.
    virtual void ShowRegistryError() = 0;
};

// The pause after the printer handle is closed, before the last progress position.
const unsigned kClosingPauseMs = 500;

// One complete installation: the ten copies, driver, printer, the "Device" value, a COM port's
// serial value, closing. A failed step does not stop the ones after it, and every progress
// position from 10 to 100 is sent. Returns what the steps that decide success did.
InstallOutcome RunInstallation(const InstallChoices& choices, InstallPlatform& platform);

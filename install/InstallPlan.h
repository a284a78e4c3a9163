#pragma once

#include <string>
#include <vector>

#include "framework/CString.h"

// What InstallDriver does, decided without touching Win32: which files it copies and where, how it
// describes the driver and the printer to the spooler, which registry texts it writes, and whether
// the run as a whole succeeded. The Win32 side only forwards these values.

// Where the texts go.
extern const char kPackageFolder[];       // "win2k": relative, so it is looked up in the current directory
extern const char kEnvironment[];         // "Windows NT x86", for GetPrinterDriverDirectory and the driver
extern const char kPrintProcessor[];      // "WinPrint"
extern const char kDataType[];            // "RAW", the printer's and the driver's default data type
extern const char kDeviceKeyPath[];       // under HKEY_CURRENT_USER
extern const char kDeviceValueName[];     // "Device"
extern const char kSpoolerName[];         // "winspool", the middle field of the "Device" value
extern const char kPortsKeyPath[];        // under HKEY_LOCAL_MACHINE

// AddPrinterDriver level 3 takes cVersion 2: the Windows 2000/XP user-mode driver model.
const unsigned kDriverVersion = 2;

// Size of the buffer the dependent-files multi-string is built in.
const std::size_t kDependentFilesSize = 255;

// One CopyFile from the package folder into the spooler's driver directory. After some copies the
// progress bar is moved to `position`; 0 means no progress message follows that copy.
struct CopyStep
{
    CString source;
    CString destination;
    int position;
};

// The ten copies for a catalogue row, in order. Each destination is the driver directory, a
// backslash and the file name, so an empty directory puts the file in the root of the current
// drive, as a failed GetPrinterDriverDirectory would.
std::vector<CopyStep> MakeCopyPlan(int row, const CString& driverDir);

// The driver's dependent files (DRIVER_INFO_3.pDependentFiles): zero-terminated names back to back
// and one more zero byte, in a zero-filled buffer of kDependentFilesSize bytes. A list that does not
// fit makes the buffer longer instead of being cut.
std::string ComposeDependentFiles(const std::string& pluginFileName, bool withRxuniPair);
std::string MakeDependentFiles(int row);

// The members of DRIVER_INFO_3 for a catalogue row.
struct DriverDescription
{
    CString name;
    CString environment;
    CString driverPath;
    CString dataFile;
    CString configFile;
    CString helpFile;
    CString dependentFiles;  // the whole buffer, embedded zero bytes included
    CString monitorName;     // empty, but passed as a pointer to a zero byte, not NULL
    CString defaultDataType;
    unsigned version;
};
DriverDescription MakeDriverDescription(int row);

// The members of PRINTER_INFO_2 that are set; all others stay zero or NULL.
struct PrinterDescription
{
    CString printerName;  // the printer is named after its driver
    CString portName;
    CString driverName;
    CString printProcessor;
    CString dataType;
};
PrinterDescription MakePrinterDescription(int row, const CString& port);

// Text of the current user's "Device" value, which makes the new printer the default one:
// "<driver name>,winspool,<port>".
CString DeviceValueText(int row, const CString& port);

// Text of a COM port's value under the "Ports" key, from the selections of the serial lists:
// baud rate, parity, data bits, stop bits, flow control, comma-separated.
CString SerialValueText(int baud, int parity, int dataBits, int stopBits, int flow);

// The serial value is written only for the COM entries of the port list; its name is the entry's.
bool WritesSerialValue(int portIndex);
const char* SerialValueName(int portIndex);

// RegSetValueEx with REG_SZ takes the size in bytes including the terminating zero.
unsigned long RegSzDataSize(const CString& text);

// GetLastError after AddPrinter when a printer of that name exists already.
const unsigned long kErrorPrinterAlreadyExists = 1802;  // ERROR_PRINTER_ALREADY_EXISTS

// What happened in one run of the installation, filled in by the Win32 side.
struct InstallOutcome
{
    bool driverDirectoryFound = false;  // GetPrinterDriverDirectory succeeded
    int copiesFailed = 0;               // CopyFile calls that returned FALSE
    bool driverRegistered = false;      // AddPrinterDriver succeeded
    bool printerAdded = false;          // AddPrinter returned a handle
    unsigned long printerError = 0;     // GetLastError when AddPrinter returned NULL
    // A registry value the user's choices asked for and that did not reach the registry (its key
    // did not open, or the value was refused).
    bool defaultPrinterFailed = false;  // "Device", with "Set Default Printer" ticked
    bool serialSettingsFailed = false;  // the COM port's value under "Ports"
};

enum class InstallStep
{
    None,
    DriverDirectory,
    CopyFiles,
    RegisterDriver,
    // Not "AddPrinter": <winspool.h> defines that name as a macro (AddPrinterA), which would
    // rename the enumerator in some translation units and not in others.
    CreatePrinter,
    DefaultPrinter,
    SerialSettings,
};

// The first step, in the order the installation runs them, that did not do its work; None when
// the installation succeeded. A default printer or serial settings that were asked for and not
// written count: the installation did not do what the user chose. A printer refused only because one of its name exists counts as
// there: the second run of an installation always meets the printer that the first one added.
InstallStep FirstFailedStep(const InstallOutcome& outcome);
// A printer of the driver's name exists after the run: added now, or refused only because one of
// that name exists. Only then may it become the default printer.
bool PrinterExists(const InstallOutcome& outcome);
bool InstallSucceeded(const InstallOutcome& outcome);

#pragma once

// What the local print spooler holds, read the way a test or a demo program looks at it after the
// wizard has run. No GoogleTest here: the end-to-end harness turns a refused call into a test
// failure, the walk-through and benchmark programs (tools/) into an exception.

#include <windows.h>

#include <string>
#include <vector>

namespace spooler
{

// The environment the wizard registers its driver for.
extern const char kEnvironment[];  // "Windows NT x86"

// EnumPrinterDriversA(NULL, kEnvironment, 3).
struct DriverInfo
{
    DWORD version = 0;
    std::string name, environment, driverPath, dataFile, configFile, helpFile, monitorName,
        defaultDataType;
    std::vector<std::string> dependentFiles;  // the multi-string, split
};

// EnumPrintersA(PRINTER_ENUM_LOCAL, NULL, 2).
struct PrinterInfo
{
    std::string name, port, driver, printProcessor, dataType;
    DWORD attributes = 0;
};

// EnumPortsA(NULL, 2).
struct PortInfo
{
    std::string name, monitor, description;
};

// Each reader fills `out` and returns true, or leaves `out` empty, describes the refused call and
// its Win32 error in `error` and returns false.
bool ReadDrivers(std::vector<DriverInfo>& out, std::string& error);
bool ReadPrinters(std::vector<PrinterInfo>& out, std::string& error);
bool ReadPorts(std::vector<PortInfo>& out, std::string& error);
bool ReadDriverDirectory(std::string& out, std::string& error);  // GetPrinterDriverDirectoryA

// The plain files of a folder, sorted by name; none when the folder does not exist.
std::vector<std::string> FilesIn(const std::string& dir);

} // namespace spooler

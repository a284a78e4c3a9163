#include "install/InstallPlan.h"

#include "catalogue/Catalogue.h"

const char kPackageFolder[] = "win2k";
const char kEnvironment[] = "Windows NT x86";
const char kPrintProcessor[] = "WinPrint";
const char kDataType[] = "RAW";
const char kDeviceKeyPath[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
const char kDeviceValueName[] = "Device";
const char kSpoolerName[] = "winspool";
const char kPortsKeyPath[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports";

namespace
{
CString PluginFileName(int row)
{
    return CString(PluginBaseName(row)) + ".DLL";
}

CString GpdFileName(int row)
{
    return CString(GpdBaseName(row)) + ".GPD";
}

// The names are given in the letter case of the package; the file system ignores case, and the
// spooler's descriptions below spell some of them differently.
CopyStep Copy(const CString& fileName, const CString& driverDir, int position)
{
    CopyStep step;
    step.source = CString(kPackageFolder) + "\\" + fileName;
    // The directory is text up to its first zero byte, as GetPrinterDriverDirectory leaves it.
    step.destination = CString(driverDir.GetString()) + "\\" + fileName;
    step.position = position;
    return step;
}
} // namespace

std::vector<CopyStep> MakeCopyPlan(int row, const CString& driverDir)
{
    return {
        Copy(PluginFileName(row), driverDir, 10),
        Copy(GpdFileName(row), driverDir, 20),
        Copy("uniDRVui.DLL", driverDir, 30),
        Copy("uniDRV.DLL", driverDir, 0),
        Copy("UNIDRV.HLP", driverDir, 40),
        Copy("UNIRES.DLL", driverDir, 0),
        Copy("TTFSUB.GPD", driverDir, 50),
        Copy("STDNAMES.GPD", driverDir, 0),
        // Copied for every row, though only rows from kFirstRxuniRow on name the pair to the spooler.
        Copy("RXUNI.ini", driverDir, 0),
        Copy("RXUNI.dll", driverDir, 60),
    };
}

std::string ComposeDependentFiles(const std::string& pluginFileName, bool withRxuniPair)
{
    static const char kCommon[] = "\\ttfsub.GPD\0\\unires.DLL\0\\stdnames.GPD";
    static const char kRxuni[] = "\\RXUNI.ini\0\\RXUNI.dll";

    // sizeof counts the literal's own terminating zero, which ends its last name.
    std::string list(kCommon, sizeof kCommon);
    if (withRxuniPair)
        list.append(kRxuni, sizeof kRxuni);
    list += pluginFileName;
    list += '\0';  // ends the plug-in's name
    list += '\0';  // ends the list
    if (list.size() < kDependentFilesSize)
        list.resize(kDependentFilesSize, '\0');
    return list;
}

std::string MakeDependentFiles(int row)
{
    return ComposeDependentFiles(PluginFileName(row).Str(), RowHasRxuniPair(row));
}

DriverDescription MakeDriverDescription(int row)
{
    // Bare file names behind a backslash: the spooler finds them in its driver directory, where
    // the copy plan has put them.
    DriverDescription driver;
    driver.version = kDriverVersion;
    driver.name = DriverName(row);
    driver.environment = kEnvironment;
    driver.driverPath = "\\uniDRV.DLL";
    driver.dataFile = "\\" + GpdFileName(row);
    driver.configFile = "\\uniDRVui.DLL";
    driver.helpFile = "\\uniDRV.HLP";
    const std::string dependentFiles = MakeDependentFiles(row);
    driver.dependentFiles = CString(dependentFiles.data(), static_cast<int>(dependentFiles.size()));
    driver.monitorName = "";
    driver.defaultDataType = kDataType;
    return driver;
}

PrinterDescription MakePrinterDescription(int row, const CString& port)
{
    PrinterDescription printer;
    printer.printerName = DriverName(row);
    printer.portName = port.GetString();
    printer.driverName = DriverName(row);
    printer.printProcessor = kPrintProcessor;
    printer.dataType = kDataType;
    return printer;
}

CString DeviceValueText(int row, const CString& port)
{
    CString text;
    text.Format("%s,%s,%s", DriverName(row), kSpoolerName, port.GetString());
    return text;
}

CString SerialValueText(int baud, int parity, int dataBits, int stopBits, int flow)
{
    CString text;
    text.Format("%s,%s,%s,%s,%s", g_pszBaudRates[baud], g_pszParity[parity], g_pszDataBits[dataBits],
                g_pszStopBits[stopBits], g_pszFlowControl[flow]);
    return text;
}

bool WritesSerialValue(int portIndex)
{
    return portIndex >= kFirstComPortIndex;
}

const char* SerialValueName(int portIndex)
{
    return g_pszPortValueNames[portIndex];
}

unsigned long RegSzDataSize(const CString& text)
{
    return static_cast<unsigned long>(text.GetLength()) + 1;
}

InstallStep FirstFailedStep(const InstallOutcome& outcome)
{
    if (!outcome.driverDirectoryFound)
        return InstallStep::DriverDirectory;
    if (outcome.copiesFailed != 0)
        return InstallStep::CopyFiles;
    if (!outcome.driverRegistered)
        return InstallStep::RegisterDriver;
    if (!PrinterExists(outcome))
        return InstallStep::CreatePrinter;
    if (outcome.defaultPrinterFailed)
        return InstallStep::DefaultPrinter;
    if (outcome.serialSettingsFailed)
        return InstallStep::SerialSettings;
    return InstallStep::None;
}

bool PrinterExists(const InstallOutcome& outcome)
{
    return outcome.printerAdded || outcome.printerError == kErrorPrinterAlreadyExists;
}

bool InstallSucceeded(const InstallOutcome& outcome)
{
    return FirstFailedStep(outcome) == InstallStep::None;
}

#include "SpoolerState.h"

#include <winspool.h>

#include <algorithm>
#include <cstring>

namespace spooler
{

const char kEnvironment[] = "Windows NT x86";

namespace
{
std::string Str(const char* s) { return s ? s : ""; }

std::string Refused(const char* what)
{
    return std::string(what) + " failed, error " + std::to_string(::GetLastError());
}

// A spooler enumeration called twice: once for the size, once for the data. Wine refuses a
// buffer of size 0 even for an empty set, so there is always one. Returns false when the second
// call fails; `count` is then 0.
template <class Call>
bool Enumerate(Call call, std::vector<BYTE>& buffer, DWORD& count)
{
    DWORD needed = 0;
    count = 0;
    call(nullptr, 0, &needed, &count);
    buffer.assign(needed ? needed : 1, 0);
    if (call(buffer.data(), static_cast<DWORD>(buffer.size()), &needed, &count))
        return true;
    count = 0;
    return false;
}
} // namespace

bool ReadDrivers(std::vector<DriverInfo>& out, std::string& error)
{
    out.clear();
    std::vector<BYTE> buffer;
    DWORD count = 0;
    if (!Enumerate(
            [](BYTE* p, DWORD cb, DWORD* needed, DWORD* returned) {
                return ::EnumPrinterDriversA(nullptr, const_cast<char*>(kEnvironment), 3, p, cb, needed,
                                             returned);
            },
            buffer, count))
    {
        error = Refused("EnumPrinterDriversA");
        return false;
    }
    const auto* info = reinterpret_cast<const DRIVER_INFO_3A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i)
    {
        DriverInfo d;
        d.version = info[i].cVersion;
        d.name = Str(info[i].pName);
        d.environment = Str(info[i].pEnvironment);
        d.driverPath = Str(info[i].pDriverPath);
        d.dataFile = Str(info[i].pDataFile);
        d.configFile = Str(info[i].pConfigFile);
        d.helpFile = Str(info[i].pHelpFile);
        d.monitorName = Str(info[i].pMonitorName);
        d.defaultDataType = Str(info[i].pDefaultDataType);
        for (const char* p = info[i].pDependentFiles; p && *p; p += std::strlen(p) + 1)
            d.dependentFiles.push_back(p);
        out.push_back(d);
    }
    return true;
}

bool ReadPrinters(std::vector<PrinterInfo>& out, std::string& error)
{
    out.clear();
    std::vector<BYTE> buffer;
    DWORD count = 0;
    if (!Enumerate(
            [](BYTE* p, DWORD cb, DWORD* needed, DWORD* returned) {
                return ::EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, p, cb, needed, returned);
            },
            buffer, count))
    {
        error = Refused("EnumPrintersA");
        return false;
    }
    const auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i)
    {
        PrinterInfo p;
        p.name = Str(info[i].pPrinterName);
        p.port = Str(info[i].pPortName);
        p.driver = Str(info[i].pDriverName);
        p.printProcessor = Str(info[i].pPrintProcessor);
        p.dataType = Str(info[i].pDatatype);
        p.attributes = info[i].Attributes;
        out.push_back(p);
    }
    return true;
}

bool ReadPorts(std::vector<PortInfo>& out, std::string& error)
{
    out.clear();
    std::vector<BYTE> buffer;
    DWORD count = 0;
    if (!Enumerate(
            [](BYTE* p, DWORD cb, DWORD* needed, DWORD* returned) {
                return ::EnumPortsA(nullptr, 2, p, cb, needed, returned);
            },
            buffer, count))
    {
        error = Refused("EnumPortsA");
        return false;
    }
    const auto* info = reinterpret_cast<const PORT_INFO_2A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i)
        out.push_back({Str(info[i].pPortName), Str(info[i].pMonitorName), Str(info[i].pDescription)});
    return true;
}

bool ReadDriverDirectory(std::string& out, std::string& error)
{
    char buffer[MAX_PATH * 2] = "";
    DWORD needed = 0;
    out.clear();
    if (!::GetPrinterDriverDirectoryA(nullptr, const_cast<char*>(kEnvironment), 1,
                                      reinterpret_cast<BYTE*>(buffer), sizeof buffer, &needed))
    {
        error = Refused("GetPrinterDriverDirectoryA");
        return false;
    }
    out = buffer;
    return true;
}

std::vector<std::string> FilesIn(const std::string& dir)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE h = ::FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return names;
    do
    {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(fd.cFileName);
    } while (::FindNextFileA(h, &fd));
    ::FindClose(h);
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace spooler

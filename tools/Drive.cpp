#include "Drive.h"

#include <commctrl.h>
#include <shellapi.h>
#include <winspool.h>

#include <algorithm>
#include <cstring>
#include <fstream>

namespace drive
{
namespace
{

const DWORD kSendTimeoutMs = 10000;

// Owned registry key.
class Key
{
public:
    Key() = default;
    ~Key() { if (m_h) ::RegCloseKey(m_h); }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HKEY* Out() { return &m_h; }
    HKEY Get() const { return m_h; }
private:
    HKEY m_h = nullptr;
};


void DeleteFilesIn(const std::string& dir)
{
    for (const std::string& name : FilesIn(dir))
    {
        const std::string path = dir + "\\" + name;
        ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!::DeleteFileA(path.c_str()))
            throw DriveError("cannot delete " + path + ", error " + std::to_string(::GetLastError()));
    }
}

struct TopLevelSearch
{
    DWORD pid;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectTopLevel(HWND wnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<TopLevelSearch*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(wnd, &pid);
    if (pid == search->pid && ::IsWindowVisible(wnd))
        search->windows.push_back(wnd);
    return TRUE;
}

HANDLE NullDevice()
{
    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
    return ::CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa,
                         OPEN_EXISTING, 0, nullptr);
}

} // namespace

// ---------------------------------------------------------------------------------------------

std::string Utf8(const std::wstring& text)
{
    if (text.empty())
        return {};
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                        nullptr, nullptr);
    std::string result(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &result[0], n, nullptr, nullptr);
    return result;
}

std::wstring Wide(const std::string& text, UINT codePage)
{
    if (text.empty())
        return {};
    const int n = ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &result[0], n);
    return result;
}

std::string ToWindowsPath(const std::string& path)
{
    if (path.empty() || path[0] != '/')
        return path;
    std::string result = "Z:" + path;
    std::replace(result.begin(), result.end(), '/', '\\');
    return result;
}

std::vector<std::wstring> Arguments()
{
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    std::vector<std::wstring> args;
    for (int i = 0; argv && i < argc; ++i)
        args.emplace_back(argv[i]);
    ::LocalFree(argv);
    return args;
}

std::wstring Option(const std::vector<std::wstring>& args, const std::wstring& name, const std::wstring& fallback)
{
    const std::wstring prefix = L"--" + name + L"=";
    for (const std::wstring& arg : args)
        if (arg.compare(0, prefix.size(), prefix) == 0)
            return arg.substr(prefix.size());
    return fallback;
}

// ---------------------------------------------------------------------------------------------

const std::vector<std::string>& PackageFiles()
{
    static const std::vector<std::string> files = {
        "RX1nocut.GPD", "RX1cut.GPD",   "RX2nocut.GPD", "RX2cut.GPD",   "RX3.GPD",   "RX3N.GPD",
        "RXH3.GPD",     "RXF3.GPD",     "QL9.GPD",      "RXRND.DLL",    "uniDRVui.DLL", "uniDRV.DLL",
        "UNIDRV.HLP",   "UNIRES.DLL",   "TTFSUB.GPD",   "STDNAMES.GPD", "RXUNI.ini", "RXUNI.dll"};
    return files;
}

void MakePackageDir(const std::string& dir)
{
    const std::string package = dir + "\\win2k";
    ::CreateDirectoryA(dir.c_str(), nullptr);
    ::CreateDirectoryA(package.c_str(), nullptr);
    for (const std::string& name : PackageFiles())
    {
        const std::string path = package + "\\" + name;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << "Placeholder for " << name << " of the printer-driver package (a text file, not a driver).\r\n";
        if (!out.good())
            throw DriveError("cannot write " + path);
    }
}

// ---------------------------------------------------------------------------------------------

std::vector<DriverRecord> Drivers()
{
    std::vector<DriverRecord> drivers;
    std::string error;
    if (!spooler::ReadDrivers(drivers, error))
        throw DriveError(error);
    return drivers;
}

std::vector<PrinterRecord> Printers()
{
    std::vector<PrinterRecord> printers;
    std::string error;
    if (!spooler::ReadPrinters(printers, error))
        throw DriveError(error);
    return printers;
}

std::vector<PortRecord> Ports()
{
    std::vector<PortRecord> ports;
    std::string error;
    if (!spooler::ReadPorts(ports, error))
        throw DriveError(error);
    return ports;
}

std::string DriverDirectory()
{
    std::string dir;
    std::string error;
    if (!spooler::ReadDriverDirectory(dir, error))
        throw DriveError(error);
    return dir;
}

std::string DefaultPrinter()
{
    char buffer[512] = "";
    DWORD cch = sizeof buffer;
    return ::GetDefaultPrinterA(buffer, &cch) ? buffer : "";
}

std::string DeviceValue()
{
    Key key;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kUserWindowsKey, 0, KEY_READ, key.Out()) != ERROR_SUCCESS)
        return "(none: no key)";
    char data[1024] = "";
    DWORD type = 0, cb = sizeof data - 1;
    if (::RegQueryValueExA(key.Get(), "Device", nullptr, &type, reinterpret_cast<BYTE*>(data), &cb) != ERROR_SUCCESS ||
        type != REG_SZ)
        return "(none)";
    return data;
}

void ResetSpooler()
{
    for (const PrinterRecord& printer : Printers())
    {
        PRINTER_DEFAULTSA defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
        HANDLE h = nullptr;
        if (!::OpenPrinterA(const_cast<char*>(printer.name.c_str()), &h, &defaults))
            throw DriveError("OpenPrinter(" + printer.name + ") failed, error " + std::to_string(::GetLastError()));
        const BOOL deleted = ::DeletePrinter(h);
        const DWORD error = ::GetLastError();
        ::ClosePrinter(h);
        if (!deleted)
            throw DriveError("DeletePrinter(" + printer.name + ") failed, error " + std::to_string(error));
    }
    for (const DriverRecord& driver : Drivers())
    {
        if (!::DeletePrinterDriverA(nullptr, const_cast<char*>(kEnvironment), const_cast<char*>(driver.name.c_str())))
            throw DriveError("DeletePrinterDriver(" + driver.name + ") failed, error " +
                             std::to_string(::GetLastError()));
    }
    const std::string dir = DriverDirectory();
    DeleteFilesIn(dir);
    DeleteFilesIn(dir + "\\3");

    Key key;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, kUserWindowsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.Out(),
                          nullptr) != ERROR_SUCCESS)
        throw DriveError(std::string("cannot create HKCU\\") + kUserWindowsKey);
    ::RegDeleteValueA(key.Get(), "Device");
}

// ---------------------------------------------------------------------------------------------

Process::Process(const std::wstring& program, const std::wstring& currentDir, HANDLE out,
                 const std::wstring& arguments)
{
    HANDLE null = NullDevice();
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = null;
    si.hStdOutput = out ? out : null;
    si.hStdError = null;
    std::wstring commandLine = L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    PROCESS_INFORMATION pi = {};
    const BOOL started = ::CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr,
                                          currentDir.empty() ? nullptr : currentDir.c_str(), &si, &pi);
    const DWORD error = ::GetLastError();
    ::CloseHandle(null);
    if (!started)
        throw DriveError("cannot start " + Utf8(program) + ", error " + std::to_string(error));
    ::CloseHandle(pi.hThread);
    m_process = pi.hProcess;
    m_pid = pi.dwProcessId;
}

Process::~Process()
{
    Terminate();
    ::CloseHandle(m_process);
}

bool Process::Running() const
{
    return ::WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT;
}

bool Process::WaitForExit(DWORD timeoutMs) const
{
    return ::WaitForSingleObject(m_process, timeoutMs) == WAIT_OBJECT_0;
}

DWORD Process::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(m_process, &code);
    return code;
}

void Process::Terminate()
{
    if (!Running())
        return;
    ::TerminateProcess(m_process, 1);
    ::WaitForSingleObject(m_process, kWaitMs);
}

std::vector<HWND> Process::Windows() const
{
    TopLevelSearch search{m_pid, {}};
    ::EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.windows;
}

HWND Process::WaitForWindow(const std::function<bool(HWND)>& pred, DWORD timeoutMs) const
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND wnd : Windows())
                if (pred(wnd))
                    return (found = wnd) != nullptr;
            return !Running();
        },
        timeoutMs);
    return found;
}

HWND Process::WaitForDialog(const std::wstring& caption, DWORD timeoutMs) const
{
    return WaitForWindow([&](HWND wnd) { return IsDialog(wnd) && Caption(wnd) == caption; }, timeoutMs);
}

std::wstring Process::DescribeWindows() const
{
    std::wstring text = Running() ? L"running, windows:" : L"ended, windows:";
    for (HWND wnd : Windows())
        text += L" [" + ClassOf(wnd) + L" \"" + Caption(wnd) + L"\"]";
    return text;
}

std::wstring ClassOf(HWND wnd)
{
    wchar_t name[256] = L"";
    ::GetClassNameW(wnd, name, 256);
    return name;
}

std::wstring Caption(HWND wnd)
{
    wchar_t buffer[512] = L"";
    ::InternalGetWindowText(wnd, buffer, 512);
    return buffer;
}

bool IsDialog(HWND wnd)
{
    return ClassOf(wnd) == L"#32770";
}

void Click(HWND dlg, int id)
{
    HWND button = ::GetDlgItem(dlg, id);
    if (!button || !::IsWindowVisible(button) || !::IsWindowEnabled(button))
        throw DriveError("button " + std::to_string(id) + " is missing, hidden or disabled");
    ::PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void SysCommand(HWND wnd, UINT command)
{
    ::PostMessageW(wnd, WM_SYSCOMMAND, command, 0);
}

bool WaitUntilIdle(HWND wnd, DWORD timeoutMs)
{
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(wnd, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result))
        return false;
    // RDW_UPDATENOW sends WM_PAINT to every window of the tree that still has something to paint.
    ::RedrawWindow(wnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return ::SendMessageTimeoutW(wnd, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result) != 0;
}

bool WaitUntilGone(HWND wnd, DWORD timeoutMs)
{
    return WaitUntil([&] { return !::IsWindow(wnd) || !::IsWindowVisible(wnd); }, timeoutMs);
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs)
{
    const DWORD start = ::GetTickCount();
    for (;;)
    {
        if (condition())
            return true;
        if (::GetTickCount() - start > timeoutMs)
            return false;
        ::Sleep(pollMs);
    }
}

int ListCount(HWND dlg, int id)
{
    HWND list = ::GetDlgItem(dlg, id);
    DWORD_PTR result = 0;
    if (!list || !::SendMessageTimeoutW(list, LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &result))
        return -1;
    return static_cast<int>(result);
}

} // namespace drive

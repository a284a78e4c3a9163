#include "Harness.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlwapi.h>
#include <winspool.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <ostream>
#include <sstream>

namespace e2e
{
namespace
{

const char kPortsKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports";
const char kUserWindowsKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
const DWORD kPollMs = 25;
const UINT kSendTimeoutMs = 10000;

struct Config
{
    std::wstring wizard;
    Lang lang = Lang::English;
    std::string traceFile;   // Windows path, empty when the run has none
};
Config g_config;

std::string Narrow(const std::wstring& text, UINT codePage = CP_UTF8)
{
    if (text.empty())
        return {};
    int n = ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string result(n, '\0');
    ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), &result[0], n, nullptr, nullptr);
    return result;
}

std::wstring Widen(const std::string& text, UINT codePage = CP_UTF8)
{
    if (text.empty())
        return {};
    int n = ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(n, L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &result[0], n);
    return result;
}

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

LONG OpenKey(HKEY root, const std::string& path, REGSAM access, Key& key)
{
    return ::RegOpenKeyExA(root, path.c_str(), 0, access, key.Out());
}

LONG CreateKey(HKEY root, const std::string& path, Key& key)
{
    return ::RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.Out(), nullptr);
}

void SetString(HKEY key, const std::string& name, const std::string& data, const char* what)
{
    LONG rc = ::RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                               static_cast<DWORD>(data.size() + 1));
    EXPECT_EQ(rc, ERROR_SUCCESS) << "setting " << what << " value \"" << name << "\"";
}


bool DeleteTree(const std::string& dir)
{
    WIN32_FIND_DATAA fd;
    HANDLE h = ::FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE)
    {
        do
        {
            std::string name = fd.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string path = dir + "\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteTree(path);
            else
            {
                ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileA(path.c_str());
            }
        } while (::FindNextFileA(h, &fd));
        ::FindClose(h);
    }
    return ::RemoveDirectoryA(dir.c_str()) || ::GetLastError() == ERROR_FILE_NOT_FOUND;
}

void DeleteFilesIn(const std::string& dir)
{
    for (const std::string& name : FilesIn(dir))
    {
        std::string path = dir + "\\" + name;
        ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_TRUE(::DeleteFileA(path.c_str())) << "deleting " << path << ", error " << ::GetLastError();
    }
}

// Unpacks the quoted text of Wine's debugstr_a: \n \r \t \" \\ and \xNN escapes.
std::string Unescape(const std::string& quoted)
{
    std::string out;
    size_t i = quoted.find('"');
    if (i == std::string::npos)
        return out;
    for (++i; i < quoted.size() && quoted[i] != '"'; ++i)
    {
        char c = quoted[i];
        if (c != '\\' || i + 1 >= quoted.size())
        {
            out += c;
            continue;
        }
        char e = quoted[++i];
        switch (e)
        {
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'x':
            if (i + 2 < quoted.size())
            {
                out += static_cast<char>(std::strtoul(quoted.substr(i + 1, 2).c_str(), nullptr, 16));
                i += 2;
            }
            break;
        default: out += e; break;   // \" and \\ .
        }
    }
    return out;
}

// One line of Wine debug output: [timestamp:]pid:tid:class:channel:text, as +pid writes it.
bool ParseTraceLine(const std::string& line, DWORD pid, TraceLine& out)
{
    std::vector<std::string> fields;
    size_t start = 0;
    for (int n = 0; n < 4; ++n)
    {
        size_t colon = line.find(':', start);
        if (colon == std::string::npos)
            return false;
        fields.push_back(line.substr(start, colon - start));
        start = colon + 1;
    }
    size_t first = 0;
    if (fields[0].find('.') != std::string::npos)
    {
        out.timestamp = fields[0];
        first = 1;
        size_t colon = line.find(':', start);
        if (colon == std::string::npos)
            return false;
        fields.push_back(line.substr(start, colon - start));
        start = colon + 1;
    }
    else
        out.timestamp.clear();
    char* end = nullptr;
    unsigned long linePid = std::strtoul(fields[first].c_str(), &end, 16);
    if (end == fields[first].c_str() || *end || linePid != pid)
        return false;
    out.cls = fields[first + 2];
    out.channel = fields[first + 3];
    out.text = line.substr(start);
    return true;
}

BOOL CALLBACK CollectChild(HWND wnd, LPARAM lParam)
{
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(wnd);
    return TRUE;
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

// A top-level window's caption without sending it a message: a busy wizard cannot block it.
std::wstring Caption(HWND wnd)
{
    wchar_t buffer[512] = L"";
    ::InternalGetWindowText(wnd, buffer, 512);
    return buffer;
}

std::string CurrentTestName()
{
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "no-test";
    for (char& c : name)
        if (c == '/' || c == '\\' || c == ':' || c == '*' || c == '?')
            c = '_';
    return name;
}

} // namespace

// ---------------------------------------------------------------------------------------------

Lang BuildLanguage() { return g_config.lang; }

const wchar_t* Tr(const wchar_t* en, const wchar_t* zh) { return ChineseBuild() ? zh : en; }

const std::wstring& WizardPath() { return g_config.wizard; }

const wchar_t* PageCaption(Page page)
{
    switch (page)
    {
    case Page::SelectOs: return Tr(L"Select OS", L"选择操作系统");
    case Page::DetailSetting: return Tr(L"Detail Setting", L"详细设置");
    case Page::SelectPort: return Tr(L"Select Port", L"选择打印端口");
    case Page::CreatePort: return Tr(L"Create Port", L"创建端口");
    case Page::AboutBox: return L"关于 Trelvo";
    }
    return L"";
}

std::string ToWindowsPath(const std::string& path)
{
    if (path.empty() || path[0] != '/')
        return path;
    std::string result = "Z:" + path;
    std::replace(result.begin(), result.end(), '/', '\\');
    return result;
}

// ---------------------------------------------------------------------------------------------

void SetWindowsVersion(const std::string& version, const std::string& exe)
{
    Key key;
    ASSERT_EQ(CreateKey(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\" + exe, key), ERROR_SUCCESS);
    SetString(key.Get(), "Version", version, "AppDefaults");
}

void ClearWindowsVersion(const std::string& exe)
{
    Key key;
    if (OpenKey(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\" + exe, KEY_SET_VALUE, key) != ERROR_SUCCESS)
        return;
    LONG rc = ::RegDeleteValueA(key.Get(), "Version");
    EXPECT_TRUE(rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND) << "error " << rc;
}

void SetPorts(const std::vector<RegValue>& ports)
{
    Key key;
    ASSERT_EQ(CreateKey(HKEY_LOCAL_MACHINE, kPortsKey, key), ERROR_SUCCESS);
    char name[512];
    DWORD cch = sizeof name;
    while (::RegEnumValueA(key.Get(), 0, name, &cch, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
    {
        LONG rc = ::RegDeleteValueA(key.Get(), name);
        if (rc != ERROR_SUCCESS)
        {
            ADD_FAILURE() << "deleting Ports value \"" << name << "\", error " << rc;
            break;
        }
        cch = sizeof name;
    }
    for (const RegValue& port : ports)
        SetString(key.Get(), port.first, port.second, "Ports");
}

std::vector<RegValue> Ports() { return RegStringValues(HKEY_LOCAL_MACHINE, kPortsKey); }

std::vector<RegValue> DefaultPorts()
{
    return {{"COM1:", "9600,n,8,1"}, {"COM2:", "9600,n,8,1"}, {"COM3:", "9600,n,8,1"},
            {"COM4:", "9600,n,8,1"}, {"FILE:", ""},           {"LPT1:", ""},
            {"LPT2:", ""},           {"LPT3:", ""}};
}

void RemoveUserWindowsKey()
{
    DWORD rc = ::SHDeleteKeyA(HKEY_CURRENT_USER, kUserWindowsKey);
    EXPECT_TRUE(rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND) << "error " << rc;
}

void SetDeviceValue(const std::optional<std::string>& device)
{
    Key key;
    ASSERT_EQ(CreateKey(HKEY_CURRENT_USER, kUserWindowsKey, key), ERROR_SUCCESS);
    if (device)
        SetString(key.Get(), "Device", *device, "Windows");
    else
    {
        LONG rc = ::RegDeleteValueA(key.Get(), "Device");
        EXPECT_TRUE(rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND) << "error " << rc;
    }
}

bool UserWindowsKeyExists()
{
    Key key;
    return OpenKey(HKEY_CURRENT_USER, kUserWindowsKey, KEY_READ, key) == ERROR_SUCCESS;
}

std::optional<std::string> DeviceValue()
{
    return RegString(HKEY_CURRENT_USER, kUserWindowsKey, "Device");
}

void RemovePrintersAndDrivers()
{
    for (const PrinterInfo& printer : Printers())
    {
        PRINTER_DEFAULTSA defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
        HANDLE h = nullptr;
        if (!::OpenPrinterA(const_cast<char*>(printer.name.c_str()), &h, &defaults))
        {
            ADD_FAILURE() << "OpenPrinter(" << printer.name << ") failed, error " << ::GetLastError();
            continue;
        }
        EXPECT_TRUE(::DeletePrinter(h)) << "DeletePrinter(" << printer.name << "), error " << ::GetLastError();
        ::ClosePrinter(h);
    }
    for (const DriverInfo& driver : Drivers())
    {
        EXPECT_TRUE(::DeletePrinterDriverA(nullptr, const_cast<char*>(spooler::kEnvironment), const_cast<char*>(driver.name.c_str())))
            << "DeletePrinterDriver(" << driver.name << "), error " << ::GetLastError();
    }
    const std::string dir = DriverDirectory();
    if (!dir.empty())
    {
        DeleteFilesIn(dir);
        DeleteFilesIn(dir + "\\3");
    }
    EXPECT_TRUE(Printers().empty());
    EXPECT_TRUE(Drivers().empty());
}

void ResetSystem()
{
    ClearWindowsVersion();
    SetPorts(DefaultPorts());
    RemoveUserWindowsKey();
    RemovePrintersAndDrivers();
}

// ---------------------------------------------------------------------------------------------

std::vector<DriverInfo> Drivers()
{
    std::vector<DriverInfo> drivers;
    std::string error;
    if (!spooler::ReadDrivers(drivers, error))
        ADD_FAILURE() << error;
    return drivers;
}

std::vector<PrinterInfo> Printers()
{
    std::vector<PrinterInfo> printers;
    std::string error;
    if (!spooler::ReadPrinters(printers, error))
        ADD_FAILURE() << error;
    return printers;
}

std::string DriverDirectory()
{
    std::string dir;
    std::string error;
    if (!spooler::ReadDriverDirectory(dir, error))
        ADD_FAILURE() << error;
    return dir;
}

std::optional<std::string> RegString(HKEY root, const std::string& keyPath, const std::string& value)
{
    Key key;
    if (OpenKey(root, keyPath, KEY_READ, key) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD type = 0, cb = 0;
    if (::RegQueryValueExA(key.Get(), value.c_str(), nullptr, &type, nullptr, &cb) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::nullopt;
    std::string data(cb, '\0');
    if (cb && ::RegQueryValueExA(key.Get(), value.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &cb) != ERROR_SUCCESS)
        return std::nullopt;
    data.resize(cb);
    while (!data.empty() && data.back() == '\0')
        data.pop_back();
    return data;
}

std::vector<RegValue> RegStringValues(HKEY root, const std::string& keyPath)
{
    std::vector<RegValue> values;
    Key key;
    if (OpenKey(root, keyPath, KEY_READ, key) != ERROR_SUCCESS)
        return values;
    for (DWORD i = 0;; ++i)
    {
        char name[512];
        BYTE data[2048];
        DWORD cchName = sizeof name, cbData = sizeof data, type = 0;
        LONG rc = ::RegEnumValueA(key.Get(), i, name, &cchName, nullptr, &type, data, &cbData);
        if (rc == ERROR_NO_MORE_ITEMS)
            break;
        if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
            continue;
        std::string text(reinterpret_cast<const char*>(data), cbData);
        while (!text.empty() && text.back() == '\0')
            text.pop_back();
        values.emplace_back(name, text);
    }
    return values;
}

// ---------------------------------------------------------------------------------------------

std::string NewTestDir()
{
    char temp[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, temp);
    std::string root = std::string(temp) + "trelvoset-e2e";
    ::CreateDirectoryA(root.c_str(), nullptr);
    std::string dir = root + "\\" + CurrentTestName();
    DeleteTree(dir);
    EXPECT_TRUE(::CreateDirectoryA(dir.c_str(), nullptr)) << "creating " << dir << ", error " << ::GetLastError();
    return dir;
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    EXPECT_TRUE(out.good()) << "writing " << path;
}

// ---------------------------------------------------------------------------------------------

Wizard::Wizard() : Wizard(Options{}) {}

Wizard::Wizard(const Options& options)
{
    m_currentDir = options.currentDir.empty() ? NewTestDir() : options.currentDir;
    const std::wstring program = options.program.empty() ? WizardPath() : Widen(ToWindowsPath(options.program));

    // This program's environment with the wizard's own WINEDEBUG: +pid marks its lines, so the
    // shared stderr file can be read per process.
    std::wstring environment;
    const wchar_t* block = ::GetEnvironmentStringsW();
    for (const wchar_t* p = block; *p; p += std::wcslen(p) + 1)
    {
        if (::_wcsnicmp(p, L"WINEDEBUG=", 10) != 0)
            environment.append(p).push_back(L'\0');
    }
    ::FreeEnvironmentStringsW(const_cast<wchar_t*>(block));
    std::wstring debug = L"WINEDEBUG=-all,+pid,+debugstr";
    if (!options.debugChannels.empty())
        debug += L"," + Widen(options.debugChannels);
    environment.append(debug).push_back(L'\0');
    environment.push_back(L'\0');

    if (!g_config.traceFile.empty())
    {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (::GetFileAttributesExA(g_config.traceFile.c_str(), GetFileExInfoStandard, &data))
            m_traceStart = (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }

    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                          &environment[0], Widen(m_currentDir).c_str(), &si, &pi))
    {
        ADD_FAILURE() << "cannot start " << program << " in " << m_currentDir << ", error " << ::GetLastError();
        return;
    }
    ::CloseHandle(pi.hThread);
    m_process = pi.hProcess;
    m_pid = pi.dwProcessId;
}

Wizard::~Wizard()
{
    Terminate();
    if (m_process)
        ::CloseHandle(m_process);
}

bool Wizard::Running() const
{
    return m_process && ::WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT;
}

void Wizard::Terminate()
{
    if (!Running())
        return;
    ::TerminateProcess(m_process, 1);
    ::WaitForSingleObject(m_process, kUiTimeoutMs);
}

std::vector<HWND> Wizard::Windows() const
{
    TopLevelSearch search{m_pid, {}};
    if (m_pid)
        ::EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.windows;
}

HWND Wizard::WaitForWindow(const std::function<bool(HWND)>& pred, DWORD timeoutMs) const
{
    const DWORD start = ::GetTickCount();
    for (;;)
    {
        for (HWND wnd : Windows())
            if (pred(wnd))
                return wnd;
        if (!Running() || ::GetTickCount() - start > timeoutMs)
            return nullptr;
        ::Sleep(kPollMs);
    }
}

HWND Wizard::WaitForDialog(const std::wstring& caption, DWORD timeoutMs) const
{
    return WaitForWindow([&](HWND wnd) { return ClassOf(wnd) == L"#32770" && Caption(wnd) == caption; }, timeoutMs);
}

bool Wizard::WaitForExit(DWORD timeoutMs, std::vector<std::wstring>* appeared)
{
    if (!m_process)
        return false;
    const std::vector<HWND> before = Windows();
    std::vector<HWND> seen;
    const DWORD start = ::GetTickCount();
    for (;;)
    {
        for (HWND wnd : Windows())
        {
            if (std::find(before.begin(), before.end(), wnd) != before.end() ||
                std::find(seen.begin(), seen.end(), wnd) != seen.end())
                continue;
            seen.push_back(wnd);
            if (appeared)
            {
                std::wstring caption = Caption(wnd);
                appeared->push_back(caption.empty() ? L"(" + ClassOf(wnd) + L")" : caption);
            }
        }
        if (::WaitForSingleObject(m_process, kPollMs) == WAIT_OBJECT_0)
            return true;
        if (::GetTickCount() - start > timeoutMs)
            return false;
    }
}

DWORD Wizard::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    if (m_process)
        ::GetExitCodeProcess(m_process, &code);
    return code;
}

std::vector<TraceLine> Wizard::Trace(const std::string& channel) const
{
    std::vector<TraceLine> lines;
    if (g_config.traceFile.empty())
    {
        ADD_FAILURE() << "no trace file: run the tests through scripts/wine.sh with TRELVOSET_TRACE set";
        return lines;
    }
    std::ifstream in(g_config.traceFile, std::ios::binary);
    in.seekg(m_traceStart);
    std::string line;
    while (std::getline(in, line))
    {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        TraceLine parsed;
        if (ParseTraceLine(line, m_pid, parsed) && (channel.empty() || parsed.channel == channel))
            lines.push_back(parsed);
    }
    return lines;
}

std::vector<std::string> Wizard::DebugLines() const
{
    std::vector<std::string> texts;
    for (const TraceLine& line : Trace("debugstr"))
    {
        if (line.text.compare(0, 19, "OutputDebugStringA ") == 0)
            texts.push_back(Unescape(line.text.substr(19)));
    }
    return texts;
}

std::wstring Wizard::DescribeWindows() const
{
    std::wostringstream out;
    out << L"windows of process " << m_pid << (Running() ? L" (running):" : L" (ended):");
    for (HWND wnd : Windows())
        out << L" [" << ClassOf(wnd) << L" \"" << Caption(wnd) << L"\"]";
    return out.str();
}

void WizardTest::SetUp()
{
    ResetSystem();
}

// ---------------------------------------------------------------------------------------------

HWND Item(HWND dlg, int id)
{
    HWND item = ::GetDlgItem(dlg, id);
    if (!item)
        ADD_FAILURE() << "window " << dlg << " has no control " << id;
    return item;
}

LRESULT Send(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    if (!wnd)
        return 0;
    if (!::SendMessageTimeoutW(wnd, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, &result))
    {
        ADD_FAILURE() << "window " << wnd << " did not answer message 0x" << std::hex << message;
        return 0;
    }
    return static_cast<LRESULT>(result);
}

void Click(HWND dlg, int id)
{
    HWND button = Item(dlg, id);
    if (!button)
        return;
    if (!::IsWindowVisible(button) || !::IsWindowEnabled(button))
    {
        ADD_FAILURE() << "button " << id << " cannot be clicked: it is hidden or disabled";
        return;
    }
    ::PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void ClickCheck(HWND dlg, int id)
{
    HWND button = Item(dlg, id);
    if (!button)
        return;
    if (!::IsWindowVisible(button) || !::IsWindowEnabled(button))
    {
        ADD_FAILURE() << "control " << id << " cannot be clicked: it is hidden or disabled";
        return;
    }
    ::PostMessageW(button, BM_CLICK, 0, 0);
}

void PressKey(HWND wnd, UINT vk)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    HWND target = wnd;
    if (::GetGUIThreadInfo(::GetWindowThreadProcessId(wnd, nullptr), &info) && info.hwndFocus)
        target = info.hwndFocus;
    const LPARAM scan = static_cast<LPARAM>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16;
    ::PostMessageW(target, WM_KEYDOWN, vk, 1 | scan);
    ::PostMessageW(target, WM_KEYUP, vk, 1 | scan | (1L << 30) | static_cast<LPARAM>(1UL << 31));
}

void PressCloseBox(HWND wnd)
{
    ::PostMessageW(wnd, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void SysCommand(HWND wnd, UINT command)
{
    ::PostMessageW(wnd, WM_SYSCOMMAND, command, 0);
}

void ComboSelect(HWND dlg, int id, int index)
{
    HWND combo = Item(dlg, id);
    if (!combo)
        return;
    EXPECT_EQ(Send(combo, CB_SETCURSEL, index), index) << "no item " << index << " in list " << id;
    Send(dlg, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void ListChooseRow(HWND dlg, int id, int row)
{
    HWND list = Item(dlg, id);
    if (!list)
        return;
    const LPARAM up = 1 | (1L << 30) | static_cast<LPARAM>(1UL << 31);
    ::PostMessageW(list, WM_KEYDOWN, VK_HOME, 1);
    ::PostMessageW(list, WM_KEYUP, VK_HOME, up);
    for (int i = 0; i < row; ++i)
    {
        ::PostMessageW(list, WM_KEYDOWN, VK_DOWN, 1);
        ::PostMessageW(list, WM_KEYUP, VK_DOWN, up);
    }
    // Posted keys are handled in the wizard's own time; wait until the row shows as selected.
    if (!WaitUntil([&] { return ListSelection(dlg, id) == row; }))
        ADD_FAILURE() << "row " << row << " of list " << id << " did not become selected";
}

std::wstring Text(HWND wnd)
{
    if (!wnd)
        return {};
    const int length = static_cast<int>(Send(wnd, WM_GETTEXTLENGTH));
    std::wstring text(length + 1, L'\0');
    const int copied = static_cast<int>(Send(wnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0])));
    text.resize(std::min(copied, length));
    return text;
}

std::wstring ItemText(HWND dlg, int id) { return Text(Item(dlg, id)); }

std::wstring ClassOf(HWND wnd)
{
    wchar_t name[256] = L"";
    ::GetClassNameW(wnd, name, 256);
    return name;
}

bool IsChecked(HWND dlg, int id)
{
    HWND button = Item(dlg, id);
    return button && Send(button, BM_GETCHECK) == BST_CHECKED;
}

bool IsShown(HWND dlg, int id)
{
    HWND item = Item(dlg, id);
    return item && ::IsWindowVisible(item);
}

bool IsEnabled(HWND dlg, int id)
{
    HWND item = Item(dlg, id);
    return item && ::IsWindowEnabled(item);
}

int ComboCount(HWND dlg, int id) { return static_cast<int>(Send(Item(dlg, id), CB_GETCOUNT)); }

int ComboSelection(HWND dlg, int id) { return static_cast<int>(Send(Item(dlg, id), CB_GETCURSEL)); }

std::wstring ComboItem(HWND dlg, int id, int index)
{
    HWND combo = Item(dlg, id);
    if (!combo)
        return {};
    const LRESULT length = Send(combo, CB_GETLBTEXTLEN, index);
    if (length == CB_ERR)
    {
        ADD_FAILURE() << "no item " << index << " in list " << id;
        return {};
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied = Send(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(copied == CB_ERR ? 0 : static_cast<size_t>(std::min(copied, length)));
    return text;
}

std::vector<std::wstring> ComboItems(HWND dlg, int id)
{
    std::vector<std::wstring> items;
    const int count = ComboCount(dlg, id);
    for (int i = 0; i < count; ++i)
        items.push_back(ComboItem(dlg, id, i));
    return items;
}

int ListCount(HWND dlg, int id) { return static_cast<int>(Send(Item(dlg, id), LVM_GETITEMCOUNT)); }

UINT ListItemState(HWND dlg, int id, int item, UINT mask)
{
    return static_cast<UINT>(Send(Item(dlg, id), LVM_GETITEMSTATE, item, mask));
}

int ListSelection(HWND dlg, int id)
{
    const int count = ListCount(dlg, id);
    for (int i = 0; i < count; ++i)
        if (ListItemState(dlg, id, i, LVIS_SELECTED) & LVIS_SELECTED)
            return i;
    return -1;
}

int ListColumnWidth(HWND dlg, int id, int column)
{
    return static_cast<int>(Send(Item(dlg, id), LVM_GETCOLUMNWIDTH, column));
}

int ProgressPos(HWND dlg, int id) { return static_cast<int>(Send(Item(dlg, id), PBM_GETPOS)); }

RECT WindowRect(HWND wnd)
{
    RECT rect = {};
    EXPECT_TRUE(::GetWindowRect(wnd, &rect)) << "window " << wnd;
    return rect;
}

POINT Centre(const RECT& rect)
{
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

HWND Owner(HWND wnd) { return ::GetWindow(wnd, GW_OWNER); }

std::vector<HWND> Children(HWND wnd)
{
    std::vector<HWND> children;
    ::EnumChildWindows(wnd, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

std::vector<HWND> ChildrenOf(HWND wnd, const std::wstring& cls, DWORD styleMask, DWORD style)
{
    std::vector<HWND> result;
    for (HWND child : Children(wnd))
    {
        if (::_wcsicmp(ClassOf(child).c_str(), cls.c_str()) != 0)
            continue;
        if (styleMask && (static_cast<DWORD>(::GetWindowLongW(child, GWL_STYLE)) & styleMask) != style)
            continue;
        result.push_back(child);
    }
    return result;
}

bool WaitUntilGone(HWND wnd, DWORD timeoutMs)
{
    return WaitUntil([wnd] { return !::IsWindow(wnd); }, timeoutMs);
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    while (!condition())
    {
        if (::GetTickCount() - start > timeoutMs)
            return false;
        ::Sleep(kPollMs);
    }
    return true;
}

HWND WaitForPage(const Wizard& wizard, Page page)
{
    HWND wnd = wizard.WaitForDialog(PageCaption(page));
    if (!wnd)
        ADD_FAILURE() << "no page \"" << PageCaption(page) << "\"; " << wizard.DescribeWindows();
    return wnd;
}

HWND OpenDetailSetting(const Wizard& wizard)
{
    const int kNext = 1009;  // "Next >" on "Select OS"
    HWND selectOs = WaitForPage(wizard, Page::SelectOs);
    if (!selectOs)
        return nullptr;
    Click(selectOs, kNext);
    return WaitForPage(wizard, Page::DetailSetting);
}

} // namespace e2e

void PrintTo(const RECT& rect, std::ostream* os)
{
    *os << "{" << rect.left << "," << rect.top << " - " << rect.right << "," << rect.bottom << "}";
}

void PrintTo(const POINT& point, std::ostream* os)
{
    *os << "(" << point.x << "," << point.y << ")";
}

// ---------------------------------------------------------------------------------------------
// The test program's entry: takes --wizard and --lang, passes the rest to GoogleTest.

int main()
{
    using namespace e2e;
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    std::vector<wchar_t*> rest;
    std::wstring lang;
    for (int i = 0; i < argc; ++i)
    {
        std::wstring arg = argv[i];
        if (arg.compare(0, 9, L"--wizard=") == 0)
            g_config.wizard = Widen(ToWindowsPath(Narrow(arg.substr(9))));
        else if (arg.compare(0, 7, L"--lang=") == 0)
            lang = arg.substr(7);
        else
            rest.push_back(argv[i]);
    }
    if (g_config.wizard.empty() || (lang != L"en" && lang != L"zh"))
    {
        std::fprintf(stderr, "usage: e2e_tests --wizard=PATH\\trelvoset.exe --lang=en|zh [GoogleTest flags]\n");
        return 2;
    }
    g_config.lang = lang == L"zh" ? Lang::Chinese : Lang::English;
    // The Chinese build keeps its texts in code page 936; elsewhere they would read as other
    // characters and every Chinese expectation would fail for the wrong reason.
    if (g_config.lang == Lang::Chinese && ::GetACP() != 936)
    {
        std::fprintf(stderr, "e2e_tests: the Chinese build needs a locale with code page 936 (LC_ALL=zh_CN.UTF-8), not %u\n", ::GetACP());
        return 2;
    }
    if (const char* trace = std::getenv("TRELVOSET_TRACE"); trace && *trace)
        g_config.traceFile = ToWindowsPath(trace);

    int count = static_cast<int>(rest.size());
    rest.push_back(nullptr);
    ::testing::InitGoogleTest(&count, rest.data());
    return RUN_ALL_TESTS();
}

#pragma once

// What the walk-through (tools/walkthrough.cpp) and the benchmark (bench/bench.cpp) need to drive
// trelvoset.exe from outside, as a user would, and to read what it left behind: a small copy of
// the parts of the end-to-end harness (tests/e2e/Harness.h) they use, without GoogleTest. Every
// failure here is reported by exception (DriveError), since these programs stop at the first one.
//
// The programs run in the same Wine prefix and on the same display as the wizard they start
// (scripts/wine.sh). Windows of the wizard are found by process, class and caption; buttons are
// pressed with the WM_COMMAND a click sends; nothing in the wizard knows it is being driven.

#include <windows.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "../tests/e2e/SpoolerState.h"

namespace drive
{

struct DriveError : std::runtime_error
{
    using std::runtime_error::runtime_error;
};

// Waits give up after this long. Everything runs emulated (qemu) here, so it is generous.
constexpr DWORD kWaitMs = 60000;

// Text conversions. Console output of these programs is UTF-8.
std::string Utf8(const std::wstring& text);
std::wstring Wide(const std::string& text, UINT codePage = CP_UTF8);
std::string ToWindowsPath(const std::string& path);           // "/x/y" -> "Z:\x\y"; others as is

// The command line as wide strings (CommandLineToArgvW): Chinese arguments survive any locale.
std::vector<std::wstring> Arguments();
// The value of "--name=value" among the arguments, or fallback.
std::wstring Option(const std::vector<std::wstring>& args, const std::wstring& name,
                    const std::wstring& fallback = L"");

// ---------------------------------------------------------------------------------------------
// The driver package

// The file names of the package: the nine model GPDs and the nine shared files.
const std::vector<std::string>& PackageFiles();
// Makes `dir` (created if missing) hold "win2k" with every package file as a small text file:
// the names are all that matters to the wizard, and Wine's spooler must not load a real DLL
// (it calls into the configuration file after registering the driver).
void MakePackageDir(const std::string& dir);

// ---------------------------------------------------------------------------------------------
// The system's state

using spooler::kEnvironment;
const char kUserWindowsKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

using DriverRecord = spooler::DriverInfo;
using PrinterRecord = spooler::PrinterInfo;
using PortRecord = spooler::PortInfo;

// The spooler's state; a refused call throws DriveError.
std::vector<DriverRecord> Drivers();                          // EnumPrinterDriversA level 3
std::vector<PrinterRecord> Printers();                        // EnumPrintersA local, level 2
std::vector<PortRecord> Ports();                              // EnumPortsA level 2
std::string DriverDirectory();                                // GetPrinterDriverDirectoryA
using spooler::FilesIn;                                       // plain files, sorted
std::string DefaultPrinter();                                 // GetDefaultPrinterA; "" if none
// The "Device" value of HKCU\...\Windows; "(none)" when the value or key is missing.
std::string DeviceValue();

// The state a Windows machine would be in before anyone installed this driver: no printers, no
// "Windows NT x86" drivers, an empty driver directory, and the user's "Windows" key present
// (Windows always has it; a fresh Wine prefix does not) without a "Device" value.
void ResetSpooler();

// ---------------------------------------------------------------------------------------------
// Programs and their windows

class Process
{
public:
    // Starts `program` with `arguments` in `currentDir`. Its standard output is `out`, or the
    // null device like its other standard handles: a child must not hold the pipe a shell reads
    // this program's output from.
    Process(const std::wstring& program, const std::wstring& currentDir, HANDLE out = nullptr,
            const std::wstring& arguments = L"");
    ~Process();                                               // terminates it if still running
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    DWORD Id() const { return m_pid; }
    bool Running() const;
    bool WaitForExit(DWORD timeoutMs = kWaitMs) const;
    DWORD ExitCode() const;
    void Terminate();

    std::vector<HWND> Windows() const;                        // visible top-level, Z order
    // The first visible top-level window that satisfies pred; nullptr when none appeared within
    // timeoutMs or the process ended.
    HWND WaitForWindow(const std::function<bool(HWND)>& pred, DWORD timeoutMs = kWaitMs) const;
    HWND WaitForDialog(const std::wstring& caption, DWORD timeoutMs = kWaitMs) const;
    std::wstring DescribeWindows() const;

private:
    HANDLE m_process = nullptr;
    DWORD m_pid = 0;
};

std::wstring ClassOf(HWND wnd);
// The caption without sending a message (InternalGetWindowText): a busy program cannot block it.
std::wstring Caption(HWND wnd);
bool IsDialog(HWND wnd);                                      // class "#32770"

// A click on a button: the WM_COMMAND/BN_CLICKED it sends, posted to its dialog.
void Click(HWND dlg, int id);
// A system-menu command: WM_SYSCOMMAND posted, as the menu sends it.
void SysCommand(HWND wnd, UINT command);
// Returns once the window's thread has handled every message sent before and painted what it
// had to (a WM_NULL sent, then the window updated); false when it did not answer.
bool WaitUntilIdle(HWND wnd, DWORD timeoutMs = kWaitMs);
bool WaitUntilGone(HWND wnd, DWORD timeoutMs = kWaitMs);
// Polls condition every pollMs until it holds (true) or timeoutMs passed (false).
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kWaitMs, DWORD pollMs = 20);
// LVM_GETITEMCOUNT, which crosses processes.
int ListCount(HWND dlg, int id);

} // namespace drive

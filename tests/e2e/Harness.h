#pragma once

// End-to-end test harness: starts trelvoset.exe in the Wine prefix the tests run in, finds and
// drives its windows from outside (window messages, as a user's clicks and keys produce them),
// and reads what the program left in the spooler, the registry, the file system and its
// debugger output. The program has no switches or hooks for tests.
//
// The test program is run through scripts/wine.sh:
//     e2e_tests.exe --wizard=PATH --lang=en|zh [GoogleTest flags]
// PATH is the trelvoset.exe under test (a Unix path is taken as one on drive Z:), --lang the
// language of that build; the Chinese build is tested in a locale with ANSI code page 936.
// TRELVOSET_TRACE names the file that scripts/wine.sh sends this program's stderr to; the Wine
// debug output of the started wizard (WINEDEBUG in its environment) lands there as well, which is
// how Wizard::DebugLines() and Wizard::Trace() read it.
//
// ctest runs it as e2e_en and e2e_zh; GoogleTest's own environment variables reach it through
// Wine, so GTEST_FILTER='SelectOs*' ctest --preset windows -R e2e_zh runs a part of it.
//
// A typical test:
//     TEST_F(WizardTest, NextOpensDetailSetting)
//     {
//         SetWindowsVersion("winxp");
//         Wizard wizard;                                        // starts it in a fresh folder
//         HWND page = wizard.WaitForDialog(PageCaption(Page::SelectOs));
//         ASSERT_TRUE(page) << wizard.DescribeWindows();
//         Click(page, 1009);
//         ASSERT_TRUE(wizard.WaitForDialog(PageCaption(Page::DetailSetting)));
//     }                                                         // a wizard still running is ended
//
// Window handles of the wizard are plain HWNDs. Every function that sends a message uses
// SendMessageTimeoutW: a wizard that does not answer fails the test instead of hanging it.

#include <windows.h>

#include <gtest/gtest.h>

#include "SpoolerState.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace e2e
{

// Waits in this harness poll until their condition holds and give up after this long; nothing in
// a test depends on how long a step takes. Wine runs emulated here, so the limits are generous.
constexpr DWORD kUiTimeoutMs = 30000;

// ---------------------------------------------------------------------------------------------
// The build under test

enum class Lang { English, Chinese };
Lang BuildLanguage();                                         // from --lang
inline bool ChineseBuild() { return BuildLanguage() == Lang::Chinese; }
// The text of the build under test: `en` in the English build, `zh` in the Chinese one.
const wchar_t* Tr(const wchar_t* en, const wchar_t* zh);
const std::wstring& WizardPath();                             // Windows path of trelvoset.exe

enum class Page { SelectOs, DetailSetting, SelectPort, CreatePort, AboutBox };
// The window caption of a page in the build under test. The About box's caption is Chinese in
// both builds; an ANSI program shows it as question marks where the code page is not 936, so find
// it by its owner (OwnedBy) in the English build.
const wchar_t* PageCaption(Page page);
// Message boxes are captioned with the program file's base name.
const wchar_t* const kMessageBoxCaption = L"trelvoset";

// ---------------------------------------------------------------------------------------------
// Arranging the system before the wizard starts. Failures are reported as test failures.

// The Windows version Wine reports to a program file name (win95, nt40, winxp, win7, win10 ...):
// HKCU\Software\Wine\AppDefaults\<exe>\Version. ClearWindowsVersion leaves the prefix default.
void SetWindowsVersion(const std::string& version, const std::string& exe = "trelvoset.exe");
void ClearWindowsVersion(const std::string& exe = "trelvoset.exe");

// The spooler's port list: the values of HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion\Ports
// (name, data). EnumPorts lists these names; names are case-insensitive.
using RegValue = std::pair<std::string, std::string>;
void SetPorts(const std::vector<RegValue>& ports);            // replaces every value
std::vector<RegValue> Ports();                                // current values, registry order
std::vector<RegValue> DefaultPorts();                         // a fresh prefix's: COM1:..LPT3:

// HKCU\Software\Microsoft\Windows NT\CurrentVersion\Windows and its "Device" value (the default
// printer). A fresh prefix has no such key.
void RemoveUserWindowsKey();
void SetDeviceValue(const std::optional<std::string>& device);  // creates the key; nullopt: no value
bool UserWindowsKeyExists();
std::optional<std::string> DeviceValue();

// Deletes every printer (DeletePrinter), every "Windows NT x86" driver (DeletePrinterDriver) and
// every file in the driver directory and its version folder "3".
void RemovePrintersAndDrivers();

// Everything above in the state of a fresh prefix: no version override, the default ports, no
// HKCU Windows key, no printers, drivers or driver files. WizardTest runs it before each test.
void ResetSystem();

// ---------------------------------------------------------------------------------------------
// Reading the system

// The spooler's drivers for "Windows NT x86" (level 3) and its printers (level 2), its driver
// directory and the plain files of a folder, sorted by name. A refused call fails the test and
// reads as empty.
using spooler::DriverInfo;
using spooler::PrinterInfo;
std::vector<DriverInfo> Drivers();
std::vector<PrinterInfo> Printers();
std::string DriverDirectory();
using spooler::FilesIn;

// A string value (REG_SZ or REG_EXPAND_SZ, unexpanded); nullopt when the key or value is missing.
std::optional<std::string> RegString(HKEY root, const std::string& key, const std::string& value);
std::vector<RegValue> RegStringValues(HKEY root, const std::string& key);

// ---------------------------------------------------------------------------------------------
// Folders

// An empty folder for the running test (C:\users\<user>\Temp\trelvoset-e2e\<suite>.<test>),
// emptied first if an earlier run left it. A wizard starts there unless told otherwise.
std::string NewTestDir();
void WriteFile(const std::string& path, const std::string& bytes);
std::string ToWindowsPath(const std::string& path);          // "/x/y" -> "Z:\x\y"; others as is

// ---------------------------------------------------------------------------------------------
// The wizard process

// One TraceLine per line of Wine debug output of the wizard process (WINEDEBUG channels).
struct TraceLine
{
    std::string timestamp;   // "806.290" with +timestamp, else empty
    std::string cls;         // "warn", "trace", "err", "fixme"
    std::string channel;     // "debugstr", "progress", ...
    std::string text;        // the rest, e.g. OutputDebugStringA "LPT1:\n"
};

class Wizard
{
public:
    struct Options
    {
        std::string currentDir;       // empty: NewTestDir()
        std::string program;          // empty: WizardPath()
        std::string debugChannels;    // more WINEDEBUG channels, e.g. "+timestamp,+progress"
    };

    // Starts the wizard. Its environment is this program's with WINEDEBUG set to
    // "-all,+pid,+debugstr" plus Options::debugChannels. A failed start is a test failure and
    // leaves Running() false.
    Wizard();
    explicit Wizard(const Options& options);
    ~Wizard();                        // Terminate() if still running
    Wizard(const Wizard&) = delete;
    Wizard& operator=(const Wizard&) = delete;

    DWORD ProcessId() const { return m_pid; }
    const std::string& CurrentDir() const { return m_currentDir; }
    bool Running() const;

    // Visible top-level windows of the process, in Z order.
    std::vector<HWND> Windows() const;
    // The first visible top-level window of the process that satisfies pred, waiting up to
    // timeoutMs; nullptr if none appeared or the process ended.
    HWND WaitForWindow(const std::function<bool(HWND)>& pred, DWORD timeoutMs = kUiTimeoutMs) const;
    // A visible dialog (class "#32770") of the process with exactly this caption.
    HWND WaitForDialog(const std::wstring& caption, DWORD timeoutMs = kUiTimeoutMs) const;
    // Waits until the process has ended. Windows that showed while waiting and had not been
    // there when the wait began are added to *appeared (caption, or class when it has none);
    // any such window means the program did something before it ended.
    bool WaitForExit(DWORD timeoutMs = kUiTimeoutMs, std::vector<std::wstring>* appeared = nullptr);
    DWORD ExitCode() const;           // STILL_ACTIVE while running
    void Terminate();

    // The texts the wizard passed to OutputDebugStringA so far, in order, as its 8-bit bytes
    // (a trailing "\n" included).
    std::vector<std::string> DebugLines() const;
    // All Wine debug lines of the process so far; with channel, only that channel's.
    std::vector<TraceLine> Trace(const std::string& channel = "") const;

    // The process's windows and their captions, for failure messages.
    std::wstring DescribeWindows() const;

private:
    HANDLE m_process = nullptr;
    DWORD m_pid = 0;
    std::string m_currentDir;
    long long m_traceStart = 0;
};

// Runs ResetSystem() before each test. Derive a fixture from it or use it directly.
class WizardTest : public ::testing::Test
{
protected:
    void SetUp() override;
};

// ---------------------------------------------------------------------------------------------
// Acting on windows as a user would

// A click on a push button, check box or radio button: WM_COMMAND/BN_CLICKED posted to the dialog,
// as the button sends it. A hidden or disabled button cannot be clicked: that fails the test.
void Click(HWND dlg, int id);
// A mouse click on an auto check box or radio button (BM_CLICK posted to it): the control
// changes its own state, then notifies the dialog.
void ClickCheck(HWND dlg, int id);
// A key pressed and released (WM_KEYDOWN, WM_KEYUP posted) on the control that has the keyboard
// focus in the window's thread (GetGUIThreadInfo), or on the window itself if none has it.
void PressKey(HWND wnd, UINT vk);
// The title bar's close button: WM_SYSCOMMAND SC_CLOSE posted.
void PressCloseBox(HWND wnd);
// A system-menu item: WM_SYSCOMMAND with its command id posted.
void SysCommand(HWND wnd, UINT command);
// A pick in a drop-down list: CB_SETCURSEL, then the CBN_SELCHANGE the dialog would be sent.
void ComboSelect(HWND dlg, int id, int index);
// A row of a list view picked by keyboard: Home, then Down `row` times.
void ListChooseRow(HWND dlg, int id, int row);

// ---------------------------------------------------------------------------------------------
// Reading windows. Controls are addressed by dialog and control ID; a missing control fails the
// test and reads as 0 / empty / false.

HWND Item(HWND dlg, int id);                                  // GetDlgItem, nullptr if none
LRESULT Send(HWND wnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
std::wstring Text(HWND wnd);                                  // WM_GETTEXT (W)
std::wstring ItemText(HWND dlg, int id);
std::wstring ClassOf(HWND wnd);
bool IsChecked(HWND dlg, int id);                             // BM_GETCHECK == BST_CHECKED
bool IsShown(HWND dlg, int id);                               // IsWindowVisible
bool IsEnabled(HWND dlg, int id);                             // IsWindowEnabled
int ComboCount(HWND dlg, int id);                             // CB_GETCOUNT
int ComboSelection(HWND dlg, int id);                         // CB_GETCURSEL
std::wstring ComboItem(HWND dlg, int id, int index);          // CB_GETLBTEXT (W)
std::vector<std::wstring> ComboItems(HWND dlg, int id);
int ListCount(HWND dlg, int id);                              // LVM_GETITEMCOUNT
UINT ListItemState(HWND dlg, int id, int item, UINT mask);    // LVM_GETITEMSTATE
int ListSelection(HWND dlg, int id);                          // the LVIS_SELECTED row, or -1
int ListColumnWidth(HWND dlg, int id, int column);            // LVM_GETCOLUMNWIDTH
int ProgressPos(HWND dlg, int id);                            // PBM_GETPOS
RECT WindowRect(HWND wnd);                                    // GetWindowRect
POINT Centre(const RECT& rect);
HWND Owner(HWND wnd);                                         // GetWindow(GW_OWNER)
std::vector<HWND> Children(HWND wnd);                         // every child, any depth
// The children of a given window class (case-insensitive) and, if styleMask is not 0, with
// (style & styleMask) == style.
std::vector<HWND> ChildrenOf(HWND wnd, const std::wstring& cls, DWORD styleMask = 0, DWORD style = 0);
// Waits until wnd no longer exists.
bool WaitUntilGone(HWND wnd, DWORD timeoutMs = kUiTimeoutMs);
// Polls condition until it holds (true) or timeoutMs has passed (false). For effects of posted
// input, which the wizard handles in its own time.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kUiTimeoutMs);

// ---------------------------------------------------------------------------------------------
// The way in. Each returns the page's window, or nullptr after failing the test with the windows
// the wizard shows instead.

// Waits for a page of the wizard to show.
HWND WaitForPage(const Wizard& wizard, Page page);
// From a freshly started wizard: waits for "Select OS", presses Next and waits for "Detail Setting".
HWND OpenDetailSetting(const Wizard& wizard);

} // namespace e2e

// GoogleTest prints wide strings as UTF-8; make RECT and POINT readable in failure messages.
void PrintTo(const RECT& rect, std::ostream* os);
void PrintTo(const POINT& point, std::ostream* os);

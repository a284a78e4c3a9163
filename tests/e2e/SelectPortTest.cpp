// "Select Port" and "Create Port", driven from outside as a user would, against Wine's spooler.
//
// The port set is arranged in the registry (HKLM ...\Ports), which is where Wine's spooler reads
// it. What the wizard should show is read back from the spooler in this test process (EnumPortsW,
// EnumMonitorsW): same prefix, same locale, so the same names and descriptions in the same order.

#include "Harness.h"

#include <windows.h>
#include <commctrl.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

using namespace e2e;

namespace
{

// Control IDs of the two templates.
const int kDetailModelList = 1011;
const int kDetailSetDefault = 1012;
const int kDetailPrinterName = 1013;
const int kDetailNext = 1009;
const int kPortList = 1021;
const int kCreatePort = 1008;
const int kConfigurePort = 1009;
const int kPortBack = 1010;
const int kInstall = 1022;
const int kPortCancel = 1023;
const int kProgress = 1025;
const int kMonitorList = 1021;
const int kNewPort = 1008;
const int kCreateClose = 1009;

// ---------------------------------------------------------------------------------------------
// The spooler as this test process sees it

struct SpoolerPort
{
    std::wstring name;
    std::wstring description;
};

std::vector<SpoolerPort> SpoolerPorts()
{
    DWORD needed = 0, returned = 0;
    ::EnumPortsW(nullptr, 2, nullptr, 0, &needed, &returned);
    std::vector<BYTE> buffer(needed > 0 ? needed : 1);  // the spooler refuses a NULL buffer
    std::vector<SpoolerPort> ports;
    if (!::EnumPortsW(nullptr, 2, buffer.data(), needed, &needed, &returned))
    {
        ADD_FAILURE() << "EnumPortsW failed: " << ::GetLastError();
        return ports;
    }
    const PORT_INFO_2W* info = reinterpret_cast<const PORT_INFO_2W*>(buffer.data());
    for (DWORD i = 0; i < returned; ++i)
        ports.push_back({info[i].pPortName ? info[i].pPortName : L"",
                         info[i].pDescription ? info[i].pDescription : L""});
    return ports;
}

std::vector<std::wstring> SpoolerMonitors()
{
    DWORD needed = 0, returned = 0;
    ::EnumMonitorsW(nullptr, 1, nullptr, 0, &needed, &returned);
    std::vector<BYTE> buffer(needed > 0 ? needed : 1);
    std::vector<std::wstring> monitors;
    if (!::EnumMonitorsW(nullptr, 1, buffer.data(), needed, &needed, &returned))
    {
        ADD_FAILURE() << "EnumMonitorsW failed: " << ::GetLastError();
        return monitors;
    }
    const MONITOR_INFO_1W* info = reinterpret_cast<const MONITOR_INFO_1W*>(buffer.data());
    for (DWORD i = 0; i < returned; ++i)
    {
        if (info[i].pName)
            monitors.push_back(info[i].pName);
    }
    return monitors;
}

std::vector<std::wstring> NamesOf(const std::vector<SpoolerPort>& ports)
{
    std::vector<std::wstring> names;
    for (const SpoolerPort& port : ports)
        names.push_back(port.name);
    return names;
}

std::vector<std::wstring> Wide(const std::vector<std::string>& texts)
{
    std::vector<std::wstring> result;
    for (const std::string& text : texts)
        result.push_back(std::wstring(text.begin(), text.end()));  // the names here are ASCII
    return result;
}

// The wizard's debugger line for a name: its 8-bit text and "\n". The wizard runs in this
// process's locale, so its ANSI code page is this process's.
std::string DebugLineOf(const std::wstring& name)
{
    const int n = ::WideCharToMultiByte(CP_ACP, 0, name.c_str(), static_cast<int>(name.size()),
                                        nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, name.c_str(), static_cast<int>(name.size()), &text[0], n,
                          nullptr, nullptr);
    return text + "\n";
}

std::vector<std::string> DebugLinesOf(const std::vector<std::wstring>& names)
{
    std::vector<std::string> lines;
    for (const std::wstring& name : names)
        lines.push_back(DebugLineOf(name));
    return lines;
}

template <class T>
std::vector<T> Concat(std::vector<T> a, const std::vector<T>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

int IndexOf(const std::vector<std::wstring>& names, const std::wstring& name)
{
    for (std::size_t i = 0; i < names.size(); ++i)
    {
        if (names[i] == name)
            return static_cast<int>(i);
    }
    return -1;
}

// ---------------------------------------------------------------------------------------------
// List-view texts of the wizard. LVM_GETITEMTEXT and LVM_GETCOLUMN carry a pointer to a
// structure, which is not marshalled between processes: the structure and its text buffer are
// placed in the wizard's own memory, and the answer is read back from there.

class RemoteBlock
{
public:
    RemoteBlock(HWND wnd, std::size_t size) : m_size(size)
    {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(wnd, &pid);
        m_process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (m_process)
            m_address = static_cast<BYTE*>(
                ::VirtualAllocEx(m_process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        if (!m_address)
            ADD_FAILURE() << "no memory in the wizard's process: " << ::GetLastError();
    }
    ~RemoteBlock()
    {
        if (m_address)
            ::VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
        if (m_process)
            ::CloseHandle(m_process);
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;

    bool Ok() const { return m_address != nullptr; }
    BYTE* At(std::size_t offset) const { return m_address + offset; }
    bool Write(std::size_t offset, const void* data, std::size_t size) const
    {
        return offset + size <= m_size &&
               ::WriteProcessMemory(m_process, m_address + offset, data, size, nullptr);
    }
    bool Read(std::size_t offset, void* data, std::size_t size) const
    {
        return offset + size <= m_size &&
               ::ReadProcessMemory(m_process, m_address + offset, data, size, nullptr);
    }

private:
    HANDLE m_process = nullptr;
    BYTE* m_address = nullptr;
    std::size_t m_size;
};

const int kTextChars = 260;

// The zero-terminated text at `offset` of the block.
std::wstring ReadText(const RemoteBlock& block, std::size_t offset)
{
    std::vector<wchar_t> text(kTextChars + 1, L'\0');
    if (!block.Read(offset, text.data(), kTextChars * sizeof(wchar_t)))
        ADD_FAILURE() << "cannot read the wizard's memory: " << ::GetLastError();
    return std::wstring(text.data());
}

std::wstring ListText(HWND dlg, int id, int item, int subItem)
{
    HWND list = Item(dlg, id);
    RemoteBlock block(list, sizeof(LVITEMW) + (kTextChars + 1) * sizeof(wchar_t));
    if (!block.Ok())
        return L"";
    LVITEMW lvi = {};
    lvi.iSubItem = subItem;
    lvi.pszText = reinterpret_cast<LPWSTR>(block.At(sizeof(LVITEMW)));
    lvi.cchTextMax = kTextChars;
    block.Write(0, &lvi, sizeof lvi);
    Send(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(block.At(0)));
    return ReadText(block, sizeof(LVITEMW));
}

std::vector<std::wstring> ListColumnTexts(HWND dlg, int id, int subItem)
{
    std::vector<std::wstring> texts;
    const int count = ListCount(dlg, id);
    for (int item = 0; item < count; ++item)
        texts.push_back(ListText(dlg, id, item, subItem));
    return texts;
}

struct ColumnInfo
{
    std::wstring heading;
    int format = -1;
};

ColumnInfo Column(HWND dlg, int id, int column)
{
    HWND list = Item(dlg, id);
    RemoteBlock block(list, sizeof(LVCOLUMNW) + (kTextChars + 1) * sizeof(wchar_t));
    ColumnInfo info;
    if (!block.Ok())
        return info;
    LVCOLUMNW lvc = {};
    lvc.mask = LVCF_TEXT | LVCF_FMT;
    lvc.pszText = reinterpret_cast<LPWSTR>(block.At(sizeof(LVCOLUMNW)));
    lvc.cchTextMax = kTextChars;
    block.Write(0, &lvc, sizeof lvc);
    if (!Send(list, LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(block.At(0))))
    {
        ADD_FAILURE() << "no column " << column;
        return info;
    }
    block.Read(0, &lvc, sizeof lvc);
    info.heading = ReadText(block, sizeof(LVCOLUMNW));
    info.format = lvc.fmt & LVCFMT_JUSTIFYMASK;
    return info;
}

// ---------------------------------------------------------------------------------------------
// Getting to the pages

HWND OpenSelectPort(Wizard& wizard, HWND detail)
{
    Click(detail, kDetailNext);
    HWND page = wizard.WaitForDialog(PageCaption(Page::SelectPort));
    if (!page)
        ADD_FAILURE() << "no Select Port page: " << wizard.DescribeWindows();
    return page;
}

HWND OpenCreatePort(Wizard& wizard, HWND page)
{
    Click(page, kCreatePort);
    HWND dlg = wizard.WaitForDialog(PageCaption(Page::CreatePort));
    if (!dlg)
        ADD_FAILURE() << "no Create Port dialog: " << wizard.DescribeWindows();
    return dlg;
}

// A dialog of the spooler's port monitor, owned by `owner`.
HWND WaitForMonitorDialog(Wizard& wizard, HWND owner)
{
    return wizard.WaitForWindow(
        [owner](HWND wnd) { return ClassOf(wnd) == L"#32770" && Owner(wnd) == owner; });
}

// Clears "Set Default Printer" as a mouse click does. The click is posted, so wait until the box
// shows it before going on.
void UntickDefaultPrinter(HWND detail)
{
    ClickCheck(detail, kDetailSetDefault);
    const DWORD start = ::GetTickCount();
    while (IsChecked(detail, kDetailSetDefault) && ::GetTickCount() - start < kUiTimeoutMs)
        ::Sleep(25);
}

std::wstring Describe(const std::vector<std::wstring>& names)
{
    std::wstring text;
    for (const std::wstring& name : names)
        text += L"[" + name + L"] ";
    return text;
}

// Every row of the port list shows its port: name and description in the spooler's order.
void ExpectListShows(HWND page, const std::vector<SpoolerPort>& ports)
{
    std::vector<std::wstring> descriptions;
    for (const SpoolerPort& port : ports)
        descriptions.push_back(port.description);
    EXPECT_EQ(NamesOf(ports), ListColumnTexts(page, kPortList, 0));
    EXPECT_EQ(descriptions, ListColumnTexts(page, kPortList, 1));
}

class SelectPortTest : public WizardTest
{
};

// ---------------------------------------------------------------------------------------------
// Listing and the default row

struct PortSetCase
{
    const char* description;
    std::vector<std::string> ports;  // in the order the spooler lists them
    const char* selected;            // the port whose row is preselected; nullptr: none
};

class PortSetTest : public WizardTest, public ::testing::WithParamInterface<PortSetCase>
{
};

TEST_P(PortSetTest, ListsThePortsInSpoolerOrderAndPreselectsTheDefaultRow)
{
    const PortSetCase& c = GetParam();
    std::vector<RegValue> values;
    for (const std::string& port : c.ports)
        values.push_back({port, ""});
    SetPorts(values);
    const std::vector<SpoolerPort> ports = SpoolerPorts();
    // The table gives each set in the spooler's order; check that the spooler agrees.
    ASSERT_EQ(Wide(c.ports), NamesOf(ports)) << "the spooler lists another order";

    Wizard wizard;
    HWND detail = OpenDetailSetting(wizard);
    ASSERT_TRUE(detail);
    HWND page = OpenSelectPort(wizard, detail);
    ASSERT_TRUE(page);

    ASSERT_EQ(static_cast<int>(ports.size()), ListCount(page, kPortList));
    ExpectListShows(page, ports);
    const int expectedRow = c.selected ? IndexOf(NamesOf(ports), Wide({c.selected})[0]) : -1;
    EXPECT_EQ(expectedRow, ListSelection(page, kPortList));
    if (expectedRow >= 0)
    {
        EXPECT_EQ(0u, ListItemState(page, kPortList, expectedRow, LVIS_FOCUSED));
    }
    EXPECT_EQ(DebugLinesOf(NamesOf(ports)), wizard.DebugLines());

    // Whatever the ports, the bar stands at 0 of 0..100.
    EXPECT_EQ(0, Send(Item(page, kProgress), PBM_GETRANGE, TRUE, 0));
    EXPECT_EQ(100, Send(Item(page, kProgress), PBM_GETRANGE, FALSE, 0));
    EXPECT_EQ(0, ProgressPos(page, kProgress));
}

INSTANTIATE_TEST_SUITE_P(
    Sets, PortSetTest,
    ::testing::Values(
        PortSetCase{"LPT1 after COM1 and FILE", {"COM1:", "COM2:", "FILE:", "LPT1:", "LPT2:"}, "LPT1:"},
        PortSetCase{"LPT1 at row 0", {"LPT1:", "LPT2:", "NE00:"}, "LPT1:"},
        PortSetCase{"COM1 at row 3 without LPT1", {"AUX1:", "AUX2:", "AUX3:", "COM1:", "FILE:", "LPT2:"}, "COM1:"},
        PortSetCase{"FILE alone at row 0", {"FILE:", "LPT2:", "NE00:"}, "FILE:"},
        PortSetCase{"lower case matches nothing", {"com1:", "file:", "lpt1:"}, nullptr},
        PortSetCase{"later COM1 prefix wins", {"AUX1:", "AUX2:", "COM1:", "COM1X:", "LPT2:"}, "COM1X:"},
        PortSetCase{"no known prefix", {"IP_10.0.0.5", "NE00:", "USB001"}, nullptr},
        PortSetCase{"no ports", {}, nullptr}),
    [](const ::testing::TestParamInfo<PortSetCase>& info) {
        std::string name;
        for (const char* p = info.param.description; *p != '\0'; ++p)
            name += (*p >= 'a' && *p <= 'z') || (*p >= 'A' && *p <= 'Z') || (*p >= '0' && *p <= '9')
                        ? *p
                        : '_';
        return name;
    });

// The first 256 ports are listed, each with its debugger line; an LPT1 port after them is not
// listed and so not preselected.
TEST_F(SelectPortTest, ListsAtMost256Ports)
{
    std::vector<RegValue> values;
    for (int i = 0; i < 300; ++i)
    {
        char name[16];
        std::snprintf(name, sizeof name, "IP_%03d", i);
        values.push_back({name, ""});
    }
    values.push_back({"LPT1:", ""});
    SetPorts(values);
    const std::vector<SpoolerPort> ports = SpoolerPorts();
    ASSERT_EQ(301u, ports.size());
    ASSERT_EQ(L"LPT1:", ports.back().name) << "LPT1: must come after the other 300";
    const std::vector<SpoolerPort> listed(ports.begin(), ports.begin() + 256);

    Wizard wizard;
    HWND detail = OpenDetailSetting(wizard);
    ASSERT_TRUE(detail);
    HWND page = OpenSelectPort(wizard, detail);
    ASSERT_TRUE(page);

    ASSERT_EQ(256, ListCount(page, kPortList));
    ExpectListShows(page, listed);
    EXPECT_EQ(-1, ListSelection(page, kPortList));
    EXPECT_EQ(DebugLinesOf(NamesOf(listed)), wizard.DebugLines());
}

TEST_F(SelectPortTest, ColumnsHaveTheHeadingsAndWidthsOfTheBuild)
{
    Wizard wizard;
    HWND detail = OpenDetailSetting(wizard);
    ASSERT_TRUE(detail);
    HWND page = OpenSelectPort(wizard, detail);
    ASSERT_TRUE(page);

    const ColumnInfo port = Column(page, kPortList, 0);
    const ColumnInfo type = Column(page, kPortList, 1);
    EXPECT_EQ(Tr(L"Port", L"端口"), port.heading);
    EXPECT_EQ(Tr(L"Type", L"类型"), type.heading);
    EXPECT_EQ(LVCFMT_LEFT, port.format);
    EXPECT_EQ(LVCFMT_LEFT, type.format);
    EXPECT_EQ(150, ListColumnWidth(page, kPortList, 0));
    EXPECT_EQ(280, ListColumnWidth(page, kPortList, 1));

    HWND create = OpenCreatePort(wizard, page);
    ASSERT_TRUE(create);
    const ColumnInfo monitor = Column(create, kMonitorList, 0);
    EXPECT_EQ(Tr(L"Available Port Type", L"可用端口类型"), monitor.heading);
    EXPECT_EQ(LVCFMT_LEFT, monitor.format);
    EXPECT_EQ(ChineseBuild() ? 350 : 340, ListColumnWidth(create, kMonitorList, 0));
}

// ---------------------------------------------------------------------------------------------
// Create Port

TEST_F(SelectPortTest, CreatePortListsTheMonitorsWithTheFirstSelected)
{
    const std::vector<std::wstring> monitors = SpoolerMonitors();
    ASSERT_FALSE(monitors.empty()) << "Wine's spooler has its local port monitor";
    const std::vector<SpoolerPort> ports = SpoolerPorts();

    Wizard wizard;
    HWND detail = OpenDetailSetting(wizard);
    ASSERT_TRUE(detail);
    HWND page = OpenSelectPort(wizard, detail);
    ASSERT_TRUE(page);
    HWND create = OpenCreatePort(wizard, page);
    ASSERT_TRUE(create);

    EXPECT_EQ(monitors, ListColumnTexts(create, kMonitorList, 0));
    EXPECT_EQ(0, ListSelection(create, kMonitorList));
    EXPECT_EQ(0u, ListItemState(create, kMonitorList, 0, LVIS_FOCUSED));
    EXPECT_EQ(Concat(DebugLinesOf(NamesOf(ports)), DebugLinesOf(monitors)), wizard.DebugLines());
}

// Two ports added through Wine's own "add a local port" dialog in one visit both show on
// "Select Port" after Close, and the default row is chosen again: the user's pick is gone.
TEST_F(SelectPortTest, PortsAddedThroughTheMonitorAreListedAfterClose)
{
    // Names that sort before LPT1:, so the LPT1 row moves down by the two new rows.
    const std::vector<std::wstring> added = {L"AAA_E2E_1:", L"AAA_E2E_2:"};
    const std::vector<SpoolerPort> before = SpoolerPorts();
    ASSERT_NE(-1, IndexOf(NamesOf(before), L"LPT1:"));
    const std::vector<std::wstring> monitors = SpoolerMonitors();

    Wizard wizard;
    HWND detail = OpenDetailSetting(wizard);
    ASSERT_TRUE(detail);
    HWND page = OpenSelectPort(wizard, detail);
    ASSERT_TRUE(page);
    ListChooseRow(page, kPortList, 0);
    ASSERT_EQ(0, ListSelection(page, kPortList));

    HWND create = OpenCreatePort(wizard, page);
    ASSERT_TRUE(create);
    for (const std::wstring& name : added)
    {
        Click(create, kNewPort);
        HWND addPort = WaitForMonitorDialog(wizard, create);
        ASSERT_TRUE(addPort) << "no dialog of the port monitor: " << wizard.DescribeWindows();
        const std::vector<HWND> edits = ChildrenOf(addPort, L"Edit");
        ASSERT_EQ(1u, edits.size());
        Send(edits[0], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
        Click(addPort, IDOK);
        ASSERT_TRUE(WaitUntilGone(addPort));
        // The dialog stays open and its list unchanged.
        EXPECT_EQ(monitors, ListColumnTexts(create, kMonitorList, 0));
    }
    Click(create, kCreateClose);
    ASSERT_TRUE(WaitUntilGone(create));

    const std::vector<SpoolerPort> after = SpoolerPorts();
    ASSERT_EQ(before.size() + added.size(), after.size());
    for (const std::wstring& name : added)
        EXPECT_NE(-1, IndexOf(NamesOf(after), name)) << Describe(NamesOf(after));
    ASSERT_EQ(static_cast<int>(after.size()), ListCount(page, kPortList));
    ExpectListShows(page, after);
    EXPECT_EQ(IndexOf(NamesOf(after), L"LPT1:"), ListSelection(page, kPortList));
    EXPECT_EQ(Concat(Concat(DebugLinesOf(NamesOf(before)), DebugLinesOf(monitors)),
                     DebugLinesOf(NamesOf(after))),
              wizard.DebugLines());
}

// However Create Port ends without a port added, "Select Port" lists the ports again and the
// default row replaces the user's pick.
struct CloseCase
{
    const char* description;
    std::function<void(HWND)> close;
};

class CreatePortCloseTest : public WizardTest, public ::testing::WithParamInterface<CloseCase>
{
};

TEST_P(CreatePortCloseTest, RebuildsThePortList)
{
    const std::vector<SpoolerPort> ports = SpoolerPorts();
    const int lpt1Row = IndexOf(NamesOf(ports), L"LPT1:");
    ASSERT_GT(lpt1Row, 0) << "the pick below must differ from the default row";
    const std::vector<std::wstring> monitors = SpoolerMonitors();

    Wizard wizard;
    HWND detail = OpenDetailSetting(wizard);
    ASSERT_TRUE(detail);
    HWND page = OpenSelectPort(wizard, detail);
    ASSERT_TRUE(page);
    ListChooseRow(page, kPortList, 0);
    ASSERT_EQ(0, ListSelection(page, kPortList));

    HWND create = OpenCreatePort(wizard, page);
    ASSERT_TRUE(create);
    GetParam().close(create);
    ASSERT_TRUE(WaitUntilGone(create)) << wizard.DescribeWindows();

    ASSERT_EQ(static_cast<int>(ports.size()), ListCount(page, kPortList));
    ExpectListShows(page, ports);
    EXPECT_EQ(lpt1Row, ListSelection(page, kPortList));
    EXPECT_EQ(Concat(Concat(DebugLinesOf(NamesOf(ports)), DebugLinesOf(monitors)),
                     DebugLinesOf(NamesOf(ports))),
              wizard.DebugLines());
    // The port page is still open and answers.
    EXPECT_TRUE(IsWindow(page));
}

INSTANTIATE_TEST_SUITE_P(
    Ways, CreatePortCloseTest,
    ::testing::Values(CloseCase{"CloseButton", [](HWND dlg) { Click(dlg, kCreateClose); }},
                      CloseCase{"Enter", [](HWND dlg) { PressKey(dlg, VK_RETURN); }},
                      CloseCase{"Esc", [](HWND dlg) { PressKey(dlg, VK_ESCAPE); }},
                      CloseCase{"CloseBox", [](HWND dlg) { PressCloseBox(dlg); }}),
    [](const ::testing::TestParamInfo<CloseCase>& info) { return std::string(info.param.description); });

// ---------------------------------------------------------------------------------------------
// Leaving the page

struct LeaveCase
{
    const char* description;
    std::function<void(HWND)> leave;
};

class LeaveSelectPortTest : public WizardTest, public ::testing::WithParamInterface<LeaveCase>
{
};

// Back, Cancel, Esc and the close box return to "Detail Setting" as the user left it, install
// nothing, and a further Next opens a new port page with a fresh list.
TEST_P(LeaveSelectPortTest, ReturnsToDetailSettingWithItsChoicesKept)
{
    const std::vector<SpoolerPort> ports = SpoolerPorts();

    Wizard wizard;
    HWND detail = OpenDetailSetting(wizard);
    ASSERT_TRUE(detail);
    ComboSelect(detail, kDetailModelList, 4);
    UntickDefaultPrinter(detail);
    ASSERT_EQ(4, ComboSelection(detail, kDetailModelList));
    ASSERT_FALSE(IsChecked(detail, kDetailSetDefault));
    const std::wstring printerName = ItemText(detail, kDetailPrinterName);

    HWND page = OpenSelectPort(wizard, detail);
    ASSERT_TRUE(page);
    GetParam().leave(page);
    ASSERT_TRUE(WaitUntilGone(page)) << wizard.DescribeWindows();

    ASSERT_TRUE(wizard.Running());
    EXPECT_EQ(detail, wizard.WaitForDialog(PageCaption(Page::DetailSetting)));
    EXPECT_EQ(4, ComboSelection(detail, kDetailModelList));
    EXPECT_FALSE(IsChecked(detail, kDetailSetDefault));
    EXPECT_EQ(printerName, ItemText(detail, kDetailPrinterName));
    EXPECT_TRUE(Drivers().empty());
    EXPECT_TRUE(Printers().empty());

    HWND again = OpenSelectPort(wizard, detail);
    ASSERT_TRUE(again);
    ASSERT_EQ(static_cast<int>(ports.size()), ListCount(again, kPortList));
    EXPECT_EQ(IndexOf(NamesOf(ports), L"LPT1:"), ListSelection(again, kPortList));
    EXPECT_EQ(0, ProgressPos(again, kProgress));
    EXPECT_EQ(Concat(DebugLinesOf(NamesOf(ports)), DebugLinesOf(NamesOf(ports))), wizard.DebugLines());
}

INSTANTIATE_TEST_SUITE_P(
    Ways, LeaveSelectPortTest,
    ::testing::Values(LeaveCase{"Back", [](HWND page) { Click(page, kPortBack); }},
                      LeaveCase{"Cancel", [](HWND page) { Click(page, kPortCancel); }},
                      LeaveCase{"Esc", [](HWND page) { PressKey(page, VK_ESCAPE); }},
                      LeaveCase{"CloseBox", [](HWND page) { PressCloseBox(page); }}),
    [](const ::testing::TestParamInfo<LeaveCase>& info) { return std::string(info.param.description); });

// Enter ends the page as the dialog's OK command: no port is taken and nothing is installed.
// Install, in the same setting, does install: the driver it registers is what Enter must not
// leave behind. Windows 98 runs no second installation after the page, and with "Set Default
// Printer" cleared no registry message interrupts; the wizard then ends on its own.
struct EndCase
{
    const char* description;
    std::function<void(HWND)> end;
    bool installs;
};

class EndSelectPortTest : public WizardTest, public ::testing::WithParamInterface<EndCase>
{
};

TEST_P(EndSelectPortTest, EndsTheWizardAndInstallsOnlyOnInstall)
{
    SetWindowsVersion("win98");

    Wizard wizard;
    HWND detail = OpenDetailSetting(wizard);
    ASSERT_TRUE(detail);
    UntickDefaultPrinter(detail);
    ASSERT_FALSE(IsChecked(detail, kDetailSetDefault));
    HWND page = OpenSelectPort(wizard, detail);
    ASSERT_TRUE(page);
    ASSERT_NE(-1, ListSelection(page, kPortList));

    GetParam().end(page);
    std::vector<std::wstring> appeared;
    ASSERT_TRUE(wizard.WaitForExit(kUiTimeoutMs, &appeared)) << wizard.DescribeWindows();
    EXPECT_TRUE(appeared.empty()) << Describe(appeared);
    EXPECT_EQ(GetParam().installs, !Drivers().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Ways, EndSelectPortTest,
    ::testing::Values(EndCase{"Enter", [](HWND page) { PressKey(page, VK_RETURN); }, false},
                      EndCase{"Install", [](HWND page) { Click(page, kInstall); }, true}),
    [](const ::testing::TestParamInfo<EndCase>& info) { return std::string(info.param.description); });

// ---------------------------------------------------------------------------------------------
// Configure Port

// With no selected row Configure Port does nothing; with LPT1: selected, the port's monitor shows
// its dialog, owned by the page. A Create Port click posted after Configure Port is handled after
// it, so once Create Port is open the Configure Port click has had its effect.
struct ConfigureCase
{
    const char* description;
    std::vector<std::string> ports;
    bool monitorDialog;
};

class ConfigurePortTest : public WizardTest, public ::testing::WithParamInterface<ConfigureCase>
{
};

TEST_P(ConfigurePortTest, ConfiguresOnlyASelectedPort)
{
    const ConfigureCase& c = GetParam();
    std::vector<RegValue> values;
    for (const std::string& port : c.ports)
        values.push_back({port, ""});
    SetPorts(values);

    Wizard wizard;
    HWND detail = OpenDetailSetting(wizard);
    ASSERT_TRUE(detail);
    HWND page = OpenSelectPort(wizard, detail);
    ASSERT_TRUE(page);
    ASSERT_EQ(c.monitorDialog, ListSelection(page, kPortList) != -1);

    Click(page, kConfigurePort);
    if (c.monitorDialog)
    {
        HWND configure = WaitForMonitorDialog(wizard, page);
        ASSERT_TRUE(configure) << wizard.DescribeWindows();
        Click(configure, IDCANCEL);
        ASSERT_TRUE(WaitUntilGone(configure));
    }
    HWND create = OpenCreatePort(wizard, page);
    ASSERT_TRUE(create);
    std::vector<HWND> expected = {detail, page, create};
    std::vector<HWND> windows = wizard.Windows();
    std::sort(expected.begin(), expected.end());
    std::sort(windows.begin(), windows.end());
    EXPECT_EQ(expected, windows) << wizard.DescribeWindows();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConfigurePortTest,
    ::testing::Values(ConfigureCase{"NoSelectedRow", {"NE00:", "NE01:"}, false},
                      ConfigureCase{"Lpt1Selected", {"LPT1:", "NE00:"}, true}),
    [](const ::testing::TestParamInfo<ConfigureCase>& info) { return std::string(info.param.description); });

} // namespace

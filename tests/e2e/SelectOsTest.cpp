// "Select OS", the wizard's first page: the tick of the detected Windows version, the page's texts
// in each build, the ways off the page, Back from "Detail Setting", and where the windows of the
// page sequence open.

#include "Harness.h"

#include <cstdlib>

using namespace e2e;

namespace
{

// Controls of "Select OS" (template 129); Back, Next and Exit have the same IDs on
// "Detail Setting" (template 102).
constexpr int kBack = 1008;
constexpr int kNext = 1009;
constexpr int kExit = 1010;
constexpr int kNone = 0;

struct Radio
{
    int id;
    const wchar_t* caption;   // the same in both builds
    bool visible;
};
const Radio kRadios[] = {
    {1000, L"Windows 95", false},   {1001, L"Windows 98", false},   {1002, L"Windows NT4.0", false},
    {1003, L"Windows 2000", true},  {1004, L"Windows XP", true},    {1011, L"Windows 2003", true},
    {1020, L"Windows Vista", true}, {1005, L"Windows 7", true},     {1006, L"Windows 2008", false},
};

// The About item that "Detail Setting" adds to its system menu.
constexpr UINT kAboutCommand = 0x0010;

class SelectOsTest : public WizardTest
{
};

class PlacementTest : public WizardTest
{
};

// Ends the wizard from "Select OS" and checks that it does end.
void ExitFrom(HWND selectOs, Wizard& wizard)
{
    Click(selectOs, kExit);
    EXPECT_TRUE(wizard.WaitForExit()) << wizard.DescribeWindows();
}

// ---------------------------------------------------------------------------------------------
// The tick for every Windows version Wine can report. Only the version Wine reports counts (not
// its build or edition), so server and workstation releases with one version number share a tick;
// the buttons of Windows 95, 98, NT 4.0 and 2008 stay hidden even when ticked. Windows after 7
// report 6.2 to a program without a compatibility manifest and get no tick; Wine's Win16-era
// versions report platform 0 (Win32s), which counts as Windows 2000.

struct VersionCase
{
    const char* wineVersion;   // HKCU\Software\Wine\AppDefaults\trelvoset.exe "Version"
    const char* reported;      // what GetVersionEx then says: platform id, major.minor
    int tickedId;              // kNone: no button ticked
};

const VersionCase kVersionCases[] = {
    {"win20", "0, 2.0", 1003},     {"win30", "0, 3.0", 1003},     {"win31", "0, 3.10", 1003},
    {"win95", "1, 4.0", 1000},     {"win98", "1, 4.10", 1001},    {"winme", "1, 4.90", 1001},
    {"nt351", "2, 3.51", 1002},    {"nt40", "2, 4.0", 1002},      {"win2k", "2, 5.0", 1003},
    {"winxp", "2, 5.1", 1004},     {"winxp64", "2, 5.2", 1011},   {"win2003", "2, 5.2", 1011},
    {"vista", "2, 6.0", 1020},     {"win2008", "2, 6.0", 1020},   {"win7", "2, 6.1", 1005},
    {"win2008r2", "2, 6.1", 1005}, {"win8", "2, 6.2", kNone},     {"win81", "2, 6.2", kNone},
    {"win10", "2, 6.2", kNone},
};

void PrintTo(const VersionCase& c, std::ostream* os)
{
    *os << c.wineVersion << " (" << c.reported << ") ticks " << c.tickedId;
}

class SelectOsTick : public WizardTest, public ::testing::WithParamInterface<VersionCase>
{
};

TEST_P(SelectOsTick, TicksTheDetectedVersionOnly)
{
    const VersionCase& c = GetParam();
    SetWindowsVersion(c.wineVersion);
    Wizard wizard;
    HWND page = WaitForPage(wizard, Page::SelectOs);
    ASSERT_TRUE(page);

    for (const Radio& radio : kRadios)
    {
        EXPECT_EQ(IsChecked(page, radio.id), radio.id == c.tickedId)
            << "button " << radio.id << " \"" << radio.caption << "\" under " << c.wineVersion << " (" << c.reported << ")";
        EXPECT_EQ(IsShown(page, radio.id), radio.visible) << "button " << radio.id;
    }
    ExitFrom(page, wizard);
}

INSTANTIATE_TEST_SUITE_P(EveryWineVersion, SelectOsTick, ::testing::ValuesIn(kVersionCases),
                         [](const ::testing::TestParamInfo<VersionCase>& info) { return std::string(info.param.wineVersion); });

// ---------------------------------------------------------------------------------------------
// Texts of the page in each build.

struct TextCase
{
    int id;
    const wchar_t* en;
    const wchar_t* zh;
};

TEST_F(SelectOsTest, ShowsTheTextsOfItsBuild)
{
    Wizard wizard;
    HWND page = WaitForPage(wizard, Page::SelectOs);
    ASSERT_TRUE(page);

    EXPECT_EQ(Text(page), Tr(L"Select OS", L"选择操作系统"));

    // The group box has no ID of its own; it is the page's only one.
    std::vector<HWND> groups = ChildrenOf(page, L"Button", BS_TYPEMASK, BS_GROUPBOX);
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(Text(groups[0]), Tr(L"Select OS", L"选择安装的操作系统"));

    const TextCase buttons[] = {
        {kNext, L"&Next >", L"下一步(&N) >"},
        {kExit, L"&Exit", L"退出(&E)"},
        {kBack, L"< &Back", L"后退"},
    };
    for (const TextCase& button : buttons)
        EXPECT_EQ(ItemText(page, button.id), Tr(button.en, button.zh)) << "button " << button.id;
    for (const Radio& radio : kRadios)
        EXPECT_EQ(ItemText(page, radio.id), radio.caption) << "button " << radio.id;

    // Back belongs to later pages: on the first one it can be neither seen nor used.
    EXPECT_FALSE(IsShown(page, kBack));
    EXPECT_FALSE(IsEnabled(page, kBack));
    EXPECT_TRUE(IsShown(page, kNext) && IsEnabled(page, kNext));
    EXPECT_TRUE(IsShown(page, kExit) && IsEnabled(page, kExit));
    ExitFrom(page, wizard);
}

// ---------------------------------------------------------------------------------------------
// Leaving "Select OS".

enum class Action { ExitButton, EscKey, CloseBox, NextButton, EnterKey };

void Perform(Action action, HWND page)
{
    switch (action)
    {
    case Action::ExitButton: Click(page, kExit); break;
    case Action::EscKey: PressKey(page, VK_ESCAPE); break;
    case Action::CloseBox: PressCloseBox(page); break;
    case Action::NextButton: Click(page, kNext); break;
    case Action::EnterKey: PressKey(page, VK_RETURN); break;
    }
}

const char* NameOf(Action action)
{
    switch (action)
    {
    case Action::ExitButton: return "ExitButton";
    case Action::EscKey: return "EscKey";
    case Action::CloseBox: return "CloseBox";
    case Action::NextButton: return "NextButton";
    case Action::EnterKey: return "EnterKey";
    }
    return "unknown";
}

void PrintTo(Action action, std::ostream* os) { *os << NameOf(action); }

std::string ActionName(const ::testing::TestParamInfo<Action>& info) { return NameOf(info.param); }

class SelectOsCancel : public WizardTest, public ::testing::WithParamInterface<Action>
{
};

TEST_P(SelectOsCancel, EndsTheProgramWithNothingInstalled)
{
    // A version with the installation's second run and completion message, and a default
    // printer to keep: none of it may be touched on the way out.
    SetWindowsVersion("winxp");
    SetDeviceValue(std::string("Kept,winspool,LPT1:"));
    Wizard wizard;
    HWND page = WaitForPage(wizard, Page::SelectOs);
    ASSERT_TRUE(page);

    Perform(GetParam(), page);
    std::vector<std::wstring> appeared;
    ASSERT_TRUE(wizard.WaitForExit(kUiTimeoutMs, &appeared)) << wizard.DescribeWindows();
    EXPECT_TRUE(appeared.empty()) << "a window showed before the end: " << appeared.front();
    EXPECT_TRUE(wizard.Windows().empty());

    EXPECT_TRUE(Printers().empty());
    EXPECT_TRUE(Drivers().empty());
    EXPECT_TRUE(FilesIn(DriverDirectory()).empty());
    EXPECT_EQ(DeviceValue(), std::optional<std::string>("Kept,winspool,LPT1:"));
}

INSTANTIATE_TEST_SUITE_P(Ways, SelectOsCancel,
                         ::testing::Values(Action::ExitButton, Action::EscKey, Action::CloseBox), ActionName);

class SelectOsForward : public WizardTest, public ::testing::WithParamInterface<Action>
{
};

TEST_P(SelectOsForward, OpensDetailSetting)
{
    Wizard wizard;
    HWND selectOs = WaitForPage(wizard, Page::SelectOs);
    ASSERT_TRUE(selectOs);

    Perform(GetParam(), selectOs);
    HWND detail = WaitForPage(wizard, Page::DetailSetting);
    ASSERT_TRUE(detail);
    EXPECT_TRUE(WaitUntilGone(selectOs)) << "\"Select OS\" stayed open under \"Detail Setting\"";
    EXPECT_EQ(wizard.Windows(), std::vector<HWND>{detail});
}

INSTANTIATE_TEST_SUITE_P(Ways, SelectOsForward, ::testing::Values(Action::NextButton, Action::EnterKey), ActionName);

// ---------------------------------------------------------------------------------------------
// Back on "Detail Setting".

TEST_F(SelectOsTest, BackOnDetailSettingShowsItWithTheDetectedTickWhateverTheUserTicked)
{
    SetWindowsVersion("winxp");
    Wizard wizard;
    HWND selectOs = WaitForPage(wizard, Page::SelectOs);
    ASSERT_TRUE(selectOs);

    // Back and Next may alternate any number of times; two rounds show it is not a one-off.
    for (int round = 1; round <= 2; ++round)
    {
        SCOPED_TRACE(::testing::Message() << "round " << round);
        // The user's own tick is only shown, never kept.
        ClickCheck(selectOs, 1020);
        ASSERT_TRUE(WaitUntil([&] { return IsChecked(selectOs, 1020); }));
        ASSERT_FALSE(IsChecked(selectOs, 1004));

        Click(selectOs, kNext);
        HWND detail = WaitForPage(wizard, Page::DetailSetting);
        ASSERT_TRUE(detail);
        Click(detail, kBack);
        ASSERT_TRUE(WaitUntilGone(detail)) << "\"Detail Setting\" stayed open after Back";

        selectOs = WaitForPage(wizard, Page::SelectOs);
        ASSERT_TRUE(selectOs);
        EXPECT_TRUE(IsChecked(selectOs, 1004));
        EXPECT_FALSE(IsChecked(selectOs, 1020));
        EXPECT_EQ(wizard.Windows(), std::vector<HWND>{selectOs});
    }
    ExitFrom(selectOs, wizard);
}

// ---------------------------------------------------------------------------------------------
// Where the windows open: "Detail Setting" at the top-left corner of the screen, "Select OS"
// centred on the screen, the About box centred on "Detail Setting", its owner.

bool SameCentre(const RECT& inner, const RECT& outer)
{
    // Integer halves of odd sizes may differ by one pixel.
    const POINT a = Centre(inner), b = Centre(outer);
    return std::abs(a.x - b.x) <= 1 && std::abs(a.y - b.y) <= 1;
}

TEST_F(PlacementTest, SelectOsOpensCentredOnTheScreen)
{
    Wizard wizard;
    HWND page = WaitForPage(wizard, Page::SelectOs);
    ASSERT_TRUE(page);
    const RECT screen = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    const RECT rect = WindowRect(page);
    EXPECT_TRUE(SameCentre(rect, screen)) << ::testing::PrintToString(rect) << " on " << ::testing::PrintToString(screen);
    EXPECT_GT(rect.left, 0);
    EXPECT_GT(rect.top, 0);
    ExitFrom(page, wizard);
}

TEST_F(PlacementTest, DetailSettingOpensAtTheTopLeftCorner)
{
    Wizard wizard;
    HWND detail = OpenDetailSetting(wizard);
    ASSERT_TRUE(detail);
    const RECT rect = WindowRect(detail);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
}

TEST_F(PlacementTest, AboutBoxOpensCentredOnDetailSettingAndOkLeavesThePage)
{
    Wizard wizard;
    HWND detail = OpenDetailSetting(wizard);
    ASSERT_TRUE(detail);
    const RECT detailRect = WindowRect(detail);

    SysCommand(detail, kAboutCommand);
    HWND about = wizard.WaitForWindow([&](HWND wnd) { return wnd != detail && ClassOf(wnd) == L"#32770"; });
    ASSERT_TRUE(about) << wizard.DescribeWindows();
    EXPECT_EQ(Owner(about), detail);
    if (ChineseBuild())
    {
        EXPECT_EQ(Text(about), PageCaption(Page::AboutBox));
    }
    const RECT aboutRect = WindowRect(about);
    EXPECT_TRUE(SameCentre(aboutRect, detailRect))
        << ::testing::PrintToString(aboutRect) << " on " << ::testing::PrintToString(detailRect);
    // The About box is modal: the page takes no input while it is open.
    EXPECT_FALSE(::IsWindowEnabled(detail));

    Click(about, IDOK);
    ASSERT_TRUE(WaitUntilGone(about)) << "the About box stayed open after OK";
    EXPECT_TRUE(wizard.Running());
    EXPECT_EQ(wizard.Windows(), std::vector<HWND>{detail});
    EXPECT_TRUE(::IsWindowEnabled(detail));
    const RECT after = WindowRect(detail);
    EXPECT_EQ(after.left, detailRect.left);
    EXPECT_EQ(after.top, detailRect.top);
}

} // namespace

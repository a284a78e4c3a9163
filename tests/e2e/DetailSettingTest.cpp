// "Detail Setting", the wizard's second page: the decoded model list and printer name, the
// default-printer box, the hidden serial-port section and the lists the template fills, the About
// item of the system menu, and every way off the page.

#include "Harness.h"


using namespace e2e;

namespace
{

// Controls of "Detail Setting" (template 102).
constexpr int kBack = 1008;
constexpr int kNext = 1009;
constexpr int kExit = 1010;
constexpr int kModelList = 1011;
constexpr int kSetDefault = 1012;
constexpr int kPrinterName = 1013;
constexpr int kPortList = 1014;
constexpr int kBaudList = 1015;
constexpr int kDataBitsList = 1016;
constexpr int kFlowList = 1017;
constexpr int kParityList = 1018;
constexpr int kStopBitsList = 1019;

constexpr UINT kAboutCommand = 0x0010;

// What a user of each model sees in the list, one item per catalogue row, and the printer name
// the field shows before a model has been chosen. Both builds show the same texts.
const wchar_t* const kModelTexts[] = {
    L"Trelvo RX-1 (No Cut) POS", L"Trelvo RX-1 (Cut) POS", L"Trelvo RX-2(No Cut) POS",
    L"Trelvo RX-2(Cut) POS",     L"Trelvo RX-3 POS",       L"Trelvo RX-3N POS",
    L"Trelvo RX-H3 POS",         L"Trelvo RX-F3 POS",      L"Trelvo - QL-9",
};
const wchar_t* const kInitialPrinterName = L"Trelvo Printer Series";

// The hidden port-settings lists: their items, in the order the installation's tables rely on,
// and the selection the page starts with.
struct HiddenList
{
    int id;
    std::vector<std::wstring> items;
    int startSelection;
};
const HiddenList kHiddenLists[] = {
    {kPortList, {L"LPT1", L"LPT2", L"LPT3", L"COM1", L"COM2", L"COM3", L"COM4"}, 0},
    {kBaudList,
     {L"300", L"1200", L"2400", L"4800", L"9600", L"19200", L"38400", L"57600", L"115200"},
     5},
    {kDataBitsList, {L"5", L"6", L"7", L"8"}, 3},
    {kFlowList, {L"None", L"XonXoff", L"Hardware"}, 2},
    {kParityList, {L"Even", L"Mark", L"None", L"Odd", L"Space"}, 2},
    {kStopBitsList, {L"1", L"1.5", L"2"}, 0},
};
const int kSerialLists[] = {kBaudList, kDataBitsList, kFlowList, kParityList, kStopBitsList};

class DetailSettingTest : public WizardTest
{
protected:
    // The state a visit starts from.
    void ExpectStartState(HWND page)
    {
        EXPECT_EQ(ComboSelection(page, kModelList), 1);
        EXPECT_EQ(ItemText(page, kPrinterName), kInitialPrinterName);
        EXPECT_TRUE(IsChecked(page, kSetDefault));
        for (const HiddenList& list : kHiddenLists)
            EXPECT_EQ(ComboSelection(page, list.id), list.startSelection) << "list " << list.id;
        for (int id : kSerialLists)
            EXPECT_FALSE(IsEnabled(page, id)) << "list " << id;
    }
};

TEST_F(DetailSettingTest, OpensWithTheModelsRowOneAndTheInitialPrinterName)
{
    Wizard wizard;
    HWND page = OpenDetailSetting(wizard);
    ASSERT_TRUE(page);

    std::vector<std::wstring> expected(std::begin(kModelTexts), std::end(kModelTexts));
    EXPECT_EQ(ComboItems(page, kModelList), expected);
    // Row 1 is selected, yet the field shows the separate initial name, not row 1's text.
    EXPECT_EQ(ComboSelection(page, kModelList), 1);
    EXPECT_EQ(ItemText(page, kPrinterName), kInitialPrinterName);
    EXPECT_NE(ItemText(page, kPrinterName), kModelTexts[1]);
    EXPECT_TRUE(IsChecked(page, kSetDefault));

    // The printer name is shown, never typed.
    EXPECT_TRUE(GetWindowLongW(Item(page, kPrinterName), GWL_STYLE) & ES_READONLY);
}

TEST_F(DetailSettingTest, HiddenSectionHoldsTheSerialListsAtTheirStartSelections)
{
    Wizard wizard;
    HWND page = OpenDetailSetting(wizard);
    ASSERT_TRUE(page);

    for (const HiddenList& list : kHiddenLists)
    {
        SCOPED_TRACE(testing::Message() << "list " << list.id);
        EXPECT_FALSE(IsShown(page, list.id));
        EXPECT_EQ(ComboItems(page, list.id), list.items);
        EXPECT_EQ(ComboSelection(page, list.id), list.startSelection);
    }
    // The port list stays enabled (and hidden); the five serial lists wait for a COM port.
    EXPECT_TRUE(IsEnabled(page, kPortList));
    for (int id : kSerialLists)
        EXPECT_FALSE(IsEnabled(page, id)) << "list " << id;
}

TEST_F(DetailSettingTest, ChoosingAModelShowsItsTextAsThePrinterName)
{
    Wizard wizard;
    HWND page = OpenDetailSetting(wizard);
    ASSERT_TRUE(page);

    // Each pick as the combo box reports it: the new selection, then CBN_SELCHANGE. Row 1 again at
    // the end shows row 1's own text, not the initial name.
    for (int row : {4, 0, 8, 1})
    {
        SCOPED_TRACE(testing::Message() << "row " << row);
        ComboSelect(page, kModelList, row);
        EXPECT_EQ(ComboSelection(page, kModelList), row);
        EXPECT_EQ(ItemText(page, kPrinterName), kModelTexts[row]);
    }
}

TEST_F(DetailSettingTest, SerialListsFollowThePortListsChoice)
{
    Wizard wizard;
    HWND page = OpenDetailSetting(wizard);
    ASSERT_TRUE(page);

    // A selection made without the change notification (as the page's own start selection)
    // enables nothing.
    Send(Item(page, kPortList), CB_SETCURSEL, 3);
    for (int id : kSerialLists)
        EXPECT_FALSE(IsEnabled(page, id)) << "list " << id;

    struct Step
    {
        int portIndex;
        bool serialEnabled;
    };
    for (Step step : {Step{3, true}, Step{2, false}, Step{6, true}, Step{0, false}})
    {
        SCOPED_TRACE(testing::Message() << "port index " << step.portIndex);
        ComboSelect(page, kPortList, step.portIndex);
        for (int id : kSerialLists)
            EXPECT_EQ(IsEnabled(page, id), step.serialEnabled) << "list " << id;
    }
}

TEST_F(DetailSettingTest, AboutItemOpensTheAboutBoxAndClosingItLeavesThePage)
{
    Wizard wizard;
    HWND page = OpenDetailSetting(wizard);
    ASSERT_TRUE(page);
    ComboSelect(page, kModelList, 6);
    ClickCheck(page, kSetDefault);
    ASSERT_TRUE(WaitUntil([page] { return !IsChecked(page, kSetDefault); }));

    SysCommand(page, kAboutCommand);
    HWND about = wizard.WaitForWindow([page](HWND wnd) { return ClassOf(wnd) == L"#32770" && Owner(wnd) == page; });
    ASSERT_TRUE(about) << wizard.DescribeWindows();
    // Its OK button is IDOK; the dialog's own OK handling closes it.
    Click(about, IDOK);
    ASSERT_TRUE(WaitUntilGone(about));

    EXPECT_TRUE(IsWindow(page));
    EXPECT_EQ(ComboSelection(page, kModelList), 6);
    EXPECT_EQ(ItemText(page, kPrinterName), kModelTexts[6]);
    EXPECT_FALSE(IsChecked(page, kSetDefault));
    EXPECT_EQ(wizard.Windows(), std::vector<HWND>{page});
}

TEST_F(DetailSettingTest, BackShowsSelectOsAndTheNextVisitStartsAfresh)
{
    SetWindowsVersion("winxp");
    Wizard wizard;
    HWND page = OpenDetailSetting(wizard);
    ASSERT_TRUE(page);
    ComboSelect(page, kModelList, 7);
    ClickCheck(page, kSetDefault);
    ASSERT_TRUE(WaitUntil([page] { return !IsChecked(page, kSetDefault); }));
    ComboSelect(page, kPortList, 4);

    Click(page, kBack);
    HWND selectOs = wizard.WaitForDialog(PageCaption(Page::SelectOs));
    ASSERT_TRUE(selectOs) << wizard.DescribeWindows();
    EXPECT_TRUE(WaitUntilGone(page));
    EXPECT_TRUE(IsChecked(selectOs, 1004));  // Windows XP, detected again

    Click(selectOs, kNext);
    HWND again = wizard.WaitForDialog(PageCaption(Page::DetailSetting));
    ASSERT_TRUE(again) << wizard.DescribeWindows();
    ExpectStartState(again);
}

// Every way off the page but Back ends the wizard, without a message and without installing.
enum class Leave { Exit, Esc, Enter, CloseBox };

class DetailSettingLeave : public DetailSettingTest, public ::testing::WithParamInterface<Leave>
{
};

TEST_P(DetailSettingLeave, EndsTheWizard)
{
    Wizard wizard;
    HWND page = OpenDetailSetting(wizard);
    ASSERT_TRUE(page);

    switch (GetParam())
    {
    case Leave::Exit: Click(page, kExit); break;
    case Leave::Esc: PressKey(page, VK_ESCAPE); break;
    case Leave::Enter: PressKey(page, VK_RETURN); break;
    case Leave::CloseBox: PressCloseBox(page); break;
    }
    std::vector<std::wstring> appeared;
    ASSERT_TRUE(wizard.WaitForExit(kUiTimeoutMs, &appeared)) << wizard.DescribeWindows();
    EXPECT_TRUE(appeared.empty()) << "a window showed before the end: " << appeared.front();
    EXPECT_TRUE(Printers().empty());
    EXPECT_TRUE(Drivers().empty());
}

INSTANTIATE_TEST_SUITE_P(Ways, DetailSettingLeave,
                         ::testing::Values(Leave::Exit, Leave::Esc, Leave::Enter, Leave::CloseBox),
                         [](const ::testing::TestParamInfo<Leave>& info) {
                             switch (info.param)
                             {
                             case Leave::Exit: return "Exit";
                             case Leave::Esc: return "Esc";
                             case Leave::Enter: return "Enter";
                             case Leave::CloseBox: return "CloseBox";
                             }
                             return "Unknown";
                         });

// The page's texts in each build.
TEST_F(DetailSettingTest, ShowsTheTextsOfItsBuild)
{
    Wizard wizard;
    HWND page = OpenDetailSetting(wizard);
    ASSERT_TRUE(page);

    EXPECT_EQ(Text(page), Tr(L"Detail Setting", L"详细设置"));
    EXPECT_EQ(ItemText(page, kSetDefault), Tr(L"Set Default Printer", L"设为默认打印机"));
    EXPECT_EQ(ItemText(page, kBack), Tr(L"< &Back", L"< 上一步(&B)"));
    EXPECT_EQ(ItemText(page, kNext), Tr(L"&Next >", L"下一步(&N) >"));
    EXPECT_EQ(ItemText(page, kExit), Tr(L"&Exit", L"退出(&E)"));
}

} // namespace

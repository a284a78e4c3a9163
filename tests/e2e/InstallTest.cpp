// The installation, run as a user runs it (Install on "Select Port") against Wine's spooler, its
// registry and its driver directory, with a package of placeholder files.
//
// The package files are plain text: Wine loads the driver's configuration file after registering
// it and would call into a real DLL of that name. On Windows 7 (the prefix's default, OS code 8)
// Install runs the installation, "Select Port" closes, and "Detail Setting" runs it once more and
// then reports. Every message box the wizard shows is answered with OK and its text kept, so a
// test sees exactly which messages came and in which order.

#include "Harness.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

using namespace e2e;

namespace
{

// Control IDs of the templates.
const int kModelList = 1011;
const int kSetDefault = 1012;
const int kSerialPortList = 1014;  // hidden
const int kDetailNext = 1009;
const int kInstall = 1022;
const int kMessageBoxText = 0xFFFF;  // the static text of a MessageBox

const char kPortsKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports";

// What each catalogue row installs.
struct Model
{
    int row;
    const char* gpdFile;
    const char* driverName;
    bool rxuniPair;  // the driver lists RXUNI.ini and RXUNI.dll
};

const Model kModels[] = {
    {0, "RX1nocut.GPD", "RX-1(No Cut) Series", false},
    {1, "RX1cut.GPD", "RX-1(Cut) Series", false},
    {2, "RX2nocut.GPD", "RX-2(No Cut) Series", false},
    {3, "RX2cut.GPD", "RX-2(Cut) Series", false},
    {4, "RX3.GPD", "RX-3 Series", false},
    {5, "RX3N.GPD", "RX-3N Series", true},
    {6, "RXH3.GPD", "RX-H3 Series", true},
    {7, "RXF3.GPD", "RX-F3 Series", true},
    {8, "QL9.GPD", "QL-9 Series", true},
};
const Model& kStartModel = kModels[1];  // the model list opens on row 1

const char* const kCommonFiles[] = {"RXRND.DLL",  "uniDRVui.DLL", "uniDRV.DLL", "UNIDRV.HLP",
                                    "UNIRES.DLL", "TTFSUB.GPD",   "STDNAMES.GPD", "RXUNI.ini",
                                    "RXUNI.dll"};

// ---------------------------------------------------------------------------------------------
// The package and the files

std::string PackageContent(const std::string& name)
{
    return "placeholder for " + name + " of the test package\r\n";
}

// The ten files an installation of `model` copies, by name.
std::vector<std::string> CopiedFiles(const Model& model)
{
    std::vector<std::string> files(std::begin(kCommonFiles), std::end(kCommonFiles));
    files.push_back(model.gpdFile);
    std::sort(files.begin(), files.end());
    return files;
}

// A fresh folder to start the wizard in, holding "win2k" with every package file except
// `omitted`; without the folder when `withPackage` is false.
std::string MakeStartDir(bool withPackage = true, const std::vector<std::string>& omitted = {})
{
    const std::string dir = NewTestDir();
    if (!withPackage)
        return dir;
    const std::string package = dir + "\\win2k";
    EXPECT_TRUE(::CreateDirectoryA(package.c_str(), nullptr)) << "error " << ::GetLastError();
    std::vector<std::string> files(std::begin(kCommonFiles), std::end(kCommonFiles));
    for (const Model& model : kModels)
        files.push_back(model.gpdFile);
    for (const std::string& name : files)
    {
        if (std::find(omitted.begin(), omitted.end(), name) == omitted.end())
            WriteFile(package + "\\" + name, PackageContent(name));
    }
    return dir;
}

std::optional<std::string> ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string BaseName(const std::string& path)
{
    const std::size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// ---------------------------------------------------------------------------------------------
// The texts of the message boxes, as the wizard's window shows them

std::wstring CompletedText()
{
    return Tr(L"Completed!", L"驱动安装完成");
}

std::wstring CopyFailedText()
{
    return Tr(L"Installation failed: the driver files could not be copied.",
              L"驱动安装失败：无法复制驱动文件。");
}

std::wstring DefaultPrinterFailedText()
{
    return Tr(L"Installation failed: the printer could not be made the default printer.",
              L"驱动安装失败：无法将打印机设为默认打印机。");
}

std::wstring SerialSettingsFailedText()
{
    return Tr(L"Installation failed: the serial port settings could not be saved.",
              L"驱动安装失败：无法保存串口设置。");
}

// Both builds keep this text in code page 936; a MessageBoxA reads its bytes in the ANSI code page
// of the locale, which the wizard shares with this program.
std::wstring RegistryErrorText()
{
    const wchar_t text[] = L"错误：无法设置有关的注册表信息";
    const int cb = ::WideCharToMultiByte(936, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string gbk(static_cast<std::size_t>(cb), '\0');
    ::WideCharToMultiByte(936, 0, text, -1, &gbk[0], cb, nullptr, nullptr);
    const int cch = ::MultiByteToWideChar(CP_ACP, 0, gbk.c_str(), -1, nullptr, 0);
    std::wstring shown(static_cast<std::size_t>(cch), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, gbk.c_str(), -1, &shown[0], cch);
    shown.resize(std::wcslen(shown.c_str()));
    return shown;
}

// ---------------------------------------------------------------------------------------------
// Driving the wizard

struct Choices
{
    int row = kStartModel.row;
    bool setDefault = true;  // the box starts ticked
    int serialPort = 0;      // the hidden port list starts on LPT1
};

// InternalGetWindowText sends no message: the wizard's thread is busy while the installation
// runs and would not answer a WM_GETTEXT.
bool IsMessageBox(HWND wnd)
{
    wchar_t caption[64] = L"";
    ::InternalGetWindowText(wnd, caption, 64);
    return ClassOf(wnd) == L"#32770" && std::wstring(caption) == kMessageBoxCaption;
}

// Select OS, Detail Setting with the choices, Select Port, Install; then answers every message
// box with OK until the wizard ends. Returns the texts of the boxes, in order.
std::vector<std::wstring> Install(Wizard& wizard, const Choices& choices)
{
    std::vector<std::wstring> messages;
    HWND detail = OpenDetailSetting(wizard);
    if (!detail)
        return messages;
    if (choices.row != kStartModel.row)
        ComboSelect(detail, kModelList, choices.row);
    if (!choices.setDefault)
    {
        ClickCheck(detail, kSetDefault);
        // The click is posted; the page has taken it once the box reads cleared.
        const DWORD start = ::GetTickCount();
        while (IsChecked(detail, kSetDefault) && ::GetTickCount() - start < kUiTimeoutMs)
            ::Sleep(25);
        EXPECT_FALSE(IsChecked(detail, kSetDefault));
    }
    if (choices.serialPort != 0)
        ComboSelect(detail, kSerialPortList, choices.serialPort);
    Click(detail, kDetailNext);
    HWND page = wizard.WaitForDialog(PageCaption(Page::SelectPort));
    if (!page)
    {
        ADD_FAILURE() << "no Select Port page: " << wizard.DescribeWindows();
        return messages;
    }
    Click(page, kInstall);

    // A box of the first run may open above "Select Port", one of the second run above "Detail
    // Setting"; WaitForWindow gives up at once when the wizard has ended.
    while (HWND box = wizard.WaitForWindow(IsMessageBox))
    {
        messages.push_back(ItemText(box, kMessageBoxText));
        Click(box, IDOK);
        if (!WaitUntilGone(box))
        {
            ADD_FAILURE() << "a message box stayed open: " << wizard.DescribeWindows();
            break;
        }
    }
    EXPECT_TRUE(wizard.WaitForExit()) << wizard.DescribeWindows();
    return messages;
}

std::vector<std::wstring> InstallFrom(const std::string& startDir, const Choices& choices,
                                      const std::string& debugChannels = "")
{
    Wizard::Options options;
    options.currentDir = startDir;
    options.debugChannels = debugChannels;
    Wizard wizard(options);
    return Install(wizard, choices);
}

std::string Describe(const std::vector<std::wstring>& messages)
{
    std::wostringstream out;
    for (const std::wstring& message : messages)
        out << L"[" << message << L"] ";
    const std::wstring text = out.str();
    return std::string(text.begin(), text.end());  // for the failure message only
}

const PrinterInfo* FindPrinter(const std::vector<PrinterInfo>& printers, const std::string& name)
{
    for (const PrinterInfo& printer : printers)
        if (printer.name == name)
            return &printer;
    return nullptr;
}

class InstallTest : public WizardTest
{
};

// ---------------------------------------------------------------------------------------------
// One whole installation per model

class InstallModelTest : public WizardTest, public ::testing::WithParamInterface<Model>
{
};

TEST_P(InstallModelTest, InstallsDriverPrinterFilesAndDefault)
{
    const Model& model = GetParam();
    SetDeviceValue(std::nullopt);  // the key exists, the value does not
    Choices choices;
    choices.row = model.row;

    const std::vector<std::wstring> messages = InstallFrom(MakeStartDir(), choices);
    EXPECT_EQ(std::vector<std::wstring>{CompletedText()}, messages) << Describe(messages);

    const std::string dir = DriverDirectory();
    const std::vector<DriverInfo> drivers = Drivers();
    ASSERT_EQ(1u, drivers.size());
    const DriverInfo& driver = drivers[0];
    EXPECT_EQ(model.driverName, driver.name);
    EXPECT_EQ("Windows NT x86", driver.environment);
    EXPECT_EQ("uniDRV.DLL", BaseName(driver.driverPath));
    EXPECT_EQ(model.gpdFile, BaseName(driver.dataFile));
    EXPECT_EQ("uniDRVui.DLL", BaseName(driver.configFile));
    EXPECT_EQ("uniDRV.HLP", BaseName(driver.helpFile));
    EXPECT_EQ("RAW", driver.defaultDataType);
    std::vector<std::string> dependent;
    for (const std::string& path : driver.dependentFiles)
        dependent.push_back(BaseName(path));
    std::vector<std::string> expectedDependent = {"ttfsub.GPD", "unires.DLL", "stdnames.GPD"};
    if (model.rxuniPair)
    {
        expectedDependent.push_back("RXUNI.ini");
        expectedDependent.push_back("RXUNI.dll");
    }
    expectedDependent.push_back("RXRND.DLL");
    EXPECT_EQ(expectedDependent, dependent);

    const std::vector<PrinterInfo> printers = Printers();
    ASSERT_EQ(1u, printers.size());
    EXPECT_EQ(model.driverName, printers[0].name);
    EXPECT_EQ("LPT1:", printers[0].port);
    EXPECT_EQ(model.driverName, printers[0].driver);
    EXPECT_EQ("WinPrint", printers[0].printProcessor);
    EXPECT_EQ("RAW", printers[0].dataType);

    // The package, copied byte for byte into the driver directory, and nothing else there.
    const std::vector<std::string> copied = CopiedFiles(model);
    std::vector<std::string> present = FilesIn(dir);
    std::sort(present.begin(), present.end());
    EXPECT_EQ(copied, present);
    for (const std::string& name : copied)
        EXPECT_EQ(PackageContent(name), ReadFile(dir + "\\" + name).value_or("(missing)")) << name;

    EXPECT_EQ(std::string(model.driverName) + ",winspool,LPT1:", DeviceValue().value_or("(none)"));
}

INSTANTIATE_TEST_SUITE_P(Rows, InstallModelTest, ::testing::ValuesIn(kModels),
                         [](const ::testing::TestParamInfo<Model>& info) {
                             return "Row" + std::to_string(info.param.row);
                         });

// ---------------------------------------------------------------------------------------------
// Default printer and serial settings

TEST_F(InstallTest, ClearedBoxLeavesTheDefaultPrinterAlone)
{
    SetDeviceValue(std::string("Earlier Printer,winspool,LPT2:"));
    Choices choices;
    choices.setDefault = false;

    const std::vector<std::wstring> messages = InstallFrom(MakeStartDir(), choices);
    EXPECT_EQ(std::vector<std::wstring>{CompletedText()}, messages) << Describe(messages);
    EXPECT_EQ("Earlier Printer,winspool,LPT2:", DeviceValue().value_or("(none)"));
    EXPECT_NE(nullptr, FindPrinter(Printers(), kStartModel.driverName));
}

// The hidden port list set to COM1 as a user's pick would set it: the COM1: value under "Ports"
// receives the page's start settings; the other ports keep theirs.
TEST_F(InstallTest, ComEntryWritesItsSerialSettings)
{
    SetDeviceValue(std::nullopt);
    const std::vector<RegValue> before = Ports();
    Choices choices;
    choices.serialPort = 3;

    const std::vector<std::wstring> messages = InstallFrom(MakeStartDir(), choices);
    EXPECT_EQ(std::vector<std::wstring>{CompletedText()}, messages) << Describe(messages);

    std::vector<RegValue> expected = before;
    for (RegValue& value : expected)
        if (value.first == "COM1:")
            value.second = "19200,N,8,1,p";
    EXPECT_EQ(expected, Ports());
}

TEST_F(InstallTest, LptEntryLeavesThePortsAlone)
{
    SetDeviceValue(std::nullopt);
    const std::vector<RegValue> before = Ports();

    const std::vector<std::wstring> messages = InstallFrom(MakeStartDir(), Choices());
    EXPECT_EQ(std::vector<std::wstring>{CompletedText()}, messages) << Describe(messages);
    EXPECT_EQ(before, Ports());
}

// ---------------------------------------------------------------------------------------------
// How often the installation runs, by OS code. With the "Ports" key gone and the hidden port
// list on COM1, every run shows the registry message once, so the messages count the runs; the
// serial settings asked for were not saved, which the report after the second run names.

struct RunsCase
{
    const char* version;
    int osCode;
    std::vector<std::wstring> (*messages)();
};

class InstallRunsTest : public WizardTest, public ::testing::WithParamInterface<RunsCase>
{
};

TEST_P(InstallRunsTest, RunsOnceOrTwiceAndReportsOnlyOnTheNtFamily)
{
    const RunsCase& c = GetParam();
    SetWindowsVersion(c.version);
    ASSERT_EQ(ERROR_SUCCESS, ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, kPortsKey));
    Choices choices;
    choices.setDefault = false;
    choices.serialPort = 3;

    const std::vector<std::wstring> messages = InstallFrom(MakeStartDir(), choices);
    EXPECT_EQ(c.messages(), messages) << Describe(messages);
    EXPECT_FALSE(Drivers().empty());  // the installation did run
}

std::vector<std::wstring> OneRun()
{
    return {RegistryErrorText()};
}

std::vector<std::wstring> TwoRunsAndReport()
{
    return {RegistryErrorText(), RegistryErrorText(), SerialSettingsFailedText()};
}

INSTANTIATE_TEST_SUITE_P(OsCodes, InstallRunsTest,
                         ::testing::Values(RunsCase{"win10", 0, OneRun},
                                           RunsCase{"win98", 2, OneRun},
                                           RunsCase{"nt40", 3, TwoRunsAndReport},
                                           RunsCase{"win7", 8, TwoRunsAndReport}),
                         [](const ::testing::TestParamInfo<RunsCase>& info) {
                             return "Code" + std::to_string(info.param.osCode);
                         });

// ---------------------------------------------------------------------------------------------
// Failures: the wizard says which step failed and never reports completion

TEST_F(InstallTest, NoPackageFolderIsReportedAndCopiesNothing)
{
    SetDeviceValue(std::nullopt);

    const std::vector<std::wstring> messages = InstallFrom(MakeStartDir(false), Choices());
    EXPECT_EQ(std::vector<std::wstring>{CopyFailedText()}, messages) << Describe(messages);
    EXPECT_TRUE(FilesIn(DriverDirectory()).empty());
}

TEST_F(InstallTest, MissingPackageFileIsReported)
{
    const char* const missing[] = {"UNIRES.DLL", "RX1cut.GPD", "RXUNI.dll"};
    for (const char* name : missing)
    {
        SCOPED_TRACE(name);
        ResetSystem();
        SetDeviceValue(std::nullopt);

        const std::vector<std::wstring> messages =
            InstallFrom(MakeStartDir(true, {name}), Choices());
        EXPECT_EQ(std::vector<std::wstring>{CopyFailedText()}, messages) << Describe(messages);

        std::vector<std::string> expected = CopiedFiles(kStartModel);
        expected.erase(std::find(expected.begin(), expected.end(), name));
        std::vector<std::string> present = FilesIn(DriverDirectory());
        std::sort(present.begin(), present.end());
        EXPECT_EQ(expected, present);
    }
}

// The "Device" value cannot be written without the key; the wizard says so in each run and does
// not create the key. Driver and printer are in place, but the printer is not the default one the
// user asked for, so the report names that instead of "Completed!".
TEST_F(InstallTest, NoUserWindowsKeyShowsTheRegistryMessageInEachRun)
{
    ASSERT_FALSE(UserWindowsKeyExists());

    const std::vector<std::wstring> messages = InstallFrom(MakeStartDir(), Choices());
    const std::vector<std::wstring> expected = {RegistryErrorText(), RegistryErrorText(),
                                                DefaultPrinterFailedText()};
    EXPECT_EQ(expected, messages) << Describe(messages);
    EXPECT_FALSE(UserWindowsKeyExists());
    EXPECT_NE(nullptr, FindPrinter(Printers(), kStartModel.driverName));
}

// ---------------------------------------------------------------------------------------------
// Repeating an installation

TEST_F(InstallTest, ExistingFilesInTheDriverDirectoryAreReplaced)
{
    SetDeviceValue(std::nullopt);
    const std::string dir = DriverDirectory();
    const std::vector<std::string> copied = CopiedFiles(kStartModel);
    for (const std::string& name : copied)
        WriteFile(dir + "\\" + name, "an older file of the same name");

    const std::vector<std::wstring> messages = InstallFrom(MakeStartDir(), Choices());
    EXPECT_EQ(std::vector<std::wstring>{CompletedText()}, messages) << Describe(messages);
    for (const std::string& name : copied)
        EXPECT_EQ(PackageContent(name), ReadFile(dir + "\\" + name).value_or("(missing)")) << name;
}

TEST_F(InstallTest, SameModelInstalledTwiceSucceedsBothTimes)
{
    SetDeviceValue(std::nullopt);
    const std::string startDir = MakeStartDir();
    Choices choices;
    choices.row = 4;

    for (int time = 1; time <= 2; ++time)
    {
        SCOPED_TRACE(time);
        const std::vector<std::wstring> messages = InstallFrom(startDir, choices);
        EXPECT_EQ(std::vector<std::wstring>{CompletedText()}, messages) << Describe(messages);
    }
    ASSERT_EQ(1u, Drivers().size());
    EXPECT_EQ("RX-3 Series", Drivers()[0].name);
    ASSERT_EQ(1u, Printers().size());
    EXPECT_EQ("RX-3 Series", Printers()[0].name);
}

// ---------------------------------------------------------------------------------------------
// Progress

// Wine traces every position change of a progress bar. The bar of "Select Port" shows the first
// run only: the second one runs after the page has gone.
TEST_F(InstallTest, ProgressRisesTo100AndHoldsAt95DuringThePause)
{
    SetDeviceValue(std::nullopt);
    Wizard::Options options;
    options.currentDir = MakeStartDir();
    options.debugChannels = "+timestamp,+progress";
    Wizard wizard(options);
    const std::vector<std::wstring> messages = Install(wizard, Choices());
    EXPECT_EQ(std::vector<std::wstring>{CompletedText()}, messages) << Describe(messages);

    std::vector<int> positions;
    double at95 = -1, at100 = -1;
    const std::string marker = "current pos changed from ";
    for (const TraceLine& line : wizard.Trace("progress"))
    {
        const std::size_t found = line.text.find(marker);
        if (found == std::string::npos)
            continue;
        const std::size_t to = line.text.find(" to ", found + marker.size());
        ASSERT_NE(std::string::npos, to) << line.text;
        const int position = std::atoi(line.text.c_str() + to + 4);
        positions.push_back(position);
        if (position == 95)
            at95 = std::atof(line.timestamp.c_str());
        if (position == 100)
            at100 = std::atof(line.timestamp.c_str());
    }
    EXPECT_EQ((std::vector<int>{10, 20, 30, 40, 50, 60, 70, 80, 90, 95, 100}), positions);
    // The bar stays at 95 for the 500 ms pause; the trace counts in milliseconds.
    ASSERT_GE(at95, 0);
    EXPECT_GE(at100 - at95, 0.495);
}

} // namespace

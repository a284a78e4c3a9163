// The harness itself: what it arranges is what Wine's spooler and registry then hold, and what
// the wizard writes to the debugger comes back line by line, with or without timestamps.

#include "Harness.h"

#include <winspool.h>

using namespace e2e;

namespace
{

class HarnessTest : public WizardTest
{
};

// EnumPortsA level 1, asked directly: the names in the spooler's own order.
std::vector<std::string> SpoolerPortNames()
{
    DWORD needed = 0, count = 0;
    ::EnumPortsA(nullptr, 1, nullptr, 0, &needed, &count);
    // Wine refuses a buffer of size 0 even when nothing is to be returned.
    std::vector<BYTE> buffer(needed ? needed : 1);
    EXPECT_TRUE(::EnumPortsA(nullptr, 1, buffer.data(), static_cast<DWORD>(buffer.size()), &needed, &count))
        << ::GetLastError();
    std::vector<std::string> names;
    const auto* info = reinterpret_cast<const PORT_INFO_1A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i)
        names.push_back(info[i].pName);
    return names;
}

TEST_F(HarnessTest, SetPortsIsWhatTheSpoolerLists)
{
    // A colon inside a name, a name without one and a value with data: the list is replaced whole.
    const std::vector<RegValue> ports = {{"AB:CD:", ""}, {"COM9:", "19200,e,7,2"}, {"NOCOLON", ""}};
    SetPorts(ports);
    EXPECT_EQ(Ports(), ports);
    EXPECT_EQ(SpoolerPortNames(), (std::vector<std::string>{"AB:CD:", "COM9:", "NOCOLON"}));

    SetPorts({});
    EXPECT_TRUE(SpoolerPortNames().empty());
}

TEST_F(HarnessTest, WindowsKeyAndDeviceValue)
{
    // WizardTest starts from a fresh prefix's state: no key.
    EXPECT_FALSE(UserWindowsKeyExists());
    EXPECT_EQ(DeviceValue(), std::nullopt);

    SetDeviceValue(std::nullopt);
    EXPECT_TRUE(UserWindowsKeyExists());
    EXPECT_EQ(DeviceValue(), std::nullopt);

    SetDeviceValue(std::string("P,winspool,LPT1:"));
    EXPECT_EQ(DeviceValue(), std::optional<std::string>("P,winspool,LPT1:"));
    // What the spooler reports as the default printer comes from that value.
    char name[256] = "";
    DWORD cch = sizeof name;
    ASSERT_TRUE(::GetDefaultPrinterA(name, &cch)) << ::GetLastError();
    EXPECT_STREQ(name, "P");

    RemoveUserWindowsKey();
    EXPECT_FALSE(UserWindowsKeyExists());
}

TEST_F(HarnessTest, RemovePrintersAndDriversUndoesAnInstallation)
{
    // A driver and a printer registered as an installation registers them; the files are text,
    // so the spooler's attempt to load the configuration file finds no library to call.
    const std::string dir = DriverDirectory();
    ASSERT_FALSE(dir.empty());
    for (const char* file : {"E2E.GPD", "E2EDRV.DLL", "E2EUI.DLL"})
        WriteFile(dir + "\\" + file, "placeholder\r\n");
    DRIVER_INFO_3A driver = {};
    driver.cVersion = 3;
    driver.pName = const_cast<char*>("E2E Test Driver");
    driver.pEnvironment = const_cast<char*>("Windows NT x86");
    driver.pDriverPath = const_cast<char*>("E2EDRV.DLL");
    driver.pDataFile = const_cast<char*>("E2E.GPD");
    driver.pConfigFile = const_cast<char*>("E2EUI.DLL");
    driver.pDependentFiles = const_cast<char*>("E2E.GPD\0");
    ASSERT_TRUE(::AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&driver))) << ::GetLastError();
    PRINTER_INFO_2A printer = {};
    printer.pPrinterName = const_cast<char*>("E2E Test Printer");
    printer.pPortName = const_cast<char*>("LPT1:");
    printer.pDriverName = driver.pName;
    printer.pPrintProcessor = const_cast<char*>("WinPrint");
    printer.pDatatype = const_cast<char*>("RAW");
    HANDLE h = ::AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&printer));
    ASSERT_TRUE(h) << ::GetLastError();
    ::ClosePrinter(h);

    ASSERT_EQ(Drivers().size(), 1u);
    EXPECT_EQ(Drivers()[0].name, "E2E Test Driver");
    EXPECT_EQ(Drivers()[0].dependentFiles.size(), 1u);
    ASSERT_EQ(Printers().size(), 1u);
    EXPECT_EQ(Printers()[0].driver, "E2E Test Driver");
    EXPECT_EQ(Printers()[0].port, "LPT1:");
    EXPECT_FALSE(FilesIn(dir).empty() && FilesIn(dir + "\\3").empty());

    RemovePrintersAndDrivers();
    EXPECT_TRUE(Printers().empty());
    EXPECT_TRUE(Drivers().empty());
    EXPECT_TRUE(FilesIn(dir).empty());
    EXPECT_TRUE(FilesIn(dir + "\\3").empty());
}

// "Select Port" writes each listed port name and "\n" to the debugger. Names with colons inside
// and Wine's +timestamp prefix must not disturb the reading.
TEST_F(HarnessTest, DebugLinesOfTheWizardWithTimestamps)
{
    SetPorts({{"A:B:C:", ""}, {"LPT1:", ""}, {"Z", ""}});
    std::vector<std::string> expected;
    for (const std::string& name : SpoolerPortNames())
        expected.push_back(name + "\n");
    ASSERT_EQ(expected.size(), 3u);

    Wizard::Options options;
    options.debugChannels = "+timestamp";
    Wizard wizard(options);
    HWND selectOs = wizard.WaitForDialog(PageCaption(Page::SelectOs));
    ASSERT_TRUE(selectOs) << wizard.DescribeWindows();
    EXPECT_TRUE(wizard.DebugLines().empty());
    Click(selectOs, 1009);
    HWND detail = wizard.WaitForDialog(PageCaption(Page::DetailSetting));
    ASSERT_TRUE(detail) << wizard.DescribeWindows();
    Click(detail, 1009);
    ASSERT_TRUE(wizard.WaitForDialog(PageCaption(Page::SelectPort))) << wizard.DescribeWindows();

    EXPECT_EQ(wizard.DebugLines(), expected);
    const std::vector<TraceLine> trace = wizard.Trace("debugstr");
    ASSERT_EQ(trace.size(), expected.size());
    for (const TraceLine& line : trace)
    {
        EXPECT_NE(line.timestamp.find('.'), std::string::npos) << line.timestamp;
        EXPECT_EQ(line.cls, "warn");
    }
}

} // namespace

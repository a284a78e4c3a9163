#include "install/InstallPlan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

const char kDir[] = "C:\\windows\\system32\\spool\\drivers\\w32x86";

struct ExpectedCopy
{
    const char* file;
    int position;
};

void ExpectCopyPlan(int row, const char* gpdFile)
{
    const ExpectedCopy expected[] = {
        {"RXRND.DLL", 10},  {gpdFile, 20},        {"uniDRVui.DLL", 30}, {"uniDRV.DLL", 0},
        {"UNIDRV.HLP", 40}, {"UNIRES.DLL", 0},    {"TTFSUB.GPD", 50},   {"STDNAMES.GPD", 0},
        {"RXUNI.ini", 0},   {"RXUNI.dll", 60},
    };
    const std::vector<CopyStep> plan = MakeCopyPlan(row, kDir);
    ASSERT_EQ(10u, plan.size());
    for (std::size_t i = 0; i < plan.size(); ++i)
    {
        SCOPED_TRACE(::testing::Message() << "copy " << i + 1);
        EXPECT_EQ(std::string("win2k\\") + expected[i].file, plan[i].source.Str());
        EXPECT_EQ(std::string(kDir) + "\\" + expected[i].file, plan[i].destination.Str());
        EXPECT_EQ(expected[i].position, plan[i].position);
    }
}

TEST(CopyPlan, Row0)
{
    ExpectCopyPlan(0, "RX1nocut.GPD");
}

TEST(CopyPlan, Row4)
{
    ExpectCopyPlan(4, "RX3.GPD");
}

TEST(CopyPlan, Row8)
{
    ExpectCopyPlan(8, "QL9.GPD");
}

TEST(CopyPlan, PositionsRiseFrom10To60)
{
    std::vector<int> positions;
    for (const CopyStep& step : MakeCopyPlan(2, kDir))
        if (step.position != 0)
            positions.push_back(step.position);
    EXPECT_EQ((std::vector<int>{10, 20, 30, 40, 50, 60}), positions);
}

TEST(CopyPlan, EmptyDriverDirectoryGivesRootPaths)
{
    const std::vector<CopyStep> plan = MakeCopyPlan(5, "");
    ASSERT_EQ(10u, plan.size());
    EXPECT_EQ("\\RXRND.DLL", plan[0].destination);
    EXPECT_EQ("\\RX3N.GPD", plan[1].destination);
    EXPECT_EQ("\\uniDRVui.DLL", plan[2].destination);
    EXPECT_EQ("win2k\\RXUNI.dll", plan[9].source);
}

TEST(CopyPlan, DirectoryEndsAtItsFirstZeroByte)
{
    const CString dir("C:\\spool\0garbage", 16);
    EXPECT_EQ("C:\\spool\\UNIRES.DLL", MakeCopyPlan(0, dir)[5].destination);
}

struct DependentCase
{
    int row;
    std::vector<std::pair<std::size_t, const char*>> entries;  // offset, name
    std::size_t listEnd;  // offset of the zero byte that ends the list
};

const std::vector<std::pair<std::size_t, const char*>> kShortList = {
    {0, "\\ttfsub.GPD"}, {12, "\\unires.DLL"}, {24, "\\stdnames.GPD"}, {38, "RXRND.DLL"}};
const std::vector<std::pair<std::size_t, const char*>> kLongList = {
    {0, "\\ttfsub.GPD"}, {12, "\\unires.DLL"}, {24, "\\stdnames.GPD"},
    {38, "\\RXUNI.ini"}, {49, "\\RXUNI.dll"},  {60, "RXRND.DLL"}};

TEST(DependentFiles, LayoutForEveryRow)
{
    const DependentCase cases[] = {
        {0, kShortList, 48}, {1, kShortList, 48}, {2, kShortList, 48},
        {3, kShortList, 48}, {4, kShortList, 48}, {5, kLongList, 70},
        {6, kLongList, 70},  {7, kLongList, 70},  {8, kLongList, 70},
    };
    for (const DependentCase& c : cases)
    {
        SCOPED_TRACE(::testing::Message() << "row " << c.row);
        const std::string buffer = MakeDependentFiles(c.row);
        ASSERT_EQ(255u, buffer.size());

        // Walk the multi-string as the spooler does: names up to their zero, until an empty one.
        std::vector<std::pair<std::size_t, std::string>> walked;
        std::size_t offset = 0;
        while (offset < buffer.size() && buffer[offset] != '\0')
        {
            const std::string name(buffer.c_str() + offset);
            walked.emplace_back(offset, name);
            offset += name.size() + 1;
        }
        ASSERT_EQ(c.entries.size(), walked.size());
        for (std::size_t i = 0; i < walked.size(); ++i)
        {
            EXPECT_EQ(c.entries[i].first, walked[i].first);
            EXPECT_EQ(c.entries[i].second, walked[i].second);
        }
        EXPECT_EQ(c.listEnd, offset);
        EXPECT_EQ(std::string(255 - c.listEnd, '\0'), buffer.substr(c.listEnd))
            << "everything from the list's end on is zero";
    }
}

TEST(DependentFiles, ALongPluginNameIsKeptWhole)
{
    const std::string longName(300, 'P');
    const std::string list = ComposeDependentFiles(longName + ".DLL", true);
    ASSERT_EQ(60u + 304u + 2u, list.size());
    EXPECT_EQ(longName + ".DLL", std::string(list.c_str() + 60));
    EXPECT_EQ(std::string("\0\0", 2), list.substr(list.size() - 2));

    // A name that just fits leaves the buffer at its usual size.
    const std::string fits(255 - 38 - 2, 'Q');
    EXPECT_EQ(255u, ComposeDependentFiles(fits, false).size());
    EXPECT_EQ(256u, ComposeDependentFiles(fits + "Q", false).size());
}

TEST(DriverDescription, Row4)
{
    const DriverDescription d = MakeDriverDescription(4);
    EXPECT_EQ(2u, d.version);
    EXPECT_EQ("RX-3 Series", d.name);
    EXPECT_EQ("Windows NT x86", d.environment);
    EXPECT_EQ("\\uniDRV.DLL", d.driverPath);
    EXPECT_EQ("\\RX3.GPD", d.dataFile);
    EXPECT_EQ("\\uniDRVui.DLL", d.configFile);
    EXPECT_EQ("\\uniDRV.HLP", d.helpFile);
    EXPECT_EQ(MakeDependentFiles(4), d.dependentFiles.Str());
    EXPECT_TRUE(d.monitorName.IsEmpty());
    EXPECT_STREQ("", d.monitorName.GetString());
    EXPECT_EQ("RAW", d.defaultDataType);
}

TEST(DriverDescription, NameAndDataFileFollowTheRow)
{
    const struct
    {
        int row;
        const char* name;
        const char* dataFile;
    } cases[] = {
        {0, "RX-1(No Cut) Series", "\\RX1nocut.GPD"},
        {3, "RX-2(Cut) Series", "\\RX2cut.GPD"},
        {5, "RX-3N Series", "\\RX3N.GPD"},
        {8, "QL-9 Series", "\\QL9.GPD"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(::testing::Message() << "row " << c.row);
        const DriverDescription d = MakeDriverDescription(c.row);
        EXPECT_EQ(c.name, d.name);
        EXPECT_EQ(c.dataFile, d.dataFile);
        EXPECT_EQ(255, d.dependentFiles.GetLength());
    }
}

TEST(PrinterDescription, NamedAfterTheDriverOnTheChosenPort)
{
    const PrinterDescription p = MakePrinterDescription(0, "LPT1:");
    EXPECT_EQ("RX-1(No Cut) Series", p.printerName);
    EXPECT_EQ("RX-1(No Cut) Series", p.driverName);
    EXPECT_EQ("LPT1:", p.portName);
    EXPECT_EQ("WinPrint", p.printProcessor);
    EXPECT_EQ("RAW", p.dataType);

    // No row taken on the port page: the spooler gets an empty port name, not NULL.
    const PrinterDescription none = MakePrinterDescription(8, "");
    EXPECT_EQ("QL-9 Series", none.printerName);
    EXPECT_TRUE(none.portName.IsEmpty());
}

TEST(RegistryTexts, DeviceValue)
{
    const struct
    {
        int row;
        const char* port;
        const char* expected;
    } cases[] = {
        {4, "LPT1:", "RX-3 Series,winspool,LPT1:"},
        {0, "LPT1:", "RX-1(No Cut) Series,winspool,LPT1:"},
        {7, "COM10:", "RX-F3 Series,winspool,COM10:"},
        {8, "", "QL-9 Series,winspool,"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(::testing::Message() << "row " << c.row << " port " << c.port);
        const CString text = DeviceValueText(c.row, c.port);
        EXPECT_EQ(c.expected, text);
        EXPECT_EQ(text.GetLength() + 1u, RegSzDataSize(text));
    }
}

TEST(RegistryTexts, SerialValue)
{
    const struct
    {
        int baud, parity, dataBits, stopBits, flow;
        const char* expected;
    } cases[] = {
        {5, 2, 3, 0, 2, "19200,N,8,1,p"},  // the page's start selections
        {0, 0, 0, 1, 1, "300,E,5,1.5,x"},
        {8, 4, 2, 2, 0, "115200,S,7,2, "},  // flow control None: a single space, not nothing
        {4, 3, 1, 0, 0, "9600,O,6,1, "},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(c.expected, SerialValueText(c.baud, c.parity, c.dataBits, c.stopBits, c.flow));
    }
}

TEST(RegistryTexts, SerialValueOnlyForComEntries)
{
    const struct
    {
        int portIndex;
        bool writes;
    } cases[] = {{-1, false}, {0, false}, {2, false}, {3, true}, {6, true}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(::testing::Message() << "port index " << c.portIndex);
        EXPECT_EQ(c.writes, WritesSerialValue(c.portIndex));
    }
    EXPECT_STREQ("COM1:", SerialValueName(3));
    EXPECT_STREQ("COM4:", SerialValueName(6));
}

TEST(RegistryTexts, KeysAndNames)
{
    EXPECT_STREQ("Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows", kDeviceKeyPath);
    EXPECT_STREQ("Device", kDeviceValueName);
    EXPECT_STREQ("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports", kPortsKeyPath);
    EXPECT_STREQ("winspool", kSpoolerName);
}

InstallOutcome AllWell()
{
    InstallOutcome outcome;
    outcome.driverDirectoryFound = true;
    outcome.copiesFailed = 0;
    outcome.driverRegistered = true;
    outcome.printerAdded = true;
    outcome.printerError = 0;
    return outcome;
}

TEST(SuccessRule, Cases)
{
    const struct
    {
        const char* description;
        void (*change)(InstallOutcome&);
        InstallStep firstFailed;
    } cases[] = {
        {"everything done", [](InstallOutcome&) {}, InstallStep::None},
        {"default printer not written", [](InstallOutcome& o) { o.defaultPrinterFailed = true; },
         InstallStep::DefaultPrinter},
        {"serial settings not written", [](InstallOutcome& o) { o.serialSettingsFailed = true; },
         InstallStep::SerialSettings},
        {"both registry values not written",
         [](InstallOutcome& o) { o.defaultPrinterFailed = o.serialSettingsFailed = true; },
         InstallStep::DefaultPrinter},
        {"printer refused before the registry",
         [](InstallOutcome& o) { o.printerAdded = false; o.printerError = 0; o.serialSettingsFailed = true; },
         InstallStep::CreatePrinter},
        {"printer existed already",
         [](InstallOutcome& o) { o.printerAdded = false; o.printerError = 1802; }, InstallStep::None},
        {"printer refused: unknown port",
         [](InstallOutcome& o) { o.printerAdded = false; o.printerError = 1796; },
         InstallStep::CreatePrinter},
        {"printer refused without an error code",
         [](InstallOutcome& o) { o.printerAdded = false; o.printerError = 0; }, InstallStep::CreatePrinter},
        {"driver refused", [](InstallOutcome& o) { o.driverRegistered = false; },
         InstallStep::RegisterDriver},
        {"one copy failed", [](InstallOutcome& o) { o.copiesFailed = 1; }, InstallStep::CopyFiles},
        {"all copies failed", [](InstallOutcome& o) { o.copiesFailed = 10; }, InstallStep::CopyFiles},
        {"no driver directory", [](InstallOutcome& o) { o.driverDirectoryFound = false; },
         InstallStep::DriverDirectory},
        {"copies and printer failed, copies come first",
         [](InstallOutcome& o) { o.copiesFailed = 2; o.printerAdded = false; o.printerError = 5; },
         InstallStep::CopyFiles},
        {"existing printer does not hide a refused driver",
         [](InstallOutcome& o) {
             o.driverRegistered = false;
             o.printerAdded = false;
             o.printerError = 1802;
         },
         InstallStep::RegisterDriver},
        {"nothing worked", [](InstallOutcome& o) { o = InstallOutcome(); },
         InstallStep::DriverDirectory},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.description);
        InstallOutcome outcome = AllWell();
        c.change(outcome);
        EXPECT_EQ(c.firstFailed, FirstFailedStep(outcome));
        EXPECT_EQ(c.firstFailed == InstallStep::None, InstallSucceeded(outcome));
    }
}

} // namespace

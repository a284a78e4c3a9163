#include "install/InstallSequence.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace
{

const char kDir[] = "C:\\windows\\system32\\spool\\drivers\\w32x86";

// Stands in for Win32: writes one line per call and answers as it is told. By default every
// call does its work.
class RecordingPlatform : public InstallPlatform
{
public:
    std::vector<std::string> calls;

    bool directoryQueryWorks = true;
    std::string directory = kDir;
    std::set<std::string> failingCopies;  // destination file names whose copy fails
    bool driverAccepted = true;
    bool printerAccepted = true;
    unsigned long printerError = 0;
    long openResult[2] = {0, 0};  // by RegistryRoot
    long setResult[2] = {0, 0};

    // The registry values written, as "<root>\<name>=<text>" with the size passed.
    std::vector<std::string> values;
    std::vector<unsigned long> valueSizes;

    bool QueryDriverDirectory(const char* environment, CString& dir) override
    {
        calls.push_back(std::string("dir ") + environment);
        if (directoryQueryWorks)
            dir = directory.c_str();
        return directoryQueryWorks;
    }
    bool CopyPackageFile(const CString& source, const CString& destination) override
    {
        calls.push_back("copy " + source.Str() + " " + destination.Str());
        const std::string& dest = destination.Str();
        return failingCopies.count(dest.substr(dest.rfind('\\') + 1)) == 0;
    }
    bool RegisterDriver(const DriverDescription& driver) override
    {
        calls.push_back("driver " + driver.name.Str());
        return driverAccepted;
    }
    PrinterHandle CreatePrinter(const PrinterDescription& printer, unsigned long* error) override
    {
        calls.push_back("printer " + printer.printerName.Str() + " " + printer.portName.Str());
        *error = printerAccepted ? 0 : printerError;
        return printerAccepted ? &m_printer : nullptr;
    }
    void ClosePrinterHandle(PrinterHandle printer) override
    {
        calls.push_back(printer == &m_printer ? "close printer" : "close null");
    }
    long OpenRegistryKey(RegistryRoot root, const char* subKey, RegistryKey* key) override
    {
        calls.push_back(RootName(root) + " open " + subKey);
        const long result = openResult[static_cast<int>(root)];
        *key = result == 0 ? &m_keys[static_cast<int>(root)] : nullptr;
        return result;
    }
    long SetRegistryString(RegistryKey key, const char* name, const CString& text,
                           unsigned long dataSize) override
    {
        const std::string root = RootName(RootOf(key));
        calls.push_back(root + " set " + name);
        values.push_back(root + "\\" + name + "=" + text.Str());
        valueSizes.push_back(dataSize);
        return setResult[static_cast<int>(RootOf(key))];
    }
    void CloseRegistryKey(RegistryKey key) override
    {
        calls.push_back(RootName(RootOf(key)) + " close");
    }
    void SetProgressPos(int position) override
    {
        calls.push_back("pos " + std::to_string(position));
    }
    void Pause(unsigned milliseconds) override
    {
        calls.push_back("pause " + std::to_string(milliseconds));
    }
    void ShowRegistryError() override
    {
        calls.push_back("registry error");
    }

    // The calls that start with `prefix`, in order.
    std::vector<std::string> CallsStartingWith(const std::string& prefix) const
    {
        std::vector<std::string> found;
        for (const std::string& call : calls)
            if (call.compare(0, prefix.size(), prefix) == 0)
                found.push_back(call);
        return found;
    }
    int Count(const std::string& call) const
    {
        return static_cast<int>(std::count(calls.begin(), calls.end(), call));
    }

private:
    static std::string RootName(RegistryRoot root)
    {
        return root == RegistryRoot::CurrentUser ? "HKCU" : "HKLM";
    }
    RegistryRoot RootOf(RegistryKey key) const
    {
        return key == &m_keys[0] ? RegistryRoot::CurrentUser : RegistryRoot::LocalMachine;
    }
    int m_printer = 0;
    int m_keys[2] = {0, 0};
};

// The page's start selections: LPT1, 19200 baud, 8 data bits, 1 stop bit, no parity, hardware.
InstallChoices Choices(int row, const char* port, bool setDefault, int portIndex = 0)
{
    InstallChoices choices;
    choices.row = row;
    choices.portName = port;
    choices.portIndex = portIndex;
    choices.setDefaultPrinter = setDefault;
    choices.baud = 5;
    choices.dataBits = 3;
    choices.stopBits = 0;
    choices.parity = 2;
    choices.flow = 2;
    return choices;
}

std::string Copy(const char* file)
{
    return std::string("copy win2k\\") + file + " " + kDir + "\\" + file;
}

// Every position, in order, with the pause after 95 and before 100.
void ExpectAllPositions(const RecordingPlatform& platform)
{
    const std::vector<std::string> expected = {"pos 10", "pos 20", "pos 30", "pos 40",
                                               "pos 50", "pos 60", "pos 70", "pos 80",
                                               "pos 90", "pos 95", "pause 500", "pos 100"};
    std::vector<std::string> seen = platform.CallsStartingWith("pos ");
    const std::vector<std::string> pauses = platform.CallsStartingWith("pause ");
    ASSERT_EQ(1u, pauses.size());
    const auto pause = std::find(platform.calls.begin(), platform.calls.end(), pauses[0]);
    const auto at100 = std::find(platform.calls.begin(), platform.calls.end(), "pos 100");
    const auto at95 = std::find(platform.calls.begin(), platform.calls.end(), "pos 95");
    EXPECT_TRUE(at95 < pause && pause < at100);
    seen.insert(std::find(seen.begin(), seen.end(), "pos 100"), pauses[0]);
    EXPECT_EQ(expected, seen);
    EXPECT_EQ("pos 100", platform.calls.back());
}

TEST(InstallSequence, CallsInTheOrderOfTheInstallation)
{
    RecordingPlatform platform;
    const InstallOutcome outcome = RunInstallation(Choices(4, "LPT1:", true), platform);

    const std::vector<std::string> expected = {
        "dir Windows NT x86",
        Copy("RXRND.DLL"), "pos 10",
        Copy("RX3.GPD"), "pos 20",
        Copy("uniDRVui.DLL"), "pos 30",
        Copy("uniDRV.DLL"), Copy("UNIDRV.HLP"), "pos 40",
        Copy("UNIRES.DLL"), Copy("TTFSUB.GPD"), "pos 50",
        Copy("STDNAMES.GPD"), Copy("RXUNI.ini"), Copy("RXUNI.dll"), "pos 60",
        "driver RX-3 Series", "pos 70",
        "printer RX-3 Series LPT1:", "pos 80",
        "HKCU open Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows", "HKCU set Device",
        "HKCU close", "pos 90",
        "pos 95",
        "close printer", "pause 500", "pos 100",
    };
    EXPECT_EQ(expected, platform.calls);
    EXPECT_TRUE(InstallSucceeded(outcome));
}

TEST(InstallSequence, EveryCallFailingStillSendsEveryPosition)
{
    RecordingPlatform platform;
    platform.directoryQueryWorks = false;
    platform.driverAccepted = false;
    platform.printerAccepted = false;
    platform.printerError = 1796;  // ERROR_UNKNOWN_PORT
    platform.openResult[0] = platform.openResult[1] = 5;  // ERROR_ACCESS_DENIED
    const InstallOutcome outcome = RunInstallation(Choices(7, "COM9:", true, 6), platform);

    ExpectAllPositions(platform);
    EXPECT_TRUE(platform.CallsStartingWith("copy ").empty());
    EXPECT_EQ(1, platform.Count("driver RX-F3 Series"));
    EXPECT_EQ(1, platform.Count("printer RX-F3 Series COM9:"));
    EXPECT_EQ(1, platform.Count("close null"));
    // The printer does not exist, so no "Device"; the COM value is tried and its key refused.
    EXPECT_TRUE(platform.CallsStartingWith("HKCU").empty());
    EXPECT_EQ(1, platform.Count("registry error"));
    EXPECT_EQ(InstallStep::DriverDirectory, FirstFailedStep(outcome));
}

TEST(InstallSequence, NoDriverDirectoryMeansNoCopiesAndFailure)
{
    struct Case
    {
        const char* name;
        bool queryWorks;
        const char* answer;
    };
    const Case cases[] = {
        {"query fails", false, kDir},
        {"empty answer", true, ""},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        RecordingPlatform platform;
        platform.directoryQueryWorks = c.queryWorks;
        platform.directory = c.answer;
        const InstallOutcome outcome = RunInstallation(Choices(0, "LPT1:", false), platform);

        EXPECT_TRUE(platform.CallsStartingWith("copy ").empty());
        EXPECT_FALSE(outcome.driverDirectoryFound);
        EXPECT_FALSE(InstallSucceeded(outcome));
        EXPECT_EQ(InstallStep::DriverDirectory, FirstFailedStep(outcome));
        // The later steps still run.
        EXPECT_EQ(1, platform.Count("driver RX-1(No Cut) Series"));
        ExpectAllPositions(platform);
    }
}

TEST(InstallSequence, DeviceWrittenOnlyForAnExistingPrinterWhenTicked)
{
    struct Case
    {
        bool ticked;
        bool printerAccepted;
        unsigned long printerError;
        bool written;
    };
    const Case cases[] = {
        {true, true, 0, true},
        {true, false, 1802, true},   // ERROR_PRINTER_ALREADY_EXISTS: it is there
        {true, false, 1796, false},  // ERROR_UNKNOWN_PORT
        {true, false, 0, false},
        {false, true, 0, false},
        {false, false, 1802, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(::testing::Message() << "ticked " << c.ticked << ", accepted " << c.printerAccepted
                                          << ", error " << c.printerError);
        RecordingPlatform platform;
        platform.printerAccepted = c.printerAccepted;
        platform.printerError = c.printerError;
        RunInstallation(Choices(0, "LPT2:", c.ticked), platform);

        if (c.written)
        {
            ASSERT_EQ(1u, platform.values.size());
            const std::string text = "RX-1(No Cut) Series,winspool,LPT2:";
            EXPECT_EQ("HKCU\\Device=" + text, platform.values[0]);
            EXPECT_EQ(text.size() + 1, platform.valueSizes[0]);
            EXPECT_EQ(1, platform.Count("HKCU close"));
        }
        else
        {
            EXPECT_TRUE(platform.CallsStartingWith("HKCU").empty());
        }
        EXPECT_EQ(0, platform.Count("registry error"));
        ExpectAllPositions(platform);
    }
}

TEST(InstallSequence, RegistryFailuresShowTheMessage)
{
    struct Case
    {
        const char* name;
        long openResult[2];
        long setResult[2];
        int messages;
        int closes[2];
        InstallStep firstFailed;
    };
    const Case cases[] = {
        {"Windows key missing", {2, 0}, {0, 0}, 1, {0, 1}, InstallStep::DefaultPrinter},
        {"Ports key refused", {0, 5}, {0, 0}, 1, {1, 0}, InstallStep::SerialSettings},
        {"both keys missing", {2, 2}, {0, 0}, 2, {0, 0}, InstallStep::DefaultPrinter},
        {"Device refused", {0, 0}, {5, 0}, 1, {1, 1}, InstallStep::DefaultPrinter},
        {"serial value refused", {0, 0}, {0, 5}, 1, {1, 1}, InstallStep::SerialSettings},
        {"both values refused", {0, 0}, {5, 5}, 2, {1, 1}, InstallStep::DefaultPrinter},
        {"all written", {0, 0}, {0, 0}, 0, {1, 1}, InstallStep::None},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        RecordingPlatform platform;
        std::copy(c.openResult, c.openResult + 2, platform.openResult);
        std::copy(c.setResult, c.setResult + 2, platform.setResult);
        const InstallOutcome outcome = RunInstallation(Choices(3, "COM1:", true, 3), platform);

        EXPECT_EQ(c.messages, platform.Count("registry error"));
        EXPECT_EQ(c.closes[0], platform.Count("HKCU close"));
        EXPECT_EQ(c.closes[1], platform.Count("HKLM close"));
        // A value the user's choices asked for and that was not written makes the run fail.
        EXPECT_EQ(c.firstFailed, FirstFailedStep(outcome));
        ExpectAllPositions(platform);
    }
}

TEST(InstallSequence, SerialValueOnlyForComEntries)
{
    const char* const names[] = {nullptr, nullptr, nullptr, "COM1:", "COM2:", "COM3:", "COM4:"};
    for (int portIndex = -1; portIndex <= 6; ++portIndex)
    {
        SCOPED_TRACE(::testing::Message() << "port index " << portIndex);
        RecordingPlatform platform;
        RunInstallation(Choices(2, "LPT1:", false, portIndex), platform);

        const std::vector<std::string> opens = platform.CallsStartingWith("HKLM open ");
        if (portIndex >= 3)
        {
            ASSERT_EQ(1u, platform.values.size());
            EXPECT_EQ(std::vector<std::string>{"HKLM open SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports"},
                      opens);
            EXPECT_EQ(std::string("HKLM\\") + names[portIndex] + "=19200,N,8,1,p", platform.values[0]);
            EXPECT_EQ(sizeof "19200,N,8,1,p", platform.valueSizes[0]);
            // Written after position 90, before 95.
            const auto set = std::find(platform.calls.begin(), platform.calls.end(),
                                       std::string("HKLM set ") + names[portIndex]);
            EXPECT_TRUE(std::find(platform.calls.begin(), platform.calls.end(), "pos 90") < set);
            EXPECT_TRUE(set < std::find(platform.calls.begin(), platform.calls.end(), "pos 95"));
        }
        else
        {
            EXPECT_TRUE(opens.empty());
            EXPECT_TRUE(platform.values.empty());
        }
    }
}

TEST(InstallSequence, OutcomeNamesTheFirstStepThatFailed)
{
    struct Case
    {
        const char* name;
        std::vector<std::string> failingCopies;
        bool driverAccepted;
        bool printerAccepted;
        unsigned long printerError;
        InstallStep firstFailed;
    };
    const Case cases[] = {
        {"all done", {}, true, true, 0, InstallStep::None},
        {"printer of that name exists", {}, true, false, 1802, InstallStep::None},
        {"one copy fails", {"QL9.GPD"}, true, true, 0, InstallStep::CopyFiles},
        {"last copy fails", {"RXUNI.dll"}, true, true, 0, InstallStep::CopyFiles},
        {"three copies fail", {"RXRND.DLL", "UNIRES.DLL", "RXUNI.ini"}, false, false, 1796,
         InstallStep::CopyFiles},
        {"driver refused", {}, false, true, 0, InstallStep::RegisterDriver},
        {"printer refused", {}, true, false, 1796, InstallStep::CreatePrinter},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        RecordingPlatform platform;
        platform.failingCopies.insert(c.failingCopies.begin(), c.failingCopies.end());
        platform.driverAccepted = c.driverAccepted;
        platform.printerAccepted = c.printerAccepted;
        platform.printerError = c.printerError;
        const InstallOutcome outcome = RunInstallation(Choices(8, "LPT1:", true), platform);

        EXPECT_EQ(c.firstFailed, FirstFailedStep(outcome));
        EXPECT_EQ(c.firstFailed == InstallStep::None, InstallSucceeded(outcome));
        EXPECT_EQ(static_cast<int>(c.failingCopies.size()), outcome.copiesFailed);
        EXPECT_EQ(10u, platform.CallsStartingWith("copy ").size());
        ExpectAllPositions(platform);
    }
}

} // namespace

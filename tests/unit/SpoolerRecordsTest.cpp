#include "pages/SpoolerRecords.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace
{

// A record laid out as the spooler lays out PORT_INFO_1 or MONITOR_INFO_1: a pointer to a string
// that lives later in the same buffer.
struct NameInfo
{
    const char* pName;
};

// A stand-in spooler. It holds a set of names and answers the two-call protocol: it reports the
// bytes it needs, and fills a buffer that is large enough with records followed by their strings.
// `grownBy` names are added to the set between the first and the second call, as when a port is
// added meanwhile. `failSecondCall` makes the second call fail and still report `claimedCount`.
struct FakeSpooler
{
    std::vector<std::string> names;
    std::vector<std::string> grownBy;
    bool failSecondCall = false;
    unsigned long claimedCount = 0;
    bool overclaimCount = false;  // succeed, but report claimedCount records

    int calls = 0;
    std::vector<unsigned long> bufferSizes;
    std::vector<bool> bufferWasNull;

    unsigned long Needed() const
    {
        unsigned long cb = static_cast<unsigned long>(names.size() * sizeof(NameInfo));
        for (const std::string& name : names)
            cb += static_cast<unsigned long>(name.size() + 1);
        return cb;
    }

    bool operator()(unsigned char* pBuffer, unsigned long cbBuf, unsigned long* pcbNeeded,
                    unsigned long* pcReturned)
    {
        ++calls;
        bufferSizes.push_back(cbBuf);
        bufferWasNull.push_back(pBuffer == nullptr);
        if (calls == 2)
        {
            names.insert(names.end(), grownBy.begin(), grownBy.end());
            if (failSecondCall)
            {
                // Some spoolers leave a count behind on failure; it must not be read.
                *pcReturned = claimedCount;
                return false;
            }
        }
        *pcbNeeded = Needed();
        if (cbBuf < *pcbNeeded)
        {
            *pcReturned = 0;
            return names.empty();
        }
        NameInfo* pRecords = reinterpret_cast<NameInfo*>(pBuffer);
        char* pStrings = reinterpret_cast<char*>(pBuffer + names.size() * sizeof(NameInfo));
        for (std::size_t i = 0; i < names.size(); ++i)
        {
            std::memcpy(pStrings, names[i].c_str(), names[i].size() + 1);
            pRecords[i].pName = pStrings;
            pStrings += names[i].size() + 1;
        }
        *pcReturned = overclaimCount ? claimedCount : static_cast<unsigned long>(names.size());
        return true;
    }
};

std::vector<std::string> NamesOf(const CSpoolerRecords<NameInfo>& records)
{
    std::vector<std::string> result;
    for (std::size_t i = 0; i < records.GetCount(); ++i)
        result.push_back(records[i].pName);
    return result;
}

struct RecordsCase
{
    const char* description;
    std::vector<std::string> names;
    std::vector<std::string> grownBy;
    bool failSecondCall;
    bool overclaimCount;
    unsigned long claimedCount;
    std::vector<std::string> expected;
};

// Test names and failure messages show the case by its description, not as raw bytes.
void PrintTo(const RecordsCase& c, std::ostream* os)
{
    *os << c.description;
}

class SpoolerRecordsTest : public ::testing::TestWithParam<RecordsCase>
{
};

TEST_P(SpoolerRecordsTest, ListsWhatTheSecondCallFilled)
{
    const RecordsCase& c = GetParam();
    FakeSpooler spooler;
    spooler.names = c.names;
    spooler.grownBy = c.grownBy;
    spooler.failSecondCall = c.failSecondCall;
    spooler.overclaimCount = c.overclaimCount;
    spooler.claimedCount = c.claimedCount;

    // The stand-in is passed by reference so that its record of the calls can be read afterwards.
    const CSpoolerRecords<NameInfo> records(
        [&spooler](unsigned char* p, unsigned long cb, unsigned long* pcbNeeded, unsigned long* pcReturned) {
            return spooler(p, cb, pcbNeeded, pcReturned);
        });

    // The count first: reading past what the buffer holds would not be a clean failure.
    ASSERT_EQ(c.expected.size(), records.GetCount());
    EXPECT_EQ(c.expected, NamesOf(records));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SpoolerRecordsTest,
    ::testing::Values(
        RecordsCase{"ports in the spooler order", {"COM1:", "FILE:", "LPT1:"}, {}, false, false, 0,
                    {"COM1:", "FILE:", "LPT1:"}},
        RecordsCase{"one record with an empty name", {""}, {}, false, false, 0, {""}},
        RecordsCase{"no records", {}, {}, false, false, 0, {}},
        RecordsCase{"set grew between the calls", {"LPT1:"}, {"NE00:", "NE01:"}, false, false, 0, {}},
        RecordsCase{"second call fails yet reports a count", {"LPT1:", "LPT2:"}, {}, true, false, 2, {}},
        RecordsCase{"failure with a count and no buffer", {}, {}, true, false, 7, {}},
        RecordsCase{"count larger than the buffer holds", {"LPT1:"}, {}, false, true, 1000, {"LPT1:"}},
        RecordsCase{"count smaller than written", {"A:", "B:", "C:"}, {}, false, true, 2, {"A:", "B:"}}),
    [](const ::testing::TestParamInfo<RecordsCase>& info) {
        std::string name;
        for (const char* p = info.param.description; *p != '\0'; ++p)
            name += (*p >= 'a' && *p <= 'z') || (*p >= 'A' && *p <= 'Z') || (*p >= '0' && *p <= '9')
                        ? *p
                        : '_';
        return name;
    });

// The protocol itself: a size query without a buffer, then one call with a buffer of exactly the
// reported size, and no further calls. The buffer is a real one even when the size is 0.
TEST(SpoolerRecordsProtocol, AsksForTheSizeThenFillsABufferOfExactlyThatSize)
{
    const std::vector<std::vector<std::string>> sets = {
        {}, {"LPT1:"}, {"COM1:", "COM2:", "a much longer port name than the others"}};
    for (const std::vector<std::string>& names : sets)
    {
        FakeSpooler spooler;
        spooler.names = names;
        const unsigned long needed = spooler.Needed();
        const CSpoolerRecords<NameInfo> records(
            [&spooler](unsigned char* p, unsigned long cb, unsigned long* pcbNeeded, unsigned long* pcReturned) {
                return spooler(p, cb, pcbNeeded, pcReturned);
            });

        ASSERT_EQ(2, spooler.calls) << names.size() << " names";
        EXPECT_TRUE(spooler.bufferWasNull[0]);
        EXPECT_EQ(0ul, spooler.bufferSizes[0]);
        EXPECT_EQ(needed, spooler.bufferSizes[1]);
        EXPECT_FALSE(spooler.bufferWasNull[1]);
        EXPECT_EQ(names.size(), records.GetCount());
    }
}

// 300 records are all kept: the limit of 256 listed rows belongs to the page, not to the buffer.
TEST(SpoolerRecordsProtocol, KeepsEveryRecordOfALargeSet)
{
    FakeSpooler spooler;
    for (int i = 0; i < 300; ++i)
        spooler.names.push_back("P" + std::to_string(i) + ":");
    const std::vector<std::string> expected = spooler.names;
    const CSpoolerRecords<NameInfo> records(
        [&spooler](unsigned char* p, unsigned long cb, unsigned long* pcbNeeded, unsigned long* pcReturned) {
            return spooler(p, cb, pcbNeeded, pcReturned);
        });
    ASSERT_EQ(expected.size(), records.GetCount());
    EXPECT_EQ(expected, NamesOf(records));
}

} // namespace

#include "pages/DefaultPortRow.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace
{

struct PortCase
{
    const char* description;
    std::vector<const char*> names;
    int expected;
};

std::vector<CString> ToNames(const std::vector<const char*>& names)
{
    return std::vector<CString>(names.begin(), names.end());
}

class DefaultPortRowTest : public ::testing::TestWithParam<PortCase>
{
};

TEST_P(DefaultPortRowTest, PicksTheExpectedRow)
{
    EXPECT_EQ(GetParam().expected, DefaultPortRow(ToNames(GetParam().names)));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DefaultPortRowTest,
    ::testing::Values(
        PortCase{"LPT1 comes first", {"LPT1:", "LPT2:", "COM1:", "FILE:"}, 0},
        PortCase{"LPT1 wins over an earlier COM1 and FILE", {"FILE:", "COM1:", "LPT1:"}, 2},
        PortCase{"COM1 without LPT1", {"LPT2:", "LPT3:", "FILE:", "COM1:", "COM2:"}, 3},
        PortCase{"FILE alone at row 0", {"FILE:", "COM2:", "LPT2:"}, 0},
        PortCase{"lower case matches nothing", {"com1:", "lpt1:", "file:"}, -1},
        PortCase{"later COM1 prefix replaces earlier",
                 {"LPT2:", "FILE:", "COM1:", "COM2:", "COM3:", "COM4:", "COM5:", "COM6:", "COM7:",
                  "COM10:"},
                 9},
        PortCase{"no ports", {}, -1},
        PortCase{"names shorter than four bytes", {"LPT", "COM", "FIL", "", "L"}, -1},
        PortCase{"exactly four bytes match", {"XPS:", "COM1"}, 1},
        PortCase{"prefix only counts at the start", {"XLPT1:", " COM1:", "NE00:"}, -1},
        PortCase{"no known prefix", {"USB001", "IP_10.0.0.5", "NUL:"}, -1},
        PortCase{"later LPT1 prefix replaces earlier", {"LPT1:", "COM1:", "LPT1.redirect"}, 2}),
    [](const ::testing::TestParamInfo<PortCase>& info) {
        std::string name;
        for (const char* p = info.param.description; *p != '\0'; ++p)
            name += (*p >= 'a' && *p <= 'z') || (*p >= 'A' && *p <= 'Z') || (*p >= '0' && *p <= '9')
                        ? *p
                        : '_';
        return name;
    });

std::vector<CString> NumberedPorts(const char* prefix, int count)
{
    std::vector<CString> names;
    for (int i = 0; i < count; ++i)
    {
        CString name;
        name.Format("%s%d:", prefix, i);
        names.push_back(name);
    }
    return names;
}

TEST(DefaultPortRow, OnlyTheFirst256NamesCount)
{
    struct Case
    {
        int lpt1Row;
        int expected;
    };
    // Without LPT1 the COM1 row at 7 is the answer; row 255 is the last one listed.
    for (Case c : {Case{255, 255}, Case{256, 7}, Case{299, 7}})
    {
        SCOPED_TRACE(::testing::Message() << "LPT1: at row " << c.lpt1Row);
        std::vector<CString> names = NumberedPorts("NE", 300);
        names[7] = "COM1:";
        names[static_cast<std::size_t>(c.lpt1Row)] = "LPT1:";
        EXPECT_EQ(c.expected, DefaultPortRow(names));
    }
}

TEST(DefaultPortRow, ALaterUnlistedMatchDoesNotReplaceAListedOne)
{
    std::vector<CString> names = NumberedPorts("NE", 300);
    names[3] = "FILE:";
    names[280] = "FILE:";
    EXPECT_EQ(3, DefaultPortRow(names));
}

} // namespace

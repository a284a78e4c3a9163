#include "pages/OsType.h"

#include <gtest/gtest.h>

#include <ostream>

namespace
{

const int kUnchanged = -1;  // expected: the code passed in comes back

struct OsCase
{
    unsigned long platformId;
    unsigned long major;
    unsigned long minor;
    int expected;  // kUnchanged: the current code is kept
};

std::ostream& operator<<(std::ostream& os, const OsCase& c)
{
    return os << "platform " << c.platformId << ", " << c.major << "." << c.minor;
}

class ClassifyOsTest : public ::testing::TestWithParam<OsCase>
{
};

TEST_P(ClassifyOsTest, GivesTheCodeOfTheVersion)
{
    const OsCase& c = GetParam();
    // Two different starting codes tell "unchanged" apart from a code that happens to match.
    for (int current : {0, 6})
    {
        SCOPED_TRACE(::testing::Message() << "current code " << current);
        const int expected = c.expected == kUnchanged ? current : c.expected;
        EXPECT_EQ(expected, ClassifyOs(c.platformId, c.major, c.minor, current));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Windows9x, ClassifyOsTest,
    ::testing::Values(OsCase{1, 4, 0, 1}, OsCase{1, 4, 10, 2}, OsCase{1, 4, 90, 2},
                      OsCase{1, 4, 5, kUnchanged}, OsCase{1, 4, 1, kUnchanged},
                      OsCase{1, 4, 9, kUnchanged}, OsCase{1, 4, 91, kUnchanged},
                      OsCase{1, 5, 0, kUnchanged}, OsCase{1, 3, 10, kUnchanged},
                      OsCase{1, 0, 0, kUnchanged}));

INSTANTIATE_TEST_SUITE_P(
    WindowsNt, ClassifyOsTest,
    ::testing::Values(OsCase{2, 0, 0, 3}, OsCase{2, 3, 51, 3}, OsCase{2, 4, 0, 3},
                      OsCase{2, 4, 90, 3}, OsCase{2, 5, 0, 4}, OsCase{2, 5, 1, 5},
                      OsCase{2, 5, 2, 6}, OsCase{2, 5, 3, kUnchanged},
                      OsCase{2, 5, 10, kUnchanged}, OsCase{2, 6, 0, 7}, OsCase{2, 6, 1, 8},
                      OsCase{2, 6, 2, kUnchanged}, OsCase{2, 6, 3, kUnchanged},
                      OsCase{2, 7, 0, kUnchanged}, OsCase{2, 10, 0, kUnchanged},
                      OsCase{2, 0xFFFFFFFFul, 1, kUnchanged}));

INSTANTIATE_TEST_SUITE_P(
    OtherPlatforms, ClassifyOsTest,
    ::testing::Values(OsCase{0, 3, 10, 4}, OsCase{3, 5, 0, 4}, OsCase{3, 6, 1, 4},
                      OsCase{0, 0, 0, 4}, OsCase{0xFFFFFFFFul, 4, 0, 4}));

} // namespace

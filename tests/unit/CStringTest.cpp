#include "framework/CString.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

namespace
{

TEST(CString, LengthConstructorKeepsEmbeddedZeroBytes)
{
    const char bytes[] = {'A', '\0', 'B', '\0', '\0'};
    const CString str(bytes, 5);
    ASSERT_EQ(5, str.GetLength());
    EXPECT_EQ(std::string(bytes, 5), str.Str());
    EXPECT_EQ('B', str.GetAt(2));
    EXPECT_EQ('\0', str[4]);
    // A consumer of the const char* sees the text end at the first zero byte.
    EXPECT_STREQ("A", static_cast<const char*>(str));
}

TEST(CString, EmbeddedZeroBytesSurviveCopyMoveAndConcatenation)
{
    const CString zeros("\0\0", 2);
    CString str("x");
    str += zeros;
    str += '\0';
    str += "y";
    ASSERT_EQ(5, str.GetLength());
    EXPECT_EQ(std::string("x\0\0\0y", 5), str.Str());

    CString copy(str);
    CString moved(std::move(copy));
    EXPECT_EQ(std::string("x\0\0\0y", 5), moved.Str());
    EXPECT_EQ(std::string("\0\0x\0\0\0y", 7), (zeros + moved).Str());
    EXPECT_EQ(std::string("x\0\0\0y\0", 6), (moved + '\0').Str());
}

TEST(CString, PointerConstructorsStopAtZeroAndAcceptNull)
{
    EXPECT_EQ(3, CString("abc\0def").GetLength());
    EXPECT_TRUE(CString(static_cast<const char*>(nullptr)).IsEmpty());
    EXPECT_TRUE(CString(nullptr, 4).IsEmpty());
    EXPECT_TRUE(CString("abc", 0).IsEmpty());
    EXPECT_TRUE(CString("abc", -1).IsEmpty());

    CString str("keep");
    str = static_cast<const char*>(nullptr);
    EXPECT_TRUE(str.IsEmpty());
    EXPECT_STREQ("", str.GetString());
}

TEST(CString, EmptyClearsAndDefaultIsEmpty)
{
    CString str;
    EXPECT_TRUE(str.IsEmpty());
    EXPECT_EQ(0, str.GetLength());
    EXPECT_STREQ("", str.GetString());
    str = "RX-3 Series";
    EXPECT_FALSE(str.IsEmpty());
    str.Empty();
    EXPECT_TRUE(str.IsEmpty());
    EXPECT_EQ(0, str.GetLength());
}

TEST(CString, ConcatenationOperators)
{
    const CString name("RX-3 Series");
    EXPECT_EQ("RX-3 Series,winspool", name + ",winspool");
    EXPECT_EQ("<RX-3 Series", "<" + name);
    EXPECT_EQ("RX-3 Series!", name + '!');
    EXPECT_EQ("#RX-3 Series", '#' + name);
    EXPECT_EQ("RX-3 SeriesRX-3 Series", name + name);

    CString self("ab");
    self += self;
    EXPECT_EQ("abab", self);
    self += static_cast<const char*>(nullptr);
    EXPECT_EQ("abab", self);
}

TEST(CString, EqualityIsByteExact)
{
    const CString withZero("abc\0", 4);
    EXPECT_TRUE(withZero != "abc");
    EXPECT_TRUE("abc" != withZero);
    EXPECT_TRUE(withZero != CString("abc"));
    EXPECT_TRUE(withZero == CString("abc\0", 4));
    EXPECT_FALSE(CString("abc") == "ABC");
    EXPECT_TRUE(CString("abc") == "abc");
    EXPECT_TRUE("abc" == CString("abc"));
    EXPECT_TRUE(CString() == "");
    EXPECT_FALSE(CString("a") == "");
}

struct CompareCase
{
    std::string left;
    std::string right;
    int expected;
};

TEST(CString, CompareOrdersBytesAsUnsigned)
{
    const CompareCase cases[] = {
        {"abc", "abc", 0},
        {"abc", "abd", -1},
        {"abd", "abc", 1},
        {"ab", "abc", -1},
        {"", "", 0},
        {"", "a", -1},
        {"Z", "a", -1},                              // case matters: 'Z' is 0x5A, 'a' 0x61
        {"\xB4\xF2", "z", 1},                        // a byte above 127 sorts after ASCII
        {std::string("a\0b", 3), std::string("a\0a", 3), 1},  // bytes after a zero still count
        {std::string("a\0", 2), "a", 1},
    };
    for (const CompareCase& c : cases)
    {
        SCOPED_TRACE(::testing::PrintToString(c.left) + " vs " + ::testing::PrintToString(c.right));
        const CString left(c.left.data(), static_cast<int>(c.left.size()));
        const CString right(c.right.data(), static_cast<int>(c.right.size()));
        EXPECT_EQ(c.expected, left.Compare(right));
        EXPECT_EQ(-c.expected, right.Compare(left));
    }
    EXPECT_EQ(1, CString("a").Compare(static_cast<const char*>(nullptr)));
    EXPECT_EQ(0, CString("COM1:").Compare("COM1:"));
}

struct SliceCase
{
    int first;
    int count;
    const char* expected;
};

TEST(CString, MidClipsToTheString)
{
    const CString str("LPT1:");
    const SliceCase cases[] = {
        {0, 4, "LPT1"}, {3, 2, "1:"}, {3, 100, "1:"}, {5, 1, ""},   {6, 1, ""},
        {-2, 3, "LPT"}, {1, 0, ""},   {1, -1, ""},    {0, 5, "LPT1:"},
    };
    for (const SliceCase& c : cases)
    {
        SCOPED_TRACE(::testing::Message() << "Mid(" << c.first << ", " << c.count << ")");
        EXPECT_EQ(c.expected, str.Mid(c.first, c.count));
    }
    EXPECT_EQ("T1:", str.Mid(2));
    EXPECT_EQ("", str.Mid(9));
    EXPECT_EQ("LPT1:", str.Mid(-3));
}

TEST(CString, LeftClipsToTheString)
{
    const CString str("COM10:");
    EXPECT_EQ("COM1", str.Left(4));
    EXPECT_EQ("", str.Left(0));
    EXPECT_EQ("", str.Left(-1));
    EXPECT_EQ("COM10:", str.Left(40));
    EXPECT_EQ(std::string("a\0", 2), CString("a\0b", 3).Left(2).Str());
}

TEST(CString, FormatJoinsFields)
{
    CString str;
    str.Format("%s,%s,%s", "RX-3 Series", "winspool", "LPT1:");
    EXPECT_EQ("RX-3 Series,winspool,LPT1:", str);
    str.Format("%d%%|%5.2f|%x|%c", -12, 3.14159, 255u, 'Q');
    EXPECT_EQ("-12%| 3.14|ff|Q", str);
    str.Format("%s", "");
    EXPECT_TRUE(str.IsEmpty());
}

TEST(CString, FormatHasNoLengthLimit)
{
    const std::string longText(100000, 'x');
    CString str;
    str.Format("[%s]%d", longText.c_str(), 7);
    ASSERT_EQ(100003, str.GetLength());
    EXPECT_EQ('[', str[0]);
    EXPECT_EQ('x', str[50000]);
    EXPECT_EQ("]7", str.Mid(100001));
}

TEST(CString, FormatMayReadItsOwnText)
{
    CString str("uniDRV.DLL");
    str.Format("%s\\%s", "C:\\spool", str.GetString());
    EXPECT_EQ("C:\\spool\\uniDRV.DLL", str);
}

TEST(CString, PointerConversionStaysTerminated)
{
    CString str("RX");
    str += '3';
    const char* psz = str;
    EXPECT_EQ(3u, std::strlen(psz));
    EXPECT_STREQ("RX3", psz);
}

} // namespace

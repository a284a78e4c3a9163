#include "catalogue/DecodeText.h"
#include "tests/unit/PrepareText.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

std::string Decode(const std::string& letters, unsigned short seed)
{
    return DecodeText(CString(letters.data(), static_cast<int>(letters.size())), seed).Str();
}

std::string AllByteValues()
{
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes += static_cast<char>(b);
    return bytes;
}

TEST(DecodeText, KnownAnswer)
{
    // Worked by hand, independently of PrepareText:
    // "BC" = 26*1+2 = 28, masked with 0x12 (the seed's high byte) gives 0x0E;
    // key = (0x1234 + 28) * 4131 + 29386 mod 65536 = 0xF3BA;
    // "JV" = 26*9+21 = 255, masked with 0xF3 gives 0x0C.
    EXPECT_EQ(std::string("\x0E\x0C", 2), Decode("BCJV", 0x1234));
}

TEST(DecodeText, RoundTripsPreparedText)
{
    const std::string plains[] = {
        "Trelvo RX-3 POS",
        std::string("\0", 1),
        std::string("A\0\0B\0", 5),
        AllByteValues(),
        "\xB4\xF2\xD3\xA1\xBB\xFA",  // code-page 936 bytes
    };
    const unsigned short seeds[] = {0x0000, 0x0001, 0x8000, 0x4B7D, 0xFFFF};
    for (const std::string& plain : plains)
    {
        for (unsigned short seed : seeds)
        {
            SCOPED_TRACE(::testing::Message() << "plain " << ::testing::PrintToString(plain)
                                              << ", seed " << seed);
            const std::string letters = PrepareText(plain, seed);
            ASSERT_EQ(2 * plain.size(), letters.size());
            EXPECT_EQ(plain, Decode(letters, seed));
        }
    }
}

TEST(DecodeText, MaskedZeroBytesAreCarried)
{
    // With the seed's high byte equal to the plain byte, the masked byte is 0 ("AA").
    const std::string plain("AAA\0", 4);
    const std::string letters = PrepareText(plain, 0x4100);
    ASSERT_EQ("AA", letters.substr(0, 2));
    EXPECT_EQ(plain, Decode(letters, 0x4100));
}

TEST(DecodeText, EmptyAndOddLengths)
{
    for (unsigned short seed : {0x0000, 0x1234, 0xFFFF})
    {
        SCOPED_TRACE(::testing::Message() << "seed " << seed);
        EXPECT_EQ("", Decode("", seed));
        EXPECT_EQ("", Decode("J", seed));
        EXPECT_EQ(Decode("BC", seed), Decode("BCJ", seed));
        // The unpaired last letter has no effect, whatever it is.
        EXPECT_EQ(Decode("BCJVA", seed), Decode("BCJVZ", seed));
        EXPECT_EQ(2u, Decode("BCJVQ", seed).size());
    }
}

TEST(DecodeText, PairValuesWrapModulo256)
{
    // J,W = 9*26+22 = 256 is masked byte 0, the same as A,A; J,Z = 259 is 3, the same as A,D.
    EXPECT_EQ(std::string("\0", 1), Decode("JW", 0x0000));
    EXPECT_EQ("\x03", Decode("JZ", 0x0000));
    EXPECT_EQ("Z", Decode("JW", 0x5A77));
    // The key rolls on the wrapped value too, so later bytes agree as well.
    EXPECT_EQ(Decode("AABCJV", 0x5A00), Decode("JWBCJV", 0x5A00));
    EXPECT_EQ(Decode("ADBCJV", 0x5A00), Decode("JZBCJV", 0x5A00));
}

TEST(DecodeText, ChangingOnePairChangesItsByteAndLaterOnesOnly)
{
    const unsigned short seed = 0x7E18;
    const std::string letters = PrepareText("Trelvo RX-H3", seed);
    for (std::size_t pair = 0; pair < letters.size() / 2; ++pair)
    {
        SCOPED_TRACE(::testing::Message() << "pair " << pair);
        std::string changed = letters;
        changed[2 * pair + 1] = changed[2 * pair + 1] == 'A' ? 'B' : 'A';
        const std::string before = Decode(letters, seed);
        const std::string after = Decode(changed, seed);
        ASSERT_EQ(before.size(), after.size());
        EXPECT_EQ(before.substr(0, pair), after.substr(0, pair));
        EXPECT_NE(before[pair], after[pair]);
        if (pair + 1 < before.size())
        {
            EXPECT_NE(before.substr(pair + 1), after.substr(pair + 1));
        }
    }
}

TEST(DecodeText, OnlyTheSeedsHighByteActsOnTheFirstByte)
{
    for (const char* pair : {"AA", "BC", "JV", "HG"})
    {
        SCOPED_TRACE(pair);
        EXPECT_EQ(Decode(pair, 0x1200), Decode(pair, 0x12FF));
        EXPECT_NE(Decode(pair, 0x1200), Decode(pair, 0x1300));
    }
    // From the second byte on the low byte counts, through the key.
    EXPECT_EQ(std::string("\x0E\x53", 2), Decode("BCJV", 0x1200));
    EXPECT_EQ(std::string("\x0E\x40", 2), Decode("BCJV", 0x12FF));
}

TEST(DecodeText, AnyCharacterCountsByItsCode)
{
    // 'b','c' = 98, 99: 26*98 + 99 - 1755 = 892, which is 124 modulo 256.
    EXPECT_EQ("\x7C", Decode("bc", 0x0000));
    EXPECT_EQ("\x1C", Decode("BC", 0x0000));
    // '0','0' = 48, 48: 26*48 + 48 - 1755 = -459, which is 53 modulo 256.
    EXPECT_EQ("\x35", Decode("00", 0x0000));
}

TEST(DecodeText, ZeroBytesStayInTheResult)
{
    const std::string plain("RX\0-3", 5);
    const CString decoded = DecodeText(CString(PrepareText(plain, 0xBEEF).c_str()), 0xBEEF);
    ASSERT_EQ(5, decoded.GetLength());
    EXPECT_EQ(plain, decoded.Str());
    EXPECT_STREQ("RX", decoded.GetString());
}

} // namespace

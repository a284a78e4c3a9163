#include "catalogue/Catalogue.h"
#include "catalogue/DecodeText.h"
#include "tests/unit/PrepareText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

namespace
{

template <typename T, std::size_t N>
constexpr std::size_t CountOf(T (&)[N])
{
    return N;
}

struct StoredCase
{
    const char* name;
    const StoredText* stored;
    const char* plain;
    std::size_t letters;
};

const StoredCase kStoredCases[] = {
    {"model row 0", &g_modelTexts[0], "Trelvo RX-1 (No Cut) POS", 48},
    {"model row 1", &g_modelTexts[1], "Trelvo RX-1 (Cut) POS", 42},
    {"model row 2", &g_modelTexts[2], "Trelvo RX-2(No Cut) POS", 46},
    {"model row 3", &g_modelTexts[3], "Trelvo RX-2(Cut) POS", 40},
    {"model row 4", &g_modelTexts[4], "Trelvo RX-3 POS", 30},
    {"model row 5", &g_modelTexts[5], "Trelvo RX-3N POS", 32},
    {"model row 6", &g_modelTexts[6], "Trelvo RX-H3 POS", 32},
    {"model row 7", &g_modelTexts[7], "Trelvo RX-F3 POS", 32},
    {"model row 8", &g_modelTexts[8], "Trelvo - QL-9", 26},
    {"initial printer name", &g_initialPrinterName, "Trelvo Printer Series", 42},
};

TEST(Catalogue, StoredTextsDecodeToTheirPlainTexts)
{
    for (const StoredCase& c : kStoredCases)
    {
        SCOPED_TRACE(c.name);
        const std::string letters = c.stored->pszText;
        EXPECT_EQ(c.letters, letters.size());
        EXPECT_EQ(std::string(c.plain), DecodeText(c.stored->pszText, c.stored->nSeed).Str());
        // Stored exactly as the preparation steps produce it: no stray letter anywhere.
        EXPECT_EQ(letters, PrepareText(c.plain, c.stored->nSeed));
    }
}

TEST(Catalogue, StoredTextsUseOnlyLettersThePreparationMakes)
{
    for (const StoredCase& c : kStoredCases)
    {
        SCOPED_TRACE(c.name);
        const std::string letters = c.stored->pszText;
        for (std::size_t i = 0; i + 1 < letters.size(); i += 2)
        {
            EXPECT_TRUE(letters[i] >= 'A' && letters[i] <= 'J') << "at " << i;
            const char lastLow = letters[i] == 'J' ? 'V' : 'Z';
            EXPECT_TRUE(letters[i + 1] >= 'A' && letters[i + 1] <= lastLow) << "at " << i + 1;
        }
    }
}

TEST(Catalogue, EveryStoredTextHasASeedOfItsOwn)
{
    std::set<unsigned short> seeds;
    for (const StoredCase& c : kStoredCases)
        seeds.insert(c.stored->nSeed);
    EXPECT_EQ(CountOf(kStoredCases), seeds.size());
    EXPECT_EQ(static_cast<std::size_t>(kModelRowCount) + 1, CountOf(kStoredCases));
}

struct RowCase
{
    int row;
    const char* gpd;
    const char* driver;
    bool rxuni;
};

const RowCase kRows[] = {
    {0, "RX1nocut", "RX-1(No Cut) Series", false},
    {1, "RX1cut", "RX-1(Cut) Series", false},
    {2, "RX2nocut", "RX-2(No Cut) Series", false},
    {3, "RX2cut", "RX-2(Cut) Series", false},
    {4, "RX3", "RX-3 Series", false},
    {5, "RX3N", "RX-3N Series", true},
    {6, "RXH3", "RX-H3 Series", true},
    {7, "RXF3", "RX-F3 Series", true},
    {8, "QL9", "QL-9 Series", true},
};

TEST(Catalogue, RowsGiveTheirPluginGpdAndDriverNames)
{
    ASSERT_EQ(static_cast<std::size_t>(kModelRowCount), CountOf(kRows));
    for (const RowCase& c : kRows)
    {
        SCOPED_TRACE(::testing::Message() << "row " << c.row);
        EXPECT_STREQ("RXRND", PluginBaseName(c.row));
        EXPECT_STREQ("RXRND", g_pszPluginNames[c.row]);
        EXPECT_STREQ(c.gpd, GpdBaseName(c.row));
        EXPECT_STREQ(c.gpd, g_pszModelNames[c.row]);
        EXPECT_STREQ(c.driver, DriverName(c.row));
        EXPECT_STREQ(c.driver, g_pszModelNames[c.row + 9]);
        EXPECT_EQ(c.rxuni, RowHasRxuniPair(c.row));
    }
}

TEST(Catalogue, RxuniPairBelongsToRowsFiveToEightOnly)
{
    EXPECT_FALSE(RowHasRxuniPair(-1));
    EXPECT_FALSE(RowHasRxuniPair(4));
    EXPECT_TRUE(RowHasRxuniPair(5));
    EXPECT_TRUE(RowHasRxuniPair(8));
    EXPECT_FALSE(RowHasRxuniPair(9));
}

TEST(Catalogue, TableSizes)
{
    EXPECT_EQ(9u, CountOf(g_pszPluginNames));
    EXPECT_EQ(18u, CountOf(g_pszModelNames));
    EXPECT_EQ(7u, CountOf(g_pszPortValueNames));
    EXPECT_EQ(9u, CountOf(g_pszBaudRates));
    EXPECT_EQ(4u, CountOf(g_pszDataBits));
    EXPECT_EQ(3u, CountOf(g_pszStopBits));
    EXPECT_EQ(5u, CountOf(g_pszParity));
    EXPECT_EQ(3u, CountOf(g_pszFlowControl));
    EXPECT_EQ(9u, CountOf(g_modelTexts));
}

std::string Join(const char* const* table, std::size_t count)
{
    std::string joined;
    for (std::size_t i = 0; i < count; ++i)
        joined += std::string(i == 0 ? "" : "|") + table[i];
    return joined;
}

TEST(Catalogue, SerialTableEntries)
{
    EXPECT_EQ("LPT1:|LPT2:|LPT3:|COM1:|COM2:|COM3:|COM4:",
              Join(g_pszPortValueNames, CountOf(g_pszPortValueNames)));
    EXPECT_EQ("300|1200|2400|4800|9600|19200|38400|57600|115200",
              Join(g_pszBaudRates, CountOf(g_pszBaudRates)));
    EXPECT_EQ("5|6|7|8", Join(g_pszDataBits, CountOf(g_pszDataBits)));
    EXPECT_EQ("1|1.5|2", Join(g_pszStopBits, CountOf(g_pszStopBits)));
    EXPECT_EQ("E|M|N|O|S", Join(g_pszParity, CountOf(g_pszParity)));
    EXPECT_EQ(" |x|p", Join(g_pszFlowControl, CountOf(g_pszFlowControl)));
}

TEST(Catalogue, SerialDefaultsGiveTheUsualSettings)
{
    // The Detail Setting page's start selections: baud 5, parity 2, data bits 3, stop bits 0,
    // flow control 2.
    EXPECT_STREQ("19200", g_pszBaudRates[5]);
    EXPECT_STREQ("N", g_pszParity[2]);
    EXPECT_STREQ("8", g_pszDataBits[3]);
    EXPECT_STREQ("1", g_pszStopBits[0]);
    EXPECT_STREQ("p", g_pszFlowControl[2]);
}

TEST(Catalogue, FlowControlNoneIsASingleSpace)
{
    EXPECT_STREQ(" ", g_pszFlowControl[0]);
    EXPECT_EQ(1u, std::strlen(g_pszFlowControl[0]));
}

TEST(Catalogue, OnlyPortIndexesThreeAndUpAreComPorts)
{
    for (int index = 0; index < 7; ++index)
    {
        SCOPED_TRACE(index);
        const bool isCom = std::strncmp(g_pszPortValueNames[index], "COM", 3) == 0;
        EXPECT_EQ(isCom, index >= kFirstComPortIndex);
    }
}

} // namespace

#include <gtest/gtest.h>

#include <set>

#include "core/cp1251.h"
#include "exercises/jargonwords.h"

using namespace kelvatron;

// The first and last word of every row of ten catch a word lost or added anywhere.
TEST(JargonWords, StandInTableOrder) {
    const std::vector<std::pair<int, std::string_view>> expected = {
        {0, "REPORT"}, {9, "AT"},        {10, "BD"},   {19, "CFM"},   {20, "CHEERIO"}, {29, "YES"},
        {30, "YL"},    {34, "CONGRATS"}, {39, "CUL"},  {40, "CW"},    {49, "FER"},     {50, "FOR"},
        {59, "WLL"},   {60, "73"},       {61, "88"},   {69, "GE"},    {70, "GLD"},     {79, "HI"},
        {80, "HOPE"},  {89, "WRK"},      {90, "WRKD"}, {91, "БЛГ"},   {92, "ДСВ"},     {99, "LF"},
        {100, "LID"},  {109, "MSG"},     {110, "MTR"}, {119, "URS"},  {120, "WW"},     {122, "ЗДР"},
        {123, "НЛД"},  {129, "ONLY"},    {130, "OP"},  {139, "RCVR"}, {140, "REPT"},   {149, "VY"},
        {150, "WTTS"}, {153, "СПБ"},     {154, "AS"},  {155, "SK"},
    };
    for (const auto& [index, word] : expected)
        EXPECT_EQ(JargonWords[index], word) << index;
}

// Every word can be keyed: capitals and digits only, each word once. A Cyrillic look-alike in a
// Latin word would be keyed as another sign, so exactly five words hold Cyrillic letters.
TEST(JargonWords, AreUniqueCapitalsOfTwoToEightCharactersInBothForms) {
    std::set<std::string_view> seen;
    int cyrillicWords = 0;
    for (int i = 0; i < kJargonWordCount; ++i) {
        SCOPED_TRACE(JargonWords[i]);
        std::string_view bytes = JargonWordsCp1251[i];
        EXPECT_EQ(bytes, toCp1251(JargonWords[i]));
        EXPECT_TRUE(seen.insert(bytes).second);
        EXPECT_GE(bytes.size(), 2u);
        EXPECT_LE(bytes.size(), 8u);
        bool cyrillic = false;
        for (char c : bytes) {
            auto b = static_cast<unsigned char>(c);
            EXPECT_TRUE((b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') ||
                        (b >= 0xC0 && b <= 0xDF));
            cyrillic = cyrillic || b >= 0xC0;
        }
        cyrillicWords += cyrillic;
    }
    EXPECT_EQ(cyrillicWords, 5);
}

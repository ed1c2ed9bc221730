#include <gtest/gtest.h>

#include <algorithm>

#include "core/cp1251.h"
#include "training/receivecheck.h"

using namespace kelvatron;

namespace {

// The alignment written compactly: one letter per step (= match, S substitution, M missed,
// X extra).
std::string ops(const ReceiveCheck& c) {
    std::string out;
    for (const AlignedSign& s : c.steps)
        out += "=SMX"[static_cast<int>(s.op)];
    return out;
}

std::string confusions(const ReceiveCheck& c) {
    std::string out;
    for (const Confusion& x : c.confusions)
        out += fromCp1251(std::string(1, x.sent)) + ">" +
               (x.typed ? fromCp1251(std::string(1, x.typed)) : "_") + std::to_string(x.count) +
               " ";
    return out;
}

struct Case {
    const char* name;
    const char* sent; // UTF-8, converted as the window would give it
    const char* typed;
    const char* ops;
    int signs, substituted, missed, extra;
    const char* confusions;
};

const Case kCases[] = {
    {"PerfectCopy", "АБВГД ЕЖЗИЙ", "АБВГД ЕЖЗИЙ", "==========", 10, 0, 0, 0, ""},
    {"EmptyAnswerMissesEverything", "АБВ ГД", "", "MMMMM", 5, 0, 5, 0, "А>_1 Б>_1 В>_1 Г>_1 Д>_1 "},
    {"NothingSentEverySignExtra", "", "АБ В", "XXX", 0, 0, 0, 3, ""},
    {"MissedSignInsideGroup", "АБВГД ЕЖЗИЙ", "АБГД ЕЖЗИЙ", "==M=======", 10, 0, 1, 0, "В>_1 "},
    {"TwoSwappedSignsAreTwoSubstitutions", "КАЛУГ", "КЛАУГ", "=SS==", 5, 2, 0, 0, "А>Л1 Л>А1 "},
    {"LatinPartnersAndLowercaseAreRight", "ЦЕЛЬ ВОЛЖЬ", "цelx wolvx", "=========", 9, 0, 0, 0, ""},
    {"RepeatedGroupTypedOnceMissesOneCopy", "АБВ АБВ ГДЕ", "АБВ ГДЕ", "MMM======", 9, 0, 3, 0,
     "А>_1 Б>_1 В>_1 "},
    {"SpacesAndLineBreaksAreNotScored", "АБ ВГ", "  А\r\nБВ\tГ  ", "====", 4, 0, 0, 0, ""},
    {"JunkTypedForASignIsASubstitution", "АБВ", "А*В", "=S=", 3, 1, 0, 0, "Б>*1 "},
    {"JunkBesideTheSignsIsExtra", "АБВ", "АБ#В", "==X=", 3, 0, 0, 1, ""},
    {"SentCharactersWithoutSignAreNotScored", "А«Ё»Б", "АБ", "==", 2, 0, 0, 0, ""},
    {"FullStopIsTchkAndHyphenTheBreakSign", "А. Б-", "А ТЧК Б-", "======", 6, 0, 0, 0, ""},
    {"SignsMergedAcrossGroupsStillMatch", "АБВ ГДЕ", "АБВГДЕ", "======", 6, 0, 0, 0, ""},
    {"SameConfusionCountedTogether", "ЕЕЕ ИИ", "ИИИ ИИ", "SSS==", 5, 3, 0, 0, "Е>И3 "},
};

class Alignment : public ::testing::TestWithParam<Case> {};

TEST_P(Alignment, CountsAndMarksEverySign) {
    const Case& c = GetParam();
    const ReceiveCheck check = checkReceived(toCp1251(c.sent), toCp1251(c.typed));
    EXPECT_EQ(ops(check), c.ops);
    EXPECT_EQ(check.signsSent, c.signs);
    EXPECT_EQ(check.substituted, c.substituted);
    EXPECT_EQ(check.missed, c.missed);
    EXPECT_EQ(check.extra, c.extra);
    EXPECT_EQ(confusions(check), c.confusions);
}

INSTANTIATE_TEST_SUITE_P(Receive, Alignment, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Each step names the signs and where they stand in the texts as written; the tally counts each
// sent sign in table order.
TEST(ReceiveCheck, StepsPointAtTheCharactersAsWrittenAndEachSignIsTallied) {
    std::string steps;
    for (const AlignedSign& s : checkReceived(toCp1251("АБ ВГ"), toCp1251("аб вx")).steps)
        steps += std::string(1, "=SMX"[int(s.op)]) + fromCp1251(std::string{s.sent, s.typed}) +
                 std::to_string(s.sentPos) + "/" + std::to_string(s.typedPos) + " ";
    EXPECT_EQ(steps, "=АА0/0 =ББ1/1 =ВВ3/3 SГЬ4/4 "); // x is keyed as Ь
    std::string tally;
    for (const SignTally& t : checkReceived(toCp1251("1АА Б"), toCp1251("1А")).perSign)
        tally += fromCp1251(std::string(1, t.sign)) + std::to_string(t.sent) + "/" +
                 std::to_string(t.wrong) + " ";
    EXPECT_EQ(tally, "11/0 А2/1 Б1/1 ");
}

TEST(ReceiveCheck, FigureHasOneDecimal) {
    const ReceiveCheck c = checkReceived(toCp1251("АБВ"), toCp1251("АБ"));
    EXPECT_EQ(figureText(c), "Знаков: 3, ошибок: 1 (33.3 %)");
    EXPECT_EQ(figureText(checkReceived("", "")), "Знаков: 0, ошибок: 0 (0.0 %)");
}

} // namespace

// The training modes: what each keys, whether it checks, and what the history calls it.
#include <gtest/gtest.h>

#include <memory>

#include "core/cp1251.h"
#include "training/receivemode.h"
#include "training/sendingmode.h"
#include "training/weaksignsmode.h"

using namespace kelvatron;

namespace {

TrainingContext window(bool digits, bool letters, bool mixed, bool text, bool latin = false) {
    TrainingContext c;
    c.transmission.groupSize = 3;
    c.transmission.groupCount = 4;
    c.transmission.digits = digits;
    c.transmission.letters = letters;
    c.transmission.digitsAndLetters = mixed;
    c.transmission.textInWindow = text;
    c.transmission.latin = latin;
    c.windowText = toCp1251("ПАРИЖ");
    return c;
}

} // namespace

// Each mode keys its own text (or leaves it to the transmission) and names its source; a free
// sending run checks nothing. The record carries the mode's kind and source with the figures.
TEST(TrainingMode, KeysChecksAndNamesEachExerciseAsItsMode) {
    const auto none = [] { return std::vector<SignTally>{}; };
    struct Row {
        const char* name;
        std::shared_ptr<TrainingMode> mode;
        TrainingContext context;
        const char* kind;
        const char* source;
        const char* text; // UTF-8; "*" for drawn groups
        bool checks;
    };
    const Row rows[] = {
        {"digits", std::make_shared<ReceiveMode>(), window(true, false, false, false), "receive",
         "цифры", "", true},
        {"letters", std::make_shared<ReceiveMode>(), window(false, true, false, false), "receive",
         "буквы", "", true},
        {"mixed", std::make_shared<ReceiveMode>(), window(false, false, true, false), "receive",
         "цифры и буквы", "", true},
        {"window text", std::make_shared<ReceiveMode>(), window(false, false, false, true),
         "receive", "текст в окне", "", true},
        {"weak signs", std::make_shared<WeakSignsMode>(none), window(true, false, false, false),
         "receive", "слабые знаки", "*", true},
        {"sending checked", std::make_shared<SendingMode>(true), window(true, false, false, false),
         "send", "текст в окне", "ПАРИЖ", true},
        {"free sending", std::make_shared<SendingMode>(false), window(true, false, false, false),
         "send", "свободная передача", "", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const ExercisePlan plan = row.mode->plan(row.context);
        EXPECT_EQ(plan.source, row.source);
        if (std::string(row.text) == "*") {
            EXPECT_EQ(plan.text.size(), 4u * 3 + 3) << "four groups of three, spaced";
            EXPECT_FALSE(plan.alphabet.empty());
        } else {
            EXPECT_EQ(fromCp1251(plan.text), row.text);
            EXPECT_TRUE(plan.alphabet.empty());
        }
        const auto check = row.mode->check(toCp1251("АБ"), toCp1251("АВ"));
        ASSERT_EQ(check.has_value(), row.checks);
        if (check) {
            EXPECT_EQ(check->errors(), 1);
        }
        const SessionRecord record = row.mode->record(plan, {60, 20, 15, 12.5});
        EXPECT_EQ(
            std::tuple(record.kind, record.source, record.alphabet, record.dotMs, record.charWpm,
                       record.effectiveWpm, record.durationS),
            std::tuple(std::string(row.kind), plan.source, plan.alphabet, 60, 20.0, 15.0, 12.5));
    }
}

// Weak signs are drawn from the active alphabet as the sign table keys it, read from the
// learner's record when the groups are drawn.
TEST(TrainingMode, WeakSignsDrawFromTheActiveAlphabetAndTheRecordOfTheMoment) {
    int reads = 0;
    const WeakSignsMode mode([&] {
        ++reads;
        return std::vector<SignTally>{};
    });
    for (const bool latin : {false, true}) {
        const ExercisePlan plan = mode.plan(window(true, false, false, false, latin));
        const std::string alphabet = toCp1251(plan.alphabet);
        for (char sign : plan.text)
            EXPECT_TRUE(sign == ' ' || alphabet.find(sign) != std::string::npos) << latin;
        EXPECT_EQ(alphabet.size(), latin ? 10u + 26 : 10u + 31) << "digits and letters";
    }
    EXPECT_EQ(reads, 2);
    // While a course runs, only the signs it has taught (and no punctuation, which is not drawn).
    WeakSignsMode course([] { return std::vector<SignTally>{}; });
    course.limitTo(toCp1251("КМ5?"));
    EXPECT_EQ(course.plan(window(true, false, false, false, false)).alphabet, "5КМ");
}

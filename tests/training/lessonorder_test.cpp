// The course's orders teach every sign once, keep the signs learners mix up far apart and spread
// the digits; an order the learner edits is read or refused with a reason.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/cp1251.h"
#include "keying/signtable.h"
#include "training/lessonorder.h"

using namespace kelvatron;

namespace {

// Every sign of an alphabet as an order writes it, sorted.
std::string alphabetOf(bool latin) {
    std::string all = "0123456789?/,-";
    if (latin) {
        for (char c = 'A'; c <= 'Z'; ++c)
            all += c;
    } else {
        for (const SignRecord& sign : kSignTable)
            if (static_cast<unsigned char>(sign.symbol) >= 0xC0) all += sign.symbol;
    }
    std::sort(all.begin(), all.end());
    return all;
}

} // namespace

TEST(LessonOrder, TheDefaultOrdersTeachEverySignOnceWithConfusableSignsFarApart) {
    for (bool latin : {false, true}) {
        SCOPED_TRACE(latin ? "Latin" : "Cyrillic");
        const LessonOrderParse parsed = parseLessonOrder(defaultLessonOrder(latin), latin);
        ASSERT_TRUE(parsed.ok()) << parsed.error;
        std::string sorted = parsed.signsCp1251;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(sorted, alphabetOf(latin));
        EXPECT_EQ(alphabetOf(false).size(), size_t(kSignCount));

        const LessonOrder order(parsed.signsCp1251);
        for (std::string_view group : confusableGroups(latin)) {
            const std::string signs = toCp1251(group);
            for (size_t i = 0; i < signs.size(); ++i)
                for (size_t j = i + 1; j < signs.size(); ++j) {
                    SCOPED_TRACE(std::string(group));
                    const int a = order.lessonOf(signs[i]), b = order.lessonOf(signs[j]);
                    ASSERT_GT(a * b, 0);
                    EXPECT_GE(std::abs(a - b), kConfusableDistance);
                }
        }
        // Digits come before the middle of the course and then at most six lessons apart.
        int last = 0;
        for (int lesson = 1; lesson <= order.lessonCount(); ++lesson) {
            const char sign = order.newSign(lesson);
            if (sign < '0' || sign > '9') continue;
            if (last == 0) {
                EXPECT_LT(lesson, order.lessonCount() / 2);
            } else {
                EXPECT_LE(lesson - last, 6);
            }
            last = lesson;
        }
        EXPECT_EQ(order.learnedBy(1).size(), 2u);
        EXPECT_EQ(order.learnedBy(order.lessonCount()), parsed.signsCp1251);
    }
}

TEST(LessonOrder, AnEditedOrderIsReadOrRefusedWithTheReason) {
    struct Row {
        const char* text;
        bool latin;
        const char* signs; // UTF-8; empty: refused
        const char* reason;
    } rows[] = {
        {"к м р", false, "КМР", ""},
        {"КМ-5,", false, "КМ-5,", ""},
        {"k m 5", true, "KM5", ""},
        {"К М К", false, "", "дважды"},
        {"К Q", false, "", "не знак кириллицы"},
        {"K Ж", true, "", "не знак латиницы"},
        {"К ;", false, "", "не знак"},
        {"К", false, "", "хотя бы два"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const LessonOrderParse parsed = parseLessonOrder(row.text, row.latin);
        EXPECT_EQ(parsed.ok(), std::string(row.reason).empty());
        if (parsed.ok()) {
            EXPECT_EQ(fromCp1251(parsed.signsCp1251), row.signs);
        }
        EXPECT_NE(parsed.error.find(row.reason), std::string::npos) << parsed.error;
    }
}

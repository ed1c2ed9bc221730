#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>

#include "keyingscript.h"
#include "training/sendingdecoder.h"

using namespace kelvatron;
using namespace kelvatron::test;

namespace {

// UTF-8 text of the test source as Windows-1251 bytes.
std::string cp(std::string_view utf8) {
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        const size_t n = static_cast<unsigned char>(utf8[i]) < 0x80 ? 1 : 2;
        out += win1251(utf8.substr(i, n));
        i += n;
    }
    return out;
}

std::string decodeText(const std::string& text, const KeyingStyle& style,
                       SendingDecoderSettings settings = {}, double pollMs = 0) {
    std::mt19937 rng(1);
    SendingDecoder decoder(settings);
    return decode(decoder, keyText(text, style, rng), pollMs);
}

size_t editDistance(const std::string& a, const std::string& b) {
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t up = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = up;
        }
    }
    return row[b.size()];
}

} // namespace

TEST(SendingDecoder, DecodesKeyingOfEveryShape) {
    struct Case {
        const char* name;
        std::string text;
        KeyingStyle style;
        SendingDecoderSettings settings;
        std::string expected;
        double pollMs = 0;
    };
    const std::string paris = cp("ПАРИЖ ПАРИЖ");
    const Case cases[] = {
        {"exact at the set speed", cp("ПАРИЖ 1234567890 ?/,"), {}, {}, cp("ПАРИЖ 1234567890 ?/,")},
        {"every sign of the table",
         cp("АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЬЫЭЮЯ"),
         {},
         {},
         cp("АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЬЫЭЮЯ")},
        {"signs complete by polling alone", paris, {}, {}, paris, 5},
        {"a learner half as slow again as set", paris, {.dotMs = 90}, {}, paris},
        {"a learner faster than set", paris, {.dotMs = 40}, {}, paris},
        {"long dashes of ratio 4.5", paris, {.ratio = 4.5}, {}, paris},
        {"long sign gaps stay inside the word", cp("ПАРИЖ"), {.signGap = 4.5}, {}, cp("ПАРИЖ")},
        {"a long word gap is one space", paris, {.wordGap = 30}, {}, paris, 5},
        {"Latin partners, Ч without one, the break sign",
         cp("ПАРИЖ Ч-1"),
         {},
         {.latin = true},
         "PARIV " + cp("Ч") + "-1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(decodeText(c.text, c.style, c.settings, c.pollMs), c.expected);
    }
}

TEST(SendingDecoder, OddKeyingStillDecodes) {
    struct Case {
        const char* name;
        std::vector<std::string> codes;
        double stretchFirstMs; // added to the first element, everything after moves on
        std::string expected;
    };
    const Case cases[] = {
        {"a dash held three times too long", {"-", ".-", "-", ".-"}, 360, cp("ТАТА")},
        {"a dot held to a dash's length", {".", "-."}, 120, cp("ТН")},
        {"codes that are no sign", {".......", "..--.-", ".-"}, 0, cp("**А")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::mt19937 rng(1);
        auto keys = keyCodes(c.codes, {}, rng);
        keys[0].up += c.stretchFirstMs;
        for (size_t i = 1; i < keys.size(); ++i)
            keys[i] = {keys[i].down + c.stretchFirstMs, keys[i].up + c.stretchFirstMs};
        SendingDecoder decoder({});
        EXPECT_EQ(decode(decoder, keys), c.expected);
    }
}

TEST(SendingDecoder, FollowsASpeedChangeInTheMiddle) {
    struct Case {
        const char* name;
        double fromMs, toMs, jitter;
    };
    const Case cases[] = {
        {"faster, exact", 60, 40, 0},
        {"slower, exact", 60, 100, 0},
        {"faster, with 10 % jitter", 60, 40, 0.1},
    };
    const std::string words = cp("ПАРИЖ КОД ЩУКА");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::mt19937 rng(7);
        auto keys = keyText(words, {.dotMs = c.fromMs, .jitter = c.jitter}, rng);
        const auto later = keyText(words, {.dotMs = c.toMs, .jitter = c.jitter}, rng,
                                   keys.back().up + 7 * c.fromMs);
        keys.insert(keys.end(), later.begin(), later.end());
        SendingDecoder decoder({.dotMs = c.fromMs});
        EXPECT_EQ(decode(decoder, keys, 2), words + " " + words);
        EXPECT_NEAR(decoder.dotEstimateMs(), c.toMs, c.toMs * 0.1);
    }
}

// Random five-sign groups keyed with every element and silence stretched at random by up to
// +-20 %: the share of signs decoded right, over several seeds, is printed and must stay high.
TEST(SendingDecoder, AccuracyUnderTwentyPercentJitter) {
    std::mt19937 textRng(42);
    std::uniform_int_distribution<int> pick(0, kSignCount - 2); // every sign but the break sign
    size_t errors = 0, total = 0;
    for (unsigned seed = 1; seed <= 5; ++seed) {
        std::string text;
        for (int group = 0; group < 60; ++group)
            for (int i = 0; i <= 5; ++i)
                text += i < 5 ? SignTable[pick(textRng)].Symbol : ' ';
        text.pop_back();
        std::mt19937 rng(seed);
        SendingDecoder decoder({});
        const auto decoded = decode(decoder, keyText(text, {.jitter = 0.2}, rng), 2);
        errors += editDistance(text, decoded);
        total += text.size();
    }
    const double accuracy = 1 - double(errors) / total;
    std::cout << "decoder accuracy at +-20 % jitter: " << accuracy * 100 << " % of " << total
              << " characters\n";
    EXPECT_GE(accuracy, 0.99);
}

TEST(SendingDecoder, MeasuresTheLearnersTiming) {
    struct Case {
        const char* name;
        KeyingStyle style;
        double wpm, effectiveWpm, ratio, signSpacing, wordSpacing;
        int histogramBinOfDashes;
    };
    const Case cases[] = {
        {"ideal keying at 60 ms", {}, 20, 20, 3, 1, 1, 6},
        {"dashes of four dots", {.ratio = 4}, 20, 18.24, 4, 1, 1, 9},
        {"spacing half as long again",
         {.signGap = 4.5, .wordGap = 10.5},
         20,
         17.22,
         3,
         1.5,
         1.5,
         6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::mt19937 rng(1);
        SendingDecoder decoder({});
        decode(decoder, keyText(cp("ПАРИЖ ПАРИЖ ПАРИЖ"), c.style, rng), 0);
        const auto s = decoder.timing().summary();
        EXPECT_NEAR(s.wpm, c.wpm, 0.05);
        EXPECT_NEAR(s.charsPerMinute, 5 * c.wpm, 0.25);
        EXPECT_NEAR(s.effectiveWpm, c.effectiveWpm, 0.01);
        EXPECT_NEAR(s.dashDotRatio, c.ratio, 0.01);
        EXPECT_NEAR(s.elementSpacing, 1, 0.01);
        EXPECT_NEAR(s.signSpacing, c.signSpacing, 0.01);
        EXPECT_NEAR(s.wordSpacing, c.wordSpacing, 0.01);
        EXPECT_EQ(s.deviationHistogram[6], s.dots + (c.histogramBinOfDashes == 6 ? s.dashes : 0));
        EXPECT_EQ(s.deviationHistogram[c.histogramBinOfDashes],
                  s.dashes + (c.histogramBinOfDashes == 6 ? s.dots : 0));
    }
}

TEST(SendingTiming, HistogramBinsAreTenPercentSteps) {
    const std::pair<double, int> rows[] = {{-0.9, 0}, {-0.5, 1},  {-0.01, 5}, {0, 6},
                                           {0.1, 7},  {0.49, 10}, {0.5, 11},  {3, 11}};
    for (auto [deviation, bin] : rows)
        EXPECT_EQ(SendingTiming::histogramBin(deviation), bin) << deviation;
}

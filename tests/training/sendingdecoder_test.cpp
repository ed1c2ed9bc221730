#include <gtest/gtest.h>

#include <iostream>
#include <random>

#include "core/cp1251.h"
#include "keying/signtable.h"
#include "training/receivecheck.h"
#include "training/sendingdecoder.h"

using namespace kelvatron;

namespace {

// Keying at `dotMs`, each element and silence in whole dots (dash `ratio`, 1 inside a sign,
// `signGap`, `wordGap` for a space), each stretched at random by up to +-`jitter`; the first
// element held `firstExtra` dots longer; from the middle on at `laterDotMs` when given. Read
// with Latin partners when `latin`, polled every `pollMs` in the silences when above zero.
struct Style {
    double dotMs = 60, ratio = 3, signGap = 3, wordGap = 7, jitter = 0, firstExtra = 0,
           laterDotMs = 0, pollMs = 0;
    bool latin = false;
};
struct Keying {
    double down, up;
};

// Codes of a Windows-1251 text: "" for a word space, "-" the break sign.
std::vector<std::string> codesOf(const std::string& text) {
    std::vector<std::string> codes;
    for (char c : text)
        codes.emplace_back(c == ' ' ? "" : kSignTable[*findSign({c == '-' ? " " : &c, 1})].code);
    return codes;
}

std::vector<Keying> key(const std::vector<std::string>& codes, const Style& s, std::mt19937& rng,
                        double t = 0) {
    std::uniform_real_distribution<double> stretch(1 - s.jitter, 1 + s.jitter);
    double dotMs = s.dotMs;
    auto dots = [&](double n) { return n * dotMs * stretch(rng); };
    std::vector<Keying> keys;
    for (const auto& code : codes) {
        if (&code == &codes[codes.size() / 2] && s.laterDotMs) dotMs = s.laterDotMs;
        if (code.empty()) t += dots(s.wordGap - s.signGap);
        for (size_t i = 0; i < code.size(); ++i) {
            const double extra = keys.empty() ? s.firstExtra : 0;
            keys.push_back({t, t += dots((code[i] == '-' ? s.ratio : 1) + extra)});
            t += dots(i + 1 < code.size() ? 1 : s.signGap);
        }
    }
    return keys;
}

// Feeds the keying, polling every pollMs in the silences when above zero, and finishes.
std::string decode(SendingDecoder& decoder, const std::vector<Keying>& keys, double pollMs = 2) {
    std::string text;
    for (double last = 0; const auto& k : keys) {
        for (double t = last + pollMs; pollMs > 0 && t < k.down; t += pollMs)
            text += decoder.poll(t);
        text += decoder.keyDown(k.down);
        decoder.keyUp(k.up);
        last = k.up;
    }
    return text + decoder.finish();
}

const std::string paris = toCp1251("ПАРИЖ ПАРИЖ");
const std::string words = toCp1251("ПАРИЖ КОД ЩУКА ПАРИЖ КОД ЩУКА");
const std::string every = toCp1251("АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЬЫЭЮЯ 1234567890 ?/,");

} // namespace

TEST(SendingDecoder, DecodesKeyingOfEveryShape) {
    const struct {
        const char* name;
        std::vector<std::string> codes;
        std::string expected;
        Style style;
    } cases[] = {
        {"every sign", codesOf(every), every, {}},
        {"signs and spaces complete by polling alone", codesOf(paris), paris, {.pollMs = 5}},
        {"a learner half as slow again as set", codesOf(paris), paris, {.dotMs = 90}},
        {"a long word gap is one space", codesOf(paris), paris, {.wordGap = 30, .pollMs = 5}},
        {"a dash held three times too long",
         codesOf(toCp1251("ТАТА")),
         toCp1251("ТАТА"),
         {.firstExtra = 6}},
        {"a speed change in the middle, 60 to 100 ms", codesOf(words), words, {.laterDotMs = 100}},
        {"60 to 40 ms, with 10 % jitter",
         codesOf(words),
         words,
         {.jitter = 0.1, .laterDotMs = 40, .pollMs = 2}},
        {"codes that are no sign", {".......", "..--.-", ".-"}, toCp1251("**А"), {}},
        {"Latin partners, Ч without one, the break sign",
         codesOf(toCp1251("ПАРИЖ Ч-1")),
         toCp1251("PARIV Ч-1"),
         {.latin = true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::mt19937 rng(1);
        SendingDecoder decoder({.latin = c.style.latin});
        EXPECT_EQ(decode(decoder, key(c.codes, c.style, rng), c.style.pollMs), c.expected);
    }
}

// Random five-sign groups with every element and silence stretched at random by up to +-20 %.
TEST(SendingDecoder, AccuracyUnderTwentyPercentJitter) {
    std::mt19937 rng(42);
    std::uniform_int_distribution<int> pick(0, kSignCount - 2); // all but the break sign
    int errors = 0, total = 0;
    for (int run = 0; run < 5; ++run) {
        std::string text;
        for (int i = 1; i < 360; ++i)
            text += i % 6 ? kSignTable[pick(rng)].symbol : ' ';
        SendingDecoder decoder({});
        const auto c =
            checkReceived(text, decode(decoder, key(codesOf(text), {.jitter = 0.2}, rng)));
        errors += c.errors();
        total += c.signsSent;
    }
    const double accuracy = 1 - double(errors) / total;
    std::cout << "decoder accuracy at +-20 % jitter: " << accuracy * 100 << " % of " << total
              << " signs\n";
    EXPECT_GE(accuracy, 0.99);
}

TEST(SendingDecoder, MeasuresTheLearnersTiming) {
    struct Case {
        const char* name;
        Style style;
        double effectiveWpm, ratio, spacing; // sign and word spacing
        int dashBin;
    };
    const Case cases[] = {
        {"ideal keying at 60 ms", {}, 20, 3, 1, 6},
        {"spacing half as long again", {.signGap = 4.5, .wordGap = 10.5}, 17.22, 3, 1.5, 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::mt19937 rng(1);
        SendingDecoder decoder({});
        decode(decoder, key(codesOf(toCp1251("ПАРИЖ ПАРИЖ ПАРИЖ")), c.style, rng));
        const auto s = decoder.timing().summary();
        EXPECT_NEAR(s.wpm, 20, 0.05);
        EXPECT_NEAR(s.charsPerMinute, 100, 0.25);
        EXPECT_NEAR(s.effectiveWpm, c.effectiveWpm, 0.01);
        EXPECT_NEAR(s.dashDotRatio, c.ratio, 0.01);
        EXPECT_NEAR(s.elementSpacing, 1, 0.01);
        EXPECT_NEAR(s.signSpacing, c.spacing, 0.01);
        EXPECT_NEAR(s.wordSpacing, c.spacing, 0.01);
        EXPECT_EQ(s.deviationHistogram[c.dashBin], s.dashes + (c.dashBin == 6 ? s.dots : 0));
    }
    const std::pair<double, int> bins[] = {{-0.9, 0}, {-0.01, 5}, {0, 6}, {0.49, 10}, {0.5, 11}};
    for (auto [deviation, bin] : bins)
        EXPECT_EQ(SendingTiming::histogramBin(deviation), bin) << deviation;
}

// Means of 1.0 alike, an even hand and one that keys 15 % off either way by turns must read apart.
TEST(SendingTiming, SpreadBesideTheMean) {
    struct Case {
        const char* name;
        double off; // how far the short and long ones lie from the ideal, as a share
        double spread, wordSpread;
    };
    const Case cases[] = {{"even", 0, 0, 0}, {"15 % either way", 0.15, 0.15, 0.2828}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SendingTiming timing(3);
        for (double share : {1 - c.off, 1.0, 1 + c.off}) {
            timing.addElement(ElementKind::Dot, 60 * share, 60);
            timing.addElement(ElementKind::Dash, 180 * share, 60);
            timing.addGap(GapKind::Element, 60 * share);
        }
        timing.addGap(GapKind::Sign, 180);
        timing.addGap(GapKind::Word, 420 * (1 - 0.2 * c.off / 0.15));
        timing.addGap(GapKind::Word, 420 * (1 + 0.2 * c.off / 0.15));
        const auto s = timing.summary();
        EXPECT_NEAR(s.elementSpacing, 1, 1e-9);
        EXPECT_NEAR(s.wordSpacing, 1, 1e-9);
        EXPECT_NEAR(s.dotSpread, c.spread, 1e-9);
        EXPECT_NEAR(s.dashSpread, c.spread, 1e-9);
        EXPECT_NEAR(s.elementSpacingSpread, c.spread, 1e-9);
        EXPECT_LT(s.signSpacingSpread, 0); // one silence has no spread to tell
        EXPECT_NEAR(s.wordSpacingSpread, c.wordSpread, 1e-4);
    }
}

// Spoken answers in an export: after each sign, group or group keyed twice, the speech starts
// once the time to copy has passed and the next Morse waits for the pause after it; no tone is
// moved, cut or changed; with the air on, the speech is clean unless asked through it. (The
// level is measured on the real voice's export, in the platform's tests.)
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/cp1251.h"
#include "keying/signnames.h"
#include "render/exportrenderer.h"
#include "render/rendertesting.h"
#include "support/fakespeech.h"
#include "support/tempfolder.h"

using namespace kelvatron;
using namespace kelvatron::test;

namespace {

constexpr int kSpokenRate = 96000;
constexpr int64_t kSpokenMs = kSpokenRate / 1000;

struct SoundSpan {
    int64_t start, end;
};

struct SpokenRender {
    std::vector<int16_t> samples;
    std::vector<SoundSpan> spoken;
    std::vector<SoundSpan> tones; // sound outside the spoken spans
    std::string answers, failure;
};

bool insideSpans(int64_t i, const std::vector<SoundSpan>& spans) {
    for (const SoundSpan& s : spans)
        if (i >= s.start && i < s.end) return true;
    return false;
}

// Runs of sound outside the spans; a tone's own zero crossings (under a millisecond) do not
// split it.
std::vector<SoundSpan> tonesOf(const std::vector<int16_t>& samples,
                               const std::vector<SoundSpan>& spoken) {
    std::vector<SoundSpan> tones;
    for (int64_t i = 0; i < int64_t(samples.size()); ++i) {
        if (samples[size_t(i)] == 0 || insideSpans(i, spoken)) continue;
        if (!tones.empty() && i - tones.back().end < kSpokenMs)
            tones.back().end = i + 1;
        else
            tones.push_back({i, i + 1});
    }
    return tones;
}

ExportJob spokenJob(std::string_view utf8, AnswerMoment moment, int pauseMs, SpeechLog& log,
                    bool fails = false) {
    ExportJob j;
    j.transmission.cyrillic = true;
    j.transmission.opening = j.transmission.closing = false;
    if (utf8.empty()) {
        j.transmission.digits = true;
        j.transmission.groupSize = 5;
        j.transmission.groupCount = 3;
        j.seed = 11;
    } else {
        j.transmission.textInWindow = true;
        j.text = toCp1251(utf8);
    }
    j.keying = {false, true, 800, TTGWave::tgSine, 20, 3, 1, 1};
    j.spoken = {moment, pauseMs};
    j.voice = fakeSpeech(log, fails);
    return j;
}

SpokenRender renderSpoken(const ExportJob& j) {
    TempFolder folder;
    ExportRenderer renderer(j);
    SpokenRender e;
    EXPECT_TRUE(renderer.render(folder.path("v.wav"))) << renderer.error();
    e.samples = readBack(folder.path("v.wav")).samples;
    for (const auto& [start, end] : renderer.spokenSpans())
        e.spoken.push_back({start, end});
    e.tones = tonesOf(e.samples, e.spoken);
    e.answers = renderer.answers();
    e.failure = renderer.voiceFailure();
    return e;
}

std::vector<int16_t> samplesOf(const SpokenRender& e, SoundSpan s) {
    return {e.samples.begin() + s.start, e.samples.begin() + s.end};
}

// The tones of `voiced` are those of `plain` (the same export without a voice) in the order
// `order` gives, sample for sample.
void expectSameTones(const SpokenRender& voiced, const SpokenRender& plain,
                     const std::vector<int>& order) {
    ASSERT_EQ(voiced.tones.size(), order.size());
    for (size_t i = 0; i < order.size(); ++i) {
        SCOPED_TRACE("tone " + std::to_string(i));
        EXPECT_EQ(samplesOf(voiced, voiced.tones[i]),
                  samplesOf(plain, plain.tones[size_t(order[i])]));
    }
}

// Speech k lies after tone `before[k]`: it starts the time to copy after that tone (or the
// usual silence there, if longer), and the next tone follows `after[k]` after it.
void expectSchedule(const SpokenRender& voiced, const std::vector<int>& before, int pauseMs,
                    const std::vector<int64_t>& usualGap, const std::vector<int64_t>& after) {
    ASSERT_EQ(voiced.spoken.size(), before.size());
    for (size_t k = 0; k < before.size(); ++k) {
        SCOPED_TRACE("answer " + std::to_string(k));
        const SoundSpan speech = voiced.spoken[k];
        const SoundSpan tone = voiced.tones[size_t(before[k])];
        EXPECT_GT(speech.end - speech.start, 50 * kSpokenMs);
        EXPECT_NEAR(speech.start - tone.end, std::max(pauseMs * kSpokenMs, usualGap[k]), kSpokenMs);
        if (size_t(before[k]) + 1 < voiced.tones.size()) {
            EXPECT_NEAR(voiced.tones[size_t(before[k]) + 1].start - speech.end, after[k],
                        kSpokenMs);
        }
    }
}

std::vector<int> firstTones(size_t count) {
    std::vector<int> order;
    for (size_t i = 0; i < count; ++i)
        order.push_back(int(i));
    return order;
}

} // namespace

TEST(SpokenExport, GroupAnswersFollowEachGroupAndTheMorseStaysExact) {
    SpeechLog log, none;
    const SpokenRender plain = renderSpoken(spokenJob("", AnswerMoment::Off, 1000, none));
    const SpokenRender voiced = renderSpoken(spokenJob("", AnswerMoment::AfterGroup, 1000, log));
    ASSERT_EQ(plain.answers, voiced.answers);
    EXPECT_EQ(none.made, 0); // no voice is built unless asked for
    expectSameTones(voiced, plain, firstTones(plain.tones.size()));
    // Each group of five digits: its last tone is the fifth sign's last element.
    std::vector<int> lastOfGroup;
    std::vector<std::string> groups;
    size_t tone = 0;
    for (size_t at = 0; at + 5 <= plain.answers.size(); at += 7) {
        const std::string group = plain.answers.substr(at, 5);
        tone += 5 * group.size(); // every digit has five elements
        lastOfGroup.push_back(int(tone) - 1);
        groups.push_back(spokenAnswer(group, {}));
    }
    EXPECT_EQ(log.said, groups);
    const int64_t groupGap = plain.tones[5].start - plain.tones[4].end;
    expectSchedule(voiced, lastOfGroup, 1000, {groupGap, groupGap, groupGap},
                   {1000 * kSpokenMs, 1000 * kSpokenMs, 0});
    // Within a group the silences are as they were.
    EXPECT_EQ(voiced.tones[1].start - voiced.tones[0].end,
              plain.tones[1].start - plain.tones[0].end);
}

TEST(SpokenExport, SignAndRepeatAnswersKeepTheirPlaces) {
    SpeechLog none;
    const SpokenRender plain = renderSpoken(spokenJob("АБ В", AnswerMoment::Off, 0, none));
    ASSERT_EQ(plain.tones.size(), 9u); // .- -... .--
    const int64_t signGap = plain.tones[2].start - plain.tones[1].end;

    SpeechLog signs;
    const SpokenRender afterSign =
        renderSpoken(spokenJob("АБ В", AnswerMoment::AfterSign, 300, signs));
    EXPECT_EQ(signs.said, (std::vector<std::string>{"а", "бэ", "вэ"}));
    expectSameTones(afterSign, plain, firstTones(9));
    // After the word's last sign the group pause follows the answer's pause.
    const int64_t groupPause = 120 * kSpokenMs;
    expectSchedule(afterSign, {1, 5, 8}, 300, {signGap, signGap, signGap},
                   {300 * kSpokenMs, 300 * kSpokenMs + groupPause, 0});

    // Morse, answer, Morse again: the word's tones come twice, the answer between.
    SpeechLog repeat;
    const SpokenRender twice = renderSpoken(spokenJob("АБ В", AnswerMoment::Repeat, 500, repeat));
    EXPECT_EQ(repeat.said, (std::vector<std::string>{"а, бэ", "вэ"}));
    expectSameTones(twice, plain, {0, 1, 2, 3, 4, 5, 0, 1, 2, 3, 4, 5, 6, 7, 8, 6, 7, 8});
    ASSERT_EQ(twice.spoken.size(), 2u);
    EXPECT_NEAR(twice.tones[6].start - twice.spoken[0].end, 500 * kSpokenMs, kSpokenMs);
    EXPECT_NEAR(twice.tones[15].start - twice.spoken[1].end, 500 * kSpokenMs, kSpokenMs);
    EXPECT_EQ(twice.answers, plain.answers); // the answer sheet stays as it is
}

TEST(SpokenExport, AVoiceThatCannotSpeakIsReportedOnceAndTheMorseGoesOn) {
    SpeechLog none, failing;
    const SpokenRender plain = renderSpoken(spokenJob("АБ В", AnswerMoment::Off, 0, none));
    const SpokenRender silent =
        renderSpoken(spokenJob("АБ В", AnswerMoment::AfterSign, 300, failing, true));
    EXPECT_EQ(failing.said.size(), 1u);
    EXPECT_EQ(silent.failure, "Нет голоса. Упражнение идёт без голоса.");
    EXPECT_TRUE(silent.spoken.empty());
    EXPECT_EQ(silent.samples, plain.samples);
}

namespace {

// The air of the test: it silences all it hears, and the tones come out of it at half level.
struct SilencingAir : SignalStage {
    void process(std::span<float> block, int64_t) override { std::ranges::fill(block, 0.0f); }
};

} // namespace

TEST(SpokenExport, TheSpeechPassesTheAirOnlyWhenAsked) {
    SpeechLog log;
    const SpokenRender clean = renderSpoken(spokenJob("АБ", AnswerMoment::AfterGroup, 300, log));
    ExportJob j = spokenJob("АБ", AnswerMoment::AfterGroup, 300, log);
    j.chain = [](uint32_t, uint32_t, ChainStream) {
        auto chain = std::make_unique<SignalChain>();
        chain->add(std::make_unique<SilencingAir>());
        chain->setLevel(0.5f);
        return chain;
    };
    const SpokenRender dry = renderSpoken(j);
    j.voiceThroughAir = true;
    const SpokenRender wet = renderSpoken(j);

    // Dry: the Morse is silenced, the speech is the clean one at the air's level.
    ASSERT_EQ(clean.samples.size(), dry.samples.size());
    ASSERT_EQ(dry.spoken.size(), 1u);
    EXPECT_TRUE(dry.tones.empty());
    for (int64_t i = dry.spoken[0].start; i < dry.spoken[0].end; ++i)
        ASSERT_EQ(dry.samples[size_t(i)], std::lround(clean.samples[size_t(i)] * 0.5f)) << i;
    // Through the air: the speech is silenced with the Morse.
    EXPECT_EQ(wet.samples, std::vector<int16_t>(dry.samples.size()));
}

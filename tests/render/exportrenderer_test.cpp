// The export renders what the start button keys: every element and silence at its exact sample,
// the same groups for the same seed, and nothing left behind when cancelled.
#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "core/terminationrequest.h"
#include "support/tempfolder.h"
#include "render/audioformat.h"
#include "render/exportlength.h"
#include "render/exportrenderer.h"
#include "render/rendertesting.h"

using namespace kelvatron;
using namespace kelvatron::test;

namespace {

constexpr int kDot = 20, kDash = 60, kGroupPause = 2 * kDash;

// A sign's code, or (when code is empty) a silence the transmission waits.
struct Step {
    std::string_view code;
    int pauseMs = 0;
};

// The sound the steps make, keyed straight into a timeline: dot 20 ms, ratio 3, sign pause one
// dash, at 800 Hz.
std::vector<int16_t> expectedSound(const std::vector<Step>& steps) {
    VectorSink sink;
    SampleTimeline timeline(sink);
    for (const Step& step : steps) {
        if (step.code.empty())
            timeline.clock().sleep(step.pauseMs);
        else
            keySign(timeline, step.code, kDot, 3, 1);
    }
    timeline.finish();
    return sink.samples;
}

ExportJob textJob(std::string_view utf8, bool opening = false, bool closing = false) {
    ExportJob job;
    job.transmission.textInWindow = true;
    job.transmission.opening = opening;
    job.transmission.closing = closing;
    job.transmission.cyrillic = true;
    job.keying = {false, true, 800, TTGWave::tgSine, kDot, 3, 1, 1};
    job.text = toCp1251(utf8);
    return job;
}

ExportJob digitsJob(uint32_t seed) {
    ExportJob job = textJob("");
    job.transmission = {5, 3, true, false, false, false, false, false, true, false};
    job.seed = seed;
    return job;
}

struct Rendered {
    bool ok = false;
    std::string answers;
    std::string bytes;
};

Rendered render(ExportJob job) {
    TempFolder folder;
    ExportRenderer renderer(std::move(job));
    Rendered r;
    r.ok = renderer.render(folder.path("out.wav"));
    r.answers = renderer.answers();
    r.bytes = TempFolder::get(folder.path("out.wav"));
    return r;
}

} // namespace

TEST(ExportRenderer, ElementsAndSilencesLieOnTheirExactSamples) {
    const Step a{".-"}, groupPause{{}, kGroupPause};
    struct Case {
        const char* name;
        ExportJob job;
        std::vector<Step> steps;
    } cases[] = {
        {"a sign's elements and gaps", textJob("А"), {a}},
        {"a space is a group pause", textJob("А А"), {a, groupPause, a}},
        {"the opening ends with three group pauses",
         textJob("А", true),
         {{"...-"}, {"...-"}, {"...-"}, {"-...-"}, {{}, 3 * kGroupPause}, a}},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        ExportRenderer renderer(c.job);
        ASSERT_TRUE(renderer.render(folder.path("exact.wav"))) << renderer.error();
        const ReadBack file = readBack(folder.path("exact.wav"));
        EXPECT_EQ(file.rate, 96000);
        EXPECT_EQ(file.samples, expectedSound(c.steps));
    }
}

TEST(ExportRenderer, TheSameSeedGivesTheSameGroups) {
    const Rendered first = render(digitsJob(7)), again = render(digitsJob(7)),
                   other = render(digitsJob(8));
    ASSERT_TRUE(first.ok && again.ok && other.ok);
    EXPECT_EQ(first.answers.size(), 3u * 7); // three groups of five, two spaces after each
    EXPECT_EQ(first.answers, again.answers);
    EXPECT_EQ(first.bytes, again.bytes);
    EXPECT_NE(first.answers, other.answers);
}

// Progress grows to a hundred; a cancel, or a request to end the program (a signal to the
// command line), stops at the next sign and leaves no file.
TEST(ExportRenderer, ProgressGrowsAndACancelLeavesNoFile) {
    enum Stop { None, Cancel, Termination };
    for (Stop stop : {None, Cancel, Termination}) {
        SCOPED_TRACE(stop);
        TempFolder folder;
        ExportJob job = digitsJob(1);
        job.transmission.groupCount = stop != None ? 200 : 3;
        ExportRenderer* self = nullptr;
        std::vector<int> seen;
        ExportRenderer renderer(job, [&](int percent) {
            seen.push_back(percent);
            if (percent < 10) return;
            if (stop == Cancel) self->cancel();
            if (stop == Termination) raiseTerminationRequest();
        });
        self = &renderer;
        EXPECT_EQ(renderer.render(folder.path("p.flac")), stop == None);
        EXPECT_EQ(renderer.cancelled(), stop != None);
        clearTerminationRequest();
        EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
        EXPECT_EQ(seen.back(), stop != None ? 10 : 100);
        EXPECT_EQ(folder.names().size(), stop != None ? 0u : 1u);
    }
}

// A WAV file's sizes are 32-bit: a job that may pass 4 GiB of samples (at 96 kHz, 6.2 hours) is
// written as RF64. The length known before keying must never fall short of what is keyed, with
// the longest signs and pauses, full stops, spaces and line breaks, opening and closing.
TEST(ExportLength, NoJobOutlastsItsLongestAndOneBeyond4GiBIsRf64) {
    ExportJob slow = digitsJob(3);
    slow.keying.ratio = 6;
    slow.keying.signPause = 4;
    slow.keying.groupPause = 4;
    slow.transmission.opening = slow.transmission.closing = true;
    ExportJob stops = textJob("Т.Ч. К\r\n0.", true, true);
    ExportJob jargon = textJob("");
    jargon.jargon = true;
    jargon.transmission.groupCount = 3;
    for (const ExportJob& job : {slow, stops, jargon, digitsJob(4)}) {
        TempFolder folder;
        ExportRenderer renderer(job);
        ASSERT_TRUE(renderer.render(folder.path("l.flac"))) << renderer.error();
        const double longest = longestKeyingMs(job, toCp1251(renderer.answers()));
        EXPECT_LE(renderer.seconds() * 1000, longest) << renderer.answers();
    }
    // 200 groups of 100 signs at dot 100 ms, dashes of six dots, the longest pauses: 26 hours.
    ExportJob day = slow;
    day.keying.speedUnit = 100;
    day.transmission.groupSize = 100;
    day.transmission.groupCount = 200;
    const double bytes = longestKeyingMs(day, "") / 1000 * 96000 * 2;
    EXPECT_EQ(sndfileFormatOf(AudioFormat::Wav, uint64_t(bytes)),
              SF_FORMAT_RF64 | SF_FORMAT_PCM_16);
    EXPECT_EQ(sndfileFormatOf(AudioFormat::Wav, kLargestWavData), SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    EXPECT_EQ(sndfileFormatOf(AudioFormat::Wav, kLargestWavData + 1),
              SF_FORMAT_RF64 | SF_FORMAT_PCM_16);
    EXPECT_EQ(sndfileFormatOf(AudioFormat::Flac, uint64_t(bytes)),
              SF_FORMAT_FLAC | SF_FORMAT_PCM_16);
}

// The export renders what the start button keys: every element and silence at its exact sample,
// the same groups for the same seed, and nothing left behind when cancelled.
#include <gtest/gtest.h>

#include <thread>

#include "core/cp1251.h"
#include "core/random.h"
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

// Every sample of an export passes the chain's stages once, at its place on the timeline; a
// stage that leaves the sound alone, or an empty chain, changes no byte of the file.
TEST(ExportRenderer, TheChainSeesEverySampleAndLeavesAnUntouchedSoundAsItWas) {
    struct Counts {
        int64_t next = 0, gaps = 0;
    };
    class CountingStage : public SignalStage {
    public:
        explicit CountingStage(Counts& counts) : counts_(counts) {}
        void process(std::span<float> block, int64_t position) override {
            counts_.gaps += position != counts_.next;
            counts_.next = position + static_cast<int64_t>(block.size());
        }

    private:
        Counts& counts_;
    };
    const Rendered plain = render(digitsJob(7));
    ExportJob empty = digitsJob(7);
    empty.chain = [](uint32_t, uint32_t, ChainStream) { return std::make_unique<SignalChain>(); };
    Counts counts;
    ExportJob counted = digitsJob(7);
    counted.chain = [&counts](uint32_t rate, uint32_t seed, ChainStream) {
        EXPECT_EQ(rate, 96000u);
        EXPECT_EQ(seed, 7u);
        auto chain = std::make_unique<SignalChain>();
        chain->add(std::make_unique<CountingStage>(counts));
        return chain;
    };
    ASSERT_TRUE(plain.ok);
    EXPECT_EQ(render(empty).bytes, plain.bytes);
    EXPECT_EQ(render(counted).bytes, plain.bytes);
    EXPECT_EQ(counts.gaps, 0);
    // 16-bit mono after a 44-byte header.
    EXPECT_EQ(counts.next, static_cast<int64_t>(plain.bytes.size() - 44) / 2);
}

// Each render draws from its own generator state: two on two threads give what each gives
// alone, and the program's generator is never written.
TEST(ExportRenderer, RendersOnTwoThreadsGiveWhatTheyGiveOneAfterTheOther) {
    ExportJob noise = digitsJob(7);
    noise.keying.waveform = TTGWave::tgNoise; // every tone draws from the generator too
    noise.transmission.groupCount = 6;
    ExportJob jargon = textJob("");
    jargon.jargon = true;
    jargon.seed = 11;
    jargon.transmission.groupCount = 6;
    RandSeed = 4242;
    const Rendered first = render(noise), second = render(jargon);
    EXPECT_EQ(RandSeed, 4242u);
    Rendered a, b;
    std::thread one([&] { a = render(noise); }), two([&] { b = render(jargon); });
    one.join();
    two.join();
    ASSERT_TRUE(first.ok && second.ok && a.ok && b.ok);
    EXPECT_TRUE(a.bytes == first.bytes) << "the noise groups' sound differs";
    EXPECT_EQ(a.answers, first.answers);
    EXPECT_TRUE(b.bytes == second.bytes) << "the jargon's sound differs";
    EXPECT_EQ(b.answers, second.answers);
    EXPECT_EQ(RandSeed, 4242u);
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

// Farnsworth spacing: PARIS keyed at dot 60 ms (20 WPM) and an effective 60 signs a minute
// (12 WPM) takes 5 s a word with its gap, to the sample, however the gaps round to whole ms;
// the elements and the gaps inside a sign keep the dot's own speed.
TEST(ExportRenderer, FarnsworthSpacingStretchesOnlyTheGapsBetweenSignsAndWords) {
    struct Case {
        int dot, effective;
        double signGapMs, wordMs; // the whole silence between signs; onset to onset of words
    } cases[] = {
        {60, 60, 3 * 3140 / 19.0, 5000},
        {60, 30, 3 * (10000 - 1860) / 19.0, 10000},
        {20, 100, 3 * (3000 - 620) / 19.0, 3000},
        // At the signs' own speed: the standard 3 dots between signs, PARIS in 50 dots.
        {60, 100, 3 * 60, 50 * 60},
        // Faster than the signs: the pauses stay as set (4 dots after a sign, 6 more after a
        // group at the default steppers).
        {60, 200, 4 * 60, (31 + 4 * 4 + 10) * 60},
    };
    const std::string_view paris[] = {".--.", ".-", ".-.", "..", "..."};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "dot " << c.dot << ", effective " << c.effective);
        ExportJob job = textJob("ПАРИС ПАРИС ПАРИС ПАРИС ");
        job.keying.speedUnit = c.dot;
        job.keying.effectiveSignsPerMinute = c.effective;
        TempFolder folder;
        ExportRenderer renderer(job);
        ASSERT_TRUE(renderer.render(folder.path("paris.wav"))) << renderer.error();
        const std::vector<int16_t> s = readBack(folder.path("paris.wav")).samples;
        // Tone onsets: a sound after at least a millisecond of silence.
        std::vector<int64_t> onsets;
        for (size_t i = 0, quiet = 96; i < s.size(); ++i) {
            if (s[i] != 0 && quiet >= 96) onsets.push_back(int64_t(i));
            quiet = s[i] == 0 ? quiet + 1 : 0;
        }
        ASSERT_EQ(onsets.size(), 4u * 14); // 14 elements a word
        const double perMs = 96;
        for (int word = 0; word < 4; ++word) {
            size_t at = size_t(word) * 14;
            if (word > 0) {
                EXPECT_EQ(onsets[at] - onsets[at - 14], int64_t(c.wordMs * perMs));
            }
            for (size_t sign = 0; sign < 5; ++sign)
                for (size_t e = 0; e < paris[sign].size(); ++e, ++at) {
                    if (at + 1 >= onsets.size() || (sign == 4 && e + 1 == paris[sign].size()))
                        continue;
                    const int element = paris[sign][e] == '.' ? c.dot : 3 * c.dot;
                    const double gap = double(onsets[at + 1] - onsets[at]) / perMs - element;
                    if (e + 1 < paris[sign].size()) {
                        EXPECT_EQ(gap, c.dot);
                    } else {
                        EXPECT_NEAR(gap, c.signGapMs, 1.0); // a whole ms either side
                    }
                }
        }
    }
}

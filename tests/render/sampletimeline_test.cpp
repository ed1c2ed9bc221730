// The sample timeline: every tone and every wait lands on exactly its sample.
#include <gtest/gtest.h>

#include "audio/waveimage.h"
#include "render/rendertesting.h"
#include "render/sampletimeline.h"

using namespace kelvatron;
using namespace kelvatron::test;

namespace {

// The image's samples as the timeline holds them.
std::vector<int16_t> widened(const std::vector<uint8_t>& image) {
    auto wave = parseWaveImage(image);
    std::vector<int16_t> out;
    for (uint64_t i = 0; i < wave->frameCount(); ++i) {
        const uint8_t* p = wave->samples.data() + i * wave->bytesPerFrame();
        out.push_back(wave->bitsPerSample == 8 ? int16_t((p[0] - 128) * 256)
                                               : int16_t(p[0] | (p[1] << 8)));
    }
    return out;
}

bool silent(const std::vector<int16_t>& s, int64_t from, int64_t to) {
    return std::all_of(s.begin() + from, s.begin() + to, [](int16_t v) { return v == 0; });
}

struct SignCase {
    const char* behaviour;
    ToneFormat format;
    int dot;
    std::vector<int64_t> starts, ends; // of each element, in samples
    int64_t length;                    // after the sign pause
};

} // namespace

TEST(SampleTimeline, SignElementsAndGapsLandOnExactSamples) {
    using Q = TTGQuality;
    using R = TTGResolution;
    const SignCase cases[] = {
        // А at dot 60 ms, 96 kHz: 60 ms tone, 60 ms gap, 180 ms tone, dot, sign pause of a dash.
        {"whole samples at 96 kHz", {Q::tgHiQ, R::tg8Bit}, 60, {0, 11520}, {5760, 28800}, 51840},
        // At 44.1 kHz a ms is 44.1 samples: a 61 ms tone holds 2690, and each wait's fraction
        // carries into the next (5380.1, 13450.1, 16140.2, 24210.5 samples).
        {"fractions carry at 44.1k", {Q::tgLoQ, R::tg16Bit}, 61, {0, 5380}, {2690, 13450}, 24210},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.behaviour);
        VectorSink sink;
        SampleTimeline timeline(sink, c.format);
        auto tones = keySign(timeline, ".-", c.dot, 3, 1);
        EXPECT_EQ(timeline.finish(), c.length);
        ASSERT_EQ(sink.samples.size(), size_t(c.length));
        int64_t silenceFrom = 0;
        for (size_t i = 0; i < tones.size(); ++i) {
            EXPECT_EQ(tones[i].start, c.starts[i]);
            auto image = widened(tones[i].image);
            ASSERT_EQ(int64_t(image.size()), c.ends[i] - c.starts[i]);
            EXPECT_TRUE(std::equal(image.begin(), image.end(), sink.samples.begin() + c.starts[i]));
            EXPECT_TRUE(silent(sink.samples, silenceFrom, c.starts[i]));
            silenceFrom = c.ends[i];
        }
        EXPECT_TRUE(silent(sink.samples, silenceFrom, c.length));
    }
}

TEST(SampleTimeline, AsynchronousAndLoopedTonesEndAtTheStop) {
    struct Case {
        const char* behaviour;
        bool loop;
        int waitMs; // of tone before the stop
    } cases[] = {
        {"a stop cuts an asynchronous tone", false, 30},
        {"a looped tone repeats until the stop", true, 250},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.behaviour);
        VectorSink sink;
        SampleTimeline timeline(sink);
        TToneGen& gen = timeline.toneGen();
        gen.setAsync(true);
        gen.setLoop(c.loop);
        gen.setFrequency(1000); // a whole number of periods in 100 ms, so a loop is seamless
        gen.play();
        EXPECT_EQ(timeline.position(), 0); // an asynchronous play takes no time
        timeline.clock().sleep(c.waitMs);
        gen.stop();
        timeline.clock().sleep(10);
        ASSERT_EQ(timeline.finish(), (c.waitMs + 10) * 96);
        auto image = widened({gen.waveImage().begin(), gen.waveImage().end()});
        const int64_t sounding = c.waitMs * 96;
        for (int64_t i = 0; i < sounding; ++i)
            ASSERT_EQ(sink.samples[i], image[i % image.size()]) << i;
        EXPECT_TRUE(silent(sink.samples, sounding, int64_t(sink.samples.size())));
    }
}

// The Russian voice of libespeak-ng: it speaks into memory, and missing data is a message, not
// the end of the program.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "audio/airchain.h"
#include "audio/speechlevel.h"
#include "platform/espeaksynthesizer.h"
#include "render/exportrenderer.h"
#include "render/rendertesting.h"
#include "support/tempfolder.h"

using namespace kelvatron;
using namespace kelvatron::test;

TEST(EspeakSynthesizer, SpeaksRussianIntoMemory) {
    EspeakSynthesizer voice;
    const auto one = voice.speak("один"), group = voice.speak("один, два, три, четыре, пять");
    ASSERT_TRUE(one && group) << voice.failure();
    EXPECT_EQ(one->rate, 22050u);
    // A word lasts a few tenths of a second, five of them more; no silence at either end.
    EXPECT_GT(one->samples.size(), one->rate / 10);
    EXPECT_LT(one->samples.size(), one->rate * 2);
    EXPECT_GT(group->samples.size(), 3 * one->samples.size());
    EXPECT_NE(one->samples.front(), 0);
}

// A folder without the voice's data (a path that does not exist makes the library look in its
// own place instead). In a process of its own: the library is set up once per process.
TEST(EspeakSynthesizer, MissingDataIsAMessage) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            const TempFolder empty;
            EspeakSynthesizer voice(empty.dir);
            const bool failed = !voice.speak("один") && !voice.speak("два");
            std::exit(failed && voice.failure().find("espeak-ng-data") != std::string::npos ? 0
                                                                                            : 1);
        },
        testing::ExitedWithCode(0), "");
}

// The real voice in an export of digit groups: as loud as the tones within 3 dB (the RMS over
// the 20 ms stretches holding speech against those holding tone), also where the air's fading
// takes the tones down to leave headroom and the clean speech is added after it.
TEST(EspeakSynthesizer, SpokenAnswersAreAsLoudAsTheTones) {
    AirConditions fading;
    fading.on = true;
    fading.qsbHz = AirConditions::kMaxQsbHz;
    for (auto [wave, air] : {std::pair{TTGWave::tgSine, false}, {TTGWave::tgSquare, false},
                             {TTGWave::tgSine, true}}) {
        ExportJob job;
        job.transmission.digits = true;
        job.transmission.cyrillic = true;
        job.transmission.groupSize = 5;
        job.transmission.groupCount = 5;
        job.seed = 3;
        job.keying = {false, true, 800, wave, 60, 3, 1, 1};
        job.spoken = {AnswerMoment::AfterGroup, 1000};
        job.voice = [] { return std::make_unique<EspeakSynthesizer>(); };
        if (air) job.chain = airChainMaker(fading);
        TempFolder folder;
        ExportRenderer renderer(job);
        ASSERT_TRUE(renderer.render(folder.path("v.wav"))) << renderer.error();
        ASSERT_EQ(renderer.voiceFailure(), "");
        ASSERT_EQ(renderer.spokenSpans().size(), 5u);
        const ReadBack file = readBack(folder.path("v.wav"));
        std::vector<float> speech, tones;
        size_t span = 0;
        for (int64_t i = 0; i < int64_t(file.samples.size()); ++i) {
            const auto& spans = renderer.spokenSpans();
            while (span < spans.size() && i >= spans[span].second)
                ++span;
            const bool spoken = span < spans.size() && i >= spans[span].first;
            (spoken ? speech : tones).push_back(file.samples[size_t(i)] / 32768.0f);
        }
        const double speechRms = heldRms(speech, 96000), toneRms = heldRms(tones, 96000);
        const double dB = 20 * std::log10(speechRms / toneRms);
        std::printf("waveform %d%s: speech %.3f, tones %.3f RMS: %+.2f dB\n", int(wave),
                    air ? " under fading" : "", speechRms, toneRms, dB);
        EXPECT_NEAR(dB, 0, 3);
    }
}

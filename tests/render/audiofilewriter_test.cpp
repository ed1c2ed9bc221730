// Audio files: every format reads back, and a write that fails or is cancelled leaves nothing.
#include <gtest/gtest.h>
#include <sndfile.h>
#include <sys/stat.h>

#include "support/tempfolder.h"
#include "render/arearesampler.h"
#include "render/rendersession.h"
#include "render/rendertesting.h"

using namespace kelvatron;
using namespace kelvatron::test;

namespace {

// Three signs of А at dot 50 ms: 0.9 s of sound.
void keyExercise(SampleTimeline& timeline) {
    for (int i = 0; i < 3; ++i)
        keySign(timeline, ".-", 50, 3, 1);
}

} // namespace

// A WAV file that may grow past 4 GiB (seven hours) starts as RF64; one that stays smaller ends
// as plain WAV, sample for sample the same.
TEST(AudioFileWriter, EveryFormatReadsBack) {
    const int64_t sevenHours = int64_t(7) * 3600 * 96000;
    struct Case {
        const char* name;
        int rate;
        bool lossless;
        int64_t mayReach = 0;
    } cases[] = {
        {"exercise.wav", 96000, true},   {"long.wav", 96000, true, sevenHours},
        {"exercise.FLAC", 96000, true},  {"exercise.ogg", 48000, false},
        {"exercise.opus", 48000, false}, {"exercise.Mp3", 48000, false},
    };
    VectorSink reference;
    SampleTimeline referenceTimeline(reference);
    keyExercise(referenceTimeline);
    const int64_t frames = referenceTimeline.finish();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        RenderSession session(folder.path(c.name), {}, 0, c.mayReach);
        keyExercise(session.timeline());
        ASSERT_TRUE(session.finish()) << session.error();
        EXPECT_EQ(folder.names(), std::vector<std::string>{c.name});
        ReadBack r = readBack(folder.path(c.name));
        EXPECT_EQ(r.channels, 1);
        EXPECT_EQ(r.rate, c.rate);
        const int64_t expected = frames * c.rate / 96000;
        if (c.lossless) {
            EXPECT_EQ(r.samples, reference.samples);
        } else {
            // Lossy encoders pad to whole blocks; a few ms either way.
            EXPECT_NEAR(double(r.frames), double(expected), c.rate * 0.06);
        }
        if (c.mayReach) {
            EXPECT_EQ(TempFolder::get(folder.path(c.name)).substr(0, 4), "RIFF");
        }
    }
}

TEST(AudioFileWriter, FailedOrCancelledWriteLeavesNoFile) {
    TempFolder folder;
    TempFolder::put(folder.path("old.wav"), "old");
    std::filesystem::create_directory(folder.path("taken.wav"));
    ASSERT_EQ(::mkfifo(folder.path("pipe.wav").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/null", folder.path("device.wav"));
    const struct {
        const char* behaviour;
        const char* target;
        bool cancel;
        const char* says;
    } cases[] = {
        {"missing folder", "none/ex.wav", false, "No such file or directory"},
        {"unknown extension", "ex.aiff", false, ".wav, .flac, .ogg, .opus, .mp3"},
        {"target is a folder", "taken.wav", false, "Is a directory"},
        {"a pipe, never replaced by a file", "pipe.wav", false, "канал (FIFO)"},
        {"a device, never replaced by a file", "device.wav", false, "символьное устройство"},
        {"cancelled over an old file, which is kept", "old.wav", true, "отменена"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.behaviour);
        RenderSession session(folder.path(c.target));
        keyExercise(session.timeline());
        if (c.cancel) session.cancel();
        keyExercise(session.timeline());
        EXPECT_FALSE(session.finish());
        EXPECT_NE(session.error().find(folder.path(c.target)), std::string::npos)
            << session.error();
        EXPECT_NE(session.error().find(c.says), std::string::npos) << session.error();
        EXPECT_EQ(folder.names(),
                  (std::vector<std::string>{"device.wav", "old.wav", "pipe.wav", "taken.wav"}));
        EXPECT_EQ(TempFolder::get(folder.path("old.wav")), "old");
        EXPECT_TRUE(std::filesystem::is_fifo(folder.path("pipe.wav")));
        EXPECT_TRUE(std::filesystem::is_symlink(folder.path("device.wav")));
    }
}

TEST(AreaResampler, MeansOverEachOutputSample) {
    struct Case {
        const char* behaviour;
        uint32_t from, to;
        std::vector<int16_t> in, out;
    } cases[] = {
        {"halving averages pairs, a half pair at the end counts",
         96000,
         48000,
         {100, 200, -100, 101, 7},
         {150, 1, 7}},
        {"same rate passes through", 48000, 48000, {1, -2, 3}, {1, -2, 3}},
        {"44.1 to 48 kHz keeps the length", 44100, 48000, std::vector<int16_t>(441, 1000),
         std::vector<int16_t>(480, 1000)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.behaviour);
        AreaResampler resampler(c.from, c.to);
        std::vector<int16_t> out;
        resampler.push(c.in, out);
        resampler.finish(out);
        EXPECT_EQ(out, c.out);
    }
}

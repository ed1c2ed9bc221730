// The hand's sidetone on the output chosen in the window.
#include <gtest/gtest.h>

#include "mainwindow/soundsidetone.h"
#include "support/fakesounddevice.h"

using namespace kelvatron;

namespace {

struct FixedSettings : KeyingSettingsSource {
    KeyingSettings s;
    KeyingSettings keyingSettings() const override { return s; }
    SignHints signHints() const override { return {}; }
};

struct FakeLiveSpeaker : LiveSpeakerTone {
    std::vector<int32_t> downs;
    int ups = 0;
    void keyDown(int32_t frequency, double) override { downs.push_back(frequency); }
    void keyUp(double) override { ++ups; }
};

} // namespace

TEST(SoundSidetone, SoundsOnTheChosenOutputAtTheSetFrequencyAndWaveform) {
    struct Row {
        const char* name;
        bool speaker, soundCard, haveSpeaker;
        std::optional<TTGWave> wave;
        bool onCard; // else on the speaker
        TTGWave cardWave = TTGWave::tgSine;
    };
    const Row rows[] = {
        {"sound card, triangle", false, true, true, TTGWave::tgTriangle, true, TTGWave::tgTriangle},
        {"speaker", true, false, true, TTGWave::tgSawtooth, false},
        {"speaker chosen, none there", true, false, false, TTGWave::tgSquare, true,
         TTGWave::tgSquare},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        test::FakeSoundDevice sound;
        FakeLiveSpeaker speaker;
        FixedSettings settings;
        settings.s = {
            .speaker = r.speaker, .soundCard = r.soundCard, .frequency = 700.4, .waveform = r.wave};
        SoundSidetone tone(sound, settings, r.haveSpeaker ? &speaker : nullptr);
        tone.toneOn(0);
        tone.toneOn(0);                            // a tone already sounding is not started twice
        settings.s.speaker = !settings.s.speaker; // a choice made meanwhile: ends where it began
        tone.toneOff(0);
        tone.toneOff(0);
        using Downs = std::vector<std::pair<int32_t, TTGWave>>;
        const Downs onCard = r.onCard ? Downs{{700, r.cardWave}} : Downs{};
        EXPECT_EQ(sound.keyDowns, onCard);
        EXPECT_EQ(sound.keyUps, r.onCard ? 1 : 0);
        EXPECT_EQ(speaker.downs, r.onCard ? std::vector<int32_t>{} : std::vector<int32_t>{700});
        EXPECT_EQ(speaker.ups, r.onCard ? 0 : 1);
    }
}

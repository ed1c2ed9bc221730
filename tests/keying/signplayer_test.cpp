#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "support/engineharness.h"

using namespace kelvatron;
using kelvatron::test::EngineHarness;
using Log = std::vector<std::string>;

namespace {
// Dot, dash, sign pause, group pause and the speaker's last tone length.
std::vector<int32_t> lengths(const TimingValues& t) {
    return {t.dotLength, t.dashLength, t.signPause, t.groupPause, t.toneDuration};
}

class SignPlayerTest : public ::testing::Test {
protected:
    void chooseSoundCard() {
        e.settings.settings.speaker = false;
        e.settings.settings.soundCard = true;
    }
    EngineHarness e;
    KeyingSettings& s = e.settings.settings;
};
} // namespace

TEST_F(SignPlayerTest, ShowsSymbolCodeAndMnemonicThenKeys) {
    e.settings.hints.mnemonic = true;
    e.signPlayer.showAndKeySign(toCp1251("Е"));
    EXPECT_EQ(fromCp1251(e.text.text()), " \r\nЕ\r\n \r\n.\r\n \r\nесть");
    EXPECT_EQ(e.clock.log, (Log{"beep 800 40", "sleep 40", "sleep 120"}));
    e.settings.hints = {false, true, false};
    e.signPlayer.showAndKeySign(toCp1251("А"));
    EXPECT_EQ(e.text.text(), " \r\n.-\r\n ");
}

// The speaker's dot is two speed units, the sound card's one; ratio 4, sign pause 2 dashes,
// group pause 3 × 2 dashes.
TEST_F(SignPlayerTest, SpeakerAndSoundCardDeriveTheirOwnLengths) {
    s.ratio = 4, s.signPause = 2, s.groupPause = 3;
    e.signPlayer.keyElement(2);
    EXPECT_EQ(lengths(e.state.timing), (std::vector<int32_t>{40, 160, 320, 960, 160}));
    EXPECT_EQ(e.clock.log, (Log{"beep 800 160"}));
    chooseSoundCard();
    e.clock.log.clear();
    e.signPlayer.keyElement(1);
    // The sound card leaves the speaker's tone length alone.
    EXPECT_EQ(lengths(e.state.timing), (std::vector<int32_t>{20, 80, 160, 480, 160}));
    EXPECT_EQ(e.clock.log, (Log{"tone 20"}));
    EXPECT_EQ(e.toneGen.frequency(), 800);
    // Both outputs: the speaker sounds first, and the sound card's half reads the settings again.
    s.speaker = true;
    e.clock.log.clear();
    e.signPlayer.keyElement(1);
    EXPECT_EQ(e.clock.log, (Log{"beep 800 40", "tone 20"}));
    EXPECT_EQ(e.state.timing.dotLength, 20);
}

// Only the steppers' whole values count; any other keeps the length the last element left.
TEST_F(SignPlayerTest, ValuesNoStepperSetsLeaveTheLastLengths) {
    e.signPlayer.keyElement(2);
    s.ratio = 3.5, s.signPause = 0, s.groupPause = 7, s.frequency = 799.6;
    e.signPlayer.keyElement(2);
    EXPECT_EQ(lengths(e.state.timing), (std::vector<int32_t>{40, 120, 120, 240, 120}));
    EXPECT_EQ(e.clock.log, (Log{"beep 800 120", "beep 800 120"}));
}

TEST_F(SignPlayerTest, ASpeedChangeInsideASignTakesEffectAtTheNextElement) {
    e.signPlayer.keyElement(1);
    s.speedUnit = 30;
    e.signPlayer.keyElement(2);
    EXPECT_EQ(e.clock.log, (Log{"beep 800 40", "beep 800 180"}));
}

TEST_F(SignPlayerTest, SoundCardUsesTheCheckedWaveformAndTheGeneratorsLimits) {
    chooseSoundCard();
    s.waveform = TTGWave::tgNoise;
    s.frequency = 1200;
    e.signPlayer.keySign(toCp1251("И"));
    EXPECT_EQ(e.toneGen.waveform(), TTGWave::tgNoise);
    EXPECT_EQ(e.toneGen.frequency(), 1200);
    EXPECT_EQ(e.clock.log, (Log{"tone 20", "sleep 20", "tone 20", "sleep 20", "sleep 60"}));
    // A dot shorter than the generator's 10 ms minimum still sounds, at 10 ms.
    s.speedUnit = 5;
    e.signPlayer.keyElement(1);
    EXPECT_EQ(e.toneGen.duration(), 10);
    // No waveform checked leaves the generator's own.
    s.waveform.reset();
    e.signPlayer.keyElement(1);
    EXPECT_EQ(e.toneGen.waveform(), TTGWave::tgNoise);
}

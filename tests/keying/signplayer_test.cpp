#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "support/formharness.h"
#include "widgets/tglcheckbox.h"
#include "widgets/tgldigits.h"
#include "widgets/tglprogress.h"
#include "widgets/tmemo.h"

using namespace kelvatron;
using kelvatron::test::FormHarness;
using Log = std::vector<std::string>;

namespace {
// Dot, dash, sign pause, group pause and the speaker's last tone length.
std::vector<int32_t> lengths(const TimingValues& t) {
    return {t.DotLength, t.DashLength, t.SignPause, t.GroupPause, t.ToneDuration};
}

class SignPlayerTest : public ::testing::Test {
protected:
    void chooseSoundCard() {
        f.glCheckBox13->setChecked(false);
        f.glCheckBox14->setChecked(true);
    }
    FormHarness h;
    TForm1& f = *h.form;
};
} // namespace

TEST_F(SignPlayerTest, SignWithoutARecordDoesNothingAtAll) {
    f.Memo1->setText("keep");
    for (const char* s : {"a", "", "12", "\xC0\xC1"})
        f.signPlayer.playsymvol(s);
    EXPECT_EQ(f.Memo1->Text(), "keep");
    EXPECT_TRUE(h.clock.log.empty());
}

TEST_F(SignPlayerTest, ShowsSymbolCodeAndMnemonicThenKeys) {
    f.glCheckBox3->setChecked(true);
    f.signPlayer.playsymvol(toCp1251("Е"));
    EXPECT_EQ(f.Memo1->lines(), (QStringList{" ", "Е", " ", ".", " ", "есть"}));
    EXPECT_EQ(h.clock.log, (Log{"beep 800 40", "sleep 40", "sleep 120"}));
    f.glCheckBox1->setChecked(false);
    f.glCheckBox3->setChecked(false);
    f.signPlayer.playsymvol(toCp1251("А"));
    EXPECT_EQ(f.Memo1->lines(), (QStringList{" ", ".-", " "}));
}

// The speaker's dot is two speed units, the sound card's one; ratio 4, sign pause 2 dashes,
// group pause 3 × 2 dashes.
TEST_F(SignPlayerTest, SpeakerAndSoundCardDeriveTheirOwnLengths) {
    f.glDigits6->setValue(4);
    f.glDigits7->setValue(2);
    f.glDigits8->setValue(3);
    f.signPlayer.playzwuk(2);
    EXPECT_EQ(lengths(f.state.timing), (std::vector<int32_t>{40, 160, 320, 960, 160}));
    EXPECT_EQ(h.clock.log, (Log{"beep 800 160"}));
    chooseSoundCard();
    h.clearRecords();
    f.signPlayer.playzwuk(1);
    // The sound card leaves the speaker's tone length alone.
    EXPECT_EQ(lengths(f.state.timing), (std::vector<int32_t>{20, 80, 160, 480, 160}));
    EXPECT_EQ(h.clock.log, (Log{"tone 20"}));
    EXPECT_EQ(f.ToneGen1.Frequency(), 800);
}

TEST_F(SignPlayerTest, TimingStartsAtZeroAndSilentOutputsChangeNothing) {
    f.glCheckBox13->setChecked(false);
    f.signPlayer.playsymvol_1(toCp1251("Т"));
    EXPECT_EQ(lengths(f.state.timing), (std::vector<int32_t>{0, 0, 0, 0, 0}));
    EXPECT_EQ(h.clock.log, (Log{"sleep 0", "sleep 0"}));
}

TEST_F(SignPlayerTest, ASpeedChangeInsideASignTakesEffectAtTheNextElement) {
    f.signPlayer.playzwuk(1);
    f.glProgress1->setPercent(30);
    f.signPlayer.playzwuk(2);
    EXPECT_EQ(h.clock.log, (Log{"beep 800 40", "beep 800 180"}));
}

TEST_F(SignPlayerTest, SoundCardUsesTheCheckedWaveformAndTheGeneratorsLimits) {
    chooseSoundCard();
    f.glCheckBox15->setChecked(false);
    f.glCheckBox19->setChecked(true);
    f.glDigits5->setValue(1200);
    f.signPlayer.playsymvol_1(toCp1251("И"));
    EXPECT_EQ(f.ToneGen1.Waveform(), TTGWave::tgNoise);
    EXPECT_EQ(f.ToneGen1.Frequency(), 1200);
    EXPECT_EQ(h.clock.log, (Log{"tone 20", "sleep 20", "tone 20", "sleep 20", "sleep 60"}));
    // A dot shorter than the generator's 10 ms minimum still sounds, at 10 ms.
    f.glProgress1->setPercent(5);
    f.signPlayer.playzwuk(1);
    EXPECT_EQ(f.ToneGen1.Duration(), 10);
}

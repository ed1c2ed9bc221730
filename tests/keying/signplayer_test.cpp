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
QStringList utf8Lines(std::initializer_list<const char*> lines) {
    QStringList out;
    for (const char* l : lines) out << QString::fromUtf8(l);
    return out;
}

void chooseSoundCard(TForm1& f) {
    f.glCheckBox13->setChecked(false);
    f.glCheckBox14->setChecked(true);
}
} // namespace

TEST(SignPlayer, SignWithoutARecordDoesNothingAtAll) {
    FormHarness h;
    h.form->Memo1->setText("keep");
    for (const char* s : {"a", "", "12", "\xC0\xC1"}) h.form->signPlayer.playsymvol(s);
    EXPECT_EQ(h.form->Memo1->Text(), "keep");
    EXPECT_TRUE(h.clock.log.empty());
}

TEST(SignPlayer, ShowsSymbolCodeAndMnemonicThenKeys) {
    FormHarness h;
    h.form->glCheckBox3->setChecked(true);
    h.form->signPlayer.playsymvol(toCp1251("Е"));
    EXPECT_EQ(h.form->Memo1->lines(), utf8Lines({" ", "Е", " ", ".", " ", "есть"}));
    EXPECT_EQ(h.clock.log, (Log{"beep 800 40", "sleep 40", "sleep 120"}));

    h.form->glCheckBox1->setChecked(false);
    h.form->glCheckBox3->setChecked(false);
    h.form->signPlayer.playsymvol(toCp1251("А"));
    EXPECT_EQ(h.form->Memo1->lines(), utf8Lines({" ", ".-", " "}));
}

TEST(SignPlayer, SpeakerAndSoundCardDeriveTheirOwnLengths) {
    FormHarness h;
    auto& f = *h.form;
    f.glDigits6->setValue(4);
    f.glDigits7->setValue(2);
    f.glDigits8->setValue(3);
    f.signPlayer.playzwuk(2);
    const TimingValues& t = f.state.timing;
    EXPECT_EQ(t.DotLength, 40);
    EXPECT_EQ(t.DashLength, 160);
    EXPECT_EQ(t.SignPause, 320);
    EXPECT_EQ(t.GroupPause, 960);
    EXPECT_EQ(t.ToneDuration, 160);
    EXPECT_EQ(h.clock.log, (Log{"beep 800 160"}));

    chooseSoundCard(f);
    h.clearRecords();
    f.signPlayer.playzwuk(1);
    EXPECT_EQ(t.DotLength, 20);
    EXPECT_EQ(t.DashLength, 80);
    EXPECT_EQ(t.SignPause, 160);
    EXPECT_EQ(t.GroupPause, 480);
    EXPECT_EQ(t.ToneDuration, 160); // the sound card leaves the speaker's values alone
    EXPECT_EQ(h.clock.log, (Log{"tone 20"}));
    EXPECT_EQ(f.ToneGen1.Frequency(), 800);
}

TEST(SignPlayer, TimingStartsAtZeroAndSilentOutputsChangeNothing) {
    FormHarness h;
    auto& f = *h.form;
    EXPECT_EQ(f.state.timing.GroupPause, 0);
    EXPECT_EQ(f.state.timing.SignPause, 0);
    f.glCheckBox13->setChecked(false);
    f.signPlayer.playsymvol_1(toCp1251("Т"));
    EXPECT_EQ(f.state.timing.DotLength, 0);
    EXPECT_EQ(h.clock.log, (Log{"sleep 0", "sleep 0"}));
}

TEST(SignPlayer, ASpeedChangeInsideASignTakesEffectAtTheNextElement) {
    FormHarness h;
    auto& f = *h.form;
    f.signPlayer.playzwuk(1);
    f.glProgress1->setPercent(30);
    f.signPlayer.playzwuk(2);
    EXPECT_EQ(h.clock.log, (Log{"beep 800 40", "beep 800 180"}));
}

TEST(SignPlayer, SoundCardUsesTheCheckedWaveformAndTheGeneratorsLimits) {
    FormHarness h;
    auto& f = *h.form;
    chooseSoundCard(f);
    f.glCheckBox15->setChecked(false);
    f.glCheckBox19->setChecked(true);
    f.glDigits5->setValue(1200);
    f.signPlayer.playsymvol_1(toCp1251("И"));
    EXPECT_EQ(f.ToneGen1.Waveform(), TTGWave::tgNoise);
    EXPECT_EQ(f.ToneGen1.Frequency(), 1200);
    EXPECT_EQ(h.clock.log, (Log{"tone 20", "sleep 20", "tone 20", "sleep 20", "sleep 60"}));
    // A dot shorter than the generator's 10 ms minimum still sounds, at 10 ms.
    f.glProgress1->setPercent(5);
    h.clearRecords();
    f.signPlayer.playzwuk(1);
    EXPECT_EQ(f.ToneGen1.Duration(), 10);
}

#include <gtest/gtest.h>

#include <QTest>

#include "core/cp1251.h"
#include "support/formharness.h"
#include "widgets/tglcheckbox.h"
#include "widgets/tgllabel.h"
#include "widgets/tmemo.h"
#include "widgets/tprogressbar.h"

using namespace kelvatron;
using kelvatron::test::FormHarness;
using Log = std::vector<std::string>;

namespace {

QStringList utf8Lines(std::initializer_list<const char*> lines) {
    QStringList out;
    for (const char* l : lines)
        out << QString::fromUtf8(l);
    return out;
}

// The dots and dashes the speaker sounded, read back from the beeps at the default speed.
std::string soundedCode(const FormHarness& h) {
    std::string code;
    for (const auto& line : h.clock.log) {
        if (line == "beep 800 40") code += '.';
        if (line == "beep 800 120") code += '-';
    }
    return code;
}

std::string typed(FormHarness& h, char key) {
    h.clearRecords();
    h.form->FormKeyPress(key);
    return soundedCode(h);
}

char cp(const char* utf8) {
    return cp1251Char(utf8);
}

} // namespace

TEST(KeyboardPractice, ClickedKeyShowsCentredSignAndWaitsTheSignPauseTwice) {
    FormHarness h;
    auto& f = *h.form;
    f.ProgressBar1->setPosition(40);
    f.glLabel39->click();
    EXPECT_EQ(f.Memo1->lines(), utf8Lines({" ", "Й", " ", ".---", " "}));
    EXPECT_EQ(f.Memo1->Alignment(), Qt::AlignHCenter);
    EXPECT_FALSE(f.Memo1->InputEnabled());
    EXPECT_EQ(f.ProgressBar1->Position(), 0);
    EXPECT_EQ(h.clock.log,
              (Log{"beep 800 40", "sleep 40", "beep 800 120", "sleep 40", "beep 800 120",
                   "sleep 40", "beep 800 120", "sleep 40", "sleep 120", "sleep 120"}));
}

TEST(KeyboardPractice, LatinKeySoundsAndShowsItsCyrillicPartner) {
    FormHarness h;
    auto& f = *h.form;
    f.glCheckBox23->click();
    h.clearRecords();
    f.glLabel39->click(); // "Q"
    EXPECT_EQ(f.Memo1->lines(), utf8Lines({" ", "Щ", " ", "--.-", " "}));
    EXPECT_EQ(soundedCode(h), "--.-");
    EXPECT_EQ(h.clock.log.back(), "sleep 120");
}

TEST(KeyboardPractice, SpaceKeyAndTypedSpaceBothSoundTheBreakSign) {
    FormHarness h;
    auto& f = *h.form;
    f.Memo1->setInputEnabled(true);
    f.glLabel17->click();
    EXPECT_EQ(soundedCode(h), "-...-");
    EXPECT_FALSE(f.Memo1->InputEnabled());
    EXPECT_EQ(f.Memo1->lines(), utf8Lines({" ", " ", " ", "-...-", " "}));
    EXPECT_EQ(h.clock.log.back(), "sleep 120");
    EXPECT_EQ(typed(h, ' '), "-...-");
}

TEST(KeyboardPractice, TypedKeysSoundTheSignTheyAreMappedTo) {
    FormHarness h;
    EXPECT_EQ(typed(h, '5'), ".....");
    EXPECT_EQ(h.form->Memo1->lines(), utf8Lines({" ", "5", " ", ".....", " "}));
    EXPECT_EQ(h.clock.log.back(), "sleep 120");
    EXPECT_EQ(h.clock.log[h.clock.log.size() - 2], "sleep 120");
    EXPECT_EQ(typed(h, cp("х")), "....");
    EXPECT_EQ(typed(h, 'h'), "....");
    EXPECT_EQ(typed(h, cp("н")), "-.");
    EXPECT_EQ(typed(h, 'w'), ".--");
    for (char key : {'d', 'D', cp("д"), cp("Д")})
        EXPECT_EQ(typed(h, key), "-..") << key;
    EXPECT_TRUE(h.form->state.KeyBuffer.empty());
}

TEST(KeyboardPractice, UnmappedKeysSoundNothingButWaitAndLeaveTheWindowAlone) {
    FormHarness h;
    auto& f = *h.form;
    typed(h, '5');
    const QStringList shown = f.Memo1->lines();
    f.Memo1->setAlignmentAll(Qt::AlignLeft);
    for (char key : {'.', '-', cp("ъ"), cp("ё"), '\r', '\x1b'}) {
        EXPECT_EQ(typed(h, key), "") << int(key);
        EXPECT_EQ(h.clock.log, (Log{"sleep 120"}));
        EXPECT_EQ(f.Memo1->lines(), shown);
    }
    // The window is centred for every key, sounded or not.
    EXPECT_EQ(f.Memo1->Alignment(), Qt::AlignHCenter);
    // Nothing was left behind: the next mapped key sounds its own sign at once.
    h.clearRecords();
    f.FormKeyPress('5');
    EXPECT_EQ(h.clock.log.front(), "beep 800 40");
    EXPECT_EQ(soundedCode(h), ".....");
}

TEST(KeyboardPractice, TheBufferOfTypedKeysHoldsAtMostTwenty) {
    FormHarness h;
    auto& f = *h.form;
    f.state.KeyBuffer.assign(20, cp("Е"));
    EXPECT_EQ(typed(h, '5'), ".");
    EXPECT_EQ(f.state.KeyBuffer, std::string(19, cp("Е")));
    EXPECT_EQ(typed(h, '5'), ".");
    EXPECT_EQ(f.state.KeyBuffer, std::string(18, cp("Е")) + "5");
}

TEST(KeyboardPractice, AClickMadeWhileASignSoundsIsSoundedBeforeTheFinalPause) {
    FormHarness h;
    auto& f = *h.form;
    h.events.at(1, [&] { f.glLabel40->click(); }); // "Ц" -.-.
    f.glLabel39->click();
    EXPECT_EQ(soundedCode(h), ".----.-.");
    EXPECT_EQ(f.Memo1->lines(), utf8Lines({" ", "Ц", " ", "-.-.", " "}));
    // Й's own pause, Ц's two pauses, then the pause Й's handler still owed.
    Log tail(h.clock.log.end() - 4, h.clock.log.end());
    EXPECT_EQ(tail, (Log{"sleep 40", "sleep 120", "sleep 120", "sleep 120"}));
    EXPECT_EQ(h.events.count, 2);
}

TEST(KeyboardPractice, KeyPreviewSoundsATypedKeyOnceAndOnlyWhileOn) {
    FormHarness h;
    auto& f = *h.form;
    QTest::keyClick(f.Memo1, Qt::Key_5);
    EXPECT_EQ(soundedCode(h), ".....");
    h.clearRecords();
    QTest::keyClick(f.Memo1, Qt::Key_5);
    EXPECT_EQ(soundedCode(h), ".....");
    // A key that its receiver ignores travels up to the window: still one sign.
    h.clearRecords();
    QTest::keyClick(f.ProgressBar1, Qt::Key_5);
    EXPECT_EQ(soundedCode(h), ".....");
    f.state.KeyPreview = false;
    h.clearRecords();
    QTest::keyClick(f.Memo1, Qt::Key_5);
    EXPECT_TRUE(h.clock.log.empty());
}

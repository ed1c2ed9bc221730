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

// The window's lines for a shown sign: blank, symbol, blank, code, blank.
QStringList shown(const char* symbol, const char* code) {
    return {" ", QString::fromUtf8(symbol), " ", code, " "};
}

class KeyboardPracticeTest : public ::testing::Test {
protected:
    // The dots and dashes the speaker sounded, read back from the beeps at the default speed.
    std::string soundedCode() const {
        std::string code;
        for (const auto& line : h.clock.log) {
            if (line == "beep 800 40") code += '.';
            if (line == "beep 800 120") code += '-';
        }
        return code;
    }
    std::string typed(char key) {
        h.clearRecords();
        f.FormKeyPress(key);
        return soundedCode();
    }

    FormHarness h;
    TForm1& f = *h.form;
};

} // namespace

TEST_F(KeyboardPracticeTest, ClickedKeyShowsCentredSignAndWaitsTheSignPauseTwice) {
    f.ProgressBar1->setPosition(40);
    f.glLabel39->click();
    EXPECT_EQ(f.Memo1->lines(), shown("Й", ".---"));
    EXPECT_EQ(f.Memo1->Alignment(), Qt::AlignHCenter);
    EXPECT_FALSE(f.Memo1->InputEnabled());
    EXPECT_EQ(f.ProgressBar1->Position(), 0);
    EXPECT_EQ(h.clock.log,
              (Log{"beep 800 40", "sleep 40", "beep 800 120", "sleep 40", "beep 800 120",
                   "sleep 40", "beep 800 120", "sleep 40", "sleep 120", "sleep 120"}));
}

TEST_F(KeyboardPracticeTest, LatinKeyAndSpaceKeySoundTheirSigns) {
    f.glCheckBox23->click();
    h.clearRecords();
    f.glLabel39->click(); // "Q" keys its partner
    EXPECT_EQ(f.Memo1->lines(), shown("Щ", "--.-"));
    EXPECT_EQ(soundedCode(), "--.-");
    EXPECT_EQ(h.clock.log.back(), "sleep 120");
    h.clearRecords();
    f.Memo1->setInputEnabled(true);
    f.glLabel17->click();
    EXPECT_EQ(soundedCode(), "-...-");
    EXPECT_FALSE(f.Memo1->InputEnabled());
    EXPECT_EQ(f.Memo1->lines(), shown(" ", "-...-"));
    EXPECT_EQ(h.clock.log.back(), "sleep 120");
}

TEST_F(KeyboardPracticeTest, TypedKeysSoundTheSignTheyAreMappedTo) {
    EXPECT_EQ(typed('5'), ".....");
    EXPECT_EQ(f.Memo1->lines(), shown("5", "....."));
    const Log twoPauses{"sleep 120", "sleep 120"};
    EXPECT_EQ(Log(h.clock.log.end() - 2, h.clock.log.end()), twoPauses);
    const std::pair<char, const char*> keys[] = {
        {cp1251Char("х"), "...."}, {'h', "...."}, {'w', ".--"}, {' ', "-...-"}};
    for (auto [key, code] : keys)
        EXPECT_EQ(typed(key), code) << key;
    EXPECT_TRUE(f.state.KeyBuffer.empty());
}

TEST_F(KeyboardPracticeTest, UnmappedKeysSoundNothingButWaitAndLeaveTheWindowAlone) {
    typed('5');
    const QStringList before = f.Memo1->lines();
    f.Memo1->setAlignmentAll(Qt::AlignLeft);
    for (char key : {'.', '-', cp1251Char("ъ"), cp1251Char("ё"), '\r', '\x1b'}) {
        EXPECT_EQ(typed(key), "") << int(key);
        EXPECT_EQ(h.clock.log, (Log{"sleep 120"}));
        EXPECT_EQ(f.Memo1->lines(), before);
    }
    EXPECT_EQ(f.Memo1->Alignment(), Qt::AlignHCenter); // centred for every key
    // Nothing was left in the buffer: the next mapped key sounds its own sign at once.
    h.clearRecords();
    f.FormKeyPress('5');
    EXPECT_EQ(h.clock.log.front(), "beep 800 40");
    EXPECT_EQ(soundedCode(), ".....");
}

TEST_F(KeyboardPracticeTest, AClickMadeWhileASignSoundsIsSoundedBeforeTheFinalPause) {
    h.events.at(1, [&] { f.glLabel40->click(); }); // "Ц" -.-.
    f.glLabel39->click();
    EXPECT_EQ(soundedCode(), ".----.-.");
    EXPECT_EQ(f.Memo1->lines(), shown("Ц", "-.-."));
    // Й's own pause, Ц's two pauses, then the pause Й's handler still owed.
    EXPECT_EQ(Log(h.clock.log.end() - 4, h.clock.log.end()),
              (Log{"sleep 40", "sleep 120", "sleep 120", "sleep 120"}));
    EXPECT_EQ(h.events.count, 2);
}

TEST_F(KeyboardPracticeTest, KeyPreviewSoundsATypedKeyOnceAndOnlyWhileOn) {
    // A key its receiver ignores travels up to the window: still one sign.
    for (QWidget* receiver :
         {static_cast<QWidget*>(f.Memo1), static_cast<QWidget*>(f.ProgressBar1)}) {
        h.clearRecords();
        QTest::keyClick(receiver, Qt::Key_5);
        EXPECT_EQ(soundedCode(), ".....");
    }
    f.state.KeyPreview = false;
    h.clearRecords();
    QTest::keyClick(f.Memo1, Qt::Key_5);
    EXPECT_TRUE(h.clock.log.empty());
}

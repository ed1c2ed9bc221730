// Typed keys as the window hands them to the keyboard practice, and closing while they sound.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include "core/cp1251.h"
#include "support/formharness.h"
#include "support/soundedcode.h"
#include "widgets/tglgraphicbutton.h"
#include "widgets/tglgroupbox.h"
#include "widgets/tgllabel.h"
#include "widgets/tmemo.h"

using namespace kelvatron;
using kelvatron::test::FormHarness;

namespace {

class TypedKeys : public ::testing::Test {
protected:
    std::string sounded() const { return kelvatron::test::soundedCode(h.clock.log); }
    // One character typed into the text window, as the keyboard delivers it.
    void typeText(const char* utf8) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8(utf8));
        QApplication::sendEvent(f.Memo1, &press);
    }

    FormHarness h;
    TForm1& f = *h.form;
};

} // namespace

// A character Windows-1251 cannot hold is a key without a sign: no "?" sign, only its pause.
TEST_F(TypedKeys, ACharacterOutsideTheCodePageSoundsNothing) {
    typeText("ж"); // one it can hold sounds, and sets the pause after a sign
    EXPECT_EQ(sounded(), "...-");
    for (const char* typed : {"ğ", "中", "😀"}) {
        h.clearRecords();
        typeText(typed);
        EXPECT_EQ(sounded(), "") << typed;
        EXPECT_EQ(h.clock.log, (std::vector<std::string>{"sleep 120"})) << typed;
    }
}

// Twenty keys typed while Е sounds, then the close button: its question shows as Е ends, "Да"
// (handled after the next sign) empties the queue, and keys that come after sound nothing.
TEST_F(TypedKeys, CloseIsAnsweredWhenTheSoundingSignEnds) {
    bool questionShown = false;
    std::string soundedWhenAsked;
    h.events.at(1, [&] {
        for (int i = 0; i < 20; ++i)
            typeText("т");
        f.glGraphicButton4->press();
        questionShown = !f.glGroupBox10->isHidden();
        soundedWhenAsked = sounded();
    });
    h.events.at(2, [&] {
        f.glLabel71->click();
        typeText("т");
    });
    typeText("е");
    EXPECT_TRUE(questionShown);
    EXPECT_EQ(soundedWhenAsked, ".");
    EXPECT_EQ(sounded(), ".-");
    EXPECT_TRUE(f.state.KeyBuffer.empty());
    h.clearRecords();
    typeText("т");
    EXPECT_TRUE(h.clock.log.empty());
}

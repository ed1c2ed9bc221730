// What the window adds over the engine: its close button and closing it.
#include <QFile>

#include "support/formharness.h"
#include "transmission/transmissiontesting.h"
#include "widgets/tglcheckbox.h"
#include "widgets/tgldigits.h"
#include "widgets/tglgraphicbutton.h"
#include "widgets/tglgroupbox.h"
#include "widgets/tgllabel.h"

using namespace kelvatron;
using namespace kelvatron::test;
using WindowHandlers = FormTest;

namespace {
void twoGroupsOfThree(FormControls& f, bool opening) {
    f.glCheckBox20->setChecked(opening);
    f.glCheckBox21->setChecked(opening);
    f.glDigits9->setValue(3);
    f.glDigits10->setValue(2);
}
} // namespace

// Unlike the stop button, the close button resets nothing; "Нет" leaves it so.
TEST_F(WindowHandlers, CloseButtonEndsTheRunAtItsNextCheck) {
    twoGroupsOfThree(f, true);
    h.events.at(2, [&] { f.glGraphicButton4->press(); });
    f.glCheckBox8->click();
    EXPECT_EQ(h.clock.log, opening() + digitGroups(3, 2, 1).log); // no closing
    EXPECT_FALSE(f.glGroupBox10->isHidden());
    f.glLabel72->click();
    EXPECT_TRUE(f.glCheckBox8->Checked());
    EXPECT_FALSE(f.glCheckBox1->isEnabled());
    EXPECT_FALSE(test::FormAccess::state(window).transmitting);
    // A new start runs as usual: the click releases the button, the start checks it again.
    h.clearRecords();
    f.glCheckBox8->click();
    EXPECT_EQ(h.clock.log, opening() + digitGroups(3, 2).log + closing());
    EXPECT_FALSE(f.glCheckBox8->Checked());
}

// Closing the window ends the run at its next check and saves the settings once.
TEST_F(WindowHandlers, ClosingEndsTheRunAndSavesOnce) {
    const QString saved = qEnvironmentVariable("XDG_CONFIG_HOME") + "/Home/Project1.conf";
    twoGroupsOfThree(f, false);
    h.events.at(2, [&] {
        window.close();
        EXPECT_TRUE(QFile::exists(saved));
        QFile::remove(saved);
    });
    f.glCheckBox8->click();
    EXPECT_EQ(h.clock.log, digitGroups(3, 2, 1).log);
    EXPECT_FALSE(test::FormAccess::state(window).transmitting);
    window.close(); // the window manager asks again while the program ends
    EXPECT_FALSE(QFile::exists(saved));
}

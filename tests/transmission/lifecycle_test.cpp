// A whole transmission: the start, the opening, the finish and the closing, and what the window
// may do while one runs.
#include <QFile>
#include <limits>

#include "transmission/transmissiontesting.h"
#include "widgets/tglgraphicbutton.h"
#include "widgets/tglgroupbox.h"
#include "widgets/tgllabel.h"

using namespace kelvatron;
using namespace kelvatron::test;
using Transmission = FormTest;

namespace {

// Start button, key preview, input, symbols option enabled, code and mnemonic options shown,
// alignment, stop flag, progress position and maximum.
std::vector<int> controls(TForm1& f) {
    return {f.glCheckBox8->Checked(),   f.state.KeyPreview,         f.Memo1->InputEnabled(),
            f.glCheckBox1->isEnabled(), !f.glCheckBox2->isHidden(), !f.glCheckBox3->isHidden(),
            int(f.Memo1->Alignment()),  f.state.StopFlag,           f.ProgressBar1->Position(),
            f.ProgressBar1->Max()};
}

} // namespace

TEST_F(Transmission, StartLocksTheControlsAndTheFinishReleasesThem) {
    plainRun(f);
    groups(f, 2, 3);
    f.state.KeyPreview = false; // as after opening a radiogram
    f.state.StopFlag = 1;       // left from an earlier stop
    f.Memo1->setInputEnabled(true);
    f.Memo1->setAlignmentAll(Qt::AlignHCenter);
    f.ProgressBar1->setPosition(9);
    std::vector<int> during;
    h.events.at(1, [&] { during = controls(f); });
    start();
    const int left = Qt::AlignLeft;
    EXPECT_EQ(during, (std::vector<int>{1, 1, 0, 0, 0, 0, left, 0, 0, 5}));
    EXPECT_EQ(controls(f), (std::vector<int>{0, 1, 0, 1, 1, 1, left, 0, 0, 5}));
    EXPECT_FALSE(f.state.transmitting);
}

// An empty window, or letters without an alphabet: the opening and the closing, which cannot be
// interrupted, and nothing between them.
TEST(Transmissions, NothingToKeyGivesOpeningAndClosingOnly) {
    for (bool letters : {false, true}) {
        SCOPED_TRACE(letters);
        FormHarness h;
        auto& f = *h.form;
        if (letters) {
            f.glCheckBox5->click();
            f.glCheckBox22->setChecked(false);
            f.Memo1->setText("old");
        } else {
            textSource(f, "");
        }
        f.glCheckBox8->click();
        EXPECT_EQ(h.clock.log, opening() + closing());
        EXPECT_EQ(f.Memo1->Text(), ""); // a generated source clears the window at the start
        EXPECT_EQ(h.events.count, 0);
    }
}

// The closing option is read when the body has ended.
TEST_F(Transmission, ClosingClearedDuringTheRunIsNotSent) {
    f.glCheckBox20->setChecked(false);
    groups(f, 1, 1);
    h.events.at(1, [&] { f.glCheckBox21->click(); });
    start();
    EXPECT_EQ(h.clock.log, digitGroups(1, 1).log);
}

TEST_F(Transmission, StartClickedWhileRunningIsIgnored) {
    groups(f, 2, 2);
    bool checkedAfterClick = false;
    h.events.at(3, [&] {
        f.glCheckBox8->click();
        checkedAfterClick = f.glCheckBox8->Checked();
    });
    start();
    EXPECT_TRUE(checkedAfterClick);
    EXPECT_EQ(h.clock.log, opening() + digitGroups(2, 2).log + closing());
    EXPECT_EQ(f.Memo1->Text(), digitGroups(2, 2).written);
    EXPECT_FALSE(f.glCheckBox8->Checked());
    // Clicked right after a stop, before the running transmission has left: still ignored.
    plainRun(f);
    h.clearRecords();
    h.events.at(1, [&] {
        f.glCheckBox10->click();
        f.glCheckBox8->click();
    });
    start();
    EXPECT_TRUE(h.clock.log.empty());
    EXPECT_FALSE(f.glCheckBox8->Checked());
    EXPECT_FALSE(f.state.transmitting);
}

// Damaged settings: sizes 1..100 and counts 1..200, to the nearest whole number.
TEST(Transmissions, GroupSettingsOutOfRangeAreBroughtIntoIt) {
    struct Case {
        double size, count;
        int max;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {{2.6, 0, 2}, {0.4, -7, 0},  {101, 1, 99},  {5, 1e12, 999},
                          {nan, 2, 1}, {2, inf, 399}, {-inf, 3.5, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.size << " x " << c.count);
        FormHarness h;
        auto& f = *h.form;
        plainRun(f);
        groups(f, c.size, c.count);
        int max = -1;
        h.events.at(1, [&] {
            max = f.ProgressBar1->Max();
            f.glCheckBox10->click();
        });
        f.glCheckBox8->click();
        EXPECT_EQ(max, c.max);
    }
    EXPECT_EQ(TransmissionDriver::groupSizeOf(2.5), 3);
    EXPECT_EQ(TransmissionDriver::groupCountOf(199.5), 200);
}

// Unlike the stop button, the close button resets nothing; "Нет" leaves it so.
TEST_F(Transmission, CloseButtonEndsTheRunAtItsNextCheck) {
    groups(f, 3, 2);
    h.events.at(2, [&] { f.glGraphicButton4->press(); });
    start();
    EXPECT_EQ(h.clock.log, opening() + digitGroups(3, 2, 1).log); // no closing
    EXPECT_FALSE(f.glGroupBox10->isHidden());
    f.glLabel72->click();
    EXPECT_TRUE(f.glCheckBox8->Checked());
    EXPECT_FALSE(f.glCheckBox1->isEnabled());
    EXPECT_FALSE(f.state.transmitting);
    // A new start runs as usual: the click releases the button, the start checks it again.
    h.clearRecords();
    start();
    EXPECT_EQ(h.clock.log, opening() + digitGroups(3, 2).log + closing());
    EXPECT_FALSE(f.glCheckBox8->Checked());
}

// Closing the window, directly or by the exit command (which keys 7 3 first), ends the run at its
// next check and saves the settings once.
TEST(Transmissions, ClosingTheWindowEndsTheRunAndSavesOnce) {
    const QString saved = qEnvironmentVariable("XDG_CONFIG_HOME") + "/Home/Project1.conf";
    for (bool exitCommand : {false, true}) {
        SCOPED_TRACE(exitCommand);
        QFile::remove(saved);
        FormHarness h;
        auto& f = *h.form;
        plainRun(f);
        groups(f, 3, 2);
        h.events.at(2, [&] {
            exitCommand ? f.glLabel12->click() : void(f.close());
            EXPECT_TRUE(QFile::exists(saved));
            QFile::remove(saved);
        });
        f.glCheckBox8->click();
        EXPECT_EQ(h.clock.log,
                  digitGroups(3, 2, 1).log + (exitCommand ? speakerSigns({"7", "3"}) : Log{}));
        EXPECT_EQ(h.events.count, 2);
        EXPECT_FALSE(f.state.transmitting);
        f.close(); // the window manager asks again while the program ends
        EXPECT_FALSE(QFile::exists(saved));
    }
}

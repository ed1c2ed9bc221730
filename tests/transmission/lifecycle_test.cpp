// A whole transmission: the start, the opening, the finish and the closing, and what the window
// may do while one runs.
#include <gtest/gtest.h>

#include <QFile>
#include <cmath>
#include <limits>

#include "transmission/transmissiontesting.h"
#include "widgets/tglgraphicbutton.h"
#include "widgets/tglgroupbox.h"
#include "widgets/tgllabel.h"

using namespace kelvatron;
using namespace kelvatron::test;

namespace {
const Log kOpening = speakerSigns({"Ж", "Ж", "Ж", " "}) + Log{"sleep 720"};
const Log kClosing = Log{"sleep 720"} + speakerSigns({"А", "Р"});

// Closing the window saves the settings into the test run's configuration folder, where the
// windows of later tests would load them: the file goes when the test ends.
class SavedSettings {
public:
    SavedSettings() { QFile::remove(path()); }
    ~SavedSettings() { QFile::remove(path()); }
    SavedSettings(const SavedSettings&) = delete;
    SavedSettings& operator=(const SavedSettings&) = delete;
    static QString path() {
        return qEnvironmentVariable("XDG_CONFIG_HOME") + "/Home/Project1.conf";
    }
    static bool exist() { return QFile::exists(path()); }
};

struct Controls {
    bool start, keyPreview, inputEnabled, symbolsEnabled, codeShown, mnemonicShown;
    Qt::Alignment alignment;
    int stopFlag, progress, progressMax;
    bool operator==(const Controls&) const = default;
};

Controls controls(TForm1& f) {
    return {f.glCheckBox8->Checked(),   f.state.KeyPreview,         f.Memo1->InputEnabled(),
            f.glCheckBox1->isEnabled(), !f.glCheckBox2->isHidden(), !f.glCheckBox3->isHidden(),
            f.Memo1->Alignment(),       f.state.StopFlag,           f.ProgressBar1->Position(),
            f.ProgressBar1->Max()};
}
} // namespace

TEST(Transmission, StartLocksTheControlsAndTheFinishReleasesThem) {
    FormHarness h;
    auto& f = *h.form;
    plainRun(f);
    groups(f, 2, 3);
    f.state.KeyPreview = false; // as after opening a radiogram
    f.state.StopFlag = 1;       // left from an earlier stop
    f.Memo1->setInputEnabled(true);
    f.Memo1->setAlignmentAll(Qt::AlignHCenter);
    f.ProgressBar1->setPosition(9);
    Controls during{};
    h.events.at(1, [&] { during = controls(f); });
    f.glCheckBox8->click();
    EXPECT_EQ(during, (Controls{true, true, false, false, false, false, Qt::AlignLeft, 0, 0, 5}));
    EXPECT_EQ(controls(f),
              (Controls{false, true, false, true, true, true, Qt::AlignLeft, 0, 0, 5}));
    EXPECT_FALSE(f.state.transmitting);
}

TEST(Transmission, OpeningGroupsAndClosingInTheirOrder) {
    FormHarness h;
    auto& f = *h.form;
    groups(f, 2, 2);
    f.glCheckBox8->click();
    // The last group's pause, then three more before the closing.
    EXPECT_EQ(h.clock.log,
              kOpening + expectedGroups(GenerationSetKind::Digits, 2, 2).log + kClosing);
}

TEST(Transmission, EmptyWindowWithOpeningAndClosingKeysOnlyThose) {
    FormHarness h;
    auto& f = *h.form;
    textSource(f, "");
    f.glCheckBox8->click();
    EXPECT_EQ(h.clock.log, (speakerSigns({"Ж", "Ж", "Ж", " "}) + Log{"sleep 720", "sleep 720"} +
                            speakerSigns({"А", "Р"})));
    EXPECT_EQ(h.events.count, 0); // the opening and the closing cannot be interrupted
}

TEST(Transmission, ClosingClearedDuringTheRunIsNotSent) {
    FormHarness h;
    auto& f = *h.form;
    f.glCheckBox20->setChecked(false);
    groups(f, 1, 1);
    h.events.at(1, [&] { f.glCheckBox21->click(); });
    f.glCheckBox8->click();
    EXPECT_EQ(h.clock.log, expectedGroups(GenerationSetKind::Digits, 1, 1).log);
}

TEST(Transmission, StartClickedWhileRunningIsIgnored) {
    FormHarness h;
    auto& f = *h.form;
    groups(f, 2, 2);
    bool checkedAfterClick = false;
    h.events.at(3, [&] {
        f.glCheckBox8->click();
        checkedAfterClick = f.glCheckBox8->Checked();
    });
    f.glCheckBox8->click();
    EXPECT_TRUE(checkedAfterClick);
    EXPECT_EQ(h.clock.log,
              kOpening + expectedGroups(GenerationSetKind::Digits, 2, 2).log + kClosing);
    EXPECT_EQ(f.Memo1->Text(), expectedGroups(GenerationSetKind::Digits, 2, 2).written);
    EXPECT_FALSE(f.glCheckBox8->Checked());
}

TEST(Transmission, StartClickedAfterAStopInTheSamePassLeavesTheButtonReleased) {
    FormHarness h;
    auto& f = *h.form;
    plainRun(f);
    groups(f, 2, 2);
    h.events.at(1, [&] {
        f.glCheckBox10->click();
        f.glCheckBox8->click(); // the running transmission has not left yet
    });
    f.glCheckBox8->click();
    EXPECT_TRUE(h.clock.log.empty());
    EXPECT_FALSE(f.glCheckBox8->Checked());
    EXPECT_FALSE(f.state.transmitting);
}

TEST(Transmission, GroupSettingsOutOfRangeAreBroughtIntoIt) {
    struct Case {
        double size, count;
        int max;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {{2.6, 0, 2}, {0.4, -7, 0},  {101, 1, 99},  {5, 1e12, 999},
                          {nan, 2, 1}, {2, inf, 399}, {-inf, 3.5, 3}};
    for (const auto& c : cases) {
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
        EXPECT_EQ(max, c.max) << c.size << " x " << c.count;
    }
    EXPECT_EQ(TransmissionDriver::groupSizeOf(2.5), 3);
    EXPECT_EQ(TransmissionDriver::groupCountOf(199.5), 200);
}

TEST(Transmission, CloseButtonEndsTheRunAtItsNextCheck) {
    FormHarness h;
    auto& f = *h.form;
    groups(f, 3, 2);
    h.events.at(2, [&] { f.glGraphicButton4->press(); });
    f.glCheckBox8->click();
    const Draws first = expectedGroups(GenerationSetKind::Digits, 3, 2, 1);
    EXPECT_EQ(h.clock.log, kOpening + first.log); // no closing
    EXPECT_FALSE(f.glGroupBox10->isHidden());
    // Unlike the stop button, the close button resets nothing; "Нет" leaves it so.
    f.glLabel72->click();
    EXPECT_TRUE(f.glCheckBox8->Checked());
    EXPECT_FALSE(f.glCheckBox1->isEnabled());
    EXPECT_FALSE(f.state.transmitting);
    // A new start runs as usual.
    h.clearRecords();
    f.glCheckBox8->click(); // the click releases the button; the start checks it again
    EXPECT_EQ(h.clock.log,
              kOpening + expectedGroups(GenerationSetKind::Digits, 3, 2).log + kClosing);
    EXPECT_FALSE(f.glCheckBox8->Checked());
}

TEST(Transmission, ClosingTheWindowEndsTheRunAndSavesOnce) {
    SavedSettings saved;
    FormHarness h;
    auto& f = *h.form;
    plainRun(f);
    groups(f, 3, 2);
    h.events.at(2, [&] {
        f.close();
        EXPECT_TRUE(SavedSettings::exist());
        QFile::remove(SavedSettings::path());
    });
    f.glCheckBox8->click();
    EXPECT_EQ(h.clock.log, expectedGroups(GenerationSetKind::Digits, 3, 2, 1).log);
    EXPECT_EQ(h.events.count, 2);
    EXPECT_FALSE(f.state.transmitting);
    f.close(); // the window manager asks again while the program ends
    EXPECT_FALSE(SavedSettings::exist());
}

TEST(Transmission, ExitCommandDuringTheRunKeysItsSignalThenEndsTheRun) {
    SavedSettings saved;
    FormHarness h;
    auto& f = *h.form;
    plainRun(f);
    groups(f, 3, 2);
    h.events.at(2, [&] { f.glLabel12->click(); });
    f.glCheckBox8->click();
    EXPECT_EQ(h.clock.log,
              expectedGroups(GenerationSetKind::Digits, 3, 2, 1).log + speakerSigns({"7", "3"}));
    EXPECT_EQ(h.events.count, 2);
}

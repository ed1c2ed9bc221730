// The training panel in the window on fakes: a receive exercise keyed from the window's
// settings, typed into without a sound, checked, shown and kept in the history.
#include <QLabel>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

#include "core/cp1251.h"
#include "support/formharness.h"
#include "trainingui/historyview.h"
#include "trainingui/receiveresultview.h"
#include "widgets/tglcheckbox.h"
#include "widgets/tgldigits.h"
#include "widgets/tglgraphicbutton.h"
#include "widgets/tglgroupbox.h"
#include "widgets/tgllabel.h"
#include "widgets/tglprogress.h"
#include "widgets/tmemo.h"

using namespace kelvatron;
using kelvatron::test::FormHarness;

namespace {

class TrainingPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
        h = std::make_unique<FormHarness>();
        auto& f = *h->form;
        f.glCheckBox20->setChecked(false);
        f.glCheckBox21->setChecked(false);
        f.glCheckBox7->click(); // " Текст в окне"
        f.Memo1->setText(toCp1251("123"));
        f.trainingMenu->click();
    }
    void TearDown() override {
        h.reset();
        qputenv("XDG_DATA_HOME", saved);
    }
    TForm1& form() { return *h->form; }
    TrainingPanel& panel() { return *h->form->training; }
    int beeps() const {
        const auto& log = h->clock.log;
        return int(std::count_if(log.begin(), log.end(),
                                 [](const std::string& l) { return l.starts_with("beep"); }));
    }
    // Source, signs, errors and dot of every stored session.
    using Sessions = std::vector<std::tuple<std::string, int, int, int>>;
    Sessions sessions() {
        Sessions out;
        for (const auto& s : panel().store().sessions())
            out.emplace_back(s.source, s.signs, s.errors, s.dotMs);
        return out;
    }
    // Types into the window at the n-th event point of the run, as the keyboard would.
    void typeAt(int point, const char* text) {
        h->events.at(point, [this, text] { QTest::keyClicks(form().Memo1, text); });
    }

    QTemporaryDir data;
    QByteArray saved;
    std::unique_ptr<FormHarness> h;
};

} // namespace

TEST_F(TrainingPanelTest, TheMenuWordShowsThePanelAloneAndItsCommandsHaveNames) {
    auto& f = form();
    for (auto* other : f.floatingPanels())
        EXPECT_EQ(other->isHidden(), other != f.trainingPanel);
    EXPECT_GT(f.trainingMenu->x(), f.glLabel8->geometry().right());
    for (TglLabel* command : {panel().receiveButton(), panel().checkButton(),
                              panel().journalButton(), panel().sendingButton()})
        EXPECT_FALSE(command->accessibleName().isEmpty());
    EXPECT_EQ(panel().weakLine()->text(), QStringLiteral("Слабых знаков пока нет"));
    panel().journalButton()->click();
    EXPECT_TRUE(f.trainingPanel->isHidden() && !f.historyPanel->isHidden());
    EXPECT_NE(panel().historyView(), nullptr);
}

// The answer "124" for the text "123": typed during the keying, it lands in the window without
// a sound (only the three keyed signs beep), and the check shows and records one error.
TEST_F(TrainingPanelTest, AReceivedTextIsTypedSilentlyCheckedAndRecorded) {
    auto& f = form();
    typeAt(2, "124");
    h->clearRecords();
    panel().receiveButton()->click();
    EXPECT_EQ(beeps(), 5 + 5 + 5); // .---- ..--- ...--
    EXPECT_TRUE(h->sound.plays.empty());
    EXPECT_EQ(f.textWindow.text(), "124");
    EXPECT_EQ(panel().resultView()->figureLabel()->text(),
              QStringLiteral("Знаков: 3, ошибок: 1 (33.3 %)"));
    EXPECT_FALSE(panel().resultView()->isHidden());
    EXPECT_TRUE(f.glGroupBox6->isEnabled());
    EXPECT_EQ(sessions(), (Sessions{{"текст в окне", 3, 1, 40}}));
    EXPECT_TRUE(h->dialogs.errors.empty());
    // Afterwards the keyboard practice sounds typed keys again.
    h->clearRecords();
    QTest::keyClicks(f.Memo1, "5");
    EXPECT_GT(beeps(), 0);
}

// "Проверить" during the keying stops it and checks what was keyed so far; a stop does not.
TEST_F(TrainingPanelTest, CheckNowAndStop) {
    auto& f = form();
    h->events.at(2, [&] { panel().checkButton()->click(); });
    panel().receiveButton()->click();
    EXPECT_EQ(panel().resultView()->figureLabel()->text(),
              QStringLiteral("Знаков: 1, ошибок: 1 (100.0 %)"));
    f.textWindow.setText("123");
    h->events.at(2, [&] { f.glCheckBox10->click(); });
    panel().receiveButton()->click();
    EXPECT_EQ(panel().statusLine()->text(), QStringLiteral("Приём остановлен, без проверки"));
    EXPECT_EQ(panel().store().sessions().size(), 1u);
}

// The training's own choice lives in a group of its own; "Form1" keeps its 28 values.
TEST_F(TrainingPanelTest, TheWeakSignChoiceIsKeptBesideTheTwentyEightValues) {
    panel().weakOption()->click();
    form().close();
    h.reset();
    QSettings file(QString::fromUtf8(qgetenv("XDG_CONFIG_HOME")) + "/Home/Project1.conf",
                   QSettings::IniFormat);
    file.beginGroup("Form1");
    EXPECT_EQ(file.childKeys().size(), 28);
    file.endGroup();
    EXPECT_EQ(file.value("Training/weakSigns").toString(), "1");
    FormHarness again;
    EXPECT_TRUE(again.form->training->weakOption()->Checked());
}

// Weak signs replace the transmission's choice: groups of the set size and count.
TEST_F(TrainingPanelTest, WeakSignGroupsFollowTheGroupSettings) {
    auto& f = form();
    panel().weakOption()->click();
    f.glDigits9->setValue(4);
    f.glDigits10->setValue(2);
    panel().receiveButton()->click(); // nothing typed: all 8 signs missed
    EXPECT_EQ(sessions(), (Sessions{{"слабые знаки", 8, 8, 40}}));
    EXPECT_FALSE(panel().store().sessions().at(0).alphabet.empty());
}

TEST_F(TrainingPanelTest, TheSpeedBesideTheBarFollowsTheSpeedAndOutput) {
    auto& f = form();
    TglLabel* speed = panel().speedLabel();
    EXPECT_EQ(speed->Caption(), QStringLiteral("150 знаков в минуту, 30 WPM")); // speaker, 40 ms
    EXPECT_EQ(speed->accessibleName(), QStringLiteral("Скорость: ") + speed->Caption());
    f.glCheckBox14->click(); // the sound card keys a 20 ms dot
    EXPECT_EQ(speed->Caption(), QStringLiteral("300 знаков в минуту, 60 WPM"));
    f.glCheckBox11->click();
    EXPECT_NE(speed->Caption(), QStringLiteral("300 знаков в минуту, 60 WPM"));
    // Nothing of it covers the speed controls.
    for (QWidget* w : std::initializer_list<QWidget*>{f.glCheckBox11, f.glCheckBox12, f.glProgress1,
                                                      f.glGroupBox5})
        EXPECT_FALSE(speed->geometry().intersects(w->geometry()));
}

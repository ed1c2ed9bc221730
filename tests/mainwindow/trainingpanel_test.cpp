// The training panel in the window on fakes: a receive exercise keyed from the window's
// settings, typed into without a sound, checked, shown and kept in the history.
#include <QApplication>
#include <QCheckBox>
#include <QSettings>
#include <QSpinBox>
#include <QLabel>
#include <QTableWidget>
#include <QTest>
#include <cstdio>

#include "core/cp1251.h"
#include "settings/settingsbackend.h"
#include "support/formharness.h"
#include "trainingui/receiveresultview.h"
#include "widgets/tglcheckbox.h"
#include "widgets/tglgraphicbutton.h"
#include "widgets/tglgroupbox.h"
#include "widgets/tgllabel.h"
#include "widgets/tmemo.h"
#include "widgets/tprogressbar.h"

using namespace kelvatron;
using kelvatron::test::FormHarness;

namespace {

class TrainingPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        h = std::make_unique<FormHarness>();
        auto& f = h->ui();
        f.glCheckBox20->setChecked(false);
        f.glCheckBox21->setChecked(false);
        f.glCheckBox7->click(); // " Текст в окне"
        f.Memo1->setText(toCp1251("123"));
        f.trainingMenu->click();
    }
    FormControls& form() { return h->ui(); }
    TrainingPanel& panel() { return test::FormAccess::training(*h->form); }
    const TrainingPanelView& view() { return panel().view(); }

    std::unique_ptr<FormHarness> h;
};

} // namespace

// The answer "124" for the text "123": typed during the keying, it lands in the window without
// a sound (only the three keyed signs beep), and the check shows and records one error. The
// close button asks before anything ends: after "Нет" the exercise keys on and the controls are
// released as after any exercise.
TEST_F(TrainingPanelTest, AReceivedTextIsTypedSilentlyCheckedAndRecorded) {
    auto& f = form();
    h->events.at(2, [&] { f.glGraphicButton4->press(); });
    h->events.at(3, [&] {
        EXPECT_FALSE(f.glGroupBox10->isHidden());
        EXPECT_TRUE(panel().receiving());
        f.glLabel72->click(); // "Нет"
        QTest::keyClicks(f.Memo1, "124");
    });
    h->clearRecords();
    view().receiveButton()->click();
    EXPECT_EQ(h->clock.beeps(), 5 + 5 + 5); // .---- ..--- ...--
    EXPECT_TRUE(h->sound.plays.empty());
    EXPECT_EQ(test::FormAccess::textWindow(*h->form).text(), "124");
    EXPECT_EQ(view().resultView()->figureLabel()->text(),
              QStringLiteral("Знаков: 3, ошибок: 1 (33.3 %)"));
    EXPECT_FALSE(view().resultView()->isHidden());
    EXPECT_TRUE(f.glGroupBox6->isEnabled());
    EXPECT_FALSE(f.glCheckBox8->Checked());
    EXPECT_TRUE(f.glCheckBox1->isEnabled());
    EXPECT_EQ(f.ProgressBar1->Position(), 0);
    const auto sessions = panel().store().sessions();
    ASSERT_EQ(sessions.size(), 1u);
    EXPECT_EQ(std::tuple(sessions[0].source, sessions[0].signs, sessions[0].errors),
              std::tuple(std::string("текст в окне"), 3, 1));
    EXPECT_TRUE(h->dialogs.errors.empty());
    // Afterwards the keyboard practice sounds typed keys again.
    h->clearRecords();
    QTest::keyClicks(f.Memo1, "5");
    EXPECT_GT(h->clock.beeps(), 0);
}

// A script that reads the echoed figure may look in the history at once: when the figure is
// written, the exercise is there.
TEST_F(TrainingPanelTest, TheFigureIsEchoedOnceTheHistoryHoldsTheExercise) {
    static TrainingPanel* watched = nullptr;
    static std::vector<size_t> storedAtEcho;
    watched = &panel();
    storedAtEcho.clear();
    cookie_io_functions_t io{};
    io.write = [](void*, const char* data, size_t size) -> ssize_t {
        if (std::string_view(data, size).find("Знаков:") != std::string_view::npos)
            storedAtEcho.push_back(watched->store().sessions().size());
        return ssize_t(size);
    };
    FILE* echo = fopencookie(nullptr, "w", io);
    ASSERT_TRUE(echo);
    std::setvbuf(echo, nullptr, _IOLBF, 1024);
    FILE* const standardError = stderr;
    qputenv("KELVATRON_ECHO_CHECK", "1");
    stderr = echo;
    h->events.at(2, [&] { QTest::keyClicks(form().Memo1, "123"); });
    view().receiveButton()->click();
    stderr = standardError;
    qunsetenv("KELVATRON_ECHO_CHECK");
    std::fclose(echo);
    EXPECT_EQ(storedAtEcho, std::vector<size_t>{1});
}

// A learner who copies on paper types nothing while the signs sound: the empty copy is not
// checked however long the wait, the panel says that "Проверить" takes it, and the copy typed
// afterwards is checked at "Проверить". A second check keeps the exercise's one record; once the
// keyboard has written into the window, the window no longer holds that copy.
TEST_F(TrainingPanelTest, ACopyTypedAfterTheKeyingIsCheckedAtTheCheckOnly) {
    auto& f = form();
    const QString prompt =
        QStringLiteral("Приём окончен: наберите принятое в окне и нажмите «Проверить»");
    h->events.at(400, [&] { // some 8 s after the last sign
        EXPECT_EQ(view().statusLine()->text(), prompt);
        EXPECT_EQ(view().statusLine()->accessibleName(), prompt);
        EXPECT_TRUE(panel().store().sessions().empty());
        QTest::keyClicks(f.Memo1, "124");
    });
    h->events.at(450, [&] { view().checkButton()->click(); });
    h->clearRecords();
    view().receiveButton()->click();
    EXPECT_EQ(h->clock.beeps(), 5 + 5 + 5);
    const QString figure = QStringLiteral("Знаков: 3, ошибок: 1 (33.3 %)");
    EXPECT_EQ(view().resultView()->figureLabel()->text(), figure);
    view().checkButton()->click();
    EXPECT_EQ(view().statusLine()->text(), figure);
    ASSERT_EQ(panel().store().sessions().size(), 1u);
    EXPECT_EQ(panel().store().sessions()[0].errors, 1);
    QTest::keyClicks(f.Memo1, "5");
    view().checkButton()->click();
    EXPECT_NE(view().statusLine()->text(), figure);
    EXPECT_EQ(panel().store().sessions().size(), 1u);
}

// The close button asks before anything ends: after "Нет" the exercise keys on, takes the copy
// and is checked and recorded; the controls are released as after any exercise.
TEST_F(TrainingPanelTest, NoToTheCloseQuestionLeavesTheExerciseRunning) {
    auto& f = form();
    h->events.at(2, [&] { f.glGraphicButton4->press(); });
    h->events.at(3, [&] {
        EXPECT_FALSE(f.glGroupBox10->isHidden());
        EXPECT_TRUE(panel().receiving());
        f.glLabel72->click(); // "Нет"
        QTest::keyClicks(f.Memo1, "124");
    });
    h->clearRecords();
    view().receiveButton()->click();
    EXPECT_TRUE(f.glGroupBox10->isHidden());
    EXPECT_EQ(h->clock.beeps(), 5 + 5 + 5);
    EXPECT_EQ(view().resultView()->figureLabel()->text(),
              QStringLiteral("Знаков: 3, ошибок: 1 (33.3 %)"));
    EXPECT_EQ(panel().store().sessions().size(), 1u);
    EXPECT_FALSE(f.glCheckBox8->Checked());
    EXPECT_TRUE(f.glCheckBox1->isEnabled());
    EXPECT_EQ(f.ProgressBar1->Position(), 0);
}

// A screen reader hears the check: the figure takes the focus, its description holds the mistakes.
// Tab reaches the result from the text window in a few steps and leaves the table of mistakes.
TEST_F(TrainingPanelTest, ACheckIsSaidAndTabReachesItFromTheTextWindow) {
    auto& f = form();
    h->form->show();
    QApplication::setActiveWindow(h->form.get());
    h->events.at(2, [&] { QTest::keyClicks(f.Memo1, "124"); });
    view().receiveButton()->click();
    const ReceiveResultView& result = *view().resultView();
    ASSERT_EQ(QApplication::focusWidget(), result.figureLabel());
    EXPECT_TRUE(result.figureLabel()->accessibleDescription().startsWith("ошибка: 4 вместо 3"));

    auto tabsFromTextWindowTo = [&](QWidget* target) {
        f.Memo1->setFocus(Qt::TabFocusReason);
        for (int tabs = 1; tabs <= 40; ++tabs) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            if (QApplication::focusWidget() == target) return tabs;
        }
        return -1;
    };
    EXPECT_EQ(tabsFromTextWindowTo(result.figureLabel()), 3); // Приём на слух, Проверить, result
    const int toTable = tabsFromTextWindowTo(result.confusionTable());
    EXPECT_EQ(toTable, 5);
    QTest::keyClick(result.confusionTable(), Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), result.confusionTable());
}

// "Эфир" opens the air's panel: its switch turns every condition off at once, and what is chosen
// is kept at once in a group of its own, never among the window's "Form1" values.
TEST_F(TrainingPanelTest, TheAirPanelKeepsItsChoicesInAGroupOfItsOwn) {
    h->form->findChild<TglLabel*>(QStringLiteral("airCommand"))->click();
    auto* air = h->form->findChild<QWidget*>(QStringLiteral("airPanel"));
    ASSERT_TRUE(air && !air->isHidden());
    const auto byName = [air](const char* name) {
        for (QWidget* w : air->findChildren<QWidget*>())
            if (w->accessibleName() == QString::fromUtf8(name)) return w;
        return static_cast<QWidget*>(nullptr);
    };
    auto* on = qobject_cast<QCheckBox*>(byName("условия эфира включены"));
    auto* stations = qobject_cast<QSpinBox*>(byName("мешающие станции"));
    auto* speedTest = qobject_cast<QCheckBox*>(byName("условия эфира и в проверке скорости приёма"));
    ASSERT_TRUE(on && stations && speedTest);
    EXPECT_FALSE(stations->isEnabled());
    on->click();
    EXPECT_TRUE(stations->isEnabled());
    stations->setValue(3);
    EXPECT_FALSE(speedTest->isChecked());
    speedTest->click();
    std::unique_ptr<QSettings> stored = openUserSettings();
    EXPECT_EQ(stored->value(QStringLiteral("Air/onSpeedTest")).toString(), QStringLiteral("1"));
    EXPECT_EQ(stored->value(QStringLiteral("Air/on")).toString(), QStringLiteral("1"));
    EXPECT_EQ(stored->value(QStringLiteral("Air/qrm")).toString(), QStringLiteral("3"));
    for (const QString& key : stored->allKeys())
        EXPECT_FALSE(key.startsWith(QStringLiteral("Form1/")) && key.contains(QStringLiteral("qrm")));
    on->click();
    EXPECT_FALSE(stations->isEnabled());
    EXPECT_EQ(openUserSettings()->value(QStringLiteral("Air/on")).toString(), QStringLiteral("0"));
}

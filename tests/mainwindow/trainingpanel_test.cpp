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
#include <set>

#include "core/cp1251.h"
#include "keying/signtable.h"
#include "sendingui/sendingpracticeview.h"
#include "settings/settingsbackend.h"
#include "support/formharness.h"
#include "training/historystore.h"
#include "training/sendingpractice.h"
#include "trainingui/courseview.h"
#include "trainingui/examview.h"
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

// The course opens where the history says the learner is, names the lesson for a screen reader
// and plays the new sign three times.
TEST_F(TrainingPanelTest, TheCourseResumesAtTheStoredLessonAndPlaysItsNewSign) {
    ASSERT_TRUE(panel().store().saveCourseProgress({"cyrillic", 4, 0}));
    h->clearRecords();
    view().courseButton()->click();
    const QString lesson = view().courseView()->lessonLabel()->accessibleName();
    EXPECT_EQ(lesson, QStringLiteral("Урок 4 из 44: новый знак «У»"));
    EXPECT_FALSE(view().courseView()->isHidden());
    EXPECT_EQ(h->clock.beeps(), 3 * 3); // ..- three times
}

namespace {

// What the speaker keyed since the records were cleared, read back by ear as a learner would:
// a beep of dotMs is a dot, longer a dash, and a silence of two dots or more ends a sign.
std::string heard(const std::vector<std::string>& log, int dotMs) {
    std::string out, code;
    int silence = 0;
    auto endSign = [&] {
        for (const SignRecord& s : kSignTable)
            if (!code.empty() && s.code == code) out += s.symbol;
        code.clear();
    };
    for (const std::string& line : log) {
        int a = 0, b = 0;
        if (std::sscanf(line.c_str(), "beep %d %d", &a, &b) == 2) {
            if (silence >= 2 * dotMs) endSign();
            code += b > dotMs ? '-' : '.';
            silence = 0;
        } else if (std::sscanf(line.c_str(), "sleep %d", &a) == 1) {
            silence += a;
        }
    }
    endSign();
    return out;
}

// The lengths of the speaker's beeps, ms.
std::set<int> beepLengths(const std::vector<std::string>& log) {
    std::set<int> out;
    for (const std::string& line : log)
        if (int a = 0, b = 0; std::sscanf(line.c_str(), "beep %d %d", &a, &b) == 2) out.insert(b);
    return out;
}

} // namespace

// The speed test keys its first block of digit groups at the start speed; a block copied
// without error opens the next one a step faster, and the first that fails ends the test. The
// test is one row of kind exam with the speed passed, the best is shown, and afterwards the
// speed bar keys again.
TEST_F(TrainingPanelTest, TheSpeedTestRisesUntilABlockFailsAndKeepsTheSpeedPassed) {
    const int barDot = test::FormAccess::keying(*h->form).keyingSettings().heardDotMs();
    view().examButton()->click();
    ExamView& exam = *view().examView();
    ASSERT_FALSE(exam.isHidden());
    exam.set(ExamText::Digits, {.startSignsPerMinute = 60, .stepSignsPerMinute = 10});
    std::string copied;
    h->events.at(100000, [&] {
        EXPECT_EQ(beepLengths(h->clock.log), (std::set<int>{100, 300})); // 60 a minute
        copied = heard(h->clock.log, 100);
        QTest::keyClicks(form().Memo1, QString::fromStdString(copied));
        view().checkButton()->click();
    });
    h->clearRecords();
    exam.receiveButton()->click();
    EXPECT_EQ(copied.size() % 5, 0u);
    EXPECT_GE(copied.size(), 30u); // a minute of digits, twice as long as PARIS signs
    EXPECT_EQ(copied.find_first_not_of("0123456789"), std::string::npos);
    EXPECT_TRUE(exam.resultLabel()->text().startsWith(
        QStringLiteral("Блок 60 знаков в минуту: знаков %1, ошибок 0 — сдан.").arg(copied.size())));
    EXPECT_EQ(exam.receiveButton()->accessibleName(), QStringLiteral("Следующий блок"));
    EXPECT_TRUE(panel().store().sessions().empty());

    h->events.at(100000, [&] {
        QTest::keyClicks(form().Memo1, "0");
        view().checkButton()->click();
    });
    h->clearRecords();
    exam.receiveButton()->click();
    EXPECT_EQ(beepLengths(h->clock.log), (std::set<int>{84, 252})); // 70 a minute, whole ms
    EXPECT_TRUE(exam.resultLabel()->text().endsWith(
        QStringLiteral("Зачёт сдан на 60 знаков в минуту (12 WPM).")));
    const auto sessions = panel().store().sessions();
    ASSERT_EQ(sessions.size(), 1u);
    EXPECT_EQ(std::tuple(sessions[0].kind, sessions[0].source, sessions[0].charWpm),
              std::tuple(std::string("exam"), std::string("зачёт, приём: цифры"), 12.0));
    EXPECT_TRUE(exam.bestLabel()->text().startsWith(QStringLiteral("Лучшее: приём — цифры 60,")));
    EXPECT_EQ(test::FormAccess::keying(*h->form).keyingSettings().heardDotMs(), barDot);
}

// "Зачёт передачи" writes a radiogram of the chosen groups into the text window and opens the
// sending practice; the run keyed on it is scored on its decoded errors and its rhythm and kept
// as a test, the speed only when passed.
TEST_F(TrainingPanelTest, TheSendingTestIsScoredOnErrorsAndRhythmAndKept) {
    view().examButton()->click();
    ExamView& exam = *view().examView();
    exam.set(ExamText::Letters, {});
    SendingTimingSummary even;
    even.dotSpread = even.dashSpread = 0;
    even.dashDotRatio = 3;
    even.elementSpacing = even.signSpacing = even.wordSpacing = 1;
    even.elementSpacingSpread = even.signSpacingSpread = even.wordSpacingSpread = 0;
    even.wpm = 12, even.charsPerMinute = 60, even.unitMs = 100;
    SendingTimingSummary uneven = even;
    uneven.signSpacing = 3.5; // rhythm 100 × (1 − 2.5 / 9): 72 %
    struct Row {
        const char* name;
        int wrongSigns;
        SendingTimingSummary timing;
        const char* verdict;
    } rows[] = {
        {"as sent, an even hand", 0, even, "Зачёт передачи сдан: 60 знаков в минуту, ошибок 0"},
        {"five wrong", 5, even, "Зачёт передачи сдан"},
        {"six wrong", 6, even, "Зачёт передачи не сдан"},
        {"uneven gaps", 0, uneven, "Зачёт передачи не сдан"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        exam.sendButton()->click();
        QWidget* sending = test::FormAccess::sendingPanel(*h->form);
        ASSERT_TRUE(sending && !sending->isHidden());
        std::string keyed = test::FormAccess::textWindow(*h->form).text();
        ASSERT_GE(keyed.size(), 6u * 5);
        for (int i = 0; i < row.wrongSigns; ++i)
            keyed[size_t(i) * 6] = keyed[size_t(i) * 6] == '\xca' ? '\xcc' : '\xca'; // К, М
        SendingResult result{.text = keyed, .timing = row.timing};
        panel().sendingExamFinished(result);
        EXPECT_TRUE(exam.resultLabel()->text().startsWith(QString::fromUtf8(row.verdict)))
            << exam.resultLabel()->text().toStdString();
    }
    // Through the practice itself: a run with nothing keyed fails and is kept as the test.
    exam.sendButton()->click();
    auto* practice = test::FormAccess::sendingPanel(*h->form)->findChild<SendingPracticeView*>();
    ASSERT_TRUE(practice);
    practice->start();
    practice->finish();
    EXPECT_TRUE(exam.resultLabel()->text().startsWith(QStringLiteral("Зачёт передачи не сдан")));
    std::vector<double> speeds;
    for (const SessionRecord& s : panel().store().sessions())
        if (s.source == "зачёт, передача: буквы") speeds.push_back(s.charWpm);
    EXPECT_EQ(speeds, (std::vector<double>{12, 12, 0, 0, 0}));
    EXPECT_TRUE(
        exam.bestLabel()->text().contains(QStringLiteral("передача — цифры нет, буквы 60")));
}

// The course keys at the speed typed for it; the last lesson passed opens a speed stage a step
// faster, kept in the history and named in the lesson's label.
TEST_F(TrainingPanelTest, TheLastLessonPassedOpensASpeedStageAtTheTypedSpeedAndAStep) {
    ASSERT_TRUE(panel().store().saveCourseProgress({"cyrillic", 44, 0}));
    view().courseButton()->click();
    view().courseView()->setSignsPerMinute(100); // a 60 ms dot
    h->events.at(100000, [&] {
        EXPECT_EQ(beepLengths(h->clock.log), (std::set<int>{60, 180}));
        form().Memo1->setText(heard(h->clock.log, 60)); // Cyrillic: QTest types ASCII only
        view().checkButton()->click();
    });
    h->clearRecords();
    view().courseView()->startButton()->click();
    EXPECT_TRUE(view().statusLine()->text().startsWith(QStringLiteral("Урок 44 пройден")))
        << view().statusLine()->text().toStdString();
    EXPECT_EQ(panel().store().courseProgress("cyrillic").stage, 1);
    view().courseButton()->click();
    EXPECT_EQ(view().courseView()->lessonLabel()->text(),
              QStringLiteral("Урок 44 из 44: все знаки выучены, ступень скорости 1 — 110 знаков в "
                             "минуту"));
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

// The callsign drill in the window on fakes: each call keyed at the run's speed, typed without a
// sound, counted, and the run recorded with its end screen.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>

#include "keying/signtable.h"
#include "mainwindow/contactpage.h"
#include "mainwindow/pileuppage.h"
#include "mainwindow/qcodepage.h"
#include "support/formharness.h"
#include "trainingui/callsigndrillview.h"
#include "trainingui/callsignpanelview.h"
#include "trainingui/contactdrillview.h"
#include "trainingui/pileupview.h"
#include "trainingui/qcodedrillview.h"
#include "widgets/tgllabel.h"

using namespace kelvatron;
using kelvatron::test::FormAccess;
using kelvatron::test::FormHarness;

namespace {

// The elements a call keys, and the shortest of the tones logged since `from` (its dot, ms).
int elementsOf(const std::string& call) {
    int n = 0;
    for (char c : call)
        n += int(kSignTable[*findSign(std::string(1, latinPartner(c).value_or(c)))].code.size());
    return n;
}

struct Tones {
    int count = 0;
    int shortest = 1 << 30;
};

Tones tonesSince(const std::vector<std::string>& log, size_t from) {
    Tones t;
    for (size_t i = from; i < log.size(); ++i) {
        const std::string& line = log[i];
        // A mix played on its own ("tone 2400 async") is no keyed element.
        if (!line.starts_with("beep") && !line.starts_with("tone")) continue;
        if (line.ends_with(" async")) continue;
        ++t.count;
        t.shortest = std::min(t.shortest, std::stoi(line.substr(line.rfind(' ') + 1)));
    }
    return t;
}

} // namespace

// Right, wrong, right at a step of 20: the calls sound at 100, 120 and 100 signs a minute (dots
// of 60, 50 and 60 ms), the typing makes no sound, the count line follows, and the run is in
// the history with its end screen.
TEST(CallsignPanel, ARunKeysEachCallAtItsSpeedCountsAndRecordsIt) {
    FormHarness h;
    h.ui().trainingMenu->click();
    FormAccess::training(*h.form).view().callsignsButton()->click();
    CallsignPanel& panel = *FormAccess::callsigns(*h.form);
    EXPECT_FALSE(panel.frame()->isHidden());
    CallsignDrillView& view = panel.view().drill();
    view.setSettings({.calls = 3, .startCpm = 100, .stepCpm = 20});
    h.clearRecords();
    h.form->show();
    h.form->activateWindow();
    QApplication::processEvents();
    FormAccess::state(*h.form).stopFlag = 1; // left by a transmission stopped before
    view.startButton()->click();
    ASSERT_FALSE(h.keyboardLayout.loaded.empty());
    EXPECT_EQ(h.keyboardLayout.loaded.back(), "00000409") << "a call is typed in Latin letters";
    struct Row {
        bool right;
        int dotMs;
        const char* count;
    };
    const Row rows[] = {{true, 60, "Позывных: 1 из 1 верно"},
                        {false, 50, "Позывных: 1 из 2 верно"},
                        {true, 60, "Позывных: 2 из 3 верно"}};
    size_t from = 0;
    for (const Row& row : rows) {
        const std::string call = panel.drill()->call();
        const Tones tones = tonesSince(h.clock.log, from);
        EXPECT_EQ(tones.count, elementsOf(call)) << call;
        EXPECT_EQ(tones.shortest, row.dotMs) << call;
        QTest::keyClicks(view.input(), QString::fromStdString(row.right ? call : call + "E"));
        QTest::keyClick(view.input(), Qt::Key_Return);
        EXPECT_EQ(view.countLabel()->text(), QString::fromUtf8(row.count));
        EXPECT_EQ(view.countLabel()->accessibleName(), view.countLabel()->text());
        from = h.clock.log.size();
        QApplication::processEvents(); // the next call
    }
    EXPECT_EQ(tonesSince(h.clock.log, from).count, 0) << "three calls, no more";
    EXPECT_FALSE(panel.running());
    EXPECT_TRUE(view.report()->toPlainText().contains(QStringLiteral("Лучшие серии")));
    EXPECT_TRUE(view.report()->accessibleDescription().startsWith(QStringLiteral("Очков: ")));
    const auto sessions = FormAccess::training(*h.form).store().sessions();
    ASSERT_EQ(sessions.size(), 1u);
    EXPECT_EQ(std::tuple(sessions[0].kind, sessions[0].source, sessions[0].errors),
              std::tuple(std::string("callsign"), std::string("позывные"), 1));
}

// A contact keyed and copied: the fields right but the name are marked so, and the text's
// figure counts the copy; a Q-code copied right is shown with its meaning.
TEST(CallsignPanel, AContactIsCheckedByItsFieldsAndACodeShowsItsMeaning) {
    FormHarness h;
    h.form->show(); // closing the panel hides it only when it is shown
    h.ui().trainingMenu->click();
    FormAccess::training(*h.form).view().callsignsButton()->click();
    CallsignPanel& panel = *FormAccess::callsigns(*h.form);
    ContactDrillView& contact = panel.view().contact();
    h.clearRecords();
    contact.keyButton()->click();
    EXPECT_GT(tonesSince(h.clock.log, 0).count, 100);
    const Contact& sent = *panel.contactPage().contact();
    contact.copyEdit()->setPlainText(QString::fromStdString(sent.text));
    const std::string typed[4] = {sent.fields.call, sent.fields.rst, "X", sent.fields.qth};
    for (int i = 0; i < 4; ++i)
        QTest::keyClicks(contact.field(i), QString::fromStdString(typed[i]));
    contact.checkButton()->click();
    EXPECT_TRUE(contact.result()->toPlainText().startsWith(
        QStringLiteral("Поля: 3 из 4 верно. Текст: Знаков: ")))
        << contact.result()->toPlainText().toStdString();
    EXPECT_TRUE(
        contact.result()->accessibleDescription().contains(QStringLiteral("Имя: передано")));
    contact.checkButton()->click(); // checked again: still one record
    const auto sessions = FormAccess::training(*h.form).store().sessions();
    ASSERT_EQ(sessions.size(), 1u);
    EXPECT_EQ(std::tuple(sessions[0].kind, sessions[0].errors),
              std::tuple(std::string("contact"), 0));

    QCodeDrillView& codes = panel.view().qcodes();
    codes.startButton()->click();
    const std::string code(panel.qcodePage().current());
    QTest::keyClicks(codes.input(), QString::fromStdString(code));
    QTest::keyClick(codes.input(), Qt::Key_Return);
    EXPECT_EQ(codes.countLabel()->text(), QStringLiteral("Кодов: 1 из 1 верно"));
    EXPECT_TRUE(codes.meaningLabel()->text().startsWith(QString::fromStdString(code + " — ")));
    EXPECT_TRUE(codes.meaningLabel()->text().endsWith(QStringLiteral("Верно.")));
    panel.frame()->hide();
    EXPECT_FALSE(panel.qcodePage().running());
}

// After the CQ the stations' mix plays on the sound card; a call nobody sent brings them again,
// the right one is worked: it answers, the count goes up, and the rest call again.
TEST(CallsignPanel, APileUpAnswersTheCqAndTheRightCallIsWorked) {
    FormHarness h;
    h.ui().trainingMenu->click();
    FormAccess::training(*h.form).view().callsignsButton()->click();
    CallsignPanel& panel = *FormAccess::callsigns(*h.form);
    PileupView& view = panel.view().pileup();
    PileupPage& page = panel.pileupPage();
    h.clearRecords();
    view.cqButton()->click();
    EXPECT_GT(tonesSince(h.clock.log, 0).count, 30) << "the CQ is keyed first";
    ASSERT_FALSE(page.callers().empty());
    ASSERT_EQ(h.sound.plays.size(), 1u);
    EXPECT_GT(h.sound.plays[0].lengthMs, 1000);
    QTest::keyClicks(view.input(), "QQ0QQQ");
    QTest::keyClick(view.input(), Qt::Key_Return);
    EXPECT_EQ(h.sound.plays.size(), 2u);
    EXPECT_TRUE(view.statusLabel()->text().startsWith(QStringLiteral("«QQ0QQQ» не звал")));
    const std::string worked = page.callers().back().call;
    QTest::keyClicks(view.input(), QString::fromStdString(worked).toLower());
    QTest::keyClick(view.input(), Qt::Key_Return);
    EXPECT_EQ(view.countLabel()->text(), QStringLiteral("Связей: 1"));
    EXPECT_TRUE(
        view.statusLabel()->text().startsWith(QString::fromStdString(worked + ": R 5NN TU")));
    EXPECT_EQ(h.sound.plays.size(), 3u);
    for (const PileupCaller& c : page.callers())
        EXPECT_NE(c.call, worked);
    // A CQ typed instead of clicked calls the band again.
    h.clearRecords();
    QTest::keyClicks(view.input(), "cq");
    QTest::keyClick(view.input(), Qt::Key_Return);
    EXPECT_GT(tonesSince(h.clock.log, 0).count, 30);
    EXPECT_EQ(h.sound.plays.size(), 1u);
}

// What the learner does while a call sounds: Enter is taken once the call has ended; closing
// the panel ends the run at the next sign, unrecorded.
TEST(CallsignPanel, EnterOrCloseWhileACallSounds) {
    for (bool close : {false, true}) {
        SCOPED_TRACE(close ? "close" : "enter");
        FormHarness h;
        h.form->show();
        h.ui().trainingMenu->click();
        FormAccess::training(*h.form).view().callsignsButton()->click();
        CallsignPanel& panel = *FormAccess::callsigns(*h.form);
        CallsignDrillView& view = panel.view().drill();
        view.setSettings({.calls = 2, .startCpm = 100, .stepCpm = 10});
        // The 600 ms before the call are 30 event points; the first sign has sounded at 32.
        h.events.at(32, [&] {
            if (close) return panel.frame()->hide();
            QTest::keyClicks(view.input(), QString::fromStdString(panel.drill()->call()));
            QTest::keyClick(view.input(), Qt::Key_Return);
        });
        h.clearRecords();
        view.startButton()->click();
        const int tones = tonesSince(h.clock.log, 0).count;
        if (close) {
            EXPECT_FALSE(panel.running());
            EXPECT_LT(tones, elementsOf(panel.drill()->call()));
            EXPECT_EQ(view.countLabel()->text(), QStringLiteral("Позывных: 0 из 0 верно"));
            EXPECT_TRUE(FormAccess::training(*h.form).store().sessions().empty());
        } else {
            EXPECT_EQ(tones, elementsOf(panel.drill()->attempts().front().sent));
            EXPECT_EQ(view.countLabel()->text(), QStringLiteral("Позывных: 1 из 1 верно"));
            EXPECT_TRUE(panel.running());
        }
    }
}

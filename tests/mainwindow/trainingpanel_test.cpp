// The training panel in the window on fakes: a receive exercise keyed from the window's
// settings, typed into without a sound, checked, shown and kept in the history.
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>

#include "core/cp1251.h"
#include "support/formharness.h"
#include "trainingui/receiveresultview.h"
#include "widgets/tglcheckbox.h"
#include "widgets/tglgroupbox.h"
#include "widgets/tgllabel.h"
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

    QTemporaryDir data;
    QByteArray saved;
    std::unique_ptr<FormHarness> h;
};

} // namespace

// The answer "124" for the text "123": typed during the keying, it lands in the window without
// a sound (only the three keyed signs beep), and the check shows and records one error.
TEST_F(TrainingPanelTest, AReceivedTextIsTypedSilentlyCheckedAndRecorded) {
    auto& f = form();
    h->events.at(2, [&] { QTest::keyClicks(f.Memo1, "124"); });
    h->clearRecords();
    panel().receiveButton()->click();
    EXPECT_EQ(beeps(), 5 + 5 + 5); // .---- ..--- ...--
    EXPECT_TRUE(h->sound.plays.empty());
    EXPECT_EQ(f.textWindow.text(), "124");
    EXPECT_EQ(panel().resultView()->figureLabel()->text(),
              QStringLiteral("Знаков: 3, ошибок: 1 (33.3 %)"));
    EXPECT_FALSE(panel().resultView()->isHidden());
    EXPECT_TRUE(f.glGroupBox6->isEnabled());
    const auto sessions = panel().store().sessions();
    ASSERT_EQ(sessions.size(), 1u);
    EXPECT_EQ(std::tuple(sessions[0].source, sessions[0].signs, sessions[0].errors),
              std::tuple(std::string("текст в окне"), 3, 1));
    EXPECT_TRUE(h->dialogs.errors.empty());
    // Afterwards the keyboard practice sounds typed keys again.
    h->clearRecords();
    QTest::keyClicks(f.Memo1, "5");
    EXPECT_GT(beeps(), 0);
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
    panel().receiveButton()->click();
    stderr = standardError;
    qunsetenv("KELVATRON_ECHO_CHECK");
    std::fclose(echo);
    EXPECT_EQ(storedAtEcho, std::vector<size_t>{1});
}

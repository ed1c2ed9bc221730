#include <QApplication>
#include <QKeyEvent>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "mainwindow/sendingpanel.h"
#include "mainwindow/settingsbackend.h"
#include "mainwindow/soundsidetone.h"
#include "sendingui/sendingpracticeview.h"
#include "support/fakesounddevice.h"
#include "support/formharness.h"
#include "training/historystore.h"
#include "widgets/tglprogress.h"

using namespace kelvatron;
using kelvatron::test::FormHarness;

namespace {

struct FixedSettings : KeyingSettingsSource {
    KeyingSettings s;
    KeyingSettings keyingSettings() const override { return s; }
    SignHints signHints() const override { return {}; }
};

struct FakeLiveSpeaker : LiveSpeakerTone {
    std::vector<int32_t> downs;
    int ups = 0;
    void keyDown(int32_t frequency) override { downs.push_back(frequency); }
    void keyUp() override { ++ups; }
};

} // namespace

TEST(SoundSidetone, SoundsOnTheChosenOutputAtTheSetFrequencyAndWaveform) {
    struct Row {
        const char* name;
        bool speaker, soundCard, haveSpeaker;
        std::optional<TTGWave> wave;
        bool onCard; // else on the speaker
        TTGWave cardWave = TTGWave::tgSine;
    };
    const Row rows[] = {
        {"sound card, triangle", false, true, true, TTGWave::tgTriangle, true, TTGWave::tgTriangle},
        {"speaker", true, false, true, TTGWave::tgSawtooth, false},
        {"speaker chosen, none there", true, false, false, TTGWave::tgSquare, true,
         TTGWave::tgSquare},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        test::FakeSoundDevice sound;
        FakeLiveSpeaker speaker;
        FixedSettings settings;
        settings.s = {
            .speaker = r.speaker, .soundCard = r.soundCard, .frequency = 700.4, .waveform = r.wave};
        SoundSidetone tone(sound, settings, r.haveSpeaker ? &speaker : nullptr);
        tone.toneOn();
        tone.toneOn();                            // a tone already sounding is not started twice
        settings.s.speaker = !settings.s.speaker; // a choice made meanwhile: ends where it began
        tone.toneOff();
        tone.toneOff();
        using Downs = std::vector<std::pair<int32_t, TTGWave>>;
        const Downs onCard = r.onCard ? Downs{{700, r.cardWave}} : Downs{};
        EXPECT_EQ(sound.keyDowns, onCard);
        EXPECT_EQ(sound.keyUps, r.onCard ? 1 : 0);
        EXPECT_EQ(speaker.downs, r.onCard ? std::vector<int32_t>{} : std::vector<int32_t>{700});
        EXPECT_EQ(speaker.ups, r.onCard ? 0 : 1);
    }
}

namespace {

// The window with its sending panel open, on the harness's fake clock and sound card.
struct SendingWindow : FormHarness {
    SendingWindow() {
        form->show();
        QApplication::setActiveWindow(form.get());
        form->showSendingPractice();
        panel = form->sendingPanel();
        panel->setHistoryPath(history.filePath("history.sqlite").toStdString());
        clearRecords();
    }
    // Holds Space for ms through the application, as the keyboard does.
    void sendElement(double ms) {
        for (auto type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent e(type, Qt::Key_Space, Qt::NoModifier, " ");
            QApplication::sendEvent(QApplication::focusWidget(), &e);
            clock.time += type == QEvent::KeyPress ? ms : 3; // a release waits out the repeats
            panel->view().pollNow();
        }
    }
    void settle() {
        clock.time += 2000;
        panel->view().pollNow();
    }

    QTemporaryDir history;
    SendingPanel* panel = nullptr;
};

} // namespace

TEST(SendingPanel, DecodedSignsGoBelowTheCopiedTextAndACheckedRunIsStoredAsSent) {
    SendingWindow w;
    w.form->textWindow.setText(toCp1251("ТЕ"));
    auto choices = w.panel->view().choices();
    choices.checkWindowText = true;
    w.panel->view().setChoices(choices);
    w.form->glProgress1->setPercent(60); // the dot, in ms
    w.panel->view().setFocus();
    w.panel->view().start();
    w.sendElement(180); // Т
    w.clock.time += 200;
    w.sendElement(60); // А, keyed for Е
    w.clock.time += 60;
    w.sendElement(180);
    w.settle();
    EXPECT_EQ(fromCp1251(w.form->textWindow.text()).rfind("ТЕ\r\nТА", 0), 0u)
        << fromCp1251(w.form->textWindow.text());
    w.panel->view().finish();

    const auto sessions =
        HistoryStore(w.history.filePath("history.sqlite").toStdString()).sessions();
    ASSERT_EQ(sessions.size(), 1u);
    EXPECT_EQ(sessions[0].kind, "send");
    EXPECT_EQ(sessions[0].signs, 2);
    EXPECT_EQ(sessions[0].errors, 1);
    // The choice lives in the training's group; the window's own group is not touched.
    auto settings = openUserSettings();
    EXPECT_TRUE(settings->value("Training/SendingCheckText").toBool());
    EXPECT_FALSE(settings->childGroups().contains("Form1"));
}

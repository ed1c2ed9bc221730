#pragma once
#include <QPointer>
#include <QWidget>
#include <memory>

#include "core/formstate.h"
#include "core/services.h"
#include "form/formcontrols.h"
#include "keying/toneoutput.h"
#include "mainwindow/audioexport.h"
#include "mainwindow/formalphabetdisplay.h"
#include "mainwindow/formkeyingsettings.h"
#include "mainwindow/formprogress.h"
#include "mainwindow/airswitch.h"
#include "mainwindow/formtransmissioncontrols.h"
#include "mainwindow/memotextwindow.h"
#include "tonegen/tonegen.h"

#include "exercises/exercisegenerator.h"
#include "keying/alphabetswitch.h"
#include "keying/keyboardpractice.h"
#include "keying/signplayer.h"
#include "mainwindow/settingspanel.h"
#include "mainwindow/settingsstore.h"
#include "radiograms/radiogramcommands.h"
#include "training/learnerhistory.h"
#include "transmission/pausestopcontrol.h"
#include "transmission/sourceselection.h"
#include "transmission/transmissiondriver.h"

namespace kelvatron {

namespace test {
struct FormAccess;
}
class KeyPortLink;
class LiveSpeakerTone;
class CallsignPanel;
class SendingPanel;
class TrainingPanel;
class TglLabel;

// The program's one window: borderless, with its own title strip and menu words, floating panels,
// the on-screen keyboard and the settings. Every command is one of its handlers; the longer ones
// delegate to the part of the program that owns the behaviour.
class TForm1 : public QWidget, private FormControls {
    Q_OBJECT
public:
    explicit TForm1(Services& services, QWidget* parent = nullptr);
    ~TForm1() override;

    // Shows the window centred on its screen, as at start-up.
    void showCentred();
    // The serial key and the PC speaker's live tone for sending practice; both may be null.
    // KELVATRON_OPEN_PANEL=sending in the environment opens the sending panel at start.
    void setSendingDevices(KeyPortLink* link, LiveSpeakerTone* speaker);
    // The sound card's output, whose placed tones hear the air's conditions; may be null.
    void setSoundChains(TimelineSoundDevice* device);

public slots:
    void FormCreate();
    void FormActivate();
    // Menu words and panels.
    void glLabel5Click();
    void glLabel6Click();
    void glLabel7Click();
    void glLabel8Click();
    void glBevel2MouseDown();
    void glGraphicButton5Click(); // minimise
    void glGraphicButton4Click(); // close: asks first
    void glLabel71Click();        // "Да"
    void glLabel72Click();        // "Нет"
    void glLabel12Click();        // "Выход"
    void glGraphicButton1MouseDown();
    void showSendingPractice(); // " Передача ключом"
    void showCallsigns();       // " Позывные и радиообмен"
    // Keyboard practice and alphabets.
    void presssymvol(TglLabel* sender);
    void glLabel17Click();
    void FormKeyPress(char key);
    void glCheckBox22Click();
    void glCheckBox23Click();
    // Transmission.
    void glCheckBox8Click();
    void btpause();
    void btstopclick();
    void glCheckBox4Click();
    void glCheckBox5Click();
    void glCheckBox6Click();
    void glCheckBox7Click();
    // Exercises and radiograms.
    void glLabel9Click();
    void glLabel10Click();
    void glLabel11Click();
    void glLabel13Click();
    void glLabel14Click();
    void glLabel15Click();
    void glLabel16Click();
    void exportSoundClick(); // "Экспорт звука ..."

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Tests reach the controls and subsystems through it (tests/support/formharness.h).
    friend struct test::FormAccess;

    void connectHandlers();
    void buildTrainingPanel();
    void connectSettingsPanel();
    void showOnlyPanel(QWidget* panel);
    void configureToneGen();
    bool alreadyPreviewed(const QKeyEvent& key, QWidget* receiver);

    Services& services;
    FormState state;
    // Created with the window: the first tone generator saves the device volume and sets 80 %.
    TToneGen ToneGen1;

    // What the subsystems see of the window.
    ToneGenOutput toneOutput;
    FormKeyingSettings keyingSettings;
    MemoTextWindow textWindow;
    FormProgress progress;
    FormTransmissionControls transmissionControls;
    FormAlphabetDisplay alphabetDisplay;

    SignPlayer signPlayer;
    KeyboardPractice keyboardPractice;
    AlphabetSwitch alphabetSwitch;
    SettingsPanel settingsPanel;
    PauseStopControl pauseStop;
    SourceSelection sourceSelection;
    TransmissionDriver transmission;
    ExerciseGenerator exerciseGenerator;
    RadiogramCommands radiogramCommands;
    SettingsStore settingsStore;
    AudioExport audioExport;
    // The history both training panels record into, opened at its first use.
    LearnerHistory history;
    // The air's conditions on the receive exercise and the transmission.
    AirSwitch air_{keyingSettings};
    // The "Тренировка" panel; built once the controls are.
    std::unique_ptr<TrainingPanel> training;

    // Closed once: the settings are saved and typed keys sound no more.
    bool closed_ = false;
    const QEvent* lastPreviewedKey_ = nullptr;
    unsigned long lastPreviewedTime_ = 0;
    QPointer<QWidget> lastPreviewedReceiver_;
    QWidget* outline_ = nullptr;
    std::unique_ptr<SendingPanel> sendingPanel_;
    std::unique_ptr<CallsignPanel> callsignPanel_;
    KeyPortLink* keyPortLink_ = nullptr;
    LiveSpeakerTone* liveSpeaker_ = nullptr;
};

} // namespace kelvatron

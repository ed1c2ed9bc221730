#include "mainwindow/tform1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include "core/cp1251.h"
#include "form/formlayout.h"
#include "mainwindow/farnsworthsetting.h"
#include "mainwindow/callsignpanel.h"
#include "mainwindow/sendingpanel.h"
#include "mainwindow/trainingpanel.h"
#include "widgets/accessibility.h"
#include "widgets/tglbevel.h"
#include "widgets/tglcheckbox.h"
#include "widgets/tglgraphicbutton.h"
#include "widgets/tglgroupbox.h"
#include "widgets/tgllabel.h"
#include "widgets/tmemo.h"

namespace kelvatron {

namespace {

constexpr QSize kClientSize(792, 573);

// The one-pixel black outline of the borderless window, drawn above everything else.
class Outline : public QWidget {
public:
    explicit Outline(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_TranslucentBackground);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setPen(Qt::black);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

} // namespace

TForm1::TForm1(Services& s, QWidget* parent)
    : QWidget(parent), services(s), ToneGen1(s.sound), toneOutput(ToneGen1, s.speaker, s.clock),
      keyingSettings(*this), textWindow(*this), progress(*this), transmissionControls(*this),
      alphabetDisplay(*this),
      signPlayer(keyingSettings, toneOutput, textWindow, s.clock, state.timing),
      keyboardPractice(textWindow, progress, s.clock, s.events, state, signPlayer),
      alphabetSwitch(alphabetDisplay, textWindow, s.events, s.keyboardLayout),
      settingsPanel(*this, signPlayer), pauseStop(transmissionControls, progress, s.events, state),
      sourceSelection(transmissionControls),
      transmission(transmissionControls, textWindow, progress, s.clock, s.events, state, signPlayer,
                   pauseStop),
      exerciseGenerator(transmissionControls, textWindow, progress, s.clock, s.events,
                        sourceSelection),
      radiogramCommands(textWindow, s.dialogs, state, sourceSelection),
      settingsStore(*this, *this, s.dialogs),
      audioExport(transmissionControls, keyingSettings, textWindow, state, s.dialogs, *this),
      history(s.dialogs) {
    audioExport.setAir(&air_);
    installWidgetAccessibility();
    configureToneGen();
    setWindowTitle(QStringLiteral("Kelvatron (V 1.41)"));
    setObjectName(QStringLiteral("Form1"));
    setAccessibleName(windowTitle());
    QFont f = font();
    f.setPixelSize(11);
    setFont(f);
    setFixedSize(kClientSize);
    buildFormControls(this, *this);
    outline_ = new Outline(this);
    outline_->setGeometry(rect());
    outline_->raise();
    connectHandlers();
    qApp->installEventFilter(this);
    FormCreate();
    settingsStore.load();
    audioExport.setVoice(services.voice);
    buildTrainingPanel();
}

// The training panel gets the transmission, the text window, the history and the frames it
// fills; the window's controls that change its speed line call it after their own handlers.
void TForm1::buildTrainingPanel() {
    training = std::make_unique<TrainingPanel>(
        TrainingPanelParts{.transmissionControls = transmissionControls,
                           .textWindow = textWindow,
                           .progress = progress,
                           .clock = services.clock,
                           .events = services.events,
                           .state = state,
                           .signPlayer = signPlayer,
                           .pauseStop = pauseStop,
                           .keyingSettings = keyingSettings,
                           .history = history,
                           .dialogs = services.dialogs,
                           .sound = services.sound,
                           .voice = services.voice,
                           .panelFrame = trainingPanel,
                           .historyFrame = historyPanel,
                           .window = this,
                           .textWindowWidget = Memo1,
                           .keyboard = glGroupBox6,
                           .showOnly = [this](QWidget* p) { showOnlyPanel(p); },
                           .setTrainingSpeed = [this](std::optional<TrainingSpeed> speed) {
                               keyingSettings.setTrainingSpeed(speed);
                           },
                           .air = &air_});
    TrainingPanel* panel = training.get();
    connect(trainingMenu, &TglLabel::clicked, panel, &TrainingPanel::show);
    connect(panel, &TrainingPanel::sendingPracticeRequested, this, &TForm1::showSendingPractice);
    connect(panel, &TrainingPanel::sendingExamRequested, this, [this, panel](const std::string& text) {
        showSendingPractice();
        sendingPanel_->startExam(text, [panel](const SendingResult& r) { panel->sendingExamFinished(r); });
    });
    connect(panel, &TrainingPanel::callsignsRequested, this, &TForm1::showCallsigns);
    for (TglCheckBox* speedOrOutput : {glCheckBox11, glCheckBox12, glCheckBox13, glCheckBox14})
        connect(speedOrOutput, &TglCheckBox::clicked, panel, &TrainingPanel::refreshSpeed);
    bindFarnsworthSetting(panel->view().farnsworth(), keyingSettings);
}

TForm1::~TForm1() {
    qApp->removeEventFilter(this);
    // The sending panel ends its run as it goes, writing into the text window: it must go while
    // the window's adapters are still there, not among the children after them.
    sendingPanel_.reset();
    callsignPanel_.reset();
}

// The window's own tone generator plays 8-bit tones synchronously at 800 Hz and 80 % volume;
// the volume applies at once since the stored values are read while loading.
void TForm1::configureToneGen() {
    ToneGen1.setLoading(true);
    ToneGen1.setFrequency(800);
    ToneGen1.setAsync(false);
    ToneGen1.setResolution(TTGResolution::tg8Bit);
    ToneGen1.setLeftVolume(80);
    ToneGen1.setRightVolume(80);
    ToneGen1.setLoading(false);
}

void TForm1::showCentred() {
    // Moving a window drops its minimised or maximised state; the state restored with the
    // settings is what the user sees, only the position is replaced.
    const Qt::WindowStates restored = windowState();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    setWindowState(restored);
    show();
}

void TForm1::FormCreate() {
    // The window draws no background of its own and has no system frame: the top strip is its
    // title bar.
    setAttribute(Qt::WA_NoSystemBackground);
    setWindowFlag(Qt::FramelessWindowHint, true);
}

void TForm1::FormActivate() {
    alphabetSwitch.activateRussianLayout();
    if (glCheckBox14->Checked()) glGroupBox9->show();
    settingsPanel.refreshStatusBar();
}

void TForm1::connectHandlers() {
    connect(glLabel5, &TglLabel::clicked, this, &TForm1::glLabel5Click);
    connect(glLabel6, &TglLabel::clicked, this, &TForm1::glLabel6Click);
    connect(glLabel7, &TglLabel::clicked, this, &TForm1::glLabel7Click);
    connect(glLabel8, &TglLabel::clicked, this, &TForm1::glLabel8Click);
    connect(glBevel2, &TglBevel::mousePressed, this, &TForm1::glBevel2MouseDown);
    connect(glGraphicButton5, &TglGraphicButton::clicked, this, &TForm1::glGraphicButton5Click);
    connect(glGraphicButton4, &TglGraphicButton::clicked, this, &TForm1::glGraphicButton4Click);
    connect(glLabel71, &TglLabel::clicked, this, &TForm1::glLabel71Click);
    connect(glLabel72, &TglLabel::clicked, this, &TForm1::glLabel72Click);
    connect(glLabel12, &TglLabel::clicked, this, &TForm1::glLabel12Click);
    connect(glGraphicButton1, &TglGraphicButton::mouseDown, this,
            &TForm1::glGraphicButton1MouseDown);

    for (TglLabel* key : characterKeys())
        connect(key, &TglLabel::clicked, this, [this, key] { presssymvol(key); });
    connect(glLabel17, &TglLabel::clicked, this, &TForm1::glLabel17Click);
    connect(glCheckBox22, &TglCheckBox::clicked, this, &TForm1::glCheckBox22Click);
    connect(glCheckBox23, &TglCheckBox::clicked, this, &TForm1::glCheckBox23Click);

    connect(glCheckBox8, &TglCheckBox::clicked, this, &TForm1::glCheckBox8Click);
    connect(glCheckBox9, &TglCheckBox::clicked, this, &TForm1::btpause);
    connect(glCheckBox10, &TglCheckBox::clicked, this, &TForm1::btstopclick);
    connect(glCheckBox4, &TglCheckBox::clicked, this, &TForm1::glCheckBox4Click);
    connect(glCheckBox5, &TglCheckBox::clicked, this, &TForm1::glCheckBox5Click);
    connect(glCheckBox6, &TglCheckBox::clicked, this, &TForm1::glCheckBox6Click);
    connect(glCheckBox7, &TglCheckBox::clicked, this, &TForm1::glCheckBox7Click);

    connect(glLabel9, &TglLabel::clicked, this, &TForm1::glLabel9Click);
    connect(glLabel10, &TglLabel::clicked, this, &TForm1::glLabel10Click);
    connect(glLabel11, &TglLabel::clicked, this, &TForm1::glLabel11Click);
    connect(exportSoundLabel, &TglLabel::clicked, this, &TForm1::exportSoundClick);
    connect(glLabel13, &TglLabel::clicked, this, &TForm1::glLabel13Click);
    connect(glLabel14, &TglLabel::clicked, this, &TForm1::glLabel14Click);
    connect(glLabel15, &TglLabel::clicked, this, &TForm1::glLabel15Click);
    connect(glLabel16, &TglLabel::clicked, this, &TForm1::glLabel16Click);
    connectSettingsPanel();
}

void TForm1::connectSettingsPanel() {
    SettingsPanel* panel = &settingsPanel;
    connect(glCheckBox13, &TglCheckBox::clicked, this, [panel] { panel->chooseSpeaker(); });
    connect(glCheckBox14, &TglCheckBox::clicked, this, [panel] { panel->chooseSoundCard(); });
    auto waves = waveformOptions();
    for (int i = 0; i < int(waves.size()); ++i)
        connect(waves[i], &TglCheckBox::clicked, this, [panel, i] { panel->waveformClick(i); });
    auto minus = minusButtons();
    auto plus = plusButtons();
    for (int i = 0; i < int(minus.size()); ++i) {
        connect(minus[i], &TglCheckBox::clicked, this, [panel, i] { panel->minusClick(i); });
        connect(plus[i], &TglCheckBox::clicked, this, [panel, i] { panel->plusClick(i); });
    }
    connect(glCheckBox11, &TglCheckBox::clicked, this, [panel] { panel->faster(); });
    connect(glCheckBox12, &TglCheckBox::clicked, this, [panel] { panel->slower(); });
    connect(glGraphicButton3, &TglGraphicButton::mouseDown, this, [panel] { panel->soundTest(); });
    connect(glGraphicButton2, &TglGraphicButton::clicked, this, [panel] { panel->close(); });
}

void TForm1::showOnlyPanel(QWidget* panel) {
    for (TglGroupBox* floating : floatingPanels())
        floating->setVisible(floating == panel);
    if (sendingPanel_) sendingPanel_->frame()->setVisible(sendingPanel_->frame() == panel);
    if (callsignPanel_) callsignPanel_->frame()->setVisible(callsignPanel_->frame() == panel);
    panel->raise();
    glGroupBox10->raise();
    outline_->raise();
}

void TForm1::glLabel5Click() {
    showOnlyPanel(glGroupBox2);
}
void TForm1::glLabel6Click() {
    showOnlyPanel(glGroupBox8);
}
void TForm1::glLabel7Click() {
    showOnlyPanel(glGroupBox3);
}
void TForm1::glLabel8Click() {
    showOnlyPanel(glGroupBox7);
}

void TForm1::setSendingDevices(KeyPortLink* link, LiveSpeakerTone* speaker) {
    keyPortLink_ = link, liveSpeaker_ = speaker;
    if (qgetenv("KELVATRON_OPEN_PANEL") == "sending")
        QTimer::singleShot(0, this, &TForm1::showSendingPractice);
}

// The sending panel is built when first asked for: the practice, its sidetone and its serial key
// cost nothing until then. The speed bar, the ratio steppers and the alphabet switches change
// the practice after their own handlers.
void TForm1::showSendingPractice() {
    if (!sendingPanel_) {
        sendingPanel_ = std::make_unique<SendingPanel>(
            SendingPanelParts{.sound = services.sound,
                              .keyingSettings = keyingSettings,
                              .speaker = liveSpeaker_,
                              .keyLink = keyPortLink_,
                              .transmissionControls = transmissionControls,
                              .textWindow = textWindow,
                              .generateLetters = [this] { exerciseGenerator.generate(ExerciseKind::Letters); },
                              .clock = services.clock,
                              .history = history,
                              .window = this,
                              .textWindowWidget = Memo1});
        for (TglCheckBox* c :
             {glCheckBox11, glCheckBox12, glCheckBox22, glCheckBox23, glCheckBox25, glCheckBox31})
            connect(c, &TglCheckBox::clicked, sendingPanel_.get(),
                    &SendingPanel::followWindowSettings);
    }
    showOnlyPanel(sendingPanel_->frame());
}

// The callsign panel is built when first asked for; it keys through the window's outputs at
// speeds of its own.
void TForm1::showCallsigns() {
    if (!callsignPanel_)
        callsignPanel_ = std::make_unique<CallsignPanel>(
            CallsignPanelParts{.keyingSettings = keyingSettings,
                               .toneOutput = toneOutput,
                               .sound = services.sound,
                               .clock = services.clock,
                               .events = services.events,
                               .state = state,
                               .history = history,
                               .keyboardLayout = services.keyboardLayout,
                               .windowLayout = [this] { return alphabetSwitch.layoutName(); },
                               .window = this,
                               .air = &air_});
    showOnlyPanel(callsignPanel_->frame());
}

void TForm1::glBevel2MouseDown() {
    if (QWindow* w = windowHandle()) w->startSystemMove();
}

void TForm1::glGraphicButton5Click() {
    showMinimized();
}

void TForm1::glGraphicButton4Click() {
    // A running transmission ends at its next check before the question is asked. A receive
    // exercise or a callsign run goes on until the answer: "Нет" must leave the learner's copy as
    // it was, and "Да" ends it as the window closes.
    if ((!training || !training->receiving()) && !(callsignPanel_ && callsignPanel_->running()))
        state.stopFlag = 1;
    glGroupBox10->show();
    glGroupBox10->raise();
    outline_->raise();
    // Typed keys may go on sounding, and no event is handled while a sign sounds: the question
    // is painted now.
    glGroupBox10->repaint();
}

void TForm1::glLabel71Click() {
    close();
}
void TForm1::glLabel72Click() {
    glGroupBox10->hide();
}

void TForm1::glLabel12Click() {
    signPlayer.keySign("7");
    signPlayer.keySign("3");
    glGroupBox2->hide();
    close();
}

void TForm1::glGraphicButton1MouseDown() {
    signPlayer.keySign(toCp1251("Т"));
    signPlayer.keySign(toCp1251("У"));
    glGroupBox7->hide();
}

void TForm1::presssymvol(TglLabel* sender) {
    keyboardPractice.pressKey(sender->Caption().toStdString());
}
void TForm1::glLabel17Click() {
    keyboardPractice.pressSpace();
}
void TForm1::FormKeyPress(char key) {
    keyboardPractice.typeKey(key);
}
void TForm1::glCheckBox22Click() {
    alphabetSwitch.chooseCyrillic();
}
void TForm1::glCheckBox23Click() {
    alphabetSwitch.chooseLatin();
}
void TForm1::glCheckBox8Click() {
    const AirScope air(air_, AirOccasion::Transmission);
    transmission.start();
}

void TForm1::setSoundChains(TimelineSoundDevice* device) {
    air_.setDevice(device);
}
void TForm1::btpause() {
    pauseStop.readPauseButton();
}
void TForm1::btstopclick() {
    pauseStop.stop();
}
void TForm1::glCheckBox4Click() {
    sourceSelection.choose(TransmissionSource::Digits);
}
void TForm1::glCheckBox5Click() {
    sourceSelection.choose(TransmissionSource::Letters);
}
void TForm1::glCheckBox6Click() {
    sourceSelection.choose(TransmissionSource::DigitsAndLetters);
}
void TForm1::glCheckBox7Click() {
    sourceSelection.choose(TransmissionSource::TextInWindow);
}
void TForm1::glLabel9Click() {
    glGroupBox2->setVisible(false);
    radiogramCommands.newRadiogram();
}
void TForm1::glLabel10Click() {
    glGroupBox2->setVisible(false);
    radiogramCommands.open();
}
void TForm1::glLabel11Click() {
    glGroupBox2->setVisible(false);
    radiogramCommands.saveAs();
}
void TForm1::exportSoundClick() {
    glGroupBox2->setVisible(false);
    audioExport.start();
}
void TForm1::glLabel13Click() {
    glGroupBox3->setVisible(false);
    exerciseGenerator.generate(ExerciseKind::Digits);
}
void TForm1::glLabel14Click() {
    glGroupBox3->setVisible(false);
    exerciseGenerator.generate(ExerciseKind::Letters);
}
void TForm1::glLabel15Click() {
    glGroupBox3->setVisible(false);
    exerciseGenerator.generate(ExerciseKind::DigitsAndLetters);
}
void TForm1::glLabel16Click() {
    glGroupBox3->setVisible(false);
    exerciseGenerator.generate(ExerciseKind::Jargon);
}

// Key preview: every character typed anywhere in this window reaches the keyboard practice first
// and then goes on to the focused control.
bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (sendingPanel_ && sendingPanel_->previewKey(watched, event)) return true;
    if (event->type() != QEvent::KeyPress || !state.keyPreview) return false;
    // The learner's copy of a receive exercise goes into the window without a sound.
    if (training && training->receiving()) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this || QApplication::activeModalWidget()) return false;
    // A call typed into the callsign panel is the learner's copy: it does not sound.
    if (callsignPanel_ && callsignPanel_->ownsKeysOf(widget)) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (alreadyPreviewed(*key, widget)) return false;
    if (key->text().isEmpty() || closed_) return false;
    // A character Windows-1251 cannot hold is a key without a sign; it must not turn into the
    // "?" sign on its way.
    const std::optional<std::string> bytes = toCp1251Strict(key->text().toStdString());
    if (!bytes) FormKeyPress(KeyboardPractice::kKeyWithoutSign);
    if (bytes && bytes->size() == 1) FormKeyPress(bytes->front());
    return false;
}

// A key that its receiver ignores travels on to the receiver's parents as the same event. A new
// key may be built at the same address with the same time stamp (synthetic keys carry none), so
// the event counts as seen only while it climbs from the widget it was last seen at.
bool TForm1::alreadyPreviewed(const QKeyEvent& key, QWidget* receiver) {
    const bool climbing = &key == lastPreviewedKey_ && key.timestamp() == lastPreviewedTime_ &&
                          lastPreviewedReceiver_ && receiver != lastPreviewedReceiver_ &&
                          receiver->isAncestorOf(lastPreviewedReceiver_);
    lastPreviewedKey_ = &key;
    lastPreviewedTime_ = key.timestamp();
    lastPreviewedReceiver_ = receiver;
    return climbing;
}

void TForm1::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
    QWidget::changeEvent(event);
}

void TForm1::closeEvent(QCloseEvent* event) {
    // Ends a running transmission at its next check and the typed keys after the sign that
    // sounds; keys still on their way find the window closed. The window itself lives on until
    // main returns, so the transmission never touches a destroyed window.
    state.stopFlag = 1;
    keyboardPractice.stopKeying();
    if (!closed_) {
        closed_ = true;
        settingsStore.save();
    }
    event->accept();
}

} // namespace kelvatron

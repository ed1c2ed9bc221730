#include "mainwindow/trainingpanel.h"

#include <QSettings>
#include <QSpinBox>
#include <cstdio>

#include "core/formstate.h"
#include "core/textwindow.h"
#include "keying/keyingsettings.h"
#include "mainwindow/airswitch.h"
#include "mainwindow/voiceoptions.h"
#include "settings/settingsbackend.h"
#include "training/learnerhistory.h"
#include "training/receivecheck.h"
#include "trainingui/courseview.h"
#include "trainingui/examview.h"
#include "trainingui/airview.h"
#include "trainingui/historyview.h"
#include "trainingui/receiveresultview.h"
#include "trainingui/weaksignsline.h"
#include <QComboBox>
#include <QSpinBox>

#include "widgets/tglcheckbox.h"
#include "widgets/tglgraphicbutton.h"
#include "widgets/tglgroupbox.h"
#include "widgets/tgllabel.h"

namespace kelvatron {

namespace {

// The panel's own settings, beside the window's "Form1" values.
constexpr char kTrainingSection[] = "Training";
constexpr char kWeakSignsKey[] = "weakSigns";

QString fromUtf8(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

TrainingPanel::TrainingPanel(const TrainingPanelParts& parts)
    : parts_(parts),
      exercise_(parts.transmissionControls, parts.textWindow, parts.progress, parts.clock,
                parts.events, parts.state, parts.signPlayer, parts.pauseStop),
      weakSigns_([this] { return store().recentSignRecord(); }),
      course_(
          courseOrder_, [this] { return courseProgress_.lesson; }, [this] { return pace(); },
          courseSettings_),
      examBlock_(
          [this] {
              return examSigns(examText_, parts_.transmissionControls.transmissionSettings().latin);
          },
          [this] { return pace(); }),
      view_(parts.panelFrame, parts.historyFrame, parts.window, parts.textWindowWidget) {
    connectCommands();
    buildAirView();
    connectVoice();
    loadOptions();
    loadExamOptions();
    refreshSpeed();
    exercise_.onCopyAwaited([this] {
        view_.setStatus(
            QStringLiteral("Приём окончен: наберите принятое в окне и нажмите «Проверить»"));
    });
}

TrainingPanel::~TrainingPanel() = default;

void TrainingPanel::buildAirView() {
    if (!parts_.air) return;
    auto* open = new TglLabel(parts_.panelFrame);
    open->setObjectName(QStringLiteral("airCommand"));
    open->setCaption(QStringLiteral("Эфир"));
    open->setPixelSize(12);
    open->setClickable(true);
    open->setGeometry(86, 2, 44, 17); // beside the title, left of the voice's switch
    open->setAccessibleName(QStringLiteral("условия эфира: шум, фильтр, замирания, помехи"));
    airView_ = std::make_unique<AirView>(parts_.window, QRect(376, 228, 216, 234));
    connect(open, &TglLabel::clicked, this, [this] {
        const AirSettings& a = parts_.air->settings();
        airView_->show(a.conditions, a.onTransmission, a.onSpeedTest);
    });
    connect(airView_.get(), &AirView::changed, this, [this] {
        AirSettings& a = parts_.air->settings();
        a.conditions = airView_->conditions();
        a.onTransmission = airView_->onTransmission();
        a.onSpeedTest = airView_->onSpeedTest();
        saveAirSettings(a);
    });
}

void TrainingPanel::connectCommands() {
    connect(view_.receiveButton(), &TglLabel::clicked, this, &TrainingPanel::startReceiving);
    connect(view_.checkButton(), &TglLabel::clicked, this, &TrainingPanel::checkNow);
    connect(view_.journalButton(), &TglLabel::clicked, this, &TrainingPanel::showHistory);
    connect(view_.sendingButton(), &TglLabel::clicked, this,
            &TrainingPanel::sendingPracticeRequested);
    connect(view_.callsignsButton(), &TglLabel::clicked, this, &TrainingPanel::callsignsRequested);
    connect(view_.weakOption(), &TglCheckBox::clicked, this, [this] { saveOptions(); });
    connect(view_.courseButton(), &TglLabel::clicked, this, &TrainingPanel::showCourse);
    connect(view_.courseView()->againButton(), &TglLabel::clicked, this,
            &TrainingPanel::playNewSign);
    connect(view_.courseView()->startButton(), &TglLabel::clicked, this, [this] {
        parts_.setTrainingSpeed(courseSpeed());
        runExercise(course_);
        parts_.setTrainingSpeed(std::nullopt);
    });
    connect(view_.courseView()->speedBox(), &QSpinBox::valueChanged, this,
            [this] { saveCourseSpeed(); });
    connect(view_.examButton(), &TglLabel::clicked, this, &TrainingPanel::showExam);
    connect(view_.examView()->receiveButton(), &TglLabel::clicked, this,
            &TrainingPanel::examReceive);
    connect(view_.examView()->sendButton(), &TglLabel::clicked, this, &TrainingPanel::examSend);
    connect(view_.closeButton(), &TglGraphicButton::clicked, parts_.panelFrame, &QWidget::hide);
    connect(view_.historyCloseButton(), &TglGraphicButton::clicked, parts_.historyFrame,
            &QWidget::hide);
}

void TrainingPanel::show() {
    // A course begun in an earlier sitting keeps the weak-sign drill to its signs from the start.
    if (!courseLooked_) {
        courseLooked_ = true;
        loadCourse();
        if (courseProgress_.lesson > 1 || courseProgress_.stage > 0)
            weakSigns_.limitTo(courseOrder_.learnedBy(courseProgress_.lesson));
    }
    refreshWeakLine();
    parts_.showOnly(parts_.panelFrame);
}

void TrainingPanel::startReceiving() {
    runExercise(weakSignsChosen() ? static_cast<const TrainingMode&>(weakSigns_) : receive_);
}

TrainingContext TrainingPanel::context() const {
    return {parts_.transmissionControls.transmissionSettings(), parts_.textWindow.text()};
}

void TrainingPanel::runExercise(const TrainingMode& mode) {
    if (receiving() || parts_.state.transmitting) return;
    view_.setExpanded(false);
    parts_.showOnly(parts_.panelFrame);
    view_.setStatus(QStringLiteral("Идёт приём: набирайте услышанное в окне"));
    // The on-screen keyboard sounds and shows signs: not while the learner copies.
    parts_.keyboard->setEnabled(false);
    lastAnswer_.reset();
    mode_ = &mode;
    plan_ = mode.plan(context());
    prepareVoice();
    std::optional<AirScope> air;
    if (parts_.air) air.emplace(*parts_.air, mode.airOccasion());
    const std::optional<ReceiveAnswer> answer = exercise_.run(plan_.text);
    air.reset(); // the air ends with the keying, before the check
    parts_.keyboard->setEnabled(true);
    if (answer) return check(*answer, false);
    view_.setStatus(QStringLiteral("Приём остановлен, без проверки"));
}

// After a check the copy stays in the window: checked again, the exercise keeps one record.
// Anything that has written the window since (a transmission, the keyboard) ends that.
void TrainingPanel::checkNow() {
    if (receiving()) return exercise_.requestCheck();
    if (lastAnswer_ && !parts_.state.transmitting && parts_.textWindow.text() == lastAnswer_->typed)
        return check(*lastAnswer_, true);
    view_.setStatus(QStringLiteral("«Проверить» проверяет идущий приём: начните «Приём на слух»"));
}

void TrainingPanel::check(const ReceiveAnswer& answer, bool again) {
    const ReceiveCheck result = mode_->check(answer.sent, answer.typed).value();
    const ExerciseSpeed speed = exerciseSpeed(answer.sent, pace());
    if (mode_ == &examBlock_) return examBlockChecked(result, speed.durationMs);
    view_.resultView()->setResult(result, speed, answer.sent, answer.typed);
    const QString figure = fromUtf8(figureText(result));
    view_.setStatus(figure);
    view_.setExpanded(true);
    parts_.showOnly(parts_.panelFrame);
    if (!again) {
        lastAnswer_ = answer;
        lastSession_ = mode_->record(plan_, {.dotMs = dotMs(),
                                             .charWpm = speed.character.wpm,
                                             .effectiveWpm = speed.effective.wpm,
                                             .durationS = speed.durationMs / 1000});
    }
    record(result, again);
    if (mode_ == &course_ && !again) courseChecked(result);
    view_.resultView()->announce();
    // For checks run by scripts: the figure on the standard error, once the history holds it.
    if (qEnvironmentVariableIsSet("KELVATRON_ECHO_CHECK"))
        std::fprintf(stderr, "%s\n", figure.toUtf8().constData());
}

void TrainingPanel::record(const ReceiveCheck& result, bool again) {
    const bool saved = again && lastSession_.id
                           ? store().replaceSession(lastSession_.id, lastSession_, result)
                           : store().record(lastSession_, result);
    lastSession_.id = saved ? store().lastRecordedId() : 0;
    parts_.history.showMessages();
    refreshWeakLine();
    if (HistoryView* history = view_.historyView()) history->refresh();
}

void TrainingPanel::showHistory() {
    view_.showHistory(store(), parts_.dialogs);
    parts_.showOnly(parts_.historyFrame);
}

HistoryStore& TrainingPanel::store() {
    return parts_.history.store();
}

bool TrainingPanel::weakSignsChosen() const {
    return view_.weakOption()->Checked();
}

void TrainingPanel::refreshWeakLine() {
    const bool latin = parts_.transmissionControls.transmissionSettings().latin;
    view_.setWeakLine(weakSignsLine(weakSigns_.weakSigns(latin)));
}

int TrainingPanel::dotMs() const {
    const KeyingSettings k = parts_.keyingSettings.keyingSettings();
    return k.heardDotMs();
}

KeyingPace TrainingPanel::pace() const {
    const KeyingSettings k = parts_.keyingSettings.keyingSettings();
    return {double(dotMs()), k.ratio, k.signPause, k.groupPause, k.effectiveSignsPerMinute};
}

void TrainingPanel::refreshSpeed() {
    view_.setSpeed(fromUtf8(speedText(speedOfDot(dotMs()))));
}

void TrainingPanel::connectVoice() {
    QWidget* frame = voiceView_.frame();
    connect(voiceView_.switchLabel(), &TglLabel::clicked, frame,
            [frame] { frame->setHidden(!frame->isHidden()), frame->raise(); });
    connect(voiceView_.closeButton(), &TglGraphicButton::clicked, frame, &QWidget::hide);
    auto save = [this] { saveVoiceOptions(voiceView_.options()); };
    for (QComboBox* box : {voiceView_.momentBox(), voiceView_.digitsBox(), voiceView_.latinBox()})
        connect(box, &QComboBox::activated, this, save);
    connect(voiceView_.pauseBox(), &QSpinBox::editingFinished, this, save);
    connect(voiceView_.airOption(), &TglCheckBox::clicked, this, save);
}

void TrainingPanel::prepareVoice() {
    voiceView_.frame()->hide();
    const VoiceOptions o = voiceView_.options();
    const KeyingSettings k = parts_.keyingSettings.keyingSettings();
    voice_.setReading(o.reading);
    voice_.setToneLevel(toneLevel(k.waveform.value_or(TTGWave::tgSine)));
    voice_.setThroughAir(o.throughAir);
    exercise_.setSpokenAnswers(&voice_, o.answers);
}

// Said once, in the status line: the exercise goes on without the voice.
void TrainingPanel::reportVoiceFailure(const std::string& why) {
    view_.setStatus(QString::fromStdString(why));
}

bool TrainingPanel::introduceSign(char written) {
    return voice_.introduce(written);
}

void TrainingPanel::loadOptions() {
    voiceView_.setOptions(loadVoiceOptions());
    std::unique_ptr<QSettings> settings = openUserSettings(kTrainingSection);
    view_.weakOption()->setChecked(settings->value(QString::fromLatin1(kWeakSignsKey)).toString() ==
                                   QStringLiteral("1"));
}

// Written at once: the window's own values are saved as the program ends, these when chosen.
void TrainingPanel::saveOptions() const {
    std::unique_ptr<QSettings> settings = openUserSettings(kTrainingSection);
    writeText(*settings, kWeakSignsKey, weakSignsChosen() ? "1" : "0");
    settings->endGroup();
    settings->sync();
}

} // namespace kelvatron

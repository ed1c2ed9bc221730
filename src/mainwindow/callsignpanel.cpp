#include "mainwindow/callsignpanel.h"

#include <QDate>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTimer>
#include <cstdio>

#include "core/clock.h"
#include "core/eventpump.h"
#include "mainwindow/contactpage.h"
#include "mainwindow/latininputlayout.h"
#include "mainwindow/pileuppage.h"
#include "mainwindow/qcodepage.h"
#include "settings/settingsbackend.h"
#include "training/callsignbestruns.h"
#include "training/learnerhistory.h"
#include "training/receivecheck.h"
#include "trainingui/callsigndrillview.h"
#include "trainingui/callsignpanelview.h"
#include "trainingui/callsignreport.h"
#include "trainingui/contactdrillview.h"
#include "trainingui/pileupview.h"
#include "trainingui/qcodedrillview.h"

namespace kelvatron {

namespace {

// The panel's own settings, beside the window's "Form1" values.
constexpr char kSection[] = "Callsigns";
constexpr char kCallsKey[] = "calls";
constexpr char kStartKey[] = "startCpm";
constexpr char kStepKey[] = "stepCpm";
constexpr char kBestKey[] = "bestRuns";

} // namespace

CallsignPanel::CallsignPanel(const CallsignPanelParts& parts)
    : parts_(parts), frame_(new CallsignPanelView(parts.window)),
      keyer_(parts.keyingSettings, parts.toneOutput, parts.clock, parts.events, parts.state,
             parts.air) {
    frame_->hide();
    contact_ = std::make_unique<ContactPage>(frame_->contact(), keyer_, parts.clock, parts.history);
    qcodes_ = std::make_unique<QCodePage>(frame_->qcodes(), keyer_, parts.clock);
    pileup_ = std::make_unique<PileupPage>(frame_->pileup(), keyer_, parts.sound, parts.clock,
                                           parts.air);
    CallsignDrillView& view = frame_->drill();
    connect(&view, &CallsignDrillView::startRequested, this, &CallsignPanel::startRun);
    connect(&view, &CallsignDrillView::repeatRequested, this, &CallsignPanel::repeatCall);
    connect(&view, &CallsignDrillView::stopRequested, this, &CallsignPanel::stopRun);
    connect(&view, &CallsignDrillView::answered, this, &CallsignPanel::answer);
    auto* latin = new LatinInputLayout(parts.keyboardLayout, parts.windowLayout, this);
    for (QWidget* input :
         {frame_->drill().input(), frame_->qcodes().input(), frame_->pileup().input()})
        latin->watch(input);
    ContactDrillView& contact = frame_->contact();
    const auto international = [&contact] {
        return contact.language() == ContactLanguage::International;
    };
    latin->watch(contact.copyEdit(), international);
    for (int i = 0; i < 4; ++i)
        latin->watch(contact.field(i), international);
    connect(frame_, &CallsignPanelView::hidden, this, [this] {
        stopRun();
        contact_->stop();
        qcodes_->stop();
        pileup_->stop();
    });
    loadChoices();
}

CallsignPanel::~CallsignPanel() {
    running_ = false;
    contact_.reset();
    qcodes_.reset();
    pileup_.reset();
    delete frame_;
}

QWidget* CallsignPanel::frame() const {
    return frame_;
}

bool CallsignPanel::ownsKeysOf(const QWidget* widget) const {
    return running_ || (widget && frame_->isVisible() && frame_->isAncestorOf(widget));
}

void CallsignPanel::startRun() {
    if (running_ || parts_.state.transmitting) return;
    saveChoices();
    drill_.emplace(frame_->drill().settings(), uint32_t(parts_.clock.now()) ^ 0x5bd1e995u);
    running_ = true;
    keyer_.begin();
    pendingAnswer_.reset();
    startedMs_ = parts_.clock.now();
    frame_->drill().setRunning(true);
    frame_->drill().setCount(0, 0);
    showFigures();
    keyCall();
}

bool CallsignPanel::stopAsked() const {
    return !running_ || keyer_.windowStops();
}

// Enter pressed while the call sounds is taken once it has ended.
void CallsignPanel::keyCall() {
    if (stopAsked() || keying_) return;
    keying_ = true;
    frame_->drill().setRepeatAvailable(false);
    const auto stop = [this] { return stopAsked(); };
    if (keyer_.wait(kBeforeCallMs, stop)) keyer_.key(drill_->call(), drill_->dotMs(), stop);
    keying_ = false;
    if (!running_) return;
    frame_->drill().setRepeatAvailable(!drill_->repeated());
    if (pendingAnswer_) {
        const QString typed = *pendingAnswer_;
        pendingAnswer_.reset();
        takeAnswer(typed);
    }
}

void CallsignPanel::answer(const QString& typed) {
    if (!running_) return;
    if (keying_) {
        pendingAnswer_ = typed;
        return;
    }
    takeAnswer(typed);
}

void CallsignPanel::takeAnswer(const QString& typed) {
    drill_->answer(typed.toStdString());
    frame_->drill().clearInput();
    frame_->drill().setCount(drill_->right(), drill_->answered());
    showFigures();
    if (drill_->finished()) return finishRun();
    // The next call is keyed from the event loop, so this answer's handler has returned first.
    QTimer::singleShot(0, this, &CallsignPanel::keyCall);
}

void CallsignPanel::repeatCall() {
    if (!running_ || keying_ || drill_->repeated()) return;
    drill_->noteRepeat();
    keyCall();
    frame_->drill().input()->setFocus();
}

void CallsignPanel::stopRun() {
    if (!running_) return;
    running_ = false;
    frame_->drill().setRunning(false);
    frame_->drill().setFigures(QStringLiteral("Серия остановлена, без записи в журнал"));
}

void CallsignPanel::showFigures() {
    frame_->drill().setFigures(QStringLiteral("Скорость: %1 знаков в минуту, очков: %2, позывной "
                                              "%3 из %4")
                                   .arg(drill_->cpm())
                                   .arg(drill_->score())
                                   .arg(std::min(drill_->answered() + 1, drill_->total()))
                                   .arg(drill_->total()));
}

// The run goes into the history checked sign by sign, at its top speed, and among the best runs
// when it scores high enough.
void CallsignPanel::finishRun() {
    running_ = false;
    CallsignDrillView& view = frame_->drill();
    view.setRunning(false);
    const CallsignDrill& drill = *drill_;
    const int top = drill.topCpm() ? drill.topCpm() : drill.attempts().front().cpm;
    double cpmSum = 0;
    for (const CallsignAttempt& a : drill.attempts())
        cpmSum += a.cpm;
    SessionRecord session =
        mode_.record(mode_.plan({}), {.dotMs = 6000 / top,
                                      .charWpm = top / 5.0,
                                      .effectiveWpm = cpmSum / drill.answered() / 5.0,
                                      .durationS = (parts_.clock.now() - startedMs_) / 1000});
    parts_.history.store().record(
        session, checkReceived(CallsignMode::sentText(drill), CallsignMode::typedText(drill)));
    parts_.history.showMessages();

    std::unique_ptr<QSettings> settings = openUserSettings(kSection);
    std::vector<CallsignRun> best =
        parseBestRuns(settings->value(QString::fromLatin1(kBestKey)).toString().toStdString());
    const CallsignRun run{drill.score(), drill.topCpm(), drill.right(), drill.answered(),
                          QDate::currentDate().toString(Qt::ISODate).toStdString()};
    int latest = -1;
    best = withRun(best, run, &latest);
    writeText(*settings, kBestKey, bestRunsText(best));
    settings->sync();
    const QString figure = callsignFigure(drill);
    view.setFigures(figure);
    view.showReport(callsignReportHtml(drill, best, latest), figure);
    if (qEnvironmentVariableIsSet("KELVATRON_ECHO_CHECK"))
        std::fprintf(stderr, "%s\n", figure.toUtf8().constData());
}

void CallsignPanel::loadChoices() {
    std::unique_ptr<QSettings> settings = openUserSettings(kSection);
    CallsignDrillSettings s;
    const int dot = parts_.keyingSettings.keyingSettings().heardDotMs();
    if (dot > 0)
        s.startCpm = std::clamp((6000 / dot + 5) / 10 * 10, kCallsignMinCpm, kCallsignMaxCpm);
    s.calls = settings->value(QString::fromLatin1(kCallsKey), s.calls).toInt();
    s.startCpm = settings->value(QString::fromLatin1(kStartKey), s.startCpm).toInt();
    s.stepCpm = settings->value(QString::fromLatin1(kStepKey), s.stepCpm).toInt();
    frame_->drill().setSettings(s);
}

void CallsignPanel::saveChoices() const {
    std::unique_ptr<QSettings> settings = openUserSettings(kSection);
    const CallsignDrillSettings s = frame_->drill().settings();
    writeText(*settings, kCallsKey, std::to_string(s.calls));
    writeText(*settings, kStartKey, std::to_string(s.startCpm));
    writeText(*settings, kStepKey, std::to_string(s.stepCpm));
    settings->sync();
}

} // namespace kelvatron

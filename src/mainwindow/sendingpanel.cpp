#include "mainwindow/sendingpanel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QSettings>
#include <cstdio>

#include "core/cp1251.h"
#include "core/textwindow.h"
#include "settings/settingsbackend.h"
#include "sendingui/sendingpanelview.h"
#include "sendingui/sendingpracticeview.h"
#include "training/learnerhistory.h"
#include "transmission/transmissioncontrols.h"

namespace kelvatron {

namespace {

// The training's own settings group: the window's group keeps only its original values.
constexpr char kGroup[] = "Training";
constexpr char kModeKey[] = "SendingMode";
constexpr char kPortKey[] = "SendingPort";
constexpr char kCheckKey[] = "SendingCheckText";

} // namespace

SendingPanel::SendingPanel(const SendingPanelParts& parts)
    : parts_(parts), sidetone_(parts.sound, parts.keyingSettings, parts.speaker),
      frame_(new SendingPanelView(parts.window, parts.clock, sidetone_, parts.keyLink)),
      echo_(qEnvironmentVariableIsSet("KELVATRON_ECHO_SENT")) {
    SendingPracticeView& practice = view();
    practice.setTextSink([this](const std::string& text) { writeDecoded(text); });
    practice.setSentText([this] { return model_; });
    practice.setFinishedHandler([this](const SendingOutcome& o) { finishRun(o); });
    connect(&practice, &SendingPracticeView::aboutToStart, this, &SendingPanel::beginRun);
    loadChoices();
    connect(&practice, &SendingPracticeView::choicesChanged, this, &SendingPanel::saveChoices);
    followWindowSettings();
}

// The practice view silences a tone still sounding through the sidetone, which must outlive it.
SendingPanel::~SendingPanel() {
    delete frame_;
}

QWidget* SendingPanel::frame() const {
    return frame_;
}

SendingPracticeView& SendingPanel::view() const {
    return frame_->practice();
}

void SendingPanel::followWindowSettings() {
    const KeyingSettings s = parts_.keyingSettings.keyingSettings();
    // The speed bar's value is the dot in ms, as the sound card keys it.
    view().setDotMs(std::max(1, s.speedUnit));
    view().setRatio(s.ratio > 0 ? s.ratio : 3);
    view().setLatin(parts_.transmissionControls.transmissionSettings().latin);
}

// The text to copy is the window's text as the run begins. An empty window asked to be checked
// gets a generated letter exercise, as "генерация букв" writes it.
void SendingPanel::beginRun() {
    followWindowSettings();
    if (view().choices().checkWindowText && parts_.textWindow.text().empty())
        parts_.generateLetters();
    model_ = parts_.textWindow.text();
    if (model_ != examText_) examText_.clear();
    wroteThisRun_ = false;
    holds_.clear();
    // Space must key, neither type into the text window nor press the button that had the focus.
    view().setFocus();
}

// The decoded text starts on a line of its own below the text being copied.
void SendingPanel::writeDecoded(const std::string& cp1251) {
    TextWindow& window = parts_.textWindow;
    if (!wroteThisRun_ && !window.text().empty()) {
        const std::string text = window.text();
        if (text.size() < 2 || text.compare(text.size() - 2, 2, "\r\n") != 0) window.append("\r\n");
    }
    wroteThisRun_ = true;
    window.append(cp1251);
}

void SendingPanel::finishRun(const SendingOutcome& outcome) {
    if (echo_) echoRun(outcome);
    if (!examText_.empty()) {
        examText_.clear();
        return examDone_(outcome.result);
    }
    if (!outcome.check) return;
    parts_.history.store().record(outcome.record, *outcome.check);
    parts_.history.showMessages();
}

void SendingPanel::startExam(const std::string& radiogramCp1251,
                             std::function<void(const SendingResult&)> done) {
    parts_.textWindow.setText(radiogramCp1251);
    examText_ = radiogramCp1251;
    examDone_ = std::move(done);
}

bool SendingPanel::previewKey(QObject* watched, QEvent* event) {
    SendingPracticeView& practice = view();
    if (event->type() == QEvent::WindowDeactivate && watched == parts_.window) {
        practice.releaseAll();
        return false;
    }
    const QEvent::Type type = event->type();
    const bool shown = frame_->isVisible();
    if ((type == QEvent::MouseMove || type == QEvent::MouseButtonPress ||
         type == QEvent::MouseButtonRelease) &&
        shown)
        practice.noteEventTime(double(static_cast<QInputEvent*>(event)->timestamp()));
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!shown || !practice.running() || !widget || widget->window() != parts_.window) return false;
    // A release always reaches the practice: the key may have gone down before the learner
    // clicked into the text window, and a tone must never be left sounding.
    const bool typing = parts_.textWindowWidget->hasFocus() || QApplication::activeModalWidget();
    if (typing && event->type() == QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (!practice.handleKey(key)) return false;
    if (echo_) noteHold(*key);
    return true;
}

void SendingPanel::loadChoices() {
    std::unique_ptr<QSettings> settings = openUserSettings(kGroup);
    SendingChoices c;
    const int mode = settings->value(kModeKey, int(c.mode)).toInt();
    if (mode >= int(KeyerMode::IambicA) && mode <= int(KeyerMode::Straight))
        c.mode = KeyerMode(mode);
    c.port = settings->value(kPortKey).toString();
    c.checkWindowText = settings->value(kCheckKey, false).toBool();
    view().setChoices(c);
}

void SendingPanel::saveChoices() const {
    const SendingChoices c = view().choices();
    std::unique_ptr<QSettings> settings = openUserSettings(kGroup);
    settings->setValue(kModeKey, int(c.mode));
    settings->setValue(kPortKey, c.port);
    settings->setValue(kCheckKey, c.checkWindowText);
}

// Only the straight key's own presses and releases: what the hand did, as the X server stamped it.
void SendingPanel::noteHold(const QKeyEvent& key) {
    if (key.key() != Qt::Key_Space || key.isAutoRepeat()) return;
    holds_.push_back(key.timestamp());
}

void SendingPanel::echoRun(const SendingOutcome& outcome) const {
    std::string holds;
    for (size_t i = 1; i < holds_.size(); i += 2)
        holds += std::to_string(holds_[i] - holds_[i - 1]) + " ";
    std::fprintf(stderr, "sent: %s\nwindow: %s\nholds: %s\n",
                 fromCp1251(outcome.result.text).c_str(), parts_.textWindow.unicodeText().c_str(),
                 holds.c_str());
    std::fflush(stderr);
}

} // namespace kelvatron

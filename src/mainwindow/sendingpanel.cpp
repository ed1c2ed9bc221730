#include "mainwindow/sendingpanel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QSettings>
#include <cstdio>
#include <cstdlib>

#include "core/cp1251.h"
#include "core/dialogs.h"
#include "mainwindow/tform1.h"
#include "sendingui/sendingpracticeview.h"
#include "settings/settingsbackend.h"
#include "training/historystore.h"
#include "widgets/tglcheckbox.h"
#include "widgets/tglgraphicbutton.h"
#include "widgets/tglshadow.h"
#include "widgets/tmemo.h"

namespace kelvatron {

namespace {

// Under the text window and beside it on the right, over the on-screen keyboard (which would
// sound signs of its own): the text to send and the decoded text stay in view, and so do the
// speed bar and the status bar's dot.
constexpr QRect kPlace(200, 286, 586, 246);
// The training's own settings group: the window's group keeps only its original values.
constexpr char kGroup[] = "Training";
constexpr char kModeKey[] = "SendingMode";
constexpr char kPortKey[] = "SendingPort";
constexpr char kCheckKey[] = "SendingCheckText";

} // namespace

SendingPanel::SendingPanel(TForm1& form, KeyPortLink* link, LiveSpeakerTone* speaker)
    : TglGroupBox(&form), form_(form), sidetone_(form.services.sound, form.keyingSettings, speaker),
      historyPath_(historyPath(std::getenv)),
      echo_(qEnvironmentVariableIsSet("KELVATRON_ECHO_SENT")) {
    setObjectName(QStringLiteral("sendingPanel"));
    setCaption(QStringLiteral(" Передача ключом"));
    setAccessibleName(QStringLiteral("Передача ключом"));
    setGeometry(kPlace);
    setDraggable(true);
    // Like the other floating panels, it casts a shadow on the window.
    new TglShadow(this, 12, &form);
    view_ = new SendingPracticeView(form.services.clock, sidetone_, link, this);
    view_->setGeometry(6, 24, kPlace.width() - 12, kPlace.height() - 30);
    close_ = new TglGraphicButton(GlyphKind::Close, this);
    close_->setObjectName(QStringLiteral("sendingPanelClose"));
    close_->setGeometry(kPlace.width() - 20, 2, 17, 17);
    close_->setHint(QStringLiteral("закрыть"));
    close_->setAccessibleName(QStringLiteral("Закрыть передачу ключом"));
    connect(close_, &TglGraphicButton::clicked, this, &QWidget::hide);

    view_->setTextSink([this](const std::string& text) { writeDecoded(text); });
    view_->setSentText([this] { return model_; });
    view_->setFinishedHandler([this](const SendingOutcome& o) { finishRun(o); });
    connect(view_, &SendingPracticeView::aboutToStart, this, &SendingPanel::beginRun);
    loadChoices();
    connect(view_, &SendingPracticeView::choicesChanged, this, &SendingPanel::saveChoices);
    connectWindowControls();
    followWindowSettings();
}

// The view silences a tone still sounding through the sidetone, which must outlive it.
SendingPanel::~SendingPanel() {
    delete view_;
}

void SendingPanel::hideEvent(QHideEvent* event) {
    view_->finish();
    TglGroupBox::hideEvent(event);
}

void SendingPanel::setHistoryPath(std::string path) {
    historyPath_ = std::move(path);
    history_.reset();
}

// The speed bar, the ratio steppers and the alphabet switches change the practice as they are
// clicked; their own handlers run first, so the values read here are the new ones.
void SendingPanel::connectWindowControls() {
    for (TglCheckBox* c : {form_.glCheckBox11, form_.glCheckBox12, form_.glCheckBox22,
                           form_.glCheckBox23, form_.glCheckBox25, form_.glCheckBox31})
        connect(c, &TglCheckBox::clicked, this, &SendingPanel::followWindowSettings);
}

void SendingPanel::followWindowSettings() {
    const KeyingSettings s = form_.keyingSettings.keyingSettings();
    // The speed bar's value is the dot in ms, as the sound card keys it.
    view_->setDotMs(std::max(1, s.speedUnit));
    view_->setRatio(s.ratio > 0 ? s.ratio : 3);
    view_->setLatin(form_.glCheckBox23->Checked());
}

// The text to copy is the window's text as the run begins. An empty window asked to be checked
// gets a generated letter exercise, as "генерация букв" writes it.
void SendingPanel::beginRun() {
    followWindowSettings();
    if (view_->choices().checkWindowText && form_.textWindow.text().empty())
        form_.exerciseGenerator.generate(ExerciseKind::Letters);
    model_ = form_.textWindow.text();
    wroteThisRun_ = false;
    holds_.clear();
    // Space must key, neither type into the text window nor press the button that had the focus.
    view_->setFocus();
}

// The decoded text starts on a line of its own below the text being copied.
void SendingPanel::writeDecoded(const std::string& cp1251) {
    if (!wroteThisRun_ && !form_.textWindow.text().empty()) {
        const std::string text = form_.textWindow.text();
        if (text.size() < 2 || text.compare(text.size() - 2, 2, "\r\n") != 0)
            form_.textWindow.append("\r\n");
    }
    wroteThisRun_ = true;
    form_.textWindow.append(cp1251);
}

void SendingPanel::finishRun(const SendingOutcome& outcome) {
    if (echo_) echoRun(outcome);
    if (!outcome.check) return;
    if (!history_) history_ = std::make_unique<HistoryStore>(historyPath_);
    history_->record(outcome.record, *outcome.check);
    for (const auto& message : history_->takeMessages())
        form_.services.dialogs.error(message);
}

bool SendingPanel::previewKey(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::WindowDeactivate && watched == &form_) {
        view_->releaseAll();
        return false;
    }
    const QEvent::Type type = event->type();
    if ((type == QEvent::MouseMove || type == QEvent::MouseButtonPress ||
         type == QEvent::MouseButtonRelease) &&
        isVisible())
        view_->noteEventTime(double(static_cast<QInputEvent*>(event)->timestamp()));
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!isVisible() || !view_->running() || !widget || widget->window() != &form_) return false;
    // A release always reaches the practice: the key may have gone down before the learner
    // clicked into the text window, and a tone must never be left sounding.
    const bool typing = form_.Memo1->hasFocus() || QApplication::activeModalWidget();
    if (typing && event->type() == QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (!view_->handleKey(key)) return false;
    if (echo_) noteHold(*key);
    return true;
}

void SendingPanel::loadChoices() {
    std::unique_ptr<QSettings> settings = openUserSettings();
    settings->beginGroup(QString::fromLatin1(kGroup));
    SendingChoices c;
    const int mode = settings->value(kModeKey, int(c.mode)).toInt();
    if (mode >= int(KeyerMode::IambicA) && mode <= int(KeyerMode::Straight))
        c.mode = KeyerMode(mode);
    c.port = settings->value(kPortKey).toString();
    c.checkWindowText = settings->value(kCheckKey, false).toBool();
    view_->setChoices(c);
}

void SendingPanel::saveChoices() const {
    const SendingChoices c = view_->choices();
    std::unique_ptr<QSettings> settings = openUserSettings();
    settings->beginGroup(QString::fromLatin1(kGroup));
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
                 fromCp1251(outcome.result.text).c_str(), form_.textWindow.unicodeText().c_str(),
                 holds.c_str());
    std::fflush(stderr);
}

} // namespace kelvatron

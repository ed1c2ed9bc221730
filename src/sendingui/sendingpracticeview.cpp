#include "sendingui/sendingpracticeview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "sendingui/deviationhistogram.h"
#include "sendingui/sendingkeypad.h"
#include "training/keyportlink.h"
#include "training/sendingmode.h"
#include "trainingui/alignedrows.h"
#include "trainingui/trainingstyle.h"
#include "widgets/theme.h"

namespace kelvatron {

namespace {

// The keys that key, as the repeat filter tells them apart.
enum KeyId { kSpace = 1, kLeftCtrl, kRightCtrl, kBracketLeft, kBracketRight };

// X11 (and Wayland's evdev + 8) scan codes and keysyms, so the physical keys work whatever
// layout is active: '[' is Х on a Russian layout.
constexpr quint32 kLeftCtrlScan = 37, kRightCtrlScan = 105;
constexpr quint32 kLeftCtrlSym = 0xffe3, kRightCtrlSym = 0xffe4;
constexpr quint32 kBracketLeftScan = 34, kBracketRightScan = 35;

std::optional<KeyId> keyOf(const QKeyEvent& e) {
    const quint32 scan = e.nativeScanCode(), sym = e.nativeVirtualKey();
    if (e.key() == Qt::Key_Space) return kSpace;
    if (e.key() == Qt::Key_Control)
        return scan == kRightCtrlScan || sym == kRightCtrlSym ? kRightCtrl : kLeftCtrl;
    if (scan == kLeftCtrlScan) return kLeftCtrl;
    if (scan == kRightCtrlScan) return kRightCtrl;
    if (e.key() == Qt::Key_BracketLeft || scan == kBracketLeftScan) return kBracketLeft;
    if (e.key() == Qt::Key_BracketRight || scan == kBracketRightScan) return kBracketRight;
    return std::nullopt;
}

struct ModeChoice {
    KeyerMode mode;
    const char* text;
};
constexpr ModeChoice kModes[] = {
    {KeyerMode::Straight, "Прямой ключ"},
    {KeyerMode::IambicA, "Ямбический A"},
    {KeyerMode::IambicB, "Ямбический B"},
    {KeyerMode::Bug, "Полуавтомат"},
};

// A spread as a share of its norm, "±15 %".
QString plusMinus(double spread) {
    return QString("±%1 %").arg(spread * 100, 0, 'f', 0);
}

// A silence's mean over its norm with the spread beside it, once two were keyed:
// "1.0 × нормы ±15 %".
QString times(double share, double spread) {
    if (share <= 0) return QString("—");
    const QString mean = QString("%1 × нормы").arg(share, 0, 'f', 1);
    return spread >= 0 ? mean + " " + plusMinus(spread) : mean;
}

QString spreadLine(const SendingTimingSummary& s) {
    const auto part = [](const char* what, double spread) {
        return QString(what) + (spread >= 0 ? plusMinus(spread) : QString("—"));
    };
    return "Разброс: " + part("точки ", s.dotSpread) + ", " + part("тире ", s.dashSpread);
}

QString panelStyleSheet() {
    const auto rgba = [](const QColor& c) {
        return QString("rgba(%1, %2, %3, %4)")
            .arg(c.red())
            .arg(c.green())
            .arg(c.blue())
            .arg(c.alpha());
    };
    return QString("QLabel, QCheckBox { color: %1; }"
                   "QComboBox, QPushButton { color: %1; border: 1px solid %2; border-radius: 4px;"
                   " padding: 3px 4px; background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
                   " stop:0 %3, stop:1 %4); }"
                   "QComboBox:focus, QPushButton:focus, QCheckBox:focus { border-color: %5; }"
                   "QPushButton:disabled { color: %6; }"
                   "QComboBox QAbstractItemView { color: %1; background: %4;"
                   " selection-background-color: %3; }")
        .arg(rgba(theme::kInk), rgba(theme::kPanelEdge), rgba(theme::kPanelTop.lighter(140)),
             rgba(theme::kPanelBottom), rgba(theme::kHighlight), rgba(theme::kInkDisabled));
}

QLabel* figureLabel(QWidget* parent, const QString& name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    return label;
}

} // namespace

// Lights the pad while the tone sounds and passes the edges on to the window's sidetone.
class SendingPracticeView::PadSidetone : public Sidetone {
public:
    PadSidetone(Sidetone& out, SendingKeyPad*& pad) : out_(out), pad_(pad) {}
    void toneOn(double atMs) override { out_.toneOn(atMs), pad_->setLit(true); }
    void toneOff(double atMs) override { out_.toneOff(atMs), pad_->setLit(false); }

private:
    Sidetone& out_;
    SendingKeyPad*& pad_;
};

SendingPracticeView::SendingPracticeView(const Clock& clock, Sidetone& sidetone, KeyPortLink* link,
                                         QWidget* parent)
    : QWidget(parent), clock_(clock), sidetone_(std::make_unique<PadSidetone>(sidetone, pad_)),
      link_(link) {
    setAccessibleName("Передача ключом");
    setFont(theme::font(12));
    setStyleSheet(panelStyleSheet());
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &SendingPracticeView::pollNow);
    buildControls();
    if (link_) {
        connect(link_, &KeyPortLink::contactChanged, this, &SendingPracticeView::contact);
        connect(link_, &KeyPortLink::failed, this, &SendingPracticeView::showPortFailure);
    }
    fillPorts();
    updateFigures();
    updateButtons();
}

SendingPracticeView::~SendingPracticeView() {
    if (running()) sidetone_->toneOff(clock_.now());
}

void SendingPracticeView::buildControls() {
    pad_ = new SendingKeyPad(this);
    pad_->setObjectName("keyPad");
    connect(pad_, &QAbstractButton::pressed, this, [this] { applyKey({0, true, clock_.now()}); });
    connect(pad_, &QAbstractButton::released, this, [this] { applyKey({0, false, clock_.now()}); });

    mode_ = new QComboBox(this);
    mode_->setAccessibleName("Режим ключа");
    for (const auto& m : kModes)
        mode_->addItem(m.text);
    mode_->setCurrentIndex(1);
    connect(mode_, &QComboBox::currentIndexChanged, this, [this](int i) {
        settings_.mode = kModes[std::max(i, 0)].mode;
        if (practice_) practice_->setMode(settings_.mode);
        emit choicesChanged();
    });

    port_ = new QComboBox(this);
    port_->setAccessibleName("Последовательный порт ключа");
    connect(port_, &QComboBox::activated, this, &SendingPracticeView::choosePort);
    refresh_ = new QPushButton("Обновить", this);
    refresh_->setAccessibleName("Обновить список портов");
    connect(refresh_, &QPushButton::clicked, this, &SendingPracticeView::fillPorts);

    start_ = new QPushButton("Начать", this);
    start_->setAccessibleName("Начать передачу");
    connect(start_, &QPushButton::clicked, this, &SendingPracticeView::start);
    stop_ = new QPushButton("Закончить", this);
    stop_->setAccessibleName("Закончить передачу");
    connect(stop_, &QPushButton::clicked, this, &SendingPracticeView::finish);
    checkText_ = new QCheckBox("сверять с текстом в окне", this);
    checkText_->setAccessibleName("Сверять с текстом в окне");
    connect(checkText_, &QCheckBox::toggled, this, &SendingPracticeView::choicesChanged);

    speed_ = figureLabel(this, "speed");
    ratio_ = figureLabel(this, "ratio");
    spread_ = figureLabel(this, "spread");
    elementGap_ = figureLabel(this, "elementGap");
    signGap_ = figureLabel(this, "signGap");
    wordGap_ = figureLabel(this, "wordGap");
    portMessage_ = figureLabel(this, "portMessage");
    portMessage_->setWordWrap(true);
    portMessage_->setStyleSheet(QString("color: %1;").arg(theme::kHighlight.name()));
    figure_ = figureLabel(this, "figure");
    figure_->setFont(theme::font(12, true));
    rows_ = new QTextBrowser(this);
    rows_->setObjectName("sendingRows");
    rows_->setAccessibleName("Текст и переданное, знак под знаком");
    rows_->setFont(trainingstyle::monoFont(12));
    rows_->setLineWrapMode(QTextEdit::NoWrap);
    rows_->setMinimumHeight(50);
    rows_->document()->setDocumentMargin(2);
    rows_->setStyleSheet(QString("QTextBrowser { background: rgba(4,14,22,150); color: %1;"
                                 " border: 1px solid rgba(0,0,0,150); }")
                             .arg(theme::kInk.name()));
    rows_->hide();
    histogram_ = new DeviationHistogram(this);
    histogram_->setObjectName("histogram");
    layOut();
}

// Three columns under the row of choices: the key with start and finish, the figures, the
// histogram; under the first two the port's messages and the check with its rows.
void SendingPracticeView::layOut() {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 4, 8, 4);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(4);

    auto* choicesRow = new QHBoxLayout;
    auto* modeLabel = new QLabel("Режим:", this);
    auto* portLabel = new QLabel("Порт:", this);
    modeLabel->setBuddy(mode_), portLabel->setBuddy(port_);
    choicesRow->addWidget(modeLabel);
    choicesRow->addWidget(mode_);
    choicesRow->addSpacing(8);
    choicesRow->addWidget(portLabel);
    choicesRow->addWidget(port_, 1);
    choicesRow->addWidget(refresh_);
    grid->addLayout(choicesRow, 0, 0, 1, 3);
    // The key and the buttons keep their places whether the check's rows show under them or not.
    pad_->setFixedSize(140, 60);
    histogram_->setMinimumWidth(150);

    auto* keyColumn = new QVBoxLayout;
    keyColumn->setSpacing(4);
    keyColumn->addWidget(pad_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(start_);
    buttons->addWidget(stop_);
    keyColumn->addLayout(buttons);
    keyColumn->addWidget(checkText_);
    grid->addLayout(keyColumn, 1, 0);

    auto* figures = new QVBoxLayout;
    figures->setSpacing(1);
    for (QLabel* l : {speed_, ratio_, spread_, elementGap_, signGap_, wordGap_, figure_})
        figures->addWidget(l);
    figures->addStretch(1);
    grid->addLayout(figures, 1, 1);

    auto* results = new QVBoxLayout;
    results->setSpacing(2);
    results->addWidget(portMessage_);
    results->addWidget(rows_, 1);
    grid->addLayout(results, 2, 0, 1, 2);
    grid->addWidget(histogram_, 1, 2, 2, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 1);
}

void SendingPracticeView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QLinearGradient face(0, 0, 0, height());
    face.setColorAt(0, theme::kPanelTop);
    face.setColorAt(1, theme::kPanelBottom);
    p.fillRect(rect(), face);
}

void SendingPracticeView::setDotMs(double dotMs) {
    settings_.dotMs = dotMs;
    if (practice_) practice_->setDotMs(dotMs);
}

void SendingPracticeView::setRatio(double ratio) {
    settings_.ratio = ratio;
    if (practice_) practice_->setRatio(ratio);
}

void SendingPracticeView::setLatin(bool latin) {
    settings_.latin = latin;
    if (practice_) practice_->setLatin(latin);
}

// A stored port that is not there now stays the choice until the learner makes another.
SendingChoices SendingPracticeView::choices() const {
    return {settings_.mode,
            port_->currentIndex() > 0 ? port_->currentData().toString() : missingPort_,
            checkText_->isChecked()};
}

void SendingPracticeView::setChoices(const SendingChoices& choices) {
    const auto mode = std::ranges::find(kModes, choices.mode, &ModeChoice::mode);
    mode_->setCurrentIndex(int(mode - std::begin(kModes)));
    checkText_->setChecked(choices.checkWindowText);
    if (choices.port.isEmpty()) return;
    const int port = port_->findData(choices.port);
    if (port > 0) {
        port_->setCurrentIndex(port);
        choosePort(port);
        return;
    }
    missingPort_ = choices.port;
    showPortFailure(QString("Порта ключа «%1» сейчас нет: адаптер не подключён? Подключите его и "
                            "нажмите «Обновить». Передача идёт с клавиатуры.")
                        .arg(missingPort_));
}

void SendingPracticeView::fillPorts() {
    const QString chosen = port_->currentData().toString();
    port_->clear();
    port_->addItem("нет", QString());
    if (link_)
        for (const auto& p : link_->ports())
            port_->addItem(p.description.isEmpty() ? p.name : p.name + " — " + p.description,
                           p.name);
    port_->setCurrentIndex(std::max(0, port_->findData(chosen)));
    // The stored port plugged in since: take it up as if the learner had chosen it.
    const int missing = missingPort_.isEmpty() ? -1 : port_->findData(missingPort_);
    if (missing > 0 && port_->currentIndex() == 0) {
        port_->setCurrentIndex(missing);
        choosePort(missing);
    }
}

void SendingPracticeView::choosePort(int index) {
    missingPort_.clear();
    portMessage_->clear();
    portMessage_->setAccessibleName({});
    if (!link_) return;
    link_->close();
    if (index > 0) link_->open(port_->itemData(index).toString());
    emit choicesChanged();
}

void SendingPracticeView::showPortFailure(const QString& message) {
    portMessage_->setText(message);
    portMessage_->setAccessibleName(message);
}

void SendingPracticeView::start() {
    if (running()) return;
    emit aboutToStart();
    repeatFilter_ = KeyRepeatFilter();
    lastMs_ = clock_.now();
    practice_ = std::make_unique<SendingPractice>(settings_, *sidetone_, [this](const auto& text) {
        if (textSink_) textSink_(text);
    });
    histogram_->setBins({});
    figure_->clear();
    figure_->setAccessibleName({});
    rows_->clear();
    rows_->setAccessibleDescription({});
    rows_->setToolTip({});
    rows_->hide();
    updateFigures();
    updateButtons();
}

void SendingPracticeView::finish() {
    if (!running()) return;
    timer_.stop();
    SendingOutcome outcome;
    outcome.result = practice_->finish(std::max(lastMs_, clock_.now()));
    const SendingMode mode(checkText_->isChecked() && sentText_);
    TrainingContext context;
    if (mode.checksWindowText()) context.windowText = sentText_();
    const ExercisePlan plan = mode.plan(context);
    outcome.check = mode.check(plan.text, outcome.result.text);
    outcome.record = mode.record(plan, practice_->figures());
    histogram_->setBins(outcome.result.timing.deviationHistogram);
    if (outcome.check) showCheck(*outcome.check, plan.text, outcome.result.text);
    updateFigures();
    practice_.reset();
    updateButtons();
    if (finished_) finished_(outcome);
}

// The text above the keying, sign under sign, so the learner sees which signs went wrong.
void SendingPracticeView::showCheck(const ReceiveCheck& check, const std::string& sentCp1251,
                                    const std::string& keyedCp1251) {
    const QString figure = QString::fromStdString(figureText(check));
    figure_->setText(figure);
    figure_->setAccessibleName(figure);
    const auto cells = alignedCells(check, sentCp1251, keyedCp1251);
    // The rows are broken to the width they get once shown.
    rows_->show();
    layout()->activate();
    const QFontMetrics metrics(rows_->font());
    // Nine columns hold the captions, a scroll bar may take the width of two more.
    const int columns =
        (rows_->width() - 12) / std::max(1, metrics.horizontalAdvance(QLatin1Char('M'))) - 11;
    rows_->setHtml(alignedRowsHtml(cells, columns, {"Текст", "Передано"}));
    const QString mistakes = mistakesSummary(cells);
    rows_->setAccessibleDescription(mistakes);
    rows_->setToolTip(mistakes);
}

void SendingPracticeView::updateButtons() {
    start_->setEnabled(!running());
    stop_->setEnabled(running());
}

bool SendingPracticeView::handleKey(QKeyEvent* event) {
    const bool press = event->type() == QEvent::KeyPress;
    if (!running() || (!press && event->type() != QEvent::KeyRelease)) return false;
    const auto key = keyOf(*event);
    if (!key) return false;
    const double at = eventTime_.map(double(event->timestamp()), clock_.now());
    for (const auto& input : repeatFilter_.feed({*key, press, at, event->isAutoRepeat()}))
        applyKey(input);
    reschedule();
    return true;
}

// Key id 0 is the mouse pad, which never repeats.
void SendingPracticeView::applyKey(const KeyInput& input) {
    if (!practice_) return;
    lastMs_ = std::max(lastMs_, input.timeMs);
    if (input.key == 0 || input.key == kSpace)
        practice_->straightKey(input.down, lastMs_);
    else
        practice_->paddle(input.key == kLeftCtrl || input.key == kBracketLeft ? Paddle::Dit
                                                                              : Paddle::Dah,
                          input.down, lastMs_);
    updateFigures();
    reschedule();
}

void SendingPracticeView::contact(Paddle which, bool down, double atMs) {
    if (!practice_) return;
    lastMs_ = std::max(lastMs_, atMs);
    practice_->paddle(which, down, lastMs_);
    updateFigures();
    reschedule();
}

void SendingPracticeView::releaseAll() {
    if (!practice_) return;
    repeatFilter_ = KeyRepeatFilter();
    lastMs_ = std::max(lastMs_, clock_.now());
    practice_->straightKey(false, lastMs_);
    practice_->paddle(Paddle::Dit, false, lastMs_);
    practice_->paddle(Paddle::Dah, false, lastMs_);
    reschedule();
}

void SendingPracticeView::pollNow() {
    if (!practice_) return;
    const double now = std::max(lastMs_, clock_.now());
    for (const auto& input : repeatFilter_.poll(now))
        applyKey(input);
    lastMs_ = now;
    practice_->poll(now);
    updateFigures();
    reschedule();
}

void SendingPracticeView::reschedule() {
    if (!practice_) return;
    auto due = practice_->nextDeadline();
    if (const auto release = repeatFilter_.nextDeadline())
        due = due ? std::min(*due, *release) : *release;
    if (!due) return timer_.stop();
    // The filter lets a release through once strictly past its deadline: one ms later.
    timer_.start(std::max(0, int(std::ceil(*due - clock_.now())) + 1));
}

void SendingPracticeView::updateFigures() {
    const auto s = practice_ ? practice_->timing() : SendingTimingSummary{};
    speed_->setText(s.unitMs > 0 ? QString("Скорость: %1 зн/мин (%2 WPM)")
                                       .arg(s.charsPerMinute, 0, 'f', 0)
                                       .arg(s.wpm, 0, 'f', 1)
                                 : QString("Скорость: —"));
    ratio_->setText(QString("Тире к точке: %1")
                        .arg(s.dashDotRatio > 0 ? QString::number(s.dashDotRatio, 'f', 1) : "—"));
    spread_->setText(spreadLine(s));
    elementGap_->setText("Между элементами: " + times(s.elementSpacing, s.elementSpacingSpread));
    signGap_->setText("между знаками: " + times(s.signSpacing, s.signSpacingSpread));
    wordGap_->setText("между словами: " + times(s.wordSpacing, s.wordSpacingSpread));
    for (QLabel* l : {speed_, ratio_, spread_, elementGap_, signGap_, wordGap_})
        l->setAccessibleName(l->text());
}

} // namespace kelvatron

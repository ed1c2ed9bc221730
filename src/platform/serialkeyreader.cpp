#include "platform/serialkeyreader.h"

#include "platform/linewaiter.h"

namespace kelvatron {

namespace {

// Looking every millisecond costs a few per cent of a core. While the key rests the reader waits
// for the driver to tell of a change, or where the driver cannot, looks every 10 ms (the first
// edge after a rest comes at most that late); from the first contact until a while after the
// last it looks every millisecond.
constexpr int kActivePollMs = 1;
constexpr int kIdlePollMs = 10;
constexpr double kActiveForMs = 2000;
// A contact's bounce dies out within a few milliseconds; the shortest dot keyed by hand is
// ten times longer.
constexpr double kBounceMs = 3;

} // namespace

SerialKeyReader::SerialKeyReader(std::unique_ptr<KeyLinePort> port, const Clock& clock,
                                 QObject* parent)
    : QObject(parent), port_(std::move(port)), clock_(clock) {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(kIdlePollMs);
    connect(&timer_, &QTimer::timeout, this, &SerialKeyReader::poll);
}

SerialKeyReader::~SerialKeyReader() {
    stop();
}

bool SerialKeyReader::start(const QString& portName) {
    stop();
    std::string reason;
    if (!port_->open(portName.toStdString(), reason)) {
        emit failed(QStringLiteral("Не удалось открыть порт «%1»: %2. Передача идёт с клавиатуры.")
                        .arg(portName, QString::fromStdString(reason)));
        return false;
    }
    portName_ = portName;
    running_ = true;
    reported_ = {};
    lastActiveMs_ = -1e9;
    canWait_ = port_->waitsForChange();
    if (canWait_)
        waiter_ = std::make_unique<LineWaiter>(*port_, [this](LineWaiter::Wake wake) {
            QMetaObject::invokeMethod(
                this, [this, wake] { woke(wake); }, Qt::QueuedConnection);
        });
    intervalMs_ = -1;
    poll(); // a key held as the port opens is down from the start
    return running_;
}

void SerialKeyReader::woke(LineWaiter::Wake wake) {
    if (!running_ || intervalMs_ != 0) return;
    if (wake == LineWaiter::Wake::Unsupported) {
        canWait_ = false;
        lookAgain(false);
        return;
    }
    lastActiveMs_ = clock_.now();
    poll();
}

void SerialKeyReader::lookAgain(bool active) {
    const int interval = active ? kActivePollMs : canWait_ ? 0 : kIdlePollMs;
    if (interval == intervalMs_) return;
    intervalMs_ = interval;
    if (interval > 0) return timer_.start(interval);
    timer_.stop();
    waiter_->arm();
}

void SerialKeyReader::stop() {
    if (!running_) return;
    running_ = false;
    timer_.stop();
    intervalMs_ = -1;
    waiter_.reset(); // out of its wait before the port closes
    releaseAll();
    port_->close();
}

void SerialKeyReader::releaseAll() {
    const double now = clock_.now();
    if (reported_.cts) emit lineChanged(KeyLine::Cts, false, now);
    if (reported_.dsr) emit lineChanged(KeyLine::Dsr, false, now);
    reported_ = {};
}

void SerialKeyReader::poll() {
    if (!running_) return;
    const auto lines = port_->lines();
    if (!lines) {
        stop();
        emit failed(
            QStringLiteral(
                "Порт «%1» больше не отвечает: адаптер отключён? Передача идёт с клавиатуры.")
                .arg(portName_));
        return;
    }
    const double now = clock_.now();
    report(KeyLine::Cts, lines->cts, reported_.cts, ctsChangeMs_, now);
    report(KeyLine::Dsr, lines->dsr, reported_.dsr, dsrChangeMs_, now);
    if (lines->cts || lines->dsr) lastActiveMs_ = now;
    lookAgain(now - lastActiveMs_ < kActiveForMs);
}

void SerialKeyReader::report(KeyLine line, bool down, bool& reported, double& lastChangeMs,
                             double now) {
    if (down == reported || now - lastChangeMs < kBounceMs) return;
    reported = down;
    lastChangeMs = now;
    emit lineChanged(line, down, now);
}

} // namespace kelvatron

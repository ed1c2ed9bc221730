#pragma once
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>

#include "core/clock.h"
#include "platform/keylineport.h"
#include "platform/linewaiter.h"

namespace kelvatron {

// Watches a key or paddle on a serial port's CTS and DSR lines, looking every millisecond while
// the key is in use; while it rests, waits for the driver to tell of a change (on a thread of its
// own) or, where the driver cannot, looks every 10 ms. Reports each change with the clock's
// time. A contact that bounces reports once: a line is not
// reported again for a few milliseconds after a change. A port that cannot be opened or goes away
// is reported in Russian and the reader stops cleanly, releasing any line it had reported down.
class SerialKeyReader : public QObject {
    Q_OBJECT
public:
    SerialKeyReader(std::unique_ptr<KeyLinePort> port, const Clock& clock,
                    QObject* parent = nullptr);
    ~SerialKeyReader() override;

    bool start(const QString& portName);
    void stop();
    bool running() const { return running_; }
    // One look at the lines; the timer calls it while the reader runs.
    void poll();
    // How long the timer waits between looks now, in ms; 0 while the driver is waited on.
    int pollIntervalMs() const { return intervalMs_; }

signals:
    void lineChanged(KeyLine line, bool down, double atMs);
    void failed(const QString& message);

private:
    void report(KeyLine line, bool down, bool& reported, double& lastChangeMs, double now);
    void releaseAll();
    void lookAgain(bool active);
    void woke(LineWaiter::Wake wake);

    std::unique_ptr<KeyLinePort> port_;
    const Clock& clock_;
    QTimer timer_;
    std::unique_ptr<LineWaiter> waiter_;
    bool canWait_ = false;
    int intervalMs_ = -1; // the timer's, 0 while waiting on the driver, -1 when stopped
    QString portName_;
    bool running_ = false;
    KeyLines reported_;
    double ctsChangeMs_ = -1e9, dsrChangeMs_ = -1e9;
    double lastActiveMs_ = -1e9; // when a line was last seen down
};

} // namespace kelvatron

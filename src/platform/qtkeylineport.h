#pragma once
#include <QSerialPort>
#include <mutex>
#include <pthread.h>
#include <string>
#include <vector>

#include "platform/keylineport.h"

namespace kelvatron {

// A real serial port through Qt Serial Port.
class QtKeyLinePort : public KeyLinePort {
public:
    QtKeyLinePort();
    bool open(const std::string& name, std::string& reason) override;
    std::optional<KeyLines> lines() override;
    void close() override;
    LineWait waitForChange() override;
    bool waitsForChange() const override { return true; } // the driver tells at the first wait
    void interruptWait() override;

private:
    QSerialPort port_;
    bool gone_ = false;
    std::mutex waiterMutex_; // the thread blocked in waitForChange(), if any
    pthread_t waiter_{};
    bool hasWaiter_ = false;
};

struct SerialPortChoice {
    std::string name;        // what open() takes, e.g. "ttyUSB0"
    std::string description; // the adapter's own description, may be empty
};

// The serial ports present now, for the learner to choose from.
std::vector<SerialPortChoice> availableKeyPorts();

} // namespace kelvatron

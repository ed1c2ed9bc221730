#pragma once
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "platform/keylineport.h"

namespace kelvatron {

// Waits on a thread of its own for a port's key lines to change, so a resting key costs no
// look at all. Each arm() is one wait; when the lines changed (or the port cannot wait so)
// `onWake` is called on that thread. disarm() ends a wait in progress and returns once the
// thread no longer touches the port.
class LineWaiter {
public:
    enum class Wake { Changed, Unsupported };

    LineWaiter(KeyLinePort& port, std::function<void(Wake)> onWake);
    ~LineWaiter();
    LineWaiter(const LineWaiter&) = delete;
    LineWaiter& operator=(const LineWaiter&) = delete;

    void arm();
    void disarm();

private:
    void run();

    KeyLinePort& port_;
    std::function<void(Wake)> onWake_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool armed_ = false, waiting_ = false, quit_ = false;
    std::thread thread_;
};

} // namespace kelvatron

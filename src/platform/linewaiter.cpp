#include "platform/linewaiter.h"

#include <chrono>

namespace kelvatron {

LineWaiter::LineWaiter(KeyLinePort& port, std::function<void(Wake)> onWake)
    : port_(port), onWake_(std::move(onWake)), thread_([this] { run(); }) {}

LineWaiter::~LineWaiter() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    changed_.notify_all();
    disarm();
    thread_.join();
}

void LineWaiter::arm() {
    {
        std::lock_guard lock(mutex_);
        armed_ = true;
    }
    changed_.notify_all();
}

// The interruption can come just before the thread enters its wait and be lost: it is sent
// again until the thread is out.
void LineWaiter::disarm() {
    std::unique_lock lock(mutex_);
    armed_ = false;
    while (waiting_) {
        port_.interruptWait();
        changed_.wait_for(lock, std::chrono::milliseconds(5));
    }
}

void LineWaiter::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return armed_ || quit_; });
        if (quit_) return;
        waiting_ = true;
        lock.unlock();
        const LineWait result = port_.waitForChange();
        lock.lock();
        waiting_ = false;
        changed_.notify_all();
        if (!armed_ || quit_) continue;                // disarmed: nobody waits for this wake
        if (result == LineWait::Interrupted) continue; // a stray interruption: wait again
        armed_ = false;
        lock.unlock();
        onWake_(result == LineWait::Changed ? Wake::Changed : Wake::Unsupported);
        lock.lock();
    }
}

} // namespace kelvatron

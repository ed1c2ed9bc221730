#pragma once
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>

#include "platform/keylineport.h"

namespace kelvatron::test {

// A port whose lines the test sets, that can refuse to open and can vanish. With `waits` its
// waitForChange() blocks until the test calls change() or the reader interrupts it.
struct FakeKeyLinePort : KeyLinePort {
    bool open(const std::string&, std::string& reason) override {
        reason = refusal;
        return isOpen = refusal.empty();
    }
    std::optional<KeyLines> lines() override {
        std::lock_guard lock(mutex);
        return vanished ? std::nullopt : std::optional(now);
    }
    void close() override { isOpen = false; }

    bool waitsForChange() const override { return waits; }
    LineWait waitForChange() override {
        if (!waits) return LineWait::Unsupported;
        std::unique_lock lock(mutex);
        waiting = true;
        woken.wait(lock, [this] { return changed || interrupted; });
        const LineWait result = changed ? LineWait::Changed : LineWait::Interrupted;
        changed = interrupted = waiting = false;
        return result;
    }
    void interruptWait() override {
        std::lock_guard lock(mutex);
        interrupted = true;
        woken.notify_all();
    }
    // The lines change while the reader waits on them.
    void change(KeyLines lines) {
        std::lock_guard lock(mutex);
        now = lines;
        changed = true;
        woken.notify_all();
    }

    std::string refusal;
    bool vanished = false, isOpen = false, waits = false;
    KeyLines now;
    std::mutex mutex;
    std::condition_variable woken;
    bool changed = false, interrupted = false;
    std::atomic<bool> waiting = false;
};

} // namespace kelvatron::test

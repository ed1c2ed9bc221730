#pragma once

namespace kelvatron {

// The window's message loop, as far as long-running handlers use it.
class EventPump {
public:
    virtual ~EventPump() = default;
    // Handles every pending window event, then returns.
    virtual void processEvents() = 0;
    // Blocks until at least one event arrives and handles it (the paused transmission waits here).
    virtual void waitForEvents() = 0;
};

} // namespace kelvatron

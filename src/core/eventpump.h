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
    // Handles the pending events that are not the user's: painting, a screen reader's questions.
    // Keys, clicks and timers stay queued, in their order, for the next processEvents(), so a
    // wait inside a sign can serve the window without running a key's handler in its middle.
    virtual void processEventsButInput() {}
};

} // namespace kelvatron

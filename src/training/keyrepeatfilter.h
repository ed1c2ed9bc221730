#pragma once
#include <optional>
#include <vector>

namespace kelvatron {

// A key press or release as the window saw it: the toolkit's key code, the event's time stamp in
// ms and the toolkit's own auto-repeat flag.
struct KeyInput {
    int key;
    bool down;
    double timeMs;
    bool autoRepeat = false;
    bool operator==(const KeyInput&) const = default;
};

// Keeps the keyboard's auto-repeat out of the keying. A held key repeats as release and press
// pairs (flagged by the toolkit, or on X11 unflagged pairs with one time stamp) or as presses
// alone; none of them is a real change. A release is therefore held back until the next event or
// until `sameTimeMs` has passed: a press of the same key within that time undoes it. The time
// given to poll() must run on the same clock as the events' time stamps.
class KeyRepeatFilter {
public:
    explicit KeyRepeatFilter(double sameTimeMs = 2) : sameTimeMs_(sameTimeMs) {}

    // The real changes this event makes known, in order, with their own time stamps.
    std::vector<KeyInput> feed(const KeyInput& event);
    // A held-back release once no press has undone it by nowMs.
    std::vector<KeyInput> poll(double nowMs);
    // When poll() would next let a release through.
    std::optional<double> nextDeadline() const;

private:
    void letPendingThrough(std::vector<KeyInput>& out);

    double sameTimeMs_;
    std::vector<int> down_; // keys held, as far as real changes tell
    std::optional<KeyInput> pendingRelease_;
};

} // namespace kelvatron

#pragma once

namespace kelvatron {

// How far a long task has come: the progress bar, or a command line's progress line.
class Progress {
public:
    virtual ~Progress() = default;
    // Kept exactly as set: a maximum of 0 or below is allowed.
    virtual void setMax(int max) = 0;
    virtual void setPosition(int position) = 0;
    // Shows the position now, without waiting for the event loop.
    virtual void paint() = 0;
};

} // namespace kelvatron

#pragma once
#include <cstdint>
#include <string>

namespace kelvatron {

// The element timing derived from the settings before every element, in Hz and milliseconds.
// All zero until the first element of a run has sounded.
struct TimingValues {
    int32_t toneFrequency = 0;
    int32_t toneDuration = 0;
    int32_t dotLength = 0;
    int32_t dashLength = 0;
    int32_t signPause = 0;
    int32_t groupPause = 0;
    // Farnsworth spacing in force: the pause after a sign and a group's own pause, in exact ms
    // beyond the dot after the last element, and the rounding the last whole-ms pause left over.
    bool stretched = false;
    double stretchedSignPauseMs = 0;
    double stretchedGroupPauseMs = 0;
    double gapCarryMs = 0;
};

// State the subsystems share beside the settings: flags of the running transmission, the keys
// typed ahead, the element timing last derived.
struct FormState {
    TimingValues timing;
    // A stop of the running transmission was asked for; counts only when exactly 1.
    uint8_t stopFlag = 0;
    // The transmission waits before its next sign while this is not 0.
    uint8_t pauseFlag = 0;
    // Keys typed anywhere in the window reach the keyboard practice first.
    bool keyPreview = true;
    // Typed characters, mapped to signs, waiting to sound (at most 20); a key without a sign
    // waits as byte 0.
    std::string keyBuffer;
    // A transmission is running (a second start is ignored).
    bool transmitting = false;
};

} // namespace kelvatron

#pragma once
#include <cstdint>

namespace kelvatron {

// The PC speaker's tone held by hand: sounds from keyDown() until keyUp(), on whatever route the
// machine offers for the speaker.
class LiveSpeakerTone {
public:
    virtual ~LiveSpeakerTone() = default;
    virtual void keyDown(int32_t frequency) = 0;
    virtual void keyUp() = 0;
};

} // namespace kelvatron

#pragma once
#include <cstdint>

namespace kelvatron {

// The PC speaker's tone held by hand: sounds from keyDown() until keyUp(), on whatever route the
// machine offers for the speaker. atMs is the key edge's moment on the program's clock, for a
// route that can sound every edge equally late after it (the sound card's); 0 when not known.
class LiveSpeakerTone {
public:
    virtual ~LiveSpeakerTone() = default;
    virtual void keyDown(int32_t frequency, double atMs) = 0;
    virtual void keyUp(double atMs) = 0;
};

} // namespace kelvatron

#pragma once

namespace kelvatron {

// Where sending practice turns its tone on and off: the sound card's live path or the speaker.
// Each call belongs to the moment it is made, so the tone follows the hand.
class Sidetone {
public:
    virtual ~Sidetone() = default;
    virtual void toneOn() = 0;
    virtual void toneOff() = 0;
};

} // namespace kelvatron

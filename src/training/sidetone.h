#pragma once

namespace kelvatron {

// Where sending practice turns its tone on and off: the sound card's live path or the speaker.
// Each call carries the moment of its key edge on the program's clock (the call comes a little
// later), so the tone follows the hand and lasts as long as the key was held.
class Sidetone {
public:
    virtual ~Sidetone() = default;
    virtual void toneOn(double atMs) = 0;
    virtual void toneOff(double atMs) = 0;
};

} // namespace kelvatron

#pragma once
#include <cstdint>
#include <span>

namespace kelvatron {

// One step of the sound on its way out, between the mixed tones and the output: noise, a
// receiver's filter, fading, a voice. It changes a block of mono samples (-1..1) in place.
//
// A stage is built and set up off the sound thread (its maker gives it the stream's rate and a
// seed) and then runs on it: process() takes no lock, neither allocates nor frees and makes no
// system call. What it does follows from its seed and the frames' positions alone, so that an
// export with the same seed gives the same bytes and frames mixed again after a rewind come out
// as they did.
class SignalStage {
public:
    virtual ~SignalStage() = default;

    // Frames [position, position + block.size()) of the sound. Blocks come in order, each
    // starting where the one before ended, but after rewound().
    virtual void process(std::span<float> block, int64_t position) = 0;
    // The output takes back what it mixed from frame `position` on (it writes a key over what
    // its server holds): the next block starts there, at frames the stage has seen before.
    virtual void rewound(int64_t /*position*/) {}
};

} // namespace kelvatron

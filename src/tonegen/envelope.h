#pragma once
#include <cstdint>
#include <span>

namespace kelvatron {

// Attack, decay and release are shares of the tone's length in percent; sustain is the level
// held between decay and release, in percent of full amplitude.
struct EnvelopeShares {
    int attack;
    int decay;
    int sustain;
    int release;
};

// Shapes the samples of a tone in place. samples starts at the first sample and holds the
// dataLength bytes of sample data and the spare bytes after them. Every stage takes one sample
// more than its length, so the last one spills up to two samples into the spare bytes; nothing
// is ever written past the end of samples.
void applyEnvelope(std::span<uint8_t> samples, uint64_t dataLength, int bytesPerSample,
                   EnvelopeShares shares);

} // namespace kelvatron

#pragma once
#include <cstdint>
#include <span>

namespace kelvatron {

// Where a rendered timeline goes, in order, a piece at a time: mono 16-bit samples at the
// timeline's rate.
class SampleSink {
public:
    virtual ~SampleSink() = default;
    virtual void write(std::span<const int16_t> samples) = 0;
    // Samples that pass no stage on the way (a sound played with SND_DRY): a sink that runs a
    // signal chain mixes them after it.
    virtual void writeDry(std::span<const int16_t> samples) { write(samples); }
};

} // namespace kelvatron

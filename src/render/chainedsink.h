#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "audio/signalchain.h"
#include "render/samplesink.h"

namespace kelvatron {

// Passes rendered samples through a signal chain on their way to a sink. A 16-bit sample v is
// v / 32768 to the stages and comes back rounded to the nearest and held within 16 bits, so a
// stage that leaves a sample alone gives it back exactly; an empty chain hands the samples on
// untouched. Dry samples are added after the chain, at its level, while the chain runs on over
// silence (its noise goes on under them).
class ChainedSink : public SampleSink {
public:
    ChainedSink(SampleSink& sink, std::unique_ptr<SignalChain> chain)
        : sink_(sink), chain_(std::move(chain)) {}

    void write(std::span<const int16_t> samples) override { pass(samples, false); }
    void writeDry(std::span<const int16_t> samples) override { pass(samples, true); }
    // The next sample's position on the timeline.
    int64_t position() const { return position_; }

    static constexpr size_t kBlock = 2048;

private:
    void pass(std::span<const int16_t> samples, bool dry);

    SampleSink& sink_;
    std::unique_ptr<SignalChain> chain_;
    int64_t position_ = 0;
    std::array<float, kBlock> block_{};
    std::array<int16_t, kBlock> out_{};
};

} // namespace kelvatron

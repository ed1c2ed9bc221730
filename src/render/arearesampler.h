#pragma once
#include <cstdint>
#include <span>
#include <vector>

namespace kelvatron {

// Changes the rate of a stream of samples the way the sound card's path does: each output sample
// is the mean of the input over the time it covers, so 96 kHz halves to 48 kHz by averaging
// pairs, and a tone keeps its exact length. Positions are whole numbers (units of 1/outputRate of
// an input sample), so a long stream does not drift.
class AreaResampler {
public:
    AreaResampler(uint32_t inputRate, uint32_t outputRate);

    // Appends to out the output samples the input completes.
    void push(std::span<const int16_t> in, std::vector<int16_t>& out);
    // Appends the last output sample if the input covered at least half of it.
    void finish(std::vector<int16_t>& out);

private:
    int64_t inputStep_;  // units in one output sample
    int64_t outputStep_; // units in one input sample
    int64_t filled_ = 0; // units of the current output sample covered so far
    int64_t sum_ = 0;    // sample × units over them
};

} // namespace kelvatron

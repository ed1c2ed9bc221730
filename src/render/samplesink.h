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
};

} // namespace kelvatron

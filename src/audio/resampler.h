#pragma once
#include <cstdint>
#include <vector>

#include "audio/waveimage.h"

namespace kelvatron {

// Length in frames at outputRate of a sound of `frames` frames at inputRate, to the nearest frame.
uint64_t resampledLength(uint64_t frames, uint32_t inputRate, uint32_t outputRate);

// The image's sound as mono float samples in -1..1 at outputRate, resampledLength() of them.
// Each output sample is the mean of the input over the time that sample covers (the channels
// averaged), so 96 kHz halves to 48 kHz by averaging pairs and a tone keeps its exact length.
std::vector<float> resampleToMono(const WaveImage& wave, uint32_t outputRate);

} // namespace kelvatron

#include "audio/resampler.h"

#include <algorithm>
#include <cmath>

namespace kelvatron {

namespace {

// Mean of the channels of frame i, in -1..1.
float monoFrame(const WaveImage& wave, uint64_t i) {
    const uint8_t* frame = wave.samples.data() + i * wave.bytesPerFrame();
    float sum = 0;
    for (unsigned c = 0; c < wave.channels; ++c) {
        if (wave.bitsPerSample == 8) {
            sum += (frame[c] - 128) / 128.0f;
        } else {
            auto v = static_cast<int16_t>(frame[2 * c] | (frame[2 * c + 1] << 8));
            sum += v / 32768.0f;
        }
    }
    return sum / wave.channels;
}

std::vector<float> monoFrames(const WaveImage& wave) {
    std::vector<float> out(wave.frameCount());
    for (uint64_t i = 0; i < out.size(); ++i)
        out[i] = monoFrame(wave, i);
    return out;
}

// Mean of the step function `in` over [from, to) in input samples.
float areaMean(const std::vector<float>& in, double from, double to) {
    double sum = 0;
    auto first = static_cast<size_t>(from);
    auto last = std::min(in.size(), static_cast<size_t>(std::ceil(to)));
    for (size_t k = first; k < last; ++k) {
        double overlap = std::min(to, double(k + 1)) - std::max(from, double(k));
        sum += in[k] * overlap;
    }
    return static_cast<float>(sum / (to - from));
}

} // namespace

uint64_t resampledLength(uint64_t frames, uint32_t inputRate, uint32_t outputRate) {
    if (inputRate == 0) return 0;
    return (frames * outputRate + inputRate / 2) / inputRate;
}

std::vector<float> resampleToMono(const WaveImage& wave, uint32_t outputRate) {
    std::vector<float> in = monoFrames(wave);
    if (wave.sampleRate == outputRate || in.empty()) return in;
    std::vector<float> out(resampledLength(in.size(), wave.sampleRate, outputRate));
    double step = double(wave.sampleRate) / outputRate;
    for (size_t j = 0; j < out.size(); ++j) {
        double from = j * step;
        double to = std::min((j + 1) * step, double(in.size()));
        out[j] = to > from ? areaMean(in, from, to) : 0.0f;
    }
    return out;
}

} // namespace kelvatron

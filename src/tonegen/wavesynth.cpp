#include "tonegen/wavesynth.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <numbers>
#include <vector>

#include "core/random.h"

namespace kelvatron {

namespace {

int truncToInt(double value) {
    return static_cast<int>(value);
}

template <int Bytes> void store(uint8_t* at, int value) {
    const auto bits = static_cast<uint16_t>(value); // two's complement for negative samples
    at[0] = static_cast<uint8_t>(bits);
    if constexpr (Bytes == 2) at[1] = static_cast<uint8_t>(bits >> 8);
}

} // namespace

WaveSynth::WaveSynth(TTGWave wave, double samplesPerPeriod, TTGResolution resolution,
                     std::span<int> sineTable, uint32_t& noiseState)
    : wave_(wave), samplesPerPeriod_(samplesPerPeriod), sine_(sineTable),
      noiseState_(&noiseState) {
    const bool wide = resolution == TTGResolution::tg16Bit;
    minLevel_ = wide ? -32767.0 : 0.0;
    maxLevel_ = wide ? 65534.0 : 255.0;
    sineOffset_ = wide ? 0.0 : 1.0;
    noiseRange_ = static_cast<uint32_t>(std::trunc(maxLevel_ + 1.0));
    const int first = truncToInt(samplesPerPeriod);
    // The sine's step and the ramps' slopes come from the first period, so a sample depends only
    // on its place in its period.
    step_ = 2.0 * std::numbers::pi / first;
    increment_ = wave == TTGWave::tgTriangle ? maxLevel_ / (first / 2) : maxLevel_ / first;
    low_ = truncToInt(minLevel_);
    high_ = wide ? 32767 : truncToInt(maxLevel_);
    startPeriod(1);
}

size_t WaveSynth::sineTableSize(double samplesPerPeriod) {
    return static_cast<size_t>(samplesPerPeriod) + 2;
}

// Period k is trunc(kP) - trunc((k-1)P) samples long: kP less a whole number not above it is
// exact in double.
void WaveSynth::startPeriod(double k) {
    k_ = k;
    n_ = truncToInt(k * samplesPerPeriod_ - std::trunc((k - 1) * samplesPerPeriod_));
    half_ = n_ / 2;
    i_ = 0;
    running_ = minLevel_;
}

// Each of the sine's values is computed once, when first needed, and then reused.
int WaveSynth::sineAt(int i) {
    if (static_cast<size_t>(i) >= sineKnown_) [[unlikely]]
        knowSineTo(i);
    return sine_[static_cast<size_t>(i)];
}

void WaveSynth::knowSineTo(int i) {
    for (; sineKnown_ <= static_cast<size_t>(i); ++sineKnown_)
        sine_[sineKnown_] = truncToInt(
            (std::sin(static_cast<double>(sineKnown_) * step_) + sineOffset_) / 2.0 * maxLevel_);
}

template <TTGWave Wave> int WaveSynth::step() {
    int value = 0;
    if constexpr (Wave == TTGWave::tgSine) {
        value = sineAt(i_);
    } else if constexpr (Wave == TTGWave::tgSquare) {
        value = i_ < half_ ? low_ : high_;
    } else if constexpr (Wave == TTGWave::tgTriangle) {
        // A period one sample longer with a longer rising half climbs past the top; such samples
        // are held at the top rather than wrapping around to the opposite extreme, which would
        // click.
        value = std::clamp(truncToInt(running_), low_, truncToInt(minLevel_ + maxLevel_));
        running_ += i_ < half_ ? increment_ : -increment_;
    } else if constexpr (Wave == TTGWave::tgSawtooth) {
        value = truncToInt(running_);
        running_ += increment_;
    } else {
        value = static_cast<int>(Random(*noiseState_, noiseRange_));
    }
    ++at_;
    if (++i_ >= n_) startPeriod(k_ + 1);
    return value;
}

int WaveSynth::next() {
    switch (wave_) {
    case TTGWave::tgSine:
        return step<TTGWave::tgSine>();
    case TTGWave::tgSquare:
        return step<TTGWave::tgSquare>();
    case TTGWave::tgTriangle:
        return step<TTGWave::tgTriangle>();
    case TTGWave::tgSawtooth:
        return step<TTGWave::tgSawtooth>();
    case TTGWave::tgNoise:
        return step<TTGWave::tgNoise>();
    }
    return 0;
}

// The walk goes on in a local copy: the byte stores may alias any object the compiler cannot see
// whole, so a walk on *this would go through memory at every sample.
template <TTGWave Wave, int Bytes> void WaveSynth::fillWith(uint8_t* data, uint64_t dataLength) {
    WaveSynth walk = *this;
    for (uint64_t pos = 0; pos < dataLength; pos += Bytes)
        store<Bytes>(data + pos, walk.step<Wave>());
    *this = walk;
}

// The waveform is chosen once for the whole tone, not at every sample.
void WaveSynth::fill(uint8_t* data, uint64_t dataLength, int bytesPerSample) {
    const auto with = [&]<TTGWave Wave>() {
        if (bytesPerSample == 2)
            fillWith<Wave, 2>(data, dataLength);
        else
            fillWith<Wave, 1>(data, dataLength);
    };
    switch (wave_) {
    case TTGWave::tgSine:
        return with.template operator()<TTGWave::tgSine>();
    case TTGWave::tgSquare:
        return with.template operator()<TTGWave::tgSquare>();
    case TTGWave::tgTriangle:
        return with.template operator()<TTGWave::tgTriangle>();
    case TTGWave::tgSawtooth:
        return with.template operator()<TTGWave::tgSawtooth>();
    case TTGWave::tgNoise:
        return with.template operator()<TTGWave::tgNoise>();
    }
}

void WaveSynth::seek(int64_t sample) {
    at_ = sample;
    if (wave_ == TTGWave::tgNoise) return;
    const auto start = [this](double k) { return std::trunc((k - 1) * samplesPerPeriod_); };
    double k = std::floor(static_cast<double>(sample) / samplesPerPeriod_) + 1;
    while (start(k + 1) <= static_cast<double>(sample))
        k += 1;
    while (k > 1 && start(k) > static_cast<double>(sample))
        k -= 1;
    startPeriod(k);
    // The ramps add their slope sample by sample, as the walk does.
    const auto inPeriod = static_cast<int>(sample - static_cast<int64_t>(start(k)));
    for (; i_ < inPeriod; ++i_)
        running_ += wave_ == TTGWave::tgTriangle && i_ >= half_ ? -increment_ : increment_;
}

void synthesizeTone(std::span<uint8_t> data, uint64_t dataLength, const ToneShape& shape) {
    const int bytes = bytesPerSample(shape.resolution);
    assert(data.size() >= dataLength + static_cast<uint64_t>(bytes - 1));
    assert(shape.frequency > 0);
    const double samplesPerPeriod =
        static_cast<double>(samplesPer10Ms(shape.quality) * 100) / shape.frequency;
    std::vector<int> sineTable(
        shape.wave == TTGWave::tgSine ? WaveSynth::sineTableSize(samplesPerPeriod) : 0);
    WaveSynth synth(shape.wave, samplesPerPeriod, shape.resolution, sineTable, randomState());
    synth.fill(data.data(), dataLength, bytes);
}

} // namespace kelvatron

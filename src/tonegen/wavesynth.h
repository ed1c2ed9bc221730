#pragma once
#include <cstdint>
#include <span>

#include "tonegen/tonetypes.h"

namespace kelvatron {

inline int bytesPerSample(TTGResolution resolution) {
    return resolution == TTGResolution::tg16Bit ? 2 : 1;
}

inline int samplesPer10Ms(TTGQuality quality) {
    return quality == TTGQuality::tgHiQ ? 960 : 441;
}

// Bytes of sample data of a tone of durationMs. The bytes per sample go into the product first,
// so a 16-bit tone at 44100 Hz may have an odd length.
inline uint64_t toneDataLength(TTGResolution resolution, TTGQuality quality, int16_t durationMs) {
    return static_cast<uint64_t>(bytesPerSample(resolution)) * static_cast<uint64_t>(durationMs) *
           static_cast<uint64_t>(samplesPer10Ms(quality)) / 10;
}

struct ToneShape {
    TTGWave wave;
    TTGResolution resolution;
    TTGQuality quality;
    int16_t frequency; // 20..20000
};

// The program's one oscillator: the five waveforms, sample by sample, for the tone generator's
// images and for the hand key's live tone alike. It walks the samples period by period, every
// period a whole number of samples: period k covers samples trunc((k-1)P) to trunc(kP) - 1, so
// the mean frequency is exact. Samples are 8-bit unsigned (128 silence) or 16-bit signed values.
//
// It neither allocates nor frees: the sine's values are kept in a table its owner provides, and
// the noise draws from a generator state its owner keeps.
class WaveSynth {
public:
    // samplesPerPeriod: the rate over the frequency, at least 2. sineTable holds at least
    // sineTableSize(samplesPerPeriod) values.
    WaveSynth(TTGWave wave, double samplesPerPeriod, TTGResolution resolution,
              std::span<int> sineTable, uint32_t& noiseState);

    // The next sample. 16-bit noise goes up to 65534 and is stored as it is, so the upper half of
    // the draws becomes negative samples.
    int next();
    // Goes on from sample `sample` of the tone, as if the samples before it had been taken
    // (noise draws on from where it is).
    void seek(int64_t sample);
    int64_t position() const { return at_; }

    static size_t sineTableSize(double samplesPerPeriod);
    // Stores the next samples while the byte position is below dataLength (see synthesizeTone).
    void fill(uint8_t* data, uint64_t dataLength, int bytesPerSample);

private:
    template <TTGWave Wave> int step();
    template <TTGWave Wave, int Bytes> void fillWith(uint8_t* data, uint64_t dataLength);
    void startPeriod(double k);
    int sineAt(int i);
    [[gnu::noinline]] void knowSineTo(int i);

    TTGWave wave_;
    double samplesPerPeriod_;
    // The lowest sample value and the span up to the highest one.
    double minLevel_, maxLevel_, sineOffset_;
    std::span<int> sine_;
    size_t sineKnown_ = 0;
    uint32_t* noiseState_;
    uint32_t noiseRange_;
    double step_ = 0;      // sine: radians a sample, from the first period
    double increment_ = 0; // triangle and sawtooth: level a sample, from the first period
    int low_ = 0, high_ = 0;
    int64_t at_ = 0;
    double k_ = 1; // the period walked
    int n_ = 0, half_ = 0, i_ = 0;
    double running_ = 0;
};

// Writes the samples of a tone: 8-bit unsigned with 128 as silence, or 16-bit signed little-endian.
// Samples are written while the byte position is below dataLength, so with 16 bits and an odd
// dataLength the last sample's second byte lands at data[dataLength]; data must hold at least
// dataLength + 1 bytes. Noise draws from the calling thread's pseudo-random generator.
void synthesizeTone(std::span<uint8_t> data, uint64_t dataLength, const ToneShape& shape);

} // namespace kelvatron

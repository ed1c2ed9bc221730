#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "tonegen/sounddevice.h"

namespace kelvatron::test {

class FakeClock;

// Records every call. A synchronous play moves the fake clock on by the image's length, so
// sequences of tones and waits can be asserted on one timeline.
class FakeSoundDevice : public SoundDevice {
public:
    struct Play {
        std::vector<uint8_t> image;
        uint32_t flags;
        double startMs;  // clock time when the play was asked for (0 without a clock)
        double lengthMs; // length of the image's samples
    };

    explicit FakeSoundDevice(FakeClock* clock = nullptr) : clock_(clock) {}

    void playSound(std::span<const uint8_t> waveImage, uint32_t flags) override;
    void stopSound() override { ++stops; }
    bool hasLeftRightVolume() override { return leftRight; }
    uint32_t getVolume() override { return volume; }
    void setVolume(uint32_t v) override {
        volume = v;
        volumeWrites.push_back(v);
    }

    // Length in ms of a WAVE image's sample data, from its header (0 for a malformed image).
    static double imageLengthMs(std::span<const uint8_t> image);

    std::vector<Play> plays;
    int stops = 0;
    bool leftRight = true;
    uint32_t volume = 0x12345678;
    std::vector<uint32_t> volumeWrites;

private:
    FakeClock* clock_;
};

} // namespace kelvatron::test

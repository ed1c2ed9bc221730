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
        double lengthMs; // length of the image's samples
        bool prompt;     // played as a prompt tone, answering a key
    };

    explicit FakeSoundDevice(FakeClock* clock = nullptr) : clock_(clock) {}

    void playSound(std::span<const uint8_t> waveImage, uint32_t flags) override;
    void stopSound() override { ++stops; }
    bool hasLeftRightVolume() override { return true; }
    uint32_t getVolume() override { return volume; }
    void setVolume(uint32_t v) override {
        volume = v;
        volumeWrites.push_back(v);
    }

    void keyDown(int32_t frequency, TTGWave waveform) override;
    void keyUp() override;
    bool setPromptTones(bool on) override {
        const bool before = promptTones;
        promptTones = on;
        return before;
    }

    std::vector<Play> plays;
    int stops = 0;
    bool promptTones = false;
    uint32_t volume = 0x12345678;
    std::vector<uint32_t> volumeWrites;
    // The hand's live tone: frequency and waveform of each key-down, and how many key-ups.
    std::vector<std::pair<int32_t, TTGWave>> keyDowns;
    int keyUps = 0;

private:
    FakeClock* clock_;
};

} // namespace kelvatron::test

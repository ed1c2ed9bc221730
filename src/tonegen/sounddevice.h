#pragma once
#include <cstdint>
#include <span>

#include "tonegen/tonetypes.h"

namespace kelvatron {

// Flags of a play request, as the tone generator passes them.
inline constexpr uint32_t SND_SYNC = 0x0000;
inline constexpr uint32_t SND_ASYNC = 0x0001;
inline constexpr uint32_t SND_MEMORY = 0x0004;
inline constexpr uint32_t SND_LOOP = 0x0008;
// The program's own: the sound passes no stage of the signal chain (the band conditions) but is
// mixed after it, as loud as the keyed tones come out of it. The spoken answers are clean this
// way while the Morse around them is heard off the air.
inline constexpr uint32_t SND_DRY = 0x01000000;

// The multimedia calls the tone generator makes: play a complete in-memory WAVE image, stop,
// and the two-channel output volume; and the live tone of a key held by hand.
class SoundDevice {
public:
    virtual ~SoundDevice() = default;
    // Plays waveImage with flags 4 (synchronous: returns when the tone is over), 5 (asynchronous)
    // or 13 (looped until stopped), any of them with SND_DRY. A malformed image plays nothing.
    virtual void playSound(std::span<const uint8_t> waveImage, uint32_t flags) = 0;
    // Silences whatever plays, at once.
    virtual void stopSound() = 0;
    // Whether the device keeps a separate left and right volume.
    virtual bool hasLeftRightVolume() = 0;
    // Low word left, high word right, 0..65535 each.
    virtual uint32_t getVolume() = 0;
    virtual void setVolume(uint32_t volume) = 0;
    // The sidetone of a hand key: sounds from the earliest sample the device has not played
    // yet until keyUp(), with short smooth edges, without waiting for anything.
    virtual void keyDown(int32_t frequency, TTGWave waveform) = 0;
    virtual void keyUp() = 0;
    // The same for a key edge that came at atMs on the program's clock, a moment just past: a
    // device that can sounds every such edge the same short time after its moment, so that the
    // tone lasts exactly as long as the key was held, whatever delayed the edges on their way.
    virtual void keyDownAt(int32_t frequency, TTGWave waveform, double /*atMs*/) {
        keyDown(frequency, waveform);
    }
    virtual void keyUpAt(double /*atMs*/) { keyUp(); }
    // While on, played tones answer a key of the hand (the keyboard practice): they sound as
    // soon as the device can, as the live tone does, and keep their spacing from there, rather
    // than waiting behind the margin a long transmission keeps against a late program.
    // Returns the choice before.
    virtual bool setPromptTones(bool /*on*/) { return false; }
    // The rate the placed sounds are mixed at, so a sound made at it is not resampled again;
    // 0 when the device takes any rate alike.
    virtual uint32_t placedRate() const { return 0; }
};

} // namespace kelvatron

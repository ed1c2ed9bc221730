#pragma once
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "tonegen/sounddevice.h"
#include "tonegen/tonegengroup.h"
#include "tonegen/tonetypes.h"

namespace kelvatron {

// Synthesises one tone into a complete RIFF/WAVE image in memory, optionally shaped by an
// attack-decay-sustain-release envelope, and plays it through a SoundDevice. The first live
// instance of its group saves the device volume and the last one puts it back.
class TToneGen {
public:
    explicit TToneGen(SoundDevice& device, bool designing = false);
    TToneGen(SoundDevice& device, ToneGenGroup& group);
    ~TToneGen();
    TToneGen(const TToneGen&) = delete;
    TToneGen& operator=(const TToneGen&) = delete;

    int16_t frequency() const { return frequency_; }
    void setFrequency(int16_t value);
    int16_t duration() const { return duration_; }
    void setDuration(int16_t value);
    TTGWave waveform() const { return waveform_; }
    void setWaveform(TTGWave value);
    void setAttack(int16_t value);
    void setDecay(int16_t value);
    void setSustain(int16_t value);
    void setRelease(int16_t value);
    void setAsync(bool value) { async_ = value; }
    void setLoop(bool value) { loop_ = value; }
    void setResolution(TTGResolution value);
    void setQuality(TTGQuality value);
    void setLeftVolume(int16_t value);
    void setRightVolume(int16_t value);

    void play();
    SoundDevice& device() { return device_; }
    void playAdsr();
    void stop();
    bool prepare();
    bool prepareAdsr();
    void presetVolume();

    // The whole block (DataLength + 48 bytes); empty while there is none.
    std::span<const uint8_t> waveImage() const { return waveImage_; }

    // While loading stored properties, volume writes apply to the device at once.
    void setLoading(bool loading) { loading_ = loading; }

    bool waveChanged() const { return waveChanged_; }
    bool envelopeChanged() const { return envelopeChanged_; }
    bool envelopeApplied() const { return envelopeApplied_; }
    bool stopped() const { return stopped_; }

    // The program's group: live instances and the device volume found by the first one.
    static int32_t instanceCount();
    static uint32_t savedVolume();

    // Receives the message of an out-of-range property write on a designing instance
    // ("Value must be between 20 and 20000"). Only a designing instance reports, and the program
    // creates none, so it installs no handler: the default writes the message to stderr. Tests
    // install their own. Returns the previous one.
    using RangeMessageHandler = std::function<void(const std::string& text)>;
    static RangeMessageHandler setRangeMessageHandler(RangeMessageHandler handler);

private:
    void join();
    int16_t checkRange(int16_t min, int16_t max, int16_t value) const;
    bool buildWaveImage(bool withEnvelope);
    bool allocateWaveImage(uint64_t dataLength);
    void shapeEnvelope(uint64_t dataLength);
    void startPlayback();
    void applyVolume();
    uint32_t readDeviceVolume();

    SoundDevice& device_;
    ToneGenGroup& group_;
    bool designing_;
    bool loading_ = false;

    bool waveChanged_ = true;
    bool envelopeChanged_ = true;
    bool envelopeApplied_ = true;
    bool stopped_ = true;
    std::vector<uint8_t> waveImage_;

    int16_t frequency_ = 440;
    int16_t duration_ = 100;
    TTGWave waveform_ = TTGWave::tgSine;
    int16_t attack_ = 10;
    int16_t decay_ = 20;
    int16_t sustain_ = 50;
    int16_t release_ = 30;
    bool async_ = true;
    bool loop_ = false;
    TTGResolution resolution_ = TTGResolution::tg16Bit;
    TTGQuality quality_ = TTGQuality::tgHiQ;
    int16_t leftVolume_ = 100;
    int16_t rightVolume_ = 100;
    uint32_t outputDevice_ = 0;
};

} // namespace kelvatron

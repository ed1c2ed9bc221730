#include "tonegen/tonegen.h"

#include <array>
#include <cstring>
#include <iostream>
#include <new>

#include "tonegen/envelope.h"
#include "tonegen/waveheader.h"
#include "tonegen/wavesynth.h"

namespace kelvatron {

namespace {

TToneGen::RangeMessageHandler& rangeMessageHandler() {
    static TToneGen::RangeMessageHandler handler = [](const std::string& text) {
        std::cerr << text << '\n';
    };
    return handler;
}

constexpr uint32_t kSpareBytes = 4;

} // namespace

TToneGen::TToneGen(SoundDevice& device, bool designing)
    : device_(device), group_(ToneGenGroup::program()), designing_(designing) {
    join();
}

TToneGen::TToneGen(SoundDevice& device, ToneGenGroup& group)
    : device_(device), group_(group), designing_(false) {
    join();
}

void TToneGen::join() {
    if (group_.instances == 0 && !designing_) {
        group_.savedDeviceVolume = readDeviceVolume();
        applyVolume();
    }
    ++group_.instances;
}

TToneGen::~TToneGen() {
    stop();
    std::vector<uint8_t>().swap(waveImage_);
    --group_.instances;
    if (group_.instances == 0 && !designing_) device_.setVolume(group_.savedDeviceVolume);
}

int32_t TToneGen::instanceCount() {
    return ToneGenGroup::program().instances;
}

uint32_t TToneGen::savedVolume() {
    return ToneGenGroup::program().savedDeviceVolume;
}

TToneGen::RangeMessageHandler TToneGen::setRangeMessageHandler(RangeMessageHandler handler) {
    RangeMessageHandler previous = std::move(rangeMessageHandler());
    rangeMessageHandler() = std::move(handler);
    return previous;
}

int16_t TToneGen::checkRange(int16_t min, int16_t max, int16_t value) const {
    if (min <= value && value <= max) return value;
    if (designing_ && rangeMessageHandler())
        rangeMessageHandler()("Value must be between " + std::to_string(min) + " and " +
                              std::to_string(max));
    return value > max ? max : min;
}

// Every write marks the image for a rebuild, also when the value does not change.
void TToneGen::setFrequency(int16_t value) {
    frequency_ = checkRange(20, 20000, value);
    waveChanged_ = true;
}

void TToneGen::setDuration(int16_t value) {
    duration_ = checkRange(10, 32767, value);
    waveChanged_ = true;
}

void TToneGen::setWaveform(TTGWave value) {
    waveform_ = value;
    waveChanged_ = true;
}

void TToneGen::setResolution(TTGResolution value) {
    resolution_ = value;
    waveChanged_ = true;
}

void TToneGen::setQuality(TTGQuality value) {
    quality_ = value;
    waveChanged_ = true;
}

void TToneGen::setAttack(int16_t value) {
    attack_ = checkRange(0, 100, value);
    envelopeChanged_ = true;
}

void TToneGen::setDecay(int16_t value) {
    decay_ = checkRange(0, 100, value);
    envelopeChanged_ = true;
}

void TToneGen::setSustain(int16_t value) {
    sustain_ = checkRange(0, 100, value);
    envelopeChanged_ = true;
}

void TToneGen::setRelease(int16_t value) {
    release_ = checkRange(0, 100, value);
    envelopeChanged_ = true;
}

// While an asynchronous tone plays, a new volume waits for the next play or preparation.
void TToneGen::setLeftVolume(int16_t value) {
    leftVolume_ = checkRange(0, 100, value);
    if (loading_ || stopped_) applyVolume();
}

void TToneGen::setRightVolume(int16_t value) {
    rightVolume_ = checkRange(0, 100, value);
    if (loading_ || stopped_) applyVolume();
}

void TToneGen::play() {
    if (waveChanged_ || envelopeApplied_) buildWaveImage(false);
    stopped_ = false;
    startPlayback();
    // A synchronous tone is already over when the device returns.
    stopped_ = !async_ && !loop_;
}

void TToneGen::playAdsr() {
    if (waveChanged_ || envelopeChanged_) buildWaveImage(true);
    stopped_ = false;
    startPlayback();
    stopped_ = !async_ && !loop_;
}

void TToneGen::stop() {
    device_.stopSound();
    stopped_ = true;
}

bool TToneGen::prepare() {
    applyVolume();
    return buildWaveImage(false);
}

bool TToneGen::prepareAdsr() {
    applyVolume();
    return buildWaveImage(true);
}

void TToneGen::presetVolume() {
    applyVolume();
}

void TToneGen::startPlayback() {
    stop();
    applyVolume();
    uint32_t flags = SND_MEMORY;
    if (loop_)
        flags |= SND_LOOP | SND_ASYNC;
    else if (async_)
        flags |= SND_ASYNC;
    if (!waveImage_.empty()) device_.playSound(waveImage_, flags);
}

void TToneGen::applyVolume() {
    const uint32_t left = static_cast<uint32_t>(leftVolume_) * 65535 / 100;
    const uint32_t right = static_cast<uint32_t>(rightVolume_) * 65535 / 100;
    device_.setVolume(left + right * 65536);
}

// A device without separate channels reports one level in the low word; it is copied into the
// high word so that restoring it sets both channels.
uint32_t TToneGen::readDeviceVolume() {
    const bool leftRight = device_.hasLeftRightVolume();
    uint32_t value = device_.getVolume();
    if (!leftRight) value = value + value * 65536;
    return value;
}

// The old block is released only after the device has stopped, since an asynchronous tone may
// still be reading it. On allocation failure there is no image and the flags stay as they were.
bool TToneGen::allocateWaveImage(uint64_t dataLength) {
    device_.stopSound();
    std::vector<uint8_t>().swap(waveImage_);
    try {
        waveImage_.resize(kWaveHeaderSize + dataLength + kSpareBytes);
    } catch (const std::bad_alloc&) {
        std::vector<uint8_t>().swap(waveImage_);
        return false;
    }
    return true;
}

bool TToneGen::buildWaveImage(bool withEnvelope) {
    const uint64_t dataLength = toneDataLength(resolution_, quality_, duration_);
    std::array<uint8_t, kWaveHeaderSize> header{};
    writeWaveHeader(header, false, resolution_ == TTGResolution::tg16Bit,
                    quality_ == TTGQuality::tgHiQ, static_cast<uint32_t>(dataLength));
    if (!allocateWaveImage(dataLength)) return false;
    std::memcpy(waveImage_.data(), header.data(), header.size());
    const std::span<uint8_t> samples = std::span(waveImage_).subspan(kWaveHeaderSize);
    synthesizeTone(samples, dataLength, {waveform_, resolution_, quality_, frequency_});
    waveChanged_ = false;
    envelopeApplied_ = false;
    envelopeChanged_ = true;
    if (withEnvelope) shapeEnvelope(dataLength);
    return true;
}

void TToneGen::shapeEnvelope(uint64_t dataLength) {
    const std::span<uint8_t> samples = std::span(waveImage_).subspan(kWaveHeaderSize);
    kelvatron::applyEnvelope(samples, dataLength, bytesPerSample(resolution_),
                             {attack_, decay_, sustain_, release_});
    envelopeChanged_ = false;
    waveChanged_ = false;
    envelopeApplied_ = true;
}

} // namespace kelvatron

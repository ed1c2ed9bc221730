#include "support/fakesounddevice.h"
#include "support/fakeclock.h"

namespace kelvatron::test {

namespace {
uint32_t le32(std::span<const uint8_t> b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t(b[at + 3]) << 24);
}

// Length in ms of a WAVE image's sample data, from its header (0 for a malformed image).
double imageLengthMs(std::span<const uint8_t> image) {
    if (image.size() < 44) return 0;
    uint32_t byteRate = le32(image, 28);
    uint32_t dataLength = le32(image, 40);
    return byteRate == 0 ? 0 : dataLength * 1000.0 / byteRate;
}
} // namespace

void FakeSoundDevice::playSound(std::span<const uint8_t> waveImage, uint32_t flags) {
    double length = imageLengthMs(waveImage);
    plays.push_back({{waveImage.begin(), waveImage.end()}, flags, length, promptTones});
    if (!clock_) return;
    clock_->log.push_back("tone " + std::to_string(static_cast<int>(length + 0.5)) +
                          ((flags & SND_ASYNC) ? " async" : ""));
    if ((flags & SND_ASYNC) == 0) clock_->advance(length);
}

void FakeSoundDevice::keyDown(int32_t frequency, TTGWave waveform) {
    keyDowns.push_back({frequency, waveform});
    if (clock_) clock_->log.push_back("key down " + std::to_string(frequency));
}

void FakeSoundDevice::keyUp() {
    ++keyUps;
    if (clock_) clock_->log.push_back("key up");
}

} // namespace kelvatron::test

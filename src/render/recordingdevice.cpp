#include "render/recordingdevice.h"

#include <algorithm>
#include <array>

#include "audio/waveimage.h"

namespace kelvatron {

namespace {

int16_t sampleAt(const uint8_t* p, uint16_t bits) {
    if (bits == 8) return static_cast<int16_t>((p[0] - 128) * 256);
    return static_cast<int16_t>(p[0] | (p[1] << 8));
}

// Long silences go to the sink in pieces of this many samples.
constexpr int64_t kSilencePiece = 8192;

} // namespace

bool RecordingDevice::decode(std::span<const uint8_t> waveImage) {
    const auto wave = parseWaveImage(waveImage);
    if (!wave || wave->sampleRate != clock_.rate()) return false;
    const uint16_t bytes = wave->bitsPerSample / 8;
    tone_.resize(wave->frameCount());
    const uint8_t* frame = wave->samples.data();
    for (auto& out : tone_) {
        int32_t sum = 0;
        for (unsigned c = 0; c < wave->channels; ++c)
            sum += sampleAt(frame + c * bytes, wave->bitsPerSample);
        out = static_cast<int16_t>(sum / wave->channels);
        frame += wave->bytesPerFrame();
    }
    return true;
}

void RecordingDevice::playSound(std::span<const uint8_t> waveImage, uint32_t flags) {
    const int64_t at = clock_.position();
    flushUntil(at);
    sounding_ = decode(waveImage);
    if (!sounding_) return;
    toneStart_ = at;
    loop_ = (flags & SND_LOOP) != 0;
    dry_ = (flags & SND_DRY) != 0;
    if (flags & (SND_ASYNC | SND_LOOP)) return;
    clock_.advanceSamples(static_cast<int64_t>(tone_.size()));
    flushUntil(toneEnd());
}

void RecordingDevice::stopSound() {
    flushUntil(clock_.position());
    sounding_ = false;
}

int64_t RecordingDevice::finish() {
    int64_t end = clock_.position();
    if (sounding_ && !loop_) end = std::max(end, toneEnd());
    flushUntil(end);
    sounding_ = false;
    return written_;
}

void RecordingDevice::flushUntil(int64_t to) {
    while (written_ < to) {
        if (sounding_ && !tone_.empty() && written_ >= toneStart_ &&
            (loop_ || written_ < toneEnd()))
            emitTone(to);
        else
            emitSilence(to);
    }
}

// The part of the tone (from its first sample, or where the last flush stopped) before `to`.
void RecordingDevice::emitTone(int64_t to) {
    const auto length = static_cast<int64_t>(tone_.size());
    const int64_t offset = (written_ - toneStart_) % length;
    const int64_t count = std::min(to - written_, length - offset);
    const auto part =
        std::span<const int16_t>(tone_).subspan(static_cast<size_t>(offset), static_cast<size_t>(count));
    if (dry_)
        sink_.writeDry(part);
    else
        sink_.write(part);
    written_ += count;
}

// Silence up to `to`, or up to a tone that starts before it.
void RecordingDevice::emitSilence(int64_t to) {
    static const std::array<int16_t, kSilencePiece> zeros{};
    int64_t end = to;
    if (sounding_ && written_ < toneStart_) end = std::min(end, toneStart_);
    const int64_t count = std::min(end - written_, kSilencePiece);
    sink_.write(std::span(zeros.data(), static_cast<size_t>(count)));
    written_ += count;
}

} // namespace kelvatron

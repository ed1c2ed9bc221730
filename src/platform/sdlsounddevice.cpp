#include "platform/sdlsounddevice.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <iostream>
#include <thread>

#include "platform/resampler.h"
#include "platform/waveimage.h"

namespace kelvatron {

namespace {

// Requests that the sound thread has not picked up; past this the oldest are dropped, so a
// device that stops asking for blocks cannot make the queue grow without end.
constexpr size_t kMaxPending = 4096;

std::atomic<bool> failureReported{false};

} // namespace

SdlSoundDevice::SdlSoundDevice(Clock& clock, Options options)
    : clock_(clock), options_(options),
      streamClock_(options.rate, options.blockFrames * 1000.0 / options.rate + options.marginMs),
      timeline_(volume_) {
    open();
}

SdlSoundDevice::~SdlSoundDevice() {
    if (device_) SDL_CloseAudioDevice(device_);
    if (subsystemUp_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlSoundDevice::open() {
    // SIGINT and SIGTERM must end the program as usual, not become SDL quit events.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Kelvatron");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        giveUp(SDL_GetError());
        return;
    }
    subsystemUp_ = true;
    SDL_AudioSpec want{};
    want.freq = static_cast<int>(options_.rate);
    want.format = AUDIO_F32SYS;
    want.channels = 2;
    want.samples = options_.blockFrames;
    want.callback = &SdlSoundDevice::fillBlock;
    want.userdata = this;
    SDL_AudioSpec have{};
    // No changes allowed: SDL converts to whatever the hardware wants, so our timeline is in
    // frames of exactly this rate.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (!device_) {
        giveUp(SDL_GetError());
        return;
    }
    blockFrames_ = have.samples;
    SDL_PauseAudioDevice(device_, 0);
}

void SdlSoundDevice::giveUp(const std::string& why) {
    unavailableReason_ = "No sound output (" + why + "); tones are silent.";
    if (!failureReported.exchange(true)) std::cerr << "Kelvatron: " << unavailableReason_ << '\n';
    if (subsystemUp_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    subsystemUp_ = false;
}

void SDLCALL SdlSoundDevice::fillBlock(void* self, Uint8* stream, int length) {
    static_cast<SdlSoundDevice*>(self)->mixBlock(reinterpret_cast<float*>(stream),
                                                 length / static_cast<int>(2 * sizeof(float)));
}

void SdlSoundDevice::mixBlock(float* out, int frames) {
    double now = clock_.now();
    {
        std::lock_guard lock(mutex_);
        streamClock_.blockStarted(mixed_, now);
        std::swap(pending_, inbox_);
    }
    for (auto& event : inbox_)
        timeline_.add(std::move(event));
    inbox_.clear();
    timeline_.mix(out, frames, mixed_);
    mixed_ += frames;
}

int64_t SdlSoundDevice::schedule(TimelineEvent event, double wallMs) {
    std::lock_guard lock(mutex_);
    // Never before an earlier request, even if the clock estimate has moved back a little, and
    // never into a synchronous tone: its caller has waited for all of it.
    lastPosition_ = std::max({lastPosition_, syncEnd_, streamClock_.placement(wallMs)});
    event.position = lastPosition_;
    if (pending_.size() >= kMaxPending) pending_.erase(pending_.begin());
    pending_.push_back(std::move(event));
    return lastPosition_;
}

bool SdlSoundDevice::streamRunning() {
    std::lock_guard lock(mutex_);
    return streamClock_.running();
}

void SdlSoundDevice::waitUntil(double wallMs) {
    double left = wallMs - clock_.now();
    if (left >= 1) clock_.sleep(static_cast<int32_t>(left));
    // The clock sleeps in whole milliseconds; the rest is waited finely so that the next tone's
    // silence is not lengthened by up to a millisecond.
    left = wallMs - clock_.now();
    if (left > 0) std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(left));
}

void SdlSoundDevice::playSound(std::span<const uint8_t> waveImage, uint32_t flags) {
    // The request's moment is its arrival: preparing the samples must not lengthen the silence.
    const double placedAt = requestTime();
    auto wave = parseWaveImage(waveImage);
    if (!wave) {
        stopSound();
        return;
    }
    const bool async = (flags & (SND_ASYNC | SND_LOOP)) != 0;
    if (!device_) {
        if (!async)
            clock_.sleep(
                static_cast<int32_t>(std::llround(wave->frameCount() * 1000.0 / wave->sampleRate)));
        return;
    }
    auto tone = std::make_shared<const std::vector<float>>(resampleToMono(*wave, options_.rate));
    double lengthMs = tone->size() * 1000.0 / options_.rate;
    const auto frames = static_cast<int64_t>(tone->size());
    int64_t at =
        schedule(TimelineEvent::start(0, std::move(tone), (flags & SND_LOOP) != 0), placedAt);
    if (async) return;
    // Placed "at once" before the stream runs, its end is not known on the timeline.
    if (at > 0) syncEnd_ = at + frames;
    waitUntil(placedAt + lengthMs);
    // A busy machine wakes us late now and then. The caller's next wait starts only when we
    // return, so what follows is timed from when the return was due, not from when it happened:
    // the silence after this tone is not lengthened by our own lateness.
    wakeLateness_ = std::clamp(clock_.now() - (placedAt + lengthMs), 0.0, options_.marginMs - 2);
}

double SdlSoundDevice::requestTime() const {
    return clock_.now() - wakeLateness_;
}

void SdlSoundDevice::stopSound() {
    if (device_) schedule(TimelineEvent::stop(0), requestTime());
}

void SdlSoundDevice::setVolume(uint32_t volume) {
    volume_ = volume;
    if (device_) schedule(TimelineEvent::setVolume(0, volume), requestTime());
}

} // namespace kelvatron

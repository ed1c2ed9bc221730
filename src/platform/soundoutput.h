#pragma once
#include <memory>
#include <string>

#include "audio/timelinedevice.h"
#include "core/clock.h"

namespace kelvatron {

// The sound card the program plays through, chosen at start-up: a PulseAudio (or PipeWire)
// server where one answers, else SDL's audio (which also covers ALSA, and SDL's disk and dummy
// drivers for recording and tests). SDL_AUDIODRIVER naming another driver than the server's
// chooses SDL; KELVATRON_SOUND=sdl or =pulse forces one.
struct SoundOutput {
    std::unique_ptr<TimelineSoundDevice> device;
    // Empty while the learner hears the sound; otherwise, in Russian, what was tried (the
    // PipeWire or PulseAudio server, the sound card), that the server's output is a dummy where
    // it is one, and what to do.
    std::string unavailableReason;
    // "pulse" or "sdl".
    std::string backend;
};

SoundOutput openSoundOutput(Clock& clock);

} // namespace kelvatron

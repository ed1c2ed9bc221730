#include "platform/soundoutput.h"

#include <cstdlib>
#include <string_view>

#include "platform/pulsesounddevice.h"
#include "platform/sdlsounddevice.h"

namespace kelvatron {

namespace {

std::string_view environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool serverWanted() {
    const std::string_view forced = environment("KELVATRON_SOUND");
    if (!forced.empty()) return forced == "pulse" || forced == "pipewire";
    const std::string_view driver = environment("SDL_AUDIODRIVER");
    return driver.empty() || driver == "pulseaudio" || driver == "pipewire";
}

} // namespace

SoundOutput openSoundOutput(Clock& clock) {
    if (serverWanted()) {
        auto pulse = std::make_unique<PulseSoundDevice>(clock);
        if (pulse->available() || environment("KELVATRON_SOUND") == "pulse") {
            std::string reason = pulse->unavailableReason();
            return {std::move(pulse), std::move(reason), "pulse"};
        }
    }
    auto sdl = std::make_unique<SdlSoundDevice>(clock);
    std::string reason = sdl->unavailableReason();
    return {std::move(sdl), std::move(reason), "sdl"};
}

} // namespace kelvatron

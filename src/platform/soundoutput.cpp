#include "platform/soundoutput.h"

#include <cstdlib>
#include <string_view>

#include "platform/pulsesounddevice.h"
#include "platform/sdlsounddevice.h"
#include "platform/soundserverprobe.h"

namespace kelvatron {

namespace {

std::string_view environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool serverWanted() {
    const std::string_view forced = environment("KELVATRON_SOUND");
    if (!forced.empty()) return forced == "pulse";
    const std::string_view driver = environment("SDL_AUDIODRIVER");
    return driver.empty() || driver == "pulseaudio" || driver == "pipewire";
}

// The device's own words without its frame: "No sound server (Connection refused); tones are
// silent." gives "Connection refused".
std::string detail(const std::string& reason) {
    const size_t open = reason.find('('), close = reason.rfind(')');
    return open != std::string::npos && close > open ? reason.substr(open + 1, close - open - 1)
                                                     : reason;
}

const char* const kServerTried = "сервер PipeWire или PulseAudio не отвечает";
const char* const kCardTried = "звуковая карта не открылась";
const char* const kSilentTodo =
    "Запустите звуковой сервер (PipeWire или PulseAudio) или подключите звуковую карту и "
    "запустите программу снова.";

std::string silentReason(const std::string& tried) {
    return "Звук недоступен, сигналы не будут слышны: " + tried + ".\n" + kSilentTodo;
}

} // namespace

SoundOutput openSoundOutput(Clock& clock) {
    std::string serverTried;
    if (serverWanted()) {
        auto pulse = std::make_unique<PulseSoundDevice>(clock);
        if (pulse->available())
            return {std::move(pulse), silentServerReason(probeSoundServer()), "pulse"};
        serverTried = std::string(kServerTried) + " (" + detail(pulse->unavailableReason()) + ")";
        if (environment("KELVATRON_SOUND") == "pulse")
            return {std::move(pulse), silentReason(serverTried), "pulse"};
    }
    auto sdl = std::make_unique<SdlSoundDevice>(clock);
    std::string reason;
    if (!sdl->unavailableReason().empty()) {
        const std::string cardTried =
            std::string(kCardTried) + " (SDL: " + detail(sdl->unavailableReason()) + ")";
        reason = silentReason(serverTried.empty() ? cardTried : serverTried + ", " + cardTried);
    }
    return {std::move(sdl), std::move(reason), "sdl"};
}

} // namespace kelvatron

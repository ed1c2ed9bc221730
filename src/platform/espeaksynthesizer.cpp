#include "platform/espeaksynthesizer.h"

#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <cstdlib>
#include <mutex>

namespace kelvatron {

namespace {

std::mutex libraryLock;

// What the library holds, under libraryLock. It is set up once for the process: its
// termination waits for a thread its synchronous output never starts, so it is never ended.
struct LibraryState {
    bool tried = false;
    int rate = 0;
};
LibraryState library;

int collect(short* wav, int count, espeak_EVENT* events) {
    if (wav && count > 0 && events && events->user_data) {
        auto& out = *static_cast<std::vector<int16_t>*>(events->user_data);
        out.insert(out.end(), wav, wav + count);
    }
    return 0; // go on
}

// The library's rate, or 0 when it could not be set up (from `dataPath`, the installed data
// when empty; the first voice's choice holds for the process).
int initialise(const std::string& dataPath) {
    if (library.tried) return library.rate;
    library.tried = true;
    const int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0,
                                       dataPath.empty() ? nullptr : dataPath.c_str(),
                                       espeakINITIALIZE_DONT_EXIT);
    if (rate <= 0) return 0;
    espeak_SetSynthCallback(collect);
    library.rate = rate;
    return rate;
}

// Silence the voice leaves before and after the words is not part of the answer: the pauses
// around it are the exercise's own.
void trimSilence(std::vector<int16_t>& samples) {
    constexpr int16_t kQuiet = 64; // about -54 dB
    auto loud = [](int16_t s) { return std::abs(s) > kQuiet; };
    const auto first = std::find_if(samples.begin(), samples.end(), loud);
    const auto last = std::find_if(samples.rbegin(), samples.rend(), loud).base();
    if (first >= last) return samples.clear();
    samples = std::vector<int16_t>(first, last);
}

} // namespace

std::optional<SpokenSound> EspeakSynthesizer::speak(std::string_view utf8) {
    const std::lock_guard lock(libraryLock);
    const int rate = initialise(dataPath_);
    if (rate == 0) {
        failure_ = "Синтезатор речи espeak-ng не нашёл своих данных: установите пакет "
                   "espeak-ng-data.";
        return std::nullopt;
    }
    if (espeak_SetVoiceByName(kVoice) != EE_OK) {
        failure_ = "У синтезатора речи espeak-ng нет русского голоса: установите пакет "
                   "espeak-ng-data полностью (apt-get install --reinstall espeak-ng-data).";
        return std::nullopt;
    }
    espeak_SetParameter(espeakRATE, kWordsPerMinute, 0);
    SpokenSound sound;
    sound.rate = static_cast<uint32_t>(rate);
    const std::string text(utf8);
    const espeak_ERROR result = espeak_Synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0,
                                             espeakCHARS_UTF8, nullptr, &sound.samples);
    if (result != EE_OK) {
        failure_ = "Синтезатор речи espeak-ng не смог произнести ответ.";
        return std::nullopt;
    }
    trimSilence(sound.samples);
    return sound;
}

} // namespace kelvatron

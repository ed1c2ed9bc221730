#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvatron {

// Speech as a synthesiser gives it: mono 16-bit samples at the synthesiser's own rate.
struct SpokenSound {
    std::vector<int16_t> samples;
    uint32_t rate = 0;
};

// A voice that speaks Russian text into memory. It is called off the sound thread (the sound
// thread only ever sees the finished samples) and may take a while.
class SpeechSynthesizer {
public:
    virtual ~SpeechSynthesizer() = default;
    // The text (UTF-8) spoken; nothing when the voice cannot speak, and then failure() says why,
    // in Russian, with what to do.
    virtual std::optional<SpokenSound> speak(std::string_view utf8) = 0;
    virtual std::string failure() const = 0;
};

// Builds the voice when speech is first wanted; an export or an exercise without speech never
// loads it.
using SpeechSynthesizerMaker = std::function<std::unique_ptr<SpeechSynthesizer>()>;

} // namespace kelvatron

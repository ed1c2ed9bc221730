#pragma once
#include <cmath>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "core/speechsynthesizer.h"

namespace kelvatron::test {

// What the fake voices were asked to say, in order.
struct SpeechLog {
    std::vector<std::string> said;
    int made = 0; // voices built
};

// A voice that "speaks" 40 ms per character of the text at 22050 Hz: a 300 Hz buzz whose loudness
// rises and falls like syllables, with a sharp peak in each syllable far above its level (as a
// real voice's plosives are), so the level and the limiter have work to do. A failing one speaks
// nothing and says why.
class FakeSpeech : public SpeechSynthesizer {
public:
    FakeSpeech(SpeechLog& log, bool fails) : log_(log), fails_(fails) {}

    std::optional<SpokenSound> speak(std::string_view utf8) override {
        log_.said.emplace_back(utf8);
        if (fails_) return std::nullopt;
        SpokenSound sound{{}, kRate};
        const size_t length = utf8.size() * kRate / 25;
        for (size_t i = 0; i < length; ++i) {
            const double t = double(i) / kRate;
            const double syllable = std::abs(std::sin(std::numbers::pi * t * 5));
            double v = 0.2 * syllable * std::sin(2 * std::numbers::pi * 300 * t);
            if (i % (kRate / 5) == kRate / 10) v = 0.95; // one loud click a syllable
            sound.samples.push_back(static_cast<int16_t>(v * 32767));
        }
        return sound;
    }
    std::string failure() const override { return "Нет голоса."; }

    static constexpr uint32_t kRate = 22050;

private:
    SpeechLog& log_;
    bool fails_;
};

inline SpeechSynthesizerMaker fakeSpeech(SpeechLog& log, bool fails = false) {
    return [&log, fails] {
        ++log.made;
        return std::make_unique<FakeSpeech>(log, fails);
    };
}

} // namespace kelvatron::test

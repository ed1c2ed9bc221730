#pragma once
#include <string>

#include "core/speechsynthesizer.h"

namespace kelvatron {

// The Russian voice of libespeak-ng, synthesising into memory (its synchronous output, no sound
// device of its own). The library keeps one global state, so every voice shares it under one
// lock; it is set up on first use, from the installed data or from `dataPath` when one is given
// (the first voice's choice holds for the whole process).
//
// Missing data or a missing Russian voice is a failure() in Russian, never an exit of the
// program.
class EspeakSynthesizer : public SpeechSynthesizer {
public:
    explicit EspeakSynthesizer(std::string dataPath = {}) : dataPath_(std::move(dataPath)) {}

    std::optional<SpokenSound> speak(std::string_view utf8) override;
    std::string failure() const override { return failure_; }

    // Words a minute: a little slower than the library's 175, so single names are clear.
    static constexpr int kWordsPerMinute = 150;
    static constexpr const char* kVoice = "ru";

private:
    std::string dataPath_;
    std::string failure_;
};

} // namespace kelvatron

#pragma once
#include <string>
#include <string_view>

#include "transmission/answervoice.h"

namespace kelvatron {

class TransmissionKeyer;

// Where the spoken answers fall in a transmission. The transmission reports each sign as it is
// keyed and each group as it ends; the answer is spoken once the learner's time to copy has
// passed since the last tone, and the next Morse waits for the pause again after the speech:
// speech and tone never overlap, and the Morse itself keeps its timing.
class AnswerSpeaking {
public:
    explicit AnswerSpeaking(TransmissionKeyer& keyer) : keyer_(keyer) {}

    // No voice, or the moment Off, keys the transmission as it was.
    void set(AnswerVoice* voice, SpokenAnswers answers) { voice_ = voice, answers_ = answers; }

    // A sign keyed as the signs `keyed` (Т Ч К for a full stop) and written as `written`.
    void afterSign(std::string_view keyed, char written);
    // The group (or word) keyed since the last one has ended and its pause is owed; in the
    // repeat mode it is keyed again after its answer, and followed by the group pause again.
    void afterGroup(int32_t groupPauseMs);

private:
    bool active() const { return voice_ && answers_.moment != AnswerMoment::Off; }
    void speak(std::string_view written);

    TransmissionKeyer& keyer_;
    AnswerVoice* voice_ = nullptr;
    SpokenAnswers answers_;
    std::string groupKeyed_, groupWritten_;
    double toneEnded_ = 0; // the last sign's, on the clock
};

} // namespace kelvatron

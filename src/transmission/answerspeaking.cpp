#include "transmission/answerspeaking.h"

#include "transmission/transmissionkeyer.h"

namespace kelvatron {

void AnswerSpeaking::afterSign(std::string_view keyed, char written) {
    if (!active()) return;
    toneEnded_ = keyer_.elementsEnded();
    groupKeyed_ += keyed;
    groupWritten_ += written;
    if (answers_.moment == AnswerMoment::AfterSign) speak(std::string_view(&written, 1));
}

void AnswerSpeaking::afterGroup(int32_t groupPauseMs) {
    if (!active() || groupWritten_.empty()) return;
    const std::string keyed = std::move(groupKeyed_), written = std::move(groupWritten_);
    groupKeyed_.clear(), groupWritten_.clear();
    if (answers_.moment == AnswerMoment::AfterSign) return;
    speak(written);
    if (answers_.moment != AnswerMoment::Repeat) return;
    for (char sign : keyed)
        keyer_.key(sign);
    keyer_.wait(groupPauseMs);
}

// The answer starts once the learner's time to copy has passed since the last tone, or the
// silence the transmission owes anyway if that is longer; the synthesis runs inside it.
void AnswerSpeaking::speak(std::string_view written) {
    if (!voice_->prepare(written)) return;
    keyer_.waitSince(toneEnded_, answers_.pauseMs);
    keyer_.settle();
    voice_->speakPrepared();
    keyer_.wait(answers_.pauseMs);
}

} // namespace kelvatron

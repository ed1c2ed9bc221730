#pragma once
#include <cstdint>
#include <string_view>

namespace kelvatron {

// When the answer is spoken: never, after each sign, after each group (or word), or after each
// group with the group keyed once more after it ("Morse, answer, Morse again").
enum class AnswerMoment : uint8_t { Off, AfterSign, AfterGroup, Repeat };

struct SpokenAnswers {
    AnswerMoment moment = AnswerMoment::Off;
    // The learner's time to copy before the answer, and the silence after it before the next
    // Morse.
    int32_t pauseMs = 1000;
};

// A voice that speaks the answer to what was keyed. prepare() does the slow part (the
// synthesis) while the transmission still owes a silence, so it never lengthens one;
// speakPrepared() sounds it on the transmission's clock.
class AnswerVoice {
public:
    virtual ~AnswerVoice() = default;
    // The answer for signs as written in the text (Windows-1251); false when nothing is to be
    // said or the voice cannot speak (it has then said so once, and the exercise runs on
    // silent).
    virtual bool prepare(std::string_view written) = 0;
    // Returns when the prepared answer has ended.
    virtual void speakPrepared() = 0;
};

} // namespace kelvatron

#pragma once
#include <cstdint>
#include <string_view>

#include "core/groupranges.h"
#include "transmission/answerspeaking.h"
#include "transmission/transmissionkeyer.h"

namespace kelvatron {

struct FormState;
class Clock;
class EventPump;
class PauseStopControl;
class Progress;
class SignPlayer;
class TextWindow;
class ToneOutput;
class TransmissionControls;

// Keys a whole exercise: the opening, the text in the window or random groups, the closing.
class TransmissionDriver {
public:
    TransmissionDriver(TransmissionControls& controls, TextWindow& text, Progress& progress,
                       Clock& clock, EventPump& events, FormState& state, SignPlayer& player,
                       PauseStopControl& pauseStop);

    // The start button: runs the whole transmission before it returns. A click while one runs
    // is ignored.
    void start();
    // Speaks the answers through `voice` (none: silent) as `answers` asks, from the next start.
    void setSpokenAnswers(AnswerVoice* voice, SpokenAnswers answers) {
        answers_.set(voice, answers);
    }

    // The group settings as a transmission reads them: the nearest whole number within the
    // steppers' range, whatever the display holds.
    static int32_t groupSizeOf(double value);
    static int32_t groupCountOf(double value);

private:
    void transmit();
    void prepare();
    bool opening();
    // Each returns false when a stop ended it.
    bool bodies();
    bool textBody();
    void keyTextCharacter(char c);
    bool letterBodies();
    bool mixedBodies();
    bool generatedBody(std::string_view set);
    bool generatedGroup(std::string_view set, int& progress);
    void finish();

    bool shouldStop();
    bool endRequested();
    void waitGroupPauses(int count);
    void paintProgress();

    TransmissionControls& controls_;
    TextWindow& text_;
    Progress& progress_;
    Clock& clock_;
    EventPump& events_;
    FormState& state_;
    PauseStopControl& pauseStop_;
    ToneOutput& output_;
    TransmissionKeyer keyer_;
    AnswerSpeaking answers_{keyer_};
    int32_t groupSize_ = 0;
    int32_t groupCount_ = 0;
};

} // namespace kelvatron

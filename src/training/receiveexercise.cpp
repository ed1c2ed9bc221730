#include "training/receiveexercise.h"

#include <algorithm>

#include "core/clock.h"
#include "core/eventpump.h"
#include "core/formstate.h"
#include "transmission/pausestopcontrol.h"

namespace kelvatron {

namespace {

// Whether a copy holds anything to check: spaces and line breaks are not scored.
bool holdsSigns(const std::string& copy) {
    return copy.find_first_not_of(" \t\r\n") != std::string::npos;
}

} // namespace

TransmissionSettings ExerciseControls::transmissionSettings() const {
    TransmissionSettings s = window_.transmissionSettings();
    if (ownText_) {
        s.digits = s.letters = s.digitsAndLetters = false;
        s.textInWindow = true;
    }
    return s;
}

ReceiveExercise::ReceiveExercise(TransmissionControls& controls, TextWindow& window,
                                 Progress& progress, Clock& clock, EventPump& events,
                                 FormState& state, SignPlayer& player, PauseStopControl& pauseStop)
    : controls_(controls), window_(window), clock_(clock), events_(events), state_(state),
      pauseStop_(pauseStop),
      driver_(controls_, hidden_, progress, clock, events, state, player, pauseStop) {}

std::optional<ReceiveAnswer> ReceiveExercise::run(std::string_view groupsCp1251) {
    if (state_.transmitting || running_) return std::nullopt;
    const bool ownGroups = !groupsCp1251.empty();
    controls_.keyOwnText(ownGroups);
    const bool textSource = controls_.transmissionSettings().textInWindow;
    // A generated group is followed by a group pause; the drawn groups end with one too.
    hidden_.reset(ownGroups    ? std::string(groupsCp1251) + " "
                  : textSource ? window_.text()
                               : std::string());
    ReceiveAnswer answer;

    running_ = true;
    checkRequested_ = false;
    window_.clear();
    window_.setAlignment(TextAlignment::Left);
    window_.setInputEnabled(true);
    window_.focus();
    keying_ = true;
    driver_.start();
    keying_ = false;
    // "Проверить" ends the keying with the stop button's own request; any other stop discards.
    const bool complete = state_.stopFlag != 1;
    answer.sent = keyedText(textSource, complete);
    const bool answered = (complete || checkRequested_) && waitForAnswer(complete);
    running_ = false;
    controls_.keyOwnText(false);
    state_.keyPreview = true;
    window_.setInputEnabled(false);
    if (!answered) return std::nullopt;
    answer.typed = window_.text();
    return answer;
}

// A text keyed to its end counts whole; one stopped counts up to the last sign keyed, which
// the driver leaves selected together with the sign after it.
std::string ReceiveExercise::keyedText(bool textSource, bool complete) const {
    std::string text;
    if (textSource) {
        text = hidden_.text();
        if (!complete) text.resize(std::clamp(hidden_.selectedEnd() - 1, 0, int(text.size())));
    }
    return text + hidden_.written();
}

// A learner who copies along types a sign or two behind the sound: the answer is taken when
// the typing has rested for a while. One who has typed nothing when the keying ends copies on
// paper or from memory, at a pace of their own: the copy waits for "Проверить". An empty copy is
// never taken. A start clicked meanwhile is ignored, as within a transmission. False when the
// exercise was stopped.
bool ReceiveExercise::waitForAnswer(bool keyedToEnd) {
    state_.transmitting = true;
    state_.stopFlag = 0; // a check's stop of the keying is no stop of the exercise
    // Keys typed while the closing sounded wait in the queue: they were copied along.
    events_.processEvents();
    std::string typed = window_.text();
    const bool copyingAlong = keyedToEnd && holdsSigns(typed);
    bool promptShown = false;
    double quietSince = clock_.now();
    bool answered = false;
    while (state_.stopFlag != 1) {
        const bool copied = holdsSigns(typed);
        const bool rested = copyingAlong && clock_.now() - quietSince >= kAnswerWaitMs;
        if (copied && (checkRequested_ || rested)) {
            answered = true;
            break;
        }
        // Said once the copy is (again) empty, and again at each "Проверить" it cannot take.
        if (!copied && (!promptShown || checkRequested_) && copyAwaited_) copyAwaited_();
        promptShown = !copied;
        checkRequested_ = false;
        events_.processEvents();
        clock_.sleep(kPollMs);
        if (std::string now = window_.text(); now != typed) {
            typed = std::move(now);
            quietSince = clock_.now();
        }
    }
    state_.transmitting = false;
    return answered;
}

void ReceiveExercise::requestCheck() {
    if (!running_) return;
    checkRequested_ = true;
    if (keying_ && state_.stopFlag != 1) pauseStop_.stop();
}

} // namespace kelvatron

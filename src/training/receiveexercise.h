#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/hiddentextwindow.h"
#include "transmission/transmissioncontrols.h"
#include "transmission/transmissiondriver.h"

namespace kelvatron {

// What one receive exercise keyed and what the learner typed, ready to be checked.
struct ReceiveAnswer {
    std::string sent;  // Windows-1251: the body keyed (the opening and closing are not in it)
    std::string typed; // Windows-1251: the window's text when the answer was taken
};

// The transmission's controls as a receive exercise sees them: everything as the window has it,
// except that groups drawn for the exercise are keyed as a text in the window.
class ExerciseControls : public TransmissionControls {
public:
    explicit ExerciseControls(TransmissionControls& window) : window_(window) {}
    void keyOwnText(bool own) { ownText_ = own; }

    TransmissionSettings transmissionSettings() const override;
    void setSourceChecked(TransmissionSource s, bool c) override { window_.setSourceChecked(s, c); }
    bool startChecked() const override { return window_.startChecked(); }
    void setStartChecked(bool checked) override { window_.setStartChecked(checked); }
    bool pauseChecked() const override { return window_.pauseChecked(); }
    void setPauseChecked(bool checked) override { window_.setPauseChecked(checked); }
    void lockHints(bool locked) override { window_.lockHints(locked); }

private:
    TransmissionControls& window_;
    bool ownText_ = false;
};

// A receive exercise: keys what the start button would key (or groups given to it) into a
// hidden text window, while the visible window is cleared and takes the learner's typing. The
// window's own key handling is not touched here: the caller keeps typed keys from sounding
// while running() is true.
class ReceiveExercise {
public:
    ReceiveExercise(TransmissionControls& controls, TextWindow& window, Progress& progress,
                    Clock& clock, EventPump& events, FormState& state, SignPlayer& player,
                    PauseStopControl& pauseStop);

    // Keys the exercise and waits for the learner's copy: one typed along with the keying is
    // taken once nothing was typed for kAnswerWaitMs after the last sign; one begun after the
    // keying waits for requestCheck(). An empty copy is never taken: the wait goes on, and the
    // copy prompt is given. groupsCp1251: groups to key instead of the transmission's choice
    // (weak signs), separated by spaces. Nothing when a transmission already runs or the
    // learner stopped the exercise.
    std::optional<ReceiveAnswer> run(std::string_view groupsCp1251 = {});
    // "Проверить": the keying stops and the copy is taken as it stands, or awaited while empty.
    void requestCheck();
    bool running() const { return running_; }
    // The answers spoken through `voice` as `answers` asks, from the next run.
    void setSpokenAnswers(AnswerVoice* voice, SpokenAnswers answers) {
        driver_.setSpokenAnswers(voice, answers);
    }
    // Called while the keying is over and the copy is empty, so the learner can be told that
    // "Проверить" takes it once typed.
    void onCopyAwaited(std::function<void()> prompt) { copyAwaited_ = std::move(prompt); }

    static constexpr int kAnswerWaitMs = 3000;
    static constexpr int kPollMs = 20;

private:
    std::string keyedText(bool textSource, bool complete) const;
    bool waitForAnswer(bool keyedToEnd);

    ExerciseControls controls_;
    TextWindow& window_;
    Clock& clock_;
    EventPump& events_;
    FormState& state_;
    PauseStopControl& pauseStop_;
    HiddenTextWindow hidden_;
    TransmissionDriver driver_;
    bool running_ = false;
    bool keying_ = false;
    bool checkRequested_ = false;
    std::function<void()> copyAwaited_;
};

} // namespace kelvatron

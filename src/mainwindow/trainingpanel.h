#pragma once
#include <QObject>
#include <functional>
#include <optional>

#include "keying/keyingsettings.h"
#include "training/coursemode.h"
#include "training/examblockmode.h"
#include "training/exercisespeed.h"
#include "training/receiveexercise.h"
#include "training/receivemode.h"
#include "training/speedexam.h"
#include "training/weaksignsmode.h"
#include "trainingui/trainingpanelview.h"
#include "trainingui/voiceoptionsview.h"
#include "transmission/speechanswervoice.h"

class QWidget;

namespace kelvatron {

class AirSwitch;
class AirView;
class Dialogs;
class HistoryStore;
class KeyingSettingsSource;
class LearnerHistory;

// What the training panel works with, handed over by the window.
struct TrainingPanelParts {
    // The transmission a receive exercise keys through, and the text window the learner copies
    // into.
    TransmissionControls& transmissionControls;
    TextWindow& textWindow;
    Progress& progress;
    Clock& clock;
    EventPump& events;
    FormState& state;
    SignPlayer& signPlayer;
    PauseStopControl& pauseStop;
    // The speed it shows and checks at.
    const KeyingSettingsSource& keyingSettings;
    LearnerHistory& history;
    Dialogs& dialogs;
    // Where the spoken answers sound (the tones' device), and the voice that speaks them.
    SoundDevice& sound;
    SpeechSynthesizerMaker voice;
    // Where its widgets go: the training and history frames, the window (the speed line under
    // the speed bar), the text window's widget (first in the tab order) and the on-screen
    // keyboard (disabled while the learner copies).
    QWidget* panelFrame;
    QWidget* historyFrame;
    QWidget* window;
    QWidget* textWindowWidget;
    QWidget* keyboard;
    // Shows one floating panel and hides the others.
    std::function<void(QWidget*)> showOnly;
    // Keys at a training mode's own speed (nothing: the speed bar's and the Farnsworth choice).
    std::function<void(std::optional<TrainingSpeed>)> setTrainingSpeed;
    // Puts the air's conditions on the exercise's sound, when there is one.
    AirSwitch* air = nullptr;
};

struct SendingResult;

// The "Тренировка" panel: the training modes the program keys (receive, weak signs) with their
// check and history, the way to the sending practice, and the speed shown beside the speed bar.
// A program-keyed mode is one entry that runs through runExercise().
class TrainingPanel : public QObject {
    Q_OBJECT
public:
    explicit TrainingPanel(const TrainingPanelParts& parts);
    ~TrainingPanel() override;

    // While a receive exercise runs, typed keys belong to the learner's answer: they must not
    // sound.
    bool receiving() const { return exercise_.running(); }

    // For the course: a new sign introduced with its name and its напев spoken, now (the
    // voice's failure is reported as the answers' is). False when it could not be spoken.
    bool introduceSign(char written);

    void show();           // the menu word "Тренировка"
    void startReceiving(); // "Приём на слух": receive, or weak signs when chosen
    void checkNow();       // "Проверить"
    void showHistory();    // "Журнал"
    void refreshSpeed();   // the speed, its units or the output changed
    void showCourse();     // "Курс": the lesson the learner is at, its new sign played
    void showExam();       // "Зачёт": the speed test's choices, state and best results
    // The sending test's run ended: scored on the decoder's errors against the radiogram and
    // on the rhythm, kept in the history.
    void sendingExamFinished(const SendingResult& result);

    // The history, opened at its first use; its messages are shown once.
    HistoryStore& store();
    const TrainingPanelView& view() const { return view_; }
    const VoiceOptionsView& voiceView() const { return voiceView_; }

signals:
    void sendingPracticeRequested(); // "Передача ключом"
    // "Зачёт передачи": the radiogram (Windows-1251) the learner is to key.
    void sendingExamRequested(const std::string& radiogramCp1251);
    void callsignsRequested();       // "Позывные"

private:
    void connectCommands();
    // The dot the chosen output keys, ms: the sound card's is one speed unit, the speaker's two.
    int dotMs() const;
    bool weakSignsChosen() const;
    // Keys a program-keyed mode's exercise, takes the learner's copy and checks it.
    void runExercise(const TrainingMode& mode);
    // again: the exercise was checked before, its record is replaced.
    void check(const ReceiveAnswer& answer, bool again);
    void record(const ReceiveCheck& result, bool again);
    void refreshWeakLine();
    TrainingContext context() const;
    KeyingPace pace() const;
    void connectVoice();
    void reportVoiceFailure(const std::string& why);
    // The voice set for the exercise about to run: the learner's choices, the tones' level.
    void prepareVoice();
    void loadOptions();
    void saveOptions() const;
    // The course: its order and settings from the [Course] group, the lesson from the history.
    void loadCourse();
    void playNewSign();
    void refreshCourse();
    void courseChecked(const ReceiveCheck& result);
    // The course's character speed: the typed one (or the speed bar's) plus a step a stage.
    int courseSignsPerMinute() const;
    std::optional<TrainingSpeed> courseSpeed() const;
    void saveCourseSpeed() const;
    // The speed test: a block keyed at its speed, checked, and the test kept once it ends.
    void examReceive();
    void examSend();
    void examBlockChecked(const ReceiveCheck& result, double durationMs);
    void finishExam();
    void refreshExamBest();
    void loadExamOptions();
    void saveExamOptions() const;
    // "Эфир" in the panel's title opens the air's panel beside it.
    void buildAirView();

    TrainingPanelParts parts_;
    ReceiveExercise exercise_;
    ReceiveMode receive_;
    WeakSignsMode weakSigns_;
    LessonOrder courseOrder_{std::string()};
    CourseSettings courseSettings_;
    CourseProgress courseProgress_;
    CourseMode course_;
    bool courseLooked_ = false; // the history was asked whether a course runs
    std::optional<SpeedExam> exam_;
    ExamText examText_ = ExamText::Digits;
    ExamBlockMode examBlock_;
    std::string examRadiogram_; // the sending test's text, Windows-1251, while one is asked for
    TrainingPanelView view_;
    // The exercise checked last, its mode, plan and record, for a second check.
    const TrainingMode* mode_ = nullptr;
    ExercisePlan plan_;
    std::optional<ReceiveAnswer> lastAnswer_;
    SessionRecord lastSession_;
    std::unique_ptr<AirView> airView_;
    // The spoken answers' choices and the voice that speaks them, made at the rate the device
    // mixes at (a common one where the device takes any).
    VoiceOptionsView voiceView_{parts_.panelFrame, parts_.window};
    SpeechAnswerVoice voice_{parts_.voice,
                             parts_.sound,
                             parts_.clock,
                             parts_.sound.placedRate() ? parts_.sound.placedRate() : 48000,
                             toneLevel(TTGWave::tgSine),
                             {},
                             [this](const std::string& why) { reportVoiceFailure(why); }};
};

} // namespace kelvatron

#pragma once
#include <QObject>
#include <functional>
#include <string>
#include <vector>

#include "mainwindow/soundsidetone.h"

class QEvent;
class QKeyEvent;
class QWidget;

namespace kelvatron {

class Clock;
class KeyPortLink;
class LearnerHistory;
class SendingPanelView;
class SendingPracticeView;
class TextWindow;
class TransmissionControls;
struct SendingOutcome;
struct SendingResult;

// What the sending panel works with, handed over by the window.
struct SendingPanelParts {
    // The sidetone's outputs and the keying settings it sounds and the practice keys at.
    SoundDevice& sound;
    const KeyingSettingsSource& keyingSettings;
    LiveSpeakerTone* speaker; // may be null
    KeyPortLink* keyLink;     // the serial key; may be null
    // The alphabet the decoder reads.
    const TransmissionControls& transmissionControls;
    // The text to send, and where the decoded text goes.
    TextWindow& textWindow;
    // "генерация букв" into the text window, for a check asked of an empty window.
    std::function<void()> generateLetters;
    const Clock& clock;
    LearnerHistory& history;
    // The window the panel floats on, and the text window's widget (keys typed there type).
    QWidget* window;
    QWidget* textWindowWidget;
};

// The " Передача ключом" panel: the sending practice on the window's text window, speed bar,
// alphabet switch and outputs. Decoded signs go into the text window as they complete, below
// the text the learner copies; a checked run is stored in the history.
class SendingPanel : public QObject {
    Q_OBJECT
public:
    explicit SendingPanel(const SendingPanelParts& parts);
    ~SendingPanel() override;

    QWidget* frame() const;
    SendingPracticeView& view() const;
    // The window's key preview: true when the event keyed the practice and must go no further.
    // Keys key only while a run is on and the text window is not where the learner types;
    // the window losing the keyboard lets go of every key.
    bool previewKey(QObject* watched, QEvent* event);
    // The sending test: the radiogram (Windows-1251) goes into the text window, and the next
    // run keyed on it is handed to `done` instead of being kept as practice. Writing anything
    // else into the window before the run starts drops the test.
    void startExam(const std::string& radiogramCp1251,
                   std::function<void(const SendingResult&)> done);

public slots:
    // The speed bar, the ratio steppers and the alphabet switches change the practice as they
    // are clicked; the window's own handlers run first, so the values read are the new ones.
    void followWindowSettings();

private:
    void beginRun();
    void writeDecoded(const std::string& cp1251);
    void finishRun(const SendingOutcome& outcome);
    void loadChoices();
    void saveChoices() const;
    void noteHold(const QKeyEvent& key);
    void echoRun(const SendingOutcome& outcome) const;

    SendingPanelParts parts_;
    SoundSidetone sidetone_;
    SendingPanelView* frame_;
    std::string model_; // the text to copy, Windows-1251, as the run began
    bool wroteThisRun_ = false;
    bool echo_;                        // decoded text and Space hold times to stderr at the end
    std::vector<unsigned long> holds_; // Space press and release stamps of this run
    std::string examText_;             // the sending test's radiogram, while one is asked for
    std::function<void(const SendingResult&)> examDone_;
};

} // namespace kelvatron

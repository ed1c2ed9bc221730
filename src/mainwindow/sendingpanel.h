#pragma once
#include <memory>
#include <string>
#include <vector>

#include "keying/livespeakertone.h"
#include "mainwindow/soundsidetone.h"
#include "widgets/tglgroupbox.h"

class QEvent;
class QKeyEvent;

namespace kelvatron {

class HistoryStore;
class KeyPortLink;
class SendingPracticeView;
class TForm1;
class TglGraphicButton;
struct SendingOutcome;

// The floating " Передача ключом" panel: the sending practice on the window's text window,
// speed bar, alphabet switch and outputs. Decoded signs go into the text window as they
// complete, below the text the learner copies; a checked run is stored in the history.
class SendingPanel : public TglGroupBox {
    Q_OBJECT
public:
    SendingPanel(TForm1& form, KeyPortLink* link, LiveSpeakerTone* speaker);
    ~SendingPanel() override;

    SendingPracticeView& view() { return *view_; }
    // The history the panel records into; by default the learner's own.
    void setHistoryPath(std::string path);
    // The window's key preview: true when the event keyed the practice and must go no further.
    // Keys key only while a run is on and the text window is not where the learner types;
    // the window losing the keyboard lets go of every key.
    bool previewKey(QObject* watched, QEvent* event);

protected:
    // A run ends with its panel: keys no longer reach it once it is hidden.
    void hideEvent(QHideEvent* event) override;

private:
    void connectWindowControls();
    void followWindowSettings();
    void beginRun();
    void writeDecoded(const std::string& cp1251);
    void finishRun(const SendingOutcome& outcome);
    void loadChoices();
    void saveChoices() const;
    void noteHold(const QKeyEvent& key);
    void echoRun(const SendingOutcome& outcome) const;

    TForm1& form_;
    SoundSidetone sidetone_;
    SendingPracticeView* view_;
    TglGraphicButton* close_;
    std::string model_; // the text to copy, Windows-1251, as the run began
    bool wroteThisRun_ = false;
    std::string historyPath_;
    std::unique_ptr<HistoryStore> history_;
    bool echo_;                        // decoded text and Space hold times to stderr at the end
    std::vector<unsigned long> holds_; // Space press and release stamps of this run
};

} // namespace kelvatron

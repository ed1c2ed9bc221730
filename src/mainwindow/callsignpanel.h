#pragma once
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "core/formstate.h"
#include "mainwindow/drillkeyer.h"
#include "training/callsigndrill.h"
#include "training/callsignmode.h"

class QWidget;

namespace kelvatron {

class AirSwitch;
class CallsignPanelView;
class ContactPage;
class QCodePage;
class PileupPage;
class SoundDevice;
class KeyboardLayout;
class Clock;
class EventPump;
class LearnerHistory;
class ToneOutput;

// What the callsign panel works with, handed over by the window.
struct CallsignPanelParts {
    // The outputs, tone and pauses the calls are keyed with; the drill sets its own speed.
    const KeyingSettingsSource& keyingSettings;
    ToneOutput& toneOutput;
    // The pile-up's mixed stations play on the sound card.
    SoundDevice& sound;
    Clock& clock;
    EventPump& events;
    // The window's stop request (it closes) ends a run at the next sign.
    FormState& state;
    LearnerHistory& history;
    // Keys typed into a call's input are read with the US layout, then the window's again.
    KeyboardLayout& keyboardLayout;
    std::function<const char*()> windowLayout;
    QWidget* window;
    // The band's conditions, heard by every drill when they are on.
    AirSwitch* air = nullptr;
};

// The " Позывные и радиообмен" panel's controller. The callsign drill keys one call at the run's
// speed, waits for the learner's copy (Enter), steps the speed and keys the next; a finished run
// goes into the history (kind "callsign") and the best runs (the settings file's [Callsigns]
// group, with the run's choices).
class CallsignPanel : public QObject {
    Q_OBJECT
public:
    explicit CallsignPanel(const CallsignPanelParts& parts);
    ~CallsignPanel() override;

    QWidget* frame() const;
    CallsignPanelView& view() const { return *frame_; }
    bool running() const { return running_; }
    ContactPage& contactPage() const { return *contact_; }
    QCodePage& qcodePage() const { return *qcodes_; }
    PileupPage& pileupPage() const { return *pileup_; }
    // The run going or last run; null before the first.
    const CallsignDrill* drill() const { return drill_ ? &*drill_ : nullptr; }
    // A key typed into the panel is the learner's copy: the window must not sound it.
    bool ownsKeysOf(const QWidget* widget) const;

    // Silence before each call, so the learner is ready for its first sign.
    static constexpr int kBeforeCallMs = 600;

private:
    void startRun();
    void keyCall();
    void answer(const QString& typed);
    void takeAnswer(const QString& typed);
    void repeatCall();
    void stopRun();
    void finishRun();
    void showFigures();
    bool stopAsked() const;
    void loadChoices();
    void saveChoices() const;

    CallsignPanelParts parts_;
    CallsignPanelView* frame_;
    DrillKeyer keyer_;
    std::unique_ptr<ContactPage> contact_;
    std::unique_ptr<QCodePage> qcodes_;
    std::unique_ptr<PileupPage> pileup_;
    CallsignMode mode_;
    std::optional<CallsignDrill> drill_;
    bool running_ = false;
    bool keying_ = false;
    std::optional<QString> pendingAnswer_;
    double startedMs_ = 0;
};

} // namespace kelvatron

#pragma once
#include <QObject>
#include <memory>
#include <vector>

#include "exercises/callsigngenerator.h"
#include "exercises/pileup.h"

namespace kelvatron {

class AirSwitch;
class Clock;
class SignalChain;
class DrillKeyer;
class PileupView;
class SoundDevice;

// The "Общий вызов" page's controller: the learner's CQ keyed through the window's outputs, then
// the stations that answer mixed at their pitches, speeds, levels and starts and played on the
// sound card while the learner types a call heard. The right call gets the station's report and
// the others call again (now and then with a newcomer); a call nobody sent brings them all again.
class PileupPage : public QObject {
    Q_OBJECT
public:
    PileupPage(PileupView& view, DrillKeyer& keyer, SoundDevice& sound, Clock& clock,
               AirSwitch* air = nullptr);

    const std::vector<PileupCaller>& callers() const { return callers_; }
    int contacts() const { return contacts_; }
    void stop();

    // The station's answer to its call given right, and the pause before the others call again.
    static constexpr const char* kReport = "R 5NN TU";
    static constexpr int kAfterReportMs = 400;

private:
    void cq();
    void callAgain();
    void answer(const QString& typed);
    // Plays the callers from their starts, after `before` (the worked station's report) if any.
    void play(const std::vector<float>& before = {});
    void sayCalling();
    void echoCallers() const;
    PileupSettings settings() const;
    // The band's conditions for one mixed sound, when they are on.
    std::unique_ptr<SignalChain> airChain(uint32_t rate) const;

    PileupView& view_;
    DrillKeyer& keyer_;
    SoundDevice& sound_;
    Clock& clock_;
    AirSwitch* air_;
    CallsignGenerator calls_;
    uint32_t state_;
    std::vector<PileupCaller> callers_;
    std::vector<uint8_t> image_; // the sound playing, kept while it plays
    int contacts_ = 0;
    bool keying_ = false;
    bool stopped_ = false;
};

} // namespace kelvatron

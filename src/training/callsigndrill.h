#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "exercises/callsigngenerator.h"

namespace kelvatron {

// A run's choices: how many calls, the speed of the first, and the step a right call raises the
// speed by and a wrong one lowers it by, in signs per minute (PARIS: 6000 / dot ms).
struct CallsignDrillSettings {
    int calls = 50;
    int startCpm = 100;
    int stepCpm = 10;
};

// The sound card's speed unit runs 10..100 ms: 600..60 signs per minute.
inline constexpr int kCallsignMinCpm = 60;
inline constexpr int kCallsignMaxCpm = 600;

// One call of a run as it was keyed and copied.
struct CallsignAttempt {
    std::string sent;  // Latin capitals, digits and '/'
    std::string typed; // the learner's copy, as normalizedCopy() reads it
    int cpm = 0;       // the speed it was keyed at
    bool repeated = false;
    bool right = false;
    int points = 0;
};

// A call typed right scores its length times its speed: signs × cpm / 10, halved when the
// learner asked for it again; any error scores nothing. "UA3ABC" at 100 signs a minute: 60.
int callsignPoints(std::string_view call, int cpm, bool repeated);

// The learner's copy in the calls' own letters: capitals, a Cyrillic letter read as the Latin
// letter keyed with the same sign ("УА3АБЦ" is "UA3ABC", as a receive check reads it), spaces
// dropped. UTF-8 in, Latin out; a character with no Latin partner stays as typed.
std::string normalizedCopy(std::string_view typedUtf8);

// The drill that fires calls one by one and follows the learner: each call at the run's current
// speed, faster by a step after a right copy and slower by one after a wrong copy, within the
// speeds the keying can sound. Calls come from the callsign generator: none twice in a run.
class CallsignDrill {
public:
    CallsignDrill(const CallsignDrillSettings& settings, uint32_t seed);

    bool finished() const { return int(attempts_.size()) >= settings_.calls; }
    // The call to key now, and its speed; a repeat keys it again at the same speed.
    const std::string& call() const { return call_; }
    int cpm() const { return cpm_; }
    // The sound card's dot for the current speed, ms.
    int dotMs() const;
    // The learner asked to hear the call again: the call then scores half.
    void noteRepeat() { repeated_ = true; }
    bool repeated() const { return repeated_; }
    // Takes the copy of the current call, steps the speed and draws the next call.
    const CallsignAttempt& answer(std::string_view typedUtf8);

    int total() const { return settings_.calls; }
    int answered() const { return int(attempts_.size()); }
    int right() const;
    int score() const;
    // The fastest speed a call was copied right at; 0 before one was.
    int topCpm() const;
    const std::vector<CallsignAttempt>& attempts() const { return attempts_; }

private:
    CallsignDrillSettings settings_;
    CallsignGenerator generator_;
    std::string call_;
    int cpm_;
    bool repeated_ = false;
    std::vector<CallsignAttempt> attempts_;
};

} // namespace kelvatron

#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "audio/airconditions.h"
#include "training/historystore.h"
#include "training/receivecheck.h"
#include "transmission/transmissioncontrols.h"

namespace kelvatron {

// The window's choices a mode may draw on, as they stand when an exercise begins.
struct TrainingContext {
    TransmissionSettings transmission; // the " Передача" choice, group size and count, alphabet
    std::string windowText;            // Windows-1251: the text window's text
};

// What one exercise keys, and what the history calls it.
struct ExercisePlan {
    // Windows-1251, groups separated by spaces: what the program keys (empty: what the start
    // button would key), or what the learner is to send (empty: nothing to check against).
    std::string text;
    std::string source;   // UTF-8, the history's `source`
    std::string alphabet; // UTF-8, the signs drawn from, when the exercise drew from an alphabet
};

// How fast and how long one exercise went, as the history keeps it.
struct ExerciseFigures {
    int dotMs = 0;
    double charWpm = 0;
    double effectiveWpm = 0;
    double durationS = 0;
};

// One way to train: what it keys, how the copy is checked and what the history records. The
// training panel runs a mode the program keys as a receive exercise (TrainingPanel::runExercise);
// the sending practice runs the one the learner keys. A new way to train (a course, a speed test,
// a callsign drill) is one more implementation and one more entry in the panel.
class TrainingMode {
public:
    virtual ~TrainingMode() = default;

    // The history's `kind`: "receive" for a copy by ear, "send" for the learner's keying.
    virtual std::string kind() const = 0;
    // What the next exercise keys, and its `source`.
    virtual ExercisePlan plan(const TrainingContext& context) const = 0;
    // The copy (the learner's, or the decoder's of the learner's keying) against what was meant;
    // nothing when the mode checks nothing. By default sign against sign, as checkReceived does.
    virtual std::optional<ReceiveCheck> check(std::string_view sentCp1251,
                                              std::string_view copyCp1251) const;
    // The history's record of one exercise; signs and errors come from the check it is stored
    // with.
    virtual SessionRecord record(const ExercisePlan& plan, const ExerciseFigures& figures) const;
    // When the learner's air (noise, fading, other stations) is put on the exercise: a receive
    // exercise or a lesson hears it whenever it is on; a speed test returns SpeedTest, heard
    // only when the learner chose the air for speed tests too. The panel asks for it with a
    // fresh seed each exercise (AirScope).
    virtual AirOccasion airOccasion() const { return AirOccasion::Exercise; }
};

} // namespace kelvatron

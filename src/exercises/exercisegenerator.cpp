#include "exercises/exercisegenerator.h"

#include <algorithm>

#include "core/clock.h"
#include "core/eventpump.h"
#include "core/progress.h"
#include "core/random.h"
#include "core/terminationrequest.h"
#include "core/textwindow.h"
#include "exercises/jargonwords.h"
#include "transmission/sourceselection.h"
#include "transmission/transmissioncontrols.h"
#include "transmission/transmissiondriver.h"

namespace kelvatron {

namespace {

constexpr std::string_view kGroupSeparator = "  ";
constexpr std::string_view kWordSeparator = "   ";
// No event is handled during a run, so the window is painted from here as it is written; often
// enough to follow the writing, seldom enough that painting adds little to the 1 ms waits.
constexpr double kRepaintIntervalMs = 50;
// At least this many times a painting's own time passes before the next one.
constexpr double kPaintCostFactor = 40;

// Writes an exercise at the end of the window's text in one batch: the window lays it out only
// when it is painted, and the exercise replaces the text as a whole, so undo does not take it
// apart a character at a time.
class ExerciseWriter {
public:
    explicit ExerciseWriter(TextWindow& text) : text_(text) { text_.beginBatch(); }
    ~ExerciseWriter() { text_.endBatch(); }
    ExerciseWriter(const ExerciseWriter&) = delete;
    ExerciseWriter& operator=(const ExerciseWriter&) = delete;

    void append(std::string_view cp1251) { text_.append(cp1251); }

private:
    TextWindow& text_;
};

} // namespace

ExerciseGenerator::ExerciseGenerator(TransmissionControls& controls, TextWindow& text,
                                     Progress& progress, Clock& clock, EventPump& events,
                                     SourceSelection& sources)
    : controls_(controls), text_(text), progress_(progress), clock_(clock), events_(events),
      sources_(sources) {}

void ExerciseGenerator::generate(ExerciseKind kind) {
    switch (kind) {
    case ExerciseKind::Digits:
        // The digits set does not depend on the alphabet.
        beginCommand();
        return generateGroups(generationSet(GenerationSetKind::Digits));
    case ExerciseKind::Letters:
        beginCommand();
        return generateForAlphabet(GenerationSetKind::CyrillicLetters,
                                   GenerationSetKind::LatinLetters);
    case ExerciseKind::DigitsAndLetters:
        beginCommand();
        return generateForAlphabet(GenerationSetKind::DigitsAndCyrillicLetters,
                                   GenerationSetKind::DigitsAndLatinLetters);
    case ExerciseKind::Jargon:
        progress_.setPosition(0);
        generateJargon();
        // The window takes input afterwards, so the words can be edited before they are keyed.
        text_.setInputEnabled(true);
        return;
    }
}

void ExerciseGenerator::beginCommand() {
    progress_.setPosition(0);
    text_.setAlignment(TextAlignment::Left);
}

// Exactly one alphabet option is set; should stored settings have set both, both runs take place
// one after the other, the Latin one replacing the Cyrillic one.
void ExerciseGenerator::generateForAlphabet(GenerationSetKind cyrillic, GenerationSetKind latin) {
    if (controls_.transmissionSettings().cyrillic) generateGroups(generationSet(cyrillic));
    if (controls_.transmissionSettings().latin) {
        progress_.setPosition(0);
        generateGroups(generationSet(latin));
    }
}

// The progress bar counts characters across the whole exercise and goes back to 0 after every
// group. The generator is seeded anew for every group. A request to end the program ends the run
// where it stands, the only thing that can.
void ExerciseGenerator::generateGroups(std::string_view set) {
    const TransmissionSettings settings = controls_.transmissionSettings();
    const int32_t groupSize = TransmissionDriver::groupSizeOf(settings.groupSize);
    const int32_t groupCount = TransmissionDriver::groupCountOf(settings.groupCount);
    startExercise();
    progress_.setMax(groupSize * groupCount - 1);
    ExerciseWriter text(text_);
    int progress = 0;
    for (int32_t group = 0; group < groupCount; ++group) {
        Randomize(clock_);
        for (int32_t i = 0; i < groupSize; ++i) {
            if (terminationRequested()) return;
            progress_.setPosition(progress++);
            const char entry = drawEntry(set);
            text.append(std::string_view(&entry, 1));
            clock_.sleep(1);
            paintWhenDue();
        }
        text.append(kGroupSeparator);
        progress_.setPosition(0);
    }
}

// One word per unit, the generator seeded anew for every word; the wait follows the word and
// comes before its separator.
void ExerciseGenerator::generateJargon() {
    const int32_t wordCount =
        TransmissionDriver::groupCountOf(controls_.transmissionSettings().groupCount);
    text_.clear();
    text_.setAlignment(TextAlignment::Left);
    sources_.selectTextInWindow();
    events_.processEvents();
    lastPaint_ = clock_.now();
    paintInterval_ = kRepaintIntervalMs;
    progress_.setMax(wordCount - 1);
    ExerciseWriter text(text_);
    int progress = 0;
    for (int32_t word = 0; word < wordCount; ++word) {
        if (terminationRequested()) return;
        Randomize(clock_);
        progress_.setPosition(progress++);
        text.append(kJargonWordsCp1251[Random(kJargonWordCount)]);
        clock_.sleep(1);
        paintWhenDue();
        text.append(kWordSeparator);
        progress_.setPosition(0);
    }
}

// Events run here once, after the old text is gone and before the first draw: a click queued
// meanwhile acts now, and nothing can act during the groups.
void ExerciseGenerator::startExercise() {
    text_.clear();
    sources_.selectTextInWindow();
    events_.processEvents();
    lastPaint_ = clock_.now();
    paintInterval_ = kRepaintIntervalMs;
}

// Laying out a long line of groups takes longer the more there is: the pause between paintings
// grows with what one costs, so that painting stays a small share of the run.
void ExerciseGenerator::paintWhenDue() {
    const double now = clock_.now();
    if (now - lastPaint_ < paintInterval_) return;
    text_.paint();
    progress_.paint();
    lastPaint_ = clock_.now();
    paintInterval_ = std::max(kRepaintIntervalMs, (lastPaint_ - now) * kPaintCostFactor);
}

} // namespace kelvatron

#include "exercises/exercisegenerator.h"

#include <QTextCursor>
#include <QTextDocument>

#include "core/clock.h"
#include "core/cp1251.h"
#include "core/eventpump.h"
#include "core/random.h"
#include "exercises/jargonwords.h"
#include "form/formcontrols.h"
#include "form/services.h"
#include "transmission/sourceselection.h"
#include "transmission/transmissiondriver.h"
#include "widgets/tglcheckbox.h"
#include "widgets/tgldigits.h"
#include "widgets/tglgroupbox.h"
#include "widgets/tmemo.h"
#include "widgets/tprogressbar.h"

namespace kelvatron {

namespace {

constexpr std::string_view kGroupSeparator = "  ";
constexpr std::string_view kWordSeparator = "   ";

// Writes an exercise at the end of the window's text, with the same text at every step as reading
// the whole text and writing it back with the addition, but without copying the growing text for
// every character. The editor lays the text out once, when the exercise is complete, instead of
// after every character: no event is handled during a run, so nothing shows before then anyway.
// The exercise replaces the text as a whole, so the undo history does not hold it piece by piece
// (Ctrl+Z would take it apart a character at a time); recording is off while it is written.
class ExerciseWriter {
public:
    explicit ExerciseWriter(TMemo& memo)
        : document_(*memo.document()), undoWasEnabled_(document_.isUndoRedoEnabled()),
          end_(&document_) {
        document_.setUndoRedoEnabled(false);
        end_.beginEditBlock();
    }
    ~ExerciseWriter() {
        end_.endEditBlock();
        document_.setUndoRedoEnabled(undoWasEnabled_);
    }
    ExerciseWriter(const ExerciseWriter&) = delete;
    ExerciseWriter& operator=(const ExerciseWriter&) = delete;

    // Placed by position: moving the cursor to the end would look for the text direction of the
    // whole growing line, which for digits means scanning all of it every time.
    void append(std::string_view cp1251) {
        end_.setPosition(document_.characterCount() - 1);
        end_.insertText(QString::fromStdString(fromCp1251(cp1251)));
    }

private:
    QTextDocument& document_;
    bool undoWasEnabled_;
    QTextCursor end_;
};

} // namespace

ExerciseGenerator::ExerciseGenerator(FormControls& ui, Services& services, SourceSelection& sources)
    : ui_(ui), services_(services), sources_(sources) {}

// The digits set does not depend on the alphabet.
void ExerciseGenerator::glLabel13Click() {
    beginCommand();
    generateGroups(generationSet(GenerationSetKind::Digits));
}

void ExerciseGenerator::glLabel14Click() {
    beginCommand();
    generateForAlphabet(GenerationSetKind::CyrillicLetters, GenerationSetKind::LatinLetters);
}

void ExerciseGenerator::glLabel15Click() {
    beginCommand();
    generateForAlphabet(GenerationSetKind::DigitsAndCyrillicLetters,
                        GenerationSetKind::DigitsAndLatinLetters);
}

void ExerciseGenerator::glLabel16Click() {
    ui_.glGroupBox3->setVisible(false);
    ui_.ProgressBar1->setPosition(0);
    generateJargon();
    // The window takes input afterwards, so the words can be edited before they are keyed.
    ui_.Memo1->setInputEnabled(true);
}

void ExerciseGenerator::beginCommand() {
    ui_.glGroupBox3->setVisible(false);
    ui_.ProgressBar1->setPosition(0);
    ui_.Memo1->setAlignmentAll(Qt::AlignLeft);
}

// Exactly one alphabet option is set; should stored settings have set both, both runs take place
// one after the other, the Latin one replacing the Cyrillic one.
void ExerciseGenerator::generateForAlphabet(GenerationSetKind cyrillic, GenerationSetKind latin) {
    if (ui_.glCheckBox22->Checked()) generateGroups(generationSet(cyrillic));
    if (ui_.glCheckBox23->Checked()) {
        ui_.ProgressBar1->setPosition(0);
        generateGroups(generationSet(latin));
    }
}

// The progress bar counts characters across the whole exercise and goes back to 0 after every
// group. The generator is seeded anew for every group.
void ExerciseGenerator::generateGroups(std::string_view set) {
    const int32_t groupSize = TransmissionDriver::groupSizeOf(ui_.glDigits9->Value());
    const int32_t groupCount = TransmissionDriver::groupCountOf(ui_.glDigits10->Value());
    startExercise();
    ui_.ProgressBar1->setMax(groupSize * groupCount - 1);
    ExerciseWriter text(*ui_.Memo1);
    int progress = 0;
    for (int32_t group = 0; group < groupCount; ++group) {
        Randomize(services_.clock);
        for (int32_t i = 0; i < groupSize; ++i) {
            ui_.ProgressBar1->setPosition(progress++);
            const char entry = drawEntry(set);
            text.append(std::string_view(&entry, 1));
            services_.clock.sleep(1);
        }
        text.append(kGroupSeparator);
        ui_.ProgressBar1->setPosition(0);
    }
}

// One word per unit, the generator seeded anew for every word; the wait follows the word and
// comes before its separator.
void ExerciseGenerator::generateJargon() {
    const int32_t wordCount = TransmissionDriver::groupCountOf(ui_.glDigits10->Value());
    ui_.Memo1->Clear();
    ui_.Memo1->setAlignmentAll(Qt::AlignLeft);
    sources_.selectTextInWindow();
    services_.events.processEvents();
    ui_.ProgressBar1->setMax(wordCount - 1);
    ExerciseWriter text(*ui_.Memo1);
    int progress = 0;
    for (int32_t word = 0; word < wordCount; ++word) {
        Randomize(services_.clock);
        ui_.ProgressBar1->setPosition(progress++);
        text.append(JargonWordsCp1251[Random(kJargonWordCount)]);
        services_.clock.sleep(1);
        text.append(kWordSeparator);
        ui_.ProgressBar1->setPosition(0);
    }
}

// Events run here once, after the old text is gone and before the first draw: a click queued
// meanwhile acts now, and nothing can act during the groups.
void ExerciseGenerator::startExercise() {
    ui_.Memo1->Clear();
    sources_.selectTextInWindow();
    services_.events.processEvents();
}

} // namespace kelvatron

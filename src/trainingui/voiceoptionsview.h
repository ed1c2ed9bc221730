#pragma once
#include "keying/signnames.h"
#include "transmission/answervoice.h"

class QComboBox;
class QSpinBox;
class QWidget;

namespace kelvatron {

class TglCheckBox;
class TglGraphicButton;
class TglGroupBox;
class TglLabel;

// The learner's choices for the spoken answers.
struct VoiceOptions {
    SpokenAnswers answers;
    AnswerReading reading;
    bool throughAir = false; // the speech passes the band conditions as the Morse does

    bool operator==(const VoiceOptions&) const = default;
};

// The " Голос" frame: when the answers are spoken (never, after each sign, after each group, or
// Morse, answer, Morse again), the pause around them, how digit groups are read, which phonetic
// alphabet names Latin letters, and whether the speech too is heard through the air. It opens
// from the "голос" switch on the training panel, beside the panel, over the text window's right
// part; every control has an accessible name.
class VoiceOptionsView {
public:
    // panel: the training panel's frame, where the switch goes; window: where the frame opens.
    VoiceOptionsView(QWidget* panel, QWidget* window);

    VoiceOptions options() const;
    void setOptions(const VoiceOptions& options);

    TglLabel* switchLabel() const { return switch_; }
    TglGroupBox* frame() const { return frame_; }
    TglGraphicButton* closeButton() const { return close_; }
    QComboBox* momentBox() const { return moment_; }
    QSpinBox* pauseBox() const { return pause_; }
    QComboBox* digitsBox() const { return digits_; }
    QComboBox* latinBox() const { return latin_; }
    TglCheckBox* airOption() const { return air_; }

private:
    QComboBox* choice(const char* name, const QString& caption, const QStringList& items, int y);

    TglLabel* switch_ = nullptr;
    TglGroupBox* frame_ = nullptr;
    TglGraphicButton* close_ = nullptr;
    QComboBox* moment_ = nullptr;
    QSpinBox* pause_ = nullptr;
    QComboBox* digits_ = nullptr;
    QComboBox* latin_ = nullptr;
    TglCheckBox* air_ = nullptr;
};

} // namespace kelvatron

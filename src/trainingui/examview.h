#pragma once
#include <QString>
#include <QWidget>

#include "training/speedexam.h"

class QComboBox;
class QLabel;
class QSpinBox;

namespace kelvatron {

class TglLabel;

// The speed test (Зачёт): what the groups are made of, the start speed and step typed in signs
// per minute, the errors a block may have, the commands for the reception and the sending test,
// the state of the test running or its result, and the learner's best per text type.
class ExamView : public QWidget {
public:
    explicit ExamView(QWidget* parent);

    ExamText text() const;
    SpeedExamSettings settings() const;
    void set(ExamText text, const SpeedExamSettings& settings);

    void setResult(const QString& text);
    void setBest(const QString& text);
    // The reception command reads "Следующий блок" while a test runs.
    void setRunning(bool running);

    QLabel* titleLabel() const { return title_; }
    QLabel* resultLabel() const { return result_; }
    QLabel* bestLabel() const { return best_; }
    QComboBox* textBox() const { return text_; }
    QSpinBox* startBox() const { return start_; }
    QSpinBox* stepBox() const { return step_; }
    QSpinBox* errorsBox() const { return errors_; }
    TglLabel* receiveButton() const { return receive_; }
    TglLabel* sendButton() const { return send_; }

private:
    QLabel* title_;
    QComboBox* text_;
    QSpinBox* start_;
    QSpinBox* step_;
    QSpinBox* errors_;
    TglLabel* receive_;
    TglLabel* send_;
    QLabel* result_;
    QLabel* best_;
};

} // namespace kelvatron

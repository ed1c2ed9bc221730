#pragma once
#include <QWidget>

#include "training/callsigndrill.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTextBrowser;

namespace kelvatron {

// The "Позывные" drill's controls: the run's choices (calls, first speed, step), start, repeat
// and stop, the count line "Позывных: R из N верно", the speed and score line, the line the
// learner types a call into (Enter gives it), and the end screen.
class CallsignDrillView : public QWidget {
    Q_OBJECT
public:
    explicit CallsignDrillView(QWidget* parent = nullptr);

    CallsignDrillSettings settings() const;
    void setSettings(const CallsignDrillSettings& settings);

    // While a run goes the choices are locked, repeat and stop are open, and the input takes
    // the keyboard.
    void setRunning(bool running);
    void setRepeatAvailable(bool available);
    // "Позывных: R из N верно": R right of the N calls answered so far.
    void setCount(int right, int answered);
    void setFigures(const QString& text);
    // The end screen (rich text), its plain figure for a screen reader, and the focus on it.
    void showReport(const QString& html, const QString& figure);
    void clearInput();

    QLabel* countLabel() const { return count_; }
    QLabel* figuresLabel() const { return figures_; }
    QLineEdit* input() const { return input_; }
    QPushButton* startButton() const { return start_; }
    QPushButton* repeatButton() const { return repeat_; }
    QPushButton* stopButton() const { return stop_; }
    QTextBrowser* report() const { return report_; }

signals:
    void startRequested();
    void repeatRequested();
    void stopRequested();
    void answered(const QString& typed);

private:
    QSpinBox* calls_;
    QSpinBox* startCpm_;
    QSpinBox* step_;
    QPushButton* start_;
    QPushButton* repeat_;
    QPushButton* stop_;
    QLabel* count_;
    QLabel* figures_;
    QLineEdit* input_;
    QTextBrowser* report_;
};

} // namespace kelvatron

#pragma once
#include <QString>
#include <memory>

class QLabel;
class QWidget;

namespace kelvatron {

class CourseView;
class ExamView;
class Dialogs;
class FarnsworthRow;
class HistoryStore;
class HistoryView;
class ReceiveResultView;
class TglCheckBox;
class TglGraphicButton;
class TglLabel;

// The "Тренировка" panel's widgets: the command column, the weak-sign choice and its line, the
// status line, the result of a check, the history with its close button, and the speed under the
// speed bar. It fills the window's training and history frames; the training panel drives it.
class TrainingPanelView {
public:
    // panel, history: the frames it fills; window: where the speed line goes, under the speed
    // bar; textWindow: where the learner copies, first in the tab order.
    TrainingPanelView(QWidget* panel, QWidget* history, QWidget* window, QWidget* textWindow);
    // The history view reads the store, which outlives this view.
    ~TrainingPanelView();
    TrainingPanelView(const TrainingPanelView&) = delete;
    TrainingPanelView& operator=(const TrainingPanelView&) = delete;

    // Compact: the command column right of the text window. Expanded: room for the result.
    void setExpanded(bool expanded);
    // Expanded, with the course in place of a result.
    void showCourse();
    // Expanded, with the speed test in place of a result.
    void showExam();
    void setStatus(const QString& text);
    void setWeakLine(const QString& signs);
    void setSpeed(const QString& text);
    // The history on its frame, built at the first call, read again at the next.
    void showHistory(HistoryStore& store, Dialogs& dialogs);

    TglLabel* receiveButton() const { return receive_; }
    TglLabel* checkButton() const { return check_; }
    TglLabel* journalButton() const { return journal_; }
    TglLabel* sendingButton() const { return sending_; }
    TglLabel* courseButton() const { return course_; }
    CourseView* courseView() const { return courseView_; }
    TglLabel* examButton() const { return exam_; }
    ExamView* examView() const { return examView_; }
    TglLabel* callsignsButton() const { return callsigns_; }
    TglCheckBox* weakOption() const { return weakOption_; }
    FarnsworthRow& farnsworth() const { return *farnsworth_; }
    QLabel* statusLine() const { return status_; }
    TglGraphicButton* closeButton() const { return close_; }
    TglGraphicButton* historyCloseButton() const { return historyClose_; }
    ReceiveResultView* resultView() const { return result_; }
    // Null until the history was first shown.
    HistoryView* historyView() const { return history_; }

private:
    TglLabel* command(const QString& caption, int y);
    void buildSpeedLine(QWidget* window);
    void placeInTabOrder(QWidget* textWindow);

    QWidget* panel_;
    QWidget* historyFrame_;
    TglLabel* receive_ = nullptr;
    TglLabel* check_ = nullptr;
    TglLabel* journal_ = nullptr;
    TglLabel* sending_ = nullptr;
    TglLabel* course_ = nullptr;
    CourseView* courseView_ = nullptr;
    TglLabel* exam_ = nullptr;
    ExamView* examView_ = nullptr;
    TglLabel* callsigns_ = nullptr;
    TglCheckBox* weakOption_ = nullptr;
    std::unique_ptr<FarnsworthRow> farnsworth_;
    QLabel* weakLine_ = nullptr;
    QLabel* status_ = nullptr;
    TglGraphicButton* close_ = nullptr;
    TglGraphicButton* historyClose_ = nullptr;
    ReceiveResultView* result_ = nullptr;
    HistoryView* history_ = nullptr;
    TglLabel* speed_ = nullptr;
};

} // namespace kelvatron

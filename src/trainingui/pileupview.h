#pragma once
#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace kelvatron {

// The "Общий вызов" page: the learner's call, how many stations may answer and how fast, the
// CQ and "Ещё раз" commands, the line a heard call is typed into, the count of contacts made and
// what the stations answered.
class PileupView : public QWidget {
    Q_OBJECT
public:
    explicit PileupView(QWidget* parent = nullptr);

    QString ownCall() const;
    int maxCallers() const;
    int cpm() const;
    void setCount(int contacts);
    void setStatus(const QString& text);
    void clearInput();
    // One more line in the log of contacts made.
    void addWorked(const QString& line);

    QLabel* countLabel() const { return count_; }
    QLabel* statusLabel() const { return status_; }
    QLineEdit* input() const { return input_; }
    QListWidget* workedLog() const { return worked_; }
    QPushButton* cqButton() const { return cq_; }
    QPushButton* againButton() const { return again_; }

signals:
    void cqRequested();
    void againRequested();
    void answered(const QString& typed);

private:
    QLineEdit* ownCall_;
    QSpinBox* callers_;
    QSpinBox* cpm_;
    QPushButton* cq_;
    QPushButton* again_;
    QLabel* count_;
    QLabel* status_;
    QLineEdit* input_;
    QListWidget* worked_;
};

} // namespace kelvatron

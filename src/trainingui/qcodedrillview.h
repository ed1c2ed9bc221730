#pragma once
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace kelvatron {

// The "Q-коды" page: a code or abbreviation keyed, typed and entered, then shown with its
// meaning in Russian and whether the copy was right.
class QCodeDrillView : public QWidget {
    Q_OBJECT
public:
    explicit QCodeDrillView(QWidget* parent = nullptr);

    int cpm() const;
    void setRunning(bool running);
    // "Кодов: R из N верно".
    void setCount(int right, int answered);
    // "QRM — помехи от других станций. Верно." and the like.
    void showMeaning(const QString& text);
    void clearInput();

    QLabel* countLabel() const { return count_; }
    QLabel* meaningLabel() const { return meaning_; }
    QLineEdit* input() const { return input_; }
    QPushButton* startButton() const { return start_; }
    QPushButton* repeatButton() const { return repeat_; }

signals:
    void startRequested();
    void repeatRequested();
    void answered(const QString& typed);

private:
    QSpinBox* cpm_;
    QPushButton* start_;
    QPushButton* repeat_;
    QLabel* count_;
    QLabel* meaning_;
    QLineEdit* input_;
};

} // namespace kelvatron

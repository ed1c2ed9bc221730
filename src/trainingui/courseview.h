#pragma once
#include <QString>
#include <QWidget>
#include <vector>

class QGridLayout;
class QLabel;
class QSpinBox;

namespace kelvatron {

class TglLabel;

// One learned sign in the course's grid: how often it was copied right lately.
struct LearnedSign {
    QString sign; // as shown
    int sent = 0; // in the recent exercises
    int wrong = 0;
};

// The course: the lesson's name ("Урок N: ..."), its new sign large with code and напев, the
// commands to hear it again and to start the lesson, and the grid of the signs learned so far,
// each coloured by its recent accuracy and named with it for a screen reader.
class CourseView : public QWidget {
public:
    explicit CourseView(QWidget* parent);

    void setLesson(int lesson, int lessonCount, const QString& sign, const QString& code,
                   const QString& mnemonic);
    // After the last lesson: the speed stage the learner is at and its character speed.
    void setStage(int lessonCount, int stage, int signsPerMinute);
    void setLearned(const std::vector<LearnedSign>& signs);
    // The course's character speed typed in signs per minute; 0 keys at the speed bar's.
    int signsPerMinute() const;
    void setSignsPerMinute(int signsPerMinute);

    QLabel* lessonLabel() const { return lesson_; }
    TglLabel* againButton() const { return again_; }
    TglLabel* startButton() const { return start_; }
    QSpinBox* speedBox() const { return speed_; }

private:
    QLabel* lesson_;
    QLabel* sign_;
    QLabel* code_;
    TglLabel* again_;
    TglLabel* start_;
    QSpinBox* speed_;
    QLabel* wpm_;
    QWidget* grid_;
    QGridLayout* gridLayout_;
};

} // namespace kelvatron

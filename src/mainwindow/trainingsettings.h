#pragma once
#include <QSettings>
#include <QString>

// The settings groups of the training panel's course and speed test, beside the window's
// "Form1" values.
namespace kelvatron::trainingsettings {

// The course: its orders as the learner wrote them, the pass mark, the lesson's minutes and
// group size, its character speed and speed step.
inline constexpr char kCourse[] = "Course";
// The speed test: the text type, start speed, step and errors a block may have.
inline constexpr char kExam[] = "Exam";

// A value of the open group as text, empty when missing.
inline QString text(QSettings& settings, const char* key) {
    return settings.value(QString::fromLatin1(key)).toString();
}

// A whole number of the open group within [low, high], else the fallback.
inline int boundedValue(QSettings& settings, const char* key, int low, int high, int fallback) {
    bool number = false;
    const int value = text(settings, key).toInt(&number);
    return number && value >= low && value <= high ? value : fallback;
}

} // namespace kelvatron::trainingsettings

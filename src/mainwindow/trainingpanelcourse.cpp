// The training panel's course: the lesson the learner is at, its new sign, its speed and speed
// stages, and what a checked lesson opens.
#include "mainwindow/trainingpanel.h"

#include <QLabel>
#include <QSettings>
#include <QSignalBlocker>
#include <QSpinBox>
#include <cmath>

#include "core/clock.h"
#include "core/cp1251.h"
#include "core/formstate.h"
#include "core/random.h"
#include "keying/keyingsettings.h"
#include "keying/signplayer.h"
#include "keying/signtable.h"
#include "mainwindow/trainingsettings.h"
#include "settings/settingsbackend.h"
#include "training/learnerhistory.h"
#include "training/lessondraw.h"
#include "training/receivecheck.h"
#include "training/sendingpractice.h"
#include "trainingui/courseview.h"
#include "trainingui/examview.h"
#include "trainingui/historyview.h"
#include "transmission/textsign.h"
#include "widgets/tgllabel.h"

namespace kelvatron {

// The order is read afresh each time, so an edit of the settings file counts at the next
// lesson; an order that cannot be read is said in the status line and the default is used.
void TrainingPanel::loadCourse() {
    const bool latin = parts_.transmissionControls.transmissionSettings().latin;
    std::unique_ptr<QSettings> settings = openUserSettings(trainingsettings::kCourse);
    const QString written = trainingsettings::text(*settings, latin ? "latinOrder" : "order");
    LessonOrderParse parsed = parseLessonOrder(written.toStdString(), latin);
    if (written.isEmpty() || !parsed.ok()) {
        if (!written.isEmpty())
            view_.setStatus(QString::fromStdString(parsed.error + " Курс идёт в обычном порядке."));
        parsed = parseLessonOrder(defaultLessonOrder(latin), latin);
    }
    courseOrder_ = LessonOrder(parsed.signsCp1251);
    bool number = false;
    const double pass = trainingsettings::text(*settings, "passPercent").toDouble(&number);
    courseSettings_.passPercent = number && pass > 0 && pass <= 100 ? pass : 90;
    const double minutes = trainingsettings::text(*settings, "minutes").toDouble(&number);
    courseSettings_.minutes = number && minutes > 0 && minutes <= 30 ? minutes : 1;
    const int size = trainingsettings::text(*settings, "groupSize").toInt(&number);
    courseSettings_.groupSize = number && size >= 1 && size <= 10 ? size : 5;
    courseSettings_.speedStep = trainingsettings::boundedValue(*settings, "speedStep", 1, 100, 10);
    const QSignalBlocker loading(view_.courseView()->speedBox());
    view_.courseView()->setSignsPerMinute(
        trainingsettings::boundedValue(*settings, "speed", 0, 600, 0));
    courseProgress_ = store().courseProgress(latin ? "latin" : "cyrillic");
    courseProgress_.lesson = std::clamp(courseProgress_.lesson, 1, courseOrder_.lessonCount());
}

void TrainingPanel::showCourse() {
    if (receiving() || parts_.state.transmitting) return;
    loadCourse();
    // While a course runs, the weak-sign drill keeps to the signs it has taught.
    weakSigns_.limitTo(courseOrder_.learnedBy(courseProgress_.lesson));
    refreshWeakLine();
    refreshCourse();
    view_.showCourse();
    parts_.showOnly(parts_.panelFrame);
    view_.courseView()->lessonLabel()->setFocus();
    playNewSign();
}

// The new sign three times, a group pause apart; lesson 1 plays both of its signs so.
void TrainingPanel::playNewSign() {
    if (receiving() || parts_.state.transmitting) return;
    const int lesson = courseProgress_.lesson;
    std::string signs(1, courseOrder_.newSign(lesson));
    if (lesson == 1) signs.insert(signs.begin(), courseOrder_.signs().front());
    parts_.setTrainingSpeed(courseSpeed());
    for (char written : signs) {
        const std::optional<char> keyed = textSign(written);
        if (!keyed) continue;
        for (int i = 0; i < 3; ++i) {
            parts_.signPlayer.keySign(std::string_view(&*keyed, 1));
            parts_.clock.sleep(parts_.state.timing.groupPause);
        }
        // With spoken answers on, the sign is named and its напев sung after it is heard.
        if (voiceView_.options().answers.moment != AnswerMoment::Off) {
            prepareVoice();
            introduceSign(written);
            parts_.clock.sleep(parts_.state.timing.groupPause);
        }
    }
    parts_.setTrainingSpeed(std::nullopt);
}

void TrainingPanel::refreshCourse() {
    const int lesson = courseProgress_.lesson;
    const char written = courseOrder_.newSign(lesson);
    const std::optional<char> keyed = textSign(written);
    const auto index = keyed ? findSign(std::string_view(&*keyed, 1)) : std::nullopt;
    const auto *entry = index ? &kSignTable[*index] : nullptr;
    const QString sign = written == '-'
                             ? QStringLiteral("-...- (раздел)")
                             : QString::fromStdString(fromCp1251(std::string(1, written)));
    view_.courseView()->setLesson(
        lesson, courseOrder_.lessonCount(), sign,
        entry ? QString::fromStdString(std::string(entry->code)) : QString(),
        entry ? QString::fromStdString(std::string(entry->mnemonic)) : QString());
    if (courseProgress_.stage > 0)
        view_.courseView()->setStage(courseOrder_.lessonCount(), courseProgress_.stage,
                                     courseSignsPerMinute());
    std::vector<SignTally> record = store().recentSignRecord();
    std::vector<LearnedSign> learned;
    for (char c : courseOrder_.learnedBy(lesson)) {
        LearnedSign s{QString::fromStdString(fromCp1251(std::string(1, c)))};
        for (const SignTally& t : record)
            if (keyed && textSign(c) == t.sign) s.sent = t.sent, s.wrong = t.wrong;
        learned.push_back(s);
    }
    view_.courseView()->setLearned(learned);
}

// A lesson passed opens the next; the place is kept in the history at once.
void TrainingPanel::courseChecked(const ReceiveCheck& result) {
    const int lesson = courseProgress_.lesson;
    const double right =
        result.signsSent ? 100.0 * (result.signsSent - result.errors()) / result.signsSent : 0;
    QString text;
    if (lessonPassed(result, courseSettings_.passPercent) && lesson < courseOrder_.lessonCount()) {
        courseProgress_.lesson = lesson + 1;
        store().saveCourseProgress(courseProgress_);
        text = QStringLiteral("Урок %1 пройден: %2 % верно. Открыт урок %3 — «Курс».")
                   .arg(lesson)
                   .arg(right, 0, 'f', 0)
                   .arg(lesson + 1);
    } else if (lessonPassed(result, courseSettings_.passPercent)) {
        // After the last lesson the same test runs a step faster at each stage.
        ++courseProgress_.stage;
        store().saveCourseProgress(courseProgress_);
        text = QStringLiteral("Урок %1 пройден: все знаки выучены. Следующая ступень — %2 знаков "
                              "в минуту, «Курс».")
                   .arg(lesson)
                   .arg(courseSignsPerMinute());
    } else {
        text = QStringLiteral("Урок %1: %2 % верно, нужно %3 %. Повторите урок — «Курс».")
                   .arg(lesson)
                   .arg(right, 0, 'f', 0)
                   .arg(courseSettings_.passPercent, 0, 'f', 0);
    }
    weakSigns_.limitTo(courseOrder_.learnedBy(courseProgress_.lesson));
    view_.setStatus(text);
}

int TrainingPanel::courseSignsPerMinute() const {
    const int typed = view_.courseView()->signsPerMinute();
    const int base = typed > 0 ? typed : int(std::lround(speedOfDot(dotMs()).signsPerMinute));
    return base + courseProgress_.stage * courseSettings_.speedStep;
}

// The speed bar keys the course unless a speed was typed or a speed stage raised it; the
// Farnsworth choice stays as the panel has it.
std::optional<TrainingSpeed> TrainingPanel::courseSpeed() const {
    if (view_.courseView()->signsPerMinute() == 0 && courseProgress_.stage == 0) return {};
    const int effective = parts_.keyingSettings.keyingSettings().effectiveSignsPerMinute;
    return TrainingSpeed{std::max(10, 6000 / courseSignsPerMinute()), effective};
}

void TrainingPanel::saveCourseSpeed() const {
    std::unique_ptr<QSettings> settings = openUserSettings(trainingsettings::kCourse);
    writeText(*settings, "speed", std::to_string(view_.courseView()->signsPerMinute()));
    settings->endGroup();
    settings->sync();
}

} // namespace kelvatron

#include "mainwindow/trainingpanel.h"

#include <QComboBox>
#include <QDateTime>
#include <QLabel>
#include <QSettings>
#include <QSignalBlocker>
#include <QSpinBox>
#include <cmath>
#include <cstdio>

#include "core/clock.h"
#include "core/cp1251.h"
#include "core/formstate.h"
#include "core/random.h"
#include "core/textwindow.h"
#include "keying/keyingsettings.h"
#include "keying/signplayer.h"
#include "keying/signtable.h"
#include "settings/settingsbackend.h"
#include "training/learnerhistory.h"
#include "training/lessondraw.h"
#include "training/receivecheck.h"
#include "training/sendingpractice.h"
#include "trainingui/courseview.h"
#include "trainingui/examview.h"
#include "trainingui/historyview.h"
#include "trainingui/receiveresultview.h"
#include "trainingui/weaksignsline.h"
#include "transmission/textsign.h"
#include "widgets/tglcheckbox.h"
#include "widgets/tglgraphicbutton.h"
#include "widgets/tgllabel.h"

namespace kelvatron {

namespace {

// The panel's own settings, beside the window's "Form1" values.
constexpr char kTrainingSection[] = "Training";
constexpr char kWeakSignsKey[] = "weakSigns";
// The course's own settings: its orders as the learner wrote them, the pass mark, the lesson's
// minutes and group size.
constexpr char kCourseSection[] = "Course";
// The speed test's choices: the text type, start speed, step and errors a block may have.
constexpr char kExamSection[] = "Exam";

// A number of a settings group within its limits, else the default.
int boundedValue(QSettings& settings, const char* key, int low, int high, int fallback) {
    bool number = false;
    const int value = settings.value(QString::fromLatin1(key)).toString().toInt(&number);
    return number && value >= low && value <= high ? value : fallback;
}

QString courseValue(QSettings& settings, const char* key) {
    return settings.value(QString::fromLatin1(key)).toString();
}

QString fromUtf8(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

TrainingPanel::TrainingPanel(const TrainingPanelParts& parts)
    : parts_(parts),
      exercise_(parts.transmissionControls, parts.textWindow, parts.progress, parts.clock,
                parts.events, parts.state, parts.signPlayer, parts.pauseStop),
      weakSigns_([this] { return store().recentSignRecord(); }),
      course_(
          courseOrder_, [this] { return courseProgress_.lesson; }, [this] { return pace(); },
          courseSettings_),
      examBlock_(
          [this] {
              return examSigns(examText_, parts_.transmissionControls.transmissionSettings().latin);
          },
          [this] { return pace(); }),
      view_(parts.panelFrame, parts.historyFrame, parts.window, parts.textWindowWidget) {
    connectCommands();
    loadOptions();
    loadExamOptions();
    refreshSpeed();
    exercise_.onCopyAwaited([this] {
        view_.setStatus(
            QStringLiteral("Приём окончен: наберите принятое в окне и нажмите «Проверить»"));
    });
}

TrainingPanel::~TrainingPanel() = default;

void TrainingPanel::connectCommands() {
    connect(view_.receiveButton(), &TglLabel::clicked, this, &TrainingPanel::startReceiving);
    connect(view_.checkButton(), &TglLabel::clicked, this, &TrainingPanel::checkNow);
    connect(view_.journalButton(), &TglLabel::clicked, this, &TrainingPanel::showHistory);
    connect(view_.sendingButton(), &TglLabel::clicked, this,
            &TrainingPanel::sendingPracticeRequested);
    connect(view_.weakOption(), &TglCheckBox::clicked, this, [this] { saveOptions(); });
    connect(view_.courseButton(), &TglLabel::clicked, this, &TrainingPanel::showCourse);
    connect(view_.courseView()->againButton(), &TglLabel::clicked, this,
            &TrainingPanel::playNewSign);
    connect(view_.courseView()->startButton(), &TglLabel::clicked, this, [this] {
        parts_.setTrainingSpeed(courseSpeed());
        runExercise(course_);
        parts_.setTrainingSpeed(std::nullopt);
    });
    connect(view_.courseView()->speedBox(), &QSpinBox::valueChanged, this,
            [this] { saveCourseSpeed(); });
    connect(view_.examButton(), &TglLabel::clicked, this, &TrainingPanel::showExam);
    connect(view_.examView()->receiveButton(), &TglLabel::clicked, this,
            &TrainingPanel::examReceive);
    connect(view_.examView()->sendButton(), &TglLabel::clicked, this, &TrainingPanel::examSend);
    connect(view_.closeButton(), &TglGraphicButton::clicked, parts_.panelFrame, &QWidget::hide);
    connect(view_.historyCloseButton(), &TglGraphicButton::clicked, parts_.historyFrame,
            &QWidget::hide);
}

void TrainingPanel::show() {
    // A course begun in an earlier sitting keeps the weak-sign drill to its signs from the start.
    if (!courseLooked_) {
        courseLooked_ = true;
        loadCourse();
        if (courseProgress_.lesson > 1 || courseProgress_.stage > 0)
            weakSigns_.limitTo(courseOrder_.learnedBy(courseProgress_.lesson));
    }
    refreshWeakLine();
    parts_.showOnly(parts_.panelFrame);
}

void TrainingPanel::startReceiving() {
    runExercise(weakSignsChosen() ? static_cast<const TrainingMode&>(weakSigns_) : receive_);
}

TrainingContext TrainingPanel::context() const {
    return {parts_.transmissionControls.transmissionSettings(), parts_.textWindow.text()};
}

void TrainingPanel::runExercise(const TrainingMode& mode) {
    if (receiving() || parts_.state.transmitting) return;
    view_.setExpanded(false);
    parts_.showOnly(parts_.panelFrame);
    view_.setStatus(QStringLiteral("Идёт приём: набирайте услышанное в окне"));
    // The on-screen keyboard sounds and shows signs: not while the learner copies.
    parts_.keyboard->setEnabled(false);
    lastAnswer_.reset();
    mode_ = &mode;
    plan_ = mode.plan(context());
    const std::optional<ReceiveAnswer> answer = exercise_.run(plan_.text);
    parts_.keyboard->setEnabled(true);
    if (answer) return check(*answer, false);
    view_.setStatus(QStringLiteral("Приём остановлен, без проверки"));
}

// After a check the copy stays in the window: checked again, the exercise keeps one record.
// Anything that has written the window since (a transmission, the keyboard) ends that.
void TrainingPanel::checkNow() {
    if (receiving()) return exercise_.requestCheck();
    if (lastAnswer_ && !parts_.state.transmitting && parts_.textWindow.text() == lastAnswer_->typed)
        return check(*lastAnswer_, true);
    view_.setStatus(QStringLiteral("«Проверить» проверяет идущий приём: начните «Приём на слух»"));
}

void TrainingPanel::check(const ReceiveAnswer& answer, bool again) {
    const ReceiveCheck result = mode_->check(answer.sent, answer.typed).value();
    const ExerciseSpeed speed = exerciseSpeed(answer.sent, pace());
    if (mode_ == &examBlock_) return examBlockChecked(result, speed.durationMs);
    view_.resultView()->setResult(result, speed, answer.sent, answer.typed);
    const QString figure = fromUtf8(figureText(result));
    view_.setStatus(figure);
    view_.setExpanded(true);
    parts_.showOnly(parts_.panelFrame);
    if (!again) {
        lastAnswer_ = answer;
        lastSession_ = mode_->record(plan_, {.dotMs = dotMs(),
                                             .charWpm = speed.character.wpm,
                                             .effectiveWpm = speed.effective.wpm,
                                             .durationS = speed.durationMs / 1000});
    }
    record(result, again);
    if (mode_ == &course_ && !again) courseChecked(result);
    view_.resultView()->announce();
    // For checks run by scripts: the figure on the standard error, once the history holds it.
    if (qEnvironmentVariableIsSet("KELVATRON_ECHO_CHECK"))
        std::fprintf(stderr, "%s\n", figure.toUtf8().constData());
}

void TrainingPanel::record(const ReceiveCheck& result, bool again) {
    const bool saved = again && lastSession_.id
                           ? store().replaceSession(lastSession_.id, lastSession_, result)
                           : store().record(lastSession_, result);
    lastSession_.id = saved ? store().lastRecordedId() : 0;
    parts_.history.showMessages();
    refreshWeakLine();
    if (HistoryView* history = view_.historyView()) history->refresh();
}

void TrainingPanel::showHistory() {
    view_.showHistory(store(), parts_.dialogs);
    parts_.showOnly(parts_.historyFrame);
}

HistoryStore& TrainingPanel::store() {
    return parts_.history.store();
}

bool TrainingPanel::weakSignsChosen() const {
    return view_.weakOption()->Checked();
}

void TrainingPanel::refreshWeakLine() {
    const bool latin = parts_.transmissionControls.transmissionSettings().latin;
    view_.setWeakLine(weakSignsLine(weakSigns_.weakSigns(latin)));
}

int TrainingPanel::dotMs() const {
    const KeyingSettings k = parts_.keyingSettings.keyingSettings();
    return k.heardDotMs();
}

KeyingPace TrainingPanel::pace() const {
    const KeyingSettings k = parts_.keyingSettings.keyingSettings();
    return {double(dotMs()), k.ratio, k.signPause, k.groupPause, k.effectiveSignsPerMinute};
}

void TrainingPanel::refreshSpeed() {
    view_.setSpeed(fromUtf8(speedText(speedOfDot(dotMs()))));
}

void TrainingPanel::loadOptions() {
    std::unique_ptr<QSettings> settings = openUserSettings();
    settings->beginGroup(QString::fromLatin1(kTrainingSection));
    view_.weakOption()->setChecked(settings->value(QString::fromLatin1(kWeakSignsKey)).toString() ==
                                   QStringLiteral("1"));
}

// Written at once: the window's own values are saved as the program ends, these when chosen.
void TrainingPanel::saveOptions() const {
    std::unique_ptr<QSettings> settings = openUserSettings();
    settings->beginGroup(QString::fromLatin1(kTrainingSection));
    writeText(*settings, kWeakSignsKey, weakSignsChosen() ? "1" : "0");
    settings->endGroup();
    settings->sync();
}

// The order is read afresh each time, so an edit of the settings file counts at the next
// lesson; an order that cannot be read is said in the status line and the default is used.
void TrainingPanel::loadCourse() {
    const bool latin = parts_.transmissionControls.transmissionSettings().latin;
    std::unique_ptr<QSettings> settings = openUserSettings();
    settings->beginGroup(QString::fromLatin1(kCourseSection));
    const QString written = courseValue(*settings, latin ? "latinOrder" : "order");
    LessonOrderParse parsed = parseLessonOrder(written.toStdString(), latin);
    if (written.isEmpty() || !parsed.ok()) {
        if (!written.isEmpty())
            view_.setStatus(fromUtf8(parsed.error + " Курс идёт в обычном порядке."));
        parsed = parseLessonOrder(defaultLessonOrder(latin), latin);
    }
    courseOrder_ = LessonOrder(parsed.signsCp1251);
    bool number = false;
    const double pass = courseValue(*settings, "passPercent").toDouble(&number);
    courseSettings_.passPercent = number && pass > 0 && pass <= 100 ? pass : 90;
    const double minutes = courseValue(*settings, "minutes").toDouble(&number);
    courseSettings_.minutes = number && minutes > 0 && minutes <= 30 ? minutes : 1;
    const int size = courseValue(*settings, "groupSize").toInt(&number);
    courseSettings_.groupSize = number && size >= 1 && size <= 10 ? size : 5;
    courseSettings_.speedStep = boundedValue(*settings, "speedStep", 1, 100, 10);
    const QSignalBlocker loading(view_.courseView()->speedBox());
    view_.courseView()->setSignsPerMinute(boundedValue(*settings, "speed", 0, 600, 0));
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
    }
    parts_.setTrainingSpeed(std::nullopt);
}

void TrainingPanel::refreshCourse() {
    const int lesson = courseProgress_.lesson;
    const char written = courseOrder_.newSign(lesson);
    const std::optional<char> keyed = textSign(written);
    const auto index = keyed ? findSign(std::string_view(&*keyed, 1)) : std::nullopt;
    const QString sign = written == '-' ? QStringLiteral("-...- (раздел)")
                                        : fromUtf8(fromCp1251(std::string(1, written)));
    view_.courseView()->setLesson(
        lesson, courseOrder_.lessonCount(), sign,
        index ? fromUtf8(std::string(kSignTable[*index].code)) : QString(),
        index ? fromUtf8(std::string(kSignTable[*index].mnemonic)) : QString());
    if (courseProgress_.stage > 0)
        view_.courseView()->setStage(courseOrder_.lessonCount(), courseProgress_.stage,
                                     courseSignsPerMinute());
    std::vector<SignTally> record = store().recentSignRecord();
    std::vector<LearnedSign> learned;
    for (char c : courseOrder_.learnedBy(lesson)) {
        LearnedSign s{fromUtf8(fromCp1251(std::string(1, c)))};
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

} // namespace kelvatron

namespace kelvatron {

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
    std::unique_ptr<QSettings> settings = openUserSettings();
    settings->beginGroup(QString::fromLatin1(kCourseSection));
    writeText(*settings, "speed", std::to_string(view_.courseView()->signsPerMinute()));
    settings->endGroup();
    settings->sync();
}

void TrainingPanel::showExam() {
    if (receiving() || parts_.state.transmitting) return;
    view_.examView()->setRunning(exam_ && !exam_->finished());
    refreshExamBest();
    view_.showExam();
    parts_.showOnly(parts_.panelFrame);
    view_.examView()->titleLabel()->setFocus();
}

// A test starts with the choices as they stand; while it runs, each press keys its next block at
// the block's speed exactly: the dot of that speed (rounded down to whole ms) with the gaps
// spaced to it, 3 dots between signs and 7 between groups, whatever the window's pauses.
void TrainingPanel::examReceive() {
    if (receiving() || parts_.state.transmitting) return;
    if (!exam_ || exam_->finished()) {
        saveExamOptions();
        examText_ = view_.examView()->text();
        exam_.emplace(view_.examView()->settings());
        view_.examView()->setRunning(true);
    }
    parts_.setTrainingSpeed(TrainingSpeed{exam_->blockDotMs(), exam_->blockSignsPerMinute()});
    runExercise(examBlock_);
    parts_.setTrainingSpeed(std::nullopt);
    if (view_.examView()->isHidden()) view_.showExam();
}

void TrainingPanel::examBlockChecked(const ReceiveCheck& result, double durationMs) {
    const int speed = exam_->blockSignsPerMinute();
    const std::optional<int> before = exam_->result();
    exam_->blockChecked(result, durationMs);
    const bool passed = exam_->result() != before;
    QString text = QStringLiteral("Блок %1 знаков в минуту: знаков %2, ошибок %3 — %4.")
                       .arg(speed)
                       .arg(result.signsSent)
                       .arg(result.errors())
                       .arg(passed ? QStringLiteral("сдан") : QStringLiteral("не сдан"));
    if (!exam_->finished())
        text += QStringLiteral(" Следующий блок — %1 знаков в минуту: «Следующий блок».")
                    .arg(exam_->blockSignsPerMinute());
    else
        text += QLatin1Char(' ') + (exam_->result() ? QStringLiteral("Зачёт сдан на %1 знаков в "
                                                                     "минуту (%2 WPM).")
                                                          .arg(*exam_->result())
                                                          .arg(*exam_->result() / 5.0, 0, 'g', 3)
                                                    : QStringLiteral("Зачёт не сдан."));
    if (exam_->finished()) finishExam();
    view_.examView()->setResult(text);
    view_.setStatus(text);
    view_.showExam();
    parts_.showOnly(parts_.panelFrame);
    view_.examView()->resultLabel()->setFocus();
}

void TrainingPanel::finishExam() {
    const std::string signs =
        examSigns(examText_, parts_.transmissionControls.transmissionSettings().latin);
    store().record(exam_->record(examSource(false, examText_), fromCp1251(signs)), {}, {});
    parts_.history.showMessages();
    view_.examView()->setRunning(false);
    refreshExamBest();
    if (HistoryView* history = view_.historyView()) history->refresh();
}

// The radiogram is a minute of groups at the test's start speed.
void TrainingPanel::examSend() {
    if (receiving() || parts_.state.transmitting) return;
    saveExamOptions();
    examText_ = view_.examView()->text();
    const bool latin = parts_.transmissionControls.transmissionSettings().latin;
    KeyingPace at = pace();
    at.effectiveSignsPerMinute = view_.examView()->startBox()->value();
    at.dotMs = 6000 / at.effectiveSignsPerMinute;
    examRadiogram_ = drawExamGroups(examSigns(examText_, latin), 60000, at,
                                    [](uint32_t n) { return Random(n); });
    view_.examView()->setResult(
        QStringLiteral("Зачёт передачи: передайте ключом радиограмму из окна, затем «Закончить»."));
    emit sendingExamRequested(examRadiogram_);
}

void TrainingPanel::sendingExamFinished(const SendingResult& result) {
    if (examRadiogram_.empty()) return;
    const ReceiveCheck check = checkReceived(examRadiogram_, result.text);
    const KeyingSettings k = parts_.keyingSettings.keyingSettings();
    const double rhythm = rhythmPercent(result.timing, k.ratio > 0 ? k.ratio : 3);
    const int maxErrors = view_.examView()->errorsBox()->value();
    const bool passed = sendingExamPassed(check.errors(), rhythm, maxErrors);
    const int speed = int(std::lround(result.timing.charsPerMinute));
    SessionRecord r;
    r.kind = "exam";
    r.source = examSource(true, examText_);
    r.alphabet =
        fromCp1251(examSigns(examText_, parts_.transmissionControls.transmissionSettings().latin));
    r.dotMs = int(std::lround(result.timing.unitMs));
    r.charWpm = passed ? result.timing.wpm : 0;
    r.effectiveWpm = passed ? result.timing.effectiveWpm : 0;
    r.durationS = result.durationMs / 1000;
    store().record(r, check);
    parts_.history.showMessages();
    examRadiogram_.clear();
    const QString text =
        QStringLiteral("Зачёт передачи %1: %2 знаков в минуту, ошибок %3 из %4 знаков (можно %5), "
                       "ритм %6 % (нужно %7 %).")
            .arg(passed ? QStringLiteral("сдан") : QStringLiteral("не сдан"))
            .arg(speed)
            .arg(check.errors())
            .arg(check.signsSent)
            .arg(maxErrors)
            .arg(rhythm, 0, 'f', 0)
            .arg(kPassRhythm, 0, 'f', 0);
    view_.examView()->setResult(text);
    view_.setStatus(text);
    refreshExamBest();
    view_.showExam();
    parts_.showOnly(parts_.panelFrame);
}

void TrainingPanel::refreshExamBest() {
    const std::vector<SessionRecord> sessions = store().sessions();
    QString text = QStringLiteral("Лучшее:");
    for (bool sending : {false, true}) {
        text += sending ? QStringLiteral(" передача —") : QStringLiteral(" приём —");
        for (ExamText type : {ExamText::Digits, ExamText::Letters, ExamText::Mixed}) {
            const std::string source = examSource(sending, type);
            const std::optional<int> best = bestExamSpeed(sessions, source);
            text += QStringLiteral(" %1 %2%3")
                        .arg(fromUtf8(source.substr(source.find(": ") + 2)))
                        .arg(best ? QString::number(*best) : QStringLiteral("нет"))
                        .arg(type == ExamText::Mixed ? QStringLiteral(";") : QStringLiteral(","));
        }
    }
    text.chop(1);
    view_.examView()->setBest(text + QStringLiteral(" (знаков в минуту)."));
    // Before a test of this sitting, the last one kept is shown.
    if (!view_.examView()->resultLabel()->text().isEmpty()) return;
    for (auto s = sessions.rbegin(); s != sessions.rend(); ++s) {
        if (s->kind != "exam") continue;
        const QString when = QDateTime::fromString(fromUtf8(s->startedAt), Qt::ISODate)
                                 .toLocalTime()
                                 .toString(QStringLiteral("dd.MM.yyyy"));
        const int speed = int(std::lround(s->charWpm * 5));
        view_.examView()->setResult(
            QStringLiteral("Последний зачёт (%1) — %2, %3; знаков %4, ошибок %5.")
                .arg(when, fromUtf8(s->source.substr(s->source.find(' ') + 1)),
                     speed > 0 ? QStringLiteral("сдан на %1 знаков в минуту").arg(speed)
                               : QStringLiteral("не сдан"))
                .arg(s->signs)
                .arg(s->errors));
        return;
    }
}

void TrainingPanel::loadExamOptions() {
    std::unique_ptr<QSettings> settings = openUserSettings();
    settings->beginGroup(QString::fromLatin1(kExamSection));
    const SpeedExamSettings defaults;
    view_.examView()->set(
        static_cast<ExamText>(boundedValue(*settings, "text", 0, 2, 0)),
        {.startSignsPerMinute =
             boundedValue(*settings, "start", 20, 600, defaults.startSignsPerMinute),
         .stepSignsPerMinute = boundedValue(*settings, "step", 5, 100, defaults.stepSignsPerMinute),
         .maxErrors = boundedValue(*settings, "maxErrors", 0, 50, defaults.maxErrors)});
}

void TrainingPanel::saveExamOptions() const {
    const ExamView& exam = *view_.examView();
    const SpeedExamSettings s = exam.settings();
    std::unique_ptr<QSettings> settings = openUserSettings();
    settings->beginGroup(QString::fromLatin1(kExamSection));
    writeText(*settings, "text", std::to_string(int(exam.text())));
    writeText(*settings, "start", std::to_string(s.startSignsPerMinute));
    writeText(*settings, "step", std::to_string(s.stepSignsPerMinute));
    writeText(*settings, "maxErrors", std::to_string(s.maxErrors));
    settings->endGroup();
    settings->sync();
}

} // namespace kelvatron

// The training panel's speed test (Зачёт): reception blocks at a rising speed, the sending
// test, and the tests the history keeps.
#include "mainwindow/trainingpanel.h"

#include <QComboBox>
#include <QDateTime>
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

namespace {

// "Лучшее: приём — цифры 90, буквы нет, смешанные нет; передача — …" (знаков в минуту).
QString examBestText(const std::vector<SessionRecord>& sessions) {
    QString text = QStringLiteral("Лучшее:");
    for (bool sending : {false, true}) {
        text += sending ? QStringLiteral(" передача —") : QStringLiteral(" приём —");
        for (ExamText type : {ExamText::Digits, ExamText::Letters, ExamText::Mixed}) {
            const std::string source = examSource(sending, type);
            const std::optional<int> best = bestExamSpeed(sessions, source);
            text += QStringLiteral(" %1 %2%3")
                        .arg(QString::fromStdString(source.substr(source.find(": ") + 2)))
                        .arg(best ? QString::number(*best) : QStringLiteral("нет"))
                        .arg(type == ExamText::Mixed ? QStringLiteral(";") : QStringLiteral(","));
        }
    }
    text.chop(1);
    return text + QStringLiteral(" (знаков в минуту).");
}

// The last test kept, with its day and verdict; empty before any.
QString lastExamText(const std::vector<SessionRecord>& sessions) {
    for (auto s = sessions.rbegin(); s != sessions.rend(); ++s) {
        if (s->kind != "exam") continue;
        const QString when =
            QDateTime::fromString(QString::fromStdString(s->startedAt), Qt::ISODate)
                .toLocalTime()
                .toString(QStringLiteral("dd.MM.yyyy"));
        const int speed = int(std::lround(s->charWpm * 5));
        return QStringLiteral("Последний зачёт (%1) — %2, %3; знаков %4, ошибок %5.")
            .arg(when, QString::fromStdString(s->source.substr(s->source.find(' ') + 1)),
                 speed > 0 ? QStringLiteral("сдан на %1 знаков в минуту").arg(speed)
                           : QStringLiteral("не сдан"))
            .arg(s->signs)
            .arg(s->errors);
    }
    return {};
}

} // namespace

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
    const bool latin = parts_.transmissionControls.transmissionSettings().latin;
    store().record(
        sendingExamRecord(examText_, fromCp1251(examSigns(examText_, latin)), result, passed),
        check);
    parts_.history.showMessages();
    examRadiogram_.clear();
    const QString text =
        QStringLiteral("Зачёт передачи %1: %2 знаков в минуту, ошибок %3 из %4 знаков (можно %5), "
                       "ритм %6 % (нужно %7 %).")
            .arg(passed ? QStringLiteral("сдан") : QStringLiteral("не сдан"))
            .arg(std::lround(result.timing.charsPerMinute))
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

// Before a test of this sitting, the last one kept is shown.
void TrainingPanel::refreshExamBest() {
    const std::vector<SessionRecord> sessions = store().sessions();
    view_.examView()->setBest(examBestText(sessions));
    if (view_.examView()->resultLabel()->text().isEmpty())
        view_.examView()->setResult(lastExamText(sessions));
}

void TrainingPanel::loadExamOptions() {
    std::unique_ptr<QSettings> settings = openUserSettings(trainingsettings::kExam);
    const SpeedExamSettings defaults;
    view_.examView()->set(
        static_cast<ExamText>(trainingsettings::boundedValue(*settings, "text", 0, 2, 0)),
        {.startSignsPerMinute = trainingsettings::boundedValue(*settings, "start", 20, 600,
                                                               defaults.startSignsPerMinute),
         .stepSignsPerMinute =
             trainingsettings::boundedValue(*settings, "step", 5, 100, defaults.stepSignsPerMinute),
         .maxErrors =
             trainingsettings::boundedValue(*settings, "maxErrors", 0, 50, defaults.maxErrors)});
}

void TrainingPanel::saveExamOptions() const {
    const ExamView& exam = *view_.examView();
    const SpeedExamSettings s = exam.settings();
    std::unique_ptr<QSettings> settings = openUserSettings(trainingsettings::kExam);
    writeText(*settings, "text", std::to_string(int(exam.text())));
    writeText(*settings, "start", std::to_string(s.startSignsPerMinute));
    writeText(*settings, "step", std::to_string(s.stepSignsPerMinute));
    writeText(*settings, "maxErrors", std::to_string(s.maxErrors));
    settings->endGroup();
    settings->sync();
}

} // namespace kelvatron

#include "mainwindow/audioexport.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <QThread>
#include <filesystem>
#include <random>

#include "core/dialogs.h"
#include "core/formstate.h"
#include "core/textwindow.h"
#include "mainwindow/airswitch.h"
#include "mainwindow/voiceoptions.h"
#include "radiograms/radiogramfile.h"
#include "render/audioformat.h"
#include "render/exportrenderer.h"
#include "transmission/transmissioncontrols.h"

namespace kelvatron {

namespace {

const char* const kFilter = "Звук WAV (*.wav)|*.wav|Звук FLAC (*.flac)|*.flac|"
                            "Звук Ogg (*.ogg;*.opus)|*.ogg;*.opus|Звук MP3 (*.mp3)|*.mp3";

// The answer sheet lies beside the sound under the same name: урок.wav, урок.txt.
std::string answersPathFor(const std::string& soundPath) {
    return std::filesystem::path(soundPath).replace_extension(".txt").string();
}

} // namespace

AudioExport::AudioExport(const TransmissionControls& controls, const KeyingSettingsSource& keying,
                         const TextWindow& text, const FormState& state, Dialogs& dialogs,
                         QWidget& window)
    : controls_(controls), keying_(keying), text_(text), state_(state), dialogs_(dialogs),
      window_(window) {}

AudioExport::~AudioExport() {
    cancel();
    if (worker_) worker_->wait();
}

void AudioExport::start() {
    if (running()) return;
    // The transmission and the export share the program's one random generator.
    if (state_.transmitting)
        return dialogs_.error("Экспорт звука недоступен во время передачи. Остановите передачу "
                              "и выберите экспорт снова.");
    const std::optional<std::string> path =
        dialogs_.saveFileName({kFilter, "упражнение.wav", "wav"});
    if (!path) return;
    if (!audioFormatForPath(*path))
        return dialogs_.error("Звук не записан: формат файла «" + *path +
                              "» не распознан по расширению.\nГодятся " +
                              std::string(audioExtensionList()) + ".");
    withAnswers_ = dialogs_.confirm("Сохранить также текст упражнения?\nОн будет записан рядом, "
                                    "в файл " +
                                    answersPathFor(*path) + ".");
    begin(*path);
}

// The settings are read here, once: a change made while the render runs does not reach it.
void AudioExport::begin(const std::string& path) {
    ExportJob job;
    job.transmission = controls_.transmissionSettings();
    job.keying = keying_.keyingSettings();
    job.text = text_.text();
    job.seed = std::random_device{}();
    if (air_) job.chain = air_->exportChain();
    const VoiceOptions spoken = loadVoiceOptions();
    job.spoken = spoken.answers;
    job.reading = spoken.reading;
    job.voiceThroughAir = spoken.throughAir;
    job.voice = voice_;
    path_ = path;
    written_ = false;
    renderer_ = std::make_unique<ExportRenderer>(std::move(job), [this](int percent) {
        QMetaObject::invokeMethod(
            this, [this, percent] { showProgress(percent); }, Qt::QueuedConnection);
    });

    progress_ = new QProgressDialog(QStringLiteral("Экспорт звука ..."), QStringLiteral("Отменить"),
                                    0, 100, &window_);
    progress_->setWindowTitle(QStringLiteral("Экспорт звука"));
    progress_->setAccessibleName(QStringLiteral("Ход экспорта звука"));
    progress_->setWindowModality(Qt::WindowModal);
    progress_->setAutoClose(false);
    progress_->setAutoReset(false);
    progress_->setMinimumDuration(0);
    // The button, and Esc or closing the box.
    connect(progress_, &QProgressDialog::canceled, this, &AudioExport::cancel);
    connect(progress_, &QDialog::rejected, this, &AudioExport::cancel);

    worker_ = QThread::create([this] { written_ = renderer_->render(path_); });
    connect(worker_, &QThread::finished, this, &AudioExport::end);
    worker_->start();
}

void AudioExport::cancel() {
    if (renderer_) renderer_->cancel();
}

void AudioExport::waitForFinish() {
    if (!worker_) return;
    worker_->wait();
    // The worker's end and its last progress are queued to this object; handle them now.
    QCoreApplication::sendPostedEvents(this);
    end();
}

void AudioExport::showProgress(int percent) {
    if (progress_) progress_->setValue(percent);
}

void AudioExport::end() {
    if (!worker_) return;
    worker_->deleteLater();
    worker_ = nullptr;
    if (progress_) progress_->deleteLater();
    if (written_ && withAnswers_) writeAnswers();
    if (written_ && !renderer_->voiceFailure().empty())
        dialogs_.error("Звук записан без голоса.\n" + renderer_->voiceFailure());
    if (!written_ && !renderer_->cancelled())
        dialogs_.error("Звук не записан.\n" + renderer_->error());
    emit finished(written_);
}

void AudioExport::writeAnswers() {
    const std::string path = answersPathFor(path_);
    const RadiogramResult saved = writeRadiogram(path, renderer_->answers());
    if (!saved.ok()) dialogs_.error("Звук записан, а текст упражнения нет.\n" + saved.message);
}

} // namespace kelvatron

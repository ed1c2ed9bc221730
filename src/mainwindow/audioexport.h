#pragma once
#include <QObject>
#include <QPointer>
#include <memory>
#include <string>

#include "core/speechsynthesizer.h"

class QProgressDialog;
class QThread;
class QWidget;

namespace kelvatron {

class AirSwitch;
struct FormState;
class Dialogs;
class ExportRenderer;
class KeyingSettingsSource;
class TextWindow;
class TransmissionControls;

// "Экспорт звука ...": renders what the start button would key now into an audio file, on a
// worker thread of its own, while a progress box (with a cancel) keeps the window responsive.
// The worker gets the settings and the text as values and engine objects of its own; nothing
// it touches belongs to the window.
class AudioExport : public QObject {
    Q_OBJECT
public:
    AudioExport(const TransmissionControls& controls, const KeyingSettingsSource& keying,
                const TextWindow& text, const FormState& state, Dialogs& dialogs, QWidget& window);
    ~AudioExport() override;

    // The learner's air, which the file hears whenever it is on; without one the file is clean.
    void setAir(const AirSwitch* air) { air_ = air; }
    // Asks for the file and whether to write the answer sheet, then starts the render.
    void start();
    bool running() const { return worker_ != nullptr; }
    // The cancel of the progress box.
    void cancel();
    // Blocks until a running render has ended and its end has been handled.
    void waitForFinish();
    // The voice that speaks the answers the " Голос" frame asks for; none: they are not spoken.
    void setVoice(SpeechSynthesizerMaker voice) { voice_ = std::move(voice); }

signals:
    // A render ended: the file is in place (true), or failed or was cancelled (false).
    void finished(bool written);

private:
    void begin(const std::string& path);
    void showProgress(int percent);
    void end();
    void writeAnswers();

    const TransmissionControls& controls_;
    const KeyingSettingsSource& keying_;
    const TextWindow& text_;
    const FormState& state_;
    Dialogs& dialogs_;
    QWidget& window_;
    const AirSwitch* air_ = nullptr;

    std::unique_ptr<ExportRenderer> renderer_;
    QThread* worker_ = nullptr;
    QPointer<QProgressDialog> progress_;
    std::string path_;
    bool withAnswers_ = false;
    SpeechSynthesizerMaker voice_;
    bool written_ = false;
};

} // namespace kelvatron

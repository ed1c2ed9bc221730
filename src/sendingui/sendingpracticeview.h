#pragma once
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "core/clock.h"
#include "sendingui/eventtimemapper.h"
#include "training/keyrepeatfilter.h"
#include "training/sendingpractice.h"

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLabel;
class QPushButton;
class QTextBrowser;

namespace kelvatron {

class DeviationHistogram;
class KeyPortLink;
class SendingKeyPad;

// The choices the panel keeps between runs, for the training's settings group.
struct SendingChoices {
    KeyerMode mode = KeyerMode::IambicA;
    QString port;                 // empty: no serial key
    bool checkWindowText = false; // check the decoded text against the text window
};

// What a finished run hands to the window: the result, the check when one was asked for, and
// the history record (kind "send") to store with it.
struct SendingOutcome {
    SendingResult result;
    std::optional<ReceiveCheck> check;
    SessionRecord record;
};

// The "Передача ключом" panel: a key pad for the mouse, the keyer mode, the serial port, start
// and finish, the live timing figures with their spread and, at the end, the deviation
// histogram, the check's figure and the text and the keying in aligned rows with every mistake
// marked. Every time it hands the practice is on `clock`; key events are put on it through
// their own stamps.
class SendingPracticeView : public QWidget {
    Q_OBJECT
public:
    SendingPracticeView(const Clock& clock, Sidetone& sidetone, KeyPortLink* link = nullptr,
                        QWidget* parent = nullptr);
    ~SendingPracticeView() override;

    // Decoded text as it completes, Windows-1251 (the window appends it to the text window).
    void setTextSink(std::function<void(const std::string&)> sink) { textSink_ = std::move(sink); }
    // The text to check against, Windows-1251: the text window's or a generated exercise.
    void setSentText(std::function<std::string()> source) { sentText_ = std::move(source); }
    void setFinishedHandler(std::function<void(const SendingOutcome&)> handler) {
        finished_ = std::move(handler);
    }
    void setDotMs(double dotMs);
    void setRatio(double ratio);
    void setLatin(bool latin);

    SendingChoices choices() const;
    void setChoices(const SendingChoices& choices);

    void start();
    void finish();
    bool running() const { return practice_ != nullptr; }

    // Space is the straight key; left Ctrl and '[' the dit paddle, right Ctrl and ']' the dah
    // paddle; auto-repeat is dropped. True when the event was one of these keys during a run.
    bool handleKey(QKeyEvent* event);
    // Any input event's stamp (mouse moves too) teaches the view the offset between the window
    // system's stamps and the clock before the first key: the first key's own may come late.
    void noteEventTime(double stampMs) { eventTime_.map(stampMs, clock_.now()); }
    // Lets go of every key, as when the window loses the keyboard while a key is held (its
    // release would never arrive).
    void releaseAll();
    // What the timer does: lets held-back releases through, ends keyer elements, writes
    // completed signs. Tests call it on their own clock.
    void pollNow();

signals:
    void choicesChanged();
    // A run is about to begin: the window hands over its speed and the text to copy now.
    void aboutToStart();

protected:
    void paintEvent(QPaintEvent*) override;

private:
    class PadSidetone;

    void buildControls();
    void layOut();
    void fillPorts();
    void choosePort(int index);
    void showPortFailure(const QString& message);
    void contact(Paddle which, bool down, double atMs);
    void applyKey(const KeyInput& input);
    void reschedule();
    void updateFigures();
    void showCheck(const ReceiveCheck& check, const std::string& sentCp1251,
                   const std::string& keyedCp1251);
    void updateButtons();

    const Clock& clock_;
    std::unique_ptr<PadSidetone> sidetone_;
    KeyPortLink* link_;
    SendingPracticeSettings settings_;
    std::unique_ptr<SendingPractice> practice_;
    KeyRepeatFilter repeatFilter_;
    EventTimeMapper eventTime_;
    double lastMs_ = 0; // times handed to the practice never run backwards
    QTimer timer_;
    std::function<void(const std::string&)> textSink_;
    std::function<std::string()> sentText_;
    std::function<void(const SendingOutcome&)> finished_;

    SendingKeyPad* pad_;
    QComboBox* mode_;
    QComboBox* port_;
    QPushButton* refresh_;
    QPushButton* start_;
    QPushButton* stop_;
    QCheckBox* checkText_;
    QLabel* speed_;
    QLabel* ratio_;
    QLabel* spread_;
    QLabel* elementGap_;
    QLabel* signGap_;
    QLabel* wordGap_;
    QLabel* portMessage_;
    QLabel* figure_;
    QTextBrowser* rows_;
    DeviationHistogram* histogram_;
    // The stored port while it is not there: kept, and opened once "Обновить" finds it.
    QString missingPort_;
};

} // namespace kelvatron

#pragma once
#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "training/exercisespeed.h"
#include "training/historystore.h"
#include "training/receiveexercise.h"

class QLabel;
class QWidget;

namespace kelvatron {

class HistoryView;
class ReceiveResultView;
class TForm1;
class TglCheckBox;
class TglGraphicButton;
class TglLabel;
class WeakSigns;

// The "Тренировка" panel: the receive exercise with its check and history, the weak-sign
// choice, the way to the sending practice, and the speed shown beside the speed bar. It fills
// the window's trainingPanel and historyPanel frames and owns what it puts there.
class TrainingPanel : public QObject {
    Q_OBJECT
public:
    // showOnly shows one floating panel and hides the others.
    TrainingPanel(TForm1& form, std::function<void(QWidget*)> showOnly);
    ~TrainingPanel() override;

    // While a receive exercise runs, typed keys belong to the learner's answer: they must not
    // sound.
    bool receiving() const { return exercise_.running(); }

    void show();           // the menu word "Тренировка"
    void startReceiving(); // "Приём на слух"
    void checkNow();       // "Проверить"
    void showHistory();    // "Журнал"
    void refreshSpeed();   // the speed, its units or the output changed

    // The dot the chosen output keys, ms: the sound card's is one speed unit, the speaker's two.
    int dotMs() const;
    bool weakSignsChosen() const;
    // The history, opened at its first use; its messages are shown once.
    HistoryStore& store();

    TglLabel* receiveButton() const { return receive_; }
    TglLabel* checkButton() const { return check_; }
    TglLabel* journalButton() const { return journal_; }
    TglLabel* sendingButton() const { return sending_; }
    TglCheckBox* weakOption() const { return weakOption_; }
    QLabel* weakLine() const { return weakLine_; }
    QLabel* statusLine() const { return status_; }
    TglLabel* speedLabel() const { return speed_; }
    ReceiveResultView* resultView() const { return result_; }
    HistoryView* historyView() const { return history_; }

private:
    void buildCommands();
    void placeInTabOrder();
    TglLabel* command(const QString& caption, int y);
    void connectCommands();
    void setExpanded(bool expanded);
    std::string weakGroups();
    WeakSigns weakSigns();
    // again: the exercise was checked before, its record is replaced.
    void check(const ReceiveAnswer& answer, bool again);
    SessionRecord session(const ReceiveAnswer& answer, const ExerciseSpeed& speed);
    void record(const ReceiveCheck& result, bool again);
    void showStoreMessages();
    void refreshWeakLine();
    KeyingPace pace() const;
    void loadOptions();
    void saveOptions() const;

    TForm1& form_;
    std::function<void(QWidget*)> showOnly_;
    ReceiveExercise exercise_;
    std::unique_ptr<HistoryStore> store_;
    // The exercise checked last and its record, for a second check.
    std::optional<ReceiveAnswer> lastAnswer_;
    SessionRecord lastSession_;
    TglLabel* receive_ = nullptr;
    TglLabel* check_ = nullptr;
    TglLabel* journal_ = nullptr;
    TglLabel* sending_ = nullptr;
    TglCheckBox* weakOption_ = nullptr;
    QLabel* weakLine_ = nullptr;
    QLabel* status_ = nullptr;
    TglGraphicButton* close_ = nullptr;
    TglGraphicButton* historyClose_ = nullptr;
    ReceiveResultView* result_ = nullptr;
    HistoryView* history_ = nullptr;
    TglLabel* speed_ = nullptr;
};

} // namespace kelvatron

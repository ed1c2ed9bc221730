#include "mainwindow/trainingpanel.h"

#include <QLabel>
#include <QSettings>
#include <QTableWidget>
#include <QTextBrowser>
#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "core/cp1251.h"
#include "core/dialogs.h"
#include "keying/generationsets.h"
#include "mainwindow/tform1.h"
#include "settings/settingsbackend.h"
#include "training/receivecheck.h"
#include "training/weaksigns.h"
#include "trainingui/historyview.h"
#include "trainingui/receiveresultview.h"
#include "trainingui/trainingstyle.h"
#include "trainingui/weaksignsline.h"
#include "widgets/tglcheckbox.h"
#include "widgets/tglgraphicbutton.h"
#include "widgets/tglgroupbox.h"
#include "widgets/tgllabel.h"

namespace kelvatron {

namespace {

// The panel's own settings, beside the window's "Form1" values.
constexpr char kTrainingSection[] = "Training";
constexpr char kWeakSignsKey[] = "weakSigns";

// The command column is the compact panel; with a result the panel grows to show it. The
// compact panel lies right of the text window, so the learner types in view of it.
const QRect kCompact(596, 232, 190, 252);
const QRect kExpanded(26, 44, 740, 484);
constexpr int kColumnWidth = 172;

QString fromUtf8(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

TrainingPanel::TrainingPanel(TForm1& form, std::function<void(QWidget*)> showOnly)
    : form_(form), showOnly_(std::move(showOnly)),
      exercise_(form.transmissionControls, form.textWindow, form.progress, form.services.clock,
                form.services.events, form.state, form.signPlayer, form.pauseStop) {
    buildCommands();
    connectCommands();
    loadOptions();
    refreshSpeed();
    exercise_.onCopyAwaited([this] {
        trainingstyle::setLabelText(
            status_,
            QStringLiteral("Приём окончен: наберите принятое в окне и нажмите «Проверить»"));
    });
}

// The history view reads the store: it goes first.
TrainingPanel::~TrainingPanel() {
    delete history_;
}

TglLabel* TrainingPanel::command(const QString& caption, int y) {
    auto* label = new TglLabel(form_.trainingPanel);
    label->setCaption(caption);
    label->setPixelSize(18);
    label->setClickable(true);
    label->setGeometry(10, y, kColumnWidth, 26);
    return label;
}

void TrainingPanel::buildCommands() {
    QWidget* panel = form_.trainingPanel;
    receive_ = command(QStringLiteral("Приём на слух"), 26);
    check_ = command(QStringLiteral("Проверить"), 54);
    journal_ = command(QStringLiteral("Журнал"), 82);
    sending_ = command(QStringLiteral("Передача ключом"), 110);
    weakOption_ = new TglCheckBox(panel);
    weakOption_->setObjectName(QStringLiteral("weakSignsOption"));
    weakOption_->setCaption(QStringLiteral(" слабые знаки"));
    weakOption_->setHint(QStringLiteral("группы из слабых знаков вместо выбора « Передача»"));
    weakOption_->setGeometry(6, 140, kColumnWidth, 25);
    weakLine_ = trainingstyle::panelLabel(QString(), 11, panel);
    weakLine_->setWordWrap(true);
    weakLine_->setGeometry(10, 168, kColumnWidth, 34);
    status_ = trainingstyle::panelLabel(QString(), 11, panel);
    status_->setObjectName(QStringLiteral("trainingStatus"));
    status_->setWordWrap(true);
    status_->setGeometry(10, 204, kColumnWidth, 44);
    close_ = new TglGraphicButton(GlyphKind::Close, panel);
    close_->setHint(QStringLiteral("закрыть тренировку"));
    result_ = new ReceiveResultView(panel);
    result_->setGeometry(kExpanded.width() - 548, 22, 544, kExpanded.height() - 26);
    setExpanded(false);

    historyClose_ = new TglGraphicButton(GlyphKind::Close, form_.historyPanel);
    historyClose_->setGeometry(form_.historyPanel->width() - 19, 2, 17, 17);
    historyClose_->setHint(QStringLiteral("закрыть журнал"));

    // Beside the speed bar, under it: the speed in both units a learner may think in.
    speed_ = new TglLabel(&form_);
    speed_->setObjectName(QStringLiteral("speedText"));
    speed_->setPixelSize(11);
    speed_->setBold(true);
    speed_->setShadowed(true);
    speed_->setAlignment(Qt::AlignCenter);
    speed_->setGeometry(4, 318, 188, 16);
    placeInTabOrder();
}

// Tab goes from the text window, where the learner copies, straight to the panel's commands and
// the result, not round the whole window first.
void TrainingPanel::placeInTabOrder() {
    QWidget* const order[] = {form_.Memo1,
                              receive_,
                              check_,
                              result_->figureLabel(),
                              result_->rowsView(),
                              result_->confusionTable(),
                              journal_,
                              sending_,
                              weakOption_,
                              close_};
    for (size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void TrainingPanel::connectCommands() {
    connect(form_.trainingMenu, &TglLabel::clicked, this, &TrainingPanel::show);
    connect(receive_, &TglLabel::clicked, this, &TrainingPanel::startReceiving);
    connect(check_, &TglLabel::clicked, this, &TrainingPanel::checkNow);
    connect(journal_, &TglLabel::clicked, this, &TrainingPanel::showHistory);
    connect(sending_, &TglLabel::clicked, &form_, &TForm1::showSendingPractice);
    connect(weakOption_, &TglCheckBox::clicked, this, [this] { saveOptions(); });
    connect(close_, &TglGraphicButton::clicked, form_.trainingPanel, &QWidget::hide);
    connect(historyClose_, &TglGraphicButton::clicked, form_.historyPanel, &QWidget::hide);
    for (TglCheckBox* speedOrOutput :
         {form_.glCheckBox11, form_.glCheckBox12, form_.glCheckBox13, form_.glCheckBox14})
        connect(speedOrOutput, &TglCheckBox::clicked, this, &TrainingPanel::refreshSpeed);
}

void TrainingPanel::setExpanded(bool expanded) {
    QWidget* panel = form_.trainingPanel;
    panel->setGeometry(expanded ? kExpanded : kCompact);
    close_->setGeometry(panel->width() - 19, 2, 17, 17);
    result_->setVisible(expanded);
}

void TrainingPanel::show() {
    refreshWeakLine();
    showOnly_(form_.trainingPanel);
}

void TrainingPanel::startReceiving() {
    if (receiving() || form_.state.transmitting) return;
    setExpanded(false);
    showOnly_(form_.trainingPanel);
    trainingstyle::setLabelText(status_, QStringLiteral("Идёт приём: набирайте услышанное в окне"));
    // The on-screen keyboard sounds and shows signs: not while the learner copies.
    form_.glGroupBox6->setEnabled(false);
    lastAnswer_.reset();
    const std::optional<ReceiveAnswer> answer = exercise_.run(weakGroups());
    form_.glGroupBox6->setEnabled(true);
    if (answer) return check(*answer, false);
    trainingstyle::setLabelText(status_, QStringLiteral("Приём остановлен, без проверки"));
}

// After a check the copy stays in the window: checked again, the exercise keeps one record.
// Anything that has written the window since (a transmission, the keyboard) ends that.
void TrainingPanel::checkNow() {
    if (receiving()) return exercise_.requestCheck();
    if (lastAnswer_ && !form_.state.transmitting && form_.textWindow.text() == lastAnswer_->typed)
        return check(*lastAnswer_, true);
    trainingstyle::setLabelText(
        status_, QStringLiteral("«Проверить» проверяет идущий приём: начните «Приём на слух»"));
}

void TrainingPanel::check(const ReceiveAnswer& answer, bool again) {
    const ReceiveCheck result = checkReceived(answer.sent, answer.typed);
    const ExerciseSpeed speed = exerciseSpeed(answer.sent, pace());
    result_->setResult(result, speed, answer.sent, answer.typed);
    const QString figure = fromUtf8(figureText(result));
    trainingstyle::setLabelText(status_, figure);
    setExpanded(true);
    showOnly_(form_.trainingPanel);
    if (!again) {
        lastAnswer_ = answer;
        lastSession_ = session(answer, speed);
    }
    record(result, again);
    result_->announce();
    // For checks run by scripts: the figure on the standard error, once the history holds it.
    if (qEnvironmentVariableIsSet("KELVATRON_ECHO_CHECK"))
        std::fprintf(stderr, "%s\n", figure.toUtf8().constData());
}

SessionRecord TrainingPanel::session(const ReceiveAnswer& answer, const ExerciseSpeed& speed) {
    SessionRecord session;
    session.kind = "receive";
    session.source = answer.source;
    if (weakSignsChosen()) session.alphabet = fromCp1251(weakSigns().alphabet());
    session.dotMs = dotMs();
    session.charWpm = speed.character.wpm;
    session.effectiveWpm = speed.effective.wpm;
    session.durationS = speed.durationMs / 1000;
    return session;
}

void TrainingPanel::record(const ReceiveCheck& result, bool again) {
    const bool saved = again && lastSession_.id
                           ? store().replaceSession(lastSession_.id, lastSession_, result)
                           : store().record(lastSession_, result);
    lastSession_.id = saved ? store().lastRecordedId() : 0;
    showStoreMessages();
    refreshWeakLine();
    if (history_) history_->refresh();
}

void TrainingPanel::showHistory() {
    if (!history_) {
        history_ = new HistoryView(store(), form_.services.dialogs, form_.historyPanel);
        history_->setGeometry(4, 22, form_.historyPanel->width() - 8,
                              form_.historyPanel->height() - 26);
        history_->show();
    } else {
        history_->refresh();
    }
    showOnly_(form_.historyPanel);
}

HistoryStore& TrainingPanel::store() {
    if (!store_) {
        store_ = std::make_unique<HistoryStore>(historyPath(std::getenv));
        showStoreMessages();
    }
    return *store_;
}

void TrainingPanel::showStoreMessages() {
    for (const std::string& message : store_->takeMessages())
        form_.services.dialogs.error(message);
}

bool TrainingPanel::weakSignsChosen() const {
    return weakOption_->Checked();
}

// The active alphabet's signs with the digits, as the sign table names them (a Latin letter as
// its Cyrillic partner, which it is keyed as).
WeakSigns TrainingPanel::weakSigns() {
    const bool latin = form_.glCheckBox23->Checked();
    std::string alphabet;
    for (char entry : generationSet(latin ? GenerationSetKind::DigitsAndLatinLetters
                                          : GenerationSetKind::DigitsAndCyrillicLetters))
        alphabet += generationEntry(entry).keyed;
    return WeakSigns(alphabet, store().recentSignRecord());
}

std::string TrainingPanel::weakGroups() {
    if (!weakSignsChosen()) return {};
    const TransmissionSettings s = form_.transmissionControls.transmissionSettings();
    return weakSigns().drawGroups(TransmissionDriver::groupCountOf(s.groupCount),
                                  TransmissionDriver::groupSizeOf(s.groupSize));
}

void TrainingPanel::refreshWeakLine() {
    trainingstyle::setSignsLabelText(weakLine_, weakSignsLine(weakSigns()));
}

int TrainingPanel::dotMs() const {
    const KeyingSettings k = form_.keyingSettings.keyingSettings();
    return k.heardDotMs();
}

KeyingPace TrainingPanel::pace() const {
    const KeyingSettings k = form_.keyingSettings.keyingSettings();
    return {double(dotMs()), k.ratio, k.signPause, k.groupPause};
}

void TrainingPanel::refreshSpeed() {
    const QString text = fromUtf8(speedText(speedOfDot(dotMs())));
    speed_->setCaption(text);
    speed_->setAccessibleName(QStringLiteral("Скорость: ") + text);
}

void TrainingPanel::loadOptions() {
    std::unique_ptr<QSettings> settings = openUserSettings();
    settings->beginGroup(QString::fromLatin1(kTrainingSection));
    weakOption_->setChecked(settings->value(QString::fromLatin1(kWeakSignsKey)).toString() ==
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

} // namespace kelvatron

#include "trainingui/trainingpanelview.h"

#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <QTableWidget>
#include <QTextBrowser>
#include <iterator>

#include "trainingui/courseview.h"
#include "trainingui/examview.h"
#include "trainingui/farnsworthrow.h"
#include "trainingui/historyview.h"
#include "trainingui/receiveresultview.h"
#include "trainingui/trainingstyle.h"
#include "widgets/tglcheckbox.h"
#include "widgets/tglgraphicbutton.h"
#include "widgets/tgllabel.h"

namespace kelvatron {

namespace {

// The command column is the compact panel; with a result the panel grows to show it. The
// compact panel lies right of the text window, so the learner types in view of it.
const QRect kCompact(596, 220, 190, 308);
const QRect kExpanded(26, 44, 740, 484);
constexpr int kColumnWidth = 172;

} // namespace

TrainingPanelView::TrainingPanelView(QWidget* panel, QWidget* history, QWidget* window,
                                     QWidget* textWindow)
    : panel_(panel), historyFrame_(history) {
    receive_ = command(QStringLiteral("Приём на слух"), 22);
    check_ = command(QStringLiteral("Проверить"), 46);
    journal_ = command(QStringLiteral("Журнал"), 70);
    sending_ = command(QStringLiteral("Передача ключом"), 94);
    course_ = command(QStringLiteral("Курс"), 118);
    exam_ = command(QStringLiteral("Зачёт"), 142);
    callsigns_ = command(QStringLiteral("Позывные"), 166);
    weakOption_ = new TglCheckBox(panel);
    weakOption_->setObjectName(QStringLiteral("weakSignsOption"));
    weakOption_->setCaption(QStringLiteral(" слабые знаки"));
    weakOption_->setHint(QStringLiteral("группы из слабых знаков вместо выбора « Передача»"));
    weakOption_->setGeometry(6, 190, kColumnWidth, 25);
    weakLine_ = trainingstyle::panelLabel(QString(), 11, panel);
    weakLine_->setWordWrap(true);
    weakLine_->setGeometry(10, 214, kColumnWidth, 16);
    status_ = trainingstyle::panelLabel(QString(), 11, panel);
    status_->setObjectName(QStringLiteral("trainingStatus"));
    status_->setWordWrap(true);
    status_->setGeometry(10, 274, kColumnWidth, 32);
    farnsworth_ = std::make_unique<FarnsworthRow>(panel, 10, 230, kColumnWidth);
    close_ = new TglGraphicButton(GlyphKind::Close, panel);
    close_->setHint(QStringLiteral("закрыть тренировку"));
    result_ = new ReceiveResultView(panel);
    result_->setGeometry(kExpanded.width() - 548, 22, 544, kExpanded.height() - 26);
    courseView_ = new CourseView(panel);
    courseView_->setGeometry(result_->geometry());
    examView_ = new ExamView(panel);
    examView_->setGeometry(result_->geometry());
    setExpanded(false);

    historyClose_ = new TglGraphicButton(GlyphKind::Close, history);
    historyClose_->setGeometry(history->width() - 19, 2, 17, 17);
    historyClose_->setHint(QStringLiteral("закрыть журнал"));
    buildSpeedLine(window);
    placeInTabOrder(textWindow);
}

TrainingPanelView::~TrainingPanelView() {
    delete history_;
}

TglLabel* TrainingPanelView::command(const QString& caption, int y) {
    auto* label = new TglLabel(panel_);
    label->setCaption(caption);
    label->setPixelSize(18);
    label->setClickable(true);
    label->setGeometry(10, y, kColumnWidth, 26);
    return label;
}

// Beside the speed bar, under it: the speed in both units a learner may think in.
void TrainingPanelView::buildSpeedLine(QWidget* window) {
    speed_ = new TglLabel(window);
    speed_->setObjectName(QStringLiteral("speedText"));
    speed_->setPixelSize(11);
    speed_->setBold(true);
    speed_->setShadowed(true);
    speed_->setAlignment(Qt::AlignCenter);
    speed_->setGeometry(4, 318, 188, 16);
}

// Tab goes from the text window, where the learner copies, straight to the panel's commands and
// the result, not round the whole window first.
void TrainingPanelView::placeInTabOrder(QWidget* textWindow) {
    QWidget* const order[] = {textWindow,
                              receive_,
                              check_,
                              result_->figureLabel(),
                              result_->rowsView(),
                              result_->confusionTable(),
                              journal_,
                              sending_,
                              course_,
                              courseView_->againButton(),
                              courseView_->startButton(),
                              courseView_->speedBox(),
                              exam_,
                              examView_->textBox(),
                              examView_->startBox(),
                              examView_->stepBox(),
                              examView_->errorsBox(),
                              examView_->receiveButton(),
                              examView_->sendButton(),
                              callsigns_,
                              weakOption_,
                              farnsworth_->option(),
                              farnsworth_->speedBox(),
                              close_};
    for (size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void TrainingPanelView::setExpanded(bool expanded) {
    panel_->setGeometry(expanded ? kExpanded : kCompact);
    close_->setGeometry(panel_->width() - 19, 2, 17, 17);
    result_->setVisible(expanded);
    courseView_->setVisible(false);
    examView_->setVisible(false);
}

void TrainingPanelView::showCourse() {
    setExpanded(true);
    result_->setVisible(false);
    courseView_->setVisible(true);
}

void TrainingPanelView::showExam() {
    setExpanded(true);
    result_->setVisible(false);
    examView_->setVisible(true);
}

void TrainingPanelView::setStatus(const QString& text) {
    trainingstyle::setLabelText(status_, text);
}

void TrainingPanelView::setWeakLine(const QString& signs) {
    trainingstyle::setSignsLabelText(weakLine_, signs);
}

void TrainingPanelView::setSpeed(const QString& text) {
    speed_->setCaption(text);
    speed_->setAccessibleName(QStringLiteral("Скорость: ") + text);
}

void TrainingPanelView::showHistory(HistoryStore& store, Dialogs& dialogs) {
    if (history_) return history_->refresh();
    history_ = new HistoryView(store, dialogs, historyFrame_);
    history_->setGeometry(4, 22, historyFrame_->width() - 8, historyFrame_->height() - 26);
    history_->show();
}

} // namespace kelvatron

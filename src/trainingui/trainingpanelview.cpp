#include "trainingui/trainingpanelview.h"

#include <QLabel>
#include <QTableWidget>
#include <QTextBrowser>
#include <iterator>

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
const QRect kCompact(596, 232, 190, 272);
const QRect kExpanded(26, 44, 740, 484);
constexpr int kColumnWidth = 172;

} // namespace

TrainingPanelView::TrainingPanelView(QWidget* panel, QWidget* history, QWidget* window,
                                     QWidget* textWindow)
    : panel_(panel), historyFrame_(history) {
    receive_ = command(QStringLiteral("Приём на слух"), 26);
    check_ = command(QStringLiteral("Проверить"), 54);
    journal_ = command(QStringLiteral("Журнал"), 82);
    sending_ = command(QStringLiteral("Передача ключом"), 110);
    callsigns_ = command(QStringLiteral("Позывные"), 244);
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
                              callsigns_,
                              weakOption_,
                              close_};
    for (size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void TrainingPanelView::setExpanded(bool expanded) {
    panel_->setGeometry(expanded ? kExpanded : kCompact);
    close_->setGeometry(panel_->width() - 19, 2, 17, 17);
    result_->setVisible(expanded);
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

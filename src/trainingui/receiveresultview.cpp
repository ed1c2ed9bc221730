#include "trainingui/receiveresultview.h"

#include <QEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTableWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "trainingui/trainingstyle.h"
#include "widgets/glyphs.h"
#include "widgets/theme.h"

namespace kelvatron {

namespace {

constexpr int kRowsPixels = 16;

QString legendHtml() {
    auto swatch = [](const QColor& c, const QString& mark, const QString& word) {
        return QStringLiteral("<span style=\"background-color:%1;color:#ffffff\">&nbsp;%2&nbsp;"
                              "</span>&nbsp;%3")
            .arg(trainingstyle::html(c), mark, word);
    };
    return swatch(trainingstyle::kWrong, QStringLiteral("<u>Б</u>"),
                  QStringLiteral("ошибка (принят другой знак)")) +
           QStringLiteral("&nbsp;&nbsp;&nbsp;") +
           swatch(trainingstyle::kMissed, QString(trainingstyle::kMissedMark),
                  QStringLiteral("пропуск")) +
           QStringLiteral("&nbsp;&nbsp;&nbsp;") +
           swatch(trainingstyle::kExtra, QString(trainingstyle::kExtraMark),
                  QStringLiteral("лишний знак"));
}

QString speedLine(const Speed& s) {
    return QString::fromStdString(kelvatron::speedText(s));
}

} // namespace

ReceiveResultView::ReceiveResultView(QWidget* parent) : QWidget(parent) {
    setAccessibleName(QStringLiteral("Результат приёма"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    figure_ = trainingstyle::panelLabel(QString(), 20, this);
    figure_->setObjectName(QStringLiteral("receiveFigure"));
    figure_->setTextFormat(Qt::PlainText);
    figure_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Reached by Tab too: the figure is where a screen reader user hears the result again.
    figure_->setFocusPolicy(Qt::StrongFocus);
    layout->addWidget(figure_);
    layout->addWidget(buildRows(), 1);
    layout->addWidget(buildSpeeds());
    layout->addWidget(buildTable());
    clear();
}

QWidget* ReceiveResultView::buildRows() {
    auto* box = new QWidget(this);
    auto* layout = trainingstyle::partLayout<QVBoxLayout>(box, 4);
    rows_ = new QTextBrowser(box);
    rows_->setObjectName(QStringLiteral("receiveRows"));
    rows_->setAccessibleName(QStringLiteral("Переданный и принятый текст"));
    rows_->setFont(trainingstyle::monoFont(kRowsPixels));
    rows_->setLineWrapMode(QTextEdit::NoWrap);
    rows_->setMinimumHeight(120);
    rows_->setStyleSheet(QStringLiteral("QTextBrowser { background: rgba(4,14,22,150); color: %1; "
                                        "border: 1px solid rgba(0,0,0,150); }")
                             .arg(trainingstyle::html(theme::kInk)));
    rows_->document()->setUndoRedoEnabled(false);
    rows_->viewport()->installEventFilter(this);
    legend_ = trainingstyle::panelLabel(QString(), 12, box);
    legend_->setTextFormat(Qt::RichText);
    legend_->setText(legendHtml());
    legend_->setAccessibleName(QStringLiteral(
        "Обозначения: красным и подчёркнуто — ошибка, жёлтым и знаком подчёркивания — пропуск, "
        "синим и точкой — лишний знак"));
    layout->addWidget(rows_, 1);
    layout->addWidget(legend_);
    return box;
}

QWidget* ReceiveResultView::buildSpeeds() {
    auto* box = new QWidget(this);
    auto* grid = trainingstyle::partLayout<QGridLayout>(box, 4);
    grid->setHorizontalSpacing(12);
    auto* charCaption = trainingstyle::panelLabel(QStringLiteral("Скорость знаков:"), 13, box);
    auto* effCaption = trainingstyle::panelLabel(QStringLiteral("Эффективная скорость:"), 13, box);
    characterSpeed_ = trainingstyle::panelLabel(QString(), 13, box);
    effectiveSpeed_ = trainingstyle::panelLabel(QString(), 13, box);
    for (QLabel* value : {characterSpeed_, effectiveSpeed_}) {
        QPalette pal = value->palette();
        pal.setColor(QPalette::WindowText, theme::kHighlight);
        value->setPalette(pal);
    }
    charCaption->setBuddy(characterSpeed_);
    effCaption->setBuddy(effectiveSpeed_);
    grid->addWidget(charCaption, 0, 0);
    grid->addWidget(characterSpeed_, 0, 1);
    grid->addWidget(effCaption, 1, 0);
    grid->addWidget(effectiveSpeed_, 1, 1);
    grid->setColumnStretch(2, 1);
    return box;
}

QWidget* ReceiveResultView::buildTable() {
    auto* box = new QWidget(this);
    auto* layout = trainingstyle::partLayout<QVBoxLayout>(box, 4);
    tableCaption_ = trainingstyle::panelLabel(QString(), 13, box);
    table_ = new QTableWidget(0, 3, box);
    table_->setObjectName(QStringLiteral("receiveConfusions"));
    table_->setAccessibleName(QStringLiteral("Знаки, принятые с ошибкой"));
    table_->setHorizontalHeaderLabels(
        {QStringLiteral("Передан"), QStringLiteral("Принят как"), QStringLiteral("Сколько раз")});
    table_->setFont(theme::font(13, true));
    table_->horizontalHeader()->setFont(theme::font(12, true));
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Arrows move between the cells; Tab leaves the table, as everywhere else.
    table_->setTabKeyNavigation(false);
    table_->verticalHeader()->setDefaultSectionSize(22);
    table_->setMaximumHeight(4 * 22 + 28);
    table_->setStyleSheet(trainingstyle::tableStyleSheet());
    layout->addWidget(tableCaption_);
    layout->addWidget(table_);
    return box;
}

void ReceiveResultView::setResult(const ReceiveCheck& check, const ExerciseSpeed& speed,
                                  std::string_view sentCp1251, std::string_view typedCp1251) {
    trainingstyle::setLabelText(figure_, QString::fromStdString(figureText(check)));
    cells_ = alignedCells(check, sentCp1251, typedCp1251);
    summary_ = mistakesSummary(cells_);
    rows_->setAccessibleDescription(summary_);
    columns_ = 0;
    layOutRows();
    showSpeed(speed);
    fillTable(check.confusions);
    figure_->setAccessibleDescription(summary_ + QStringLiteral(". ") + speedText());
}

// Focus that is already on the figure is taken away and given back, so the same result twice
// is said twice.
void ReceiveResultView::announce() {
    if (figure_->hasFocus()) figure_->clearFocus();
    figure_->setFocus(Qt::OtherFocusReason);
}

void ReceiveResultView::clear() {
    trainingstyle::setLabelText(figure_, QStringLiteral("Упражнение ещё не проверено"));
    cells_.clear();
    columns_ = 0;
    summary_.clear();
    rows_->clear();
    rows_->setAccessibleDescription(QString());
    figure_->setAccessibleDescription(QString());
    showSpeed({});
    fillTable({});
}

QString ReceiveResultView::speedText() const {
    return QStringLiteral("Скорость знаков: %1; эффективная скорость: %2")
        .arg(characterSpeed_->text(), effectiveSpeed_->text());
}

void ReceiveResultView::showSpeed(const ExerciseSpeed& speed) {
    const bool known = speed.signs > 0;
    trainingstyle::setLabelText(characterSpeed_, known ? speedLine(speed.character) : "—");
    trainingstyle::setLabelText(effectiveSpeed_, known ? speedLine(speed.effective) : "—");
}

void ReceiveResultView::fillTable(const std::vector<Confusion>& confusions) {
    table_->setRowCount(int(confusions.size()));
    for (int r = 0; r < int(confusions.size()); ++r) {
        const Confusion& c = confusions[r];
        const QString cells[] = {signText(c.sent),
                                 c.typed ? signText(c.typed) : QStringLiteral("пропуск"),
                                 QString::number(c.count)};
        for (int col = 0; col < 3; ++col) {
            auto* item = new QTableWidgetItem(col < 2 ? shownSigns(cells[col]) : cells[col]);
            item->setData(Qt::AccessibleTextRole, cells[col]);
            item->setTextAlignment(Qt::AlignCenter);
            table_->setItem(r, col, item);
        }
    }
    table_->setVisible(!confusions.empty());
    trainingstyle::setLabelText(tableCaption_, confusions.empty()
                                                   ? QStringLiteral("Ошибок по знакам нет")
                                                   : QStringLiteral("Знаки, принятые с ошибкой:"));
}

int ReceiveResultView::columnsThatFit() const {
    const QFontMetrics metrics(rows_->font());
    const int width = rows_->viewport()->width() - 2 * int(rows_->document()->documentMargin()) -
                      rows_->verticalScrollBar()->sizeHint().width();
    // Nine columns hold the row captions ("Передано ").
    return std::max(8, width / std::max(1, metrics.horizontalAdvance(QLatin1Char('M'))) - 9);
}

void ReceiveResultView::layOutRows() {
    const int columns = columnsThatFit();
    if (columns == columns_ || cells_.empty()) return;
    columns_ = columns;
    rows_->setHtml(alignedRowsHtml(cells_, columns));
}

bool ReceiveResultView::eventFilter(QObject* watched, QEvent* e) {
    // The rows are broken to the width they get, which is known only once they are laid out.
    // Later, not inside the resize: a new document resizes the viewport again as it goes.
    if (watched == rows_->viewport() && e->type() == QEvent::Resize)
        QMetaObject::invokeMethod(this, &ReceiveResultView::layOutRows, Qt::QueuedConnection);
    return QWidget::eventFilter(watched, e);
}

} // namespace kelvatron

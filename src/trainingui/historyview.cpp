#include "trainingui/historyview.h"

#include <QAbstractItemView>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

#include "core/cp1251.h"
#include "core/dialogs.h"
#include "trainingui/alignedrows.h"
#include "trainingui/historycharts.h"
#include "trainingui/trainingstyle.h"
#include "widgets/tglcheckbox.h"
#include "widgets/tgllabel.h"
#include "widgets/theme.h"

namespace kelvatron {

namespace {

const QString kEmptyHistory = QStringLiteral("Журнал пуст: выполните упражнение «Приём на слух»");

// The per-sign rates of one kind of exercise, ordered as the store orders them for all kinds.
std::vector<SignErrorRate> ratesOf(const std::vector<SignTally>& record) {
    std::vector<SignErrorRate> out;
    for (const SignTally& t : record)
        if (t.sent > 0)
            out.push_back(
                {signText(t.sign).toStdString(), t.sent, t.wrong, double(t.wrong) / t.sent});
    std::sort(out.begin(), out.end(), [](const SignErrorRate& a, const SignErrorRate& b) {
        if (a.rate != b.rate) return a.rate > b.rate;
        if (a.sent != b.sent) return a.sent > b.sent;
        return a.sign < b.sign;
    });
    return out;
}

} // namespace

HistoryView::HistoryView(HistoryStore& store, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), store_(store), dialogs_(dialogs) {
    setAccessibleName(QStringLiteral("Журнал"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(6);
    layout->addWidget(buildControls());

    pages_ = new QStackedWidget(this);
    empty_ = trainingstyle::panelLabel(kEmptyHistory, 15, pages_);
    empty_->setObjectName(QStringLiteral("historyEmpty"));
    empty_->setAlignment(Qt::AlignCenter);
    empty_->setWordWrap(true);
    auto* charts = new QWidget(pages_);
    auto* chartLayout = new QVBoxLayout(charts);
    chartLayout->setContentsMargins(0, 0, 0, 0);
    progress_ = chartView(QStringLiteral("График ошибок и скорости по упражнениям"));
    signs_ = chartView(QStringLiteral("График ошибок по знакам"));
    chartLayout->addWidget(progress_, 1);
    chartLayout->addWidget(signs_, 1);
    pages_->addWidget(empty_);
    pages_->addWidget(charts);
    layout->addWidget(pages_, 1);

    layout->addWidget(buildExerciseRow());
    status_ = trainingstyle::panelLabel(QString(), 12, this);
    status_->setObjectName(QStringLiteral("historyStatus"));
    layout->addWidget(status_);
    refresh();
}

QWidget* HistoryView::buildControls() {
    auto* bar = new QWidget(this);
    auto* row = trainingstyle::partLayout<QHBoxLayout>(bar, 10);
    row->addWidget(trainingstyle::panelLabel(QStringLiteral("Показать:"), 13, bar));
    for (const HistoryKind& kind : kHistoryKinds) {
        auto* box = new TglCheckBox(bar);
        box->setCaption(QString::fromUtf8(kind.caption));
        box->setAccessibleName(QStringLiteral("Показать: ") + QString::fromUtf8(kind.caption));
        box->setChecked(kind_ == kind.id);
        const std::string id = kind.id;
        connect(box, &TglCheckBox::clicked, this, [this, id] { setKind(id); });
        kindBoxes_.push_back(box);
        row->addWidget(box);
    }
    row->addStretch(1);
    export_ = new TglLabel(bar);
    export_->setCaption(QStringLiteral("Экспорт в CSV ..."));
    export_->setClickable(true);
    export_->setShadowed(true);
    export_->setPixelSize(15);
    export_->setBold(true);
    export_->setObjectName(QStringLiteral("historyExport"));
    connect(export_, &TglLabel::clicked, this, &HistoryView::exportCsv);
    row->addWidget(export_);
    return bar;
}

// The exercises shown, newest first, and "Удалить ..." for the one chosen.
QWidget* HistoryView::buildExerciseRow() {
    auto* bar = new QWidget(this);
    auto* row = trainingstyle::partLayout<QHBoxLayout>(bar, 10);
    row->addWidget(trainingstyle::panelLabel(QStringLiteral("Упражнение:"), 13, bar));
    exercises_ = new QComboBox(bar);
    exercises_->setObjectName(QStringLiteral("historyExercises"));
    exercises_->setAccessibleName(QStringLiteral("Упражнение журнала"));
    exercises_->view()->setAccessibleName(QStringLiteral("Упражнения журнала, новые первыми"));
    exercises_->setStyleSheet(trainingstyle::comboStyleSheet());
    exercises_->setFont(theme::font(12, true));
    row->addWidget(exercises_, 1);
    delete_ = new TglLabel(bar);
    delete_->setCaption(QStringLiteral("Удалить ..."));
    delete_->setAccessibleName(QStringLiteral("Удалить выбранное упражнение из журнала"));
    delete_->setClickable(true);
    delete_->setShadowed(true);
    delete_->setPixelSize(15);
    delete_->setBold(true);
    delete_->setObjectName(QStringLiteral("historyDelete"));
    connect(delete_, &TglLabel::clicked, this, &HistoryView::deleteChosen);
    row->addWidget(delete_);
    return bar;
}

QChartView* HistoryView::chartView(const QString& name) {
    auto* view = new QChartView(this);
    view->setAccessibleName(name);
    view->setRenderHint(QPainter::Antialiasing);
    view->setStyleSheet(QStringLiteral("background: transparent; border: none;"));
    view->setMinimumHeight(160);
    return view;
}

std::vector<SignErrorRate> HistoryView::signRates() const {
    if (kind_.empty()) return store_.errorRatePerSign();
    return ratesOf(store_.recentSignRecord(INT_MAX, kind_));
}

void HistoryView::setKind(const std::string& kind) {
    kind_ = kind;
    for (size_t i = 0; i < kindBoxes_.size(); ++i)
        kindBoxes_[i]->setChecked(kind_ == kHistoryKinds[i].id);
    refresh();
}

void HistoryView::refresh() {
    const std::vector<SessionRecord> all = store_.sessions();
    shown_ = sessionsOfKind(all, kind_);
    const std::vector<SessionRecord>& shown = shown_;
    fillExercises();
    if (shown.empty()) {
        trainingstyle::setLabelText(
            empty_,
            all.empty() ? kEmptyHistory : QStringLiteral("Упражнений этого вида в журнале нет"));
        pages_->setCurrentWidget(empty_);
        return;
    }
    const std::vector<SignErrorRate> rates = signRates();
    // setChart leaves the old chart to its caller.
    QChart* old[] = {progress_->chart(), signs_->chart()};
    progress_->setChart(progressChart(shown));
    // A point of the chart chooses its exercise in the list.
    for (QAbstractSeries* series : progress_->chart()->series())
        if (auto* line = qobject_cast<QLineSeries*>(series))
            connect(line, &QLineSeries::clicked, this,
                    [this](const QPointF& p) { choose(int(std::lround(p.x())) - 1); });
    progress_->setAccessibleDescription(progressDescription(shown));
    signs_->setChart(signRateChart(rates));
    signs_->setAccessibleDescription(signRateDescription(rates));
    for (QChart* chart : old)
        delete chart;
    pages_->setCurrentIndex(1);
}

void HistoryView::fillExercises() {
    exercises_->clear();
    for (auto s = shown_.rbegin(); s != shown_.rend(); ++s)
        exercises_->addItem(exerciseText(*s), QVariant::fromValue(s->id));
    exercises_->setEnabled(!shown_.empty());
    delete_->setEnabled(!shown_.empty());
}

void HistoryView::choose(int index) {
    if (index < 0 || index >= int(shown_.size())) return;
    exercises_->setCurrentIndex(int(shown_.size()) - 1 - index);
}

void HistoryView::deleteChosen() {
    const int row = exercises_->currentIndex();
    if (row < 0) return;
    const QString what = exercises_->itemText(row);
    if (!dialogs_.confirm("Удалить из журнала упражнение «" + what.toStdString() +
                          "»? Его знаки перестанут учитываться в статистике."))
        return;
    const std::string error = store_.deleteSession(exercises_->itemData(row).toLongLong());
    if (!error.empty()) {
        dialogs_.error(error);
        return;
    }
    refresh();
    trainingstyle::setLabelText(status_, QStringLiteral("Удалено: ") + what);
}

void HistoryView::exportCsv() {
    const std::optional<std::string> file = dialogs_.saveFileName(
        {"Файлы CSV (*.csv)|*.csv", QDir::home().filePath("kelvatron-journal.csv").toStdString(),
         "csv"});
    if (!file) return;
    const std::string error = store_.exportCsv(*file, kind_);
    if (!error.empty()) {
        trainingstyle::setLabelText(status_, QString());
        dialogs_.error(error);
        return;
    }
    trainingstyle::setLabelText(status_, QStringLiteral("Журнал сохранён: ") +
                                             QString::fromStdString(*file));
}

} // namespace kelvatron

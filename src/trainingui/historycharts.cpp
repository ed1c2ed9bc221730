#include "trainingui/historycharts.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "trainingui/trainingstyle.h"
#include "widgets/theme.h"

namespace kelvatron {

namespace {

double percentOf(const SessionRecord& s) {
    return s.signs > 0 ? 100.0 * s.errors / s.signs : 0;
}

double signsPerMinute(const SessionRecord& s) {
    return 5 * s.charWpm;
}

// An axis top a little above the largest value, on a round step, so the highest point is not
// drawn on the frame.
double roundedTop(double largest, double step, double least) {
    return std::max(least, std::ceil(largest * 1.1 / step) * step);
}

// A tick step of 1, 2 or 5 times a power of ten that cuts [0, top] into at most six parts.
double niceStep(double top) {
    const double rough = top / 6;
    const double power = std::pow(10, std::floor(std::log10(std::max(rough, 1e-9))));
    for (double m : {1.0, 2.0, 5.0})
        if (m * power >= rough) return m * power;
    return 10 * power;
}

void setTicks(QValueAxis* axis, double top) {
    axis->setRange(0, top);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setTickInterval(niceStep(top));
    axis->setLabelFormat(QStringLiteral("%d"));
}

QChart* darkChart(const QString& title) {
    auto* chart = new QChart;
    chart->setBackgroundVisible(false);
    chart->setPlotAreaBackgroundVisible(true);
    chart->setPlotAreaBackgroundBrush(QColor(4, 14, 22, 150));
    chart->setTitle(title);
    chart->setTitleFont(theme::font(14, true));
    chart->setTitleBrush(theme::kInk);
    chart->legend()->setFont(theme::font(12, true));
    chart->legend()->setLabelColor(theme::kInk);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));
    return chart;
}

void styleAxis(QAbstractAxis* axis, const QString& title) {
    axis->setTitleText(title);
    axis->setTitleFont(theme::font(12, true));
    axis->setTitleBrush(theme::kInkDim);
    axis->setLabelsFont(theme::font(11, true));
    axis->setLabelsColor(theme::kInk);
    axis->setGridLineColor(QColor(150, 196, 220, 50));
    axis->setLinePenColor(theme::kPanelEdge);
}

QLineSeries* lineSeries(const QString& name, const QColor& colour) {
    auto* series = new QLineSeries;
    series->setName(name);
    series->setPen(QPen(colour, 2.5));
    series->setPointsVisible(true);
    return series;
}

void attach(QChart* chart, QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y,
            Qt::Alignment ySide) {
    chart->addSeries(series);
    if (!chart->axes(Qt::Horizontal).contains(x)) chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, ySide);
    series->attachAxis(x);
    series->attachAxis(y);
}

} // namespace

std::vector<SessionRecord> sessionsOfKind(const std::vector<SessionRecord>& sessions,
                                          const std::string& kind) {
    if (kind.empty()) return sessions;
    std::vector<SessionRecord> out;
    std::copy_if(sessions.begin(), sessions.end(), std::back_inserter(out),
                 [&](const SessionRecord& s) { return s.kind == kind; });
    return out;
}

QChart* progressChart(const std::vector<SessionRecord>& sessions) {
    QChart* chart = darkChart(QStringLiteral("Ошибки и скорость по упражнениям"));
    QLineSeries* errors = lineSeries(QStringLiteral("ошибки, %"), QColor(255, 110, 90));
    QLineSeries* speed = lineSeries(QStringLiteral("скорость, знаков в минуту"), theme::kSegmentOn);
    double worst = 0, fastest = 0;
    for (int i = 0; i < int(sessions.size()); ++i) {
        errors->append(i + 1, percentOf(sessions[i]));
        speed->append(i + 1, signsPerMinute(sessions[i]));
        worst = std::max(worst, percentOf(sessions[i]));
        fastest = std::max(fastest, signsPerMinute(sessions[i]));
    }
    auto* x = new QValueAxis;
    styleAxis(x, QStringLiteral("упражнение"));
    const int n = std::max(1, int(sessions.size()));
    x->setRange(n > 1 ? 1 : 0, n > 1 ? n : 2);
    x->setTickType(QValueAxis::TicksDynamic);
    x->setTickAnchor(1);
    x->setTickInterval(std::max(1, int(std::ceil(n / 8.0))));
    x->setLabelFormat(QStringLiteral("%d"));
    auto* rate = new QValueAxis;
    styleAxis(rate, QStringLiteral("ошибки, %"));
    setTicks(rate, std::min(100.0, roundedTop(worst, 10, 10)));
    rate->setLabelsColor(QColor(255, 150, 130));
    auto* pace = new QValueAxis;
    styleAxis(pace, QStringLiteral("знаков/мин"));
    setTicks(pace, roundedTop(fastest, 20, 20));
    pace->setLabelsColor(theme::kSegmentOn);
    pace->setGridLineVisible(false); // the error axis draws the grid
    attach(chart, errors, x, rate, Qt::AlignLeft);
    attach(chart, speed, x, pace, Qt::AlignRight);
    return chart;
}

QChart* signRateChart(const std::vector<SignErrorRate>& rates, int top) {
    QChart* chart = darkChart(QStringLiteral("Ошибки по знакам, слабые первыми"));
    chart->legend()->hide();
    auto* set = new QBarSet(QStringLiteral("ошибки, %"));
    set->setColor(trainingstyle::kMissed);
    set->setBorderColor(QColor(0, 0, 0, 120));
    auto* signs = new QBarCategoryAxis;
    double worst = 0;
    const int shown = std::min(top, int(rates.size()));
    for (int i = 0; i < shown; ++i) {
        *set << 100 * rates[i].rate;
        signs->append(QString::fromStdString(rates[i].sign));
        worst = std::max(worst, 100 * rates[i].rate);
    }
    auto* series = new QBarSeries;
    series->append(set);
    series->setBarWidth(0.7);
    styleAxis(signs, QString());
    signs->setLabelsFont(theme::font(13, true));
    auto* rate = new QValueAxis;
    styleAxis(rate, QStringLiteral("ошибки, %"));
    setTicks(rate, std::min(100.0, roundedTop(worst, 10, 10)));
    attach(chart, series, signs, rate, Qt::AlignLeft);
    return chart;
}

QString progressDescription(const std::vector<SessionRecord>& sessions) {
    if (sessions.empty()) return QStringLiteral("Упражнений нет");
    const SessionRecord& last = sessions.back();
    return QStringLiteral("Упражнений: %1. Последнее (%2): ошибок %3 %, %4 знаков в минуту")
        .arg(sessions.size())
        .arg(QString::fromStdString(last.startedAt))
        .arg(percentOf(last), 0, 'f', 1)
        .arg(std::lround(signsPerMinute(last)));
}

QString signRateDescription(const std::vector<SignErrorRate>& rates, int top) {
    QStringList parts;
    for (int i = 0; i < std::min(top, int(rates.size())); ++i)
        parts << QStringLiteral("%1 — %2 %")
                     .arg(QString::fromStdString(rates[i].sign))
                     .arg(100 * rates[i].rate, 0, 'f', 1);
    return parts.isEmpty()
               ? QStringLiteral("Знаков нет")
               : QStringLiteral("Ошибки по знакам: ") + parts.join(QStringLiteral("; "));
}

} // namespace kelvatron

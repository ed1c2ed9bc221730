#include "trainingui/historycharts.h"
#include "widgets/glyphs.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QDateTime>
#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <numeric>

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

// A tick step of 1, 2 or 5 times a power of ten that cuts [0, top] into at most `parts`.
double niceStep(double top, int parts) {
    const double rough = top / parts;
    const double power = std::pow(10, std::floor(std::log10(std::max(rough, 1e-9))));
    for (double m : {1.0, 2.0, 5.0})
        if (m * power >= rough) return m * power;
    return 10 * power;
}

// The charts are short: four parts leave room for every label at the axis font, so none is
// cut to "…". Integer steps, since the labels are whole numbers.
constexpr int kValueParts = 4;

// A range from 0 a little above the largest value (so the highest point is not drawn on the
// frame), in whole steps of 1, 2 or 5 × 10ⁿ, each tick labelled.
void setTicks(QValueAxis* axis, double largest, double least, double most) {
    const double wanted = std::min(most, std::max(least, largest * 1.1));
    const double step = std::max(1.0, niceStep(wanted, kValueParts));
    axis->setRange(0, std::ceil(wanted / step - 1e-9) * step);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setTickInterval(step);
    axis->setLabelFormat(QStringLiteral("%.0f"));
}

QDateTime localTime(const SessionRecord& s) {
    return QDateTime::fromString(QString::fromStdString(s.startedAt), Qt::ISODate).toLocalTime();
}

// The exercises' axis, one step per exercise, labelled with the date each day's first exercise
// was done on; when all are of one day, with their times (the first with the date). At most
// kMostDateLabels labels, spread evenly.
constexpr int kMostDateLabels = 7;

QCategoryAxis* exerciseAxis(const std::vector<SessionRecord>& sessions) {
    auto* axis = new QCategoryAxis;
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    const int n = int(sessions.size());
    std::vector<int> firsts; // indices of the first exercise of each day
    for (int i = 0; i < n; ++i)
        if (i == 0 || localTime(sessions[i]).date() != localTime(sessions[i - 1]).date())
            firsts.push_back(i);
    const bool oneDay = firsts.size() < 2;
    const bool years = n > 0 && localTime(sessions.front()).date().year() !=
                                    localTime(sessions.back()).date().year();
    std::vector<int> labelled = firsts;
    if (oneDay) {
        labelled.resize(n);
        std::iota(labelled.begin(), labelled.end(), 0);
    }
    const int stride = std::max(1, int(std::ceil(labelled.size() / double(kMostDateLabels))));
    axis->setStartValue(n > 1 ? 1 : 0);
    QStringList used;
    for (size_t k = 0; k < labelled.size(); k += stride) {
        const QDateTime when = localTime(sessions[labelled[k]]);
        // One day's exercises by their time, the first with its date.
        const QString format =
            oneDay  ? (k == 0 ? QStringLiteral("dd.MM.yy HH:mm") : QStringLiteral("HH:mm"))
            : years ? QStringLiteral("dd.MM.yy")
                    : QStringLiteral("dd.MM");
        const QString label = when.toString(format);
        if (label.isEmpty() || used.contains(label)) continue;
        used << label;
        axis->append(label, labelled[k] + 1);
    }
    axis->setRange(n > 1 ? 1 : 0, n > 1 ? n : 2);
    return axis;
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
    if (!title.isNull()) axis->setTitleText(title);
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

// The kind as the history's choice names it; a kind it does not list reads as a receive.
QString kindCaption(const std::string& kind) {
    for (const HistoryKind& k : kHistoryKinds)
        if (*k.id && kind == k.id) return QString::fromUtf8(k.caption);
    return QStringLiteral("приём");
}

} // namespace

// The digits that look like letters of the alphabet (3 like З, 0 like О) say that they are
// digits, so a learner can tell which was meant.
QString signName(const std::string& sign) {
    const QString text = QString::fromStdString(sign);
    return sign == "3" || sign == "0" ? text + QStringLiteral(" (цифра)") : text;
}

QString signLabel(const std::string& sign) {
    const QString text = QString::fromStdString(sign);
    // The 3 takes the flat top it has everywhere signs are shown; the zero, drawn without its
    // slash in the chart's font, says that it is a digit.
    return sign == "0"
               ? QStringLiteral("<center>%1<br><span style=\"font-size:9px\">цифра</span></center>")
                     .arg(text)
               : shownSigns(text);
}

QString exerciseText(const SessionRecord& s) {
    const double percent = s.signs > 0 ? 100.0 * s.errors / s.signs : 0;
    return QStringLiteral("%1 — %2, знаков %3, ошибок %4 %")
        .arg(localTime(s).toString(QStringLiteral("dd.MM.yyyy HH:mm")),
             s.kind == "exam" ? QString::fromStdString(s.source) : kindCaption(s.kind))
        .arg(s.signs)
        .arg(percent, 0, 'f', 1);
}

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
    // The axes' titles, coloured as their lines, name them: the chart's height goes to the plot.
    chart->legend()->hide();
    QLineSeries* errors = lineSeries(QStringLiteral("ошибки, %"), QColor(255, 110, 90));
    QLineSeries* speed = lineSeries(QStringLiteral("скорость, знаков в минуту"), theme::kSegmentOn);
    double worst = 0, fastest = 0;
    for (int i = 0; i < int(sessions.size()); ++i) {
        errors->append(i + 1, percentOf(sessions[i]));
        speed->append(i + 1, signsPerMinute(sessions[i]));
        worst = std::max(worst, percentOf(sessions[i]));
        fastest = std::max(fastest, signsPerMinute(sessions[i]));
    }
    QCategoryAxis* x = exerciseAxis(sessions);
    styleAxis(x, QString());
    auto* rate = new QValueAxis;
    styleAxis(rate, QStringLiteral("ошибки, %"));
    setTicks(rate, worst, 10, 100);
    rate->setLabelsColor(QColor(255, 150, 130));
    rate->setTitleBrush(QColor(255, 150, 130));
    auto* pace = new QValueAxis;
    styleAxis(pace, QStringLiteral("знаков/мин"));
    setTicks(pace, fastest, 20, 1e6);
    pace->setLabelsColor(theme::kSegmentOn);
    pace->setTitleBrush(theme::kSegmentOn);
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
        signs->append(signLabel(rates[i].sign));
        worst = std::max(worst, 100 * rates[i].rate);
    }
    auto* series = new QBarSeries;
    series->append(set);
    series->setBarWidth(0.7);
    styleAxis(signs, QString());
    signs->setLabelsFont(theme::font(13, true));
    auto* rate = new QValueAxis;
    styleAxis(rate, QStringLiteral("ошибки, %"));
    setTicks(rate, worst, 10, 100);
    attach(chart, series, signs, rate, Qt::AlignLeft);
    return chart;
}

QString progressDescription(const std::vector<SessionRecord>& sessions) {
    if (sessions.empty()) return QStringLiteral("Упражнений нет");
    const SessionRecord& last = sessions.back();
    return QStringLiteral("Упражнений: %1. Последнее (%2): ошибок %3 %, %4 знаков в минуту")
        .arg(sessions.size())
        .arg(localTime(last).toString(QStringLiteral("dd.MM.yyyy HH:mm")))
        .arg(percentOf(last), 0, 'f', 1)
        .arg(std::lround(signsPerMinute(last)));
}

QString signRateDescription(const std::vector<SignErrorRate>& rates, int top) {
    QStringList parts;
    for (int i = 0; i < std::min(top, int(rates.size())); ++i)
        parts << QStringLiteral("%1 — %2 %")
                     .arg(signName(rates[i].sign))
                     .arg(100 * rates[i].rate, 0, 'f', 1);
    return parts.isEmpty()
               ? QStringLiteral("Знаков нет")
               : QStringLiteral("Ошибки по знакам: ") + parts.join(QStringLiteral("; "));
}

} // namespace kelvatron

#include "sendingui/deviationhistogram.h"

#include <QPainter>
#include <algorithm>

#include "widgets/theme.h"

namespace kelvatron {

namespace {
constexpr int kAxisHeight = 16;
constexpr int kTitleHeight = 18;
constexpr int kCountHeight = 13; // the count above the tallest bar
} // namespace

DeviationHistogram::DeviationHistogram(QWidget* parent) : QWidget(parent) {
    setAccessibleName("Отклонение длительности элементов");
    setMinimumHeight(100);
}

void DeviationHistogram::setBins(const std::array<int, 12>& bins) {
    bins_ = bins;
    // A screen reader reads the bars as numbers, from the shortest elements to the longest.
    QStringList counts;
    for (int n : bins)
        counts << QString::number(n);
    setAccessibleDescription("От короче на половину и больше до длиннее на половину и больше: " +
                             counts.join(", "));
    update();
}

void DeviationHistogram::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(theme::kDisplayFace);
    p.drawRoundedRect(QRectF(rect()), 6, 6);

    p.setFont(theme::font(11));
    const QRectF title(6, 2, width() - 12, kTitleHeight);
    theme::drawShadowedText(p, title, Qt::AlignLeft | Qt::AlignVCenter, "Отклонение от нормы",
                            theme::kInkDim);
    const QRectF plot(8, kTitleHeight + 4 + kCountHeight, width() - 16,
                      height() - kTitleHeight - kCountHeight - kAxisHeight - 8);
    const int most = std::max(1, *std::ranges::max_element(bins_));
    const double step = plot.width() / bins_.size();
    for (size_t i = 0; i < bins_.size(); ++i) {
        const double h = plot.height() * bins_[i] / most;
        const QRectF bar(plot.left() + i * step + 2, plot.bottom() - h, step - 4, h);
        // The two bins around zero are the exact ones; the outer bins are the worst.
        const bool exact = i == 5 || i == 6;
        p.setBrush(exact                 ? theme::kSegmentOn
                   : (i == 0 || i == 11) ? theme::kActiveBottom
                                         : theme::kLitBottom);
        p.drawRect(bar);
    }
    // Each bar's count above it, so "how many" needs no guess from the heights.
    p.setFont(theme::font(9, true));
    for (size_t i = 0; i < bins_.size(); ++i) {
        if (!bins_[i]) continue;
        const double top = plot.bottom() - plot.height() * bins_[i] / most;
        const QRectF count(plot.left() + i * step - 3, top - kCountHeight, step + 6, kCountHeight);
        theme::drawShadowedText(p, count, Qt::AlignHCenter | Qt::AlignBottom,
                                QString::number(bins_[i]), theme::kInk);
        p.setPen(Qt::NoPen);
    }
    const QRectF axis(plot.left(), plot.bottom() + 2, plot.width(), kAxisHeight);
    p.setFont(theme::font(10));
    theme::drawShadowedText(p, axis, Qt::AlignLeft, "−50 %", theme::kInkDim);
    theme::drawShadowedText(p, axis, Qt::AlignHCenter, "0", theme::kInkDim);
    theme::drawShadowedText(p, axis, Qt::AlignRight, "+50 %", theme::kInkDim);
}

} // namespace kelvatron

#pragma once
#include <QWidget>
#include <array>

namespace kelvatron {

// The bars of each element's deviation from its ideal length at the end of a practice run:
// twelve bins from "shorter by more than half" through ten steps of 10 % to "longer by half or
// more" (SendingTimingSummary::deviationHistogram).
class DeviationHistogram : public QWidget {
    Q_OBJECT
public:
    explicit DeviationHistogram(QWidget* parent = nullptr);
    void setBins(const std::array<int, 12>& bins);
    QSize sizeHint() const override { return {320, 120}; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    std::array<int, 12> bins_{};
};

} // namespace kelvatron

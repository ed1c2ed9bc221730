#pragma once
#include <QString>
#include <vector>

#include "training/historystore.h"

class QChart;

namespace kelvatron {

// The kinds of exercise the history can be narrowed to; empty means every kind.
struct HistoryKind {
    const char* id; // as SessionRecord::kind holds it, "" for all
    const char* caption;
};
inline constexpr HistoryKind kHistoryKinds[] = {
    {"", "все"}, {"receive", "приём"}, {"send", "передача"}};

std::vector<SessionRecord> sessionsOfKind(const std::vector<SessionRecord>& sessions,
                                          const std::string& kind);

// Error rate (%, left axis) and character speed (знаков в минуту, right axis) over the
// sessions, numbered from 1 oldest first. The caller owns the chart.
QChart* progressChart(const std::vector<SessionRecord>& sessions);
// Error rate per sign as bars, the first `top` of rates (weakest first).
QChart* signRateChart(const std::vector<SignErrorRate>& rates, int top = 20);

// What the charts show, in words, for a screen reader.
QString progressDescription(const std::vector<SessionRecord>& sessions);
QString signRateDescription(const std::vector<SignErrorRate>& rates, int top = 20);

} // namespace kelvatron

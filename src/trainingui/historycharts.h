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
    {"", "все"}, {"receive", "приём"}, {"send", "передача"}, {"exam", "зачёт"},
    {"callsign", "позывные"}, {"contact", "радиообмен"}};

std::vector<SessionRecord> sessionsOfKind(const std::vector<SessionRecord>& sessions,
                                          const std::string& kind);

// Error rate (%, left axis) and character speed (знаков в минуту, right axis) over the
// sessions, oldest first at x = 1, 2, …, the axis labelled with their dates. The caller owns
// the chart.
QChart* progressChart(const std::vector<SessionRecord>& sessions);
// Error rate per sign as bars, the first `top` of rates (weakest first).
QChart* signRateChart(const std::vector<SignErrorRate>& rates, int top = 20);

// A sign as the charts name it: a digit that looks like a letter says "цифра" in words for a
// screen reader; on the chart's axis the 3 is flat-topped and the zero says "цифра" below it.
QString signName(const std::string& sign);
QString signLabel(const std::string& sign);
// One exercise in a line: its local date and time, kind, signs and error rate.
QString exerciseText(const SessionRecord& s);

// What the charts show, in words, for a screen reader.
QString progressDescription(const std::vector<SessionRecord>& sessions);
QString signRateDescription(const std::vector<SignErrorRate>& rates, int top = 20);

} // namespace kelvatron

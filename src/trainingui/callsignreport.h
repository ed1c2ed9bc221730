#pragma once
#include <QString>
#include <string_view>
#include <vector>

#include "training/callsignbestruns.h"
#include "training/callsigndrill.h"

namespace kelvatron {

// The copy of one call with its mistakes marked as a receive check marks signs: a wrong sign red
// and underlined, a missed one an amber '_', one typed too many blue. Rich text.
QString markedCopy(std::string_view sent, std::string_view typed);

// "Очков: 812, верно 41 из 50, наибольшая скорость 180 знаков в минуту".
QString callsignFigure(const CallsignDrill& drill);

// A finished run's end screen: the figure, every call sent against typed with its speed and
// points, and the best runs with this one marked (latest: its place in `best`, -1 if not there).
QString callsignReportHtml(const CallsignDrill& drill, const std::vector<CallsignRun>& best,
                           int latest);

} // namespace kelvatron

#include "training/callsignbestruns.h"

#include <algorithm>
#include <sstream>

namespace kelvatron {

std::vector<CallsignRun> withRun(std::vector<CallsignRun> best, const CallsignRun& run,
                                 int* place) {
    const auto at =
        std::upper_bound(best.begin(), best.end(), run.score,
                         [](int score, const CallsignRun& r) { return score > r.score; });
    const int index = int(at - best.begin());
    best.insert(at, run);
    if (int(best.size()) > kBestRunsKept) best.resize(kBestRunsKept);
    if (place) *place = index < kBestRunsKept ? index : -1;
    return best;
}

std::string bestRunsText(const std::vector<CallsignRun>& runs) {
    std::string out;
    for (const CallsignRun& r : runs) {
        if (!out.empty()) out += ';';
        out += std::to_string(r.score) + ' ' + std::to_string(r.topCpm) + ' ' +
               std::to_string(r.right) + ' ' + std::to_string(r.total) + ' ' + r.date;
    }
    return out;
}

std::vector<CallsignRun> parseBestRuns(std::string_view text) {
    std::vector<CallsignRun> runs;
    std::istringstream all{std::string(text)};
    std::string item;
    while (std::getline(all, item, ';')) {
        std::istringstream fields(item);
        CallsignRun r;
        if (fields >> r.score >> r.topCpm >> r.right >> r.total >> r.date && r.score >= 0 &&
            r.right >= 0 && r.right <= r.total)
            runs.push_back(r);
    }
    return runs;
}

} // namespace kelvatron

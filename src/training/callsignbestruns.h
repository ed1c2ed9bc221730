#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace kelvatron {

// One finished callsign run as the learner's best runs list it.
struct CallsignRun {
    int score = 0;
    int topCpm = 0;
    int right = 0;
    int total = 0;
    std::string date; // "2026-12-07"
};

inline constexpr int kBestRunsKept = 5;

// The best runs, highest score first (the earlier of two equal scores first), at most
// kBestRunsKept; `run` joins them when it scores high enough. place, when given, receives its
// index in the list, -1 when it did not make it.
std::vector<CallsignRun> withRun(std::vector<CallsignRun> best, const CallsignRun& run,
                                 int* place = nullptr);

// The list as the settings file keeps it, "score cpm right total date" per run, runs separated
// by ';'. Reading skips what does not read as a run.
std::string bestRunsText(const std::vector<CallsignRun>& runs);
std::vector<CallsignRun> parseBestRuns(std::string_view text);

} // namespace kelvatron

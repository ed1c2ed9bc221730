#pragma once
#include <functional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "audio/airconditions.h"
#include "cli/exportoptions.h"
#include "render/exportrenderer.h"
#include "settings/settingsloader.h"

namespace kelvatron {

// The job a command line asks for: each option given, else the learner's stored value. The
// alphabet is not stored; letters are Cyrillic, as in a fresh window.
struct ExportPlan {
    ExportJob job;
    int status = kExportOk; // kExportBadUsage or kExportFailed with error
    std::string error;
};

// Without --seed the seed comes from `randomSeed`. The air is the stored one (`storedAir`) with
// the options given over it; any air option switches it on.
ExportPlan planExport(const ExportOptions& options, const PropValues& stored, uint32_t randomSeed,
                      const AirConditions& storedAir = {});

// Runs `kelvatron --export FILE [options]` (the arguments after the program's name) on the
// stored values: the help on `out`, messages on `err`, and "\rЭкспорт: N %" on `err` when
// showProgress. Returns the exit status.
// `voice` speaks the answers --voice asks for; without it they are reported as unspoken.
int runExportCommand(std::span<const std::string_view> args, const PropValues& stored,
                     std::ostream& out, std::ostream& err, bool showProgress,
                     const AirConditions& storedAir = {},
                     const SpeechSynthesizerMaker& voice = {});

} // namespace kelvatron

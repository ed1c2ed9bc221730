#include "training/weaksignsmode.h"

#include "core/cp1251.h"
#include "keying/generationsets.h"
#include "transmission/transmissiondriver.h"

namespace kelvatron {

// The signs as the sign table names them: a Latin letter as its Cyrillic partner, which it is
// keyed as.
WeakSigns WeakSignsMode::weakSigns(bool latin) const {
    std::string alphabet;
    for (char entry : generationSet(latin ? GenerationSetKind::DigitsAndLatinLetters
                                          : GenerationSetKind::DigitsAndCyrillicLetters)) {
        const GenerationEntry e = generationEntry(entry);
        if (limit_.empty() || limit_.find(e.written) != std::string::npos) alphabet += e.keyed;
    }
    return WeakSigns(alphabet, record_());
}

ExercisePlan WeakSignsMode::plan(const TrainingContext& context) const {
    const TransmissionSettings& s = context.transmission;
    const WeakSigns signs = weakSigns(s.latin);
    ExercisePlan plan;
    plan.text = signs.drawGroups(TransmissionDriver::groupCountOf(s.groupCount),
                                 TransmissionDriver::groupSizeOf(s.groupSize));
    plan.source = "слабые знаки";
    plan.alphabet = fromCp1251(signs.alphabet());
    return plan;
}

} // namespace kelvatron

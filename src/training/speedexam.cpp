#include "training/speedexam.h"

#include <cmath>

#include "core/cp1251.h"
#include "keying/generationsets.h"
#include "training/receivecheck.h"
#include "training/sendingpractice.h"
#include "training/sendingtiming.h"

namespace kelvatron {

// A block with nothing sent cannot be passed: the learner heard nothing to copy.
void SpeedExam::blockChecked(const ReceiveCheck& check, double durationMs) {
    if (finished_) return;
    ++blocks_;
    signs_ += check.signsSent;
    errors_ += check.errors();
    durationMs_ += durationMs;
    if (check.signsSent == 0 || check.errors() > settings_.maxErrors) {
        finished_ = true;
        return;
    }
    passed_ = speed_;
    speed_ += settings_.stepSignsPerMinute;
    // The dot cannot be shorter than 10 ms, the speed bar's limit: the test ends there.
    if (6000 / speed_ < 10) finished_ = true;
}

SessionRecord SpeedExam::record(const std::string& source, const std::string& alphabet) const {
    SessionRecord r;
    r.kind = "exam";
    r.source = source;
    r.alphabet = alphabet;
    r.dotMs = 6000 / passed_.value_or(settings_.startSignsPerMinute);
    r.signs = signs_;
    r.errors = errors_;
    r.charWpm = r.effectiveWpm = passed_.value_or(0) / 5.0;
    r.durationS = durationMs_ / 1000;
    return r;
}

std::string examSigns(ExamText text, bool latin) {
    std::string out;
    if (text != ExamText::Letters)
        for (char c : generationSet(GenerationSetKind::Digits))
            out += generationEntry(c).written;
    if (text != ExamText::Digits)
        for (char c : generationSet(latin ? GenerationSetKind::LatinLetters
                                          : GenerationSetKind::CyrillicLetters))
            out += generationEntry(c).written;
    return out;
}

std::string drawExamGroups(std::string_view signs, double durationMs, const KeyingPace& pace,
                           const std::function<uint32_t(uint32_t)>& random) {
    std::string out;
    if (signs.empty()) return out;
    do {
        if (!out.empty()) out.push_back(' ');
        for (int i = 0; i < 5; ++i)
            out.push_back(signs[random(uint32_t(signs.size()))]);
    } while (exerciseSpeed(out, pace).durationMs < durationMs);
    return out;
}

std::string examSource(bool sending, ExamText text) {
    const char* type = text == ExamText::Digits    ? "цифры"
                       : text == ExamText::Letters ? "буквы"
                                                   : "смешанные";
    return std::string(sending ? "зачёт, передача: " : "зачёт, приём: ") + type;
}

std::optional<int> bestExamSpeed(const std::vector<SessionRecord>& sessions,
                                 const std::string& source) {
    std::optional<int> best;
    for (const SessionRecord& s : sessions)
        if (s.kind == "exam" && s.source == source && s.charWpm > 0)
            best = std::max(best.value_or(0), int(std::lround(s.charWpm * 5)));
    return best;
}

double rhythmPercent(const SendingTimingSummary& t, double ratio) {
    double sum = 0;
    int terms = 0;
    auto add = [&](bool measured, double deviation) {
        if (measured) sum += std::abs(deviation), ++terms;
    };
    add(t.dotSpread >= 0, t.dotSpread);
    add(t.dashSpread >= 0, t.dashSpread);
    add(t.dashDotRatio > 0 && ratio > 0, t.dashDotRatio / ratio - 1);
    for (auto [mean, spread] : {std::pair(t.elementSpacing, t.elementSpacingSpread),
                                std::pair(t.signSpacing, t.signSpacingSpread),
                                std::pair(t.wordSpacing, t.wordSpacingSpread)}) {
        add(mean > 0, mean - 1);
        add(spread >= 0, spread);
    }
    if (terms == 0) return 0;
    return std::max(0.0, 100 * (1 - sum / terms));
}

bool sendingExamPassed(int errors, double rhythm, int maxErrors) {
    return errors <= maxErrors && rhythm >= kPassRhythm;
}

SessionRecord sendingExamRecord(ExamText text, const std::string& alphabet,
                                const SendingResult& result, bool passed) {
    SessionRecord r;
    r.kind = "exam";
    r.source = examSource(true, text);
    r.alphabet = alphabet;
    r.dotMs = int(std::lround(result.timing.unitMs));
    r.charWpm = passed ? result.timing.wpm : 0;
    r.effectiveWpm = passed ? result.timing.effectiveWpm : 0;
    r.durationS = result.durationMs / 1000;
    return r;
}

} // namespace kelvatron

#include "training/receivecheck.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <unordered_map>

#include "keying/signtable.h"
#include "training/groupanchors.h"
#include "transmission/textsign.h"

namespace kelvatron {

namespace {

// A typed character that is no sign gets a key above every sign byte, so it matches nothing.
constexpr int kJunkKey = 256;

struct SignText {
    std::vector<int> keys;      // sign byte, or kJunkKey + byte
    std::vector<int> positions; // byte offset of each key's character
    std::vector<GroupSpan> groups;
};

bool separates(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

SignText signText(std::string_view text, bool keepJunk) {
    SignText out;
    int groupStart = 0;
    auto closeGroup = [&] {
        if (int(out.keys.size()) > groupStart)
            out.groups.push_back({groupStart, int(out.keys.size())});
        groupStart = int(out.keys.size());
    };
    auto add = [&](int key, int pos) {
        out.keys.push_back(key);
        out.positions.push_back(pos);
    };
    for (int pos = 0; pos < int(text.size()); ++pos) {
        const char c = text[pos];
        if (separates(c)) {
            closeGroup();
        } else if (c == '.') { // Т Ч К between group pauses
            closeGroup();
            for (char sign : kFullStopSigns)
                add(static_cast<unsigned char>(sign), pos);
            closeGroup();
        } else if (auto sign = textSign(c)) {
            add(static_cast<unsigned char>(*sign), pos);
        } else if (keepJunk) {
            add(kJunkKey + static_cast<unsigned char>(c), pos);
        }
    }
    closeGroup();
    return out;
}

char keyChar(int key) {
    return static_cast<char>(key >= kJunkKey ? key - kJunkKey : key);
}

std::vector<AlignStep> alignWithAnchors(const SignText& sent, const SignText& typed) {
    std::vector<AlignStep> steps;
    int sentAt = 0, typedAt = 0;
    auto alignUpTo = [&](int sentEnd, int typedEnd) {
        std::span<const int> s(sent.keys.data() + sentAt, sentEnd - sentAt);
        std::span<const int> t(typed.keys.data() + typedAt, typedEnd - typedAt);
        for (AlignStep step : alignSequences(s, t)) {
            if (step.sent >= 0) step.sent += sentAt;
            if (step.typed >= 0) step.typed += typedAt;
            steps.push_back(step);
        }
        sentAt = sentEnd, typedAt = typedEnd;
    };
    for (const auto& [s, t] : matchingGroups(sent.keys, sent.groups, typed.keys, typed.groups)) {
        alignUpTo(s.begin, t.begin);
        for (int k = 0; k < s.end - s.begin; ++k)
            steps.push_back({AlignOp::Match, s.begin + k, t.begin + k});
        sentAt = s.end, typedAt = t.end;
    }
    alignUpTo(int(sent.keys.size()), int(typed.keys.size()));
    return steps;
}

void tally(ReceiveCheck& check) {
    std::map<std::pair<char, char>, int> confusions;
    std::map<int, SignTally> perSign; // by sign table index
    for (const AlignedSign& step : check.steps) {
        if (step.op == AlignOp::Match) ++check.matched;
        if (step.op == AlignOp::Substitution) ++check.substituted;
        if (step.op == AlignOp::Missed) ++check.missed;
        if (step.op == AlignOp::Extra) {
            ++check.extra;
            continue;
        }
        ++check.signsSent;
        const int index = findSign(std::string_view(&step.sent, 1)).value_or(kSignCount);
        SignTally& t = perSign.try_emplace(index, SignTally{step.sent, 0, 0}).first->second;
        ++t.sent;
        if (step.op == AlignOp::Match) continue;
        ++t.wrong;
        ++confusions[{step.sent, step.typed}];
    }
    for (const auto& [pair, count] : confusions)
        check.confusions.push_back({pair.first, pair.second, count});
    std::stable_sort(check.confusions.begin(), check.confusions.end(),
                     [](const Confusion& a, const Confusion& b) { return a.count > b.count; });
    for (const auto& [index, t] : perSign)
        check.perSign.push_back(t);
}

} // namespace

double ReceiveCheck::errorRate() const {
    if (signsSent == 0) return errors() > 0 ? 1.0 : 0.0;
    return double(errors()) / signsSent;
}

ReceiveCheck checkReceived(std::string_view sentCp1251, std::string_view typedCp1251) {
    const SignText sent = signText(sentCp1251, false);
    const SignText typed = signText(typedCp1251, true);
    ReceiveCheck check;
    const std::vector<AlignStep> steps = alignWithAnchors(sent, typed);
    check.steps.reserve(steps.size());
    for (const AlignStep& s : steps) {
        AlignedSign a{s.op, 0, 0, -1, -1};
        if (s.sent >= 0) a.sent = keyChar(sent.keys[s.sent]), a.sentPos = sent.positions[s.sent];
        if (s.typed >= 0)
            a.typed = keyChar(typed.keys[s.typed]), a.typedPos = typed.positions[s.typed];
        check.steps.push_back(a);
    }
    tally(check);
    return check;
}

std::string figureText(const ReceiveCheck& check) {
    char percent[32];
    auto [end, ec] = std::to_chars(percent, percent + sizeof percent, check.errorRate() * 100.0,
                                   std::chars_format::fixed, 1);
    return "Знаков: " + std::to_string(check.signsSent) +
           ", ошибок: " + std::to_string(check.errors()) + " (" + std::string(percent, end) + " %)";
}

} // namespace kelvatron

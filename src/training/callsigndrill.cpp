#include "training/callsigndrill.h"

#include <algorithm>
#include <cmath>

#include "core/cp1251.h"
#include "keying/signtable.h"
#include "training/wordspeed.h"

namespace kelvatron {

int callsignPoints(std::string_view call, int cpm, bool repeated) {
    const int points = int(call.size()) * cpm / 10;
    return repeated ? points / 2 : points;
}

std::string normalizedCopy(std::string_view typedUtf8) {
    std::string out;
    for (char c : toCp1251(typedUtf8)) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (c == ' ' || c == '\t') continue;
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
        // Windows-1251 small Cyrillic letters lie 32 above their capitals.
        if (u >= 0xE0) c = char(u - 0x20);
        char latin = 0;
        for (const LatinEquivalent& e : kLatinEquivalents)
            if (e.keyedAs == c) latin = e.latin;
        out += latin ? latin : c;
    }
    return out;
}

CallsignDrill::CallsignDrill(const CallsignDrillSettings& settings, uint32_t seed)
    : settings_(settings), generator_(seed),
      cpm_(std::clamp(settings.startCpm, kCallsignMinCpm, kCallsignMaxCpm)) {
    call_ = generator_.next().text;
}

int CallsignDrill::dotMs() const {
    return int(std::lround(kMsPerMinute * kSignsPerWord / kDotsPerWord / cpm_));
}

const CallsignAttempt& CallsignDrill::answer(std::string_view typedUtf8) {
    CallsignAttempt a;
    a.sent = call_;
    a.typed = normalizedCopy(typedUtf8);
    a.cpm = cpm_;
    a.repeated = repeated_;
    a.right = a.typed == a.sent;
    a.points = a.right ? callsignPoints(a.sent, a.cpm, a.repeated) : 0;
    attempts_.push_back(a);
    const int step = a.right ? settings_.stepCpm : -settings_.stepCpm;
    cpm_ = std::clamp(cpm_ + step, kCallsignMinCpm, kCallsignMaxCpm);
    repeated_ = false;
    if (!finished()) call_ = generator_.next().text;
    return attempts_.back();
}

int CallsignDrill::right() const {
    return int(std::count_if(attempts_.begin(), attempts_.end(),
                             [](const CallsignAttempt& a) { return a.right; }));
}

int CallsignDrill::score() const {
    int sum = 0;
    for (const CallsignAttempt& a : attempts_)
        sum += a.points;
    return sum;
}

int CallsignDrill::topCpm() const {
    int top = 0;
    for (const CallsignAttempt& a : attempts_)
        if (a.right) top = std::max(top, a.cpm);
    return top;
}

} // namespace kelvatron

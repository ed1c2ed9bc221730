#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace kelvatron::test {

using Log = std::vector<std::string>;

inline Log operator+(Log a, const Log& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// What the default settings key on the speaker for a sign's code: each element (dot 40, dash
// 120 ms) and a dot's silence, then the sign pause.
inline Log speakerSign(std::string_view code) {
    Log out;
    for (char e : code)
        out = out + Log{e == '.' ? "beep 800 40" : "beep 800 120", "sleep 40"};
    out.push_back("sleep 120");
    return out;
}

// The dots and dashes the speaker sounded at the default speed, read back from a fake clock's
// log.
inline std::string soundedCode(const Log& log) {
    std::string code;
    for (const auto& line : log) {
        if (line == "beep 800 40") code += '.';
        if (line == "beep 800 120") code += '-';
    }
    return code;
}

} // namespace kelvatron::test

#pragma once
#include <string>
#include <vector>

namespace kelvatron::test {

// The dots and dashes the speaker sounded at the default speed, read back from a fake clock's
// log ("beep 800 40" a dot, "beep 800 120" a dash).
inline std::string soundedCode(const std::vector<std::string>& log) {
    std::string code;
    for (const auto& line : log) {
        if (line == "beep 800 40") code += '.';
        if (line == "beep 800 120") code += '-';
    }
    return code;
}

} // namespace kelvatron::test

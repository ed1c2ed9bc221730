#pragma once
#include <string>
#include <vector>

#include "core/keyboardlayout.h"

namespace kelvatron::test {

// Records every layout activated, in order.
class FakeKeyboardLayout : public KeyboardLayout {
public:
    void loadKeyboardLayout(const char* layoutName) override { loaded.emplace_back(layoutName); }
    std::vector<std::string> loaded;
};

} // namespace kelvatron::test

#pragma once
#include <string>

#include "platform/keylineport.h"

namespace kelvatron::test {

// A port whose lines the test sets, that can refuse to open and can vanish.
struct FakeKeyLinePort : KeyLinePort {
    bool open(const std::string&, std::string& reason) override {
        reason = refusal;
        return isOpen = refusal.empty();
    }
    std::optional<KeyLines> lines() override {
        return vanished ? std::nullopt : std::optional(now);
    }
    void close() override { isOpen = false; }

    std::string refusal;
    bool vanished = false, isOpen = false;
    KeyLines now;
};

} // namespace kelvatron::test

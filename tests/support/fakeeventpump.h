#pragma once
#include <functional>
#include <map>
#include <stdexcept>

#include "core/eventpump.h"

namespace kelvatron::test {

// Counts event points and runs a scripted action at the n-th one (1-based), as if the user had
// clicked or typed just then. waitForEvents() counts as an event point too; with nothing
// scripted for it, it runs the next scripted action at once, so a paused run cannot hang a test.
class FakeEventPump : public EventPump {
public:
    void processEvents() override { point(); }
    void waitForEvents() override {
        ++waits;
        if (!point() && !actions.empty()) {
            auto next = actions.begin();
            auto action = next->second;
            actions.erase(next);
            action();
        } else if (actions.empty() && waits > 1000) {
            throw std::runtime_error("waitForEvents with nothing left to happen");
        }
    }

    // Runs action at the n-th event point from now on.
    void at(int n, std::function<void()> action) { actions.emplace(count + n, std::move(action)); }

    int count = 0; // event points so far
    int waits = 0;
    // Several actions may wait for one point; they run in the order they were set.
    std::multimap<int, std::function<void()>> actions;

private:
    bool point() {
        ++count;
        bool ran = false;
        for (auto it = actions.find(count); it != actions.end() && it->first == count;
             it = actions.find(count)) {
            auto action = it->second;
            actions.erase(it);
            action();
            ran = true;
        }
        return ran;
    }
};

} // namespace kelvatron::test

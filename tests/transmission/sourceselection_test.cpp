// The four source options behave as one choice; generation and radiograms choose the text.
#include <gtest/gtest.h>

#include "support/engineharness.h"

using namespace kelvatron;
using namespace kelvatron::test;

namespace {
std::vector<bool> sources(const FakeTransmissionControls& c) {
    const TransmissionSettings& s = c.settings;
    return {s.digits, s.letters, s.digitsAndLetters, s.textInWindow};
}
} // namespace

TEST(SourceSelection, TheOptionClickedBecomesTheOnlyOneSet) {
    EngineHarness e;
    SourceSelection& select = e.sourceSelection;
    // Clicking the option already set (the second click on glCheckBox6) keeps it.
    const std::pair<void (SourceSelection::*)(), std::vector<bool>> clicks[] = {
        {&SourceSelection::glCheckBox5Click, {false, true, false, false}},
        {&SourceSelection::glCheckBox6Click, {false, false, true, false}},
        {&SourceSelection::glCheckBox6Click, {false, false, true, false}},
        {&SourceSelection::glCheckBox7Click, {false, false, false, true}},
        {&SourceSelection::glCheckBox4Click, {true, false, false, false}},
        {&SourceSelection::selectTextInWindow, {false, false, false, true}}};
    for (size_t i = 0; i < std::size(clicks); ++i) {
        (select.*clicks[i].first)();
        EXPECT_EQ(sources(e.controls), clicks[i].second) << "click " << i;
    }
}

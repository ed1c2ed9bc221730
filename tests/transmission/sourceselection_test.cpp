// The four source options behave as one choice; generation and radiograms choose the text.
#include <gtest/gtest.h>

#include "transmission/transmissiontesting.h"

using namespace kelvatron;
using namespace kelvatron::test;

namespace {
std::vector<bool> sources(TForm1& f) {
    std::vector<bool> out;
    for (auto* option : f.sourceOptions())
        out.push_back(option->Checked());
    return out;
}
} // namespace

TEST(SourceSelection, TheOptionClickedBecomesTheOnlyOneSet) {
    FormHarness h;
    auto& f = *h.form;
    EXPECT_EQ(sources(f), (std::vector<bool>{true, false, false, false}));
    // Clicking the option already set (the second click on glCheckBox6) keeps it.
    const std::pair<TglCheckBox*, std::vector<bool>> clicks[] = {
        {f.glCheckBox5, {false, true, false, false}},
        {f.glCheckBox6, {false, false, true, false}},
        {f.glCheckBox6, {false, false, true, false}},
        {f.glCheckBox7, {false, false, false, true}},
        {f.glCheckBox4, {true, false, false, false}}};
    for (size_t i = 0; i < std::size(clicks); ++i) {
        clicks[i].first->click();
        EXPECT_EQ(sources(f), clicks[i].second) << "click " << i;
    }
    f.sourceSelection.selectTextInWindow(); // chosen from code: no handlers run
    EXPECT_EQ(sources(f), (std::vector<bool>{false, false, false, true}));
}

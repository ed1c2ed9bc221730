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

TEST(SourceSelection, EachOptionClickedBecomesTheOnlyOneSet) {
    FormHarness h;
    auto& f = *h.form;
    EXPECT_EQ(sources(f), (std::vector<bool>{true, false, false, false}));
    f.glCheckBox5->click();
    EXPECT_EQ(sources(f), (std::vector<bool>{false, true, false, false}));
    f.glCheckBox6->click();
    EXPECT_EQ(sources(f), (std::vector<bool>{false, false, true, false}));
    f.glCheckBox7->click();
    EXPECT_EQ(sources(f), (std::vector<bool>{false, false, false, true}));
    f.glCheckBox4->click();
    EXPECT_EQ(sources(f), (std::vector<bool>{true, false, false, false}));
}

TEST(SourceSelection, ClickingTheOptionAlreadySetKeepsIt) {
    FormHarness h;
    auto& f = *h.form;
    f.glCheckBox6->click();
    f.glCheckBox6->click();
    EXPECT_EQ(sources(f), (std::vector<bool>{false, false, true, false}));
}

TEST(SourceSelection, TextInTheWindowIsChosenWithoutHandlers) {
    FormHarness h;
    auto& f = *h.form;
    f.glCheckBox5->click();
    f.sourceSelection.selectTextInWindow();
    EXPECT_EQ(sources(f), (std::vector<bool>{false, false, false, true}));
}

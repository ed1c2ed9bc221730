#pragma once
#include <gtest/gtest.h>
#include <memory>

#include "mainwindow/tform1.h"
#include "support/fakeservices.h"

namespace kelvatron::test {

// The main window on fakes: every tone, beep and wait lands on one timeline, clock.log
// ("beep 800 40", "tone 20", "sleep 40"). The speaker has a beep service, so the speaker
// output shows as beeps.
//   FormHarness h;  h.form->glLabel39->click();  EXPECT_EQ(h.clock.log, ...);
struct FormHarness : FakeServices {
    FormHarness() : form(std::make_unique<TForm1>(services)) { clearRecords(); }

    std::unique_ptr<TForm1> form;
};

// A test on a window of its own: TEST_F(FormTest, X) { f.glLabel5->click(); ... h.clock.log }.
class FormTest : public ::testing::Test {
protected:
    FormHarness h;
    TForm1& f = *h.form;
};

} // namespace kelvatron::test

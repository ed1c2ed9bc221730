#pragma once
#include <gtest/gtest.h>
#include <memory>

#include "mainwindow/callsignpanel.h"
#include "mainwindow/sendingpanel.h"
#include "mainwindow/tform1.h"
#include "mainwindow/trainingpanel.h"
#include "support/fakeservices.h"

namespace kelvatron::test {

// What a test reaches inside the window: its controls, and the subsystems it drives or reads.
struct FormAccess {
    static FormControls& controls(TForm1& f) { return f; }
    static FormState& state(TForm1& f) { return f.state; }
    static TextWindow& textWindow(TForm1& f) { return f.textWindow; }
    static SettingsStore& settingsStore(TForm1& f) { return f.settingsStore; }
    static AudioExport& audioExport(TForm1& f) { return f.audioExport; }
    static TrainingPanel& training(TForm1& f) { return *f.training; }
    static FormKeyingSettings& keying(TForm1& f) { return f.keyingSettings; }
    // The callsign panel once it has been opened, else null.
    static CallsignPanel* callsigns(TForm1& f) { return f.callsignPanel_.get(); }
    // The sending panel's frame once the panel has been opened, else null.
    static QWidget* sendingPanel(TForm1& f) {
        return f.sendingPanel_ ? f.sendingPanel_->frame() : nullptr;
    }
};

// The main window on fakes: every tone, beep and wait lands on one timeline, clock.log
// ("beep 800 40", "tone 20", "sleep 40"). The speaker has a beep service, so the speaker
// output shows as beeps.
//   FormHarness h;  h.ui().glLabel39->click();  EXPECT_EQ(h.clock.log, ...);
struct FormHarness : FakeServices {
    FormHarness() : form(std::make_unique<TForm1>(services)) { clearRecords(); }

    FormControls& ui() { return FormAccess::controls(*form); }

    std::unique_ptr<TForm1> form;
};

// A test on a window of its own: TEST_F(FormTest, X) { f.glLabel5->click(); ... h.clock.log }.
// f is the window's controls; window the window itself.
class FormTest : public ::testing::Test {
protected:
    FormHarness h;
    TForm1& window = *h.form;
    FormControls& f = FormAccess::controls(window);
};

} // namespace kelvatron::test

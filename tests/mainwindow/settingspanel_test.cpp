#include <gtest/gtest.h>

#include "support/formharness.h"
#include "widgets/tglcheckbox.h"
#include "widgets/tgldigits.h"
#include "widgets/tglgroupbox.h"
#include "widgets/tglprogress.h"

using namespace kelvatron;
using SettingsControls = kelvatron::test::FormTest;

// The status bar follows frequency, group size and group count as they are stepped.
TEST_F(SettingsControls, EveryStepperStopsAtItsBoundsAndFeedsTheStatusBar) {
    const double low[] = {100, 3, 1, 1, 1, 1};
    const double high[] = {5000, 6, 4, 4, 100, 200};
    TglDigits* const status[] = {f.glDigits4, nullptr, nullptr, nullptr, f.glDigits2, f.glDigits3};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        for (int n = 0; n < 300; ++n)
            f.minusButtons()[i]->click();
        EXPECT_EQ(f.settingDisplays()[i]->Value(), low[i]);
        EXPECT_EQ(status[i] ? status[i]->Value() : low[i], low[i]);
        for (int n = 0; n < 300; ++n)
            f.plusButtons()[i]->click();
        EXPECT_EQ(f.settingDisplays()[i]->Value(), high[i]);
        EXPECT_EQ(status[i] ? status[i]->Value() : high[i], high[i]);
    }
}

TEST_F(SettingsControls, SpeedButtonsStopAt10And100) {
    for (int edge : {10, 100}) {
        f.glProgress1->setPercent(edge);
        (edge == 10 ? f.glCheckBox11 : f.glCheckBox12)->click();
        EXPECT_EQ(f.glProgress1->Percent(), edge);
    }
    f.glCheckBox11->click();
    EXPECT_EQ(f.glProgress1->Percent(), 99);
}

TEST_F(SettingsControls, OutputAndWaveformChoicesActAsRadioButtons) {
    f.glCheckBox15->click(); // the already chosen sine stays chosen
    EXPECT_TRUE(f.glCheckBox15->Checked());
    f.glCheckBox18->click();
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(f.waveformOptions()[i]->Checked(), i == 3) << i;

    f.glCheckBox14->click();
    EXPECT_FALSE(f.glCheckBox13->Checked());
    EXPECT_FALSE(f.glGroupBox9->isHidden());
    f.glCheckBox13->click();
    f.glCheckBox13->click();
    EXPECT_TRUE(f.glCheckBox13->Checked());
    EXPECT_FALSE(f.glCheckBox14->Checked());
    EXPECT_TRUE(f.glGroupBox9->isHidden());
    EXPECT_TRUE(f.glCheckBox18->Checked()); // the waveform stays as it was
}

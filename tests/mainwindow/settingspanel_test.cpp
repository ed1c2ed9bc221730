#include <gtest/gtest.h>

#include "support/formharness.h"
#include "widgets/tglcheckbox.h"
#include "widgets/tgldigits.h"
#include "widgets/tglgroupbox.h"
#include "widgets/tglprogress.h"

using namespace kelvatron;
using kelvatron::test::FormHarness;

TEST(SettingsPanel, FrequencySteppersStopAtTheirBoundsAndFeedTheStatusBar) {
    FormHarness h;
    auto& f = *h.form;
    for (int i = 0; i < 7; ++i) f.glCheckBox24->click();
    EXPECT_EQ(f.glDigits5->Value(), 100);
    f.glCheckBox24->click();
    EXPECT_EQ(f.glDigits5->Value(), 100);
    EXPECT_EQ(f.glDigits4->Value(), 100);
    for (int i = 0; i < 49; ++i) f.glCheckBox30->click();
    EXPECT_EQ(f.glDigits5->Value(), 5000);
    f.glCheckBox30->click();
    EXPECT_EQ(f.glDigits5->Value(), 5000);
    EXPECT_EQ(f.glDigits4->Value(), 5000);
}

TEST(SettingsPanel, EveryStepperKeepsItsRange) {
    FormHarness h;
    auto& f = *h.form;
    const double low[] = {100, 3, 1, 1, 1, 1};
    const double high[] = {5000, 6, 4, 4, 100, 200};
    for (int i = 0; i < 6; ++i) {
        for (int n = 0; n < 300; ++n) f.minusButtons()[i]->click();
        EXPECT_EQ(f.settingDisplays()[i]->Value(), low[i]) << i;
        for (int n = 0; n < 300; ++n) f.plusButtons()[i]->click();
        EXPECT_EQ(f.settingDisplays()[i]->Value(), high[i]) << i;
    }
    EXPECT_EQ(f.glDigits2->Value(), 100);
    EXPECT_EQ(f.glDigits3->Value(), 200);
}

TEST(SettingsPanel, SpeedButtonsStopAt10And100) {
    FormHarness h;
    auto& f = *h.form;
    f.glProgress1->setPercent(10);
    f.glDigits1->setValue(20);
    f.glCheckBox11->click();
    EXPECT_EQ(f.glProgress1->Percent(), 10);
    EXPECT_EQ(f.glDigits1->Value(), 20);
    f.glCheckBox12->click();
    EXPECT_EQ(f.glProgress1->Percent(), 11);
    EXPECT_EQ(f.glDigits1->Value(), 22);
    f.glProgress1->setPercent(100);
    f.glDigits1->setValue(200);
    f.glCheckBox12->click();
    EXPECT_EQ(f.glProgress1->Percent(), 100);
    EXPECT_EQ(f.glDigits1->Value(), 200);
}

TEST(SettingsPanel, OutputAndWaveformChoicesActAsRadioButtons) {
    FormHarness h;
    auto& f = *h.form;
    f.glCheckBox15->click(); // the already chosen sine stays chosen
    EXPECT_TRUE(f.glCheckBox15->Checked());
    f.glCheckBox18->click();
    for (int i = 0; i < 5; ++i) EXPECT_EQ(f.waveformOptions()[i]->Checked(), i == 3) << i;

    f.glCheckBox14->click();
    EXPECT_FALSE(f.glCheckBox13->Checked());
    EXPECT_TRUE(f.glCheckBox14->Checked());
    EXPECT_FALSE(f.glGroupBox9->isHidden());
    f.glCheckBox13->click();
    f.glCheckBox13->click();
    EXPECT_TRUE(f.glCheckBox13->Checked());
    EXPECT_FALSE(f.glCheckBox14->Checked());
    EXPECT_TRUE(f.glGroupBox9->isHidden());
    EXPECT_TRUE(f.glCheckBox18->Checked()); // the waveform stays as it was
}

TEST(SettingsPanel, ActivationRefreshesTheStatusBarAndShowsTheWaveformBox) {
    FormHarness h;
    auto& f = *h.form;
    f.glDigits5->setValue(1200);
    f.glDigits9->setValue(7);
    f.glDigits10->setValue(33);
    f.glProgress1->setPercent(30);
    f.glCheckBox14->setChecked(true);
    f.glCheckBox13->setChecked(false);
    f.FormActivate();
    EXPECT_EQ(f.glDigits1->Value(), 60);
    EXPECT_EQ(f.glDigits2->Value(), 7);
    EXPECT_EQ(f.glDigits3->Value(), 33);
    EXPECT_EQ(f.glDigits4->Value(), 1200);
    EXPECT_FALSE(f.glGroupBox9->isHidden());
}

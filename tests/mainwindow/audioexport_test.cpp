// "Экспорт звука ..." in the file panel: the file and its answer sheet appear. The renderer's
// failures and cancels are checked without the window.
#include <gtest/gtest.h>

#include "support/tempfolder.h"
#include "render/rendertesting.h"
#include "support/formharness.h"
#include "widgets/tgldigits.h"
#include "widgets/tgllabel.h"

using namespace kelvatron;
using namespace kelvatron::test;

TEST(AudioExport, WritesTheSoundAndTheAnswers) {
    FormHarness h;
    TempFolder folder;
    h.ui().glDigits10->setValue(3);
    h.dialogs.saveAnswers.push_back(folder.path("урок.mp3"));
    h.dialogs.confirmAnswers.push_back(true);
    h.ui().exportSoundLabel->click();
    ASSERT_TRUE(test::FormAccess::audioExport(*h.form).running());
    test::FormAccess::audioExport(*h.form).waitForFinish();
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"урок.mp3", "урок.txt"}));
    EXPECT_EQ(h.dialogs.errors, std::vector<std::string>{});
    EXPECT_GT(readBack(folder.path("урок.mp3")).frames, 48000); // several seconds
}

// "Экспорт звука ..." in the file panel: the file and its answer sheet appear, a failure is
// reported. The renderer's own failures are checked without the window.
#include <gtest/gtest.h>

#include "radiograms/tempfolder.h"
#include "render/rendertesting.h"
#include "support/formharness.h"
#include "widgets/tgldigits.h"
#include "widgets/tgllabel.h"

using namespace kelvatron;
using namespace kelvatron::test;

namespace {

struct ExportHarness : FormHarness {
    ExportHarness() { form->glDigits10->setValue(3); }
    void exportTo(const std::string& path, bool answers) {
        dialogs.saveAnswers.push_back(path);
        dialogs.confirmAnswers.push_back(answers);
        form->exportSoundLabel->click();
    }
    TempFolder folder;
};

} // namespace

TEST(AudioExport, WritesTheSoundAndTheAnswers) {
    ExportHarness h;
    h.exportTo(h.folder.path("урок.mp3"), true);
    ASSERT_TRUE(h.form->audioExport.running());
    h.form->audioExport.waitForFinish();
    EXPECT_EQ(h.folder.names(), (std::vector<std::string>{"урок.mp3", "урок.txt"}));
    EXPECT_EQ(h.dialogs.errors, std::vector<std::string>{});
    EXPECT_GT(readBack(h.folder.path("урок.mp3")).frames, 48000); // several seconds
}

TEST(AudioExport, AFailureIsReported) {
    ExportHarness h;
    h.exportTo(h.folder.path("нет/такой/папки.wav"), false);
    h.form->audioExport.waitForFinish();
    h.form->state.transmitting = true; // the start button's run shares the random generator
    h.form->exportSoundLabel->click();
    ASSERT_EQ(h.dialogs.errors.size(), 2u);
    EXPECT_EQ(h.dialogs.errors[0].rfind("Звук не записан", 0), 0u) << h.dialogs.errors[0];
    EXPECT_NE(h.dialogs.errors[1].find("во время передачи"), std::string::npos);
    EXPECT_EQ(h.dialogs.saveRequests.size(), 1u);
    EXPECT_EQ(h.folder.names(), std::vector<std::string>{});
}

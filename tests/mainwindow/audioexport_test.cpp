// "Экспорт звука ..." in the file panel: the file and its answer sheet appear, a cancel leaves
// nothing, a failure is reported.
#include <QProgressDialog>
#include <QTest>
#include <gtest/gtest.h>

#include "mainwindow/settingsstore.h"
#include "radiograms/tempfolder.h"
#include "render/rendertesting.h"
#include "settings/settingsdefaults.h"
#include "support/formharness.h"
#include "widgets/tgldigits.h"
#include "widgets/tgllabel.h"

using namespace kelvatron;
using namespace kelvatron::test;

namespace {

// Three groups of five digits at dot 20 ms; the export answers the dialogs from the script.
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

TEST(AudioExport, WritesTheSoundAndOnRequestTheAnswers) {
    struct Case {
        const char* name;
        const char* typed;
        bool answers;
        std::vector<std::string> files;
    } cases[] = {
        {"sound alone", "урок.flac", false, {"урок.flac"}},
        {"sound and answer sheet", "урок.mp3", true, {"урок.mp3", "урок.txt"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ExportHarness h;
        h.exportTo(h.folder.path(c.typed), c.answers);
        ASSERT_TRUE(h.form->audioExport.running());
        h.form->audioExport.waitForFinish();
        EXPECT_FALSE(h.form->audioExport.running());
        EXPECT_EQ(h.folder.names(), c.files);
        EXPECT_EQ(h.dialogs.errors, std::vector<std::string>{});
        EXPECT_GT(readBack(h.folder.path(c.typed)).frames, 48000); // several seconds
        ASSERT_EQ(h.dialogs.saveRequests.size(), 1u);
        EXPECT_EQ(h.dialogs.saveRequests[0].defaultSuffix, "wav");
        for (const char* ext : {"*.wav", "*.flac", "*.ogg", "*.mp3"})
            EXPECT_NE(h.dialogs.saveRequests[0].filter.find(ext), std::string::npos) << ext;
    }
}

TEST(AudioExport, ACancelLeavesNothing) {
    ExportHarness h;
    h.form->glDigits9->setValue(100);
    h.form->glDigits10->setValue(200); // hours of sound: the cancel comes long before its end
    h.exportTo(h.folder.path("long.wav"), true);
    auto* progress = h.form->findChild<QProgressDialog*>();
    ASSERT_NE(progress, nullptr);
    QTest::keyClick(progress, Qt::Key_Escape);
    h.form->audioExport.waitForFinish();
    EXPECT_EQ(h.folder.names(), std::vector<std::string>{});
    EXPECT_EQ(h.dialogs.errors, std::vector<std::string>{});
}

TEST(AudioExport, AFailureIsReportedInRussian) {
    ExportHarness h;
    h.exportTo(h.folder.path("нет/такой/папки.wav"), false);
    h.form->audioExport.waitForFinish();
    h.exportTo(h.folder.path("урок.aiff"), false);
    h.form->state.transmitting = true; // the start button's run shares the random generator
    h.form->exportSoundLabel->click();
    ASSERT_EQ(h.dialogs.errors.size(), 3u);
    EXPECT_EQ(h.dialogs.errors[0].rfind("Звук не записан", 0), 0u) << h.dialogs.errors[0];
    EXPECT_NE(h.dialogs.errors[1].find(".aiff"), std::string::npos);
    EXPECT_NE(h.dialogs.errors[2].find("во время передачи"), std::string::npos);
    EXPECT_EQ(h.dialogs.saveRequests.size(), 2u);
    EXPECT_EQ(h.folder.names(), std::vector<std::string>{});
}

TEST(AudioExport, TheCommandLineStartsFromTheLayoutsValues) {
    FormHarness h;
    EXPECT_EQ(h.form->settingsStore.readControls(), kLayoutDefaults);
}

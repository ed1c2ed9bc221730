// The file panel's commands in the window: New, Open and Save as on a folder of the test's own.
#include <gtest/gtest.h>

#include <QTest>
#include <filesystem>

#include "core/cp1251.h"
#include "radiograms/radiogramcodec.h"
#include "support/formharness.h"
#include "support/tempfolder.h"
#include "transmission/textsign.h"
#include "widgets/tglcheckbox.h"
#include "widgets/tglgroupbox.h"
#include "widgets/tgllabel.h"
#include "widgets/tmemo.h"

using namespace kelvatron;
using Strings = std::vector<std::string>;

namespace {

class RadiogramCommandsTest : public test::FormTest, public test::TempFolder {
protected:
    void SetUp() override { ASSERT_FALSE(dir.empty()); }

    void open(const std::optional<std::string>& file) {
        h.dialogs.openAnswers.push_back(file);
        f.glLabel10->click();
    }
    void saveAs(const std::string& file) {
        h.dialogs.saveAnswers.push_back(file);
        f.glLabel11->click();
    }
    // Б as the Russian layout types it, on the comma key.
    void typeBe() {
        QTest::sendKeyEvent(QTest::Click, f.Memo1, Qt::Key_Comma, QStringLiteral("Б"),
                            Qt::NoModifier);
    }
    // Options, key preview and input set the other way round from what New and Open leave.
    void setUnlikeAfterOpen() {
        f.glCheckBox4->click();
        test::FormAccess::state(window).keyPreview = true;
        f.Memo1->setInputEnabled(false);
        f.Memo1->setAlignmentAll(Qt::AlignHCenter);
        f.glLabel5->click();
    }
    bool onlyTextSourceAndNoKeyPreview() const {
        return !test::FormAccess::state(window).keyPreview && f.glCheckBox7->Checked() &&
               !f.glCheckBox4->Checked();
    }
    bool readyForTyping() const {
        return onlyTextSourceAndNoKeyPreview() && f.Memo1->InputEnabled() &&
               window.focusWidget() == f.Memo1 && f.Memo1->Alignment() == Qt::AlignLeft &&
               f.glGroupBox2->isHidden();
    }
};

} // namespace

// The editor's plain text would turn no-break spaces into ordinary ones. Each dialog offers the
// name last confirmed in it: the save dialog does not offer the file that was opened.
TEST_F(RadiogramCommandsTest, OpenAndSaveKeepLinesAndNoBreakSpacesAndOfferTheirLastNames) {
    put(path("lf.dkm"), "CQ\nDE\n73\xA0RA3");
    setUnlikeAfterOpen();
    open(path("lf.dkm"));
    EXPECT_EQ(f.Memo1->lines().mid(0, 2), (QStringList{"CQ", "DE"}));
    EXPECT_TRUE(readyForTyping());
    saveAs(path("crlf.dkm"));
    EXPECT_EQ(get(path("crlf.dkm")), "CQ\r\nDE\r\n73\xA0RA3");

    open(std::nullopt);
    saveAs(path("crlf.dkm"));
    EXPECT_TRUE(h.dialogs.questions.empty()); // not even about replacing the old file
    auto initialPaths = [](const std::vector<FileDialogRequest>& requests) {
        Strings out;
        for (const auto& r : requests)
            out.push_back(r.initialPath);
        return out;
    };
    // "All files" means every name, also one without a dot.
    EXPECT_EQ(h.dialogs.openRequests[0].filter, "Файлы радиограмм (*.dkm)|*.dkm|Все файлы ...|*");
    EXPECT_EQ(initialPaths(h.dialogs.openRequests), (Strings{"", path("lf.dkm")}));
    EXPECT_EQ(initialPaths(h.dialogs.saveRequests), (Strings{"Радиограмма №1", path("crlf.dkm")}));
}

// A line break alone is not empty and is saved without a question.
TEST_F(RadiogramCommandsTest, OnlyAnEmptyTextAsksBeforeSaving) {
    f.Memo1->Clear();
    h.dialogs.confirmAnswers = {false, true};
    f.glLabel11->click();
    EXPECT_TRUE(h.dialogs.saveRequests.empty());
    saveAs(path("Радиограмма №1.dkm"));
    EXPECT_EQ(h.dialogs.questions, Strings(2, "думаете сохранить пустой файл?"));
    EXPECT_EQ(get(path("Радиограмма №1.dkm")), "");
    f.Memo1->setText("\r\n");
    saveAs(path("x.dkm"));
    EXPECT_EQ(get(path("x.dkm")), "\r\n");
    EXPECT_EQ(h.dialogs.questions.size(), 2u);
}

// A cancelled dialog or a file that cannot be read loses nothing, and a failed open leaves the
// window's input as it was; an empty file empties the window.
TEST_F(RadiogramCommandsTest, OpenReplacesTheTextOnlyWithAFileThatWasRead) {
    put(path("zero.dkm"), std::string("AB\0CD", 5));
    put(path("empty.dkm"), "");
    const std::string kept = toCp1251("ЖДУ ОТВЕТА");
    const std::pair<std::optional<std::string>, Strings> cases[] = {
        {std::nullopt, {}},
        {path("zero.dkm"),
         {"The file \"" + path("zero.dkm") + "\" is not a text file: it holds a zero byte."}},
        {path("empty.dkm"), {}},
    };
    for (const auto& [file, errors] : cases) {
        SCOPED_TRACE(file.value_or("cancelled"));
        h.dialogs.errors.clear();
        f.Memo1->setText(kept);
        setUnlikeAfterOpen();
        open(file);
        EXPECT_EQ(h.dialogs.errors, errors);
        EXPECT_EQ(f.Memo1->Text(), file == path("empty.dkm") ? "" : kept);
        EXPECT_EQ(readyForTyping(), errors.empty());
        EXPECT_EQ(f.Memo1->InputEnabled(), errors.empty());
        EXPECT_TRUE(onlyTextSourceAndNoKeyPreview());
    }
}

TEST_F(RadiogramCommandsTest, NewClearsTheWindowForTypingWithoutSoundingKeys) {
    window.show();
    f.Memo1->setText(toCp1251("старый текст"));
    setUnlikeAfterOpen();
    typeBe();
    EXPECT_FALSE(h.clock.log.empty()) << "with key preview on, a typed key sounds";

    f.glLabel9->click();
    EXPECT_EQ(f.Memo1->Text(), "");
    EXPECT_TRUE(readyForTyping());
    h.clearRecords();
    typeBe();
    EXPECT_TRUE(h.clock.log.empty());
    EXPECT_EQ(f.Memo1->Text(), toCp1251("Б"));
}

// 0x98 is the one byte Windows-1251 leaves unassigned: it opens, keys nothing and is written
// back as it was. Whatever is saved opens again: the window's capacity holds at both ends.
TEST_F(RadiogramCommandsTest, EverySavedFileOpensAgainByteForByte) {
    const std::tuple<const char*, std::string, bool> cases[] = {
        {"unassigned byte", "A\x98\xC1\r\n\x98", true},
        {"full window", std::string(kRadiogramMaxBytes - 2, 'E') + "\r\n", true},
        {"one byte more", std::string(kRadiogramMaxBytes - 1, 'E') + "\r\n", false},
    };
    for (const auto& [name, bytes, saves] : cases) {
        SCOPED_TRACE(name);
        h.dialogs.errors.clear();
        std::filesystem::remove(path("again.dkm"));
        f.Memo1->setText(bytes);
        EXPECT_TRUE(f.Memo1->Text() == bytes);
        saveAs(path("again.dkm"));
        EXPECT_EQ(h.dialogs.errors.empty(), saves);
        EXPECT_TRUE(get(path("again.dkm")) == (saves ? bytes : ""));
        if (!saves) continue;
        f.Memo1->Clear();
        open(path("again.dkm"));
        EXPECT_TRUE(h.dialogs.errors.empty());
        EXPECT_TRUE(f.Memo1->Text() == bytes);
    }
    EXPECT_EQ(textSign('\x98'), std::nullopt);
}

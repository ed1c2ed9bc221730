#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include "core/cp1251.h"
#include "radiograms/radiogramcodec.h"
#include "support/formharness.h"
#include "widgets/tglcheckbox.h"
#include "widgets/tglgroupbox.h"
#include "widgets/tgllabel.h"
#include "widgets/tmemo.h"

using namespace kelvatron;
using kelvatron::test::FormHarness;

namespace {

class RadiogramCommandsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    std::string path(const std::string& name) const {
        return QDir(dir.path()).filePath(QString::fromStdString(name)).toStdString();
    }
    static void write(const std::string& file, const std::string& bytes) {
        std::ofstream(file, std::ios::binary) << bytes;
    }
    static std::string read(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::vector<std::string> folderContent() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path().toStdString()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    void open(const std::string& file) {
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
    void setWindowText(const char* utf8) { f.Memo1->setText(toCp1251(utf8)); }
    // Options, key preview and input set the other way round from what New and Open leave.
    void setUnlikeAfterOpen() {
        f.glCheckBox4->click();
        f.state.KeyPreview = true;
        f.Memo1->setInputEnabled(false);
        f.Memo1->setAlignmentAll(Qt::AlignHCenter);
        f.glLabel5->click();
    }
    bool readyForTyping() const {
        return !f.state.KeyPreview && f.Memo1->InputEnabled() && f.focusWidget() == f.Memo1 &&
               f.glCheckBox7->Checked() && !f.glCheckBox4->Checked() &&
               f.Memo1->Alignment() == Qt::AlignLeft && f.glGroupBox2->isHidden();
    }

    QTemporaryDir dir;
    FormHarness h;
    TForm1& f = *h.form;
};

} // namespace

TEST_F(RadiogramCommandsTest, SaveAsWritesWindows1251WithCrLfAndChangesNothingInTheWindow) {
    setWindowText("АБ\r\nВ");
    f.glCheckBox4->click();
    f.glLabel5->click();
    saveAs(path("a.dkm"));

    EXPECT_EQ(read(path("a.dkm")), "\xC0\xC1\r\n\xC2");
    ASSERT_EQ(h.dialogs.saveRequests.size(), 1u);
    EXPECT_EQ(h.dialogs.saveRequests[0].filter, "Файлы радиограмм (*.dkm)|*.dkm");
    EXPECT_EQ(h.dialogs.saveRequests[0].defaultSuffix, "dkm");
    EXPECT_TRUE(h.dialogs.saveRequests[0].initialPath.ends_with("Радиограмма №1"));
    EXPECT_TRUE(h.dialogs.questions.empty());
    EXPECT_TRUE(h.dialogs.errors.empty());
    EXPECT_EQ(f.Memo1->Text(), toCp1251("АБ\r\nВ"));
    EXPECT_TRUE(f.state.KeyPreview);
    EXPECT_TRUE(f.glCheckBox4->Checked());
    EXPECT_TRUE(f.glGroupBox2->isHidden());
    EXPECT_EQ(folderContent(), std::vector<std::string>{"a.dkm"});
}

TEST_F(RadiogramCommandsTest, LoneLineFeedsLoadAsLinesAndSaveAsCrLf) {
    write(path("lf.dkm"), "CQ\nDE\nRA3");
    setUnlikeAfterOpen();
    open(path("lf.dkm"));
    EXPECT_EQ(f.Memo1->lines(), (QStringList{"CQ", "DE", "RA3"}));
    EXPECT_TRUE(readyForTyping());
    EXPECT_EQ(h.dialogs.openRequests[0].filter, "Файлы радиограмм (*.dkm)|*.dkm|Все файлы ...|*.*");
    EXPECT_EQ(h.dialogs.openRequests[0].initialPath, "");

    saveAs(path("crlf.dkm"));
    EXPECT_EQ(read(path("crlf.dkm")), "CQ\r\nDE\r\nRA3");
}

TEST_F(RadiogramCommandsTest, EachDialogOffersItsOwnLastConfirmedName) {
    write(path("opened.dkm"), "QTH");
    open(path("opened.dkm"));
    saveAs(path("saved.dkm"));
    h.dialogs.openAnswers.push_back(std::nullopt);
    f.glLabel10->click();
    saveAs(path("saved.dkm"));

    ASSERT_EQ(h.dialogs.saveRequests.size(), 2u);
    EXPECT_EQ(h.dialogs.saveRequests[0].initialPath, "Радиограмма №1");
    EXPECT_EQ(h.dialogs.saveRequests[1].initialPath, path("saved.dkm"));
    ASSERT_EQ(h.dialogs.openRequests.size(), 2u);
    EXPECT_EQ(h.dialogs.openRequests[1].initialPath, path("opened.dkm"));
}

TEST_F(RadiogramCommandsTest, EmptyTextIsSavedOnlyAfterYes) {
    f.Memo1->Clear();
    h.dialogs.confirmAnswers = {false};
    f.glLabel11->click();
    EXPECT_EQ(h.dialogs.questions, std::vector<std::string>{"думаете сохранить пустой файл?"});
    EXPECT_TRUE(h.dialogs.saveRequests.empty());

    // The fake dialog answers with the name as the real one completes it with the suffix.
    h.dialogs.confirmAnswers = {true};
    saveAs(path("Радиограмма №1.dkm"));
    ASSERT_EQ(h.dialogs.saveRequests.size(), 1u);
    EXPECT_EQ(folderContent(), std::vector<std::string>{"Радиограмма №1.dkm"});
    EXPECT_EQ(read(path("Радиограмма №1.dkm")), "");
}

TEST_F(RadiogramCommandsTest, SpacesOrALineBreakAloneAreNotEmpty) {
    for (const char* text : {"   ", "\r\n"}) {
        setWindowText(text);
        saveAs(path("x.dkm"));
        EXPECT_EQ(read(path("x.dkm")), text);
    }
    EXPECT_TRUE(h.dialogs.questions.empty());
}

TEST_F(RadiogramCommandsTest, AnExistingFileIsReplacedWithoutAQuestion) {
    write(path("old.dkm"), "a much longer old content");
    setWindowText("НОВЫЙ");
    saveAs(path("old.dkm"));
    EXPECT_EQ(read(path("old.dkm")), toCp1251("НОВЫЙ"));
    EXPECT_TRUE(h.dialogs.questions.empty());
    EXPECT_EQ(folderContent(), std::vector<std::string>{"old.dkm"});
}

TEST_F(RadiogramCommandsTest, NoBreakSpacesSurviveOpenAndSave) {
    const std::string bytes = "73\xA0"
                              "DE\r\n\xC0\xA0\xC1";
    write(path("nbsp.dkm"), bytes);
    open(path("nbsp.dkm"));
    saveAs(path("again.dkm"));
    EXPECT_EQ(read(path("again.dkm")), bytes);
}

TEST_F(RadiogramCommandsTest, CancelledOpenKeepsTheTextAndIsReadyForTyping) {
    setWindowText("ЖДУ ОТВЕТА");
    setUnlikeAfterOpen();
    h.dialogs.openAnswers.push_back(std::nullopt);
    f.glLabel10->click();
    EXPECT_EQ(f.Memo1->Text(), toCp1251("ЖДУ ОТВЕТА"));
    EXPECT_TRUE(readyForTyping());
    EXPECT_TRUE(h.dialogs.errors.empty());
}

TEST_F(RadiogramCommandsTest, EmptyFileLeavesAnEmptyWindowThatAsksBeforeSaving) {
    write(path("empty.dkm"), "");
    setWindowText("прежний текст");
    open(path("empty.dkm"));
    EXPECT_EQ(f.Memo1->Text(), "");
    EXPECT_TRUE(readyForTyping());
    f.glLabel11->click();
    EXPECT_EQ(h.dialogs.questions.size(), 1u);
}

// A file that cannot be read reports why and leaves the window as it was, input state included.
TEST_F(RadiogramCommandsTest, UnreadableFilesAreRefusedAndTheWindowKeepsItsText) {
    write(path("zero.dkm"), std::string("AB\0CD", 5));
    write(path("large.dkm"), std::string(kRadiogramMaxBytes + 1, 'E'));
    struct Case {
        std::string file, message;
    };
    const Case cases[] = {
        {path("missing.dkm"),
         "Cannot open file \"" + path("missing.dkm") + "\". No such file or directory"},
        {path("zero.dkm"),
         "The file \"" + path("zero.dkm") + "\" is not a text file: it holds a zero byte."},
        {path("large.dkm"), "Text exceeds memo capacity"},
    };
    for (const Case& c : cases) {
        h.dialogs.errors.clear();
        setWindowText("ЖДУ ОТВЕТА");
        f.glCheckBox4->click();
        f.Memo1->setInputEnabled(false);
        open(c.file);
        EXPECT_EQ(h.dialogs.errors, std::vector<std::string>{c.message});
        EXPECT_EQ(f.Memo1->Text(), toCp1251("ЖДУ ОТВЕТА")) << c.file;
        EXPECT_FALSE(f.Memo1->InputEnabled()) << c.file;
        EXPECT_FALSE(f.state.KeyPreview);
        EXPECT_TRUE(f.glCheckBox7->Checked() && !f.glCheckBox4->Checked());
    }
}

TEST_F(RadiogramCommandsTest, ATargetThatCannotBeCreatedShowsWhyAndWritesNothing) {
    std::filesystem::create_directory(path("folder.dkm"));
    setWindowText("QRV");
    saveAs(path("missing/x.dkm"));
    saveAs(path("folder.dkm"));
    ASSERT_EQ(h.dialogs.errors.size(), 2u);
    EXPECT_EQ(h.dialogs.errors[0],
              "Cannot create file \"" + path("missing/x.dkm") + "\". No such file or directory");
    EXPECT_TRUE(
        h.dialogs.errors[1].starts_with("Cannot create file \"" + path("folder.dkm") + "\". "));
    EXPECT_EQ(folderContent(), std::vector<std::string>{"folder.dkm"});
    EXPECT_EQ(f.Memo1->Text(), "QRV");
}

TEST_F(RadiogramCommandsTest, AReadOnlyFileIsNotWrittenOver) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes over read-only files";
    write(path("ro.dkm"), "OLD");
    std::filesystem::permissions(path("ro.dkm"), std::filesystem::perms::owner_read);
    setWindowText("NEW");
    saveAs(path("ro.dkm"));
    ASSERT_EQ(h.dialogs.errors.size(), 1u);
    EXPECT_TRUE(h.dialogs.errors[0].starts_with("Cannot create file \"" + path("ro.dkm") + "\". "));
    EXPECT_EQ(read(path("ro.dkm")), "OLD");
}

TEST_F(RadiogramCommandsTest, ACharacterWithoutAByteIsNamedAndNothingIsWritten) {
    f.Memo1->setPlainText(QStringLiteral("CQ\nTNX 中"));
    saveAs(path("cjk.dkm"));
    ASSERT_EQ(h.dialogs.errors.size(), 1u);
    EXPECT_NE(h.dialogs.errors[0].find("\"中\""), std::string::npos) << h.dialogs.errors[0];
    EXPECT_NE(h.dialogs.errors[0].find("line 2"), std::string::npos) << h.dialogs.errors[0];
    EXPECT_TRUE(folderContent().empty());
}

TEST_F(RadiogramCommandsTest, NewClearsTheWindowForTypingWithoutSoundingKeys) {
    f.show();
    setWindowText("старый текст");
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

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "radiograms/radiogramcodec.h"
#include "radiograms/radiogramfile.h"

using namespace kelvatron;
namespace fs = std::filesystem;

namespace {

class RadiogramFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "radiogram-test-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir = pattern;
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string path(const std::string& name) const { return (fs::path(dir) / name).string(); }

    static void put(const std::string& file, std::string_view bytes) {
        std::ofstream(file, std::ios::binary) << bytes;
    }
    static std::string get(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto& e : fs::directory_iterator(dir))
            out.push_back(e.path().filename());
        std::sort(out.begin(), out.end());
        return out;
    }
    static unsigned mode(const std::string& file) {
        struct stat st {};
        ::stat(file.c_str(), &st);
        return st.st_mode & 07777;
    }

    std::string dir;
};

} // namespace

TEST_F(RadiogramFile, ReadsTheWholeFileWithUniformLineBreaks) {
    put(path("five.dkm"), "\xC0\xC1\r\n\xC2");
    RadiogramResult five = readRadiogram(path("five.dkm"));
    ASSERT_TRUE(five.ok()) << five.message;
    EXPECT_EQ(five.text, "\xC0\xC1\r\n\xC2");

    put(path("unix.dkm"), "one\ntwo\n");
    EXPECT_EQ(readRadiogram(path("unix.dkm")).text, "one\r\ntwo\r\n");
    put(path("mac.dkm"), "one\rtwo");
    EXPECT_EQ(readRadiogram(path("mac.dkm")).text, "one\r\ntwo");
    put(path("mixed.dkm"), "a\r\nb\nc\rd\n\r");
    EXPECT_EQ(readRadiogram(path("mixed.dkm")).text, "a\r\nb\r\nc\r\nd\r\n\r\n");

    put(path("empty.dkm"), "");
    RadiogramResult empty = readRadiogram(path("empty.dkm"));
    EXPECT_TRUE(empty.ok());
    EXPECT_EQ(empty.text, "");
}

TEST_F(RadiogramFile, RefusesZeroBytesAndOversizedFiles) {
    put(path("binary.dkm"), std::string("CQ\0DE", 5));
    RadiogramResult binary = readRadiogram(path("binary.dkm"));
    EXPECT_EQ(binary.error, RadiogramError::NotText);
    EXPECT_EQ(binary.message,
              "The file \"" + path("binary.dkm") + "\" is not a text file: it holds a zero byte.");

    put(path("big.dkm"), std::string(kRadiogramMaxBytes + 1, 'A'));
    RadiogramResult big = readRadiogram(path("big.dkm"));
    EXPECT_EQ(big.error, RadiogramError::TooLarge);
    EXPECT_EQ(big.message, "Text exceeds memo capacity");
    EXPECT_TRUE(big.text.empty());
}

TEST_F(RadiogramFile, MissingFileNamesItsFullPathAndTheReason) {
    RadiogramResult r = readRadiogram(path("missing.dkm"));
    EXPECT_EQ(r.error, RadiogramError::CannotOpen);
    EXPECT_EQ(r.message,
              "Cannot open file \"" + path("missing.dkm") + "\". No such file or directory");
    // A relative name is shown with the folder it was looked for in.
    RadiogramResult relative = readRadiogram("no-such-folder-here/x.dkm");
    EXPECT_EQ(relative.message, "Cannot open file \"" +
                                    (fs::current_path() / "no-such-folder-here/x.dkm").string() +
                                    "\". No such file or directory");
    EXPECT_EQ(readRadiogram(dir).message, "Cannot open file \"" + dir + "\". Is a directory");
}

TEST_F(RadiogramFile, SavesNewFilesAsAnOrdinaryCreateWould) {
    mode_t previous = ::umask(022);
    RadiogramResult r = saveRadiogram(path("Радиограмма №1.dkm"), "АБ\nВ");
    ::umask(previous);
    ASSERT_TRUE(r.ok()) << r.message;
    EXPECT_EQ(get(path("Радиограмма №1.dkm")), "\xC0\xC1\r\n\xC2");
    EXPECT_EQ(mode(path("Радиограмма №1.dkm")), 0644u);
    EXPECT_EQ(names(), std::vector<std::string>{"Радиограмма №1.dkm"}) << "temporary file left";

    ASSERT_TRUE(saveRadiogram(path("empty.dkm"), "").ok());
    EXPECT_EQ(fs::file_size(path("empty.dkm")), 0u);
    // Read back, the text is what was saved.
    EXPECT_EQ(readRadiogram(path("Радиограмма №1.dkm")).text, "\xC0\xC1\r\n\xC2");
}

TEST_F(RadiogramFile, OverwritesWithoutQuestionKeepingPermissionsAndLinks) {
    put(path("old.dkm"), "a much longer old radiogram text");
    ::chmod(path("old.dkm").c_str(), 0640);
    ASSERT_TRUE(saveRadiogram(path("old.dkm"), "new").ok());
    EXPECT_EQ(get(path("old.dkm")), "new");
    EXPECT_EQ(mode(path("old.dkm")), 0640u);

    fs::create_symlink(path("old.dkm"), path("link.dkm"));
    ASSERT_TRUE(saveRadiogram(path("link.dkm"), "through").ok());
    EXPECT_TRUE(fs::is_symlink(path("link.dkm")));
    EXPECT_EQ(get(path("old.dkm")), "through");
    EXPECT_EQ((names()), (std::vector<std::string>{"link.dkm", "old.dkm"}));
}

TEST_F(RadiogramFile, UnreachableFolderReportsTheReasonAndWritesNothing) {
    RadiogramResult missing = saveRadiogram(path("no-folder/r.dkm"), "x");
    EXPECT_EQ(missing.error, RadiogramError::CannotCreate);
    EXPECT_EQ(missing.message,
              "Cannot create file \"" + path("no-folder/r.dkm") + "\". No such file or directory");

    put(path("plain"), "");
    EXPECT_EQ(saveRadiogram(path("plain/r.dkm"), "x").message,
              "Cannot create file \"" + path("plain/r.dkm") + "\". Not a directory");
    EXPECT_EQ(saveRadiogram(dir, "x").message,
              "Cannot create file \"" + dir + "\". Is a directory");
    EXPECT_EQ(names(), std::vector<std::string>{"plain"});
}

// Root writes over any file whatever its permission bits, so the read-only case is taken as an
// ordinary user: the test drops to "nobody" for the save when it runs as root. The folder is
// open to everyone, so only the file's own permissions can stop the save.
TEST_F(RadiogramFile, ReadOnlyFileIsRefusedForAnOrdinaryUser) {
    put(path("ro.dkm"), "keep me");
    ::chmod(path("ro.dkm").c_str(), 0444);
    ::chmod(dir.c_str(), 0777);
    bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::seteuid(65534), 0);
    }
    RadiogramResult r = saveRadiogram(path("ro.dkm"), "lost?");
    if (root) {
        ASSERT_EQ(::seteuid(0), 0);
    }
    EXPECT_EQ(r.error, RadiogramError::CannotCreate);
    EXPECT_EQ(r.message, "Cannot create file \"" + path("ro.dkm") + "\". Permission denied");
    EXPECT_EQ(get(path("ro.dkm")), "keep me");
}

// A write that fails half-way (here: the file size limit of the process) leaves the old file
// whole and no temporary file behind.
TEST_F(RadiogramFile, FailedWriteKeepsTheOldContent) {
    put(path("r.dkm"), "old radiogram");
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    RadiogramResult r = saveRadiogram(path("r.dkm"), std::string(5000, 'N'));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(r.error, RadiogramError::CannotCreate);
    EXPECT_EQ(r.message, "Cannot create file \"" + path("r.dkm") + "\". File too large");
    EXPECT_EQ(get(path("r.dkm")), "old radiogram");
    EXPECT_EQ(names(), std::vector<std::string>{"r.dkm"});
}

TEST_F(RadiogramFile, UnencodableTextWritesNothing) {
    put(path("r.dkm"), "old");
    RadiogramResult r = saveRadiogram(path("r.dkm"), "CQ\nDE ✓");
    EXPECT_EQ(r.error, RadiogramError::Unencodable);
    EXPECT_NE(r.message.find("in line 2"), std::string::npos);
    EXPECT_EQ(get(path("r.dkm")), "old");
    EXPECT_FALSE(saveRadiogram(path("new.dkm"), "✓").ok());
    EXPECT_FALSE(fs::exists(path("new.dkm")));
}

TEST_F(RadiogramFile, DevicesAreWrittenInPlaceNotReplaced) {
    if (!fs::exists("/dev/full") || !fs::exists("/dev/null")) GTEST_SKIP() << "no /dev/full";
    EXPECT_TRUE(writeRadiogram("/dev/null", "x").ok());
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_EQ(writeRadiogram("/dev/full", "x").message,
              "Cannot create file \"/dev/full\". No space left on device");
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

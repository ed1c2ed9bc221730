#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "radiograms/radiogramcodec.h"
#include "radiograms/radiogramfile.h"
#include "tempfolder.h"

using namespace kelvatron;
namespace fs = std::filesystem;

namespace {

class RadiogramFile : public ::testing::Test, public kelvatron::test::TempFolder {
protected:
    void SetUp() override { ASSERT_FALSE(dir.empty()); }

    static unsigned mode(const std::string& file) {
        struct stat st {};
        ::stat(file.c_str(), &st);
        return st.st_mode & 07777;
    }
};

} // namespace

// Zero bytes, oversized and missing files are refused through the whole path in the commands'
// tests; here, what only the reader does.
TEST_F(RadiogramFile, ReadsTheWholeFileWithUniformLineBreaksAndNamesWhatFails) {
    put(path("five.dkm"), "\xC0\xC1\r\n\xC2");
    EXPECT_EQ(readRadiogram(path("five.dkm")).text, "\xC0\xC1\r\n\xC2");
    put(path("unix.dkm"), "one\ntwo\n");
    EXPECT_EQ(readRadiogram(path("unix.dkm")).text, "one\r\ntwo\r\n");
    put(path("empty.dkm"), "");
    EXPECT_TRUE(readRadiogram(path("empty.dkm")).ok());

    // A relative name is shown with the folder it was looked for in.
    EXPECT_EQ(readRadiogram("no-such-folder-here/x.dkm").message,
              "Cannot open file \"" + (fs::current_path() / "no-such-folder-here/x.dkm").string() +
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
    put(path("plain"), "");
    const std::pair<std::string, std::string> cases[] = {
        {path("no-folder/r.dkm"), "No such file or directory"},
        {path("plain/r.dkm"), "Not a directory"},
        {dir, "Is a directory"},
    };
    for (const auto& [target, reason] : cases) {
        RadiogramResult r = saveRadiogram(target, "x");
        EXPECT_EQ(r.error, RadiogramError::CannotCreate);
        EXPECT_EQ(r.message, "Cannot create file \"" + target + "\". " + reason);
    }
    EXPECT_EQ(names(), std::vector<std::string>{"plain"});
}

// Root writes over any file whatever its permission bits, so the read-only case is taken as an
// ordinary user: the test drops to "nobody" for the save when it runs as root. The folder is
// open to everyone, so only the file's own permissions can stop the save.
TEST_F(RadiogramFile, ReadOnlyFileIsRefusedForAnOrdinaryUser) {
    put(path("ro.dkm"), "keep me");
    ::chmod(path("ro.dkm").c_str(), 0444);
    ::chmod(dir.c_str(), 0777);
    const bool root = ::geteuid() == 0;
    ASSERT_EQ(root ? ::seteuid(65534) : 0, 0);
    RadiogramResult r = saveRadiogram(path("ro.dkm"), "lost?");
    ASSERT_EQ(root ? ::seteuid(0) : 0, 0);
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

TEST_F(RadiogramFile, DevicesAreWrittenInPlaceNotReplaced) {
    if (!fs::exists("/dev/full") || !fs::exists("/dev/null")) GTEST_SKIP() << "no /dev/full";
    EXPECT_TRUE(writeRadiogram("/dev/null", "x").ok());
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_EQ(writeRadiogram("/dev/full", "x").message,
              "Cannot create file \"/dev/full\". No space left on device");
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

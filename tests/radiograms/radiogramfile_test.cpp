#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "radiograms/radiogramcodec.h"
#include "radiograms/radiogramfile.h"
#include "support/unprivileged.h"
#include "support/tempfolder.h"

using namespace kelvatron;
namespace fs = std::filesystem;

// Outside an unnamed namespace: the tests derive from it in every file they are batched into.
class RadiogramFile : public ::testing::Test, public kelvatron::test::TempFolder {
protected:
    void SetUp() override { ASSERT_FALSE(dir.empty()); }

    static unsigned mode(const std::string& file) {
        struct stat st {};
        ::stat(file.c_str(), &st);
        return st.st_mode & 07777;
    }
};

// Zero bytes, oversized and missing files are refused through the whole path in the commands'
// tests; here, what only the reader does.
TEST_F(RadiogramFile, ReadsTheWholeFileWithUniformLineBreaksAndNamesWhatFails) {
    put(path("unix.dkm"), "one\ntwo\n");
    EXPECT_EQ(readRadiogram(path("unix.dkm")).text, "one\r\ntwo\r\n");
    // A relative name is shown with the folder it was looked for in.
    EXPECT_EQ(readRadiogram("no-such-folder-here/x.dkm").message,
              "Cannot open file \"" + (fs::current_path() / "no-such-folder-here/x.dkm").string() +
                  "\". No such file or directory");
    EXPECT_EQ(readRadiogram(dir).message, "Cannot open file \"" + dir + "\". Is a directory");
}

// A new file gets the mode an ordinary create gives it; an old one, a shorter text, keeps its own.
TEST_F(RadiogramFile, SavesNewFilesAsAnOrdinaryCreateWouldAndOverwritesKeepingPermissions) {
    put(path("old.dkm"), "a much longer old radiogram text");
    ::chmod(path("old.dkm").c_str(), 0640);
    const mode_t previous = ::umask(022);
    for (auto [name, expected] : {std::pair{"Радиограмма №1.dkm", 0644u}, {"old.dkm", 0640u}}) {
        const RadiogramResult r = saveRadiogram(path(name), "АБ\nВ");
        ASSERT_TRUE(r.ok()) << r.message;
        EXPECT_EQ(get(path(name)), "\xC0\xC1\r\n\xC2");
        EXPECT_EQ(mode(path(name)), expected);
    }
    ::umask(previous);
    EXPECT_EQ(names(), (std::vector<std::string>{"old.dkm", "Радиограмма №1.dkm"}))
        << "temporary file left";
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

// Root writes over any file and into any folder whatever its permission bits, so these cases
// are taken as an ordinary user: the test drops to "nobody" for the save when it runs as root.
TEST_F(RadiogramFile, PermissionsAreThoseOfAnOrdinaryUser) {
    ::mkdir(path("closed").c_str(), 0777);
    put(path("closed/open.dkm"), "old text");
    put(path("ro.dkm"), "keep me");
    ::chmod(path("closed/open.dkm").c_str(), 0666);
    ::chmod(path("ro.dkm").c_str(), 0444);
    ::chmod(dir.c_str(), 0777);
    struct Case {
        std::string file, error, contentAfter;
    };
    const Case cases[] = {
        // A writable file in a folder the user may not write is written in place.
        {path("closed/open.dkm"), "", "saved"},
        {path("closed/new.dkm"),
         "Cannot create file \"" + path("closed/new.dkm") + "\". Permission denied", ""},
        {path("ro.dkm"), "Cannot create file \"" + path("ro.dkm") + "\". Permission denied",
         "keep me"},
    };
    ::chmod(path("closed").c_str(), 0555);
    for (const Case& c : cases) {
        RadiogramResult r;
        {
            test::Unprivileged user;
            ASSERT_TRUE(user.ok());
            r = saveRadiogram(c.file, "saved");
        }
        EXPECT_EQ(r.message, c.error);
        EXPECT_EQ(get(c.file), c.contentAfter);
    }
    EXPECT_EQ(fs::directory_iterator(path("closed"))->path().filename(), "open.dkm");
    ::chmod(path("closed").c_str(), 0777);
}

// Hard links keep sharing the saved text; a link that leads nowhere creates its target.
TEST_F(RadiogramFile, LinksLeadToTheSavedText) {
    put(path("linked.dkm"), "old");
    fs::create_hard_link(path("linked.dkm"), path("other.dkm"));
    fs::create_symlink("missing.dkm", path("dangling.dkm"));
    fs::create_symlink(path("dangling.dkm"), path("chain.dkm"));
    ASSERT_TRUE(saveRadiogram(path("linked.dkm"), "new").ok());
    EXPECT_EQ(get(path("other.dkm")), "new");
    EXPECT_EQ(fs::hard_link_count(path("linked.dkm")), 2u);
    ASSERT_TRUE(saveRadiogram(path("chain.dkm"), "through").ok());
    EXPECT_TRUE(fs::is_symlink(path("chain.dkm")) && fs::is_symlink(path("dangling.dkm")));
    EXPECT_EQ(get(path("missing.dkm")), "through");
}

// A write that fails half-way (here: the file size limit of the process) leaves the old file
// whole and no temporary file behind, also when it is written in place for its hard link.
TEST_F(RadiogramFile, FailedWriteKeepsTheOldContent) {
    put(path("r.dkm"), "old radiogram");
    put(path("linked.dkm"), "old linked radiogram");
    fs::create_hard_link(path("linked.dkm"), path("other.dkm"));
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const RadiogramResult results[] = {saveRadiogram(path("r.dkm"), std::string(5000, 'N')),
                                       saveRadiogram(path("linked.dkm"), std::string(5000, 'N'))};
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(results[0].message, "Cannot create file \"" + path("r.dkm") + "\". File too large");
    EXPECT_EQ(results[1].error, RadiogramError::CannotCreate);
    EXPECT_EQ(get(path("r.dkm")), "old radiogram");
    EXPECT_EQ(get(path("other.dkm")), "old linked radiogram");
    EXPECT_EQ(names(), (std::vector<std::string>{"linked.dkm", "other.dkm", "r.dkm"}));
}

TEST_F(RadiogramFile, DevicesAreWrittenInPlaceNotReplaced) {
    if (!fs::exists("/dev/full") || !fs::exists("/dev/null")) GTEST_SKIP() << "no /dev/full";
    EXPECT_TRUE(writeRadiogram("/dev/null", "x").ok());
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_EQ(writeRadiogram("/dev/full", "x").message,
              "Cannot create file \"/dev/full\". No space left on device");
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

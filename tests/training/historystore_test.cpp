#include <gtest/gtest.h>

#include <QSqlDatabase>
#include <QSqlQuery>
#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/cp1251.h"
#include "core/cyrillic.h"
#include "support/tempfolder.h"
#include "training/historyschema.h"
#include "training/historystore.h"

using namespace kelvatron;
namespace fs = std::filesystem;

namespace {

class History : public ::testing::Test, public kelvatron::test::TempFolder {
protected:
    void SetUp() override {
        ASSERT_FALSE(dir.empty());
        ::chmod(dir.c_str(), 0755); // the read-only case runs as another user
    }
    std::string db() const { return path("Kelvatron/history.sqlite"); }

    static SessionRecord session(const char* startedAt, int dotMs) {
        SessionRecord s;
        s.startedAt = startedAt;
        s.source = "Группы, \"пять\"";
        s.dotMs = dotMs;
        s.charWpm = 20;
        return s;
    }
    static ReceiveCheck check(const char* sent, const char* typed) {
        return checkReceived(toCp1251(sent), toCp1251(typed));
    }
    // Runs statements on the file through a connection of its own; the first value the last
    // one gives, -1 when any fails.
    static int sql(const std::string& file, std::initializer_list<const char*> statements) {
        int value = -1;
        {
            QSqlDatabase d = QSqlDatabase::addDatabase("QSQLITE", "history-test-raw");
            d.setDatabaseName(QString::fromStdString(file));
            QSqlQuery query(d);
            bool ok = d.open();
            for (const char* statement : statements)
                ok = ok && query.exec(statement);
            if (ok && query.next()) value = query.value(0).toInt();
            if (!ok) ADD_FAILURE() << "failed on " << file;
        }
        QSqlDatabase::removeDatabase("history-test-raw");
        return value;
    }
    // Exercises as "kind startedAt dotMs signs/errors, ", oldest first.
    static std::string listed(const std::vector<SessionRecord>& sessions) {
        std::string out;
        for (const SessionRecord& r : sessions)
            out += r.kind + " " + r.startedAt + " " + std::to_string(r.dotMs) + " " +
                   std::to_string(r.signs) + "/" + std::to_string(r.errors) + ", ";
        return out;
    }
    static std::string tallies(const std::vector<SignTally>& tallies) {
        std::string out;
        for (const SignTally& t : tallies)
            out += fromCp1251(std::string(1, t.sign)) + " " + std::to_string(t.wrong) + "/" +
                   std::to_string(t.sent) + ", ";
        return out;
    }
    // Weakest first, then by sign; the break sign as the window writes it.
    static std::string rates(const HistoryStore& store) {
        std::string out;
        for (const SignErrorRate& r : store.errorRatePerSign())
            out += r.sign + " " + std::to_string(r.wrong) + "/" + std::to_string(r.sent) + ", ";
        return out;
    }
    static int userVersion(const std::string& file) { return sql(file, {"PRAGMA user_version"}); }
    std::vector<std::string> asideFiles() const {
        std::vector<std::string> out;
        for (const auto& e : fs::directory_iterator(path("Kelvatron")))
            if (e.path().filename().string().find(".damaged-") != std::string::npos)
                out.push_back(e.path());
        return out;
    }
};

} // namespace

TEST(HistoryPath, FollowsXdgDataHomeUnlessItIsRelative) {
    for (const char* xdg : {"/data", "rel", static_cast<const char*>(nullptr)})
        EXPECT_EQ(
            historyPath([&](std::string_view name) { return name == "HOME" ? "/home/u" : xdg; }),
            xdg && xdg[0] == '/' ? "/data/Kelvatron/history.sqlite"
                                 : "/home/u/.local/share/Kelvatron/history.sqlite");
}

TEST_F(History, FreshStoreRecordsAndAReopenedOneReadsBack) {
    {
        HistoryStore store(db());
        EXPECT_TRUE(store.saving());
        EXPECT_TRUE(store.takeMessages().empty());
        EXPECT_TRUE(store.record(session("2025-01-02T10:00:00Z", 60), check("АБВ ГА", "АББ Г")));
        EXPECT_TRUE(store.record(session("2025-01-01T09:00:00Z", 80), check("АА-", "АА-")));
        EXPECT_TRUE(fs::exists(db() + "-wal")) << "WAL mode";
    }
    HistoryStore store(db());
    EXPECT_TRUE(store.takeMessages().empty());
    EXPECT_EQ(listed(store.sessions()),
              "receive 2025-01-01T09:00:00Z 80 3/0, receive 2025-01-02T10:00:00Z 60 5/2, ");
    EXPECT_EQ(rates(store), "В 1/1, А 1/4, - 0/1, Б 0/1, Г 0/1, ");
    EXPECT_DOUBLE_EQ(store.errorRatePerSign()[1].rate, 0.25);
    EXPECT_EQ(tallies(store.recentSignRecord(1)), "А 1/2, Б 0/1, В 1/1, Г 0/1, "); // the newest
    EXPECT_EQ(store.recentSignRecord(5).size(), 5u);
    EXPECT_TRUE(store.recentSignRecord(5, "send").empty());
}

// A second check of an exercise replaces its record: the weak-sign record counts the new copy
// only, the other exercise and the start stay; an id the store does not hold is recorded anew.
TEST_F(History, ASecondCheckReplacesTheExercisesRecord) {
    HistoryStore store(db());
    ASSERT_TRUE(store.record(session("2025-01-01T09:00:00Z", 80), check("ББ", "ББ")));
    ASSERT_TRUE(store.record(session("2025-01-02T10:00:00Z", 60), check("АБВ", "")));
    const long long id = store.lastRecordedId();
    ASSERT_TRUE(store.replaceSession(id, session("", 70), check("АБВ", "АББ")));
    EXPECT_EQ(store.lastRecordedId(), id);
    EXPECT_EQ(listed(store.sessions()),
              "receive 2025-01-01T09:00:00Z 80 2/0, receive 2025-01-02T10:00:00Z 70 3/1, ");
    EXPECT_EQ(tallies(store.recentSignRecord(1)), "А 0/1, Б 0/1, В 1/1, ");
    const std::string confusions =
        "SELECT count(*) FROM confusions WHERE session_id = " + std::to_string(id);
    EXPECT_EQ(sql(db(), {confusions.c_str()}), 1); // В taken for Б, the empty copy's misses gone
    EXPECT_TRUE(store.replaceSession(id + 100, session("", 60), check("А", "А")));
    EXPECT_EQ(store.sessions().size(), 3u);
    EXPECT_NE(store.lastRecordedId(), id + 100);
}

TEST_F(History, CsvQuotesFieldsAndWritesAtomically) {
    HistoryStore store(db());
    ASSERT_TRUE(store.record(session("2025-01-02T10:00:00Z", 60), check("АБ", "А")));
    const std::string expected =
        "id,started_at,kind,source,alphabet,dot_ms,signs,errors,error_rate,char_wpm,"
        "effective_wpm,duration_s\r\n"
        "1,2025-01-02T10:00:00Z,receive,\"Группы, \"\"пять\"\"\",,60,2,1,0.5000,20.0,0.0,0.0\r\n";
    EXPECT_EQ(store.sessionsCsv(), expected);
    EXPECT_EQ(store.exportCsv(path("out.csv")), "");
    EXPECT_EQ(get(path("out.csv")), expected);
    EXPECT_NE(store.exportCsv(path("no/such/folder/out.csv")), "");
    SessionRecord sent = session("2025-01-03T10:00:00Z", 60);
    sent.kind = "send";
    ASSERT_TRUE(store.record(sent, check("А", "А")));
    EXPECT_EQ(store.sessionsCsv("receive"), expected) << "only the kind asked for";
    EXPECT_EQ(store.exportCsv(path("sent.csv"), "send").find("receive"), std::string::npos);
}

// One exercise goes with its per-sign rows and confusions; the others stay whole.
TEST_F(History, DeletingAnExerciseRemovesAllItsRows) {
    HistoryStore store(db());
    ASSERT_TRUE(store.record(session("2025-01-01T10:00:00Z", 60), check("АБ", "АВ")));
    ASSERT_TRUE(store.record(session("2025-01-02T10:00:00Z", 60), check("АГ", "АД")));
    EXPECT_EQ(store.deleteSession(store.sessions()[0].id), "");
    ASSERT_EQ(store.sessions().size(), 1u);
    EXPECT_EQ(store.sessions()[0].startedAt, "2025-01-02T10:00:00Z");
    EXPECT_EQ(rates(store), "Г 1/1, А 0/1, ");
    EXPECT_EQ(sql(db(), {"SELECT count(*) FROM confusions"}), 1);
}

// Files written before the layout had a version: today's tables, and the first tables without
// the columns added to sessions since. Both are brought to the current layout, rows kept.
TEST_F(History, OlderLayoutsMigrateInPlaceWithTheirRows) {
    const char* const kFirstTables[] = {
        "CREATE TABLE sessions (id INTEGER PRIMARY KEY, started_at TEXT NOT NULL, kind TEXT NOT "
        "NULL, dot_ms INTEGER NOT NULL, signs INTEGER NOT NULL, errors INTEGER NOT NULL)",
        "CREATE TABLE sign_results (session_id INTEGER NOT NULL, sign TEXT NOT NULL, sent INTEGER "
        "NOT NULL, wrong INTEGER NOT NULL, PRIMARY KEY (session_id, sign))",
        "CREATE TABLE confusions (session_id INTEGER NOT NULL, sent TEXT NOT NULL, typed TEXT NOT "
        "NULL, count INTEGER NOT NULL, PRIMARY KEY (session_id, sent, typed))"};
    for (bool firstColumnsOnly : {false, true}) {
        SCOPED_TRACE(firstColumnsOnly ? "first columns only" : "today's, unversioned");
        fs::remove_all(path("Kelvatron"));
        fs::create_directories(path("Kelvatron"));
        if (firstColumnsOnly) {
            sql(db(), {kFirstTables[0], kFirstTables[1], kFirstTables[2],
                       "INSERT INTO sessions VALUES (7, '2024-05-01T10:00:00Z', 'receive', 60, 4, "
                       "1)",
                       "INSERT INTO sign_results VALUES (7, 'Ж', 4, 1)",
                       "INSERT INTO confusions VALUES (7, 'Ж', 'В', 1)"});
        } else {
            HistoryStore(db()).record(session("2024-05-01T10:00:00Z", 60), check("ЖЖЖЖ", "ЖЖЖВ"));
            sql(db(), {"PRAGMA user_version = 0"});
        }
        ASSERT_EQ(userVersion(db()), 0);
        HistoryStore store(db());
        EXPECT_TRUE(store.takeMessages().empty());
        EXPECT_TRUE(asideFiles().empty());
        const auto sessions = store.sessions();
        ASSERT_EQ(sessions.size(), 1u);
        EXPECT_EQ(std::tuple(sessions[0].startedAt, sessions[0].dotMs, sessions[0].signs,
                             sessions[0].errors),
                  std::tuple(std::string("2024-05-01T10:00:00Z"), 60, 4, 1));
        EXPECT_EQ(rates(store), "Ж 1/4, ");
        EXPECT_TRUE(store.record(session("2025-01-01T00:00:00Z", 60), check("А", "А")));
        EXPECT_EQ(store.sessions().size(), 2u);
        EXPECT_EQ(userVersion(db()), history::kSchemaVersion);
    }
}

// The course resumes where it stood after a restart; a file of the first versioned layout gains
// the course's table and takes every mode's kind, and keeps its exercises with their signs.
TEST_F(History, CourseProgressOutlivesARestartAndLayoutOneFilesGainIt) {
    HistoryStore(db()).record(session("2024-05-01T10:00:00Z", 60), check("ЖЖ", "ЖВ"));
    std::string layoutOne(history::kCreateStatements[0]);
    layoutOne.replace(layoutOne.find("kind TEXT NOT NULL"), 18,
                      "kind TEXT NOT NULL CHECK (kind IN ('receive', 'send'))");
    layoutOne.replace(layoutOne.find("IF NOT EXISTS sessions"), 22, "first");
    sql(db(), {"DROP TABLE course_progress", layoutOne.c_str(),
               "INSERT INTO first SELECT * FROM sessions", "DROP TABLE sessions",
               "ALTER TABLE first RENAME TO sessions", "PRAGMA user_version = 1"});
    {
        HistoryStore store(db());
        EXPECT_TRUE(store.takeMessages().empty());
        SessionRecord exam = session("2024-05-02T10:00:00Z", 60);
        exam.kind = "exam";
        EXPECT_TRUE(store.record(exam, {}, {}));
        EXPECT_EQ(store.courseProgress("cyrillic").lesson, 1);
        EXPECT_TRUE(store.saveCourseProgress({"cyrillic", 7, 0}));
        EXPECT_TRUE(store.saveCourseProgress({"latin", 44, 2}));
        EXPECT_TRUE(store.saveCourseProgress({"cyrillic", 8, 0}));
    }
    HistoryStore store(db());
    EXPECT_EQ(userVersion(db()), history::kSchemaVersion);
    EXPECT_EQ(listed(store.sessions()), "receive 2024-05-01T10:00:00Z 60 2/1, "
                                        "exam 2024-05-02T10:00:00Z 60 0/0, ");
    EXPECT_EQ(rates(store), "Ж 1/2, ");
    const CourseProgress cyrillic = store.courseProgress("cyrillic"),
                         latin = store.courseProgress("latin");
    EXPECT_EQ(std::tuple(cyrillic.lesson, cyrillic.stage, latin.lesson, latin.stage),
              std::tuple(8, 0, 44, 2));
}

// A file of a later layout is read as it is: neither migrated, nor written, nor put aside.
TEST_F(History, ALaterLayoutIsReadNeverWritten) {
    HistoryStore(db()).record(session("2024-05-01T10:00:00Z", 60), check("А", "А"));
    sql(db(), {"PRAGMA user_version = 9"});
    HistoryStore store(db());
    EXPECT_EQ(store.takeMessages().size(), 1u);
    EXPECT_FALSE(store.record(session("2025-01-01T00:00:00Z", 60), check("А", "А")));
    EXPECT_EQ(store.sessions().size(), 1u);
    EXPECT_TRUE(asideFiles().empty());
    EXPECT_EQ(userVersion(db()), 9);
}

// Garbage over one page of the sessions table: the file is put aside, every other exercise
// (with its per-sign rows) moves to a fresh file, and the learner is told how many.
TEST_F(History, ABadPageLosesOnlyTheExercisesItHeld) {
    constexpr int kSessions = 300;
    {
        HistoryStore store(db());
        for (int i = 1; i <= kSessions; ++i) {
            SessionRecord s = session("2025-01-01T00:00:00Z", 60);
            s.source = "упражнение " + std::to_string(10000 + i);
            ASSERT_TRUE(store.record(s, check("АБ", "АВ")));
        }
    }
    sql(db(), {"PRAGMA journal_mode = DELETE"}); // everything in the one file
    std::string bytes = get(db());
    constexpr size_t kPage = 4096;
    const size_t marker = bytes.find("упражнение 10150");
    ASSERT_NE(marker, std::string::npos);
    ASSERT_GT(bytes.size(), 8 * kPage);
    for (size_t i = marker / kPage * kPage; i < (marker / kPage + 1) * kPage; ++i)
        bytes[i] = char(i * 37 % 251);
    put(db(), bytes);

    HistoryStore store(db());
    const auto messages = store.takeMessages();
    const auto sessions = store.sessions();
    ASSERT_EQ(messages.size(), 1u);
    ASSERT_EQ(asideFiles().size(), 1u);
    EXPECT_EQ(get(asideFiles()[0]), bytes) << "kept as it was";
    EXPECT_NE(messages[0].find("сохранить упражнений: " + std::to_string(sessions.size())),
              std::string::npos)
        << messages[0];
    EXPECT_NE(messages[0].find(asideFiles()[0]), std::string::npos) << messages[0];
    EXPECT_GT(sessions.size(), size_t(kSessions - 60));
    EXPECT_LT(sessions.size(), size_t(kSessions));
    EXPECT_EQ(sessions.front().source, "упражнение 10001");
    EXPECT_EQ(sessions.back().source, "упражнение 10300");
    int sent = 0;
    for (const SignErrorRate& r : store.errorRatePerSign())
        sent += r.sent;
    EXPECT_EQ(sent, 2 * int(sessions.size())) << "each saved exercise with its signs, no others";
    EXPECT_TRUE(store.record(session("2025-02-01T00:00:00Z", 60), check("А", "А")));
    EXPECT_EQ(userVersion(db()), history::kSchemaVersion);
}

TEST_F(History, DamagedFileIsPutAsideAndAFreshOneStarted) {
    for (const bool foreignSchema : {false, true}) {
        SCOPED_TRACE(foreignSchema ? "foreign schema" : "not a database");
        fs::remove_all(path("Kelvatron"));
        fs::create_directories(path("Kelvatron"));
        if (foreignSchema)
            sql(db(), {"CREATE TABLE sessions (x)"});
        else
            put(db(), std::string(5000, 'x'));
        const std::string before = get(db());
        HistoryStore store(db());
        const auto messages = store.takeMessages();
        const auto aside = asideFiles();
        ASSERT_EQ(aside.size(), 1u);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_NE(messages[0].find(aside[0]), std::string::npos) << "says where: " << messages[0];
        EXPECT_TRUE(get(aside[0]) == before) << "kept as it was";
        EXPECT_TRUE(store.record(session("2025-01-01T00:00:00Z", 60), check("А", "А")));
        EXPECT_EQ(store.sessions().size(), 1u);
    }
}

// A commit that fails (the file may not grow: the disk is full) names the database's reason.
TEST_F(History, AFailedCommitSaysWhy) {
    EXPECT_EXIT(
        {
            HistoryStore store(db());
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit small;
            small.rlim_cur = small.rlim_max = 1024;
            ::setrlimit(RLIMIT_FSIZE, &small);
            const bool saved = store.record(session("2025-01-02T00:00:00Z", 60), check("А", "Б"));
            const auto messages = store.takeMessages();
            std::fprintf(stderr, "saved=%d %s\n", saved,
                         messages.empty() ? "" : messages[0].c_str());
            _exit(!saved && messages.size() == 1 && messages[0].find("()") == std::string::npos &&
                          messages[0].find("записать (") != std::string::npos
                      ? 0
                      : 1);
        },
        ::testing::ExitedWithCode(0), "saved=0");
}

// Root may write anything, so the store runs as nobody in a child process.
TEST_F(History, UnwritableDatabaseIsReportedOnceAndTrainingGoesOn) {
    HistoryStore(db()).record(session("2025-01-01T00:00:00Z", 60), check("А", "А"));
    ::chmod(path("Kelvatron").c_str(), 0555);
    ::chmod(db().c_str(), 0444);
    EXPECT_EXIT(
        {
            if (::geteuid() == 0 && ::setresuid(65534, 65534, 65534) != 0) _exit(9);
            HistoryStore store(db());
            const bool first = store.record(session("2025-01-02T00:00:00Z", 60), check("А", "Б"));
            const bool second = store.record(session("2025-01-03T00:00:00Z", 60), check("А", "Б"));
            const auto messages = store.takeMessages();
            const bool said = messages.size() == 1 &&
                              messages[0].find("не удаётся записать") != std::string::npos;
            std::fprintf(stderr, "saving=%d first=%d second=%d messages=%zu\n", store.saving(),
                         first, second, messages.size());
            _exit(!store.saving() && !first && !second && said ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "saving=0 first=0 second=0 messages=1");
    ::chmod(path("Kelvatron").c_str(), 0755);
    EXPECT_EQ(HistoryStore(db()).sessions().size(), 1u) << "nothing lost";
}

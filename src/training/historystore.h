#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "training/receivecheck.h"

class QSqlDatabase;

namespace kelvatron {

// One checked exercise as the history keeps it. Texts are UTF-8.
struct SessionRecord {
    long long id = 0;             // given by the store; ignored when recording
    std::string startedAt;        // ISO 8601 UTC, "2025-01-31T18:04:05Z"; now when left empty
    std::string kind = "receive"; // "receive" or "send"
    std::string source;   // what was keyed: the transmission's choice or "слабые знаки"
    std::string alphabet; // the signs drawn from, when the exercise drew from an alphabet
    int dotMs = 0;
    int signs = 0;
    int errors = 0;
    double charWpm = 0; // signs per minute are 5 × WPM
    double effectiveWpm = 0;
    double durationS = 0;
};

// Where a course stands for one alphabet ("cyrillic" or "latin").
struct CourseProgress {
    std::string alphabet = "cyrillic";
    int lesson = 1; // the lesson the learner is at
    int stage = 0;  // the speed stage after the last lesson, 0 before
};

// A sign's whole record in the history. Signs are UTF-8 as the text window writes them (the
// break sign as "-").
struct SignErrorRate {
    std::string sign;
    int sent = 0;
    int wrong = 0;
    double rate = 0;
};

// $XDG_DATA_HOME/Kelvatron/history.sqlite, ~/.local/share/… when that is unset or relative.
// getenv is a parameter so tests can point it at a temporary folder.
std::string historyPath(const std::function<const char*(const char*)>& getenv);

// The learner's training history in an SQLite database (schema in historyschema.cpp and the
// README). Every exercise is one transaction in WAL mode, so an exercise recorded before the
// program is killed is never lost. The store never stops training:
// - a file of an older layout (PRAGMA user_version below history::kSchemaVersion) is brought
//   to this one in place, its rows kept; a later program's file is read, never written;
// - a file that is not a database, fails its integrity check or has an unreadable schema is
//   renamed aside (history.sqlite.damaged-YYYYMMDD-HHMMSS) and a fresh one is started with
//   every row that still reads (a bad page loses only its own rows);
// - a database that cannot be written is reported once, and recording then does nothing.
// Either way takeMessages() gives the learner's message (Russian) once.
class HistoryStore {
public:
    explicit HistoryStore(std::string path);
    ~HistoryStore();
    HistoryStore(const HistoryStore&) = delete;
    HistoryStore& operator=(const HistoryStore&) = delete;

    // Records one exercise with its per-sign results and confusions, all or nothing. False when
    // it was not saved (the reason, the first time, in takeMessages()).
    bool record(const SessionRecord& session, const std::vector<SignTally>& perSign,
                const std::vector<Confusion>& confusions);
    // The same for a receive check: signs and errors come from the check.
    bool record(SessionRecord session, const ReceiveCheck& check);
    // A new check of an exercise already recorded as `id` replaces that record (one record per
    // exercise); an id the store does not hold is recorded anew.
    bool replaceSession(long long id, SessionRecord session, const ReceiveCheck& check);
    // The id of the exercise recorded or replaced last, 0 before any.
    long long lastRecordedId() const { return lastRecordedId_; }

    std::vector<SessionRecord> sessions() const;         // oldest first
    std::vector<SignErrorRate> errorRatePerSign() const; // weakest first
    // Sent/wrong per sign over the last `sessions` exercises of a kind, for WeakSigns.
    std::vector<SignTally> recentSignRecord(int sessions = 20,
                                            const std::string& kind = "receive") const;
    // Removes one exercise with its per-sign results and confusions, all or nothing; an empty
    // string on success, else the message to show.
    std::string deleteSession(long long id);
    // The sessions of a kind ("" for all) as CSV (RFC 4180: header line, CRLF, quoted where
    // needed), UTF-8.
    std::string sessionsCsv(const std::string& kind = {}) const;
    // Writes sessionsCsv(kind) atomically; an empty string on success, else the message to show.
    std::string exportCsv(const std::string& file, const std::string& kind = {}) const;

    // The course's place for an alphabet; lesson 1 when it was never saved.
    CourseProgress courseProgress(const std::string& alphabet) const;
    // Keeps it, replacing the alphabet's row; false when not saved (reason in takeMessages()).
    bool saveCourseProgress(const CourseProgress& progress);

    bool saving() const { return saving_; }
    const std::string& path() const { return path_; }
    std::vector<std::string> takeMessages();

private:
    void open();
    bool openConnection();
    bool setUp();
    bool createTables(QSqlDatabase& db);
    bool migrate(QSqlDatabase& db, int fromVersion);
    // Copies what still reads into `fresh`; the exercises saved, nothing when none could be.
    std::optional<int> salvage(const std::string& fresh);
    // Renames the damaged file aside and puts the salvaged one, if any, in its place.
    void putAside(std::optional<int> saved, const std::string& fresh);
    void cannotWrite(const std::string& reason);

    std::string path_;
    std::string connection_;
    bool saving_ = true;
    long long lastRecordedId_ = 0;
    std::vector<std::string> messages_;
};

} // namespace kelvatron

#include "training/historyschema.h"

namespace kelvatron::history {

// sessions: one row per checked exercise. sign_results: per sent sign, how often it was sent and
// received wrong. confusions: what a sent sign was taken for; typed '' means it was missed.
// Signs are UTF-8, the break sign as "-". kind is the training mode's own word ("receive",
// "send", "callsign" ...): a new mode needs no new layout.
const std::array<std::string_view, 5> kCreateStatements = {
    R"(CREATE TABLE IF NOT EXISTS sessions (
        id INTEGER PRIMARY KEY,
        started_at TEXT NOT NULL,
        kind TEXT NOT NULL,
        source TEXT NOT NULL DEFAULT '',
        alphabet TEXT NOT NULL DEFAULT '',
        dot_ms INTEGER NOT NULL,
        signs INTEGER NOT NULL,
        errors INTEGER NOT NULL,
        char_wpm REAL NOT NULL DEFAULT 0,
        effective_wpm REAL NOT NULL DEFAULT 0,
        duration_s REAL NOT NULL DEFAULT 0))",
    R"(CREATE TABLE IF NOT EXISTS sign_results (
        session_id INTEGER NOT NULL REFERENCES sessions (id) ON DELETE CASCADE,
        sign TEXT NOT NULL,
        sent INTEGER NOT NULL,
        wrong INTEGER NOT NULL,
        PRIMARY KEY (session_id, sign)))",
    R"(CREATE TABLE IF NOT EXISTS confusions (
        session_id INTEGER NOT NULL REFERENCES sessions (id) ON DELETE CASCADE,
        sent TEXT NOT NULL,
        typed TEXT NOT NULL,
        count INTEGER NOT NULL,
        PRIMARY KEY (session_id, sent, typed)))",
    "CREATE INDEX IF NOT EXISTS sessions_by_time ON sessions (started_at)",
    // Where a course stands, one row per alphabet: the lesson the learner is at (the last one
    // passed plus one) and the speed stage after the last lesson (0 before).
    R"(CREATE TABLE IF NOT EXISTS course_progress (
        alphabet TEXT PRIMARY KEY CHECK (alphabet IN ('cyrillic', 'latin')),
        lesson INTEGER NOT NULL,
        stage INTEGER NOT NULL DEFAULT 0,
        updated_at TEXT NOT NULL))",
};

const std::array<std::string_view, 4> kSchemaProbes = {
    "SELECT id, started_at, kind, source, alphabet, dot_ms, signs, errors, char_wpm, "
    "effective_wpm, duration_s FROM sessions LIMIT 0",
    "SELECT session_id, sign, sent, wrong FROM sign_results LIMIT 0",
    "SELECT session_id, sent, typed, count FROM confusions LIMIT 0",
    "SELECT alphabet, lesson, stage, updated_at FROM course_progress LIMIT 0",
};

const std::array<TableColumns, 3> kTables = {{
    {"sessions", "id, started_at, kind, source, alphabet, dot_ms, signs, errors, char_wpm, "
                 "effective_wpm, duration_s"},
    {"sign_results", "session_id, sign, sent, wrong"},
    {"confusions", "session_id, sent, typed, count"},
}};

const std::array<AddedColumn, 5> kAddedSessionColumns = {{
    {"source", "TEXT NOT NULL DEFAULT ''"},
    {"alphabet", "TEXT NOT NULL DEFAULT ''"},
    {"char_wpm", "REAL NOT NULL DEFAULT 0"},
    {"effective_wpm", "REAL NOT NULL DEFAULT 0"},
    {"duration_s", "REAL NOT NULL DEFAULT 0"},
}};

} // namespace kelvatron::history

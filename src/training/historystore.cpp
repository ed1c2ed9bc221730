#include "training/historystore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>
#include <atomic>
#include <set>

#include "core/cp1251.h"
#include "training/historyschema.h"

namespace kelvatron {

namespace {

// SQLite's primary result codes for a file that holds no database or a corrupt one.
constexpr int kSqliteCorrupt = 11;
constexpr int kSqliteNotADatabase = 26;

QString q(const std::string& s) {
    return QString::fromStdString(s);
}
std::string s(const QString& q) {
    return q.toStdString();
}

// Signs are kept as the text window writes them: the break sign (the space's record) as "-".
std::string signToText(char sign) {
    if (sign == 0) return {};
    return sign == ' ' ? "-" : fromCp1251(std::string_view(&sign, 1));
}
char signFromText(const std::string& text) {
    if (text == "-") return ' ';
    const std::string b = toCp1251(text);
    return b.size() == 1 ? b[0] : 0;
}

bool isDamage(const QSqlError& e) {
    const int code = e.nativeErrorCode().toInt() & 0xFF; // extended codes keep it in the low byte
    return code == kSqliteCorrupt || code == kSqliteNotADatabase;
}

QSqlDatabase db(const std::string& connection) {
    return QSqlDatabase::database(q(connection), false);
}

void closeConnection(const std::string& connection) {
    if (!QSqlDatabase::contains(q(connection))) return;
    db(connection).close();
    QSqlDatabase::removeDatabase(q(connection));
}

// What the database said about the last failure: the statement's words, else the
// connection's.
std::string reasonOf(const QSqlQuery& query, const QSqlDatabase& d) {
    for (const QSqlError& e : {query.lastError(), d.lastError()})
        if (e.type() != QSqlError::NoError && !e.text().trimmed().isEmpty())
            return s(e.text().trimmed());
    return {};
}

// How many of the store's tables the file holds; -1 when its schema does not read.
int ourTables(const QSqlDatabase& d) {
    QSqlQuery query(d);
    if (!query.exec("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name IN "
                    "('sessions', 'sign_results', 'confusions')") ||
        !query.next())
        return -1;
    return query.value(0).toInt();
}

int userVersion(const QSqlDatabase& d) {
    QSqlQuery query(d);
    return query.exec("PRAGMA user_version") && query.next() ? query.value(0).toInt() : 0;
}

QStringList columnsOf(const QSqlDatabase& d, const std::string& table) {
    QStringList out;
    QSqlQuery query(d);
    query.exec(q("PRAGMA table_info(" + table + ")"));
    while (query.next())
        out << query.value(1).toString();
    return out;
}

// Calls `row` with every row of `table` that still reads, by rowid one at a time: a bad page
// loses only the rows it held. Past the highest rowid found, stops after a run of misses.
void forEachReadableRow(const QSqlDatabase& d, const std::string& table, const QString& columns,
                        const std::function<void(const QVariantList&)>& row) {
    constexpr long long kMissesPastTop = 1024, kMostRows = 1LL << 22;
    QSqlQuery query(d);
    query.setForwardOnly(true);
    long long top = 0;
    if (query.exec(q("SELECT max(rowid) FROM " + table)) && query.next())
        top = std::min(query.value(0).toLongLong(), kMostRows);
    const int width = int(columns.count(',')) + 1;
    query.prepare("SELECT " + columns + " FROM " + q(table) + " WHERE rowid = ?");
    long long misses = 0;
    for (long long id = 1; id <= top || misses < kMissesPastTop; ++id) {
        query.bindValue(0, id);
        if (!query.exec() || !query.next()) {
            ++misses;
            continue;
        }
        misses = 0;
        QVariantList values;
        for (int i = 0; i < width; ++i)
            values << query.value(i);
        row(values);
    }
}

// Copies what reads of every table into `to` (freshly created) in one transaction: rows that
// do not read, or are not valid rows any more, are skipped, and so are the per-sign rows of an
// exercise that was lost. The number of exercises copied, or nothing when `to` failed.
std::optional<int> copyReadableRows(const QSqlDatabase& from, QSqlDatabase& to) {
    std::set<long long> sessions;
    if (!to.transaction()) return {};
    QSqlQuery insert(to);
    for (const history::TableColumns& t : history::kTables) {
        const std::string table(t.table);
        const bool isSessions = table == "sessions";
        // An older layout's file has fewer columns; the fresh file gives the rest their default.
        const QStringList present = columnsOf(from, table);
        QStringList columns;
        for (const QString& c : q(std::string(t.columns)).split(','))
            if (present.contains(c.trimmed())) columns << c.trimmed();
        if (columns.isEmpty()) continue;
        const QString list = columns.join(", ");
        insert.prepare(q("INSERT INTO " + table + " (") + list + ") VALUES (" +
                       QStringList(columns.size(), "?").join(", ") + ")");
        forEachReadableRow(from, table, list, [&](const QVariantList& row) {
            const long long session = row[0].toLongLong(); // id, or the row's session_id
            if (!isSessions && !sessions.contains(session)) return;
            for (int i = 0; i < row.size(); ++i)
                insert.bindValue(i, row[i]);
            if (insert.exec() && isSessions) sessions.insert(session);
        });
    }
    if (!to.commit()) return {};
    return int(sessions.size());
}

std::string csvField(const std::string& field) {
    if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
    std::string out = "\"";
    for (char c : field) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + '"';
}

// A session's per-sign results and confusions; false at the first row that fails.
bool insertSignRows(QSqlQuery& query, const QVariant& id, const std::vector<SignTally>& perSign,
                    const std::vector<Confusion>& confusions) {
    query.prepare("INSERT INTO sign_results (session_id, sign, sent, wrong) VALUES (?, ?, ?, ?)");
    for (const SignTally& t : perSign) {
        for (const QVariant& v :
             {id, QVariant(q(signToText(t.sign))), QVariant(t.sent), QVariant(t.wrong)})
            query.addBindValue(v);
        if (!query.exec()) return false;
    }
    query.prepare("INSERT INTO confusions (session_id, sent, typed, count) VALUES (?, ?, ?, ?)");
    for (const Confusion& c : confusions) {
        for (const QVariant& v : {id, QVariant(q(signToText(c.sent))),
                                  QVariant(q(signToText(c.typed))), QVariant(c.count)})
            query.addBindValue(v);
        if (!query.exec()) return false;
    }
    return true;
}

} // namespace

std::string historyPath(const std::function<const char*(const char*)>& getenv) {
    const char* data = getenv("XDG_DATA_HOME");
    std::string base;
    if (data && data[0] == '/')
        base = data;
    else
        base = std::string(getenv("HOME") ? getenv("HOME") : "") + "/.local/share";
    return base + "/Kelvatron/history.sqlite";
}

HistoryStore::HistoryStore(std::string path) : path_(std::move(path)) {
    static std::atomic<int> instances{0};
    connection_ = "kelvatron-history-" + std::to_string(++instances);
    open();
}

HistoryStore::~HistoryStore() {
    closeConnection(connection_);
}

void HistoryStore::open() {
    if (!QDir().mkpath(QFileInfo(q(path_)).absolutePath()))
        return cannotWrite("папку не удалось создать");
    if (openConnection() && setUp()) return;
    if (!saving_) return;
    // The file is not a database, or not one the store can read: keep what still reads in a
    // fresh file, the damaged one aside.
    const std::string fresh = path_ + ".salvage";
    putAside(salvage(fresh), fresh);
    if (!openConnection() || !setUp()) {
        QSqlQuery none(db(connection_));
        cannotWrite(reasonOf(none, db(connection_)));
    }
}

bool HistoryStore::openConnection() {
    closeConnection(connection_);
    QSqlDatabase d = QSqlDatabase::addDatabase("QSQLITE", q(connection_));
    d.setDatabaseName(q(path_));
    if (d.open()) return true;
    QSqlQuery none(d);
    cannotWrite(reasonOf(none, d));
    return false;
}

// False when the file is damaged; a database that only cannot be written turns saving off.
bool HistoryStore::setUp() {
    QSqlDatabase d = db(connection_);
    QSqlQuery query(d);
    if (!query.exec("PRAGMA quick_check") || !query.next() || query.value(0).toString() != "ok") {
        if (isDamage(query.lastError()) || query.lastError().type() == QSqlError::NoError)
            return false;
        cannotWrite(reasonOf(query, d));
        return true;
    }
    // A statement left open would lock the tables a migration rebuilds.
    query.finish();
    // A database without our tables is new; one with some of them must have them all, readable.
    const int tables = ourTables(d);
    if (tables != 0 && tables != int(history::kTables.size())) return false;
    const int version = userVersion(d);
    if (version > history::kSchemaVersion) {
        // A later program's layout: shown as far as it reads, never changed.
        saving_ = false;
        messages_.push_back("Журнал тренировок «" + path_ +
                            "» записан более новой версией программы: он показывается, но новые "
                            "упражнения в него не сохраняются. Обновите программу.");
        return true;
    }
    if (tables == 0 && !createTables(d)) return true;
    if (tables != 0 && version < history::kSchemaVersion && !migrate(d, version)) return true;
    for (std::string_view probe : history::kSchemaProbes)
        if (!query.exec(q(std::string(probe)))) return false;
    query.exec("PRAGMA journal_mode = WAL");
    query.exec("PRAGMA foreign_keys = ON");
    // Learn now, not at the end of the first exercise, whether the file takes writing.
    if (saving_ && !(query.exec("BEGIN IMMEDIATE") && d.commit())) cannotWrite(reasonOf(query, d));
    return true;
}

// A new file is an empty one brought to this layout.
bool HistoryStore::createTables(QSqlDatabase& d) {
    return migrate(d, history::kSchemaVersion);
}

// SQLite cannot drop a CHECK in place: sessions is copied into a table of today's layout,
// which takes its name (foreign keys are not yet enforced on this connection, so the per-sign
// rows keep pointing at their ids).
static bool widenKinds(QSqlQuery& query) {
    std::string create(history::kCreateStatements[0]);
    create.replace(create.find("IF NOT EXISTS sessions"), 22, "sessions_widened");
    const std::string columns(history::kTables[0].columns);
    return query.exec(q(create)) &&
           query.exec(q("INSERT INTO sessions_widened (" + columns + ") SELECT " + columns +
                        " FROM sessions")) &&
           query.exec("DROP TABLE sessions") &&
           query.exec("ALTER TABLE sessions_widened RENAME TO sessions");
}

// Brings an older layout (or none) to this one in place, all or nothing, keeping every row. A
// file that cannot be written is reported and read as it is.
bool HistoryStore::migrate(QSqlDatabase& d, int from) {
    QSqlQuery query(d);
    bool done = d.transaction();
    if (from < 1) {
        const QStringList present = columnsOf(d, "sessions");
        for (const history::AddedColumn& c : history::kAddedSessionColumns)
            if (!present.contains(q(std::string(c.name))))
                done = done && query.exec(q("ALTER TABLE sessions ADD COLUMN " +
                                            std::string(c.name) + " " + std::string(c.definition)));
    }
    if (from < 2 && !columnsOf(d, "sessions").isEmpty()) done = done && widenKinds(query);
    for (std::string_view create : history::kCreateStatements)
        done = done && query.exec(q(std::string(create)));
    done =
        done && query.exec(QStringLiteral("PRAGMA user_version = %1").arg(history::kSchemaVersion));
    if (done && d.commit()) return true;
    const std::string reason = reasonOf(query, d);
    d.rollback();
    cannotWrite(reason);
    return false;
}

std::optional<int> HistoryStore::salvage(const std::string& fresh) {
    QSqlDatabase damaged = db(connection_);
    if (!damaged.isOpen() || ourTables(damaged) != int(history::kTables.size())) return {};
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        QFile::remove(q(fresh + suffix));
    const std::string name = connection_ + "-salvage";
    std::optional<int> saved;
    {
        QSqlDatabase out = QSqlDatabase::addDatabase("QSQLITE", q(name));
        out.setDatabaseName(q(fresh));
        if (out.open() && createTables(out)) saved = copyReadableRows(damaged, out);
    }
    closeConnection(name);
    if (!saved) QFile::remove(q(fresh));
    return saved;
}

void HistoryStore::putAside(std::optional<int> saved, const std::string& fresh) {
    closeConnection(connection_);
    const QString stamp = QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss");
    const QString aside = q(path_) + ".damaged-" + stamp;
    for (const char* suffix : {"-wal", "-shm"})
        QFile::remove(q(path_) + suffix);
    if (!QFile::rename(q(path_), aside)) {
        QFile::remove(q(fresh));
        return cannotWrite("повреждённый журнал не удалось убрать");
    }
    if (saved && !QFile::rename(q(fresh), q(path_))) {
        QFile::remove(q(fresh));
        saved.reset();
    }
    if (saved)
        messages_.push_back("Журнал тренировок был повреждён. Удалось сохранить упражнений: " +
                            std::to_string(*saved) +
                            ", они перенесены в новый журнал. Повреждённый файл сохранён как «" +
                            s(aside) + "».");
    else
        messages_.push_back("Журнал тренировок был повреждён. Он сохранён как «" + s(aside) +
                            "», начат новый журнал.");
}

void HistoryStore::cannotWrite(const std::string& reason) {
    if (!saving_) return;
    saving_ = false;
    messages_.push_back("Журнал тренировок «" + path_ + "» не удаётся записать" +
                        (reason.empty() ? "" : " (" + reason + ")") +
                        ". Тренировка продолжается без сохранения.");
}

std::vector<std::string> HistoryStore::takeMessages() {
    return std::exchange(messages_, {});
}

bool HistoryStore::record(const SessionRecord& r, const std::vector<SignTally>& perSign,
                          const std::vector<Confusion>& confusions) {
    if (!saving_) return false;
    QSqlDatabase d = db(connection_);
    QSqlQuery query(d);
    auto fail = [&] {
        const std::string reason = reasonOf(query, d);
        d.rollback();
        cannotWrite(reason);
        return false;
    };
    if (!d.transaction()) return fail();
    query.prepare(
        "INSERT INTO sessions (started_at, kind, source, alphabet, dot_ms, signs, errors, "
        "char_wpm, effective_wpm, duration_s) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    const std::string started = r.startedAt.empty()
                                    ? s(QDateTime::currentDateTimeUtc().toString(Qt::ISODate))
                                    : r.startedAt;
    for (const QVariant& v :
         {QVariant(q(started)), QVariant(q(r.kind)), QVariant(q(r.source)), QVariant(q(r.alphabet)),
          QVariant(r.dotMs), QVariant(r.signs), QVariant(r.errors), QVariant(r.charWpm),
          QVariant(r.effectiveWpm), QVariant(r.durationS)})
        query.addBindValue(v);
    if (!query.exec()) return fail();
    const QVariant id = query.lastInsertId();
    if (!insertSignRows(query, id, perSign, confusions) || !d.commit()) return fail();
    lastRecordedId_ = id.toLongLong();
    return true;
}

bool HistoryStore::record(SessionRecord session, const ReceiveCheck& check) {
    session.signs = check.signsSent;
    session.errors = check.errors();
    return record(session, check.perSign, check.confusions);
}

// The exercise keeps its record, its id and its start: its figures, per-sign results and
// confusions become the new check's, all or nothing.
bool HistoryStore::replaceSession(long long id, SessionRecord r, const ReceiveCheck& check) {
    if (!saving_) return false;
    QSqlDatabase d = db(connection_);
    QSqlQuery query(d);
    auto fail = [&] {
        const std::string reason = s(query.lastError().text());
        d.rollback();
        cannotWrite(reason);
        return false;
    };
    if (!d.transaction()) return fail();
    query.prepare("UPDATE sessions SET kind = ?, source = ?, alphabet = ?, dot_ms = ?, signs = ?, "
                  "errors = ?, char_wpm = ?, effective_wpm = ?, duration_s = ? WHERE id = ?");
    for (const QVariant& v :
         {QVariant(q(r.kind)), QVariant(q(r.source)), QVariant(q(r.alphabet)), QVariant(r.dotMs),
          QVariant(check.signsSent), QVariant(check.errors()), QVariant(r.charWpm),
          QVariant(r.effectiveWpm), QVariant(r.durationS), QVariant(id)})
        query.addBindValue(v);
    if (!query.exec()) return fail();
    if (query.numRowsAffected() != 1) {
        d.rollback();
        return record(r, check);
    }
    for (const char* table : {"sign_results", "confusions"}) {
        query.prepare(QStringLiteral("DELETE FROM %1 WHERE session_id = ?").arg(table));
        query.addBindValue(QVariant(id));
        if (!query.exec()) return fail();
    }
    if (!insertSignRows(query, QVariant(id), check.perSign, check.confusions) || !d.commit())
        return fail();
    lastRecordedId_ = id;
    return true;
}

std::vector<SessionRecord> HistoryStore::sessions() const {
    std::vector<SessionRecord> out;
    QSqlQuery query(db(connection_));
    query.exec("SELECT id, started_at, kind, source, alphabet, dot_ms, signs, errors, char_wpm, "
               "effective_wpm, duration_s FROM sessions ORDER BY started_at, id");
    while (query.next())
        out.push_back({query.value(0).toLongLong(), s(query.value(1).toString()),
                       s(query.value(2).toString()), s(query.value(3).toString()),
                       s(query.value(4).toString()), query.value(5).toInt(), query.value(6).toInt(),
                       query.value(7).toInt(), query.value(8).toDouble(), query.value(9).toDouble(),
                       query.value(10).toDouble()});
    return out;
}

std::vector<SignErrorRate> HistoryStore::errorRatePerSign() const {
    std::vector<SignErrorRate> out;
    QSqlQuery query(db(connection_));
    query.exec(
        "SELECT sign, SUM(sent), SUM(wrong) FROM sign_results GROUP BY sign "
        "HAVING SUM(sent) > 0 ORDER BY 1.0 * SUM(wrong) / SUM(sent) DESC, SUM(sent) DESC, sign");
    while (query.next()) {
        const int sent = query.value(1).toInt(), wrong = query.value(2).toInt();
        out.push_back({s(query.value(0).toString()), sent, wrong, double(wrong) / sent});
    }
    return out;
}

std::vector<SignTally> HistoryStore::recentSignRecord(int sessions, const std::string& kind) const {
    std::vector<SignTally> out;
    QSqlQuery query(db(connection_));
    query.prepare(
        "SELECT sign, SUM(sent), SUM(wrong) FROM sign_results WHERE session_id IN "
        "(SELECT id FROM sessions WHERE kind = ? ORDER BY started_at DESC, id DESC LIMIT ?) "
        "GROUP BY sign");
    query.addBindValue(q(kind));
    query.addBindValue(sessions);
    query.exec();
    while (query.next())
        if (char sign = signFromText(s(query.value(0).toString())))
            out.push_back({sign, query.value(1).toInt(), query.value(2).toInt()});
    return out;
}

std::string HistoryStore::deleteSession(long long id) {
    if (!saving_)
        return "Журнал тренировок «" + path_ + "» не удаётся записать: упражнение не удалено.";
    QSqlDatabase d = db(connection_);
    QSqlQuery query(d);
    // Explicitly, table by table: a file opened without foreign keys would keep the rows.
    bool done = d.transaction();
    for (const char* statement :
         {"DELETE FROM confusions WHERE session_id = ?",
          "DELETE FROM sign_results WHERE session_id = ?", "DELETE FROM sessions WHERE id = ?"}) {
        done = done && query.prepare(statement);
        query.addBindValue(id);
        done = done && query.exec();
    }
    if (done && d.commit()) return {};
    const std::string reason = reasonOf(query, d);
    d.rollback();
    return "Упражнение не удалось удалить из журнала" +
           (reason.empty() ? "" : " (" + reason + ")") + ". Журнал остался как был.";
}

std::string HistoryStore::sessionsCsv(const std::string& kind) const {
    std::string csv = "id,started_at,kind,source,alphabet,dot_ms,signs,errors,error_rate,char_wpm,"
                      "effective_wpm,duration_s\r\n";
    for (const SessionRecord& r : sessions()) {
        if (!kind.empty() && r.kind != kind) continue;
        const double rate = r.signs > 0 ? double(r.errors) / r.signs : 0;
        const std::vector<std::string> fields = {std::to_string(r.id),
                                                 r.startedAt,
                                                 r.kind,
                                                 r.source,
                                                 r.alphabet,
                                                 std::to_string(r.dotMs),
                                                 std::to_string(r.signs),
                                                 std::to_string(r.errors),
                                                 s(QString::number(rate, 'f', 4)),
                                                 s(QString::number(r.charWpm, 'f', 1)),
                                                 s(QString::number(r.effectiveWpm, 'f', 1)),
                                                 s(QString::number(r.durationS, 'f', 1))};
        for (size_t i = 0; i < fields.size(); ++i) {
            if (i) csv += ',';
            csv += csvField(fields[i]);
        }
        csv += "\r\n";
    }
    return csv;
}

std::string HistoryStore::exportCsv(const std::string& file, const std::string& kind) const {
    QSaveFile out(q(file));
    const std::string csv = sessionsCsv(kind);
    if (out.open(QIODevice::WriteOnly) &&
        out.write(csv.data(), qint64(csv.size())) == qint64(csv.size()) && out.commit())
        return {};
    return "Не удалось записать «" + file + "»: " + s(out.errorString());
}

} // namespace kelvatron

namespace kelvatron {

CourseProgress HistoryStore::courseProgress(const std::string& alphabet) const {
    CourseProgress out;
    out.alphabet = alphabet;
    QSqlQuery query(db(connection_));
    query.prepare("SELECT lesson, stage FROM course_progress WHERE alphabet = ?");
    query.addBindValue(q(alphabet));
    if (query.exec() && query.next()) {
        out.lesson = std::max(1, query.value(0).toInt());
        out.stage = std::max(0, query.value(1).toInt());
    }
    return out;
}

bool HistoryStore::saveCourseProgress(const CourseProgress& p) {
    if (!saving_) return false;
    QSqlDatabase d = db(connection_);
    QSqlQuery query(d);
    query.prepare("INSERT OR REPLACE INTO course_progress (alphabet, lesson, stage, updated_at) "
                  "VALUES (?, ?, ?, ?)");
    for (const QVariant& v : {QVariant(q(p.alphabet)), QVariant(p.lesson), QVariant(p.stage),
                              QVariant(QDateTime::currentDateTimeUtc().toString(Qt::ISODate))})
        query.addBindValue(v);
    if (query.exec()) return true;
    cannotWrite(reasonOf(query, d));
    return false;
}

} // namespace kelvatron

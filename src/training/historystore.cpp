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
#include <atomic>

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
    if (QSqlDatabase::contains(q(connection_))) {
        db(connection_).close();
        QSqlDatabase::removeDatabase(q(connection_));
    }
}

void HistoryStore::open() {
    if (!QDir().mkpath(QFileInfo(q(path_)).absolutePath()))
        return cannotWrite("папку не удалось создать");
    if (openConnection() && setUp()) return;
    if (!saving_) return;
    // The file is not a database, or not one the store can read: keep it aside, start afresh.
    putAside();
    if (!openConnection() || !setUp()) cannotWrite(s(db(connection_).lastError().text()));
}

bool HistoryStore::openConnection() {
    if (QSqlDatabase::contains(q(connection_))) {
        db(connection_).close();
        QSqlDatabase::removeDatabase(q(connection_));
    }
    QSqlDatabase d = QSqlDatabase::addDatabase("QSQLITE", q(connection_));
    d.setDatabaseName(q(path_));
    if (d.open()) return true;
    cannotWrite(s(d.lastError().text()));
    return false;
}

// False when the file is damaged; a database that only cannot be written turns saving off.
bool HistoryStore::setUp() {
    QSqlDatabase d = db(connection_);
    QSqlQuery query(d);
    if (!query.exec("PRAGMA quick_check") || !query.next() || query.value(0).toString() != "ok") {
        if (isDamage(query.lastError()) || query.lastError().type() == QSqlError::NoError)
            return false;
        cannotWrite(s(query.lastError().text()));
        return true;
    }
    // A database without our tables is new; one with some of them must have them all, readable.
    query.exec("SELECT count(*) FROM sqlite_master WHERE name IN "
               "('sessions', 'sign_results', 'confusions')");
    const int tables = query.next() ? query.value(0).toInt() : -1;
    if (tables != 0 && tables != int(history::kSchemaProbes.size())) return false;
    if (tables == 0 && !createTables(d)) return true;
    for (std::string_view probe : history::kSchemaProbes)
        if (!query.exec(q(std::string(probe)))) return false;
    query.exec("PRAGMA journal_mode = WAL");
    query.exec("PRAGMA foreign_keys = ON");
    // Learn now, not at the end of the first exercise, whether the file takes writing.
    if (saving_ && !(query.exec("BEGIN IMMEDIATE") && d.commit()))
        cannotWrite(s(query.lastError().text()));
    return true;
}

bool HistoryStore::createTables(QSqlDatabase& d) {
    QSqlQuery query(d);
    bool done = d.transaction();
    for (std::string_view create : history::kCreateStatements)
        done = done && query.exec(q(std::string(create)));
    if (done && d.commit()) return true;
    const std::string reason = s(query.lastError().text() + d.lastError().text());
    d.rollback();
    cannotWrite(reason);
    return false;
}

void HistoryStore::putAside() {
    db(connection_).close();
    QSqlDatabase::removeDatabase(q(connection_));
    const QString stamp = QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss");
    const QString aside = q(path_) + ".damaged-" + stamp;
    for (const char* suffix : {"-wal", "-shm"})
        QFile::remove(q(path_) + suffix);
    if (!QFile::rename(q(path_), aside))
        return cannotWrite("повреждённый журнал не удалось убрать");
    messages_.push_back("Журнал тренировок был повреждён. Он сохранён как «" + s(aside) +
                        "», начат новый журнал.");
}

void HistoryStore::cannotWrite(const std::string& reason) {
    if (!saving_) return;
    saving_ = false;
    messages_.push_back("Журнал тренировок «" + path_ + "» не удаётся записать (" + reason +
                        "). Тренировка продолжается без сохранения.");
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
        const std::string reason = s(query.lastError().text());
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

std::string HistoryStore::sessionsCsv() const {
    std::string csv = "id,started_at,kind,source,alphabet,dot_ms,signs,errors,error_rate,char_wpm,"
                      "effective_wpm,duration_s\r\n";
    for (const SessionRecord& r : sessions()) {
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
        for (size_t i = 0; i < fields.size(); ++i)
            csv += (i ? "," : "") + csvField(fields[i]);
        csv += "\r\n";
    }
    return csv;
}

std::string HistoryStore::exportCsv(const std::string& file) const {
    QSaveFile out(q(file));
    const std::string csv = sessionsCsv();
    if (out.open(QIODevice::WriteOnly) &&
        out.write(csv.data(), qint64(csv.size())) == qint64(csv.size()) && out.commit())
        return {};
    return "Не удалось записать «" + file + "»: " + s(out.errorString());
}

} // namespace kelvatron

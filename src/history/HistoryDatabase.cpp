#include "history/HistoryDatabase.h"

#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>
#include <bit>
#include <cstring>

#include "history/RunText.h"

namespace kt520::history {
namespace {

using measurement::RunRecord;

QVariant nullable(const std::optional<double>& value) {
    return value ? QVariant(*value) : QVariant(QMetaType(QMetaType::Double));
}

std::optional<double> optionalDouble(const QVariant& value) {
    if (value.isNull()) return std::nullopt;
    return value.toDouble();
}

QString joined(const std::vector<std::string>& lines) {
    QStringList out;
    for (const std::string& line : lines) out << QString::fromStdString(line);
    return out.join('\n');
}

std::vector<std::string> lines(const QString& text) {
    std::vector<std::string> out;
    if (text.isEmpty()) return out;
    for (const QString& line : text.split('\n')) out.push_back(line.toStdString());
    return out;
}

// Heights as little-endian IEEE doubles, 8 bytes each.
QByteArray heightBytes(const std::vector<double>& heights) {
    QByteArray bytes(static_cast<qsizetype>(heights.size() * sizeof(double)), Qt::Uninitialized);
    static_assert(std::endian::native == std::endian::little, "stored profiles are little-endian");
    if (!heights.empty())
        std::memcpy(bytes.data(), heights.data(), heights.size() * sizeof(double));
    return bytes;
}

std::vector<double> heightsOf(const QByteArray& bytes) {
    std::vector<double> out(static_cast<std::size_t>(bytes.size()) / sizeof(double));
    if (!out.empty()) std::memcpy(out.data(), bytes.constData(), out.size() * sizeof(double));
    return out;
}

QString sourceWord(RunRecord::Source source) {
    switch (source) {
        case RunRecord::Source::Read:
            return "read";
        case RunRecord::Source::ResultRead:
            return "result-read";
        case RunRecord::Source::Card:
            return "card";
        case RunRecord::Source::Measurement:
            break;
    }
    return "measurement";
}

RunRecord::Source parseSource(const QString& word) {
    if (word == "read") return RunRecord::Source::Read;
    if (word == "result-read") return RunRecord::Source::ResultRead;
    if (word == "card") return RunRecord::Source::Card;
    return RunRecord::Source::Measurement;
}

// The WHERE clause of a filter (with its leading " WHERE ", or empty) and its values.
struct Where {
    QString clause;
    QVariantList values;
};

Where whereOf(const RunFilter& filter, const QString& table) {
    QStringList terms;
    Where where;
    const auto like = [&](const std::string& text, const char* column) {
        if (text.empty()) return;
        terms << QString("LOWER(%1.%2) LIKE ?").arg(table, column);
        where.values << "%" + QString::fromStdString(text).toLower() + "%";
    };
    like(filter.part, "part");
    like(filter.lot, "lot");
    if (filter.from) {
        terms << table + ".finished_at >= ?";
        where.values << timeText(*filter.from);
    }
    if (filter.to) {
        terms << table + ".finished_at < ?";
        where.values << timeText(*filter.to);
    }
    if (filter.verdict) {
        terms << table + ".verdict = ?";
        where.values << QString(quality::verdictWord(*filter.verdict));
    }
    if (!filter.ids.empty()) {
        QStringList marks;
        for (RunId id : filter.ids) {
            marks << "?";
            where.values << static_cast<qlonglong>(id);
        }
        terms << QString("%1.id IN (%2)").arg(table, marks.join(','));
    }
    if (!terms.isEmpty()) where.clause = " WHERE " + terms.join(" AND ");
    return where;
}

}  // namespace

HistoryDatabase::HistoryDatabase(Target target)
    : target_(std::move(target)),
      connection_("kt520-history-" + QUuid::createUuid().toString(QUuid::WithoutBraces)) {}

HistoryDatabase::~HistoryDatabase() {
    close();
    QSqlDatabase::removeDatabase(connection_);
}

void HistoryDatabase::close() {
    if (!QSqlDatabase::contains(connection_)) return;
    QSqlDatabase::database(connection_, false).close();
}

bool HistoryDatabase::isOpen() const {
    return QSqlDatabase::contains(connection_) &&
           QSqlDatabase::database(connection_, false).isOpen();
}

bool HistoryDatabase::fail(const QSqlQuery& query) {
    error_ = query.lastError().text().toStdString();
    return false;
}

bool HistoryDatabase::fail(const QSqlDatabase& database) {
    error_ = database.lastError().text().toStdString();
    return false;
}

HistoryDatabase::Opened HistoryDatabase::open() {
    const bool sqlite = target_.dialect == Dialect::SQLite;
    if (!QSqlDatabase::contains(connection_)) {
        QSqlDatabase db = QSqlDatabase::addDatabase(sqlite ? "QSQLITE" : "QPSQL", connection_);
        if (sqlite) {
            db.setDatabaseName(target_.file);
            db.setConnectOptions("QSQLITE_BUSY_TIMEOUT=5000");
        } else {
            db.setHostName(target_.server.host());
            db.setPort(target_.server.port(5432));
            db.setDatabaseName(target_.server.path().mid(1));
            db.setUserName(target_.server.userName());
            db.setPassword(target_.server.password());
            db.setConnectOptions("connect_timeout=5");
        }
    }
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (!db.isValid()) {
        error_ = "the Qt SQL driver for " + std::string(sqlite ? "SQLite" : "PostgreSQL") +
                 " is not installed";
        return Opened::Unavailable;
    }
    if (!db.isOpen() && !db.open()) {
        fail(db);
        return Opened::Unavailable;
    }
    QSqlQuery query(db);
    // SQLite tells a file that is no database, or a damaged one, at the
    // first read: codes 26 (not a database) and 11 (malformed).
    const auto damaged = [&] {
        const QString code = query.lastError().nativeErrorCode();
        fail(query);
        return sqlite && (code == "26" || code == "11") ? Opened::Damaged : Opened::Unavailable;
    };
    if (sqlite) {
        if (!query.exec("SELECT count(*) FROM sqlite_master")) return damaged();
        if (!query.exec("PRAGMA journal_mode=WAL") || !query.exec("PRAGMA synchronous=FULL"))
            return damaged();
    }
    for (const QString& statement : schemaStatements(target_.dialect))
        if (!query.exec(statement)) return damaged();
    // A read of every table's rows, so that damage there shows now, not at the first run.
    for (const char* count : {"SELECT count(*) FROM runs", "SELECT count(*) FROM analysis",
                              "SELECT count(*) FROM tolerances", "SELECT key FROM meta"})
        if (!query.exec(count)) return damaged();
    if (!query.exec(QString("SELECT value FROM meta WHERE key = 'schema_version'")))
        return damaged();
    if (!query.next()) {
        query.prepare("INSERT INTO meta (key, value) VALUES ('schema_version', ?)");
        query.addBindValue(QString::number(kSchemaVersion));
        if (!query.exec()) return damaged();
    }
    return Opened::Ready;
}

std::optional<RunId> HistoryDatabase::store(const StoredRun& run) {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery query(db);
    query.prepare("SELECT id FROM runs WHERE uid = ?");
    query.addBindValue(QString::fromStdString(run.uid));
    if (!query.exec()) return fail(query), std::nullopt;
    if (query.next()) return query.value(0).toLongLong();
    if (!db.transaction()) return fail(db), std::nullopt;
    const auto rollback = [&](const QSqlQuery& failed) {
        fail(failed);
        db.rollback();
        return std::nullopt;
    };
    query.prepare(
        "INSERT INTO runs (uid, finished_at, source, program_version, station, model, firmware,"
        " part, lot, operator, inch, sampling_pitch, evaluation_length, condition_fields,"
        " listing, results, verdict, measured_points, evaluation_points)"
        " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) RETURNING id");
    const std::vector<std::string>& fields = run.conditions.fields;
    for (const QVariant& value : QVariantList{
             QString::fromStdString(run.uid), timeText(run.finishedAt), sourceWord(run.source),
             QString::fromStdString(run.programVersion), QString::fromStdString(run.station),
             QString::fromStdString(run.model), QString::fromStdString(run.firmware),
             QString::fromStdString(run.labels.part), QString::fromStdString(run.labels.lot),
             QString::fromStdString(run.labels.operatorName), run.inch ? 1 : 0,
             QString::fromStdString(run.conditions.samplingPitchText),
             QString::fromStdString(run.conditions.evaluationLengthText),
             joined(fields.empty() ? fields : std::vector(fields.begin() + 1, fields.end())),
             joined(run.listing), joined(run.results),
             QString(quality::verdictWord(run.verdict.overall)),
             static_cast<qlonglong>(run.measured.size()),
             static_cast<qlonglong>(run.evaluation.size())})
        query.addBindValue(value);
    if (!query.exec() || !query.next()) return rollback(query);
    const RunId id = query.value(0).toLongLong();
    query.finish();

    query.prepare(
        "INSERT INTO analysis (run_id, position, name, value, unit, standard, low, high, rule,"
        " verdict) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    int position = 0;
    for (const quality::ParameterVerdict& parameter : run.verdict.parameters) {
        std::string standard;
        for (const analysis::Parameter& given : run.analysis)
            if (given.name == parameter.name) standard = given.standard;
        const auto& limit = parameter.limit;
        for (const QVariant& value : QVariantList{
                 static_cast<qlonglong>(id), position++, QString::fromStdString(parameter.name),
                 nullable(parameter.value), QString::fromStdString(parameter.unit),
                 QString::fromStdString(standard), nullable(limit ? limit->low : std::nullopt),
                 nullable(limit ? limit->high : std::nullopt),
                 limit ? QVariant(QString(quality::ruleName(limit->rule)))
                       : QVariant(QMetaType(QMetaType::QString)),
                 QString(quality::verdictWord(parameter.verdict))})
            query.addBindValue(value);
        if (!query.exec()) return rollback(query);
    }
    query.prepare("INSERT INTO profiles (run_id, kind, points, heights) VALUES (?, ?, ?, ?)");
    for (const auto& [kind, heights] :
         {std::pair{"measured", &run.measured}, std::pair{"evaluation", &run.evaluation}}) {
        query.addBindValue(static_cast<qlonglong>(id));
        query.addBindValue(QString(kind));
        query.addBindValue(static_cast<qlonglong>(heights->size()));
        query.addBindValue(heightBytes(*heights));
        if (!query.exec()) return rollback(query);
    }
    if (!db.commit()) {
        fail(db);
        db.rollback();
        return std::nullopt;
    }
    return id;
}

std::optional<StoredRun> HistoryDatabase::load(RunId id) {
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    query.prepare(
        "SELECT uid, finished_at, source, program_version, station, model, firmware, part, lot,"
        " operator, inch, sampling_pitch, evaluation_length, condition_fields, listing, results,"
        " verdict FROM runs WHERE id = ?");
    query.addBindValue(static_cast<qlonglong>(id));
    if (!query.exec()) return fail(query), std::nullopt;
    if (!query.next()) {
        error_ = "no run " + std::to_string(id);
        return std::nullopt;
    }
    StoredRun run;
    run.id = id;
    const auto text = [&](int column) { return query.value(column).toString().toStdString(); };
    run.uid = text(0);
    run.finishedAt = parseTime(query.value(1).toString());
    run.source = parseSource(query.value(2).toString());
    run.programVersion = text(3);
    run.station = text(4);
    run.model = text(5);
    run.firmware = text(6);
    run.labels = {text(7), text(8), text(9)};
    run.inch = query.value(10).toInt() != 0;
    run.conditions.samplingPitchText = text(11);
    run.conditions.evaluationLengthText = text(12);
    run.conditions.fields = lines(query.value(13).toString());
    run.conditions.fields.insert(run.conditions.fields.begin(), std::string());
    run.listing = lines(query.value(14).toString());
    run.results = lines(query.value(15).toString());
    run.verdict.overall = quality::parseVerdict(text(16));

    query.prepare(
        "SELECT name, value, unit, standard, low, high, rule, verdict FROM analysis"
        " WHERE run_id = ? ORDER BY position");
    query.addBindValue(static_cast<qlonglong>(id));
    if (!query.exec()) return fail(query), std::nullopt;
    while (query.next()) {
        quality::ParameterVerdict parameter{
            text(0), optionalDouble(query.value(1)), text(2), {}, quality::parseVerdict(text(7))};
        if (!query.value(6).isNull())
            parameter.limit =
                quality::Limit{optionalDouble(query.value(4)), optionalDouble(query.value(5)),
                               quality::parseRule(text(6)).value_or(quality::Rule::SixteenPercent)};
        if (parameter.value)
            run.analysis.push_back({parameter.name, *parameter.value, parameter.unit, text(3)});
        run.verdict.parameters.push_back(std::move(parameter));
    }
    query.prepare("SELECT kind, heights FROM profiles WHERE run_id = ?");
    query.addBindValue(static_cast<qlonglong>(id));
    if (!query.exec()) return fail(query), std::nullopt;
    while (query.next())
        (query.value(0).toString() == "measured" ? run.measured : run.evaluation) =
            heightsOf(query.value(1).toByteArray());
    return run;
}

std::optional<std::vector<RunSummary>> HistoryDatabase::list(const RunFilter& filter) {
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    query.setForwardOnly(true);
    const Where where = whereOf(filter, "runs");
    query.prepare(
        "SELECT id, finished_at, part, lot, operator, verdict, model, firmware FROM runs" +
        where.clause + " ORDER BY finished_at DESC, id DESC");
    for (const QVariant& value : where.values) query.addBindValue(value);
    if (!query.exec()) return fail(query), std::nullopt;
    std::vector<RunSummary> out;
    while (query.next()) {
        const auto text = [&](int column) { return query.value(column).toString().toStdString(); };
        out.push_back({query.value(0).toLongLong(), parseTime(query.value(1).toString()), text(2),
                       text(3), text(4), quality::parseVerdict(text(5)), text(6), text(7)});
    }
    return out;
}

std::optional<std::string> HistoryDatabase::exportCsv(const RunFilter& filter) {
    const auto runs = list(filter);
    if (!runs) return std::nullopt;
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    query.setForwardOnly(true);
    const Where where = whereOf(filter, "runs");
    query.prepare(
        "SELECT analysis.run_id, analysis.name, analysis.value, analysis.unit FROM analysis"
        " JOIN runs ON runs.id = analysis.run_id" +
        where.clause + " ORDER BY analysis.run_id, analysis.position");
    for (const QVariant& value : where.values) query.addBindValue(value);
    if (!query.exec()) return fail(query), std::nullopt;
    std::vector<AnalysisRow> rows;
    while (query.next())
        rows.push_back({query.value(0).toLongLong(), query.value(1).toString().toStdString(),
                        optionalDouble(query.value(2)), query.value(3).toString().toStdString()});
    return historyCsv(*runs, rows);
}

std::optional<std::vector<RunId>> HistoryDatabase::ids() {
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    if (!query.exec("SELECT id FROM runs ORDER BY id")) return fail(query), std::nullopt;
    std::vector<RunId> out;
    while (query.next()) out.push_back(query.value(0).toLongLong());
    return out;
}

bool HistoryDatabase::remove(const std::vector<RunId>& ids) {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (!db.transaction()) return fail(db);
    QSqlQuery query(db);
    for (RunId id : ids) {
        for (const char* statement :
             {"DELETE FROM analysis WHERE run_id = ?", "DELETE FROM profiles WHERE run_id = ?",
              "DELETE FROM runs WHERE id = ?"}) {
            query.prepare(statement);
            query.addBindValue(static_cast<qlonglong>(id));
            if (!query.exec()) {
                fail(query);
                db.rollback();
                return false;
            }
        }
    }
    if (!db.commit()) {
        fail(db);
        db.rollback();
        return false;
    }
    return true;
}

std::optional<std::vector<quality::Tolerance>> HistoryDatabase::tolerances() {
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    if (!query.exec(
            "SELECT part, parameter, low, high, rule FROM tolerances ORDER BY part, parameter"))
        return fail(query), std::nullopt;
    std::vector<quality::Tolerance> out;
    while (query.next())
        out.push_back({query.value(0).toString().toStdString(),
                       query.value(1).toString().toStdString(),
                       {optionalDouble(query.value(2)), optionalDouble(query.value(3)),
                        quality::parseRule(query.value(4).toString().toStdString())
                            .value_or(quality::Rule::SixteenPercent)}});
    return out;
}

bool HistoryDatabase::setTolerance(const quality::Tolerance& tolerance) {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (!db.transaction()) return fail(db);
    if (!removeTolerance(tolerance.part, tolerance.parameter)) return db.rollback(), false;
    QSqlQuery query(db);
    query.prepare(
        "INSERT INTO tolerances (part, parameter, low, high, rule) VALUES (?, ?, ?, ?, ?)");
    query.addBindValue(QString::fromStdString(tolerance.part));
    query.addBindValue(QString::fromStdString(tolerance.parameter));
    query.addBindValue(nullable(tolerance.limit.low));
    query.addBindValue(nullable(tolerance.limit.high));
    query.addBindValue(QString(quality::ruleName(tolerance.limit.rule)));
    if (!query.exec()) return fail(query), db.rollback(), false;
    return db.commit() || (fail(db), db.rollback(), false);
}

bool HistoryDatabase::removeTolerance(const std::string& part, const std::string& parameter) {
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    query.prepare("DELETE FROM tolerances WHERE part = ? AND parameter = ?");
    query.addBindValue(QString::fromStdString(part));
    query.addBindValue(QString::fromStdString(parameter));
    return query.exec() || fail(query);
}

std::optional<std::vector<std::string>> HistoryDatabase::parameterNames(const RunFilter& filter) {
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    const Where where = whereOf(filter, "runs");
    query.prepare(
        "SELECT analysis.name, MIN(analysis.run_id * 1000 + analysis.position) AS first"
        " FROM analysis JOIN runs ON runs.id = analysis.run_id" +
        where.clause + " GROUP BY analysis.name ORDER BY first");
    for (const QVariant& value : where.values) query.addBindValue(value);
    if (!query.exec()) return fail(query), std::nullopt;
    std::vector<std::string> out;
    while (query.next()) out.push_back(query.value(0).toString().toStdString());
    return out;
}

std::optional<std::vector<SeriesPoint>> HistoryDatabase::series(const std::string& parameter,
                                                                const RunFilter& filter) {
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    Where where = whereOf(filter, "runs");
    where.clause += (where.clause.isEmpty() ? " WHERE " : " AND ") +
                    QString("analysis.name = ? AND analysis.value IS NOT NULL");
    where.values << QString::fromStdString(parameter);
    query.prepare(
        "SELECT runs.id, runs.finished_at, analysis.value, analysis.unit FROM analysis"
        " JOIN runs ON runs.id = analysis.run_id" +
        where.clause + " ORDER BY runs.finished_at, runs.id");
    for (const QVariant& value : where.values) query.addBindValue(value);
    if (!query.exec()) return fail(query), std::nullopt;
    std::vector<SeriesPoint> out;
    while (query.next())
        out.push_back({query.value(0).toLongLong(), parseTime(query.value(1).toString()),
                       quality::comparableValue(query.value(2).toDouble(),
                                                query.value(3).toString().toStdString())});
    return out;
}

}  // namespace kt520::history

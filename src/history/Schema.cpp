#include "history/Schema.h"

namespace kt520::history {

QStringList schemaStatements(Dialect dialect) {
    const bool sqlite = dialect == Dialect::SQLite;
    const QString id = sqlite ? "INTEGER PRIMARY KEY AUTOINCREMENT" : "BIGSERIAL PRIMARY KEY";
    const QString runRef = sqlite ? "INTEGER" : "BIGINT";
    const QString blob = sqlite ? "BLOB" : "BYTEA";
    return {
        "CREATE TABLE IF NOT EXISTS meta (key TEXT PRIMARY KEY, value TEXT NOT NULL)",
        "CREATE TABLE IF NOT EXISTS runs ("
        " id " +
            id +
            ","
            " uid TEXT NOT NULL UNIQUE,"
            " finished_at TEXT NOT NULL,"
            " source TEXT NOT NULL,"
            " program_version TEXT NOT NULL,"
            " station TEXT NOT NULL,"
            " model TEXT NOT NULL,"
            " firmware TEXT NOT NULL,"
            " part TEXT NOT NULL,"
            " lot TEXT NOT NULL,"
            " operator TEXT NOT NULL,"
            " inch INTEGER NOT NULL,"
            " sampling_pitch TEXT NOT NULL,"
            " evaluation_length TEXT NOT NULL,"
            " condition_fields TEXT NOT NULL,"
            " listing TEXT NOT NULL,"
            " results TEXT NOT NULL,"
            " verdict TEXT NOT NULL,"
            " measured_points INTEGER NOT NULL,"
            " evaluation_points INTEGER NOT NULL)",
        "CREATE INDEX IF NOT EXISTS runs_finished_at ON runs (finished_at)",
        "CREATE TABLE IF NOT EXISTS analysis ("
        " run_id " +
            runRef +
            " NOT NULL REFERENCES runs (id) ON DELETE CASCADE,"
            " position INTEGER NOT NULL,"
            " name TEXT NOT NULL,"
            " value DOUBLE PRECISION,"
            " unit TEXT NOT NULL,"
            " standard TEXT NOT NULL,"
            " low DOUBLE PRECISION,"
            " high DOUBLE PRECISION,"
            " rule TEXT,"
            " verdict TEXT NOT NULL,"
            " PRIMARY KEY (run_id, position))",
        "CREATE INDEX IF NOT EXISTS analysis_name ON analysis (name)",
        "CREATE TABLE IF NOT EXISTS profiles ("
        " run_id " +
            runRef +
            " NOT NULL REFERENCES runs (id) ON DELETE CASCADE,"
            " kind TEXT NOT NULL,"
            " points INTEGER NOT NULL,"
            " heights " +
            blob +
            " NOT NULL,"
            " PRIMARY KEY (run_id, kind))",
        "CREATE TABLE IF NOT EXISTS tolerances ("
        " part TEXT NOT NULL,"
        " parameter TEXT NOT NULL,"
        " low DOUBLE PRECISION,"
        " high DOUBLE PRECISION,"
        " rule TEXT NOT NULL,"
        " PRIMARY KEY (part, parameter))",
    };
}

}  // namespace kt520::history

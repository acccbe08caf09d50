#pragma once
// The history's tables, the same on SQLite and PostgreSQL but for the few
// words the two spell differently (docs/history.md shows them).
#include <QStringList>

namespace kt520::history {

enum class Dialect { SQLite, PostgreSQL };

inline constexpr int kSchemaVersion = 1;

// CREATE statements, each safe to run on a database that has the table.
[[nodiscard]] QStringList schemaStatements(Dialect dialect);

}  // namespace kt520::history

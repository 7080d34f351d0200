#pragma once
// Moving a shop between a database file and a database server: every table with its fields
// and indexes, and every row, through the engine, into data that have no tables yet.
#include "core/engine/database.h"

#include <functional>

namespace vidoraw {

struct CopyReport {
    QStringList tables; // "POUKAZ.DB: 200000" each
    qint64 rows = 0;
};

// Copies everything of from into to, which must be empty; then counts the rows of every table
// on both sides. progress (optional) hears the table being copied.
[[nodiscard]] bool CopyData(Database& from, Database& to, CopyReport& report, QString* error,
                            const std::function<void(const QString& table)>& progress = {});

// Copies one table of from, with its fields, indexes and rows, into to as targetName (the
// same name when empty); to must not have that table yet. rows receives the count copied,
// checked against the source. Inside an open write of to, the rows join that write.
[[nodiscard]] bool CopyTable(Database& from, Database& to, const QString& name, qint64& rows,
                             QString* error, const QString& targetName = {});

} // namespace vidoraw

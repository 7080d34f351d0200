#pragma once
// A table taken out of the data on its own: a database file holding that one table with its
// fields, indexes and rows, readable with any SQLite tool. Archives pack such files.
#include "core/engine/database.h"

#include <memory>

namespace vidoraw {

// Makes directory a new, empty one for a database file of its own (never the server's).
bool LocalDatabaseFolder(const QString& directory, QString* error);

// Writes table fileName of db into targetFile (replacing it).
[[nodiscard]] bool DumpTable(Database& db, const QString& fileName, const QString& targetFile,
                             QString* error);

// Opens a taken table file: it is moved into scratchDir (a folder of its own, made here) and
// opened there; refused unless the file is a sound database holding the table fileName.
std::unique_ptr<Database> OpenDump(const QString& file, const QString& scratchDir,
                                   const QString& fileName, QString* error);

} // namespace vidoraw

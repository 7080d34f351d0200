#pragma once
// Whether a database file is sound, looked at before the engine opens it (a restored file
// must not get anything written into it first).
#include <QString>

namespace vidoraw {

// Opens the file read-only and runs the database's own check; false with what it found.
bool CheckDatabaseFile(const QString& path, QString* error);

} // namespace vidoraw

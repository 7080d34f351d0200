#pragma once
// A database file must lie on a disk of this computer: SQLite's locks and its write-ahead log
// do not work over a network file system, and several workstations would corrupt it.
#include <QString>
#include <optional>

namespace vidoraw {

// False with a message for the user when the directory lies on a network file system.
bool LocalFileSystemCheck(const QString& directory, QString* error);

// Tests pretend that every directory lies on a file system of this type (statfs f_type);
// nullopt asks the system again.
void SetFileSystemTypeForTests(std::optional<long> type);

} // namespace vidoraw

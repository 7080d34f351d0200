#pragma once
// File and process helpers. File names on Linux are case-sensitive, but the names the
// system looks for come from a world where they were not: every match here ignores case.
// Nothing here changes the process's current directory.
#include <QString>
#include <QStringList>

namespace vidoraw {

// Paths of the files in dir whose names match pattern ("*" any run, "?" one character,
// everything else literal), compared without regard to case; sorted by name.
QStringList MatchingFiles(const QString& dir, const QString& pattern);

// Starts a command line (program and arguments, quoted as a shell would) and waits without
// time limit until it ends. Answers whether it could be started. The child inherits our
// standard output and error.
bool RunAndWait(const QString& commandLine, const QString& workingDirectory = QString());

// Size of the first file matching name (a path whose last part may hold wildcards);
// false and 0 when none matches.
bool FileSizeOf(const QString& name, qint64& size);

// Deletes every file baseName + ".*" in dir. False when dir does not exist or a file could
// not be deleted.
bool DeleteFilesLike(const QString& dir, const QString& baseName);

// Deletes the index and auxiliary files of a table: every baseName + ".*" in dir except
// baseName + ".db" and baseName + ".mb". False when a file could not be deleted.
bool DeleteTableFiles(const QString& dir, const QString& baseName);

} // namespace vidoraw

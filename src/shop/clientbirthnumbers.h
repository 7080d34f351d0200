#pragma once
// Birth numbers over the whole client table: the duplicates file and the missing slash.
#include <QString>
#include <QStringList>

namespace vidoraw {

class Table;

// In birth-number order, every birth number equal to the one before it: a number held by n
// clients gives n - 1 lines; empty birth numbers count as equal.
QStringList DuplicateBirthNumbers(Table& clients);
// "DUPLIC.TXT" in the user's own cache folder (beside the screen reports), never in the shared
// data folder where workstations would overwrite each other's.
QString DuplicatesFilePath();
// The lines in code page 1250, each ended by CR LF; false when the file cannot be written.
bool WriteDuplicatesFile(const QString& path, const QStringList& lines);
// The birth number with the slash after its sixth character when it has none and is longer
// than five characters; otherwise as it is (trimmed).
QString WithSlash(const QString& birthNumber);

} // namespace vidoraw

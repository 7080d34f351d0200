#pragma once
// The files of an archive: volume names, the list file, the count file, and the archiver
// (Debian's arj, the same archive format) started with an argument list, never a shell.
#include <QString>
#include <QStringList>

namespace vidoraw {

inline constexpr const char* kArchiveName = "VIDORAW.ARJ";
inline constexpr const char* kListFile = "LIST.TXT";
inline constexpr const char* kOutputFile = "VYSTUP.TXT";
inline constexpr const char* kCountFile = "POCET.TXT";
// Volumes of 200 KB, as on diskettes.
inline constexpr const char* kVolumeSize = "200k";

// Volume n of the archive: VIDORAW.ARJ, VIDORAW.A01 .. VIDORAW.A09, VIDORAW.A10, ...
QString VolumeName(int n);
// The volume number of a file name (any case), -1 when it is no volume of the archive.
int VolumeNumber(const QString& fileName);
// The volumes in a folder, volume 0 first and the others by number.
QStringList VolumesIn(const QString& directory);
// The packed copy of a table file: "Z" + its name, the case kept.
QString PackedName(const QString& tableFile);

// The path of name in directory whatever its case there; empty when there is none.
QString FindNoCase(const QString& directory, const QString& name);

// One name a line, LF line ends.
bool WriteListFile(const QString& path, const QStringList& names, QString* error);
// The count file's text: four digits, no line end.
QByteArray CountText(int volumes);
// The number of a count file's text; -1 unless it is four digits making at least 1.
int ParseCount(const QByteArray& text);

struct ArchiverRun {
    bool started = false;
    int exitCode = -1;
};
// Runs the archiver in workDir with the arguments; its output goes to outputFile there. Waits
// until it ends; no input is given to it, so that a question can never hang the program.
ArchiverRun RunArchiver(const QString& workDir, const QStringList& arguments,
                        const QString& outputFile);
// The archiver's program: arj on the path.
QString ArchiverProgram();

// Removes every file of a folder (not its subfolders' files); false with the first failure.
bool EmptyFolder(const QString& directory, QString* error);

} // namespace vidoraw

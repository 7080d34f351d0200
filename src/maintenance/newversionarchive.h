#pragma once
// What the archive of a new version holds, and whether it may be unpacked: a new version
// brings program files only, inside its own folder. Nothing of it may reach outside that folder
// or bring the shop's data or settings with it.
#include <QString>
#include <QStringList>

#include <optional>

namespace vidoraw {

inline constexpr const char* kVersionArchive = "VERZIA.ARJ";
// The folder beside the data that the new version is unpacked into.
inline constexpr const char* kVersionFolder = "VERZIA";
// The installer looked for in the unpacked folder when the settings name none.
inline constexpr const char* kInstallerNames[] = {"vivida", "vivida.sh"};

// The names of the archiver's verbose listing ("v"), in the archive's order; nullopt unless the
// entries read add up to the count the listing closes with.
std::optional<QStringList> ParseListing(const QByteArray& text);

enum class EntryFault { None, Absolute, OutsideFolder, DataFile, NotPlain };
// What keeps a stored name from being unpacked ("/" and "\" both separate folders).
EntryFault CheckEntry(const QString& name);
// The reason as the user reads it.
QString FaultText(EntryFault fault);
// The shop's database and its companions, table files of any age, the settings files.
bool IsDataFile(const QString& fileName);

struct ListingRun {
    bool started = false; // the archiver could be started
    int exitCode = -1;
    std::optional<QStringList> names; // what it listed, when the listing was whole
};
// Lists archive (a name in workDir) with the archiver; its output goes to outputFile.
ListingRun ListArchive(const QString& workDir, const QString& archive, const QString& outputFile);

// The first entry below folder that is no plain file or folder (a link, a device, ...), or a
// data file; with fault set to why. Empty when there is none.
QString FirstRefusedUnpacked(const QString& folder, EntryFault* fault);

// The installer: named (a file of the unpacked folder, an absolute path, or a program on the
// search path), or without a name the first of kInstallerNames in the folder, any case. Empty
// when there is none.
QString FindInstaller(const QString& folder, const QString& named);

} // namespace vidoraw

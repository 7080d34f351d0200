#pragma once
// Archiving the shop's data into volumes of VIDORAW.ARJ on a diskette folder or a chosen
// directory, and restoring them. Both need the data alone (no other program may have them
// open) and never leave the shop with less than it had.
#include "framework/appcontext.h"

#include <functional>

namespace vidoraw {

// Where the volumes go or come from: the folders standing for drives A: and B: (settings
// MECHANIKY), or a directory.
enum class ArchivePlace { DriveA = 1, DriveB = 2, Directory = 3 };

struct ArchiveOptions {
    QString volumeSize = QStringLiteral("200k"); // the archiver's volume size
    // Hears each step ("dump SYSTEM.DB", "replace POUKAZ.DB", ...): the tests' worker.
    std::function<void(const QString& step)> progress;
    // Runs after a restore replaced the data (the upgrade of older data, the reindexing).
    std::function<void()> afterRestore;
};

// The folder of a place (the directory as given for Directory).
QString PlaceFolder(ArchivePlace place, const QString& directory);

// True when the archive was completed with every table of the data.
bool ArchiveData(AppContext& app, ArchivePlace place, const QString& directory,
                 QWidget* owner = nullptr, const ArchiveOptions& options = {});
// True when the data were replaced by the archive's.
bool RestoreData(AppContext& app, ArchivePlace place, const QString& directory,
                 QWidget* owner = nullptr, const ArchiveOptions& options = {});

// The table files of the registered modules, by module number, each table once.
QList<std::pair<int, QString>> ModuleTableFiles(AppContext& app);

} // namespace vidoraw

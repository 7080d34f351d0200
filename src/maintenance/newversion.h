#pragma once
// Installing a new version from VERZIA.ARJ on a diskette folder or in a directory: the archive
// is copied beside the data block by block, listed and checked, unpacked into a folder of its
// own, and the installer it brings is started. Whatever fails leaves the running program and
// its data as they are; the program ends only once the installer runs.
#include <QString>
#include <QtGlobal>

#include <functional>

class QWidget;

namespace vidoraw {

struct AppContext;

// Where the archive comes from: the folders standing for drives A: and B:, or a directory.
enum class InstallKind { DriveA = 1, DriveB = 2, Directory = 3 };
// A stored kind outside 1..3 is drive A:.
InstallKind InstallKindOf(int stored);

inline constexpr qint64 kCopyBlockSize = 65536;

// How a file of size bytes is copied: count blocks, the last of last bytes (a whole block when
// the size is a multiple of one). An empty file has no block, and its one read comes back short.
struct CopyBlocks {
    int count = 0;
    qint64 last = kCopyBlockSize;
};
CopyBlocks PlanCopy(qint64 size);

struct NewVersionOptions {
    // Hears each block copied (1, 2, ...) with its size: the tests' ear.
    std::function<void(int block, qint64 bytes)> onBlock;
};

// The settings key naming the installer (section NOVAVER); empty: the unpacked folder's own.
inline constexpr const char* kInstallerKey = "INSTALATOR";

// Runs the install window TfNverzia for the archive at source ("VERZIA.ARJ" for the drives, the
// directory text + "VERZIA.ARJ" for a directory). True only when the new version was unpacked
// whole and its installer started: the caller then ends the program. The installer runs in the
// unpacked folder with two arguments: the folder of the running program and the data folder.
bool InstallNewVersion(AppContext& app, InstallKind kind, const QString& source,
                       QWidget* owner = nullptr, const NewVersionOptions& options = {});

} // namespace vidoraw

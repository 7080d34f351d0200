#pragma once
// The export of an insurer invoice's batch files ("Export": diskette A, diskette B, or a
// directory), with its questions, the printed summaries and protocol, and the mail.
#include <QString>
#include <QStringList>

class QWidget;

namespace vidoraw {

struct AppContext;

enum class ExportTarget { DriveA, DriveB, Directory };

struct ExportResult {
    bool finished = false;  // every batch file written
    QStringList written;    // full paths of the files this export wrote
};

ExportResult ExportBatches(AppContext& app, ExportTarget target, QWidget* owner);

// The batch files (DAVKA. and digits, any case) of a directory, by name.
QStringList BatchFilesIn(const QString& directory);

} // namespace vidoraw

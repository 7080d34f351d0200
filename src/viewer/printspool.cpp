#include "viewer/printspool.h"

#include <QDir>
#include <QFile>
#include <QLibrary>
#include <QStandardPaths>

namespace vidoraw {

namespace {
// The spool files live in the user's own cache, never in a shared folder.
QString SpoolTemplate() {
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    QDir().mkpath(cache);
    return cache + QStringLiteral("/tlac-XXXXXX");
}
} // namespace

SpooledPrintJob::SpooledPrintJob(QPrinter& printer, Submit submit)
    : PrintJob(printer), printer_(printer), printerName_(printer.printerName()),
      dir_(SpoolTemplate()), submit_(std::move(submit)) {
    if (!dir_.isValid())
        return;
    file_ = dir_.filePath(QStringLiteral("zostava.pdf"));
    // Reports are drawn from the printable area's corner: the file keeps the printer's own
    // margins, and the print system is asked not to scale it.
    const QPageLayout layout = printer_.pageLayout();
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setOutputFileName(file_);
    printer_.setFullPage(false);
    printer_.setPageLayout(layout);
    spoolReady_ = true;
}

SpooledPrintJob::~SpooledPrintJob() {
    if (!file_.isEmpty())
        QFile::remove(file_);
}

void SpooledPrintJob::abandon() { abandoned_ = true; }

bool SpooledPrintJob::finish(bool drawn, const QString& title) {
    bool sent = false;
    if (spoolReady_ && drawn && !abandoned_ && QFile::exists(file_) && submit_)
        sent = submit_(printerName_, file_, title);
    QFile::remove(file_);
    return sent;
}

bool SpooledPrintJob::SubmitToCups(const QString& printer, const QString& file,
                                   const QString& title) {
    // int cupsPrintFile(const char* name, const char* filename, const char* title,
    //                   int num_options, cups_option_t* options); 0 is a failure.
    struct Option {
        const char* name;
        const char* value;
    };
    using PrintFile = int (*)(const char*, const char*, const char*, int, Option*);
    QLibrary cups(QStringLiteral("cups"), 2);
    auto printFile = reinterpret_cast<PrintFile>(cups.resolve("cupsPrintFile"));
    if (!printFile || printer.isEmpty())
        return false;
    Option options[] = {{"print-scaling", "none"}, {"fit-to-page", "false"}};
    return printFile(printer.toLocal8Bit().constData(), QFile::encodeName(file).constData(),
                     title.toUtf8().constData(), 2, options) != 0;
}

} // namespace vidoraw

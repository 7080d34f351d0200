#pragma once
// Printing through a spool file of our own: the pages are drawn into a PDF, which is handed to
// the print system only when the whole job was drawn. "Storno" then really abandons the job —
// Qt's own printer engines cannot take back pages they were given.
#include "viewer/viewercore.h"

#include <QPrinter>
#include <QTemporaryDir>
#include <functional>

namespace vidoraw {

class SpooledPrintJob : public PrintJob {
public:
    // Hands a finished spool file to the named printer; false when it was refused.
    using Submit = std::function<bool(const QString& printer, const QString& file,
                                      const QString& title)>;

    // printer: the printer the user chose (its name, page size and orientation are kept).
    SpooledPrintJob(QPrinter& printer, Submit submit = SubmitToCups);
    ~SpooledPrintJob() override;

    void abandon() override;
    // After the pages were drawn: hands the file over unless the job was abandoned or drawing
    // failed. The spool file is gone afterwards either way.
    bool finish(bool drawn, const QString& title);
    bool ok() const { return spoolReady_; }
    QString spoolFile() const { return file_; }

    // Through the print system's own library, loaded when needed.
    static bool SubmitToCups(const QString& printer, const QString& file, const QString& title);

private:
    QPrinter& printer_;
    QString printerName_;
    QTemporaryDir dir_;
    QString file_;
    bool spoolReady_ = false;
    bool abandoned_ = false;
    Submit submit_;
};

} // namespace vidoraw

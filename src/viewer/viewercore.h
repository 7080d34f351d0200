#pragma once
// The document side of zorode without any window: the open report, page size, zoom table,
// search, the page list of a printout, printing and PDF export. The window and the tests
// both work through this.
#include "reports/format/reportformat.h"
#include "reports/format/reportpages.h"

#include <QSizeF>
#include <QString>
#include <QVector>

#include <functional>

class QPagedPaintDevice;
class QPrinter;

namespace vidoraw {

// ----- zoom
inline constexpr int kZoomCount = 11;
inline constexpr int kZoomPageWidth = 9;
inline constexpr int kZoomPageHeight = 10;
inline constexpr int kDefaultZoomIndex = 4; // 100 %
// Percent of a fixed zoom entry (0..8); page width / height entries take the computed values.
int ZoomPercent(int index, int pageWidthZoom, int pageHeightZoom);
QString ZoomMenuText(int index);
QString ZoomListText(int index, int value);
// The zoom at which the page with 8 mm on both sides fills the view's width or height.
int PageWidthZoom(int viewWidth, double dpiX, double pageWidthMm);
int PageHeightZoom(int viewHeight, double dpiY, double pageHeightMm);

// ----- printers
// Name of the default printer; empty when no printer is installed.
QString DefaultPrinterName();
bool PrinterExists(const QString& name);
// Printable width and height in mm of a printer (the default one for an empty name) set to an
// orientation and paper; without any printer the whole A4/A3 sheet.
QSizeF PrintableSizeMm(const QString& printer, int orientation, int paper);

// ----- search
// Upper case for comparing without case: ASCII letters and the Slovak and Czech letters of
// code page 1250; every other character stays.
QString SearchUpper(const QString& text);

struct FoundPlace {
    int page = -1;
    int object = -1;
    int child = -1; // cell of a cell row; -1 otherwise
    bool valid() const { return page >= 0 && object >= 0; }
    bool operator==(const FoundPlace&) const = default;
};

// The first place at or after `from` whose text contains `text` (pages in order, objects in
// file order, a cell row cell by cell, a composed line piece by piece and then as a whole;
// groups are not searched). An invalid `from` starts at the beginning.
// Pages whose lines in the file cannot hold the text are passed over without being read.
FoundPlace FindText(const LazyReport& report, const QString& text, bool caseSensitive,
                    FoundPlace from);
FoundPlace FindText(const ReportDocument& doc, const QString& text, bool caseSensitive,
                    FoundPlace from);
// Where a continued search starts after a find: the next cell of a cell row, otherwise the
// next object.
FoundPlace PlaceAfter(const FoundPlace& found);

// ----- printing
enum class PrintRange { All, Current, Interval };
// What the print dialog gives: the range, "Od" and "Do" (page numbers from 1) and the copies.
struct PrintChoice {
    PrintRange range = PrintRange::All;
    int from = 1;
    int to = 1;
    int copies = 1;
    bool operator==(const PrintChoice&) const = default;
};
// Page indices (0-based) in print order: every copy runs through the range (collated);
// pages outside the document are left out. from/to are page numbers from 1.
QVector<int> PrintPageList(int pageCount, int currentIndex, PrintRange range, int from, int to,
                           int copies);

// A printout being drawn on a device. A stopped printout is abandoned while its painter is
// still active: ending a printer's painter sends what was drawn, so the abort has to come first.
class PrintJob {
public:
    explicit PrintJob(QPagedPaintDevice& device) : target(device) {}
    virtual ~PrintJob() = default;
    QPagedPaintDevice& device() const { return target; }
    // A printer is told to abort; other devices need nothing.
    virtual void abandon();

private:
    QPagedPaintDevice& target;
};

// Draws the listed pages, one device page each; `beforePage` (optional) is told how many pages
// were sent so far and answers false to stop, which abandons the job.
// False when painting could not start or was stopped.
bool PrintReportPages(PrintJob& job, const LazyReport& report, const QVector<int>& pages,
                      const std::function<bool(int sent)>& beforePage = {});
bool PrintReportPages(QPagedPaintDevice& device, const LazyReport& report,
                      const QVector<int>& pages,
                      const std::function<bool(int sent)>& beforePage = {});
bool PrintReportPages(QPagedPaintDevice& device, const ReportDocument& doc,
                      const QVector<int>& pages,
                      const std::function<bool(int sent)>& beforePage = {});
// The whole report as PDF, each page in its own orientation and paper, texts as text.
bool SaveReportPdf(const LazyReport& report, const QString& fileName, QString* error = nullptr);
bool SaveReportPdf(const ReportDocument& doc, const QString& fileName, QString* error = nullptr);

// ----- the open report
class ViewerSession {
public:
    // Reads a report; on failure the document is empty. The current page index is kept
    // (a page beyond the new document shows nothing until the user moves).
    bool open(const QString& fileName, QString* error = nullptr);
    void clear();

    const LazyReport& report() const { return pages; }
    LazyReport& report() { return pages; }
    QString fileName() const { return file; }
    int pageCount() const { return pages.pageCount(); }
    int currentIndex() const { return current; }
    void setCurrentIndex(int index) { current = index; }
    // Null when the current index lies outside the report.
    ReportPagePtr currentPage() const { return pages.page(current); }

    // Page size W x H in mm: the printable area of the printer for the first page's
    // orientation and paper (portrait A4 for an empty document).
    QSizeF pageSizeMm() const { return pageMm; }
    // The report's printer (first page's marker) or the default printer; may be empty.
    QString printerName() const { return printer; }
    void setPrinterName(const QString& name) { printer = name; }

    // Search state.
    // The object marked now (invalid after a failed search) and the place a continued search
    // starts after.
    FoundPlace found() const { return lastFound; }
    FoundPlace lastPlace() const { return position; }
    bool hasFound() const { return everFound; }
    FoundPlace search(const QString& text, bool caseSensitive);       // from the start
    FoundPlace searchAgain(const QString& text, bool caseSensitive);  // after the last find
    void clearMark() { lastFound = {}; }

private:
    void takePageSize();

    LazyReport pages;
    int current = 0;
    QString file;
    QSizeF pageMm{210, 297};
    QString printer = DefaultPrinterName();
    FoundPlace lastFound;
    FoundPlace position;
    bool everFound = false;
};

} // namespace vidoraw

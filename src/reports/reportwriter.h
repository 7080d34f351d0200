#pragma once
// The report writer: every printed output of vidoraw is built through it, either as a report
// file that the viewer zorode shows, or drawn straight on the printer. One report is built at
// a time; the program owns one writer and hands it to whoever prints.
//
//   switch (ChooseOutputDevice(owner)) {
//   case 0:  if (!w.ReportBegin(w.ReportFileName())) return;
//            ... w.ReportText(...) ...; if (w.ReportEnd()) w.ShowReport(); break;
//   case 1:  if (!PrintDialog(w.printer(), owner) || !w.ReportBegin(QString())) return;
//            ... the same commands ...; w.ReportEnd(); break;
//   }
#include "reports/format/reportformat.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>
#include <memory>
#include <optional>

class QFile;
class QPaintDevice;
class QPainter;
class QPrinter;
class QWidget;

namespace vidoraw {

class ReportPainter;
class Table;

// What the writer takes from the system record: the print font (MENOFONT) and the page
// margins in millimetres (OKRAJL, OKRAJH, OKRAJP, OKRAJD).
struct ReportSettings {
    QString fontName;
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

// What the layouts need of the printer, in millimetres: the offset of the printable area from
// the paper's corner and the printable area's size (in the printer's current orientation).
struct PrinterMetrics {
    double offsetX = 0;
    double offsetY = 0;
    double printableWidth = 210;
    double printableHeight = 297;
};

// A grid printed as a ruled table: rows of cell texts, row 0 the column headers; the column
// widths in screen pixels give the columns' shares of the printable width.
struct ReportGridData {
    QVector<QStringList> rows;
    QVector<int> columnWidths;
};

enum class ReportOutput { None, File, Printer };

class ReportWriter {
public:
    explicit ReportWriter(const ReportSettings& settings = {});
    ~ReportWriter();
    ReportWriter(const ReportWriter&) = delete;
    ReportWriter& operator=(const ReportWriter&) = delete;

    // ---- Writer state ----
    // Start-up, the font settings and the margins dialog hand their values in here.
    void applySettings(const ReportSettings& settings) { set = settings; }
    const ReportSettings& settings() const { return set; }
    QString ReportFontName() const { return set.fontName; }
    bool ReportLandscape() const { return landscape; }
    void setReportLandscape(bool on) { landscape = on; }
    bool ReportPaperA3() const { return paperA3; }
    void setReportPaperA3(bool on) { paperA3 = on; }

    // The report file of a screen report: zost1.zst in the user's own cache directory
    // (~/.cache/vidoraw), never in the shared data directory.
    QString ReportFileName() const { return fileName; }
    void setReportFileName(const QString& name) { fileName = name; }
    static QString DefaultReportFileName();

    // The printer of printer mode (created on first use). The print dialog is shown on it
    // before ReportBegin with an empty name.
    QPrinter& printer();
    // Printer mode draws on this device instead of the printer (an image, a PDF writer);
    // nullptr goes back to the printer. The caller keeps the device alive.
    void setPrintDevice(QPaintDevice* device) { printDevice = device; }
    // Offset and printable size of the printer; A4 without offset when no printer is
    // installed, or what setPrinterMetrics fixed.
    PrinterMetrics printerMetrics();
    void setPrinterMetrics(std::optional<PrinterMetrics> metrics) { fixedMetrics = metrics; }

    ReportOutput output() const { return mode; }

    // ---- One report ----
    // A file name: report file mode (the file is created or emptied, the page start written);
    // an empty name: printer mode (the print job starts). False, after the error notice, when
    // the file cannot be created or the job cannot start.
    bool ReportBegin(const QString& fileName);
    bool ReportNewPage();
    // Closes the file or ends the print job. False, after the error notice, when writing the
    // report file failed: the viewer must not be started on an incomplete file.
    bool ReportEnd();

    void ReportLine(ReportColour colour, double x1, double y1, double x2, double y2,
                    double penWidth);
    void ReportBox(ReportColour penColour, ReportColour fillColour, double x1, double y1,
                   double x2, double y2, double penWidth);
    void ReportFrame(ReportColour colour, double x1, double y1, double x2, double y2,
                     double penWidth);
    // The format always gets "no prefix" (2048): an "&" in data is printed as it is.
    void ReportText(const QString& fontName, bool bold, bool italic, bool underline,
                    bool strikeout, double x1, double y1, double x2, double y2,
                    double letterHeight, ReportColour colour, int format, const QString& text);

    // Characters of the current (or last) report file that code page 1250 cannot hold; they
    // were written as "?" and ReportEnd told the user.
    QString unrepresentable() const { return lost; }

    // ---- Ready-made reports ----
    // A data set as a ruled table with its heading on every page. fileName: the report file
    // (ReportBegin and ReportEnd included); empty: printed with a print job of its own.
    // False when the captions do not match the field names (nothing is written) or the
    // report cannot begin.
    bool ReportDataSet(Table& data, const QStringList& fieldNames,
                       const QStringList& headingLines, const QStringList& captions,
                       double left, double top, double right, double bottom,
                       const QString& fileName);
    // Lines one below the other.
    bool ReportTextLines(const QStringList& lines, const QString& fileName, double left,
                         double top, double right, double bottom);
    // A grid as a ruled table; columnFormats holds a text format number per column, heading
    // its lines separated by "|".
    bool ReportGrid(const ReportGridData& grid, const QStringList& columnFormats,
                    const QString& heading, double left, double top, double right,
                    double bottom, const QString& fileName);

    // ---- Command lists (templates) ----
    // The last "[LEZATO]" or "[STOJATO]" of the list sets the orientation of the next report.
    void ReportOrientation(const QStringList& list);
    // Appends the lines to the open report file; box texts (3, 13) get "no prefix" added.
    // "[STRANA]" is dropped unless keepPageLines. False when no report file is open.
    bool ReportWriteLines(const QStringList& list, bool keepPageLines);
    // Draws the lines in printer mode. Pictures are looked for relative to pictureDir.
    bool ReportPlay(const QStringList& list, const QString& pictureDir = QString());

    // ---- The viewer ----
    using Launcher = std::function<bool(const QString& program, const QStringList& arguments)>;
    // How the viewer is started (default: a detached process); tests replace it.
    void setLauncher(Launcher launcher) { launch = std::move(launcher); }
    // zorode beside the vidoraw executable unless set.
    QString viewerProgram() const;
    void setViewerProgram(const QString& program) { viewer = program; }
    // Starts the viewer on the report file without waiting. False, after the error notice,
    // when the viewer is missing or does not start.
    bool ShowReport();

private:
    bool beginFile(const QString& name);
    bool beginPrinter();
    void writeLine(const QString& line);
    void put(const ReportObject& o);
    void setPrinterLayout(bool landscape);
    void closeFile();
    void endPrinter();

    ReportSettings set;
    bool landscape = false;
    bool paperA3 = false;
    std::optional<bool> templateLandscape; // from ReportOrientation, for the next report
    bool reportLandscape = false;          // of the report in progress
    QString fileName;
    ReportOutput mode = ReportOutput::None;

    std::unique_ptr<QFile> file;
    bool writeFailed = false;
    QString lost;

    std::unique_ptr<QPrinter> printerObject;
    QPaintDevice* printDevice = nullptr;
    std::optional<PrinterMetrics> fixedMetrics;
    QPaintDevice* activeDevice = nullptr;
    std::unique_ptr<QPainter> painter;
    std::unique_ptr<ReportPainter> drawer;

    Launcher launch;
    QString viewer;
};

// The order every report follows: the output device; for the printer the print dialog on the
// writer's printer; then build with the report file name (screen) or an empty name (printer),
// which begins and ends the report itself (ReportDataSet, ReportGrid, ReportTextLines, or its
// own ReportBegin ... ReportEnd). The viewer is started only when build answered true: a report
// that failed never shows the previous one. False when cancelled or when build failed.
using ReportBuilder = std::function<bool(ReportWriter& writer, const QString& fileName)>;
bool RunReport(ReportWriter& writer, const ReportBuilder& build, QWidget* owner = nullptr);

// Moves every command of a template by dx, dy millimetres, line by line in place. Page and
// printer markers and lines the move does not know stay as they are. False when a number to
// be moved cannot be read (that line stays unchanged).
bool ReportShift(QStringList& list, double dx, double dy);
// Puts the font name into every box text line.
void ReportSetFont(QStringList& list, const QString& fontName);

} // namespace vidoraw

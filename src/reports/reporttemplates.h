#pragma once
// Report templates: printed forms kept as report files (.dsz) among the program's data files,
// filled with values before they go to the screen or the printer, and the per-printer offsets
// that move envelope templates. Also the small running-sum lists some forms keep.
//
//   TemplateReport job;
//   job.templateName = QStringLiteral("ppd.dsz");
//   job.secondCopy = QPointF(0, 140);               // two receipts on one A4 page
//   job.values = {{"XXX_CIASTKA", "12,50"}, ...};
//   RunTemplateReport(app.reports, job, owner);
#include <QPointF>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <utility>

class QWidget;

namespace vidoraw {

class Database;
class ReportWriter;

// Where templates are looked for: the folder set here (tests), else data/templates beside the
// program's folder (<program dir>/../data/templates) when it exists, else the data/templates
// of the source tree the program was built from.
QString TemplateDirectory();
void SetTemplateDirectory(const QString& directory); // empty: back to the rule above

// The file of a template in the template folder, its name compared without regard to case;
// empty when there is none.
QString FindTemplateFile(const QString& name);

// Reads a template (code page 1250) into lines. A missing, unreadable or oversized file, one
// that is no report file (first line not "[STRANA]") or a command whose position is no
// number gives the error notice and false; lines are then left empty.
bool LoadTemplate(const QString& name, QStringList& lines, QWidget* owner = nullptr);

// Appends every line of source but the page, orientation and paper markers (in any case), so
// that a second form lands on the page of the first.
void AppendTemplatePage(QStringList& target, const QStringList& source);

// The offsets of envelope format (0..3) on the printer with this code, from POSUNY.DB
// (POSUNXOn, POSUNYOn). A printer without a row, an empty field, a missing table: 0.
QPointF EnvelopeOffsets(Database* db, const QString& printerCode, int format);

// Running sums kept as lines "key,value" (value with a decimal comma, shortest form).
void AddToSum(QStringList& sums, const QString& key, double amount);
double SumOf(const QStringList& sums, const QString& key);

// One filled template, through the common path: the output device (and the print dialog),
// the template's orientation, ReportBegin, the second copy, the envelope offsets and the
// print font, the placeholders, then the report file (and the viewer) or the printer.
struct TemplateReport {
    QString templateName;
    bool useOrientation = false;         // the template's "[LEZATO]"/"[STOJATO]" rules the page
    std::optional<QPointF> secondCopy;   // a second form moved by this much on the same page
    std::optional<QPointF> envelopeShift; // envelope offsets of the chosen printer
    bool printFont = false;              // box texts take the writer's print font
    QList<std::pair<QString, QString>> values; // placeholder, value (FillPlaceholders)
    std::function<void(QStringList&)> fill;    // further filling after the values
};

// False when the template cannot be read (nothing is asked or shown), when the user cancels,
// or when the report failed.
bool RunTemplateReport(ReportWriter& writer, const TemplateReport& job, QWidget* owner = nullptr);
// The same form on several pages (envelopes for a whole list): the template is prepared once,
// and page i (from 0) is a fresh copy of it filled by fillPage. No pages: an empty report.
using TemplatePageFill = std::function<void(int page, QStringList& lines)>;
bool RunTemplatePages(ReportWriter& writer, const TemplateReport& job, int pages,
                      const TemplatePageFill& fillPage, QWidget* owner = nullptr);
// The steps between ReportBegin and ReportEnd on a loaded template, for a caller with its own
// report frame: copy, shift, font, values.
QStringList PrepareTemplate(const QStringList& lines, const TemplateReport& job,
                            const QString& fontName);

} // namespace vidoraw

// The ready-made reports: a data set, lines of text and a grid as ruled tables.
#include "reports/reportwriter.h"

#include "core/engine/table.h"
#include "core/values.h"
#include "reports/format/reportpainter.h"

#include <QDate>
#include <QSignalBlocker>

#include <algorithm>

namespace vidoraw {

namespace {

constexpr double kThin = 0.2;     // pen of boxes and column lines
constexpr double kThick = 0.6;    // closing frame of a data set page
constexpr double kRow = 5;        // row height
constexpr double kHeadingRow = 6; // heading line height
constexpr double kSmall = 4.5;    // letter height of captions, rows, dates
constexpr double kLarge = 5.5;    // letter height of heading lines

constexpr int kLeft = kAlignVCentre | kSingleLine;                  // 36
constexpr int kCentre = kAlignCentre | kAlignVCentre | kSingleLine; // 37
constexpr int kRight = kAlignRight | kAlignVCentre | kSingleLine;   // 38

// The width a field shows with, in characters.
int DisplayWidth(const FieldDef& def) {
    switch (def.type) {
    case 'A':
        return std::max(def.size, 1);
    case 'L':
        return 5; // "False"
    default:
        return 10;
    }
}

bool RightAligned(const FieldDef& def) {
    return def.type == 'I' || def.type == 'N' || def.type == 'F';
}

struct Column {
    int field = -1;
    QString caption;
    int width = 0;
    double start = 0;
    double end = 0;
    int format = kLeft;
};

} // namespace

bool ReportWriter::ReportDataSet(Table& data, const QStringList& fieldNames,
                                 const QStringList& headingLines, const QStringList& captions,
                                 double left, double top, double right, double bottom,
                                 const QString& name) {
    if (captions.size() != fieldNames.size() || !data.isOpen())
        return false;

    // The printer variant starts its own job and keeps to a narrow face.
    const bool toFile = !name.isEmpty();
    if (!ReportBegin(name))
        return false;
    const QString face = toFile ? set.fontName : QStringLiteral("Arial Narrow");

    // Margins count from the paper's edge: take off what the printer cannot reach.
    const PrinterMetrics m = printerMetrics();
    const QSizeF paper = ReportPaperSize(reportLandscape ? 1 : 0, paperA3 ? 1 : 0);
    const double W = paper.width();
    const double H = paper.height();
    const double L = left - m.offsetX;
    const double T = top - m.offsetY;
    const double R = right + m.offsetX;
    const double B = bottom + m.offsetY;
    const double U = W - L - R;
    const double X2 = W - R;

    QVector<Column> columns;
    int total = 0;
    for (int i = 0; i < fieldNames.size(); ++i) {
        const int field = data.fieldIndex(fieldNames[i]);
        if (field < 0)
            continue;
        const FieldDef& def = data.fieldDefs()[field];
        Column c;
        c.field = field;
        c.caption = captions[i];
        c.width = std::max(int(c.caption.size()), DisplayWidth(def));
        c.format = RightAligned(def) ? kRight : kLeft;
        columns << c;
        total += c.width;
    }
    int before = 0;
    for (Column& c : columns) {
        c.start = L + U * before / total;
        before += c.width;
        c.end = L + U * before / total;
    }

    const int n = int(headingLines.size());
    const QString today = FormatDate(DaysFromDate(QDate::currentDate()));
    int page = 1;
    auto columnLines = [&](double y) {
        for (int j = 0; j + 1 < columns.size(); ++j)
            ReportLine(kBlack, columns[j].end, y, columns[j].end, y + kRow, kThin);
    };
    auto heading = [&]() -> double {
        ReportBox(kBlack, kWhite, L, T, X2, T + kHeadingRow * n + kRow, kThin);
        for (int k = 1; k <= n; ++k)
            ReportText(face, true, false, false, false, L, T + kHeadingRow * (k - 1), X2,
                       T + kHeadingRow * k, kLarge, kBlack, kCentre, headingLines[k - 1]);
        const double band = T + kHeadingRow * n;
        ReportText(face, true, false, false, false, L + 1, band, X2, band + kRow, kSmall, kBlack,
                   kLeft, QStringLiteral("Dátum : ") + today);
        ReportText(face, true, false, false, false, L, band, X2 - 1, band + kRow, kSmall, kBlack,
                   kRight, QStringLiteral("Strana : %1").arg(page));
        const double y0 = band + kRow;
        ReportBox(kBlack, kWhite, L, y0, X2, y0 + kRow, kThin);
        for (const Column& c : columns)
            ReportText(face, true, false, false, false, c.start + 1, y0, c.end - 1, y0 + kRow,
                       kSmall, kBlack, kLeft, c.caption);
        columnLines(y0);
        return y0 + kRow;
    };

    // Like a disabled data set: grids over the table must not follow the walk.
    const QSignalBlocker quiet(&data);
    const bool positioned = data.recNo() >= 0;
    const qint64 mark = data.bookmark();

    double y = heading();
    int rowsOnPage = 0;
    data.first();
    while (!data.eof()) {
        // A heading taller than the page still gets one row per page, never endless pages.
        if (y + kRow >= H - B && rowsOnPage > 0) {
            ReportFrame(kBlack, L, T, X2, y, kThick);
            ReportNewPage();
            ++page;
            y = heading();
            rowsOnPage = 0;
            continue;
        }
        ReportBox(kBlack, kWhite, L, y, X2, y + kRow, kThin);
        for (const Column& c : columns)
            ReportText(face, false, false, false, false, c.start + 1, y, c.end - 1, y + kRow,
                       kSmall, kBlack, c.format, data.field(c.field).asString());
        columnLines(y);
        y += kRow;
        ++rowsOnPage;
        data.next();
    }
    ReportFrame(kBlack, L, T, X2, y, kThick);

    if (positioned)
        (void)data.gotoBookmark(mark); // the record was there before the walk
    return ReportEnd();
}

bool ReportWriter::ReportTextLines(const QStringList& lines, const QString& name, double left,
                                   double top, double right, double bottom) {
    if (!ReportBegin(name))
        return false;
    const PrinterMetrics m = printerMetrics();
    const double W = m.printableWidth;
    const double H = m.printableHeight;
    double y = top;
    bool pageUsed = false;
    for (const QString& line : lines) {
        if (y + kRow > H - bottom && pageUsed) {
            ReportNewPage();
            y = top;
            pageUsed = false;
        }
        ReportText(set.fontName, false, false, false, false, left, y, W - right, y + kRow, kSmall,
                   kBlack, kLeft, line);
        y += kRow;
        pageUsed = true;
    }
    return ReportEnd();
}

bool ReportWriter::ReportGrid(const ReportGridData& grid, const QStringList& columnFormats,
                              const QString& heading, double left, double top, double right,
                              double bottom, const QString& name) {
    if (!ReportBegin(name))
        return false;
    const PrinterMetrics m = printerMetrics();
    const double W = m.printableWidth;
    const double H = m.printableHeight;
    const double U = W - left - right;

    const int count = int(grid.columnWidths.size());
    qint64 pixels = 0;
    for (int w : grid.columnWidths)
        pixels += std::max(w, 0);
    QVector<double> start(count + 1, left);
    for (int c = 0; c < count; ++c) {
        const double share = pixels > 0 ? double(std::max(grid.columnWidths[c], 0)) / pixels
                                        : 1.0 / count;
        start[c + 1] = start[c] + U * share;
    }
    QVector<int> formats(count, kLeft);
    for (int c = 0; c < count && c < columnFormats.size(); ++c) {
        bool ok = false;
        const int f = columnFormats[c].trimmed().toInt(&ok);
        if (ok)
            formats[c] = f;
    }
    auto cell = [&](int row, int c) -> QString {
        return row < grid.rows.size() && c < grid.rows[row].size() ? grid.rows[row][c]
                                                                   : QString();
    };

    const QStringList headingLines = heading.split(u'|');
    const double n = double(headingLines.size());
    double y = top;
    auto gridHeading = [&] {
        ReportFrame(kBlack, left, y, left + U, y + kHeadingRow * n, kThin);
        for (const QString& line : headingLines) {
            ReportText(set.fontName, true, false, false, false, left + 0.2, y, left + U - 0.2,
                       y + kHeadingRow, kSmall, kBlack, kCentre, line);
            y += kHeadingRow;
        }
        for (int c = 0; c < count; ++c) {
            ReportFrame(kBlack, start[c], y, start[c + 1], y + kRow, kThin);
            ReportText(set.fontName, true, false, false, false, start[c] + 0.2, y,
                       start[c + 1] - 0.2, y + kRow, kSmall, kBlack, kCentre, cell(0, c));
        }
        y += kRow;
    };

    gridHeading();
    bool pageUsed = false;
    for (int row = 1; row < grid.rows.size(); ++row) {
        if (y + kRow > H - bottom && pageUsed) {
            ReportNewPage();
            y = top;
            gridHeading();
            pageUsed = false;
        }
        for (int c = 0; c < count; ++c) {
            ReportFrame(kBlack, start[c], y, start[c + 1], y + kRow, kThin);
            ReportText(set.fontName, false, false, false, false, start[c] + 0.5, y,
                       start[c + 1] - 0.5, y + kRow, kSmall, kBlack, formats[c], cell(row, c));
        }
        y += kRow;
        pageUsed = true;
    }
    return ReportEnd();
}

} // namespace vidoraw

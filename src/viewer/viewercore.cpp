#include "viewer/viewercore.h"

#include "core/base/codepage.h"
#include "reports/format/reportpainter.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <array>
#include <cmath>

namespace vidoraw {

// ---------------------------------------------------------------------------------------------
// Zoom

namespace {
constexpr int kFixedZooms[] = {400, 300, 200, 150, 100, 75, 50, 25, 10};

QPageSize PaperOf(int paper) { return QPageSize(paper == 1 ? QPageSize::A3 : QPageSize::A4); }
QPageLayout::Orientation OrientationOf(int orientation) {
    return orientation == 1 ? QPageLayout::Landscape : QPageLayout::Portrait;
}
} // namespace

int ZoomPercent(int index, int pageWidthZoom, int pageHeightZoom) {
    if (index == kZoomPageWidth)
        return std::max(1, pageWidthZoom);
    if (index == kZoomPageHeight)
        return std::max(1, pageHeightZoom);
    return index >= 0 && index < 9 ? kFixedZooms[index] : 100;
}

QString ZoomMenuText(int index) {
    static const char* const texts[] = {"400 %", "300%", "200 %", "150 %", "100 %", "75 %",
                                        "50 %",  "25 %", "10 %"};
    if (index == kZoomPageWidth)
        return QStringLiteral("Šírka");
    if (index == kZoomPageHeight)
        return QStringLiteral("Výška");
    return index >= 0 && index < 9 ? QString::fromLatin1(texts[index]) : QString();
}

QString ZoomListText(int index, int value) {
    if (index == kZoomPageWidth)
        return QString::number(value) + QStringLiteral("%-šírka");
    if (index == kZoomPageHeight)
        return QString::number(value) + QStringLiteral("%-výška");
    return QString::number(ZoomPercent(index, 0, 0)) + u'%';
}

int PageWidthZoom(int viewWidth, double dpiX, double pageWidthMm) {
    if (dpiX <= 0 || pageWidthMm <= 0)
        return 100;
    const int margin = int(dpiX * 16 / 25.4 + 1e-7);
    return int(std::trunc((viewWidth - margin) * 2540.0 / (dpiX * pageWidthMm)));
}

int PageHeightZoom(int viewHeight, double dpiY, double pageHeightMm) {
    return PageWidthZoom(viewHeight, dpiY, pageHeightMm);
}

// ---------------------------------------------------------------------------------------------
// Printers

QString DefaultPrinterName() {
    static const QString name = QPrinterInfo::defaultPrinterName();
    return name;
}

bool PrinterExists(const QString& name) {
    return !name.isEmpty() && QPrinterInfo::availablePrinterNames().contains(name);
}

QSizeF PrintableSizeMm(const QString& printerName, int orientation, int paper) {
    const QString name = PrinterExists(printerName) ? printerName : DefaultPrinterName();
    if (name.isEmpty())
        return ReportPaperSize(orientation, paper);
    QPrinter printer(QPrinterInfo::printerInfo(name), QPrinter::HighResolution);
    printer.setPageSize(PaperOf(paper));
    printer.setPageOrientation(OrientationOf(orientation));
    const QRectF r = printer.pageLayout().paintRect(QPageLayout::Millimeter);
    if (r.width() < 1 || r.height() < 1)
        return ReportPaperSize(orientation, paper);
    return r.size();
}

// ---------------------------------------------------------------------------------------------
// Search

QString SearchUpper(const QString& text) {
    static const QString lower = QStringLiteral("áäčďéěíľĺňóôőöŕřšťůúűüýž");
    static const QString upper = QStringLiteral("ÁÄČĎÉĚÍĽĹŇÓÔŐÖŔŘŠŤŮÚŰÜÝŽ");
    QString out = text;
    for (QChar& c : out) {
        const char16_t u = c.unicode();
        if (u >= 'a' && u <= 'z') {
            c = QChar(u - 32);
        } else if (u >= 0xE0) {
            const qsizetype i = lower.indexOf(c);
            if (i >= 0)
                c = upper[i];
        }
    }
    return out;
}

namespace {

// Code page 1250 bytes compared without case, as SearchUpper compares characters.
const std::array<char, 256>& UpperBytes() {
    static const std::array<char, 256> table = [] {
        std::array<char, 256> t{};
        for (int b = 0; b < 256; ++b) {
            unsigned char out = uchar(b);
            const QString up = SearchUpper(QString(Cp1250Char(uchar(b))));
            if (up.size() == 1 && !Cp1250Byte(up[0], out))
                out = uchar(b);
            t[b] = char(out);
        }
        return t;
    }();
    return table;
}

// Whether a page's lines can hold the text at all. A composed line joins its pieces, which
// the file keeps apart: such pages are always read.
bool PageMayContain(QByteArrayView page, const QByteArray& needle, bool caseSensitive) {
    if (page.startsWith("11") || page.indexOf("\n11") >= 0)
        return true;
    if (caseSensitive)
        return page.indexOf(needle) >= 0;
    const std::array<char, 256>& up = UpperBytes();
    QByteArray folded(page.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < page.size(); ++i)
        folded[i] = up[uchar(page[i])];
    return folded.indexOf(needle) >= 0;
}

} // namespace

FoundPlace FindText(const LazyReport& report, const QString& text, bool caseSensitive,
                    FoundPlace from) {
    if (text.isEmpty())
        return {};
    if (!from.valid())
        from = {0, 0, -1};
    const QString needle = caseSensitive ? text : SearchUpper(text);
    QString unrepresentable;
    const QByteArray needleBytes = ToCp1250(needle, &unrepresentable);
    auto matches = [&](const QString& hay) {
        return (caseSensitive ? hay : SearchUpper(hay)).contains(needle);
    };
    for (int pg = from.page; pg < report.pageCount(); ++pg) {
        const QByteArrayView raw = report.pageBytes(pg);
        if (!raw.isEmpty() && !unrepresentable.isEmpty() && !raw.contains("\n11") && !raw.startsWith("11"))
            continue;
        if (!raw.isEmpty() && unrepresentable.isEmpty() && !PageMayContain(raw, needleBytes, caseSensitive))
            continue;
        const ReportPagePtr page = report.page(pg);
        const QVector<ReportObject>& objects = page->objects;
        for (int ob = pg == from.page ? from.object : 0; ob < objects.size(); ++ob) {
            const ReportObject& o = objects[ob];
            if (o.kind == kCellRow) {
                const int first = pg == from.page && ob == from.object && from.child >= 0 ? from.child : 0;
                for (int c = first; c < o.children.size(); ++c)
                    if (matches(o.children[c].text))
                        return {pg, ob, c};
                continue;
            }
            for (const QString& t : o.searchTexts())
                if (matches(t))
                    return {pg, ob, -1};
        }
    }
    return {};
}

FoundPlace FindText(const ReportDocument& doc, const QString& text, bool caseSensitive,
                    FoundPlace from) {
    LazyReport report;
    report.setDocument(doc);
    return FindText(report, text, caseSensitive, from);
}

FoundPlace PlaceAfter(const FoundPlace& found) {
    if (found.child >= 0)
        return {found.page, found.object, found.child + 1};
    return {found.page, found.object + 1, -1};
}

// ---------------------------------------------------------------------------------------------
// Printing

QVector<int> PrintPageList(int pageCount, int currentIndex, PrintRange range, int from, int to,
                           int copies) {
    QVector<int> one;
    switch (range) {
    case PrintRange::All:
        for (int i = 0; i < pageCount; ++i)
            one << i;
        break;
    case PrintRange::Current:
        if (currentIndex >= 0 && currentIndex < pageCount)
            one << currentIndex;
        break;
    case PrintRange::Interval:
        for (int n = std::max(from, 1); n <= to && n <= pageCount; ++n)
            one << n - 1;
        break;
    }
    QVector<int> out;
    copies = std::clamp(copies, 0, 999);
    for (int c = 0; c < copies; ++c)
        out += one;
    return out;
}

void PrintJob::abandon() {
    if (auto* printer = dynamic_cast<QPrinter*>(&target))
        printer->abort();
}

bool PrintReportPages(PrintJob& job, const LazyReport& report, const QVector<int>& pages,
                      const std::function<bool(int sent)>& beforePage) {
    if (pages.isEmpty())
        return true;
    QPagedPaintDevice& device = job.device();
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const double dpiX = device.logicalDpiX(), dpiY = device.logicalDpiY();
    int sent = 0;
    for (int index : pages) {
        const ReportPagePtr page = report.page(index);
        if (!page)
            continue;
        if (beforePage && !beforePage(sent)) {
            job.abandon();
            painter.end();
            return false;
        }
        if (sent > 0 && !device.newPage()) {
            job.abandon();
            painter.end();
            return false;
        }
        DrawPageOnPrinter(painter, dpiX, dpiY, *page);
        ++sent;
    }
    return painter.end();
}

bool PrintReportPages(QPagedPaintDevice& device, const LazyReport& report,
                      const QVector<int>& pages, const std::function<bool(int sent)>& beforePage) {
    PrintJob job(device);
    return PrintReportPages(job, report, pages, beforePage);
}

bool PrintReportPages(QPagedPaintDevice& device, const ReportDocument& doc,
                      const QVector<int>& pages, const std::function<bool(int sent)>& beforePage) {
    LazyReport report;
    report.setDocument(doc);
    return PrintReportPages(device, report, pages, beforePage);
}

bool SaveReportPdf(const LazyReport& report, const QString& fileName, QString* error) {
    auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (report.isEmpty())
        return fail(QStringLiteral("Zostava nemá žiadnu stranu."));
    QPdfWriter pdf(fileName);
    pdf.setCreator(QStringLiteral("zorode"));
    pdf.setTitle(QFileInfo(fileName).completeBaseName());
    pdf.setResolution(600);
    auto layoutOf = [](const ReportPage& page) {
        return QPageLayout(PaperOf(page.paper), OrientationOf(page.orientation), QMarginsF(0, 0, 0, 0),
                           QPageLayout::Millimeter);
    };
    const ReportPagePtr first = report.page(0);
    pdf.setPageLayout(layoutOf(*first));
    QPainter painter;
    if (!painter.begin(&pdf))
        return fail(QStringLiteral("Súbor %1 sa nedá vytvoriť.").arg(fileName));
    for (int i = 0; i < report.pageCount(); ++i) {
        const ReportPagePtr page = report.page(i);
        if (i > 0) {
            pdf.setPageLayout(layoutOf(*page));
            if (!pdf.newPage()) {
                painter.end();
                return fail(QStringLiteral("Súbor %1 sa nedá zapísať.").arg(fileName));
            }
        }
        DrawPageOnPrinter(painter, pdf.logicalDpiX(), pdf.logicalDpiY(), *page);
    }
    if (!painter.end())
        return fail(QStringLiteral("Súbor %1 sa nedá zapísať.").arg(fileName));
    return true;
}

bool SaveReportPdf(const ReportDocument& doc, const QString& fileName, QString* error) {
    LazyReport report;
    report.setDocument(doc);
    return SaveReportPdf(report, fileName, error);
}

// ---------------------------------------------------------------------------------------------
// Session

void ViewerSession::clear() {
    pages.clear();
    lastFound = position = {};
    takePageSize();
}

bool ViewerSession::open(const QString& fileName, QString* error) {
    lastFound = position = {};
    const bool ok = pages.load(fileName, error);
    file = fileName;
    const ReportPagePtr first = pages.page(0);
    if (ok && first && !first->printer.isEmpty())
        printer = first->printer;
    takePageSize();
    return ok;
}

void ViewerSession::takePageSize() {
    const ReportPagePtr first = pages.page(0);
    if (!first) {
        pageMm = PrintableSizeMm(printer, 0, 0);
        return;
    }
    pageMm = PrintableSizeMm(printer, first->orientation, first->paper);
}

FoundPlace ViewerSession::search(const QString& text, bool caseSensitive) {
    lastFound = FindText(pages, text, caseSensitive, {});
    if (lastFound.valid()) {
        position = lastFound;
        everFound = true;
    }
    return lastFound;
}

FoundPlace ViewerSession::searchAgain(const QString& text, bool caseSensitive) {
    // A failed search keeps the place of the last find: continuing never wraps around.
    if (!position.valid())
        return search(text, caseSensitive);
    lastFound = FindText(pages, text, caseSensitive, PlaceAfter(position));
    if (lastFound.valid())
        position = lastFound;
    return lastFound;
}

} // namespace vidoraw

// Any bytes as a report file: read safely (whole and page by page alike), written back the
// same way twice, and drawn for the screen, the viewer's printout and direct printing without
// a crash or a hang.
#include "reports/format/reportformat.h"
#include "reports/format/reportpages.h"
#include "reports/format/reportpainter.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace vidoraw;

// fontconfig keeps its pattern cache until the process ends; that is not ours to free.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    ReportDocument doc;
    QString error;
    LazyReport lazy;
    const bool read = ParseReport(SplitReportText(bytes), doc, &error);
    if (lazy.setBytes(bytes) != read)
        __builtin_trap();
    if (!read) {
        if (error.isEmpty() || !doc.pages.isEmpty())
            __builtin_trap();
        return 0;
    }
    // Page by page, the report reads as the whole file does.
    if (lazy.pageCount() != doc.pages.size())
        __builtin_trap();
    for (int i = 0; i < doc.pages.size(); ++i) {
        const ReportPagePtr page = lazy.page(i);
        const ReportPage& whole = doc.pages[i];
        if (page->orientation != whole.orientation || page->paper != whole.paper ||
            page->printer != whole.printer || page->objects.size() != whole.objects.size())
            __builtin_trap();
        for (int k = 0; k < whole.objects.size(); ++k)
            if (FormatObject(page->objects[k]) != FormatObject(whole.objects[k]))
                __builtin_trap();
    }
    // What the writer makes of a read document reads back to the same lines.
    const QStringList once = FormatDocument(doc);
    ReportDocument again;
    if (!ParseReport(once, again))
        __builtin_trap();
    const QStringList twice = FormatDocument(again);
    if (once != twice) {
        for (qsizetype i = 0; i < std::min(once.size(), twice.size()); ++i)
            if (once[i] != twice[i]) {
                std::fprintf(stderr, "line %d\n  %s\n  %s\n", int(i), qPrintable(once[i]),
                             qPrintable(twice[i]));
                break;
            }
        __builtin_trap();
    }
    static QImage image(160, 220, QImage::Format_RGB32);
    for (ReportTarget target : {ReportTarget::Screen, ReportTarget::ViewerPrint, ReportTarget::DirectPrint}) {
        image.fill(Qt::white);
        QPainter p(&image);
        const ReportMapping m = target == ReportTarget::Screen ? ReportMapping::screen(96, 96, 25, 0, 0)
                                                               : ReportMapping::device(20, 20);
        ReportPainter rp(p, m, target);
        for (const ReportPage& page : doc.pages) {
            rp.drawPage(page);
            for (const ReportObject& o : page.objects)
                rp.markArea(o, 0);
        }
    }
    return 0;
}

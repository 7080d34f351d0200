// zorode on a 2 000-page report, as a list print of 100 000 records makes it: open the file
// and show page 1, then turn pages. Also the reader alone and the whole PDF export.
//   bench_viewer [pages]
#include "reports/format/reportformat.h"
#include "reports/format/reportpainter.h"
#include "viewer/pageview.h"
#include "viewer/viewercore.h"
#include "viewer/viewernotice.h"
#include "viewer/viewerwindow.h"
#include "viewer/viewersettings.h"

#include "core/base/codepage.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

using namespace vidoraw;

namespace {

double Ms(const std::function<void()>& work) {
    QElapsedTimer t;
    t.start();
    work();
    return double(t.nsecsElapsed()) / 1e6;
}

// One page laid out like the list print: heading, caption band, 52 rows of 6 columns.
void AppendPage(QString& out, int page) {
    const double L = 10, R = 200;
    const double widths[6] = {0, 20, 70, 110, 140, 170};
    auto box = [&](double x1, double y1, double x2, double y2) {
        out += "1," + ReportNumber(x1) + ',' + ReportNumber(y1) + ',' + ReportNumber(x2) + ',' +
               ReportNumber(y2) + ",0.2,0x000000,0xFFFFFF\r\n";
    };
    auto text = [&](double x1, double y1, double x2, double y2, double h, bool bold, int fmt,
                    const QString& t) {
        out += "3," + ReportNumber(x1) + ',' + ReportNumber(y1) + ',' + ReportNumber(x2) + ',' +
               ReportNumber(y2) + ',' + ReportNumber(h) + ",Arial," + (bold ? "1" : "0") +
               ",0,0,0,0x000000," + QString::number(fmt) + ',' + t + "\r\n";
    };
    auto line = [&](double x, double y1, double y2) {
        out += "0," + ReportNumber(x) + ',' + ReportNumber(y1) + ',' + ReportNumber(x) + ',' +
               ReportNumber(y2) + ",0.2,0x000000\r\n";
    };
    out += "[STRANA]\r\n[STOJATO]\r\n";
    box(L, 10, R, 21);
    text(L, 10, R, 16, 5.5, true, 2085, "Zoznam poukazov");
    text(L + 1, 16, R, 21, 4.5, true, 2084, "Dátum : 9.12.2026");
    text(L, 16, R - 1, 21, 4.5, true, 2086, QString("Strana : %1").arg(page));
    box(L, 21, R, 26);
    for (int c = 0; c < 6; ++c) {
        const double x1 = L + widths[c], x2 = c < 5 ? L + widths[c + 1] : R;
        text(x1 + 1, 21, x2 - 1, 26, 4.5, true, 2084, QString("Stĺpec %1").arg(c + 1));
        if (c < 5)
            line(x2, 21, 26);
    }
    double y = 26;
    for (int r = 0; r < 52; ++r, y += 5) {
        box(L, y, R, y + 5);
        const int record = (page - 1) * 52 + r + 1;
        for (int c = 0; c < 6; ++c) {
            const double x1 = L + widths[c], x2 = c < 5 ? L + widths[c + 1] : R;
            const QString value = c == 0 ? QString::number(record)
                                  : c == 1 ? QString("Novák %1, Žilina").arg(record % 977)
                                           : QString::number(record * 7 % 10000) + ",50";
            text(x1 + 1, y, x2 - 1, y + 5, 4.5, false, c == 1 ? 2084 : 2086, value);
            if (c < 5)
                line(x2, y, y + 5);
        }
    }
    out += "4,10,10,200," + ReportNumber(y) + ",0.6,0x000000\r\n";
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    setvbuf(stdout, nullptr, _IOLBF, 0);
    const int pages = argc > 1 ? std::max(1, atoi(argv[1])) : 2000;
    QTemporaryDir tmp;
    SetViewerConfigDirectory(tmp.filePath("config"));
    SetViewerNoticeHandler([](const QString&, const QString&) {}); // no message box in a benchmark
    const QString file = tmp.filePath("zost1.zst");
    {
        QString text;
        text.reserve(pages * 42000);
        for (int p = 1; p <= pages; ++p)
            AppendPage(text, p);
        QFile f(file);
        if (!f.open(QIODevice::WriteOnly))
            return 1;
        f.write(ToCp1250(text));
    }
    std::printf("report: %d pages, %.1f MB\n", pages, QFileInfo(file).size() / 1048576.0);

    ReportDocument doc;
    const double read = Ms([&] { LoadReport(file, doc); });
    std::printf("%-40s %9.1f ms\n", "read the file (LoadReport)", read);

    // The viewer core: open and draw page 1 as the page view does, into a 1200 x 900 view.
    ViewerSession session;
    QImage view(1200, 900, QImage::Format_RGB32);
    auto draw = [&] {
        QPainter p(&view);
        ScreenPageView v;
        v.area = view.size();
        v.pageMm = session.pageSizeMm();
        const ReportPagePtr page = session.currentPage();
        DrawPageOnScreen(p, v, page.get());
    };
    const double open = Ms([&] {
        session.open(file);
        session.setCurrentIndex(0);
        draw();
    });
    std::printf("%-40s %9.1f ms   (target < 300)\n", "open + page 1 (viewer core)", open);
    std::vector<double> turns;
    for (int i = 1; i < std::min(pages, 60); ++i) {
        turns.push_back(Ms([&] {
            session.setCurrentIndex(i);
            draw();
        }));
    }
    std::sort(turns.begin(), turns.end());
    if (!turns.empty())
        std::printf("%-40s %9.1f ms   max %.1f ms   (target < 20)\n", "page turn, median", turns[turns.size() / 2],
                    turns.back());

    // The window itself: open, show page 1, turn pages.
    {
        ViewerWindow window;
        window.resize(1200, 1000);
        const double winOpen = Ms([&] {
            window.openReport(file);
            window.firstPage();
            window.pageView()->render();
        });
        std::printf("%-40s %9.1f ms\n", "open + page 1 (window)", winOpen);
        std::vector<double> t;
        for (int i = 1; i < std::min(pages, 60); ++i)
            t.push_back(Ms([&] {
                window.nextPage();
                window.pageView()->render();
            }));
        std::sort(t.begin(), t.end());
        if (!t.empty())
            std::printf("%-40s %9.1f ms\n", "page turn (window), median", t[t.size() / 2]);
        const double search = Ms([&] { window.findText("Novák 976, Žilina", true); });
        std::printf("%-40s %9.1f ms\n", "search to a row on page 19", search);
        const double missing = Ms([&] { window.findText("nikde", false); });
        std::printf("%-40s %9.1f ms\n", "search for a missing text", missing);
        const double last = Ms([&] { window.findText(QString("Strana : %1").arg(pages), true); });
        std::printf("%-40s %9.1f ms\n", "search to the last page", last);
    }
    const double pdf = Ms([&] { SaveReportPdf(session.report(), tmp.filePath("z.pdf")); });
    std::printf("%-40s %9.1f ms\n", "whole report as PDF", pdf);
    return 0;
}

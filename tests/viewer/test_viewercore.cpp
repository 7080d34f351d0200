// zorode's document side: search, the pages of a printout, zoom, ZORODE.KFG and PDF.
#include "viewer/printspool.h"
#include "viewer/viewercore.h"
#include "viewer/viewersettings.h"

#include "core/base/codepage.h"
#include "testmain.h"

#include <QFile>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace vidoraw;

Q_DECLARE_METATYPE(vidoraw::PrintRange)

namespace {

ReportObject Text(int kind, const QString& text) {
    ReportObject o = DefaultObject(kind);
    o.x1 = 10;
    o.y1 = 10;
    o.x2 = 100;
    o.y2 = 20;
    o.letterHeight = 5;
    o.face = "Arial";
    o.format = 36;
    o.text = text;
    return o;
}

// page 0: box text "Prvá strana", a box, a cell row "alfa" | "Čaj" | "beta čaj"
// page 1: group with "skrytý čaj", composed line "ča" + "j!", point text "ČAJ"
ReportDocument SearchDocument() {
    ReportDocument doc;
    doc.pages.resize(2);
    ReportObject row = DefaultObject(kCellRow);
    row.children = {Text(kCell, "alfa"), Text(kCell, "Čaj"), Text(kCell, "beta čaj")};
    doc.pages[0].objects = {Text(kBoxText, "Prvá strana"), DefaultObject(kBox), row};
    ReportObject group = DefaultObject(kGroup);
    group.children = {Text(kBoxText, "skrytý čaj")};
    ReportObject line = DefaultObject(kComposedLine);
    line.children = {Text(kTextPiece, "ča"), Text(kTextPiece, "j!")};
    doc.pages[1].objects = {group, line, Text(kPointText, "ČAJ")};
    return doc;
}

bool Write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray ReportBytes(int pages) {
    QString text;
    for (int i = 1; i <= pages; ++i) {
        text += "[STRANA]\r\n";
        text += i == 2 ? "[LEZATO]\r\n" : "[STOJATO]\r\n";
        text += "1,10,10,200,30,0.2,0x000000,0xEEEEEE\r\n";
        text += QString("3,12,12,190,28,8,Arial,1,0,0,0,0x000000,36,Strana %1 – Žltý kôň, 1,50 Sk\r\n").arg(i);
    }
    return ToCp1250(text);
}

QString PdfText(const QString& pdf) {
    QProcess p;
    p.start("pdftotext", {"-enc", "UTF-8", pdf, "-"});
    if (!p.waitForFinished(30000))
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

int PdfPageCount(const QByteArray& pdf) {
    // "/Type /Page" not followed by "s".
    static const QRegularExpression re("/Type\\s*/Page(?!s)");
    int n = 0;
    auto it = re.globalMatch(QString::fromLatin1(pdf));
    while (it.hasNext()) {
        it.next();
        ++n;
    }
    return n;
}

} // namespace

class ViewerCoreTest : public QObject {
    Q_OBJECT
private slots:
    void upperCase() {
        QCOMPARE(SearchUpper("č"), QString("Č"));
        QCOMPARE(SearchUpper("áäčďéěíľĺňóôőöŕřšťůúűüýž"), QString("ÁÄČĎÉĚÍĽĹŇÓÔŐÖŔŘŠŤŮÚŰÜÝŽ"));
        QCOMPARE(SearchUpper("abc xyz 1,5 ß ą"), QString("ABC XYZ 1,5 ß ą"));
    }

    void search_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("caseSensitive");
        QTest::addColumn<QList<int>>("places"); // page, object, child triples in order
        QTest::newRow("č finds Č without case") << "č" << false
                                                << QList<int>{0, 2, 1, 0, 2, 2, 1, 1, -1, 1, 2, -1};
        QTest::newRow("with case") << "čaj" << true << QList<int>{0, 2, 2, 1, 1, -1};
        QTest::newRow("joined pieces") << "čaj!" << true << QList<int>{1, 1, -1};
        QTest::newRow("groups are not searched") << "skrytý" << false << QList<int>{};
        QTest::newRow("page text") << "PRVÁ" << false << QList<int>{0, 0, -1};
    }

    void search() {
        QFETCH(QString, text);
        QFETCH(bool, caseSensitive);
        QFETCH(QList<int>, places);
        const ReportDocument doc = SearchDocument();
        FoundPlace at = FindText(doc, text, caseSensitive, {});
        for (int i = 0; i < places.size(); i += 3) {
            QVERIFY2(at.valid(), qPrintable(QString("find %1").arg(i / 3)));
            QCOMPARE(at.page, places[i]);
            QCOMPARE(at.object, places[i + 1]);
            QCOMPARE(at.child, places[i + 2]);
            at = FindText(doc, text, caseSensitive, PlaceAfter(at));
        }
        QVERIFY(!at.valid());
    }

    void continuedSearchDoesNotWrap() {
        QTemporaryDir tmp;
        const QString path = tmp.filePath("z.zst");
        QVERIFY(Write(path, ReportBytes(3)));
        ViewerSession s;
        QVERIFY(s.open(path));
        QCOMPARE(s.search("Strana 2", true).page, 1);
        QVERIFY(!s.searchAgain("Strana 2", true).valid());
        QVERIFY(!s.found().valid()); // nothing marked after a failed search
        QVERIFY(!s.searchAgain("Strana 2", true).valid());
        QVERIFY(s.hasFound());
        QCOMPARE(s.search("strana", false).page, 0);
        QCOMPARE(s.searchAgain("strana", false).page, 1);
        QCOMPARE(s.searchAgain("strana", false).page, 2);
    }

    void printPages_data() {
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("current");
        QTest::addColumn<PrintRange>("range");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("copies");
        QTest::addColumn<QVector<int>>("expected");
        QTest::newRow("interval past the end, two copies")
            << 4 << 0 << PrintRange::Interval << 3 << 5 << 2 << QVector<int>{2, 3, 2, 3};
        QTest::newRow("all") << 3 << 1 << PrintRange::All << 1 << 1 << 1 << QVector<int>{0, 1, 2};
        QTest::newRow("current") << 3 << 1 << PrintRange::Current << 1 << 3 << 3 << QVector<int>{1, 1, 1};
        QTest::newRow("current beyond the document") << 3 << 5 << PrintRange::Current << 1 << 1 << 1 << QVector<int>{};
        QTest::newRow("interval from 0") << 3 << 0 << PrintRange::Interval << 0 << 2 << 1 << QVector<int>{0, 1};
        QTest::newRow("interval reversed") << 3 << 0 << PrintRange::Interval << 3 << 1 << 1 << QVector<int>{};
        QTest::newRow("no copies") << 3 << 0 << PrintRange::All << 1 << 1 << 0 << QVector<int>{};
    }

    void printPages() {
        QFETCH(int, pages);
        QFETCH(int, current);
        QFETCH(PrintRange, range);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, copies);
        QFETCH(QVector<int>, expected);
        QCOMPARE(PrintPageList(pages, current, range, from, to, copies), expected);
    }

    void zoomTable() {
        QCOMPARE(ZoomPercent(0, 1, 1), 400);
        QCOMPARE(ZoomPercent(4, 1, 1), 100);
        QCOMPARE(ZoomPercent(8, 1, 1), 10);
        QCOMPARE(ZoomPercent(kZoomPageWidth, 87, 60), 87);
        QCOMPARE(ZoomPercent(kZoomPageHeight, 87, 60), 60);
        QCOMPARE(ZoomMenuText(0), QString("400 %"));
        QCOMPARE(ZoomMenuText(1), QString("300%"));
        QCOMPARE(ZoomMenuText(kZoomPageWidth), QString("Šírka"));
        QCOMPARE(ZoomListText(5, 0), QString("75%"));
        QCOMPARE(ZoomListText(kZoomPageWidth, 87), QString("87%-šírka"));
        QCOMPARE(ZoomListText(kZoomPageHeight, 60), QString("60%-výška"));
        // The page with 8 mm on both sides fills the view: (800 - 60) * 2540 / (96 * 210).
        QCOMPARE(PageWidthZoom(800, 96, 210), 93);
        QCOMPARE(PageHeightZoom(600, 96, 297), 48);
    }

    void settingsByPosition_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("zoom");
        QTest::addColumn<bool>("caseSensitive");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("window");
        QTest::addColumn<bool>("status");
        QTest::newRow("missing") << QByteArray() << 4 << false << QString() << QRect(0, 0, 400, 300) << true;
        QTest::newRow("zoom 12 is 100 %, case -1 is off")
            << QByteArray("JE_STATUS=0\r\nJE_SPEED=1\r\nAKTUAL_ZOBRAZ=12\r\nROZLISOVANIE=-1\r\n"
                          "HLADANY_RET=a=b %1\r\nVELKE_IKONY=0\r\nMAXIM=0\r\nLAVY=20\r\nHORNY=30\r\n"
                          "SIRKA=500\r\nVYSKA=350\r\nSADA=1\r\n")
            << 4 << false << QString("a=b %1") << QRect(20, 30, 500, 350) << false;
        QTest::newRow("keys are ignored, position counts")
            << QByteArray("VYSKA=1\nJE_STATUS=1\nJE_SPEED=6\nHLADANY_RET=1\n\xe8\x61j\nx\nMAXIM\n5\n-7\n900\n99999\n")
            << 6 << true << QString() << QRect(0, 0, 400, 300) << true;
        QTest::newRow("outside the screen")
            << QByteArray("JE_STATUS=7\nJE_SPEED=1\nAKTUAL_ZOBRAZ=9\nROZLISOVANIE=1\nHLADANY_RET=\xe8\x61j\n"
                          "VELKE_IKONY=1\nMAXIM=1\nLAVY=5000\nHORNY=-1\nSIRKA=99999\nVYSKA=99999\n")
            << 9 << true << QString("čaj") << QRect(0, 0, 1280, 1024) << true;
    }

    void settingsByPosition() {
        QFETCH(QByteArray, file);
        QFETCH(int, zoom);
        QFETCH(bool, caseSensitive);
        QFETCH(QString, text);
        QFETCH(QRect, window);
        QFETCH(bool, status);
        const ViewerSettings s = ParseViewerSettings(file, QSize(1280, 1024));
        QCOMPARE(s.zoomIndex, zoom);
        QCOMPARE(s.caseSensitive, caseSensitive);
        QCOMPARE(s.searchText, text);
        QCOMPARE(QRect(s.left, s.top, s.width, s.height), window);
        QCOMPARE(s.showStatus, status);
    }

    void settingsFile() {
        QTemporaryDir tmp;
        SetViewerConfigDirectory(tmp.filePath("cfg"));
        QCOMPARE(ViewerSettingsPath(), tmp.filePath("cfg") + "/ZORODE.KFG");
        ViewerSettings s;
        s.zoomIndex = 2;
        s.searchText = "Žltý %1 kôň";
        s.caseSensitive = true;
        s.maximised = true;
        s.left = 11;
        QVERIFY(WriteViewerSettings(ViewerSettingsPath(), s));
        QFile f(ViewerSettingsPath());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QCOMPARE(bytes.count("\r\n"), 12);
        QVERIFY(bytes.startsWith("JE_STATUS=1\r\nJE_SPEED=1\r\nAKTUAL_ZOBRAZ=2\r\nROZLISOVANIE=1\r\n"));
        QVERIFY(bytes.endsWith("SADA=1\r\n"));
        const ViewerSettings back = ReadViewerSettings(ViewerSettingsPath(), QSize(1000, 1000));
        QCOMPARE(back.searchText, s.searchText);
        QCOMPARE(back.maximised, true);
        QCOMPARE(back.left, 11);
        QCOMPARE(back.zoomIndex, 2);
        // The environment decides when nothing was set.
        SetViewerConfigDirectory(QString());
        qputenv("VIDORAW_CONFIG", tmp.filePath("env").toUtf8());
        QCOMPARE(ViewerConfigDirectory(), tmp.filePath("env") + "/");
        qunsetenv("VIDORAW_CONFIG");
        QVERIFY(ViewerConfigDirectory().endsWith("/vidoraw/"));
    }

    void sessionKeepsThePageIndex() {
        QTemporaryDir tmp;
        QVERIFY(Write(tmp.filePath("a.zst"), ReportBytes(3)));
        QVERIFY(Write(tmp.filePath("b.zst"), ReportBytes(1)));
        QVERIFY(Write(tmp.filePath("bad.zst"), "nothing"));
        ViewerSession s;
        QVERIFY(s.open(tmp.filePath("a.zst")));
        QCOMPARE(s.pageCount(), 3);
        s.setCurrentIndex(2);
        QVERIFY(s.open(tmp.filePath("b.zst")));
        QCOMPARE(s.currentIndex(), 2);
        QVERIFY(!s.currentPage()); // nothing shown until the user moves
        QVERIFY(!s.open(tmp.filePath("bad.zst")));
        QCOMPARE(s.pageCount(), 0);
        if (DefaultPrinterName().isEmpty())
            QCOMPARE(s.pageSizeMm(), QSizeF(210, 297));
    }

    void pageSizeFollowsTheFirstPage() {
        if (!DefaultPrinterName().isEmpty())
            QSKIP("a printer is installed: its printable area decides");
        QTemporaryDir tmp;
        QVERIFY(Write(tmp.filePath("l.zst"), "[STRANA]\r\n[LEZATO]\r\n[A3]\r\n[STRANA]\r\n[STOJATO]\r\n"));
        QVERIFY(Write(tmp.filePath("p.zst"), "[STRANA]\r\n[STRANA]\r\n[LEZATO]\r\n"));
        ViewerSession s;
        QVERIFY(s.open(tmp.filePath("l.zst")));
        QCOMPARE(s.pageSizeMm(), QSizeF(420, 297));
        QVERIFY(s.open(tmp.filePath("p.zst")));
        QCOMPARE(s.pageSizeMm(), QSizeF(210, 297));
    }

    void pdfHasSearchableText() {
        QTemporaryDir tmp;
        QVERIFY(Write(tmp.filePath("z.zst"), ReportBytes(3)));
        ReportDocument doc;
        QVERIFY(LoadReport(tmp.filePath("z.zst"), doc));
        const QString pdf = tmp.filePath("z.pdf");
        QString error;
        QVERIFY2(SaveReportPdf(doc, pdf, &error), qPrintable(error));
        QFile f(pdf);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        QCOMPARE(PdfPageCount(bytes), 3);
        // Page 2 is landscape: its media box is wider than high.
        QVERIFY(bytes.contains("/MediaBox [0 0 841.89") || bytes.contains("/MediaBox [0 0 842"));
        QVERIFY(!SaveReportPdf(ReportDocument{}, tmp.filePath("empty.pdf"), &error));
        // Texts are text, with a map back to characters.
        QVERIFY(bytes.contains("/ToUnicode"));
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext is not installed: the text itself is not checked");
        const QString text = PdfText(pdf);
        for (int i = 1; i <= 3; ++i)
            QVERIFY2(text.contains(QString("Strana %1 – Žltý kôň, 1,50 Sk").arg(i)), qPrintable(text));
    }

    void printToDevice() {
        QTemporaryDir tmp;
        QVERIFY(Write(tmp.filePath("z.zst"), ReportBytes(4)));
        ReportDocument doc;
        QVERIFY(LoadReport(tmp.filePath("z.zst"), doc));
        QPdfWriter writer(tmp.filePath("p.pdf"));
        int calls = 0;
        QVERIFY(PrintReportPages(writer, doc, PrintPageList(4, 0, PrintRange::Interval, 3, 5, 2),
                                 [&](int sent) { return sent == calls++; }));
        QCOMPARE(calls, 4);
        QFile f(tmp.filePath("p.pdf"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(PdfPageCount(f.readAll()), 4);
        // Stopping after the first page abandons the job while its painter is still active:
        // ending a printer's painter sends what was drawn.
        struct Job : PrintJob {
            using PrintJob::PrintJob;
            QList<bool> abandoned;
            void abandon() override { abandoned << device().paintingActive(); }
        };
        LazyReport lazy;
        lazy.setDocument(doc);
        QPdfWriter stopped(tmp.filePath("s.pdf"));
        Job stoppedJob(stopped);
        QVERIFY(!PrintReportPages(stoppedJob, lazy, {0, 1, 2}, [](int sent) { return sent < 1; }));
        QCOMPARE(stoppedJob.abandoned, QList<bool>{true});
        QPdfWriter whole(tmp.filePath("w.pdf"));
        Job wholeJob(whole);
        QVERIFY(PrintReportPages(wholeJob, lazy, {0, 1, 2}));
        QVERIFY(wholeJob.abandoned.isEmpty());
    }

    // A printer job is drawn into a spool file first; only a whole job reaches the print
    // system, and "Storno" leaves nothing behind.
    void spooledJobSendsOnlyWholeJobs_data() {
        QTest::addColumn<int>("stopAfter"); // pages drawn before the user stops; -1 never
        QTest::addColumn<bool>("sent");
        QTest::newRow("whole job") << -1 << true;
        QTest::newRow("stopped after page 1") << 1 << false;
        QTest::newRow("stopped before any page") << 0 << false;
    }
    void spooledJobSendsOnlyWholeJobs() {
        QFETCH(int, stopAfter);
        QFETCH(bool, sent);
        QTemporaryDir tmp;
        QVERIFY(Write(tmp.filePath("z.zst"), ReportBytes(3)));
        ReportDocument doc;
        QVERIFY(LoadReport(tmp.filePath("z.zst"), doc));
        LazyReport lazy;
        lazy.setDocument(doc);
        // Without printers the name stays empty; the job still hands over the name it had.
        QPrinter printer(QPrinter::HighResolution);
        const QString name = printer.printerName();
        QStringList submitted;
        QByteArray head;
        {
            SpooledPrintJob job(printer, [&](const QString& to, const QString& file,
                                             const QString& title) {
                QFile f(file);
                if (f.open(QIODevice::ReadOnly))
                    head = f.readAll();
                submitted << to + "|" + title;
                return true;
            });
            QVERIFY(job.ok());
            const bool drawn = PrintReportPages(job, lazy, {0, 1, 2}, [&](int done) {
                return stopAfter < 0 || done < stopAfter;
            });
            QCOMPARE(drawn, stopAfter < 0);
            QCOMPARE(job.finish(drawn, "TLAČ ZOSTAVY"), sent);
            QVERIFY(!QFile::exists(job.spoolFile()));
        }
        if (!sent) {
            QVERIFY(submitted.isEmpty());
            return;
        }
        QCOMPARE(submitted, QStringList{name + "|TLAČ ZOSTAVY"});
        QVERIFY(head.startsWith("%PDF"));
        QCOMPARE(PdfPageCount(head), 3);
    }

#ifdef ZORODE_BINARY
    void commandLinePdf() {
        QTemporaryDir tmp;
        QVERIFY(Write(tmp.filePath("z.zst"), ReportBytes(2)));
        QVERIFY(Write(tmp.filePath("bad.zst"), "[STOJATO]\r\n"));
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("QT_QPA_PLATFORM");
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        p.setProcessEnvironment(env);
        p.start(ZORODE_BINARY, {tmp.filePath("z.zst"), "--pdf", tmp.filePath("z.pdf")});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 0);
        QFile f(tmp.filePath("z.pdf"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(PdfPageCount(f.readAll()), 2);

        p.start(ZORODE_BINARY, {tmp.filePath("bad.zst"), "--pdf", tmp.filePath("bad.pdf")});
        QVERIFY(p.waitForFinished(60000));
        QVERIFY(p.exitCode() != 0);
        QVERIFY(!p.readAllStandardError().isEmpty());
        QVERIFY(!QFile::exists(tmp.filePath("bad.pdf")));

        p.start(ZORODE_BINARY, {tmp.path(), "--pdf", tmp.filePath("dir.pdf")});
        QVERIFY(p.waitForFinished(60000));
        QVERIFY(p.exitCode() != 0);
    }
#endif
};

VIDORAW_TEST(ViewerCoreTest)
#include "test_viewercore.moc"

#include "reportfixture.h"
#include "testmain.h"

#include "core/base/codepage.h"
#include "core/datadir.h"
#include "ui/scriptedinteraction.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

using namespace vidoraw;
using namespace vidoraw::test;

namespace {
enum Op { Line, Box, Frame, Text };
}

class TestReportWriter : public QObject {
    Q_OBJECT
private slots:
    void commandLines_data();
    void commandLines();
    void pageStartsAndEncoding();
    void textsReadBackWhole_data();
    void textsReadBackWhole();
    void characterOutsideCodePageIsReported();
    void beginFailsWhenDirectoryInTheWay();
    void failedWriteIsNotShown();
    void reportFileIsTheUsersOwn();
    void metricsWithoutPrinter();
    void textLinesPagination();
    void gridLayout();
    void gridPagesRepeatHeading();
    void showReportStartsViewerWithAbsolutePath();
    void showReportWithoutViewer();
    void runReport_data();
    void runReport();
};

void TestReportWriter::commandLines_data() {
    QTest::addColumn<int>("op");
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("expected");

    QTest::newRow("line") << int(Line) << 0 << "0,10,20.5,30,40,0.2,0x0000FF";
    QTest::newRow("box") << int(Box) << 0 << "1,10,20.5,30,40,0.2,0x0000FF,0xFFFFFF";
    QTest::newRow("frame") << int(Frame) << 0 << "4,10,20.5,30,40,0.2,0x0000FF";
    QTest::newRow("text left") << int(Text) << 36
                               << "3,10,20.5,30,40,4.5,Arial,1,0,1,0,0x0000FF,2084,Meno & Co";
    QTest::newRow("text centred") << int(Text) << 37
                                  << "3,10,20.5,30,40,4.5,Arial,1,0,1,0,0x0000FF,2085,Meno & Co";
    QTest::newRow("no prefix already set") << int(Text) << 2086
                                           << "3,10,20.5,30,40,4.5,Arial,1,0,1,0,0x0000FF,2086,"
                                              "Meno & Co";
}

void TestReportWriter::commandLines() {
    QFETCH(int, op);
    QFETCH(int, format);
    QFETCH(QString, expected);
    WriterFixture f;
    QVERIFY(f.writer.ReportBegin(f.file()));
    const ReportColour red = 0x0000FF;
    switch (op) {
    case Line:
        f.writer.ReportLine(red, 10, 20.5, 30, 40, 0.2);
        break;
    case Box:
        f.writer.ReportBox(red, kWhite, 10, 20.5, 30, 40, 0.2);
        break;
    case Frame:
        f.writer.ReportFrame(red, 10, 20.5, 30, 40, 0.2);
        break;
    case Text:
        f.writer.ReportText(QStringLiteral("Arial"), true, false, true, false, 10, 20.5, 30, 40,
                            4.5, red, format, QStringLiteral("Meno & Co"));
        break;
    }
    QVERIFY(f.writer.ReportEnd());
    const QStringList lines = ReadLines(f.file());
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[2], expected);
}

void TestReportWriter::pageStartsAndEncoding() {
    WriterFixture f;
    f.writer.setReportLandscape(true);
    QVERIFY(f.writer.ReportBegin(f.file()));
    f.writer.ReportText(QString(), false, false, false, false, 0, 0, 50, 5, 4.5, kBlack, 36,
                        QStringLiteral("Dátum"));
    QVERIFY(f.writer.ReportNewPage());
    f.writer.ReportLine(kBlack, -1.5, 0, 10, 0, 0.2);
    QVERIFY(f.writer.ReportEnd());

    const QByteArray bytes = ReadBytes(f.file());
    QVERIFY(bytes.startsWith("[STRANA]\r\n[LEZATO]\r\n3,"));
    QVERIFY(bytes.contains(QByteArray("D\xE1tum\r\n")));  // code page 1250
    QCOMPARE(bytes.count("\r\n"), bytes.count('\n'));      // every line ends with CR LF
    QVERIFY(bytes.endsWith("[STRANA]\r\n[LEZATO]\r\n0,-1.5,0,10,0,0.2,0x000000\r\n"));

    const ReportDocument doc = ReadReport(f.file());
    QCOMPARE(doc.pages.size(), 2);
    QCOMPARE(doc.pages[0].orientation, 1);
    QCOMPARE(doc.pages[1].objects.size(), 1);
    QCOMPARE(doc.pages[1].objects[0].x1, -1.5);
}

void TestReportWriter::textsReadBackWhole_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("readBack");
    QTest::newRow("commas") << "Spolu: 1,50 Sk, 2,00 Sk," << "Spolu: 1,50 Sk, 2,00 Sk,";
    QTest::newRow("line breaks") << "prvý\r\n[STRANA]\nkoniec" << "prvý  [STRANA] koniec";
    QTest::newRow("tab and escape") << QString("a\tb") + QChar(27) + "c" << "a b c";
    QTest::newRow("empty") << "" << "";
}

void TestReportWriter::textsReadBackWhole() {
    QFETCH(QString, text);
    QFETCH(QString, readBack);
    WriterFixture f;
    QVERIFY(f.writer.ReportBegin(f.file()));
    f.writer.ReportText(QStringLiteral("Arial"), false, false, false, false, 1, 2, 3, 4, 4.5,
                        kBlack, 36, text);
    QVERIFY(f.writer.ReportEnd());
    const ReportDocument doc = ReadReport(f.file());
    QCOMPARE(doc.pages.size(), 1); // a text never starts a page
    QCOMPARE(doc.pages[0].objects.size(), 1);
    QCOMPARE(doc.pages[0].objects[0].text, readBack);
    QCOMPARE(doc.pages[0].objects[0].format, 2084);
}

void TestReportWriter::characterOutsideCodePageIsReported() {
    ScriptedInteraction ui;
    WriterFixture f;
    QVERIFY(f.writer.ReportBegin(f.file()));
    f.writer.ReportText(QStringLiteral("Arial"), false, false, false, false, 1, 2, 3, 4, 4.5,
                        kBlack, 36, QStringLiteral("Cena 5 € – 中文"));
    QCOMPARE(ui.takeNoticeTexts(), QStringList()); // told once, at the end
    QVERIFY(f.writer.ReportEnd());
    QCOMPARE(f.writer.unrepresentable(), QStringLiteral("中文"));
    const QList<RecordedNotice> shown = ui.takeNotices();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].title, QStringLiteral("Oznam"));
    QVERIFY(shown[0].text.contains(QStringLiteral("中文")));
    const QStringList lines = ReadLines(f.file());
    QVERIFY(lines[2].endsWith(QStringLiteral("Cena 5 € – ??")));
    QVERIFY(ui.verifyNoSurprises());
}

void TestReportWriter::beginFailsWhenDirectoryInTheWay() {
    ScriptedInteraction ui;
    WriterFixture f;
    QVERIFY(QDir().mkpath(f.file()));
    QVERIFY(!f.writer.ReportBegin(f.file()));
    QCOMPARE(f.writer.output(), ReportOutput::None);
    const QList<RecordedNotice> shown = ui.takeNotices();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].title, QStringLiteral("Chyba"));
    QCOMPARE(shown[0].text, QStringLiteral("Nemôžem otvoriť súbor so zostavou !"));
    // Drawing after a failed begin goes nowhere and does no harm.
    f.writer.ReportLine(kBlack, 0, 0, 1, 1, 0.2);
    QVERIFY(f.writer.ReportEnd());
    QVERIFY(QFileInfo(f.file()).isDir());
    QCOMPARE(ui.takeNoticeTexts(), QStringList()); // told once
}

void TestReportWriter::failedWriteIsNotShown() {
    if (!QFileInfo::exists(QStringLiteral("/dev/full")))
        QSKIP("no /dev/full here");
    ScriptedInteraction ui;
    WriterFixture f;
    f.writer.setReportFileName(QStringLiteral("/dev/full"));
    ui.queueOutputDevice(0);
    QVERIFY(RunReport(f.writer, [](ReportWriter& w, const QString& name) {
                if (!w.ReportBegin(name))
                    return false;
                for (int i = 0; i < 1000; ++i)
                    w.ReportLine(kBlack, i, 0, i, 10, 0.2);
                return w.ReportEnd();
            }) == false);
    const QList<RecordedNotice> shown = ui.takeNotices();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].title, QStringLiteral("Chyba"));
    QVERIFY(f.launched.isEmpty());
    QVERIFY(ui.verifyNoSurprises());
}

void TestReportWriter::reportFileIsTheUsersOwn() {
    const QString name = ReportWriter::DefaultReportFileName();
    QCOMPARE(QFileInfo(name).fileName(), QStringLiteral("zost1.zst"));
    QCOMPARE(QFileInfo(name).absolutePath(),
             QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
                 QStringLiteral("/vidoraw"));
    // Never in the shared data directory, whatever the cache folder is.
    QVERIFY(!name.startsWith(PreferredDataDirectory()));
    ReportWriter w;
    QCOMPARE(w.ReportFileName(), name);
}

void TestReportWriter::metricsWithoutPrinter() {
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        QSKIP("a printer is installed here");
    ScriptedInteraction ui;
    ReportWriter w;
    PrinterMetrics m = w.printerMetrics();
    QCOMPARE(m.offsetX, 0.0);
    QCOMPARE(m.offsetY, 0.0);
    QCOMPARE(m.printableWidth, 210.0);
    QCOMPARE(m.printableHeight, 297.0);
    // Landscape once a report has turned the printer.
    QTemporaryDir dir;
    w.setReportLandscape(true);
    QVERIFY(w.ReportBegin(dir.filePath(QStringLiteral("z.zst"))));
    m = w.printerMetrics();
    QCOMPARE(m.printableWidth, 297.0);
    QCOMPARE(m.printableHeight, 210.0);
    QVERIFY(w.ReportEnd());
    // Printing with nowhere to print is refused with a notice, not a crash.
    if (w.printer().outputFormat() == QPrinter::PdfFormat) {
        QVERIFY(!w.ReportBegin(QString()));
        const QList<RecordedNotice> shown = ui.takeNotices();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(w.output(), ReportOutput::None);
    }
}

void TestReportWriter::textLinesPagination() {
    WriterFixture f;
    QStringList lines;
    for (int i = 1; i <= 60; ++i)
        lines << QStringLiteral("riadok %1").arg(i);
    QVERIFY(f.writer.ReportTextLines(lines, f.file(), 5, 5, 5, 5));
    const ReportDocument doc = ReadReport(f.file());
    QCOMPARE(doc.pages.size(), 2);
    // y runs from 5 while y + 5 <= 297 - 5: rows at 5, 10, ..., 285.
    QCOMPARE(doc.pages[0].objects.size(), 57);
    QCOMPARE(doc.pages[1].objects.size(), 3);
    const ReportObject& last = doc.pages[0].objects.last();
    QCOMPARE(last.y1, 285.0);
    QCOMPARE(last.text, QStringLiteral("riadok 57"));
    QCOMPARE(last.x2, 205.0);
    QCOMPARE(last.face, QStringLiteral("Arial"));
    QCOMPARE(doc.pages[1].objects[0].y1, 5.0);
}

void TestReportWriter::gridLayout() {
    WriterFixture f;
    ReportGridData grid;
    grid.columnWidths = {100, 300};
    grid.rows = {{"Kód", "Názov"}, {"1", "Prvý"}, {"2"}};
    QVERIFY(f.writer.ReportGrid(grid, {"38", "36"}, QStringLiteral("Zoznam|podnadpis"), 10, 10, 10,
                                10, f.file()));
    const ReportDocument doc = ReadReport(f.file());
    QCOMPARE(doc.pages.size(), 1);
    const ReportPage& p = doc.pages[0];
    QCOMPARE(TextsOf(p), QStringList({"Zoznam", "podnadpis", "Kód", "Názov", "1", "Prvý", "2",
                                      ""}));
    const QVector<ReportObject> frames = OfKind(p, kFrame);
    // Heading frame, two header cells, two rows of two cells.
    QCOMPARE(frames.size(), 7);
    QCOMPARE(frames[0].y2, 22.0); // two heading lines of 6 mm
    // Columns share U = 190 mm as 100 : 300 pixels.
    QCOMPARE(frames[1].x1, 10.0);
    QCOMPARE(frames[1].x2, 57.5);
    QCOMPARE(frames[2].x2, 200.0);
    QCOMPARE(frames[3].y1, 27.0);
    const QVector<ReportObject> texts = OfKind(p, kBoxText);
    QCOMPARE(texts[2].format, 2085); // headers centred
    QVERIFY(texts[2].bold);
    QCOMPARE(texts[4].format, 2086); // column format plus no prefix
    QCOMPARE(texts[5].format, 2084);
    QVERIFY(!texts[4].bold);
    QCOMPARE(texts[4].x1, 10.5); // 0.5 mm padding
    QCOMPARE(texts[4].x2, 57.0);
}

void TestReportWriter::gridPagesRepeatHeading() {
    WriterFixture f;
    ReportGridData grid;
    grid.columnWidths = {50};
    grid.rows << QStringList{"Hlavička"};
    for (int i = 1; i <= 60; ++i)
        grid.rows << QStringList{QString::number(i)};
    QVERIFY(f.writer.ReportGrid(grid, {}, QStringLiteral("Nadpis"), 10, 10, 10, 10, f.file()));
    const ReportDocument doc = ReadReport(f.file());
    QCOMPARE(doc.pages.size(), 2);
    // Heading 6 + header 5: rows from y = 21 while y + 5 <= 287: 21 ... 281 = 53 rows.
    const QStringList first = TextsOf(doc.pages[0]);
    QCOMPARE(first.size(), 2 + 53);
    QCOMPARE(first.last(), QStringLiteral("53"));
    const QStringList second = TextsOf(doc.pages[1]);
    QCOMPARE(second.mid(0, 3), QStringList({"Nadpis", "Hlavička", "54"}));
    QCOMPARE(second.size(), 2 + 7);
}

void TestReportWriter::showReportStartsViewerWithAbsolutePath() {
    ScriptedInteraction ui;
    WriterFixture f;
    const QString viewer = f.path(QStringLiteral("zorode"));
    QFile fake(viewer);
    QVERIFY(fake.open(QIODevice::WriteOnly));
    fake.close();
    f.writer.setViewerProgram(viewer);
    f.writer.setReportFileName(QStringLiteral("relative/zost1.zst"));
    QVERIFY(f.writer.ShowReport());
    QCOMPARE(f.launched, QStringList({viewer, QDir::current().absoluteFilePath(
                                                  QStringLiteral("relative/zost1.zst"))}));
    QCOMPARE(ui.takeNoticeTexts(), QStringList());

    // A start that fails is told, not ignored.
    f.writer.setLauncher([](const QString&, const QStringList&) { return false; });
    QVERIFY(!f.writer.ShowReport());
    const QList<RecordedNotice> shown = ui.takeNotices();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].title, QStringLiteral("Chyba"));
}

void TestReportWriter::showReportWithoutViewer() {
    ScriptedInteraction ui;
    WriterFixture f;
    ReportWriter plain;
    QCOMPARE(plain.viewerProgram(),
             QCoreApplication::applicationDirPath() + QStringLiteral("/zorode"));
    f.writer.setViewerProgram(f.path(QStringLiteral("missing/zorode")));
    QVERIFY(!f.writer.ShowReport());
    QVERIFY(f.launched.isEmpty());
    const QList<RecordedNotice> shown = ui.takeNotices();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].title, QStringLiteral("Chyba"));
    QVERIFY(shown[0].text.contains(QStringLiteral("zorode")));
}

void TestReportWriter::runReport_data() {
    QTest::addColumn<int>("device");
    QTest::addColumn<bool>("printConfirmed");
    QTest::addColumn<bool>("blockFile");
    QTest::addColumn<bool>("expected");
    QTest::addColumn<bool>("viewerStarted");
    QTest::addColumn<bool>("pdfWritten");
    QTest::addColumn<int>("notices");

    QTest::newRow("screen") << 0 << false << false << true << true << false << 0;
    QTest::newRow("screen, file cannot be created")
        << 0 << false << true << false << false << false << 1;
    QTest::newRow("printer") << 1 << true << false << true << false << true << 0;
    QTest::newRow("printer, dialog cancelled") << 1 << false << false << false << false << false
                                               << 0;
    QTest::newRow("cancelled") << -1 << false << false << false << false << false << 0;
}

void TestReportWriter::runReport() {
    QFETCH(int, device);
    QFETCH(bool, printConfirmed);
    QFETCH(bool, blockFile);
    QFETCH(bool, expected);
    QFETCH(bool, viewerStarted);
    QFETCH(bool, pdfWritten);
    QFETCH(int, notices);

    ScriptedInteraction ui;
    WriterFixture f;
    const QString viewer = f.path(QStringLiteral("zorode"));
    QFile fake(viewer);
    QVERIFY(fake.open(QIODevice::WriteOnly));
    fake.close();
    f.writer.setViewerProgram(viewer);
    const QString pdf = f.path(QStringLiteral("out.pdf"));
    if (blockFile)
        QVERIFY(QDir().mkpath(f.file()));

    ui.queueOutputDevice(device);
    if (device == 1)
        ui.queuePrintDialog(printConfirmed, [&](QPrinter& p) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(pdf);
        });
    int built = 0;
    const bool ok = RunReport(f.writer, [&](ReportWriter& w, const QString& name) {
        ++built;
        if (!w.ReportBegin(name))
            return false;
        w.ReportText(QStringLiteral("Arial"), false, false, false, false, 10, 10, 100, 15, 4.5,
                     kBlack, 36, QStringLiteral("Zostava"));
        return w.ReportEnd();
    });
    QCOMPARE(ok, expected);
    QCOMPARE(!f.launched.isEmpty(), viewerStarted);
    QCOMPARE(QFileInfo::exists(pdf), pdfWritten);
    const QList<RecordedNotice> shown = ui.takeNotices();
    QCOMPARE(int(shown.size()), notices);
    QCOMPARE(built, (device == 0 || printConfirmed) ? 1 : 0);
    if (viewerStarted)
        QCOMPARE(TextsOf(ReadReport(f.launched.at(1)).pages.at(0)), QStringList{"Zostava"});
    if (pdfWritten)
        QVERIFY(ReadBytes(pdf).startsWith("%PDF"));
    QVERIFY(ui.verifyNoSurprises());
}

VIDORAW_TEST(TestReportWriter)
#include "test_reportwriter.moc"

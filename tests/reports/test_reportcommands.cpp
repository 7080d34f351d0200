#include "reportfixture.h"
#include "testmain.h"

#include <QPrinter>

using namespace vidoraw;
using namespace vidoraw::test;

class TestReportCommands : public QObject {
    Q_OBJECT
private slots:
    void shift_data();
    void shift();
    void shiftedLinesReadBack();
    void setFont_data();
    void setFont();
    void writeLines();
    void writeLinesKeepingPages();
    void writeLinesNeedsOpenFile();
    void orientation_data();
    void orientation();
};

void TestReportCommands::shift_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<double>("dx");
    QTest::addColumn<double>("dy");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("ok");

    QTest::newRow("line goes negative")
        << "0,10,20,30,40,0.2,0x000000" << -15.0 << 5.0 << "0,-5,25,15,45,0.2,0x0" << true;
    QTest::newRow("box colours without leading zeros")
        << "1,10,10,20,20,0.2,0x0000ff,0xFFFFFF" << 1.0 << 1.0 << "1,11,11,21,21,0.2,0xFF,0xFFFFFF"
        << true;
    QTest::newRow("frame") << "4,0,0,210,297,0.6,0x000000" << 2.5 << -2.5
                           << "4,2.5,-2.5,212.5,294.5,0.6,0x0" << true;
    QTest::newRow("ellipse") << "5,1,1,2,2,0.1,0x00FF00,0x000000" << 1.0 << 0.0
                             << "5,2,1,3,2,0.1,0xFF00,0x0" << true;
    QTest::newRow("box text keeps its text")
        << "3,10,10,50,15,4.5,Arial,1,0,0,0,0x000000,37,Suma, spolu: 1,50" << 2.5 << 0.0
        << "3,12.5,10,52.5,15,4.5,Arial,1,0,0,0,0x0,37,Suma, spolu: 1,50" << true;
    QTest::newRow("fitted text keeps its number")
        << "13,10,10,50,15,4.5,Arial,0,0,0,0,0x000000,5,XXX_FIRMA" << 0.0 << 140.0
        << "13,10,150,50,155,4.5,Arial,0,0,0,0,0x0,5,XXX_FIRMA" << true;
    QTest::newRow("screen line") << "14,0,0,10,0,0.5,0x0000FF" << 1.0 << 1.0
                                 << "14,1,1,11,1,0.5,0xFF" << true;
    QTest::newRow("screen frame") << "15,0,0,10,10,0.5,0x000000" << 1.0 << 1.0
                                  << "15,1,1,11,11,0.5,0x0" << true;
    QTest::newRow("rounded box") << "17,0,0,10,10,2,3,0.3,0x00FF00,0xFFFFFF" << 5.0 << 5.0
                                 << "17,5,5,15,15,2,3,0.3,0xFF00,0xFFFFFF" << true;
    QTest::newRow("point text: the rest stays as it was")
        << "2,10,20,4,Arial,0,0,0,0,0x000000,Text, s čiarkou" << -20.0 << 0.0
        << "2,-10,20,4,Arial,0,0,0,0,0x000000,Text, s čiarkou" << true;
    QTest::newRow("picture moves, keeps its size")
        << "8,logo.bmp,10,10,30,20" << 5.0 << 5.0 << "8,logo.bmp,15,15,30,20" << true;
    QTest::newRow("turned text") << "9,10,10,4,Arial,0,0,0,0,0x000000,900,Otočený" << 1.0 << 2.0
                                 << "9,11,12,4,Arial,0,0,0,0,0x0,900,Otočený" << true;
    QTest::newRow("patterned box") << "19,1,1,2,2,0.5,0x000000,0x000000,1,2,1" << 5.0 << 5.0
                                   << "19,6,6,7,7,0.5,0x000000,0x000000,1,2,1" << true;
    QTest::newRow("text in rounded box")
        << "20,1,1,2,2,0.5,1,1,0,0,0,0,4,Arial,0,0,0,0,0x000000,0x0,0xFFFFFF,37,A, B" << 1.0
        << 1.0 << "20,2,2,3,3,0.5,1,1,0,0,0,0,4,Arial,0,0,0,0,0x000000,0x0,0xFFFFFF,37,A, B"
        << true;
    QTest::newRow("binary fractions") << "0,0.1,0,0,0,0.2,0x0" << 0.2 << 0.0
                                      << "0,0.3,0,0.2,0,0.2,0x0" << true;
    QTest::newRow("coordinate pair") << "10.5,20" << 5.0 << 5.0 << "15.5,25" << true;
    QTest::newRow("passive line") << "18,anything" << 5.0 << 5.0 << "18,anything" << true;
    QTest::newRow("passive line with commas") << "18,a,b,c" << 5.0 << 5.0 << "18,a,b,c" << true;
    QTest::newRow("page") << "[STRANA]" << 5.0 << 5.0 << "[STRANA]" << true;
    QTest::newRow("landscape") << "[LEZATO]" << 5.0 << 5.0 << "[LEZATO]" << true;
    QTest::newRow("portrait") << "[STOJATO]" << 5.0 << 5.0 << "[STOJATO]" << true;
    QTest::newRow("A3") << "[A3]" << 5.0 << 5.0 << "[A3]" << true;
    QTest::newRow("printer") << "[TLACIAREN=HP 1,2]" << 5.0 << 5.0 << "[TLACIAREN=HP 1,2]"
                             << true;
    QTest::newRow("empty line") << "" << 5.0 << 5.0 << "" << true;
    QTest::newRow("unreadable coordinate")
        << "0,abc,10,20,30,0.2,0x0" << 5.0 << 5.0 << "0,abc,10,20,30,0.2,0x0" << false;
}

void TestReportCommands::shift() {
    QFETCH(QString, line);
    QFETCH(double, dx);
    QFETCH(double, dy);
    QFETCH(QString, expected);
    QFETCH(bool, ok);
    QStringList list{line};
    QCOMPARE(ReportShift(list, dx, dy), ok);
    QCOMPARE(list, QStringList{expected});
}

void TestReportCommands::shiftedLinesReadBack() {
    // Two copies of a receipt on one page: the second 140 mm lower, read as the viewer does.
    QStringList list{"[STRANA]", "[STOJATO]", "3,10,10,50,15,4.5,Arial,1,0,0,0,0x000000,37,A, B",
                     "1,5,5,100,100,0.2,0x000000,0x00FFFF"};
    QVERIFY(ReportShift(list, -3, 140));
    ReportDocument doc;
    QVERIFY(ParseReport(list, doc));
    QCOMPARE(doc.pages.size(), 1);
    const ReportObject& text = doc.pages[0].objects[0];
    QCOMPARE(text.x1, 7.0);
    QCOMPARE(text.y1, 150.0);
    QCOMPARE(text.text, QStringLiteral("A, B"));
    const ReportObject& box = doc.pages[0].objects[1];
    QCOMPARE(box.y2, 240.0);
    QCOMPARE(box.fillColour, ReportColour(0x00FFFF));
}

void TestReportCommands::setFont_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("expected");
    QTest::newRow("box text") << "3,10,10,50,15,4.5,Arial,1,0,0,0,0x000000,37,Meno, priezvisko"
                              << "3,10,10,50,15,4.5,Tahoma,1,0,0,0,0x000000,37,Meno, priezvisko";
    QTest::newRow("empty face") << "3,1,2,3,4,5,,0,0,0,0,0x0,36,x"
                                << "3,1,2,3,4,5,Tahoma,0,0,0,0,0x0,36,x";
    QTest::newRow("point text stays") << "2,10,20,4,Arial,0,0,0,0,0x000000,Text"
                                      << "2,10,20,4,Arial,0,0,0,0,0x000000,Text";
    QTest::newRow("fitted text stays") << "13,10,10,50,15,4.5,Arial,0,0,0,0,0x0,5,X"
                                       << "13,10,10,50,15,4.5,Arial,0,0,0,0,0x0,5,X";
    QTest::newRow("short line stays") << "3,1,2" << "3,1,2";
}

void TestReportCommands::setFont() {
    QFETCH(QString, line);
    QFETCH(QString, expected);
    QStringList list{line};
    ReportSetFont(list, QStringLiteral("Tahoma"));
    QCOMPARE(list, QStringList{expected});
}

void TestReportCommands::writeLines() {
    WriterFixture f;
    QVERIFY(f.writer.ReportBegin(f.file()));
    const QStringList tpl{"[STRANA]",
                          "[STOJATO]",
                          "3,10,10.50,50,15,4.5,Arial,0,0,0,0,0x000000,37,Meno & syn, a.s.",
                          "13,10,10,50,15,4.5,Arial,0,0,0,0,0x0000FF,5,XXX",
                          "3,10,10,50,15,4.5,Arial,0,0,0,0,0x0,2084,uz bez prefixu",
                          "0,1,1,2,2,0.2,0x000000"};
    QVERIFY(f.writer.ReportWriteLines(tpl, false));
    QVERIFY(f.writer.ReportEnd());
    const QStringList lines = ReadLines(f.file());
    QCOMPARE(lines,
             QStringList({"[STRANA]", "[STOJATO]", "[STOJATO]",
                          "3,10,10.5,50,15,4.5,Arial,0,0,0,0,0x0,2085,Meno & syn, a.s.",
                          "13,10,10,50,15,4.5,Arial,0,0,0,0,0xFF,2053,XXX",
                          "3,10,10,50,15,4.5,Arial,0,0,0,0,0x0,2084,uz bez prefixu",
                          "0,1,1,2,2,0.2,0x000000"}));
    QCOMPARE(lines.count(QStringLiteral("[STRANA]")), 1);
}

void TestReportCommands::writeLinesKeepingPages() {
    WriterFixture f;
    QVERIFY(f.writer.ReportBegin(f.file()));
    QVERIFY(f.writer.ReportWriteLines({"[STRANA]", "[LEZATO]", "0,1,1,2,2,0.2,0x0"}, true));
    QVERIFY(f.writer.ReportEnd());
    const ReportDocument doc = ReadReport(f.file());
    QCOMPARE(doc.pages.size(), 2);
    QCOMPARE(doc.pages[1].orientation, 1);
}

void TestReportCommands::writeLinesNeedsOpenFile() {
    WriterFixture f;
    QVERIFY(!f.writer.ReportWriteLines({"0,1,1,2,2,0.2,0x0"}, false));
    QVERIFY(!QFileInfo::exists(f.file()));
}

void TestReportCommands::orientation_data() {
    QTest::addColumn<QStringList>("tpl");
    QTest::addColumn<bool>("writerLandscape");
    QTest::addColumn<QString>("marker");
    QTest::addColumn<bool>("printerLandscape");
    QTest::newRow("landscape template") << QStringList{"[STRANA]", "[LEZATO]", "0,1,1,2,2,1,0x0"}
                                        << false << "[LEZATO]" << true;
    QTest::newRow("last one wins") << QStringList{"[LEZATO]", "[STOJATO]"} << true
                                   << "[STOJATO]" << false;
    QTest::newRow("no marker keeps the writer's")
        << QStringList{"[STRANA]", "0,1,1,2,2,1,0x0"} << true << "[LEZATO]" << true;
}

void TestReportCommands::orientation() {
    QFETCH(QStringList, tpl);
    QFETCH(bool, writerLandscape);
    QFETCH(QString, marker);
    QFETCH(bool, printerLandscape);
    WriterFixture f;
    f.writer.setReportLandscape(writerLandscape);
    f.writer.ReportOrientation(tpl);
    QVERIFY(f.writer.ReportBegin(f.file()));
    QCOMPARE(f.writer.printer().pageLayout().orientation() == QPageLayout::Landscape,
             printerLandscape);
    QVERIFY(f.writer.ReportNewPage());
    QVERIFY(f.writer.ReportEnd());
    QCOMPARE(ReadLines(f.file()), QStringList({"[STRANA]", marker, "[STRANA]", marker}));

    // The template's orientation was for that report only.
    QVERIFY(f.writer.ReportBegin(f.file()));
    QVERIFY(f.writer.ReportEnd());
    QCOMPARE(ReadLines(f.file()).at(1),
             writerLandscape ? QStringLiteral("[LEZATO]") : QStringLiteral("[STOJATO]"));
}

VIDORAW_TEST(TestReportCommands)
#include "test_reportcommands.moc"

#include "reportfixture.h"
#include "testmain.h"

#include "core/enginefixture.h"
#include "core/values.h"
#include "ui/scriptedinteraction.h"

#include <QDate>
#include <QFileInfo>
#include <QPrinter>
#include <QRegularExpression>

using namespace vidoraw;
using namespace vidoraw::test;

namespace {

// A data directory with `count` persons, KOD 1..count.
struct Persons {
    EngineFixture engine;
    std::unique_ptr<Table> table;

    bool make(int count) {
        QString error;
        if (!engine.init(&error))
            return false;
        QStringList rows;
        for (int i = 1; i <= count; ++i)
            rows << QStringLiteral("%1|Priezvisko %1|Meno|Mesto").arg(i);
        if (!engine.add(rows, &error))
            return false;
        table = std::make_unique<Table>(engine.db.get(), QStringLiteral("OSOBY.DB"));
        return table->open();
    }
};

// Rows of a data set page: the boxes after the heading box and the caption band.
QVector<ReportObject> RowBoxes(const ReportPage& page) {
    return OfKind(page, kBox).mid(2);
}

int PdfPages(const QByteArray& pdf) {
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    return int(QString::fromLatin1(pdf).count(page));
}

} // namespace

class TestReportDataSet : public QObject {
    Q_OBJECT
private slots:
    void pagination_data();
    void pagination();
    void headingOnEveryPage();
    void columnsAndValues();
    void unknownFieldIsSkipped();
    void emptyDataSet();
    void captionMismatchDrawsNothing_data();
    void captionMismatchDrawsNothing();
    void positionRestored();
    void beginFailure();
    void printerVariant();
};

void TestReportDataSet::pagination_data() {
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("headingLines");
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<double>("offsetX");
    QTest::addColumn<double>("offsetY");
    QTest::addColumn<double>("bodyStart");
    QTest::addColumn<int>("firstPageRows");
    QTest::addColumn<int>("pages");
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("right");

    // y = 10 + 6 + 5 + 5 = 26; rows while y + 5 < 287: 26 ... 281.
    QTest::newRow("60 records") << 60 << 1 << false << 0.0 << 0.0 << 26.0 << 52 << 2 << 10.0
                                << 200.0;
    QTest::newRow("52 records fill one page")
        << 52 << 1 << false << 0.0 << 0.0 << 26.0 << 52 << 1 << 10.0 << 200.0;
    QTest::newRow("53 records") << 53 << 1 << false << 0.0 << 0.0 << 26.0 << 52 << 2 << 10.0
                                << 200.0;
    QTest::newRow("two heading lines")
        << 60 << 2 << false << 0.0 << 0.0 << 32.0 << 50 << 2 << 10.0 << 200.0;
    QTest::newRow("no heading line") << 60 << 0 << false << 0.0 << 0.0 << 20.0 << 53 << 2
                                     << 10.0 << 200.0;
    // Margins count from the paper's edge: L = 10 - 5, T = 10 - 4, R = 10 + 5, B = 10 + 4.
    QTest::newRow("printer offset") << 60 << 1 << false << 5.0 << 4.0 << 22.0 << 52 << 2 << 5.0
                                    << 195.0;
    // 297 x 210: rows while y + 5 < 200.
    QTest::newRow("landscape") << 60 << 1 << true << 0.0 << 0.0 << 26.0 << 34 << 2 << 10.0
                               << 287.0;
    QTest::newRow("empty") << 0 << 1 << false << 0.0 << 0.0 << 26.0 << 0 << 1 << 10.0 << 200.0;
}

void TestReportDataSet::pagination() {
    QFETCH(int, records);
    QFETCH(int, headingLines);
    QFETCH(bool, landscape);
    QFETCH(double, offsetX);
    QFETCH(double, offsetY);
    QFETCH(double, bodyStart);
    QFETCH(int, firstPageRows);
    QFETCH(int, pages);
    QFETCH(double, left);
    QFETCH(double, right);

    Persons data;
    QVERIFY(data.make(records));
    WriterFixture f;
    f.writer.setReportLandscape(landscape);
    f.writer.setPrinterMetrics(PrinterMetrics{offsetX, offsetY, 200, 280});
    QStringList heading;
    for (int i = 1; i <= headingLines; ++i)
        heading << QStringLiteral("Nadpis %1").arg(i);
    QVERIFY(f.writer.ReportDataSet(*data.table, {"KOD", "PRIEZ"}, heading,
                                   {"Kód", "Priezvisko"}, 10, 10, 10, 10, f.file()));

    const ReportDocument doc = ReadReport(f.file());
    QCOMPARE(int(doc.pages.size()), pages);
    int total = 0;
    for (int p = 0; p < doc.pages.size(); ++p) {
        const ReportPage& page = doc.pages[p];
        QCOMPARE(page.orientation, landscape ? 1 : 0);
        const QVector<ReportObject> rows = RowBoxes(page);
        if (p == 0)
            QCOMPARE(int(rows.size()), firstPageRows);
        double y = bodyStart;
        for (const ReportObject& r : rows) {
            QVERIFY(Near(r.y1, y));
            QVERIFY(Near(r.y2, y + 5));
            QVERIFY(Near(r.x1, left));
            QVERIFY(Near(r.x2, right));
            y += 5;
        }
        total += int(rows.size());
        // Each page closes with the thick frame from the heading's corner to below its
        // last row.
        const ReportObject& frame = page.objects.last();
        QCOMPARE(frame.kind, int(kFrame));
        QCOMPARE(frame.penWidth, 0.6);
        QVERIFY(Near(frame.x1, left));
        QVERIFY(Near(frame.y1, 10 - offsetY));
        QVERIFY(Near(frame.x2, right));
        QVERIFY(Near(frame.y2, y));
        QCOMPARE(int(OfKind(page, kFrame).size()), 1);
    }
    QCOMPARE(total, records);
}

void TestReportDataSet::headingOnEveryPage() {
    Persons data;
    QVERIFY(data.make(60));
    WriterFixture f;
    const TestDay today;
    QVERIFY(f.writer.ReportDataSet(*data.table, {"KOD", "PRIEZ"}, {"Zoznam osôb"},
                                   {"Kód", "Priezvisko"}, 10, 10, 10, 10, f.file()));
    const ReportDocument doc = ReadReport(f.file());
    QCOMPARE(doc.pages.size(), 2);
    for (int p = 0; p < 2; ++p) {
        const QVector<ReportObject> texts = OfKind(doc.pages[p], kBoxText);
        QCOMPARE(texts[0].text, QStringLiteral("Zoznam osôb"));
        QCOMPARE(texts[0].letterHeight, 5.5);
        QVERIFY(texts[0].bold);
        QCOMPARE(texts[0].format, 2085);
        QCOMPARE(texts[0].y1, 10.0);
        QCOMPARE(texts[0].y2, 16.0);
        QVERIFY2(today.either([&](const QDate& day) {
                     return texts[1].text == "Dátum : " + day.toString("d.M.yyyy");
                 }),
                 qPrintable(texts[1].text));
        QCOMPARE(texts[1].format, 2084);
        QCOMPARE(texts[1].x1, 11.0);
        QCOMPARE(texts[2].text, QStringLiteral("Strana : %1").arg(p + 1));
        QCOMPARE(texts[2].format, 2086);
        QCOMPARE(texts[2].x2, 199.0);
        QCOMPARE(texts[3].text, QStringLiteral("Kód"));
        QCOMPARE(texts[4].text, QStringLiteral("Priezvisko"));
        QVERIFY(texts[3].bold);
        QCOMPARE(texts[3].y1, 21.0);
        for (const ReportObject& t : texts)
            QCOMPARE(t.face, QStringLiteral("Arial")); // the writer's print font
        const QVector<ReportObject> boxes = OfKind(doc.pages[p], kBox);
        QCOMPARE(boxes[0].y2, 21.0); // heading box: one line and the date band
        QCOMPARE(boxes[0].penWidth, 0.2);
        QCOMPARE(boxes[0].fillColour, kWhite);
        QCOMPARE(boxes[1].y1, 21.0); // caption band
        QCOMPARE(boxes[1].y2, 26.0);
    }
    QCOMPARE(OfKind(doc.pages[1], kBoxText)[5].text, QStringLiteral("53"));
}

void TestReportDataSet::columnsAndValues() {
    Persons data;
    QVERIFY(data.make(0));
    {
        Table& t = *data.table;
        QVERIFY(t.append());
        t.field("KOD").setValue(7);
        t.field("PRIEZ").setValue(QStringLiteral("Čierna & syn"));
        t.field("MENO").setValue(QStringLiteral("Eva"));
        t.field("SUMA").setValue(12.5);
        t.field("DATNAR").setValue(QDate(1980, 3, 9));
        QVERIFY2(t.post(), qPrintable(t.lastError()));
    }
    WriterFixture f;
    QVERIFY(f.writer.ReportDataSet(*data.table, {"KOD", "PRIEZ", "MENO", "SUMA", "DATNAR"},
                                   {"Zoznam"},
                                   {"Kód", "Priezvisko", "Krstné meno a titul", "Suma", "Dátum"},
                                   10, 10, 10, 10, f.file()));
    const ReportPage page = ReadReport(f.file()).pages.at(0);
    // Widths in characters: KOD 10 (number), PRIEZ 20 (its size), MENO 19 (the caption is
    // longer than 12), SUMA 10, DATNAR 10: 69 in all over 190 mm.
    const QVector<double> ends{10 + 190.0 * 10 / 69, 10 + 190.0 * 30 / 69, 10 + 190.0 * 49 / 69,
                               10 + 190.0 * 59 / 69};
    const QVector<ReportObject> lines = OfKind(page, kLine);
    QCOMPARE(lines.size(), 8); // four in the caption band, four in the row
    for (int j = 0; j < 4; ++j) {
        QVERIFY2(qAbs(lines[j].x1 - ends[j]) < 1e-9, qPrintable(QString::number(lines[j].x1)));
        QCOMPARE(lines[j].y1, 21.0);
        QCOMPARE(lines[j].y2, 26.0);
        QVERIFY(qAbs(lines[4 + j].x1 - ends[j]) < 1e-9);
        QCOMPARE(lines[4 + j].y1, 26.0);
    }
    const QVector<ReportObject> texts = OfKind(page, kBoxText);
    const QVector<ReportObject> row = texts.mid(texts.size() - 5);
    QCOMPARE(row[0].text, QStringLiteral("7"));
    QCOMPARE(row[0].format, 2086);
    QCOMPARE(row[1].text, QStringLiteral("Čierna & syn"));
    QCOMPARE(row[1].format, 2084);
    QCOMPARE(row[2].format, 2084);
    QCOMPARE(row[3].text, QStringLiteral("12.5").replace('.', ','));
    QCOMPARE(row[3].format, 2086);
    QCOMPARE(row[4].text, QStringLiteral("9.3.1980"));
    QCOMPARE(row[4].format, 2084);
    for (const ReportObject& t : row) {
        QVERIFY(!t.bold);
        QCOMPARE(t.letterHeight, 4.5);
        QCOMPARE(t.y1, 26.0);
    }
    QCOMPARE(row[0].x1, 11.0);
    QVERIFY(qAbs(row[0].x2 - (ends[0] - 1)) < 1e-9);
    QVERIFY(qAbs(row[4].x2 - 199) < 1e-9);
}

void TestReportDataSet::unknownFieldIsSkipped() {
    Persons data;
    QVERIFY(data.make(1));
    WriterFixture f;
    QVERIFY(f.writer.ReportDataSet(*data.table, {"NIEJE", "PRIEZ"}, {"Zoznam"},
                                   {"Nie je", "Priezvisko"}, 10, 10, 10, 10, f.file()));
    const ReportPage page = ReadReport(f.file()).pages.at(0);
    QCOMPARE(TextsOf(page).mid(3), QStringList({"Priezvisko", "Priezvisko 1"}));
    QCOMPARE(OfKind(page, kLine).size(), 0); // one column: no column lines
    QCOMPARE(OfKind(page, kBoxText).last().x2, 199.0);
}

void TestReportDataSet::emptyDataSet() {
    Persons data;
    QVERIFY(data.make(0));
    WriterFixture f;
    QVERIFY(f.writer.ReportDataSet(*data.table, {"KOD", "PRIEZ"}, {"Zoznam"},
                                   {"Kód", "Priezvisko"}, 10, 10, 10, 10, f.file()));
    const ReportDocument doc = ReadReport(f.file());
    QCOMPARE(doc.pages.size(), 1);
    const ReportPage& page = doc.pages[0];
    QCOMPARE(TextsOf(page).size(), 5); // heading, date, page, two captions
    QCOMPARE(page.objects.last().kind, int(kFrame));
    QCOMPARE(page.objects.last().y2, 26.0); // right below the caption band
}

void TestReportDataSet::captionMismatchDrawsNothing_data() {
    QTest::addColumn<bool>("toFile");
    QTest::newRow("report file") << true;
    QTest::newRow("printer") << false;
}

void TestReportDataSet::captionMismatchDrawsNothing() {
    QFETCH(bool, toFile);
    ScriptedInteraction ui;
    Persons data;
    QVERIFY(data.make(3));
    WriterFixture f;
    const QString pdf = f.path(QStringLiteral("out.pdf"));
    f.writer.printer().setOutputFormat(QPrinter::PdfFormat);
    f.writer.printer().setOutputFileName(pdf);
    QVERIFY(!f.writer.ReportDataSet(*data.table, {"KOD", "PRIEZ"}, {"Zoznam"}, {"Kód"}, 10, 10,
                                    10, 10, toFile ? f.file() : QString()));
    QVERIFY(!QFileInfo::exists(f.file()));
    QVERIFY(!QFileInfo::exists(pdf));
    QCOMPARE(f.writer.output(), ReportOutput::None);
    QCOMPARE(ui.takeNoticeTexts(), QStringList());
}

void TestReportDataSet::positionRestored() {
    Persons data;
    QVERIFY(data.make(60));
    Table& t = *data.table;
    QVERIFY(t.gotoRecNo(29));
    const QString before = t.field("PRIEZ").asString();
    int resets = 0;
    QObject::connect(&t, &Table::rowsReset, [&] { ++resets; });
    WriterFixture f;
    QVERIFY(f.writer.ReportDataSet(t, {"KOD"}, {}, {"Kód"}, 10, 10, 10, 10, f.file()));
    QCOMPARE(t.recNo(), 29);
    QCOMPARE(t.field("PRIEZ").asString(), before);
    QCOMPARE(resets, 0); // grids over the table do not follow the walk
}

void TestReportDataSet::beginFailure() {
    ScriptedInteraction ui;
    Persons data;
    QVERIFY(data.make(3));
    WriterFixture f;
    QVERIFY(QDir().mkpath(f.file()));
    QVERIFY(!f.writer.ReportDataSet(*data.table, {"KOD"}, {"Zoznam"}, {"Kód"}, 10, 10, 10, 10,
                                    f.file()));
    const QList<RecordedNotice> shown = ui.takeNotices();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text, QStringLiteral("Nemôžem otvoriť súbor so zostavou !"));
}

void TestReportDataSet::printerVariant() {
    Persons data;
    QVERIFY(data.make(60));
    WriterFixture f;
    const QString pdf = f.path(QStringLiteral("zoznam.pdf"));
    f.writer.printer().setOutputFormat(QPrinter::PdfFormat);
    f.writer.printer().setOutputFileName(pdf);
    QVERIFY(f.writer.ReportDataSet(*data.table, {"KOD", "PRIEZ"}, {"Zoznam osôb"},
                                   {"Kód", "Priezvisko"}, 10, 10, 10, 10, QString()));
    QCOMPARE(f.writer.output(), ReportOutput::None); // the job has ended
    QVERIFY(!QFileInfo::exists(f.file()));
    QCOMPARE(PdfPages(ReadBytes(pdf)), 2);
}

VIDORAW_TEST(TestReportDataSet)
#include "test_reportdataset.moc"

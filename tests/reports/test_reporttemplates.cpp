#include "reportfixture.h"
#include "testmain.h"

#include "core/base/codepage.h"
#include "core/engine/database.h"
#include "core/engine/tableops.h"
#include "core/values.h"
#include "reports/reporttemplates.h"
#include "ui/scriptedinteraction.h"

#include <QDir>
#include <QImage>
#include <QPrinter>

using namespace vidoraw;
using namespace vidoraw::test;

namespace {

// The values of the envelope template in data/templates.
QList<std::pair<QString, QString>> EnvelopeValues() {
    return {{"XXX_ODOSIELATEL", "Optika Šošovka, s.r.o."},
            {"XXX_OD_ULICA", "Hlavná 12"},
            {"XXX_OD_OBEC", "040 01 Košice"},
            {"XXX_DATUM", "7.3.2024"},
            {"XXX_MENO", "Ing. Ľubomír Ďurček"},
            {"XXX_ULICA", "Nábrežie 3, byt 4"},
            {"XXX_PSC", "010 01"},
            {"XXX_OBEC", "Žilina"},
            {"XXX_STAT", "Slovenská republika"}};
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// The template folder of a test, put back to the program's rule afterwards.
struct TemplateFolder {
    explicit TemplateFolder(const QString& dir) { SetTemplateDirectory(dir); }
    ~TemplateFolder() { SetTemplateDirectory(QString()); }
};

// Rows in which some pixel of the band x0..x1 is dark.
QList<int> DarkRows(const QImage& image, int x0, int x1) {
    QList<int> rows;
    for (int y = 0; y < image.height(); ++y)
        for (int x = x0; x <= x1; ++x)
            if (qGray(image.pixel(x, y)) < 100) {
                rows << y;
                break;
            }
    return rows;
}

} // namespace

class TestReportTemplates : public QObject {
    Q_OBJECT
private slots:
    void programTemplateLoads();
    void unusableTemplate_data();
    void unusableTemplate();
    void unreadableTemplateStopsBeforeAnything();
    void appendTemplatePage_data();
    void appendTemplatePage();
    void sums_data();
    void sums();
    void envelopeOffsets_data();
    void envelopeOffsets();
    void filledTemplateOnScreen();
    void templateOrientation_data();
    void templateOrientation();
    void twoToAPagePrinted();
    void placeholdersBeginningAlike();
    void onePagePerForm();
};

void TestReportTemplates::programTemplateLoads() {
    ScriptedInteraction ui;
    QStringList lines;
    // Found without regard to case, decoded from code page 1250.
    QVERIFY(LoadTemplate("OBALKA.Dsz", lines));
    QCOMPARE(ui.takeNoticeTexts(), QStringList());
    QCOMPARE(lines.value(0), QString("[STRANA]"));
    QVERIFY(lines.contains("3,140,10,162,36,3,Arial,0,0,0,0,0x808080,37,Známka"));
    QVERIFY(lines.last().endsWith("Doporučene"));
    QVERIFY(!lines.last().endsWith('\r'));
}

void TestReportTemplates::unusableTemplate_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content"); // written as name unless empty
    QTest::newRow("missing") << "ppd.dsz" << QByteArray();
    QTest::newRow("no report") << "vpd.dsz" << QByteArray("[STOJATO]\r\n3,1,1,2,2\r\n");
    QTest::newRow("empty file") << "fa1.dsz" << QByteArray("\r\n");
    QTest::newRow("outside the folder") << "../obalka.dsz" << QByteArray();
    QTest::newRow("position no number")
        << "obalkaa.dsz" << QByteArray("[STRANA]\r\n3,1x,1,20,8,4,Arial,0,0,0,0,0x0,36,Meno\r\n");
    QTest::newRow("corner missing") << "fa2.dsz" << QByteArray("[STRANA]\r\n0,5,5,7\r\n");
    QTest::newRow("point text at no number")
        << "vpd.dsz" << QByteArray("[STRANA]\r\n[STOJATO]\r\n2,10,,4,Arial,0,0,0,0,0x0,Suma\r\n");
}

void TestReportTemplates::unusableTemplate() {
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    TemplateFolder folder(dir.filePath("templates"));
    QDir().mkpath(dir.filePath("templates"));
    WriteFile(dir.filePath("obalka.dsz"), "[STRANA]\r\n");
    if (!content.isEmpty())
        WriteFile(dir.filePath("templates/" + name), content);
    ScriptedInteraction ui;
    QStringList lines{"left over"};
    QVERIFY(!LoadTemplate(name, lines));
    QVERIFY(lines.isEmpty());
    const QList<RecordedNotice> shown = ui.takeNotices();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].title, QString("Chyba"));
    QVERIFY2(shown[0].text.contains(name), qPrintable(shown[0].text));
}

void TestReportTemplates::unreadableTemplateStopsBeforeAnything() {
    QTemporaryDir dir;
    TemplateFolder folder(dir.path());
    WriterFixture f;
    WriteFile(f.file(), "[STRANA]\r\nfrom the last report\r\n");
    ScriptedInteraction ui;
    TemplateReport job;
    job.templateName = "obalkaa.dsz";
    QVERIFY(!RunTemplateReport(f.writer, job));
    const QList<RecordedNotice> shown = ui.takeNotices();
    QCOMPARE(shown.size(), 1);
    QVERIFY(ui.dialogs.isEmpty()); // no device asked
    QVERIFY(f.launched.isEmpty());
    QCOMPARE(ReadLines(f.file()), QStringList({"[STRANA]", "from the last report"}));
    QCOMPARE(f.writer.output(), ReportOutput::None);
}

void TestReportTemplates::appendTemplatePage_data() {
    QTest::addColumn<QStringList>("source");
    QTest::addColumn<QStringList>("appended");
    QTest::newRow("markers in any case")
        << QStringList{"[Strana]", "[stojato]", "[LeZaTo]", "[a4]", "[A3]", "[a5]",
                       "0,1,2,3,4,0.2,0x0"}
        << QStringList{"0,1,2,3,4,0.2,0x0"};
    QTest::newRow("other lines in order, empty ones too")
        << QStringList{"[STRANA]", "3,1,1,9,9,4,Arial,0,0,0,0,0x0,36,b", "", "[TLACIAREN=HP]",
                       "[A6]", " [A4]", "0,1,1,2,2,0.1,0x0"}
        << QStringList{"3,1,1,9,9,4,Arial,0,0,0,0,0x0,36,b", "", "[TLACIAREN=HP]", "[A6]",
                       " [A4]", "0,1,1,2,2,0.1,0x0"};
    QTest::newRow("nothing") << QStringList{} << QStringList{};
}

void TestReportTemplates::appendTemplatePage() {
    QFETCH(QStringList, source);
    QFETCH(QStringList, appended);
    QStringList target{"[STRANA]", "[STOJATO]", "4,1,1,5,5,0.2,0x0"};
    AppendTemplatePage(target, source);
    QCOMPARE(target, QStringList({"[STRANA]", "[STOJATO]", "4,1,1,5,5,0.2,0x0"}) + appended);
}

void TestReportTemplates::sums_data() {
    QTest::addColumn<QStringList>("start");
    QTest::addColumn<QStringList>("adds"); // key=amount, in order
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("key");
    QTest::addColumn<double>("sum");
    QTest::newRow("first line") << QStringList{} << QStringList{"7=2.5"} << QStringList{"7,2,5"}
                                << "7" << 2.5;
    QTest::newRow("same key again") << QStringList{} << QStringList{"7=2.5", "7=1"}
                                    << QStringList{"7,3,5"} << "7" << 3.5;
    QTest::newRow("another key") << QStringList{} << QStringList{"7=2.5", "7=1"}
                                 << QStringList{"7,3,5"} << "8" << 0.0;
    QTest::newRow("key is exact, not a prefix")
        << QStringList{"17,4"} << QStringList{"1=1", "7=2"} << QStringList{"17,4", "1,1", "7,2"}
        << "17" << 4.0;
    QTest::newRow("negative and back to zero")
        << QStringList{} << QStringList{"A=0.1", "A=0.2", "A=-0.3"} << QStringList{"A,0"} << "A"
        << 0.0;
    QTest::newRow("tenths add up as shown") << QStringList{} << QStringList{"x=0.1", "x=0.2"}
                                            << QStringList{"x,0,3"} << "x" << 0.3;
    QTest::newRow("empty key") << QStringList{} << QStringList{"=5"} << QStringList{",5"} << ""
                               << 5.0;
}

void TestReportTemplates::sums() {
    QFETCH(QStringList, start);
    QFETCH(QStringList, adds);
    QFETCH(QStringList, lines);
    QFETCH(QString, key);
    QFETCH(double, sum);
    QStringList sums = start;
    for (const QString& add : adds)
        AddToSum(sums, add.section('=', 0, 0), add.section('=', 1).toDouble());
    QCOMPARE(sums, lines);
    QCOMPARE(SumOf(sums, key), sum);
}

void TestReportTemplates::envelopeOffsets_data() {
    QTest::addColumn<bool>("table");
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("format");
    QTest::addColumn<QPointF>("offsets");
    QTest::newRow("no table") << false << "1" << 0 << QPointF(0, 0);
    QTest::newRow("unknown printer") << true << "7" << 2 << QPointF(0, 0);
    QTest::newRow("format 0") << true << "1" << 0 << QPointF(1.5, -2);
    QTest::newRow("format 2") << true << "1" << 2 << QPointF(-0.25, 3);
    QTest::newRow("empty fields") << true << "2" << 1 << QPointF(0, 0);
    QTest::newRow("code no number") << true << "HP" << 0 << QPointF(0, 0);
    QTest::newRow("no such format") << true << "1" << 4 << QPointF(0, 0);
}

void TestReportTemplates::envelopeOffsets() {
    QFETCH(bool, table);
    QFETCH(QString, code);
    QFETCH(int, format);
    QFETCH(QPointF, offsets);
    QTemporaryDir dir;
    QString error;
    std::unique_ptr<Database> db = Database::open(dir.path(), &error);
    QVERIFY2(db, qPrintable(error));
    if (table) {
        FieldDefs fields{{"KOD", 'F', 0}, {"NAZOVTLAC", 'A', 40}};
        for (int n = 0; n < 4; ++n)
            fields << FieldDef{QString("POSUNXO%1").arg(n), 'F', 0}
                   << FieldDef{QString("POSUNYO%1").arg(n), 'F', 0};
        QVERIFY2(CreateTableWithRows(*db, "POSUNY.DB", fields, {IndexDef::Primary({"KOD"})},
                                     {"1|HP|1,5|-2|0|0|-0,25|3|0|0", "2|Epson"}, &error),
                 qPrintable(error));
    }
    QCOMPARE(EnvelopeOffsets(db.get(), code, format), offsets);
}

void TestReportTemplates::filledTemplateOnScreen() {
    WriterFixture f;
    ScriptedInteraction ui;
    ui.queueOutputDevice(0);
    TemplateReport job;
    job.templateName = "obalka.dsz";
    job.values = EnvelopeValues();
    job.envelopeShift = QPointF(2, -1);
    job.printFont = true;
    QVERIFY(RunTemplateReport(f.writer, job));
    QVERIFY(ui.verifyNoSurprises());
    QCOMPARE(ui.takeNoticeTexts(), QStringList());
    QCOMPARE(f.launched.value(1), QFileInfo(f.file()).absoluteFilePath());

    const QStringList lines = ReadLines(f.file());
    QCOMPARE(lines.count("[STRANA]"), 1);
    QCOMPARE(lines.mid(0, 3), QStringList({"[STRANA]", "[STOJATO]", "[STOJATO]"}));
    QVERIFY(!lines.join('\n').contains("XXX_"));
    QVERIFY(ReadBytes(f.file()).contains(ToCp1250("Ďurček")));

    const ReportDocument doc = ReadReport(f.file());
    QCOMPARE(doc.pages.size(), 1);
    const QVector<ReportObject> texts = OfKind(doc.pages[0], kBoxText);
    QStringList shown;
    for (const ReportObject& t : texts) {
        shown << t.text;
        QCOMPARE(t.face, QString("Arial")); // the writer's print font
        QVERIFY(t.format & kNoPrefix);
    }
    QVERIFY(shown.contains("Optika Šošovka, s.r.o."));
    QVERIFY(shown.contains("Nábrežie 3, byt 4")); // commas inside the last field
    QVERIFY(shown.contains("010 01  Žilina"));    // two placeholders in one line
    QVERIFY(shown.contains("Dňa 7.3.2024"));
    const QVector<ReportObject> frames = OfKind(doc.pages[0], kFrame);
    QVERIFY(!frames.isEmpty());
    QCOMPARE(frames[0].x1, 7.0); // 5 + 2
    QCOMPARE(frames[0].y1, 4.0); // 5 - 1
}

void TestReportTemplates::templateOrientation_data() {
    QTest::addColumn<bool>("useOrientation");
    QTest::addColumn<QString>("pageMarker");
    QTest::newRow("template's own") << true << "[LEZATO]";
    QTest::newRow("writer's") << false << "[STOJATO]";
}

void TestReportTemplates::templateOrientation() {
    QFETCH(bool, useOrientation);
    QFETCH(QString, pageMarker);
    QTemporaryDir dir;
    TemplateFolder folder(dir.path());
    WriteFile(dir.filePath("Fa1.DSZ"), "[STRANA]\r\n[lezato]\r\n[LEZATO]\r\n"
                                       "3,10,10,90,16,4,Arial,0,0,0,0,0x0,36,XXX_CISLO\r\n");
    WriterFixture f;
    ScriptedInteraction ui;
    ui.queueOutputDevice(0);
    TemplateReport job;
    job.templateName = "fa1.dsz";
    job.useOrientation = useOrientation;
    job.values = {{"XXX_CISLO", "Faktúra 12/2024"}};
    QVERIFY(RunTemplateReport(f.writer, job));
    QVERIFY(ui.verifyNoSurprises());
    const QStringList lines = ReadLines(f.file());
    QCOMPARE(lines.mid(0, 2), QStringList({"[STRANA]", pageMarker}));
    const ReportDocument doc = ReadReport(f.file());
    QCOMPARE(doc.pages.size(), 1);
    QCOMPARE(doc.pages[0].orientation, 1); // the template's marker comes last on the page
    QCOMPARE(TextsOf(doc.pages[0]), QStringList({"Faktúra 12/2024"}));
}

void TestReportTemplates::twoToAPagePrinted() {
    // A4 at 5 pixels per millimetre (127 dpi).
    QImage page(1050, 1485, QImage::Format_RGB32);
    page.setDotsPerMeterX(5000);
    page.setDotsPerMeterY(5000);
    page.fill(Qt::white);
    WriterFixture f;
    f.writer.setPrintDevice(&page);
    ScriptedInteraction ui;
    ui.queueOutputDevice(1);
    ui.queuePrintDialog(true);
    TemplateReport job;
    job.templateName = "obalka.dsz";
    job.values = EnvelopeValues();
    job.secondCopy = QPointF(0, 140);
    QVERIFY(RunTemplateReport(f.writer, job));
    QVERIFY(ui.verifyNoSurprises());
    QCOMPARE(ui.takeNoticeTexts(), QStringList());
    QVERIFY(f.launched.isEmpty());

    // The envelope's left edge (x = 5 mm) runs from 5 to 119 mm, and again 140 mm lower.
    const QList<int> edge = DarkRows(page, 24, 26);
    QVERIFY(!edge.isEmpty());
    QVERIFY(qAbs(edge.first() - 5 * 5) <= 1);
    QVERIFY(edge.contains(60 * 5));
    QVERIFY(!edge.contains(130 * 5)); // the gap between the two forms
    QVERIFY(edge.contains(145 * 5 + 1));
    QVERIFY(edge.contains(200 * 5));
    QVERIFY(qAbs(edge.last() - 259 * 5) <= 1);
    // The same text in both copies, 140 mm apart: the addressee's name.
    const QRect first(80 * 5, 70 * 5, 82 * 5, 7 * 5);
    const QRect second = first.translated(0, 140 * 5);
    QVERIFY(DarkRows(page.copy(first), 0, first.width() - 1).size() > 5);
    QCOMPARE(page.copy(first), page.copy(second));

    // One page start and the second form's lines after the first's.
    QStringList lines;
    QVERIFY(LoadTemplate("obalka.dsz", lines));
    const QStringList both = PrepareTemplate(lines, job, "Arial");
    QCOMPARE(both.count("[STRANA]"), 1);
    QCOMPARE(both.size(), 2 * lines.size() - 3);
    QVERIFY(both.contains("4,5,145,168,259,0.3,0x0"));
}

void TestReportTemplates::placeholdersBeginningAlike() {
    TemplateReport job;
    job.values = {{"XXX_ICO", "01234567"}, {"XXX_ICOI", "1234567"}, {"XXX_DIC", "2020"}};
    const QStringList filled = PrepareTemplate(
        {"[STRANA]", "3,1,1,9,9,4,Arial,0,0,0,0,0x0,36,XXX_ICOI XXX_ICO XXX_DIC"}, job, "Arial");
    QCOMPARE(filled.value(1), QString("3,1,1,9,9,4,Arial,0,0,0,0,0x0,36,1234567 01234567 2020"));
}

void TestReportTemplates::onePagePerForm() {
    WriterFixture f;
    ScriptedInteraction ui;
    TemplateReport job;
    job.templateName = "obalka.dsz";
    job.values = {{"XXX_DATUM", "7.3.2024"}};
    const QStringList names{"Prvý", "Druhý", "Tretí"};
    for (int pages : {3, 0}) {
        ui.queueOutputDevice(0);
        QVERIFY(RunTemplatePages(f.writer, job, pages, [&](int page, QStringList& lines) {
            FillPlaceholders(lines, {{"XXX_MENO", names[page]}});
        }));
        const ReportDocument doc = ReadReport(f.file());
        QCOMPARE(doc.pages.size(), std::max(pages, 1)); // no form: one empty page
        for (int page = 0; page < pages; ++page) {
            const QStringList texts = TextsOf(doc.pages[page]);
            QVERIFY(texts.contains(names[page]));
            QVERIFY(texts.contains("Dňa 7.3.2024"));
        }
        if (pages == 0)
            QVERIFY(TextsOf(doc.pages[0]).isEmpty());
    }
    QVERIFY(ui.verifyNoSurprises());
}

VIDORAW_TEST(TestReportTemplates)
#include "test_reporttemplates.moc"

#include "companiesfixture.h"
#include "testmain.h"

#include "invoicing/envelopes.h"
#include "reports/format/reportformat.h"

#include <QAction>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>

using namespace vidoraw;
using namespace vidoraw::test;

// Envelopes: the postal line, the four templates, one envelope and envelopes for a whole list.
class TestEnvelopes : public QObject {
    Q_OBJECT
private slots:
    void postalLine_data();
    void postalLine();
    void templatesOfTheFormats_data();
    void templatesOfTheFormats();
    void envelopesForAll_data();
    void envelopesForAll();
    void oneEnvelopeMovedByThePrinterOffsets();
};

namespace {

// Four companies; the owner, with a second address for envelopes.
void Seed(CompaniesFixture& f, bool secondAddress = false) {
    f.addCompany(1, "11",
                 {{"NAZOV", "Alfa s.r.o."},
                  {"ULICA", "Hlavná"},
                  {"CISLO", "5"},
                  {"OBEC", "Košice"},
                  {"PSC", "04001"},
                  {"DODPOSTA", "Košice 1"},
                  {"STAT", "Slovensko"},
                  {"JEODB", "A"}});
    f.addCompany(2, "22",
                 {{"TITUL", "Ing."},
                  {"MENO", "Eva"},
                  {"PRIEZVISK", "Hrubá"},
                  {"OBEC", "Žilina"},
                  {"PSC", "01001"},
                  {"DODPOSTA", "Žilina 1"},
                  {"JEODB", "A"}});
    f.addCompany(3, "33", {{"NAZOV", "Gama"}, {"JEODB", "N"}});
    f.addCompany(
        4, "44",
        {{"NAZOV", "Delta"}, {"PSC", "81101"}, {"DODPOSTA", "Bratislava 1"}, {"JEODB", "A"}});
    f.addRow(module::kVlastn, {{"KOD", "1"},
                               {"NAZOV", "Optika Šošovka"},
                               {"ULICA", "Mlynská"},
                               {"CISLO", "7"},
                               {"OBEC", "Prešov"},
                               {"PSC", "08001"},
                               {"DODPOSTA", "Prešov 1"},
                               {"STAT", "SR"},
                               {"PO", secondAddress ? "A" : "N"},
                               {"NAZOVPO", "Pobočka Poprad"},
                               {"PSCPO", "05801"},
                               {"DODPOSTAPO", "Poprad 1"}});
    // The envelope printer "1" with offsets for format 0 only.
    f.addRow(module::kPosuny,
             {{"KOD", "1"}, {"NAZOVTLAC", "HP"}, {"POSUNXO0", "2"}, {"POSUNYO0", "-1"}});
}

ReportDocument Report(CompaniesFixture& f) {
    ReportDocument doc;
    QString error;
    if (!LoadReport(f.app.reports.ReportFileName(), doc, &error))
        qWarning().noquote() << "not a report:" << error;
    return doc;
}

QStringList Texts(const ReportPage& page) {
    QStringList out;
    for (const ReportObject& o : page.objects)
        if (o.kind == kBoxText) out << o.text;
    return out;
}

} // namespace

void TestEnvelopes::postalLine_data() {
    QTest::addColumn<QString>("postalCode");
    QTest::addColumn<QString>("postOffice");
    QTest::addColumn<QString>("line");
    QTest::newRow("five digits") << "04001"
                                 << "Košice 1"
                                 << "040 01  Košice 1";
    QTest::newRow("written with a blank") << "040 01"
                                          << "Košice 1"
                                          << "040 01  Košice 1";
    QTest::newRow("blanks anywhere") << " 0 4 0 0 1 "
                                     << "Košice 1"
                                     << "040 01  Košice 1";
    QTest::newRow("short") << "811"
                           << "Bratislava"
                           << "811  Bratislava";
    QTest::newRow("none") << ""
                          << ""
                          << "  ";
}

void TestEnvelopes::postalLine() {
    QFETCH(QString, postalCode);
    QFETCH(QString, postOffice);
    QFETCH(QString, line);
    QCOMPARE(EnvelopePostalLine(postalCode, postOffice), line);
}

void TestEnvelopes::templatesOfTheFormats_data() {
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSizeF>("size"); // of the envelope's frame, in mm
    QTest::newRow("A") << 0 << "obalkaa.dsz" << QSizeF(163, 114);
    QTest::newRow("B") << 1 << "obalkab.dsz" << QSizeF(228, 114);
    QTest::newRow("C") << 2 << "obalkac.dsz" << QSizeF(228, 162);
    QTest::newRow("D") << 3 << "obalkad.dsz" << QSizeF(177, 125);
}

void TestEnvelopes::templatesOfTheFormats() {
    QFETCH(int, format);
    QFETCH(QString, name);
    QFETCH(QSizeF, size);
    ScriptedInteraction ui;
    QCOMPARE(EnvelopeTemplateName(format), name);
    QStringList lines;
    QVERIFY(LoadTemplate(name, lines));
    QVERIFY(lines.contains("[LEZATO]"));
    const QString all = lines.join('\n');
    for (const char* placeholder : {"XX_OFIRMA", "XX_OMENO", "XX_OULICA", "XX_OPSC", "XX_AFIRMA",
                                    "XX_AMENO", "XX_AULICA", "XX_AOBEC", "XX_APSC", "XX_ASTAT"})
        QVERIFY2(all.contains(placeholder), placeholder);
    const QStringList frame = lines.filter(QRegularExpression("^4,5,5,")).first().split(',');
    QCOMPARE(QSizeF(frame[3].toDouble() - 5, frame[4].toDouble() - 5), size);
    // Every text of the envelope lies inside its frame.
    for (const QString& line : lines.filter(QRegularExpression("^3,"))) {
        const QStringList p = line.split(',');
        QVERIFY2(p[3].toDouble() <= 5 + size.width() && p[4].toDouble() <= 5 + size.height(),
                 qPrintable(line));
    }
}

void TestEnvelopes::envelopesForAll_data() {
    QTest::addColumn<bool>("secondAddress");
    QTest::newRow("sender's first address") << false;
    QTest::newRow("sender's second address") << true;
}

void TestEnvelopes::envelopesForAll() {
    QFETCH(bool, secondAddress);
    CompaniesFixture f;
    Seed(f, secondAddress);
    TfFirmad& m = f.companies();
    QObject owner;
    for (QAction* a : m.filterCommands(nullptr, &owner))
        if (a->text() == "&Odberatelia") a->trigger();
    QVERIFY(FindByKey(m.table(), "KOD", 2));
    f.ui.queueOutputDevice(0);
    QVERIFY(PrintEnvelopesForAll(f.app, 1, nullptr));
    // The envelope printer has its row of offsets: nothing to say.
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
    QCOMPARE(f.launched, QStringList{f.app.reports.ReportFileName()});
    QCOMPARE(m.table().field("KOD").asInteger(), 2); // the list is where it was

    const ReportDocument doc = Report(f);
    QCOMPARE(doc.pages.size(), 3); // three listed companies, three envelopes
    const QStringList first = Texts(doc.pages[0]);
    QVERIFY(first.contains("Alfa s.r.o."));
    QVERIFY(first.contains("Hlavná 5"));
    QVERIFY(first.contains("040 01  Košice 1"));
    QVERIFY(first.contains("Slovensko"));
    QCOMPARE(first.contains("Optika Šošovka"), !secondAddress);
    QCOMPARE(first.contains("Pobočka Poprad"), secondAddress);
    QVERIFY(first.contains(secondAddress ? "058 01  Poprad 1" : "080 01  Prešov 1"));
    const QStringList second = Texts(doc.pages[1]);
    QVERIFY(second.contains("Ing. Eva Hrubá"));
    QVERIFY(second.contains("010 01  Žilina 1"));
    QVERIFY(Texts(doc.pages[2]).contains("Delta"));
    QVERIFY(!Texts(doc.pages[2]).join('|').contains("XX_"));
    QCOMPARE(doc.pages[0].orientation, 1); // on its side
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestEnvelopes::oneEnvelopeMovedByThePrinterOffsets() {
    CompaniesFixture f;
    Seed(f);
    TfFirmad& m = f.companies();
    QVERIFY(FindByKey(m.table(), "KOD", 4));
    f.ui.queueOutputDevice(0);
    QVERIFY(PrintEnvelope(f.app, 0, nullptr));
    ReportDocument doc = Report(f);
    QCOMPARE(doc.pages.size(), 1);
    QVERIFY(Texts(doc.pages[0]).contains("Delta"));
    QVERIFY(Texts(doc.pages[0]).contains("811 01  Bratislava 1"));
    ReportObject frame;
    for (const ReportObject& o : doc.pages[0].objects)
        if (o.kind == kFrame && o.x2 > 150) {
            frame = o;
            break;
        }
    QCOMPARE(frame.x1, 7.0); // 5 + 2
    QCOMPARE(frame.y1, 4.0); // 5 - 1

    // A printer without offsets: said, and nothing moved.
    IniFile("VIDORAW.INI").writeString("CESTY", "TLACIAREN", "2");
    f.ui.queueOutputDevice(0);
    QVERIFY(PrintEnvelope(f.app, 0, nullptr));
    QCOMPARE(f.ui.takeNoticeTexts(),
             QStringList{"Posuny zostáv pre tlaciareň s kódom :2 nie sú definované!"});
    doc = Report(f);
    QVERIFY(std::any_of(doc.pages[0].objects.begin(), doc.pages[0].objects.end(),
                        [](const ReportObject& o) { return o.kind == kFrame && o.x1 == 5.0; }));

    // An empty list gives an empty report.
    QObject owner;
    for (QAction* a : m.filterCommands(nullptr, &owner))
        if (a->text() == "Fi&rmy reálne") a->trigger();
    f.ui.queueOutputDevice(0);
    QVERIFY(PrintEnvelopesForAll(f.app, 0, nullptr));
    doc = Report(f);
    QCOMPARE(doc.pages.size(), 1);
    QVERIFY(Texts(doc.pages[0]).isEmpty());
    QVERIFY(f.ui.verifyNoSurprises());
}

VIDORAW_TEST(TestEnvelopes)
#include "test_envelopes.moc"

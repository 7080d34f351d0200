#include "invoicedata.h"
#include "invoicing/invoiceprint.h"
#include "invoicing/invoicetemplate.h"
#include "reports/format/reportformat.h"
#include "testmain.h"

#include <QMenu>
#include <QProcess>
#include <QRegularExpression>

using namespace vidoraw;
using namespace vidoraw::test;

// The invoice drawn on the page, read back from the report file: pages, where the texts
// stand, the subtotals and totals, the additional currency.
class TestInvoicePrint : public QObject {
    Q_OBJECT
private slots:
    void linesPerPage_data();
    void linesPerPage();
    void longInvoiceOverThreePages();
    void layoutsByDateAndPayer_data();
    void layoutsByDateAndPayer();
    void printedByCodeNotByNumber();
    void additionalCurrency_data();
    void additionalCurrency();
    void textOnlyLine();
    void fromTemplates_data();
    void fromTemplates();
    void envelopesOfAllInvoices();
};

namespace {

struct Text {
    QString text;
    double x1, y1, x2, y2;
    bool bold;
};

QList<Text> TextsOf(const ReportPage& page) {
    QList<Text> out;
    for (const ReportObject& o : page.objects)
        if (o.isText())
            out << Text{o.text, o.x1, o.y1, o.x2, o.y2, o.bold};
    return out;
}

bool Has(const ReportPage& page, const QString& text) {
    for (const Text& t : TextsOf(page))
        if (t.text == text)
            return true;
    return false;
}

// The box a text was drawn in; an empty box when it is not on the page.
QRectF BoxOf(const ReportPage& page, const QString& text) {
    for (const Text& t : TextsOf(page))
        if (t.text == text)
            return QRectF(QPointF(t.x1, t.y1), QPointF(t.x2, t.y2));
    return QRectF();
}

ReportDocument Printed(InvoicingFixture& f, qint64 code) {
    const QString file = f.dataDir.filePath("faktura.zst");
    if (!PrintInvoice(f.app, code, "N", file))
        qWarning() << "print failed";
    ReportDocument doc;
    QString error;
    if (!LoadReport(file, doc, &error))
        qWarning() << error;
    return doc;
}

QStringList Lines(int n, const QString& rate = "19") {
    QStringList out;
    for (int i = 1; i <= n; ++i)
        out << QString("Položka %1|1|ks|10|%2|10").arg(i).arg(rate);
    return out;
}

} // namespace

void TestInvoicePrint::linesPerPage_data() {
    QTest::addColumn<double>("margin");
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("further");
    QTest::addColumn<int>("pages");
    QTest::newRow("margin 0, 24 lines") << 0.0 << 24 << 24 << 44 << 1;
    QTest::newRow("margin 0, 30 lines") << 0.0 << 30 << 24 << 44 << 2;
    QTest::newRow("margin 0, 68 lines") << 0.0 << 68 << 24 << 44 << 2;
    QTest::newRow("margin 0, 69 lines") << 0.0 << 69 << 24 << 44 << 3;
    QTest::newRow("margin 30, 60 lines") << 30.0 << 60 << 17 << 37 << 3;
    QTest::newRow("no lines") << 20.0 << 0 << 20 << 40 << 1;
}

void TestInvoicePrint::linesPerPage() {
    QFETCH(double, margin);
    QFETCH(int, lines);
    QTEST(FirstPageLines(margin), "first");
    QTEST(FurtherPageLines(margin), "further");
    QTEST(InvoicePages(lines, margin), "pages");
}

// 60 lines with a bottom margin of 30 mm: pages of 17, 37 and 6 lines; the subtotals on the
// first two count every line so far, the recapitulation stands on the last one only.
void TestInvoicePrint::longInvoiceOverThreePages() {
    InvoicingFixture f;
    SeedInvoicing(f, {{"DOLNYOKRAJ", "30"}});
    AddStoredInvoice(f, 1, "2010/001", "0012345", "15.6.2010", Lines(60), {{"TYP", "D"}});
    const ReportDocument doc = Printed(f, 1);
    QCOMPARE(doc.pages.size(), 3);
    const double e = 20 - 30;
    for (int p = 0; p < 3; ++p) {
        const ReportPage& page = doc.pages[p];
        QVERIFY(Has(page, "DOBROPIS"));
        QCOMPARE(BoxOf(page, "Strana :"), QRectF(QPointF(10, 0), QPointF(30, 7)));
        QVERIFY(Has(page, QString("%1 / 3").arg(p + 1)));
        QCOMPARE(Has(page, "M E D Z I S Ú Č E T :"), p < 2);
        QCOMPARE(Has(page, "S P O L U :"), p == 2);
    }
    // Page 1: lines 1 to 17 from y 113; page 2 starts with line 18 at y 23.
    QCOMPARE(BoxOf(doc.pages[0], "Položka 1"), QRectF(QPointF(2, 113 + 4.5 * 0), QPointF(99, 117.5)));
    QVERIFY(Has(doc.pages[0], "Položka 17"));
    QVERIFY(!Has(doc.pages[0], "Položka 18"));
    QCOMPARE(BoxOf(doc.pages[1], "Položka 18"), QRectF(QPointF(2, 23), QPointF(99, 27.5)));
    QVERIFY(Has(doc.pages[1], "Položka 54"));
    QVERIFY(Has(doc.pages[2], "Položka 60"));
    // Subtotals: 17 lines and 54 lines of 10,00 at 19 %.
    QCOMPARE(BoxOf(doc.pages[0], "170,00"), QRectF(QPointF(90, 196 + e + 15.5), QPointF(118, 196 + e + 20.5)));
    QCOMPARE(BoxOf(doc.pages[0], "32,30"), QRectF(QPointF(147, 196 + e + 15.5), QPointF(178, 196 + e + 20.5)));
    QVERIFY(Has(doc.pages[1], "540,00"));
    QVERIFY(Has(doc.pages[1], "102,60"));
    // The total to pay: 600 at 19 %, bold 6 mm where the totals box moved 30 mm up.
    const QRectF total = BoxOf(doc.pages[2], "714,00");
    QCOMPARE(total, QRectF(QPointF(125, 203 + e + 28), QPointF(178, 203 + e + 34)));
    // The customer's IČO as typed, leading zeros included.
    QCOMPARE(BoxOf(doc.pages[0], "0012345"), QRectF(QPointF(150, 41.75), QPointF(190, 46.5)));

    // The viewer makes three PDF pages of it.
    QProcess zorode;
    const QString pdf = f.dataDir.filePath("faktura.pdf");
    zorode.start(ZORODE_BINARY, {f.dataDir.filePath("faktura.zst"), "--pdf", pdf});
    QVERIFY(zorode.waitForFinished(60000));
    QCOMPARE(zorode.exitCode(), 0);
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    static const QRegularExpression page("/Type\\s*/Page(?!s)");
    QCOMPARE(int(QString::fromLatin1(file.readAll()).count(page)), 3);
}

void TestInvoicePrint::layoutsByDateAndPayer_data() {
    QTest::addColumn<QString>("issued");
    QTest::addColumn<QString>("payer");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QStringList>("absent");
    QTest::newRow("30.04.2004")
        << "30.4.2004" << "A"
        << QStringList{"FAKTÚRA - DAŇOVÝ DOKLAD", "1. Dodávateľ", "4. Odberateľ (IČO)", "(DIČ)",
                       "1020304050", "2020111222", "Deň uskut. zdaň. plnenia :"}
        << QStringList{"FAKTÚRA", "IČ DPH:", "Dátum dodávky :"};
    QTest::newRow("01.05.2004")
        << "1.5.2004" << "A"
        << QStringList{"FAKTÚRA", "1. Dodávateľ-platiteľ", "4. Odberateľ-príjemca (IČO)",
                       "IČ DPH:", "DIČ:", "SK1020304050", "IČDPH / DIČ:",
                       "SK2020111222 / 2020111222", "Dátum dodávky :", "%DPH",
                       "Oslobodené od DPH"}
        << QStringList{"FAKTÚRA - DAŇOVÝ DOKLAD", "Deň uskut. zdaň. plnenia :"};
    // Rates 5, 19 and 23 %: the first level is taxed, not exempt.
    QTest::newRow("first rate 5 %")
        << "1.3.2025" << "A" << QStringList{"Sadzba dane :", "%DPH"}
        << QStringList{"Oslobodené od DPH"};
    QTest::newRow("non-payer")
        << "1.6.2010" << "N"
        << QStringList{"Dátum dodania :", "Jednotková", "Spolu :", "Zaokrúhlenie :"}
        << QStringList{"%DPH", "S P O L U :", "Oslobodené od DPH"};
}

void TestInvoicePrint::layoutsByDateAndPayer() {
    QFETCH(QString, issued);
    QFETCH(QString, payer);
    QFETCH(QStringList, present);
    QFETCH(QStringList, absent);
    InvoicingFixture f;
    SeedInvoicing(f, {{"PLATCADAN", payer}});
    AddStoredInvoice(f, 1, "2004/001", "0012345", issued, {"Rámy|1|ks|10|19|10"});
    const ReportDocument doc = Printed(f, 1);
    QCOMPARE(doc.pages.size(), 1);
    for (const QString& t : present)
        QVERIFY2(Has(doc.pages[0], t), qPrintable(t));
    for (const QString& t : absent)
        QVERIFY2(!Has(doc.pages[0], t), qPrintable(t));
}

// Two series may give the same number: the print takes the invoice by its code.
void TestInvoicePrint::printedByCodeNotByNumber() {
    InvoicingFixture f;
    SeedInvoicing(f);
    AddStoredInvoice(f, 1, "001", "0012345", "15.6.2010", {"Prvá|1|ks|10|19|10"});
    AddStoredInvoice(f, 2, "001", "35697270", "15.6.2010", {"Druhá|1|ks|20|19|20"});
    const ReportDocument doc = Printed(f, 2);
    QVERIFY(Has(doc.pages[0], "Zrak a.s."));
    QVERIFY(Has(doc.pages[0], "Druhá"));
    QVERIFY(!Has(doc.pages[0], "Prvá"));
    QVERIFY(Has(doc.pages[0], "23,80"));
}

void TestInvoicePrint::additionalCurrency_data() {
    QTest::addColumn<QString>("currency");
    QTest::addColumn<QString>("additional");
    QTest::addColumn<QString>("converted"); // empty: no converted line
    // 100 at 19 %: 119,00.
    QTest::newRow("Sk to EUR") << "Sk" << "EUR" << "3,95";
    QTest::newRow("EUR to Sk") << "EUR" << "SK" << "3584,99";
    QTest::newRow("USD to EUR: not converted") << "USD" << "EUR" << "";
    QTest::newRow("Sk to Sk: not converted") << "Sk" << "Sk" << "";
}

void TestInvoicePrint::additionalCurrency() {
    QFETCH(QString, currency);
    QFETCH(QString, additional);
    QFETCH(QString, converted);
    InvoicingFixture f;
    SeedInvoicing(f);
    AddStoredInvoice(f, 1, "2010/001", "0012345", "15.6.2010", {"Rámy|1|ks|100|19|100"},
                     {{"MENA", currency}, {"DMENA", additional}, {"KURZ", "30,126"},
                      {"ZOBRAZDM", "A"}});
    const ReportDocument doc = Printed(f, 1);
    const ReportPage& page = doc.pages[0];
    QVERIFY(Has(page, "119,00"));
    QCOMPARE(Has(page, "Konverný kurz: 1 EUR = 30,126 SKK"), !converted.isEmpty());
    if (!converted.isEmpty()) {
        const double y2 = 203 + 20;
        QCOMPARE(BoxOf(page, converted), QRectF(QPointF(125, y2 + 33), QPointF(178, y2 + 39)));
    }
    // The receipt line moves down with the additional currency either way.
    QCOMPARE(BoxOf(page, "Prevzal : ").top(), 203 + 20 + 43.0);
}

// A line with a text only prints across the width and adds nothing to the subtotal; the whole
// invoice moves by the owner's shift.
void TestInvoicePrint::textOnlyLine() {
    InvoicingFixture f;
    SeedInvoicing(f, {{"POSUNXF", "3"}, {"POSUNYF", "-2"}});
    QStringList lines = Lines(30);
    lines.insert(2, "Dodávka podľa objednávky č. 15|0||0|0|0");
    AddStoredInvoice(f, 1, "2010/001", "0012345", "15.6.2010", lines);
    const ReportDocument doc = Printed(f, 1);
    QCOMPARE(doc.pages.size(), 2);
    QCOMPARE(BoxOf(doc.pages[0], "Dodávka podľa objednávky č. 15"),
             QRectF(QPointF(2 + 3, 113 + 4.5 * 2 - 2), QPointF(193 + 3, 113 + 4.5 * 3 - 2)));
    // 23 priced lines on page 1.
    QVERIFY(Has(doc.pages[0], "230,00"));
}

void TestInvoicePrint::fromTemplates_data() {
    QTest::addColumn<QString>("payer");
    QTest::addColumn<int>("lines");
    QTest::addColumn<QStringList>("pageMarks"); // "XXX_STRANA" of each page; "" for none
    QTest::newRow("payer, 25 lines: one form") << "A" << 25 << QStringList{""};
    QTest::newRow("payer, 26 lines: first page and one more")
        << "A" << 26 << QStringList{"Strana: 1/2", "Strana: 2/2"};
    QTest::newRow("payer, 108 lines") << "A" << 108
                                      << QStringList{"Strana: 1/4", "Strana: 2/4", "Strana: 3/4",
                                                     "Strana: 4/4"};
    QTest::newRow("non-payer, 67 lines")
        << "N" << 67 << QStringList{"Strana: 1/3", "Strana: 2/3", "Strana: 3/3"};
}

// Every line lands on exactly one page, every placeholder is filled, the totals stand on the
// first and the last page.
void TestInvoicePrint::fromTemplates() {
    QFETCH(QString, payer);
    QFETCH(int, lines);
    QFETCH(QStringList, pageMarks);
    InvoicingFixture f;
    SeedInvoicing(f, {{"PLATCADAN", payer}});
    AddStoredInvoice(f, 1, "2010/001", "0012345", "15.6.2010", Lines(lines));
    const QString file = f.dataDir.filePath("predloha.zst");
    QVERIFY(PrintInvoiceFromTemplate(f.app, 1, "N", file));
    ReportDocument doc;
    QVERIFY(LoadReport(file, doc));
    QCOMPARE(doc.pages.size(), pageMarks.size());
    QMap<QString, int> seen;
    for (int p = 0; p < doc.pages.size(); ++p) {
        for (const Text& t : TextsOf(doc.pages[p])) {
            QVERIFY2(!t.text.contains("XXX_"), qPrintable(t.text));
            if (t.text.startsWith("Položka "))
                ++seen[t.text];
        }
        if (!pageMarks[p].isEmpty())
            QVERIFY2(Has(doc.pages[p], pageMarks[p]), qPrintable(pageMarks[p]));
    }
    QCOMPARE(seen.size(), lines);
    for (auto it = seen.cbegin(); it != seen.cend(); ++it)
        QCOMPARE(it.value(), 1);
    const QString total = payer == "A" ? FormatFixed(lines * 11.9, 2) : FormatFixed(lines * 10.0, 2);
    QVERIFY(Has(doc.pages.first(), total));
    QVERIFY(Has(doc.pages.last(), total));
}

// One envelope per listed invoice in list order; a customer missing from the company list
// gets none.
void TestInvoicePrint::envelopesOfAllInvoices() {
    InvoicingFixture f;
    SeedInvoicing(f);
    AddStoredInvoice(f, 1, "2010/001", "35697270", "15.6.2010", {});
    AddStoredInvoice(f, 2, "2010/002", "99999999", "15.6.2010", {});
    AddStoredInvoice(f, 3, "2010/003", "0012345", "15.6.2010", {});
    QVERIFY(f.addRow(module::kPosuny, {{"KOD", "1"}, {"NAZOVTLAC", "HP"}}));
    auto& m = f.module<TfFakd>(35);
    QVERIFY(FindByKey(m.table(), "KOD", 2));
    QObject parent;
    QAction* all = nullptr;
    for (QAction* a : m.otherCommands(nullptr, &parent))
        if (a->menu())
            for (QAction* e : a->menu()->actions())
                if (e->text() == "&E Formát 114 x 163 pre všetkých")
                    all = e;
    QVERIFY(all);
    f.ui.queueOutputDevice(0);
    all->trigger();
    ReportDocument doc;
    QVERIFY(LoadReport(f.app.reports.ReportFileName(), doc));
    QCOMPARE(doc.pages.size(), 2);
    QVERIFY(Has(doc.pages[0], "Zrak a.s."));
    QVERIFY(Has(doc.pages[1], "Optika Sever s.r.o."));
    QCOMPARE(m.table().field("KOD").asInteger(), 2);
}

VIDORAW_TEST(TestInvoicePrint)
#include "test_invoiceprint.moc"

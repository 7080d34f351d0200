#include "invoicedata.h"
#include "invoicing/sumarm.h"
#include "reports/format/reportformat.h"
#include "testmain.h"

#include <QMenu>
#include <QTableWidget>

using namespace vidoraw;
using namespace vidoraw::test;

// The invoice list's statistics and its calculated rounded total.
class TestInvoiceStatistics : public QObject {
    Q_OBJECT
private slots:
    void statistics_data();
    void statistics();
    void printedToTheViewer();
    void roundedTotalColumn();
};

namespace {

// Three invoices: one last year, two this year (one in March, one in May to the same customer
// whose IČO begins with zeros), and one next year.
void AddInvoices(InvoicingFixture& f) {
    const int y = QDate::currentDate().year();
    auto add = [&](qint64 code, const QString& ico, const QString& date, const QString& sum,
                   const QString& base) {
        AddStoredInvoice(f, code, QString("N%1").arg(code), ico, date, {},
                         {{"ICO_ODB", QString::number(ico.toLongLong())},
                          {"SUMA", sum},
                          {"BEZDPH2", base}});
    };
    add(1, "0012345", QString("20.12.%1").arg(y - 1), "119", "100");
    add(2, "0012345", QString("3.3.%1").arg(y), "238", "200");
    add(3, "35697270", QString("9.5.%1").arg(y), "11,9", "10");
    add(4, "0012345", QString("2.1.%1").arg(y + 1), "1,19", "1");
}

QAction* Command(TfFakd& m, QObject& parent, const QString& caption) {
    for (QAction* a : m.otherCommands(nullptr, &parent))
        if (a->menu())
            for (QAction* s : a->menu()->actions())
                if (s->text() == caption)
                    return s;
    return nullptr;
}

} // namespace

void TestInvoiceStatistics::statistics_data() {
    const int y = QDate::currentDate().year();
    QTest::addColumn<bool>("vatPayer");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("rows"); // "description=value", months without invoices left out
    QTest::addColumn<QString>("total");
    QTest::newRow("with VAT by month")
        << true << "&1. Hodnota faktúr s DPH podľa mesiacov"
        << QString("Vystavené faktúry s DPH podľa mesiacov v roku: %1").arg(y)
        << QStringList{QString("Do 31.12.%1=      119,00").arg(y - 1), "Marec=      238,00",
                       "Máj=       11,90", QString("Po 01.01.%1=        1,19").arg(y + 1)}
        << "      370,09";
    QTest::newRow("without VAT by customer")
        << true << "&4. Hodnota faktúr bez DPH podľa odberateľov"
        << "Vystavené faktúry bez DPH podľa odberateľov"
        // The name is found although the number lost the IČO's leading zeros.
        << QStringList{"12345 - Optika Sever s.r.o.=    301,00", "35697270 - Zrak a.s.=     10,00"}
        << "      311,00";
    QTest::newRow("non-payer by customer")
        << false << "&2. Hodnota faktúr podľa odberateľov"
        << "Vystavené faktúry podľa odberateľov"
        << QStringList{"12345 - Optika Sever s.r.o.=    358,19", "35697270 - Zrak a.s.=     11,90"}
        << "      370,09";
}

void TestInvoiceStatistics::statistics() {
    QFETCH(bool, vatPayer);
    QFETCH(QString, command);
    QFETCH(QString, title);
    QFETCH(QStringList, rows);
    QFETCH(QString, total);
    InvoicingFixture f;
    SeedInvoicing(f, {{"PLATCADAN", vatPayer ? "A" : "N"}});
    AddInvoices(f);
    auto& m = f.module<TfFakd>(35);
    QVERIFY(m.table().setOrder("CISFAKTU"));
    QVERIFY(FindByKey(m.table(), "KOD", 3));
    QObject parent;
    QAction* a = Command(m, parent, command);
    QVERIFY(a);
    f.ui.queueDialog([&](QDialog& d) {
        auto& w = As<TfSumarm>(d);
        QCOMPARE(w.windowTitle(), QString("Sumárne údaje"));
        QCOMPARE(w.lNadpis->text(), title);
        QStringList shown;
        for (int r = 0; r < w.sgSumar->rowCount(); ++r)
            if (w.sgSumar->item(r, 1)->text().trimmed() != "0,00")
                shown << w.sgSumar->item(r, 0)->text() + "=" + w.sgSumar->item(r, 1)->text();
        QCOMPARE(shown, rows);
        QCOMPARE(w.eSpolu->text(), total);
        w.pressOk();
    });
    a->trigger();
    // The list keeps its order and record.
    QCOMPARE(m.table().order(), QString("CISFAKTU"));
    QCOMPARE(m.table().field("KOD").asInteger(), 3);
}

// "Tlač" writes the rows, the total and the heading into the report file for the viewer.
void TestInvoiceStatistics::printedToTheViewer() {
    InvoicingFixture f;
    SeedInvoicing(f);
    AddInvoices(f);
    auto& m = f.module<TfFakd>(35);
    QObject parent;
    QAction* a = Command(m, parent, "&3. Hodnota faktúr s DPH podľa odberateľov");
    QVERIFY(a);
    f.ui.queueDialog([&](QDialog& d) {
        auto& w = As<TfSumarm>(d);
        f.ui.queueOutputDevice(0);
        w.bTlac->click();
        w.pressOk();
    });
    a->trigger();
    ReportDocument doc;
    QVERIFY(LoadReport(f.app.reports.ReportFileName(), doc));
    QCOMPARE(doc.pages.size(), 1);
    QStringList texts;
    for (const ReportObject& o : doc.pages[0].objects)
        if (o.isText())
            texts << o.text;
    QCOMPARE(texts, (QStringList{"Vystavené faktúry s DPH podľa odberateľov", "Popis", "Hodnota",
                                 "12345 - Optika Sever s.r.o.", "    358,19",
                                 "35697270 - Zrak a.s.", "     11,90", "Spolu:",
                                 "      370,09"}));
}

// Zaokr: the total to pay rounded by the module's code, two decimals.
void TestInvoiceStatistics::roundedTotalColumn() {
    InvoicingFixture f;
    SeedInvoicing(f, {{"KODZAOK", "3"}});
    AddStoredInvoice(f, 1, "N1", "0012345", "1.2.2010", {}, {{"SUMA", "150,7"}});
    AddStoredInvoice(f, 2, "N2", "0012345", "1.2.2010", {}, {{"SUMA", "-0,2"}});
    auto& m = f.module<TfFakd>(35);
    QVERIFY(FindByKey(m.table(), "KOD", 1));
    QCOMPARE(m.table().field("Zaokr").asString(), QString("151,00"));
    QVERIFY(FindByKey(m.table(), "KOD", 2));
    QCOMPARE(m.table().field("Zaokr").asString(), QString("0,00"));
}

VIDORAW_TEST(TestInvoiceStatistics)
#include "test_invoicestatistics.moc"

#include "billingfixture.h"
#include "core/values.h"
#include "invoicing/fakd.h"
#include "invoicing/pold.h"
#include "testmain.h"

#include <QPushButton>

using namespace vidoraw;
using namespace vidoraw::test;

// "Z poisťovne": an insurer invoice with its batches and vouchers taken over into the lines of
// a general invoice, and the insurer as that invoice's customer.
class TestInsurerTransfer : public QObject {
    Q_OBJECT
private slots:
    void linesFromTheInsurerInvoice_data();
    void linesFromTheInsurerInvoice();
    void invoiceMadeFromTheForm();
};

namespace {

// An invoicing shop on top of the billing fixture: rates 0, 6, 23 (no tax rows), two
// decimals, the codes an invoice checks, and aids at each rate and one at none of them.
void SeedInvoicingShop(BillingFixture& f, bool vatPayer) {
    QVERIFY(f.addRow(13, {{"KOD", "2"}, {"KODPOM", "00006"}, {"NAZOV", "Sklá"}, {"DPH", "6"}}));
    QVERIFY(f.addRow(13, {{"KOD", "3"}, {"KODPOM", "00023"}, {"NAZOV", "Rám"}, {"DPH", "23"}}));
    QVERIFY(f.addRow(13, {{"KOD", "4"}, {"KODPOM", "00019"}, {"NAZOV", "Iné"}, {"DPH", "19"}}));
    QVERIFY(f.addRow(29, {{"KOD", "1"}, {"NAZOV", "Banka"}, {"UCET", "B1"}, {"CISUCET", "1"},
                          {"KODBAN", "0200"}}));
    QVERIFY(f.addRow(38, {{"KOD", "1"}, {"KODKS", "0308"}, {"NAZOV", "Tovar"}}));
    QVERIFY(f.addRow(11, {{"KOD", "2"}, {"CPOI", "27"}, {"NAZOV", "Iná poisťovňa"}}));
    QVERIFY(WriteOwnerFields(f.app, {{"PLATCADAN", vatPayer ? "A" : "N"}, {"PDM", "2"},
                                     {"PDMZ", "2"}, {"KODZAOK", "1"}, {"KS", "0308"},
                                     {"UCET", "B1"}, {"KODD", "1"}, {"KODU", "1"},
                                     {"MENA", "Sk"}, {"SPLAT", "10"}}));
    f.addInvoice(1, "F2007/3", "3", "2007");
}

} // namespace

void TestInsurerTransfer::linesFromTheInsurerInvoice_data() {
    QTest::addColumn<bool>("vatPayer");
    // "aid=amount" per voucher split by ";", batches by "/"
    QTest::addColumn<QString>("vouchers");
    // the lines that are not empty, "row:text" or "row:text|quantity|price|rate"; the grid's
    // row count
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QStringList>("notices");

    const QString heading = "2:Na základe zmluvy č. Z-1 zo dňa 1.1.2004";
    const QString body = "4:Faktúrujeme Vám za základe realizovaných poukazov v optike";
    QTest::newRow("payer, all exempt, two batches")
        << true << "00001=10;00001=10/00001=12,5"
        << QStringList{heading, body, "6:Za obdobie: 3.2007 Poukazy: 3",
                       "8:Oslobodené od dane|1,00|32,50|0"}
        << 10 << "32,50" << QStringList();
    // The gross part at 6 % becomes a net price that the recapitulation taxes back.
    QTest::newRow("payer, second rate only")
        << true << "00006=106"
        << QStringList{heading, body, "6:Za obdobie: 3.2007 Poukazy: 1",
                       "8:Sadzba dane: 6|1,00|100,00|6"}
        << 10 << "106,00" << QStringList();
    QTest::newRow("payer, first and third rate")
        << true << "00001=10;00023=123"
        << QStringList{heading, body, "6:Za obdobie: 3.2007 Poukazy: 2",
                       "8:Oslobodené od dane|1,00|10,00|0", "10:Sadzdba dane: 23|1,00|100,00|23"}
        << 12 << "133,00" << QStringList();
    QTest::newRow("payer, an aid at no rate is left out")
        << true << "00019=50;00006=10,6"
        << QStringList{heading, body, "6:Za obdobie: 3.2007 Poukazy: 2",
                       "8:Sadzba dane: 6|1,00|10,00|6"}
        << 10 << "10,60"
        << QStringList{"Hodnota DPH v číselníku optických pomôcok na položke s kódom: 00019 sa "
                       "nezhoduje s aktuálne nastavenými sadzbami DPH vo voľbe Faktúry | "
                       "Číselníky | Sadzby dane!"};
    QTest::newRow("non-payer, the insurer total on the period's line")
        << false << "00001=10;00023=123"
        << QStringList{heading, body, "6:Za obdobie: 3.2007 Poukazy: 2|1,00|133,00|"}
        << 8 << "133,00" << QStringList();
    QTest::newRow("non-payer, no vouchers")
        << false << ""
        << QStringList{heading, body, "6:Za obdobie: 3.2007 Poukazy: 0|1,00|0,00|"} << 8
        << "0,00" << QStringList();
}

void TestInsurerTransfer::linesFromTheInsurerInvoice() {
    QFETCH(bool, vatPayer);
    QFETCH(QString, vouchers);
    QFETCH(QStringList, lines);
    QFETCH(int, rows);
    QFETCH(QString, total);
    QFETCH(QStringList, notices);
    BillingFixture f;
    SeedInvoicingShop(f, vatPayer);
    qint64 voucher = 0;
    const QStringList batches = vouchers.split(u'/', Qt::SkipEmptyParts);
    for (int b = 0; b < batches.size(); ++b) {
        f.addBatch(b + 1, 1, b + 1);
        for (const QString& v : batches[b].split(u';', Qt::SkipEmptyParts)) {
            const QStringList aid = v.split(u'=');
            f.addVoucher(++voucher, 1, b + 1, {{"KODOP1", aid[0]}, {"SUMAPOI1", aid[1]}});
        }
    }
    auto* form = dynamic_cast<TfFakd*>(f.app.registry.module(module::kFak));
    QVERIFY(form && form->OpenTable());
    QVERIFY(form->bZPoistovne->isEnabled());
    form->fillFromInsurerInvoice(1);
    QCOMPARE(f.ui.takeNoticeTexts(), notices);

    const QList<InvoiceItem> items = form->items().items();
    QCOMPARE(items.size(), rows);
    QStringList filled;
    for (int r = 0; r < items.size(); ++r)
        if (IsTextOnly(items[r], form->items().format())) {
            if (!items[r].text.isEmpty())
                filled << QStringLiteral("%1:%2").arg(r + 1).arg(items[r].text);
        } else {
            filled << QStringLiteral("%1:%2|%3|%4|%5")
                          .arg(r + 1)
                          .arg(items[r].text, items[r].quantity, items[r].price, items[r].rate);
        }
    QCOMPARE(filled, lines);
    QCOMPARE(form->eSuma->text(), total);
    // The customer is the contract's insurer.
    QCOMPARE(form->customerSource(), QString("1"));
    QCOMPARE(form->insurerCode(), QString("25"));
    QCOMPARE(form->eIcoOdb->text(), QString("35937874"));
    QCOMPARE(form->eNazovOdb->text(), QString("Všeobecná poisťovňa"));
}

// From the form: the insurer invoice picked from its list, the number taken over while series
// 1 is typed by hand, and the invoice saved with its insurer.
void TestInsurerTransfer::invoiceMadeFromTheForm() {
    BillingFixture f;
    SeedInvoicingShop(f, true);
    f.addInvoice(2, "F2007/4", "4", "2007");
    f.addBatch(1, 2, 1);
    f.addVoucher(1, 2, 1, {{"KODOP1", "00023"}, {"SUMAPOI1", "246"}});
    {
        RecordModule* series = f.app.registry.module(module::kCisrad);
        QVERIFY(series && series->OpenTable());
        Table& t = series->table();
        WriteLock lock(*f.db);
        QVERIFY(lock.ok() && FindByKey(t, "KOD", 1) && t.edit() &&
                t.field("POUZI").setAsString("A") && t.post() && lock.commit());
    }
    auto* invoices = dynamic_cast<TfDbForm*>(f.app.registry.module(module::kFaktura));
    QVERIFY(invoices && invoices->OpenTable());
    QVERIFY(FindByKey(invoices->table(), "KOD", 1));
    auto* m = dynamic_cast<TfFakd*>(f.app.registry.module(module::kFak));
    QVERIFY(m);
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfFakd>(d);
        // The insurer invoices open on the latest one, which is picked.
        f.ui.queueDialog([&](QDialog& list) {
            auto& b = As<TfBrowse>(list);
            QCOMPARE(b.module()->table().field("KOD").asInteger(), 2);
            b.commandPick();
        });
        form.bZPoistovne->click();
        QCOMPARE(form.eCisfaktu->text(), QString("F2007/4"));
        QCOMPARE(form.eDicOdb->text(), QString("/"));
        QCOMPARE(form.eSuma->text(), QString("246,00"));
        form.pressOk();
    });
    QCOMPARE(m->AddRecord(), 1);
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
    // The insurer invoices' list is where it was.
    QCOMPARE(invoices->table().field("KOD").asInteger(), 1);
    Table& t = m->table();
    QVERIFY(FindByKey(t, "KOD", 1));
    QCOMPARE(t.field("CISFAKTU").asString(), QString("F2007/4"));
    QCOMPARE(t.field("KDEODB").asString(), QString("1"));
    QCOMPARE(t.field("DOPLNOK").asString(), QString("25"));
    QCOMPARE(t.field("NAZOV_ODB").asString(), QString("Všeobecná poisťovňa"));
    QCOMPARE(t.field("ICO_ODBA").asString(), QString("35937874"));
    QCOMPARE(t.field("BEZDPH3").asFloat(), 200.0);
    QCOMPARE(t.field("SUMA").asFloat(), 246.0);
    QCOMPARE(t.field("DAT_SPL").asString(),
             FormatDate(DaysFromDate(QDate::currentDate().addDays(10))));

    // Opened again, the customer block comes from the insurer.
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfFakd>(d);
        QCOMPARE(form.eNazovOdb->text(), QString("Všeobecná poisťovňa"));
        QCOMPARE(form.ePrijNazov->text(), QString("Všeobecná poisťovňa"));
        form.pressBack();
    });
    QCOMPARE(m->ShowRecord(), 0);
}

VIDORAW_TEST(TestInsurerTransfer)

#include "test_insurertransfer.moc"

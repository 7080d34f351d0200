#include "testmain.h"
#include "voucherformfixture.h"

#include "vouchers/vouchertotals.h"

using namespace vidoraw;
using namespace vidoraw::test;

// The amounts of a voucher the batches sum: totals, number of aids and the split of the insurer
// total over the three VAT rates in force on the dispensing date.
class TestVoucherTotals : public QObject {
    Q_OBJECT
private slots:
    void totalsAndSplit_data();
    void totalsAndSplit();
    void mismatchMessage();
};

using Parts = QList<double>;

void TestVoucherTotals::totalsAndSplit_data() {
    QTest::addColumn<QStringList>("fields"); // FIELD=value of the voucher
    QTest::addColumn<double>("insurer");
    QTest::addColumn<double>("patient");
    QTest::addColumn<int>("aids");
    QTest::addColumn<Parts>("parts");
    QTest::addColumn<QStringList>("unmatched");

    // Aids: 00001 at 10 %, 10001 and 00123 at 20 %, 00007 at 0 %, 00006 at 6 %.
    // Rates: 0/6/23 from 2023, 0/10/20 from 2024, 5/10/20 from 2025; 6/10/20 for the run.
    QTest::newRow("10 % and 20 %, empty lines in the 0 % part")
        << QStringList{"DATUMVYD=31.3.2024", "KODOP1=00001", "SUMAPOI1=10", "SUMAPAC1=1,5",
                       "KODOP2=10001", "SUMAPOI2=5,5", "KODOP4=00123", "SUMAPOI4=12,25",
                       "SUMAPAC4=0,25"}
        << 27.75 << 1.75 << 3 << Parts{0, 10, 17.75} << QStringList();
    QTest::newRow("a rate in force no longer is in no part")
        << QStringList{"DATUMVYD=31.3.2024", "KODOP1=00006", "SUMAPOI1=3", "KODOP2=00001",
                       "SUMAPOI2=10", "KODOP3=00006", "SUMAPOI3=3"}
        << 16.0 << 0.0 << 3 << Parts{0, 10, 0} << QStringList{"00006"};
    QTest::newRow("dispensed before the rates changed")
        << QStringList{"DATUMVYD=31.12.2023", "KODOP1=00006", "SUMAPOI1=3", "KODOP2=00001",
                       "SUMAPOI2=10"}
        << 13.0 << 0.0 << 2 << Parts{0, 3, 0} << QStringList{"00001"};
    QTest::newRow("an aid not in the list counts as 0 %")
        << QStringList{"DATUMVYD=1.6.2024", "KODOP1=99999", "SUMAPOI1=4"}
        << 4.0 << 0.0 << 1 << Parts{4, 0, 0} << QStringList();
    QTest::newRow("no 0 % rate: an aid at 0 % matches none, an empty line names no aid")
        << QStringList{"DATUMVYD=1.2.2025", "KODOP1=00007", "SUMAPOI1=2", "KODOP2=00001",
                       "SUMAPOI2=10"}
        << 12.0 << 0.0 << 2 << Parts{0, 10, 0} << QStringList{"00007"};
    QTest::newRow("line 5 is never counted")
        << QStringList{"DATUMVYD=31.3.2024", "KODOP1=00001", "SUMAPOI1=10", "KODOP5=10001",
                       "SUMAPOI5=5", "SUMAPAC5=5"}
        << 10.0 << 0.0 << 1 << Parts{0, 10, 0} << QStringList();
    QTest::newRow("without a dispensing date: the rates of the run")
        << QStringList{"KODOP1=00006", "SUMAPOI1=3", "KODOP2=00001", "SUMAPOI2=10"}
        << 13.0 << 0.0 << 2 << Parts{3, 10, 0} << QStringList();
}

void TestVoucherTotals::totalsAndSplit() {
    QFETCH(QStringList, fields);
    QFETCH(double, insurer);
    QFETCH(double, patient);
    QFETCH(int, aids);
    QFETCH(Parts, parts);
    QFETCH(QStringList, unmatched);
    VoucherFormFixture f;
    QVERIFY(f.addVatRates(2023, 1, 0, 6, 23));
    QVERIFY(f.addVatRates(2024, 1, 0, 10, 20));
    QVERIFY(f.addVatRates(2025, 1, 5, 10, 20));
    f.app.vatRates = {6, 10, 20}; // the rates of the run: in force in no month above
    QList<QPair<QString, QString>> values{{"KOD", "1"}};
    for (const QString& field : fields)
        values << qMakePair(field.section('=', 0, 0), field.section('=', 1));
    QVERIFY(f.addRow(module::kPoukazv, values));
    Table& t = f.vouchers().table();
    QVERIFY(FindByKey(t, "KOD", 1));

    const VoucherTotals totals = TotalsOf(t);
    QCOMPARE(totals.insurer, insurer);
    QCOMPARE(totals.patient, patient);
    QCOMPARE(totals.aids, aids);
    const VatSplit split = SplitByVat(f.app, t);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(split.parts[size_t(i)], parts[i]);
    QCOMPARE(split.unmatchedAids, unmatched);
    QCOMPARE(split.complete(), unmatched.isEmpty());
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
}

void TestVoucherTotals::mismatchMessage() {
    ScriptedInteraction ui;
    VatSplit split;
    split.unmatchedAids = {"00006"};
    ShowVatMismatches(split);
    const QList<RecordedNotice> notices = ui.takeNotices();
    QCOMPARE(TextsOf(notices),
             QStringList{"Hodnota DPH v číselníku optických pomôcok na položke s kódom: 00006 sa "
                         "nezhoduje s aktuálne nastavenými sadzbami DPH vo voľbe Faktúry | "
                         "Číselníky | Sadzby dane!"});
    QCOMPARE(notices[0].title, QString("Oznam"));
}

VIDORAW_TEST(TestVoucherTotals)
#include "test_vouchertotals.moc"

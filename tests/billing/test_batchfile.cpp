#include "billing/batchfile.h"
#include "billingfixture.h"
#include "testmain.h"

#include <QFile>

using namespace vidoraw;
using namespace vidoraw::test;

// The batch file as the insurers read it: periods and layouts, file names, field formats, the
// lines of a batch in each layout, the bytes on disk.
class TestBatchFile : public QObject {
    Q_OBJECT
private slots:
    void periodAndVariant_data();
    void periodAndVariant();
    void fileNames_data();
    void fileNames();
    void fieldFormats_data();
    void fieldFormats();
    void lines_data();
    void lines();
    void bytesOnDisk();
    void unrepresentableTextWritesNothing();
    void doctorLookedUpAtExport();
};

void TestBatchFile::periodAndVariant_data() {
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("period");
    QTest::addColumn<int>("variant");
    QTest::newRow("7/2004 last A") << "7" << "2004" << "200407" << int(BatchVariant::A);
    QTest::newRow("8/2004 first B") << "8" << "2004" << "200408" << int(BatchVariant::B);
    QTest::newRow("08/2004 as typed") << "08" << "2004" << "200408" << int(BatchVariant::B);
    QTest::newRow("12/2006 last B") << "12" << "2006" << "200612" << int(BatchVariant::B);
    QTest::newRow("1/2007 first C") << "1" << "2007" << "200701" << int(BatchVariant::C);
    QTest::newRow("month with blanks") << " 3 " << "2009" << "200903" << int(BatchVariant::C);
    QTest::newRow("empty month") << "" << "2009" << "200900" << int(BatchVariant::C);
}

void TestBatchFile::periodAndVariant() {
    QFETCH(QString, month);
    QFETCH(QString, year);
    QFETCH(QString, period);
    QFETCH(int, variant);
    QCOMPARE(BatchPeriod(month, year), period);
    QCOMPARE(int(VariantOfPeriod(period)), variant);
}

void TestBatchFile::fileNames_data() {
    QTest::addColumn<qint64>("number");
    QTest::addColumn<QString>("name");
    QTest::newRow("1") << qint64(1) << "DAVKA.01";
    QTest::newRow("9") << qint64(9) << "DAVKA.09";
    QTest::newRow("10") << qint64(10) << "DAVKA.10";
    QTest::newRow("12") << qint64(12) << "DAVKA.12";
    QTest::newRow("100") << qint64(100) << "DAVKA.100";
}

void TestBatchFile::fileNames() {
    QFETCH(qint64, number);
    QFETCH(QString, name);
    QCOMPARE(BatchFileName(number), name);
    QVERIFY(IsBatchFileName(name));
    QVERIFY(IsBatchFileName(name.toLower()));
}

void TestBatchFile::fieldFormats_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("written");
    QTest::newRow("amount 17.005") << "amount" << QVariant(17.005) << "17.00";
    QTest::newRow("amount 0.125, an exact half") << "amount" << QVariant(0.125) << "0.13";
    QTest::newRow("amount 2.675") << "amount" << QVariant(2.675) << "2.67";
    QTest::newRow("amount 1234.5") << "amount" << QVariant(1234.5) << "1234.50";
    QTest::newRow("amount negative") << "amount" << QVariant(-3.5) << "-3.50";
    QTest::newRow("amount empty") << "amount" << QVariant() << "0.00";
    QTest::newRow("birth number") << "rc" << QVariant("800101/1007") << "8001011007";
    QTest::newRow("birth number of nine digits") << "rc" << QVariant("450101/123") << "450101123";
    // Cutting by position would lose a digit of these.
    QTest::newRow("birth number without slash") << "rc" << QVariant("8001011007") << "8001011007";
    QTest::newRow("birth number with blanks") << "rc" << QVariant(" 800101/1007 ") << "8001011007";
    QTest::newRow("doctor code") << "doctor" << QVariant("1234-56-789") << "123456789";
    QTest::newRow("doctor code without dashes") << "doctor" << QVariant("123456789") << "123456789";
    QTest::newRow("doctor code short") << "doctor" << QVariant("12-3") << "123";
    QTest::newRow("date") << "date" << QVariant(QDate(2007, 3, 5)) << "20070305";
    QTest::newRow("date empty") << "date" << QVariant(QDate()) << "00000000";
}

void TestBatchFile::fieldFormats() {
    QFETCH(QString, kind);
    QFETCH(QVariant, value);
    QFETCH(QString, written);
    if (kind == "amount")
        QCOMPARE(BatchAmount(value), written);
    else if (kind == "rc")
        QCOMPARE(BatchBirthNumber(value.toString()), written);
    else if (kind == "doctor")
        QCOMPARE(BatchDoctorCode(value.toString()), written);
    else
        QCOMPARE(BatchDate(value.toDate()), written);
}

namespace {

// Three vouchers: aids on lines 1, 2 and 4; none at all; an insured person from abroad with a
// nine-character identification number, a doctor missing from the doctors and no prescription date.
QList<BatchVoucher> SampleVouchers() {
    BatchVoucher a;
    a.rodcis = "800101/1007";
    a.kodpoikl = " 25";
    a.kodpec = "1234-56-789";
    a.kodpoilek = "25 ";
    a.koddiag = "H52 0";
    a.kododlek = " X1 ";
    a.datum = QDate(2007, 3, 1);
    a.datumvyd = QDate(2007, 3, 15);
    a.doctorProvider = "P1";
    a.doctorNew = "A1";
    a.lines[0] = {"00001", "1", 10.0, QVariant()};
    a.lines[1] = {"10001", "2", 17.005, 0.125};
    a.lines[3] = {"00123", "1", 2.675, 1234.5};
    BatchVoucher none = a;
    none.lines = {};
    BatchVoucher foreign = a;
    foreign.rodcis = "755101/123";
    foreign.statpoi = "AT";
    foreign.icpoi = "AT1234567";
    foreign.pohlpoi = "M";
    foreign.datum = QDate();
    foreign.doctorProvider.clear();
    foreign.doctorNew.clear();
    foreign.lines = {};
    foreign.lines[0] = {"00001", "1", 10.0, 0.0};
    return {a, none, foreign};
}

BatchFileHeader SampleHeader(const QString& month, const QString& year) {
    BatchFileHeader h;
    h.invoiceNumber = " F1 ";
    h.obdmm = month;
    h.obdrr = year;
    h.contractNumber = " Z-1 ";
    h.contractIco = " 35937874 ";
    h.insurer = "25";
    h.ownerIco = " 12345678 ";
    h.providerCode = " P999 ";
    h.providerIdent = " ID77 ";
    h.batchNumber = "1";
    h.created = QDate(2007, 2, 5);
    return h;
}

} // namespace

void TestBatchFile::lines_data() {
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("A") << "7" << "2004"
                       << QStringList{"E|138|12345678|35937874|20070205|1|3|1|1|25|",
                                      "F1|200407|Z-1|",
                                      "8001011007|25|00001|123456789|20070315|1|1|10.00|0.00|25|H520|20070301|X1|",
                                      "8001011007|25|10001|123456789|20070315|1|2|17.00|0.13|25|H520|20070301|X1|",
                                      "8001011007|25|00123|123456789|20070315|1|1|2.67|1234.50|25|H520|20070301|X1|",
                                      "755101123|25|00001|123456789|20070315|3|1|10.00|0.00|25|H520|00000000|X1|"};
    // Nine characters abroad keep the birth number in B (it goes from ten on).
    QTest::newRow("B") << "8" << "2004"
                       << QStringList{"E|138|12345678|35937874|20070205|1|3|1|1|25|",
                                      "F1|200408|Z-1|",
                                      "8001011007|25|00001|123456789|20070315|1|1|10.00|0.00|25|H520|20070301|X1||||",
                                      "8001011007|25|10001|123456789|20070315|1|2|17.00|0.13|25|H520|20070301|X1||||",
                                      "8001011007|25|00123|123456789|20070315|1|1|2.67|1234.50|25|H520|20070301|X1||||",
                                      "755101123|25|00001|123456789|20070315|3|1|10.00|0.00|25|H520|00000000|X1|AT|AT1234567|M|"};
    QTest::newRow("C") << "1" << "2007"
                       << QStringList{"E|738|12345678|20070205|1|3|1|1|25|",
                                      "F1|200701|ID77|P999|",
                                      "1|8001011007|20070301|20070315|P1|A1|00001|H520|1|10.00|0.00||||",
                                      "1|8001011007|20070301|20070315|P1|A1|10001|H520|2|17.00|0.13||||",
                                      "1|8001011007|20070301|20070315|P1|A1|00123|H520|1|2.67|1234.50||||",
                                      "3||00000000|20070315|||00001|H520|1|10.00|0.00|AT|AT1234567|M|"};
}

void TestBatchFile::lines() {
    QFETCH(QString, month);
    QFETCH(QString, year);
    QFETCH(QStringList, expected);
    const QStringList got = BatchFileLines(SampleHeader(month, year), SampleVouchers());
    QCOMPARE(got, expected);
    // Only the foreign voucher makes the batch "E".
    QList<BatchVoucher> home = SampleVouchers().mid(0, 2);
    QCOMPARE(BatchFileLines(SampleHeader(month, year), home).first().left(2), QString("N|"));
    // An empty batch: both headers, N = 0.
    const QStringList empty = BatchFileLines(SampleHeader(month, year), {});
    QCOMPARE(empty.size(), 2);
    QCOMPARE(empty.first().section('|', month == "1" ? 5 : 6, month == "1" ? 5 : 6), QString("0"));
}

// Through the tables: code page 1250, CR LF after every line, the file named by the batch number.
void TestBatchFile::bytesOnDisk() {
    BillingFixture f;
    f.addInvoice(1, "F1", "1", "2007");
    f.addBatch(1, 1, 9);
    f.addVoucher(1, 1, 1, {{"PRIEZVISK", "Žilková"}, {"KODDIAG", "H52"}, {"KODODLEK", "Ďurík"}});
    QTemporaryDir out;
    QString error;
    QVERIFY2(WriteBatchFile(f.app, 1, 1, out.path(), BatchFileName(9), &error), qPrintable(error));
    QFile file(out.filePath("DAVKA.09"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const QString today = QDate::currentDate().toString("yyyyMMdd");
    QByteArray expected = "N|738|12345678|" + today.toLatin1() + "|9|1|1|1|25|\r\n" +
                          "F1|200701|ID77|P99999999999|\r\n" +
                          "1|8001011007|20070301|20070315|P12345678901|A12345678|00001|H52|1|10.00|0.00||||\r\n";
    QCOMPARE(bytes, expected);
    // Only the temporary-and-rename leaves nothing else behind.
    QCOMPARE(QDir(out.path()).entryList(QDir::Files), QStringList{"DAVKA.09"});

    // A period of layout A names the referring doctor, whose diacritics are one byte each.
    QVERIFY(f.addRow(15, {{"KOD", "2"}, {"CISFAK", "F2"}, {"OBDMM", "3"}, {"OBDRR", "2004"}, {"KODZML", "1"}}));
    f.addBatch(2, 2, 1);
    f.addVoucher(2, 2, 2, {{"KODODLEK", "Ďurík"}});
    QVERIFY2(WriteBatchFile(f.app, 2, 2, out.path(), "DAVKA.01", &error), qPrintable(error));
    QFile a(out.filePath("DAVKA.01"));
    QVERIFY(a.open(QIODevice::ReadOnly));
    const QByteArray lineA = a.readAll().split('\n').value(2);
    QVERIFY(lineA.endsWith("|\xCF" "ur\xED" "k|\r"));
}

// A text code page 1250 cannot hold stops the file before anything is written.
void TestBatchFile::unrepresentableTextWritesNothing() {
    BillingFixture f;
    f.addInvoice(1, "F1", "1", "2007");
    f.addBatch(1, 1, 1);
    f.addVoucher(1, 1, 1, {{"STATPOI", "Ω"}});
    QTemporaryDir out;
    QString error;
    QVERIFY(!WriteBatchFile(f.app, 1, 1, out.path(), "DAVKA.01", &error));
    QVERIFY(error.contains(QStringLiteral("Ω")));
    QVERIFY(QDir(out.path()).entryList(QDir::Files).isEmpty());
}

// Layout C carries the doctor's codes as the doctors list has them at export time; a doctor
// missing from the list leaves them empty.
void TestBatchFile::doctorLookedUpAtExport() {
    BillingFixture f;
    f.addInvoice(1, "F1", "1", "2007");
    f.addBatch(1, 1, 1);
    f.addVoucher(1, 1, 1);
    f.addVoucher(2, 1, 1, {{"KODLEK", "99"}});
    BatchFileHeader h;
    QList<BatchVoucher> vouchers;
    QVERIFY(CollectBatch(f.app, 1, 1, h, vouchers));
    QCOMPARE(vouchers.size(), 2);
    QCOMPARE(vouchers[0].doctorProvider, QString("P12345678901"));
    QCOMPARE(vouchers[0].doctorNew, QString("A12345678"));
    QCOMPARE(vouchers[1].doctorProvider, QString());
    QCOMPARE(vouchers[1].doctorNew, QString());
    QCOMPARE(h.invoiceNumber, QString("F1"));
    QCOMPARE(h.contractNumber, QString("Z-1"));
    QCOMPARE(h.insurer, QString("25"));
    QCOMPARE(h.batchNumber, QString("1"));
}

VIDORAW_TEST(TestBatchFile)
#include "test_batchfile.moc"

#include "invoicingfixture.h"
#include "invoicing/numberseries.h"
#include "testmain.h"

#include <QProcess>
#include <QSet>

using namespace vidoraw;
using namespace vidoraw::test;

// Invoice numbers from the number series: their form, the proposal in each mode, the counter,
// and two workstations saving invoices at the same time.
class TestNumberSeries : public QObject {
    Q_OBJECT
private slots:
    void formatSeriesNumber_data();
    void formatSeriesNumber();
    void nextInvoiceNumber_data();
    void nextInvoiceNumber();
    void noSeriesNoProposal();
    void advanceSeries_data();
    void advanceSeries();
    void issuedNumber_data();
    void issuedNumber();
    void issuedOnlyInsideTheSave();
    void twoWorkstationsNeverShareANumber_data();
    void twoWorkstationsNeverShareANumber();
};

void TestNumberSeries::formatSeriesNumber_data() {
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<qint64>("counter");
    QTest::addColumn<int>("digits");
    QTest::addColumn<QString>("postfix");
    QTest::addColumn<QString>("number");
    QTest::newRow("padded") << "2008/" << qint64(12) << 3 << "" << "2008/012";
    QTest::newRow("wider than the digits") << "2008/" << qint64(1234) << 3 << "" << "2008/1234";
    QTest::newRow("with postfix") << "F" << qint64(7) << 5 << "/08" << "F00007/08";
    QTest::newRow("no digits") << "" << qint64(5) << 0 << "" << "5";
    // A mistyped width pads no further than any counter could need.
    QTest::newRow("absurd width") << "" << qint64(1) << 1000000000 << ""
                                  << QString(19, '0') + '1';
}

void TestNumberSeries::formatSeriesNumber() {
    QFETCH(QString, prefix);
    QFETCH(qint64, counter);
    QFETCH(int, digits);
    QFETCH(QString, postfix);
    QTEST(FormatSeriesNumber(prefix, counter, digits, postfix), "number");
}

void TestNumberSeries::nextInvoiceNumber_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("counter");
    QTest::addColumn<QString>("postfix");
    QTest::addColumn<QStringList>("invoices");
    QTest::addColumn<QString>("proposal");
    const QStringList existing{"2008/001", "2008/017", "2008/x", "2007/050"};
    QTest::newRow("B") << "B" << "2008/" << "12" << "" << existing << "2008/012";
    QTest::newRow("B, counter wider") << "B" << "2008/" << "1234" << "" << existing
                                      << "2008/1234";
    QTest::newRow("C") << "C" << "2008/" << "1" << "" << existing << "2008/018";
    QTest::newRow("C, nothing of the series yet")
        << "C" << "2009/" << "12" << "" << existing << "2009/001";
    QTest::newRow("C, with postfix")
        << "C" << "" << "1" << "/F" << QStringList{"005/F", "009", "/F", "0x1/F", "004/F"}
        << "006/F";
    QTest::newRow("C, no invoices") << "C" << "2008/" << "40" << "" << QStringList() << "2008/001";
    QTest::newRow("A") << "A" << "2008/" << "12" << "" << existing << "";
    QTest::newRow("no mode") << "" << "2008/" << "12" << "" << existing << "";
    QTest::newRow("unknown mode") << "b" << "2008/" << "12" << "" << existing << "";
}

void TestNumberSeries::nextInvoiceNumber() {
    QFETCH(QString, mode);
    QFETCH(QString, prefix);
    QFETCH(QString, counter);
    QFETCH(QString, postfix);
    QFETCH(QStringList, invoices);
    QFETCH(QString, proposal);
    InvoicingFixture f;
    QVERIFY(f.setFields(37, 1, {{"POUZI", mode}, {"PREFIX", prefix}, {"POCITADLO", counter},
                                {"POSTFIX", postfix}}));
    for (int i = 0; i < invoices.size(); ++i)
        QVERIFY(f.addRow(35, {{"KOD", QString::number(i + 1)}, {"CISFAKTU", invoices[i]}}));
    // A filter on the invoice list hides nothing from the scan.
    Table& list = f.module(35).table();
    QVERIFY(list.setFilterText("CISFAKTU = 'nič'"));
    list.setFiltered(true);
    QCOMPARE(NextInvoiceNumber(f.app), proposal);
    QVERIFY(list.isFiltered());
    QCOMPARE(list.recordCount(), 0);
    // The counter is not moved by a proposal.
    QCOMPARE(f.field(37, 1, "POCITADLO"), counter);
}

void TestNumberSeries::noSeriesNoProposal() {
    InvoicingFixture f;
    Table& t = f.module(37).table();
    {
        WriteLock lock(*f.app.db);
        QVERIFY(lock.ok() && FindByKey(t, "KOD", 1) && t.remove() && lock.commit());
    }
    QCOMPARE(NextInvoiceNumber(f.app), QString());
    QVERIFY(AdvanceSeries(f.app, 1));
}

void TestNumberSeries::advanceSeries_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("after");
    QTest::newRow("B counts") << "B" << "13";
    QTest::newRow("A stays") << "A" << "12";
    QTest::newRow("C stays") << "C" << "12";
}

void TestNumberSeries::advanceSeries() {
    QFETCH(QString, mode);
    QFETCH(QString, after);
    InvoicingFixture f;
    QVERIFY(f.setFields(37, 1, {{"POUZI", mode}, {"POCITADLO", "12"}}));
    QVERIFY(f.addRow(37, {{"KOD", "2"}, {"POUZI", "B"}, {"POCITADLO", "5"}}));
    QVERIFY(AdvanceSeries(f.app, 1));
    QCOMPARE(f.field(37, 1, "POCITADLO"), after);
    QCOMPARE(f.field(37, 2, "POCITADLO"), QString("5"));
}

void TestNumberSeries::issuedNumber_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("typed"); // "=" keeps the proposal
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("counter");
    // Another workstation saved 2008/012 after this form proposed it.
    QTest::newRow("B, as proposed") << "B" << "=" << "2008/013" << "14";
    QTest::newRow("B, typed by hand") << "B" << "2008/500" << "2008/500" << "14";
    QTest::newRow("C, as proposed") << "C" << "=" << "2008/013" << "12";
    QTest::newRow("A, typed") << "A" << "X-1" << "X-1" << "12";
}

void TestNumberSeries::issuedNumber() {
    QFETCH(QString, mode);
    QFETCH(QString, typed);
    QFETCH(QString, number);
    QFETCH(QString, counter);
    InvoicingFixture f;
    QVERIFY(f.setFields(37, 1, {{"POUZI", mode}, {"PREFIX", "2008/"}, {"POCITADLO", "12"}}));
    QVERIFY(f.addRow(35, {{"KOD", "1"}, {"CISFAKTU", "2008/011"}}));
    const QString proposed = NextInvoiceNumber(f.app);
    {
        WriteLock other(*f.app.db);
        QVERIFY(other.ok());
        QVERIFY(f.addRow(35, {{"KOD", "2"}, {"CISFAKTU", "2008/012"}}));
        QVERIFY(AdvanceSeries(f.app, 1));
        QVERIFY(other.commit());
    }
    WriteLock lock(*f.app.db);
    QVERIFY(lock.ok());
    QString issued;
    QVERIFY(IssueInvoiceNumber(f.app, proposed, typed == "=" ? proposed : typed, issued));
    QVERIFY(lock.commit());
    QCOMPARE(issued, number);
    QCOMPARE(f.field(37, 1, "POCITADLO"), counter);
}

void TestNumberSeries::issuedOnlyInsideTheSave() {
    InvoicingFixture f;
    QString number = "x";
    QVERIFY(!IssueInvoiceNumber(f.app, "1", "1", number));
    QCOMPARE(f.field(37, 1, "POCITADLO"), QString("1"));
}

void TestNumberSeries::twoWorkstationsNeverShareANumber_data() {
    QTest::addColumn<QString>("mode");
    QTest::newRow("by the counter") << "B";
    QTest::newRow("highest + 1") << "C";
}

void TestNumberSeries::twoWorkstationsNeverShareANumber() {
    QFETCH(QString, mode);
    InvoicingFixture f;
    QVERIFY(f.setFields(37, 1, {{"POUZI", mode}, {"PREFIX", "2008/"}}));
    f.module(35); // the invoice table exists before the workstations start
    const int workers = 3, each = 30;
    std::vector<std::unique_ptr<QProcess>> running;
    for (int i = 0; i < workers; ++i) {
        auto p = std::make_unique<QProcess>();
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(QStringLiteral(INVOICING_WORKER),
                 {"save", f.dataDir.path(), QString::number(each)});
        running.push_back(std::move(p));
    }
    for (auto& p : running) {
        QVERIFY(p->waitForFinished(300000));
        QCOMPARE(p->exitStatus(), QProcess::NormalExit);
        QCOMPARE(p->exitCode(), 0);
    }
    Table& t = f.module(35).table();
    t.refresh();
    QStringList numbers;
    for (t.first(); !t.eof(); t.next())
        numbers << t.field("CISFAKTU").asString();
    numbers.sort();
    QStringList expected;
    for (int i = 1; i <= workers * each; ++i)
        expected << FormatSeriesNumber("2008/", i, 3, "");
    QCOMPARE(numbers, expected);
    QCOMPARE(f.field(37, 1, "POCITADLO"), mode == "B" ? QString::number(workers * each + 1)
                                                      : QString("1"));
}

VIDORAW_TEST(TestNumberSeries)
#include "test_numberseries.moc"

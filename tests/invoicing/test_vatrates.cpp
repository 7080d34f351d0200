#include "invoicingfixture.h"
#include "invoicing/daned.h"
#include "invoicing/vatrates.h"
#include "testmain.h"

using namespace vidoraw;
using namespace vidoraw::test;

// The VAT rates in force at a date, and the rates of the run loaded when the program starts.
class TestVatRates : public QObject {
    Q_OBJECT
private slots:
    void ratesAt_data();
    void ratesAt();
    void ratesOfTheRun_data();
    void ratesOfTheRun();
    void startLoadsTheRatesOfTheRun();
};

namespace {

// "year-month:rate,rate,rate", in the order they were entered.
void AddLevels(InvoicingFixture& f, const QStringList& levels) {
    for (int i = 0; i < levels.size(); ++i) {
        const QString month = levels[i].section(':', 0, 0);
        const QStringList rates = levels[i].section(':', 1).split(',');
        QVERIFY(f.addRow(30, {{"KOD", QString::number(i + 1)},
                              {"ROK", month.section('-', 0, 0)},
                              {"MESIAC", month.section('-', 1)},
                              {"SADZBA1", rates[0]},
                              {"SADZBA2", rates[1]},
                              {"SADZBA3", rates[2]}}));
    }
}

const QStringList kLevels{"2011-03:0,10,20", "1993-01:0,6,23", "2004-01:0,19,19"};

QString Text(const VatRates& r) { return QString("%1,%2,%3").arg(r[0]).arg(r[1]).arg(r[2]); }

} // namespace

void TestVatRates::ratesAt_data() {
    QTest::addColumn<QStringList>("levels");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("rates");
    QTest::newRow("before the 2004 row") << kLevels << QDate(2003, 12, 31) << "0,6,23";
    QTest::newRow("from its first day") << kLevels << QDate(2004, 1, 1) << "0,19,19";
    QTest::newRow("month before a later row") << kLevels << QDate(2011, 2, 28)
                                              << "0,19,19";
    QTest::newRow("month of a later row") << kLevels << QDate(2011, 3, 1) << "0,10,20";
    QTest::newRow("long after") << kLevels << QDate(2030, 6, 1) << "0,10,20";
    QTest::newRow("year before every row, earliest row")
        << QStringList{"2004-01:0,19,19", "2011-03:0,10,20"} << QDate(2003, 6, 1)
        << "0,19,19";
    QTest::newRow("no rows, defaults") << QStringList() << QDate(2010, 1, 1) << "0,6,23";
}

void TestVatRates::ratesAt() {
    QFETCH(QStringList, levels);
    QFETCH(QDate, date);
    InvoicingFixture f;
    AddLevels(f, levels);
    Table& t = f.module(30).table();
    QVERIFY(t.setOrder("KOD"));
    t.last();
    QTEST(Text(VatRatesAt(f.app, date)), "rates");
    // The list keeps its order and its place.
    QCOMPARE(t.order(), QString("KOD"));
    QCOMPARE(t.recNo(), t.recordCount() - 1);
}

void TestVatRates::ratesOfTheRun_data() {
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("rates");
    // A row dated in March counts only from the next January.
    QTest::newRow("2011, after the March row") << QDate(2011, 6, 15) << "0,19,19";
    QTest::newRow("January 2012") << QDate(2012, 1, 1) << "0,10,20";
    QTest::newRow("1993") << QDate(1993, 5, 1) << "0,6,23";
}

void TestVatRates::ratesOfTheRun() {
    QFETCH(QDate, today);
    InvoicingFixture f;
    AddLevels(f, kLevels);
    QTEST(Text(VatRatesOfTheRun(f.app, today)), "rates");
}

void TestVatRates::startLoadsTheRatesOfTheRun() {
    TestDay day;
    const int year = QDate::currentDate().year();
    InvoicingFixture f([year](Database& db) {
        const TableSchema s = TfDaned::Schema();
        QString error;
        QVERIFY2(CreateTableWithRows(db, "DANE.DB", s.fields, s.indexes,
                                     {QString("1|%1|1|1|2|3").arg(year),
                                      QString("2|%1|2|7|8|9").arg(year),
                                      QString("3|%1|1|4|5|6").arg(year + 1)},
                                     &error),
                 qPrintable(error));
    });
    QVERIFY(f.created);
    QVERIFY(day.either([&](const QDate& d) {
        return f.app.vatRates == (d.year() == year ? VatRates{1, 2, 3} : VatRates{4, 5, 6});
    }));
}

VIDORAW_TEST(TestVatRates)
#include "test_vatrates.moc"

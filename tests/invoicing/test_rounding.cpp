#include "invoicing/rounding.h"
#include "testmain.h"

#include <QTest>

using namespace vidoraw;

// Invoice totals rounded by the owner's rounding code.
class TestRounding : public QObject {
    Q_OBJECT
private slots:
    void roundByCode_data();
    void roundByCode();
    void extendedPrecisionKept();
};

void TestRounding::roundByCode_data() {
    QTest::addColumn<double>("amount");
    QTest::addColumn<double>("code");
    QTest::addColumn<double>("result");
    QTest::newRow("hellers") << 1234.567 << 1.0 << 1234.57;
    QTest::newRow("hellers, exact tie to even") << 0.125 << 1.0 << 0.12;
    QTest::newRow("hellers, 2.675 stored below") << 2.675 << 1.0 << 2.67;
    QTest::newRow("tenths") << 1234.56 << 2.0 << 1234.6;
    QTest::newRow("crowns, 0.5 to even") << 0.5 << 3.0 << 0.0;
    QTest::newRow("crowns, 1.5 to even") << 1.5 << 3.0 << 2.0;
    QTest::newRow("crowns, 2.5 to even") << 2.5 << 3.0 << 2.0;
    QTest::newRow("tens") << 1234.56 << 4.0 << 1230.0;
    QTest::newRow("tens, 1235 to even") << 1235.0 << 4.0 << 1240.0;
    QTest::newRow("hundreds") << 1234.56 << 5.0 << 1200.0;
    QTest::newRow("hundreds, negative") << -1250.0 << 5.0 << -1200.0;
    QTest::newRow("halves, 10.24") << 10.24 << 6.0 << 10.0;
    QTest::newRow("halves, 10.25") << 10.25 << 6.0 << 10.5;
    QTest::newRow("halves, 10.74") << 10.74 << 6.0 << 10.5;
    QTest::newRow("halves, 10.75") << 10.75 << 6.0 << 11.0;
    QTest::newRow("halves, negative only truncated") << -10.80 << 6.0 << -10.0;
    QTest::newRow("user's code 7 as 6") << 10.25 << 7.0 << 10.5;
    QTest::newRow("empty code as 6") << 10.25 << 0.0 << 10.5;
    QTest::newRow("code 2.5 as 6") << 10.8 << 2.5 << 11.0;
}

void TestRounding::roundByCode() {
    QFETCH(double, amount);
    QFETCH(double, code);
    QTEST(double(RoundByCode(amount, code)), "result");
}

// An amount computed in extended precision is rounded as it is, not as a double would hold it:
// just above an exact tie it goes up.
void TestRounding::extendedPrecisionKept() {
    const long double aboveTie = 0.125L + 1e-18L;
    QVERIFY(double(aboveTie) == 0.125);
    QCOMPARE(double(RoundByCode(aboveTie, 1)), 0.13);
    QCOMPARE(double(RoundByCode(0.125L, 1)), 0.12);
}

VIDORAW_TEST(TestRounding)
#include "test_rounding.moc"

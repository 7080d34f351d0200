#include "invoicing/amountinwords.h"
#include "testmain.h"

#include <QTest>

using namespace vidoraw;

// Amounts in words as the invoice print and the receipts write them.
class TestAmountInWords : public QObject {
    Q_OBJECT
private slots:
    void amountInWords_data();
    void amountInWords();
    void numberInWords_data();
    void numberInWords();
};

void TestAmountInWords::amountInWords_data() {
    QTest::addColumn<double>("amount");
    QTest::addColumn<QString>("words");
    QTest::newRow("0") << 0.0 << "nula korún";
    QTest::newRow("0,50") << 0.50 << "nula korún a pätdesiat halierov";
    QTest::newRow("12,60") << 12.60 << "dvanásť korún a šesťdesiat halierov";
    QTest::newRow("1000") << 1000.0 << "jedentisíc korún";
    QTest::newRow("1001") << 1001.0 << "jedentisícjeden korún";
    QTest::newRow("2305,07") << 2305.07 << "dvatisíctristopäť korún a sedem halierov";
    QTest::newRow("12345,67") << 12345.67
                              << "dvanásťtisíctristoštyridsaťpäť korún a šesťdesiatsedem halierov";
    QTest::newRow("999998,99") << 999998.99
                               << "deväťstodeväťdesiatdeväťtisícdeväťstodeväťdesiatosem korún a "
                                  "deväťdesiatdeväť halierov";
    QTest::newRow("999999") << 999999.0 << "Nedefinované";
    // Hellers that round up to a whole crown move into the crowns.
    QTest::newRow("999,996") << 999.996 << "jedentisíc korún";
    QTest::newRow("110,15") << 110.15 << "stodesať korún a pätnásť halierov";
    QTest::newRow("negative") << -12.60 << "mínus dvanásť korún a šesťdesiat halierov";
}

void TestAmountInWords::amountInWords() {
    QFETCH(double, amount);
    QTEST(AmountInWords(amount), "words");
}

void TestAmountInWords::numberInWords_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("words");
    QTest::newRow("0") << 0 << "nula";
    QTest::newRow("10") << 10 << "desať";
    QTest::newRow("19") << 19 << "devätnásť";
    QTest::newRow("20") << 20 << "dvadsať";
    QTest::newRow("21") << 21 << "dvadsaťjeden";
    QTest::newRow("100") << 100 << "sto";
    QTest::newRow("110") << 110 << "stodesať";
    QTest::newRow("115") << 115 << "stopätnásť";
    QTest::newRow("205") << 205 << "dvestopäť";
    QTest::newRow("999") << 999 << "deväťstodeväťdesiatdeväť";
    QTest::newRow("1000") << 1000 << "tisíc";
    QTest::newRow("1001") << 1001 << "";
    QTest::newRow("-1") << -1 << "";
}

void TestAmountInWords::numberInWords() {
    QFETCH(int, number);
    QTEST(NumberInWords(number), "words");
}

VIDORAW_TEST(TestAmountInWords)
#include "test_amountinwords.moc"

#include "invoicing/vatrecap.h"
#include "testmain.h"

#include <QTest>

using namespace vidoraw;

namespace {

// "quantity|price|rate" per line, as the grid cells hold them.
QList<InvoiceItem> Lines(const QStringList& lines) {
    QList<InvoiceItem> items;
    for (const QString& l : lines) {
        const QStringList c = l.split(u'|');
        InvoiceItem item;
        item.quantity = c.value(0);
        item.price = c.value(1);
        item.rate = c.value(2);
        items << item;
    }
    return items;
}

} // namespace

// The recapitulation and the total to pay: per rate level the gross is rounded and the tax
// taken back out of it; the total is rounded by the rounding code.
class TestVatRecap : public QObject {
    Q_OBJECT
private slots:
    void vatPayer_data();
    void vatPayer();
    void nonPayer_data();
    void nonPayer();
    void lineAmount_data();
    void lineAmount();
    void trimming_data();
    void trimming();
};

void TestVatRecap::vatPayer_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QList<int>>("rates");
    QTest::addColumn<int>("pdm");
    QTest::addColumn<int>("pdmz");
    QTest::addColumn<double>("code");
    // base, tax, gross of levels 1 to 3, then total base, total tax, total to pay
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QList<int>>("unmatched");
    const QList<int> r0_19_19{0, 19, 19};
    QTest::newRow("1 × 100,00 at 19 %")
        << QStringList{"1|100,00|19"} << r0_19_19 << 2 << 2 << 1.0
        << QStringList{"0,00", "0,00", "0,00", "100,00", "19,00", "119,00", "0,00", "0,00",
                       "0,00", "100,00", "19,00", "119,00"}
        << QList<int>();
    // Gross 0,238 rounds to 0,24; the tax is taken out of that: 0,24 − 0,24 / 1,19 = 0,0417.
    QTest::newRow("two lines 1 × 0,10 at 19 %")
        << QStringList{"1|0,10|19", "1|0,10|19"} << r0_19_19 << 2 << 2 << 1.0
        << QStringList{"0,00", "0,00", "0,00", "0,20", "0,04", "0,24", "0,00", "0,00",
                       "0,00", "0,20", "0,04", "0,24"}
        << QList<int>();
    QTest::newRow("grosses 100,40 and 50,30, code 3")
        << QStringList{"1|100,40|0", "1|50,30|0"} << QList<int>{0, 10, 20} << 2 << 2 << 3.0
        << QStringList{"150,70", "0,00", "150,70", "0,00", "0,00", "0,00", "0,00", "0,00",
                       "0,00", "150,70", "0,00", "151,00"}
        << QList<int>();
    QTest::newRow("grosses 100,40 and 50,30 at two levels, code 3")
        << QStringList{"1|100,40|0", "1|42,27|19"} << r0_19_19 << 2 << 2 << 3.0
        << QStringList{"100,40", "0,00", "100,40", "42,27", "8,03", "50,30", "0,00", "0,00",
                       "0,00", "142,67", "8,03", "151,00"}
        << QList<int>();
    // 3,50 × 19 % gives the gross 4,165, held in extended precision a hair below the half;
    // scaled by 100 it rounds to exactly 416,5 and ties to even take 416: 4,16 (half up would
    // print 4,17). The tax is then 4,16 − 4,16 / 1,19 = 0,664 → 0,66.
    QTest::newRow("3,50 at 19 %: scaled gross on the tie, to even")
        << QStringList{"1|3,50|19"} << r0_19_19 << 2 << 2 << 1.0
        << QStringList{"0,00", "0,00", "0,00", "3,50", "0,66", "4,16", "0,00", "0,00",
                       "0,00", "3,50", "0,66", "4,16"}
        << QList<int>();
    // 14,50 × 19 % gives 17,255, held a hair above the half and still above it when scaled
    // (1725,5000…01): up to 17,26, the tax 2,7558 → 2,76.
    QTest::newRow("14,50 at 19 %: scaled gross above the tie")
        << QStringList{"1|14,50|19"} << r0_19_19 << 2 << 2 << 1.0
        << QStringList{"0,00", "0,00", "0,00", "14,50", "2,76", "17,26", "0,00", "0,00",
                       "0,00", "14,50", "2,76", "17,26"}
        << QList<int>();
    QTest::newRow("rate 14 among 0, 19, 19 counts nowhere")
        << QStringList{"1|100,00|19", "2|50,00|14"} << r0_19_19 << 2 << 2 << 1.0
        << QStringList{"0,00", "0,00", "0,00", "100,00", "19,00", "119,00", "0,00", "0,00",
                       "0,00", "100,00", "19,00", "119,00"}
        << QList<int>{1};
    QTest::newRow("empty rate is 0")
        << QStringList{"2|10,00|"} << QList<int>{0, 10, 20} << 2 << 2 << 1.0
        << QStringList{"20,00", "0,00", "20,00", "0,00", "0,00", "0,00", "0,00", "0,00",
                       "0,00", "20,00", "0,00", "20,00"}
        << QList<int>();
    QTest::newRow("credit note, negative quantities")
        << QStringList{"-2|10,00|19", "-1|0,10|0"} << QList<int>{0, 10, 19} << 2 << 2 << 1.0
        << QStringList{"-0,10", "0,00", "-0,10", "0,00", "0,00", "0,00", "-20,00", "-3,80",
                       "-23,80", "-20,10", "-3,80", "-23,90"}
        << QList<int>();
    // A refund that nets out: no "-0,00" anywhere.
    QTest::newRow("credit note netting to zero")
        << QStringList{"-1|10,00|19", "1|10,00|19"} << r0_19_19 << 2 << 2 << 6.0
        << QStringList{"0,00", "0,00", "0,00", "0,00", "0,00", "0,00", "0,00", "0,00",
                       "0,00", "0,00", "0,00", "0,00"}
        << QList<int>();
    QTest::newRow("display decimals 0 with PDM 2")
        << QStringList{"1|100,40|19"} << r0_19_19 << 2 << 0 << 1.0
        << QStringList{"0", "0", "0", "100", "19", "119", "0", "0", "0", "100", "19", "119"}
        << QList<int>();
}

void TestVatRecap::vatPayer() {
    QFETCH(QStringList, lines);
    QFETCH(QList<int>, rates);
    QFETCH(int, pdm);
    QFETCH(int, pdmz);
    QFETCH(double, code);
    QFETCH(QStringList, expected);
    QFETCH(QList<int>, unmatched);
    const VatRecap recap = RecapitulateVat(Lines(lines), {rates[0], rates[1], rates[2]}, pdm, code);
    const RecapTexts t = RecapAsTexts(recap, {pdm, pdmz, true});
    QStringList shown;
    for (int row = 0; row < 4; ++row)
        shown << t.base(row) << t.tax(row) << t.gross(row);
    QCOMPARE(shown, expected);
    QCOMPARE(recap.unmatched, unmatched);
    for (int k = 0; k < 3; ++k)
        QCOMPARE(t.cells[k][1], QString::number(rates[k]));
}

void TestVatRecap::nonPayer_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<double>("code");
    QTest::addColumn<double>("total");
    QTest::newRow("3 × 33,33, code 6") << QStringList{"3|33,33"} << 6.0 << 100.0;
    QTest::newRow("3 × 33,33, code 1") << QStringList{"3|33,33"} << 1.0 << 99.99;
    QTest::newRow("grosses 100,40 and 50,30, code 3")
        << QStringList{"1|100,40", "1|50,30"} << 3.0 << 151.0;
    QTest::newRow("not a number counts 0") << QStringList{"x|10", "2|5,00"} << 1.0 << 10.0;
}

void TestVatRecap::nonPayer() {
    QFETCH(QStringList, lines);
    QFETCH(double, code);
    QFETCH(double, total);
    QCOMPARE(double(NonPayerTotal(Lines(lines), code)), total);
}

void TestVatRecap::lineAmount_data() {
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("price");
    QTest::addColumn<int>("pdm");
    QTest::addColumn<int>("pdmz");
    QTest::addColumn<QStringList>("expected"); // quantity, price, amount
    // The amount is formed from the cells as shown: the price is 33,33 by then.
    QTest::newRow("price as shown") << "3" << "33,333" << 2 << 2
                                    << QStringList{"3,00", "33,33", "99,99"};
    QTest::newRow("not a number becomes zero")
        << "abc" << "12,5" << 2 << 2 << QStringList{"0,00", "12,50", "0,00"};
    QTest::newRow("blank") << "" << "  " << 2 << 3 << QStringList{"0,000", "0,000", "0,000"};
    QTest::newRow("lone sign") << "-" << "1" << 2 << 2 << QStringList{"0,00", "1,00", "0,00"};
    QTest::newRow("PDM 0") << "1" << "2,5" << 0 << 2 << QStringList{"1,00", "2,50", "2,00"};
    QTest::newRow("negative") << "-2" << "1,25" << 2 << 2
                              << QStringList{"-2,00", "1,25", "-2,50"};
}

void TestVatRecap::lineAmount() {
    QFETCH(QString, quantity);
    QFETCH(QString, price);
    QFETCH(int, pdm);
    QFETCH(int, pdmz);
    QFETCH(QStringList, expected);
    InvoiceItem item;
    item.quantity = quantity;
    item.price = price;
    ComputeLineAmount(item, {pdm, pdmz, true});
    QCOMPARE((QStringList{item.quantity, item.price, item.amount}), expected);
}

void TestVatRecap::trimming_data() {
    QTest::addColumn<QStringList>("texts"); // "-" an empty line
    QTest::addColumn<int>("kept");
    QTest::newRow("one empty line stays") << QStringList{"-"} << 1;
    QTest::newRow("two empty lines stay") << QStringList{"-", "-"} << 2;
    QTest::newRow("trailing empties go down to two") << QStringList{"a", "-", "-", "-"} << 2;
    QTest::newRow("inner empty stays") << QStringList{"a", "-", "b", "-", "-"} << 3;
}

void TestVatRecap::trimming() {
    QFETCH(QStringList, texts);
    const ItemFormat f{2, 2, true};
    QList<InvoiceItem> items;
    for (const QString& t : texts) {
        InvoiceItem item = NewItem(f);
        if (t != "-")
            item.text = t;
        items << item;
    }
    TrimTrailingEmptyItems(items, f);
    QTEST(int(items.size()), "kept");
}

VIDORAW_TEST(TestVatRecap)
#include "test_vatrecap.moc"

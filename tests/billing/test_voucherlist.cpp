#include "billingfixture.h"
#include "framework/orderdialogs.h"
#include "framework/systemrecord.h"
#include "framework/tablemodel.h"
#include "testmain.h"
#include "vouchers/batchvoucherlist.h"
#include "vouchers/poukazvd.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QTableWidget>

using namespace vidoraw;
using namespace vidoraw::test;

// The batch's voucher list and the client's: orders and positions, what the voucher form is
// handed, deletion, an empty batch; the client's vouchers by date.
class TestVoucherList : public QObject {
    Q_OBJECT
private slots:
    void ordersAndPositions();
    void formGetsTheBatch();
    void deletionGoesBackToCodeOrder();
    void emptyBatchOpensNothing();
    void clientVouchers();
    void continuousAdding();
    void invalidBirthNumbersPainted_data();
    void invalidBirthNumbersPainted();
};

namespace {

struct ListFixture : BillingFixture {
    ListFixture() {
        addInvoice(1, "F1", "2", "2024");
        addBatch(3, 1, 1);
        addVoucher(1, 1, 3, {{"PRIEZVISK", "Čierny"}, {"RODCIS", "800101/1007"}});
        addVoucher(2, 1, 3, {{"PRIEZVISK", "Adamec"}, {"RODCIS", "900101/1008"}});
        addVoucher(3, 1, 3, {{"PRIEZVISK", "Chovanec"}, {"RODCIS", "700101/1009"}});
        addVoucher(4, 1, 9); // another batch's
    }
    QList<qint64> codes(TfZoznamPoukazov& list) {
        QList<qint64> out;
        Table& t = list.vouchers();
        for (t.first(); !t.eof(); t.next())
            out << t.field("KOD").asInteger();
        return out;
    }
    TfPoukazvd& form() { return *dynamic_cast<TfPoukazvd*>(app.registry.module(module::kPoukazv)); }
};

} // namespace

// Three orders within the batch; the position follows the order shown ("ch" after "h").
void TestVoucherList::ordersAndPositions() {
    ListFixture f;
    TfZoznamPoukazov list(f.app, 1, 3, 1);
    QCOMPARE(list.windowTitle(), QString("Zoznam poukazov dávky"));
    QCOMPARE(list.eCisfak->text(), QString("F1"));
    QCOMPARE(list.ePoistovna->text(), QString("25 Všeobecná poisťovňa"));
    QCOMPARE(f.codes(list), (QList<qint64>{1, 2, 3}));
    QCOMPARE(list.currentPc(), 1);
    QVERIFY(list.setOrderIndex(2));
    QCOMPARE(f.codes(list), (QList<qint64>{2, 1, 3}));
    // The list stays on voucher 1, now second.
    QCOMPARE(list.currentCode(), 1);
    QCOMPARE(list.currentPc(), 2);
    QVERIFY(list.setOrderIndex(1));
    QCOMPARE(f.codes(list), (QList<qint64>{3, 1, 2}));

    // "Index" offers the three orders, preset to the current one.
    f.ui.queueDialog([](QDialog& d) {
        auto& v = As<TfVolbaIndexu>(d);
        QCOMPARE(v.chosen(), 1);
        v.choose(0);
        v.pressOk();
    });
    list.commandIndex();
    QCOMPARE(list.orderIndex(), 0);
    QCOMPARE(f.codes(list), (QList<qint64>{1, 2, 3}));

    // "Hľadaj" in the surname order goes to the nearest surname of the batch.
    QVERIFY(list.setOrderIndex(2));
    f.ui.queueDialog([](QDialog& d) {
        auto& h = As<TfHladanie>(d);
        QCOMPARE(h.boxes.size(), 1);
        h.boxes[0]->setText("Ci");
        h.pressOk();
    });
    list.commandSearch();
    QCOMPARE(list.currentCode(), 1); // Čierny: "č" after "c"
    QCOMPARE(list.currentPc(), 2);
}

// Add hands the form the batch, the next position and the invoice's month; edit the position.
void TestVoucherList::formGetsTheBatch() {
    ListFixture f;
    TfZoznamPoukazov list(f.app, 1, 3, 1);
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfPoukazvd>(d);
        QCOMPARE(form.batchContext().invoiceCode, 1);
        QCOMPARE(form.batchContext().batchCode, 3);
        QVERIFY(form.batchContext().mayChange);
        QCOMPARE(form.ePoradie->text(), QString("4"));
        QCOMPARE(form.eDatum->text(), QString("1.2.2024"));
        QCOMPARE(form.eDatumvyd->text(), QString("29.2.2024"));
        form.pressBack();
    });
    f.ui.queueAnswer(1);
    list.commandAdd();
    QVERIFY(!f.form().batchContext().mayChange);

    QVERIFY(list.setOrderIndex(2));
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfPoukazvd>(d);
        QCOMPARE(form.ePoradie->text(), QString("1"));
        QCOMPARE(form.eRodcis->text(), QString("900101/1008"));
        QVERIFY(form.eRodcis->isReadOnly());
        form.pressBack();
    });
    list.grid->selectRow(0);
    list.commandShow();
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
}

// A deleted voucher is gone from the table; the list is back in code order on its first voucher.
void TestVoucherList::deletionGoesBackToCodeOrder() {
    ListFixture f;
    TfZoznamPoukazov list(f.app, 1, 3, 1);
    QVERIFY(list.setOrderIndex(2));
    list.grid->selectRow(1); // Čierny, code 1
    f.ui.queueDialog([](QDialog& d) { QTRY_VERIFY(!d.isVisible()); });
    f.ui.queueAnswer(1);
    list.commandDelete();
    QCOMPARE(f.ui.questions, QStringList{"Mám naozaj zmazať tento záznam ?"});
    QCOMPARE(list.orderIndex(), 0);
    QCOMPARE(f.codes(list), (QList<qint64>{2, 3}));
    QCOMPARE(list.currentPc(), 1);
    QCOMPARE(f.count(module::kPoukaz), 3);
}

// In an empty batch copy, delete, edit and show have nothing to open.
void TestVoucherList::emptyBatchOpensNothing() {
    ListFixture f;
    TfZoznamPoukazov list(f.app, 1, 77, 2);
    QCOMPARE(list.voucherCount(), 0);
    QCOMPARE(list.currentPc(), 0);
    list.commandCopy();
    list.commandDelete();
    list.commandEdit();
    list.commandShow();
    QVERIFY(f.ui.questions.isEmpty());
    QCOMPARE(f.ui.pendingDialogs(), 0);
}

// The client's vouchers by prescription date, the last one selected; none: one empty row.
void TestVoucherList::clientVouchers() {
    ListFixture f;
    QVERIFY(f.addRow(45, {{"KOD", "5"}, {"RODCIS", "800101/1007"}, {"MENO", "Ján"},
                          {"PRIEZVISK", "Čierny"}}));
    f.addVoucher(10, 1, 3, {{"KODKLIENT", "5"}, {"DATUM", "3.1.2024"}});
    f.addVoucher(11, 1, 3, {{"KODKLIENT", "5"}, {"DATUM", "1.12.2023"}});
    TfKlientPoukazy list(f.app, 5);
    QCOMPARE(list.windowTitle(), QString("Zoznam poukazov"));
    QCOMPARE(list.ePriezvisk->text(), QString("Čierny"));
    QCOMPARE(list.grid->rowCount(), 2);
    QCOMPARE(list.grid->item(0, 0)->text(), QString("11"));
    QCOMPARE(list.grid->item(1, 1)->text(), QString("3.1.2024"));
    QCOMPARE(list.grid->currentRow(), 1);
    f.ui.queueDialog([](QDialog& d) {
        QCOMPARE(As<TfPoukazvd>(d).eDatum->text(), QString("3.1.2024"));
        As<TfPoukazvd>(d).pressBack();
    });
    list.commandShow();

    TfKlientPoukazy none(f.app, 99);
    QCOMPARE(none.grid->rowCount(), 1);
    QVERIFY(none.grid->item(0, 0)->text().isEmpty());
    none.commandShow();
    QCOMPARE(f.ui.pendingDialogs(), 0);
}

// Alt+F2 adds voucher after voucher, each with the next position and the list on it, until
// the form is left without saving: one such leaving ends it.
void TestVoucherList::continuousAdding() {
    ListFixture f;
    QVERIFY(f.addRow(module::kDg, {{"KOD", "1"}, {"KODD", "H52"}, {"NAZOV", "Refrakčné chyby"}}));
    for (const char* rodcis : {"900101/1008", "800101/1007"})
        QVERIFY(f.addRow(45, {{"KOD", rodcis[0] == '9' ? "1" : "2"}, {"RODCIS", rodcis},
                              {"PRIEZVISK", "Klient"}}));
    TfZoznamPoukazov list(f.app, 1, 3, 1);
    QStringList positions;
    auto save = [&](const QString& rodcis) {
        f.ui.queueDialog([&, rodcis](QDialog& d) {
            auto& form = As<TfPoukazvd>(d);
            positions << form.ePoradie->text();
            const QList<QPair<QString, QString>> typed = {
                {"RODCIS", rodcis}, {"KODPOIKL", "25"}, {"DIALKY", "64"}, {"BLIZKO", "62"},
                {"KODLEK", "1"},    {"KODDIAG", "H52"}, {"KODOP1", "00001"}, {"POCET1", "1"},
                {"SUMAPOI1", "10"}, {"DATUM", "1.2.2024"}, {"DATUMVYD", "29.2.2024"}};
            for (const auto& [field, value] : typed) {
                auto* e = qobject_cast<QLineEdit*>(form.controlOf(field));
                QVERIFY2(e, qPrintable(field));
                e->setText(value);
            }
            form.pressOk();
            QVERIFY2(!form.isVisible(), qPrintable(f.ui.takeNoticeTexts().join(" / ")));
        });
    };
    save("900101/1008");
    save("800101/1007");
    f.ui.queueDialog([&](QDialog& d) {
        positions << As<TfPoukazvd>(d).ePoradie->text();
        As<TfPoukazvd>(d).pressBack();
    });
    f.ui.queueAnswer(1); // leave without saving
    QTest::keyClick(list.grid, Qt::Key_F2, Qt::AltModifier);
    QCOMPARE(positions, (QStringList{"4", "5", "6"}));
    QCOMPARE(f.ui.pendingDialogs(), 0);
    QCOMPARE(list.voucherCount(), 5);
    QCOMPARE(list.currentPc(), 5); // the last one added
    QCOMPARE(f.count(module::kPoukaz), 6);
}

void TestVoucherList::invalidBirthNumbersPainted_data() {
    QTest::addColumn<QString>("rcmod11");
    QTest::addColumn<QList<int>>("red"); // rows whose birth number is painted, current row 0
    QTest::newRow("checked") << "A" << QList<int>{2};
    QTest::newRow("not checked") << "N" << QList<int>{};
}

// With the modulo-11 check on, a birth number that fails it is painted in its cell (the
// current row keeps the highlight); the fixture's third voucher has 700101/1009.
void TestVoucherList::invalidBirthNumbersPainted() {
    QFETCH(QString, rcmod11);
    QFETCH(QList<int>, red);
    ListFixture f;
    QVERIFY(WriteSystemFields(f.app, {{"RCMOD11", rcmod11}}));
    TfZoznamPoukazov list(f.app, 1, 3, 1);
    auto* m = qobject_cast<TableModel*>(list.grid->model());
    QVERIFY(m);
    const int rodcis = m->columnOf("RODCIS");
    QVERIFY(rodcis >= 0);
    auto painted = [&] {
        QList<int> out;
        for (int r = 0; r < m->rowCount(); ++r)
            if (m->index(r, rodcis).data(Qt::BackgroundRole).value<QColor>() == QColor(255, 0, 0))
                out << r;
        return out;
    };
    list.grid->selectRow(0);
    QCOMPARE(painted(), red);
    // On the current row the highlight wins.
    list.grid->selectRow(2);
    QCOMPARE(painted(), QList<int>{});
}

VIDORAW_TEST(TestVoucherList)
#include "test_voucherlist.moc"

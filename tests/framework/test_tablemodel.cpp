// The grid's model over an engine cursor keeps the item-model contract while the table changes.
#include "core/enginefixture.h"
#include "framework/tablemodel.h"
#include "testmain.h"

#include <QAbstractItemModelTester>

using namespace vidoraw;
using namespace vidoraw::test;

class TestTableModel : public QObject {
    Q_OBJECT
private slots:
    void contractHoldsThroughChanges();
    void tableGoneLeavesEmptyModel();
};

void TestTableModel::contractHoldsThroughChanges() {
    EngineFixture f;
    QVERIFY(f.init());
    Table t(f.db.get(), "OSOBY.DB");
    ENGINE_OK(t.open(), t);
    TableModel model;
    QAbstractItemModelTester tester(&model,
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setTable(&t, {"KOD", "PRIEZ", "SUMA"});
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.columnCount(), 3);
    // Views set titles and alignments on a list that may still be empty.
    model.setHeaderTitle(1, "Priezvisko");
    model.setAlignment(1, Qt::AlignRight);
    QCOMPARE(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
             QString("Priezvisko"));
    QCOMPARE(model.alignment(1), Qt::AlignRight | Qt::AlignVCenter);

    QVERIFY(f.add({"1|Cyril", "2|Adam", "3|Bod"}));
    t.refresh();
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.data(model.index(1, 1), Qt::DisplayRole).toString(), QString("Adam"));
    model.setAlignment(2, Qt::AlignLeft);

    ENGINE_OK(t.setOrder("PRIEZ"), t);
    QCOMPARE(model.data(model.index(0, 1), Qt::DisplayRole).toString(), QString("Adam"));

    t.first();
    ENGINE_OK(t.edit(), t);
    QVERIFY(t.field("SUMA").setValue(2.5));
    ENGINE_OK(t.post(), t);
    QCOMPARE(model.data(model.index(0, 2), Qt::DisplayRole).toString(), QString("2,5"));

    ENGINE_OK(t.remove(), t);
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.data(model.index(0, 1), Qt::DisplayRole).toString(), QString("Bod"));

    t.close();
    QCOMPARE(model.rowCount(), 0);
    ENGINE_OK(t.open(), t);
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
             QString("Priezvisko"));
}

void TestTableModel::tableGoneLeavesEmptyModel() {
    EngineFixture f;
    QVERIFY(f.init());
    QVERIFY(f.add({"1|Adam"}));
    TableModel model;
    QAbstractItemModelTester tester(&model,
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    {
        Table t(f.db.get(), "OSOBY.DB");
        ENGINE_OK(t.open(), t);
        model.setTable(&t);
        QCOMPARE(model.rowCount(), 1);
    }
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.columnCount(), 0);
}

VIDORAW_TEST(TestTableModel)
#include "test_tablemodel.moc"

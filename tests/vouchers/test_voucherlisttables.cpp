#include "testmain.h"
#include "vouchersfixture.h"

#include <QComboBox>
#include <QPushButton>

using namespace vidoraw;
using namespace vidoraw::test;

// The voucher code-list tables as a new data directory gets them, their reindexing, and their
// lists.
class TestVoucherListTables : public QObject {
    Q_OBJECT
private slots:
    void tablesAndLists_data();
    void tablesAndLists();
    void indexesIgnoreCase();
};

void TestVoucherListTables::tablesAndLists_data() {
    QTest::addColumn<int>("module");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("orders");
    QTest::addColumn<bool>("filter");
    QTest::newRow("optical aids") << 13 << "OPTPOM.DB" << "Optická pomôcka "
                                  << "Zoznam optických pomôcok"
                                  << QStringList{"Kód", "Kód pomôcky", "Názov"} << true;
    QTest::newRow("diagnoses") << 9 << "DG.DB" << "Diagnóza" << "Zoznam diagnóz"
                               << QStringList{"Kód", "Kód diagnózy", "Názov"} << false;
    QTest::newRow("insurers") << 11 << "POIST.DB" << "Zdravotná  poisťovňa" << "Zoznam poisťovní"
                              << QStringList{"Kód", "Názov", "IČO", "Číslo poi."} << false;
    QTest::newRow("doctors") << 14 << "LEKAR.DB" << "Lekár" << "Zoznam lekárov"
                             << QStringList{"Kód", "Nový kód lekára", "Kód PZS lekára",
                                            "Starý kód lekára", "Priezvisko lekára"}
                             << false;
    QTest::newRow("contracts") << 10 << "ZMLUVA.db" << "Zmluva" << "Zoznam zmlúv"
                               << QStringList{"Kód", "Kód poisťovne", "Platnosť", "IČO poisťovne",
                                              "Číslo zmluvy"}
                               << false;
    QTest::newRow("providers") << 39 << "pzs.db" << "Poskytovateľ zdravotnej starostlivosti"
                               << "Zoznam poskytovateľov"
                               << QStringList{"Kód", "IČO", "Starý kód", "Nový kód", "Názov"}
                               << true;
}

void TestVoucherListTables::tablesAndLists() {
    QFETCH(int, module);
    QFETCH(QString, file);
    QFETCH(QString, caption);
    QFETCH(QString, title);
    QFETCH(QStringList, orders);
    QFETCH(bool, filter);
    VouchersFixture f;
    const std::optional<TableSchema> schema = f.app.registry.schema(module);
    QVERIFY(schema && !f.app.registry.isRegistered(module));
    auto* m = dynamic_cast<TfDbForm*>(f.app.registry.module(module));
    QVERIFY(m);
    QCOMPARE(m->windowTitle(), caption);
    QCOMPARE(m->table().tableName(), file);
    QVERIFY(!m->table().exists());
    QVERIFY(m->OpenTable());
    Table& t = m->table();
    // Made empty, with the fields of its layout and code as the primary key.
    QCOMPARE(t.recordCount(), 0);
    QCOMPARE(FieldDefs(t.fieldDefs().mid(0, t.tableFieldCount())), schema->fields);
    QCOMPARE(t.fieldDefs().first().name, QString("KOD"));
    QCOMPARE(t.fieldDefs().first().type, 'F');
    QCOMPARE(m->nextCode(), qint64(1));

    // Every other index ignores case, and a reindex keeps it so.
    const IndexDefs created = f.db->indexDefs(file);
    QCOMPARE(created, schema->indexes);
    QVERIFY(created.first().primary && created.first().fields == QStringList{"KOD"});
    for (const IndexDef& d : created.mid(1))
        QVERIFY2(d.caseInsensitive && !d.unique, qPrintable(d.name));
    QString error;
    QVERIFY2(m->DefineIndexes(t, &error), qPrintable(error));
    QCOMPARE(f.db->indexDefs(file), created);

    // The list offers each order, with the filter button only where filters are allowed.
    QVERIFY(f.addRow(module, {{"KOD", "1"}}));
    TfBrowse browser(f.app);
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        QCOMPARE(b.windowTitle(), title);
        QStringList entries;
        for (int i = 0; i < b.cbIndex->count(); ++i)
            entries << b.cbIndex->itemText(i);
        QCOMPARE(entries, orders);
        for (int i = 0; i < orders.size(); ++i) {
            b.selectOrder(i);
            QCOMPARE(t.order().toUpper(), m->list.orderFields[i].toUpper());
        }
        QCOMPARE(b.button(TfBrowse::sFilter)->isEnabled(), filter);
        b.commandBack();
    });
    browser.Browse(module, TfBrowse::DefaultButtons(), false);
    QCOMPARE(m->list.printHeading, QStringList{title});
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestVoucherListTables::indexesIgnoreCase() {
    VouchersFixture f;
    auto& m = f.module<TfLekard>(14);
    for (const char* surname : {"čierna", "Cibula", "Adam", "chmeľ", "Horák"})
        QVERIFY(f.addRow(14, {{"KOD", QString::number(m.nextCode())}, {"PRIEZVISK", surname}}));
    Table& t = m.table();
    QVERIFY(t.setOrder("PRIEZVISK"));
    QStringList names;
    for (t.first(); !t.eof(); t.next())
        names << t.field("PRIEZVISK").asString();
    // Slovak order, capitals and small letters together ("ch" after "h").
    QCOMPARE(names, QStringList({"Adam", "Cibula", "čierna", "Horák", "chmeľ"}));
    QString code;
    QVERIFY(LookupFieldIn(t, "PRIEZVISK", {"ADAM"}, "KOD", code));
    QCOMPARE(code, QString("3"));
}

VIDORAW_TEST(TestVoucherListTables)
#include "test_voucherlisttables.moc"

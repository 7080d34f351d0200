#include "shopfixture.h"
#include "testmain.h"

#include <QComboBox>

using namespace vidoraw;
using namespace vidoraw::test;

// The eight lens lists: their tables as a new data directory gets them, their reindexing and
// their list definitions.
class TestLensListTables : public QObject {
    Q_OBJECT
private slots:
    void tablesAndLists_data();
    void tablesAndLists();
    void contactLensListShowsTheSupplier();
};

void TestLensListTables::tablesAndLists_data() {
    QTest::addColumn<int>("module");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("fields");  // after KOD
    QTest::addColumn<QStringList>("indexes"); // secondary, in order
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QStringList>("orders");
    QTest::addColumn<QStringList>("printTitles");
    const QStringList codeAndName{"Kód", "Názov"};
    QTest::newRow("lens types") << 52 << "typskl.db" << "Typ skiel" << QStringList{"NAZOV"}
                                << QStringList{"Nazov"} << "Zoznam typov skiel"
                                << "Zoznam typov skiel" << codeAndName << codeAndName;
    QTest::newRow("frame types") << 53 << "typram.db" << "Typ rámu" << QStringList{"NAZOV"}
                                 << QStringList{"Nazov"} << "Zoznam typov rámov"
                                 << "Zoznam typov rámov" << codeAndName << codeAndName;
    QTest::newRow("contact-lens types")
        << 56 << "typks.db" << "Typ kontaktných šošoviek" << QStringList{"NAZOV", "KODF"}
        << QStringList{"Kodf", "Nazov"} << "Zoznam typov kontaktných šošoviek"
        << "Zoznam typov kontaktných šošoviek" << QStringList{"Kód", "Názov", "Kód firmy"}
        << QStringList{"Kód", "Názov", "Kód firmy"};
    QTest::newRow("adjustments") << 40 << "UPRAVA.DB" << "Úprava šošovky" << QStringList{"NAZOV"}
                                 << QStringList{"Nazov"} << "Zoznam úprav" << "Zoznam úprav"
                                 << codeAndName << codeAndName;
    QTest::newRow("diameters") << 41 << "PRIEMER.DB" << "Priemer" << QStringList{"NAZOV"}
                               << QStringList{"Nazov"} << "Zoznam priemerov" << "Zoznam priemerov"
                               << codeAndName << codeAndName;
    QTest::newRow("dioptres") << 42 << "DIOP.DB" << "Dioptrie"
                              << QStringList{"NAZOV", "DIOPOD1", "DIOPDO1", "DIOPOD2", "DIOPDO2",
                                             "CYLIN"}
                              << QStringList{"Nazov"} << "Zoznam dioptrií" << "Zoznam dioptrií"
                              << codeAndName
                              << QStringList{"Kód", "Názov", "Od", "Do", "Od", "Do", "Cylinder"};
    QTest::newRow("assortment") << 43 << "SORTIM.DB" << "Položka sortimentu"
                                << QStringList{"KODP", "NAZOV"} << QStringList{"Nazov", "Kodp"}
                                << "Zoznam šošoviek - sortiment" << "Zoznam šošoviek - sortiment"
                                << QStringList{"Kód", "Názov", "Kód pomôcky"}
                                << QStringList{"Kód", "Názov", "Kód opt. pomôcky"};
    QTest::newRow("suppliers") << 44 << "FIRMAO.DB" << "Firma - dodávateľ šošoviek"
                               << QStringList{"NAZOV", "ULICA", "DODPOSTA", "PSC", "ICO", "DICO",
                                              "TELEFON", "FAX"}
                               << QStringList{"Dodposta", "Ico", "Nazov"}
                               << "Zoznam - dodávateľov šošoviek"
                               << "Zoznam firiem - dodávateľov šošoviek"
                               << QStringList{"Kód", "Názov", "Dodávacia pošta", "IČO"}
                               << QStringList{"Kód", "Názov", "Ulica", "PSČ", "Dodávacia pošta"};
}

void TestLensListTables::tablesAndLists() {
    QFETCH(int, module);
    QFETCH(QString, file);
    QFETCH(QString, caption);
    QFETCH(QStringList, fields);
    QFETCH(QStringList, indexes);
    QFETCH(QString, title);
    QFETCH(QString, heading);
    QFETCH(QStringList, orders);
    QFETCH(QStringList, printTitles);
    ShopFixture f;
    const std::optional<TableSchema> schema = f.app.registry.schema(module);
    QVERIFY(schema && !f.app.registry.isRegistered(module));
    auto* m = dynamic_cast<TfDbForm*>(f.app.registry.module(module));
    QVERIFY(m);
    QCOMPARE(m->windowTitle(), caption);
    QVERIFY(!m->table().exists());
    QVERIFY(m->OpenTable());
    Table& t = m->table();
    QCOMPARE(t.tableName(), file);
    QCOMPARE(t.recordCount(), 0);
    const FieldDefs defs = t.fieldDefs().mid(0, t.tableFieldCount());
    QCOMPARE(defs, schema->fields);
    QStringList names;
    for (const FieldDef& d : defs)
        names << d.name;
    QCOMPARE(names, QStringList{"KOD"} + fields);
    QCOMPARE(defs.first().type, 'F');

    // The secondary indexes ignore case when made and after a reindex alike.
    const IndexDefs created = f.db->indexDefs(file);
    QCOMPARE(created, schema->indexes);
    QStringList secondary;
    for (const IndexDef& d : created.mid(1)) {
        secondary << d.name;
        QVERIFY2(d.caseInsensitive, qPrintable(d.name));
    }
    QCOMPARE(secondary, indexes);
    QString error;
    QVERIFY2(m->DefineIndexes(t, &error), qPrintable(error));
    QCOMPARE(f.db->indexDefs(file), created);

    QCOMPARE(m->list.listTitle, title);
    QCOMPARE(m->list.printHeading, QStringList{heading});
    QCOMPARE(m->list.printTitles, printTitles);
    QCOMPARE(m->list.printFields.size(), printTitles.size());
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
        QVERIFY(!b.button(TfBrowse::sFilter)->isEnabled());
        b.commandBack();
    });
    browser.Browse(module, TfBrowse::DefaultButtons(), false);
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestLensListTables::contactLensListShowsTheSupplier() {
    ShopFixture f;
    f.seed();
    TfDbForm& m = f.module(56);
    TfBrowse browser(f.app);
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        const int column = b.model->columnOf("NAZOVF");
        QVERIFY(column >= 0);
        QStringList shown;
        for (int row = 0; row < b.model->rowCount(); ++row)
            shown << b.model->data(b.model->index(row, column), Qt::DisplayRole).toString();
        QCOMPARE(shown, QStringList({"Lens Juh", "Optika Sever"}));
        b.commandBack();
    });
    browser.Browse(56, TfBrowse::DefaultButtons(), false);
    QCOMPARE(m.table().recordCount(), 2);
    QVERIFY(f.ui.verifyNoSurprises());
}

VIDORAW_TEST(TestLensListTables)
#include "test_lenslisttables.moc"

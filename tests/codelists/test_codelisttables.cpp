#include "codelistsfixture.h"
#include "testmain.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

using namespace vidoraw;
using namespace vidoraw::test;

// The code-list tables as a new data directory gets them, their reindexing and their lists.
class TestCodeListTables : public QObject {
    Q_OBJECT
private slots:
    void freshTables_data();
    void freshTables();
    void districtRows();
    void reindexKeepsTheIndexes_data();
    void reindexKeepsTheIndexes();
    void municipalityList();
};

void TestCodeListTables::freshTables_data() {
    QTest::addColumn<int>("module");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QStringList>("firstRow"); // FIELD=value of the first record by code
    QTest::newRow("post offices") << 5 << 0 << QStringList();
    QTest::newRow("municipalities") << 6 << 0 << QStringList();
    QTest::newRow("districts") << 7 << 80 << QStringList{"KOD=1", "OKRES=Lučenec"};
    QTest::newRow("titles") << 8 << 0 << QStringList();
    QTest::newRow("states") << 12 << 1
                            << QStringList{"KOD=1", "SKRATKA=SK", "NAZOV=Slovenská republika"};
    QTest::newRow("persons") << 20 << 0 << QStringList();
}

void TestCodeListTables::freshTables() {
    QFETCH(int, module);
    QFETCH(int, rows);
    QFETCH(QStringList, firstRow);
    CodeListsFixture f;
    // The table as data is there before (and without) the module's window.
    const std::optional<TableSchema> schema = f.app.registry.schema(module);
    QVERIFY(schema && !f.app.registry.isRegistered(module));
    auto* m = dynamic_cast<TfDbForm*>(f.app.registry.module(module));
    QVERIFY(m);
    QVERIFY(!m->table().exists());
    QVERIFY(m->OpenTable());
    Table& t = m->table();
    QCOMPARE(t.recordCount(), rows);
    // Every field the form binds exists in the table.
    QCOMPARE(FieldDefs(t.fieldDefs().mid(0, t.tableFieldCount())), schema->fields);
    if (!firstRow.isEmpty()) {
        QVERIFY(FindByKey(t, "KOD", 1));
        for (const QString& a : firstRow)
            QCOMPARE(t.field(a.section('=', 0, 0)).asString(), a.section('=', 1));
    }
    QCOMPARE(m->nextCode(), qint64(LastValue(t, "KOD", "KOD") + 1));
}

void TestCodeListTables::districtRows() {
    CodeListsFixture f;
    auto& m = f.module<TfOkresd>(7);
    Table& t = m.table();
    QCOMPARE(t.recordCount(), 80);
    QVERIFY(!FindByKey(t, "KOD", 5));
    QVERIFY(FindByKey(t, "KOD", 81));
    QCOMPARE(t.field("OKRES").asString(), QString("Bardejov"));
    QVERIFY(FindByKey(t, "KOD", 48));
    QCOMPARE(t.field("OKRES").asString(), QString("Nové Mesto n.Váhom"));
    QStringList names;
    for (t.first(); !t.eof(); t.next())
        names << t.field("OKRES").asString();
    QCOMPARE(names.filter("|"), QStringList());
    QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), 80);
    QCOMPARE(m.nextCode(), qint64(82));
    // The look-up other forms use finds a district by its plain name.
    QString name;
    QVERIFY(LookupField(f.app, 7, "OKRES", {"lučenec"}, "OKRES", name));
    QCOMPARE(name, QString("Lučenec"));
}

void TestCodeListTables::reindexKeepsTheIndexes_data() {
    QTest::addColumn<int>("module");
    QTest::addColumn<QString>("caseInsensitive"); // the index that ignores case, if any
    QTest::newRow("post offices") << 5 << "";
    QTest::newRow("municipalities") << 6 << "";
    QTest::newRow("districts") << 7 << "Okres";
    QTest::newRow("titles") << 8 << "";
    QTest::newRow("states") << 12 << "";
    QTest::newRow("persons") << 20 << "Priezvisk";
}

void TestCodeListTables::reindexKeepsTheIndexes() {
    QFETCH(int, module);
    QFETCH(QString, caseInsensitive);
    CodeListsFixture f;
    auto* m = dynamic_cast<TfDbForm*>(f.app.registry.module(module));
    QVERIFY(m && m->OpenTable());
    const QString file = m->table().tableName();
    const IndexDefs created = f.db->indexDefs(file);
    QCOMPARE(created, m->schema().indexes);
    QString error;
    QVERIFY2(m->DefineIndexes(m->table(), &error), qPrintable(error));
    QCOMPARE(f.db->indexDefs(file), created);
    for (const IndexDef& d : created)
        if (!caseInsensitive.isEmpty() && d.name == caseInsensitive)
            QVERIFY(d.caseInsensitive);
    QVERIFY(created.first().primary && created.first().unique && created.first().name.isEmpty());
}

void TestCodeListTables::municipalityList() {
    CodeListsFixture f;
    f.seed();
    auto& m = f.module<TfObecd>(6);
    QCOMPARE(f.db->fieldDefs("PSC.DB").first().name, QString("Psc"));
    TfBrowse browser(f.app);
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        QCOMPARE(b.windowTitle(), QString("Zoznam obcí"));
        QStringList entries;
        for (int i = 0; i < b.cbIndex->count(); ++i)
            entries << b.cbIndex->itemText(i);
        QCOMPARE(entries, QStringList({"Obec", "PSČ", "Kód", "Názov obce a PSČ", "Okres"}));
        // The calculated post office is a column of the list.
        const int column = b.model->columnOf("Posta");
        QVERIFY(column >= 0);
        QCOMPARE(b.model->data(b.model->index(0, column), Qt::DisplayRole).toString(),
                 QString("Bratislava 1"));
        b.cbIndex->setCurrentIndex(3);
        b.selectOrder(3);
        QCOMPARE(m.table().order().toUpper(), QString("NAZOV;PSC"));
        b.commandSearch();
        b.commandBack();
    });
    // The search by name and postal code asks for both, with their own labels.
    f.ui.queueDialog([](QDialog& d) {
        QStringList labels;
        for (QLabel* l : d.findChildren<QLabel*>())
            labels << l->text();
        QVERIFY2(labels.contains("Názov obce:") && labels.contains("PSČ:"),
                 qPrintable(labels.join(',')));
    });
    browser.Browse(6, TfBrowse::DefaultButtons(), false);
    QVERIFY(f.ui.verifyNoSurprises());
}

VIDORAW_TEST(TestCodeListTables)
#include "test_codelisttables.moc"

#include "invoicingfixture.h"
#include "testmain.h"

#include <QComboBox>

using namespace vidoraw;
using namespace vidoraw::test;

// The ten invoicing code lists as a new data directory gets them: tables, first rows, indexes
// (also after a reindex) and lists.
class TestInvoicingTables : public QObject {
    Q_OBJECT
private slots:
    void freshTables_data();
    void freshTables();
    void indexes_data();
    void indexes();
    void lists_data();
    void lists();
    void itemListShowsVatOnlyToPayers_data();
    void itemListShowsVatOnlyToPayers();
    void seriesListShowsTheNextNumber();
};

void TestInvoicingTables::freshTables_data() {
    QTest::addColumn<int>("module");
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QStringList>("values"); // "KOD:FIELD=value"
    QTest::newRow("tax levels") << 30 << "DANE.DB" << 0 << QStringList();
    QTest::newRow("rounding") << 51 << "ZAOKRUH.DB" << 6
                              << QStringList{"1:POPIS=Na haliere", "2:POPIS=Na desaťhalierniky",
                                             "3:POPIS=Na celé koruny",
                                             "4:POPIS=Na celé desaťkorunáčky",
                                             "5:POPIS=Na celé stokorunáčky",
                                             "6:POPIS=Na päťdesiathalierniky"};
    QTest::newRow("currencies") << 34 << "MENA.DB" << 3
                                << QStringList{"1:KODMENY=Sk", "1:MENA=Slovenská koruna",
                                               "2:KODMENY=Čk", "2:MENA=Česká koruna",
                                               "3:KODMENY=USD", "3:MENA=Americký dolár"};
    QTest::newRow("accounts") << 29 << "UCTY.DB" << 0 << QStringList();
    QTest::newRow("banks") << 28 << "kodb.DB" << 11
                           << QStringList{"1:KODB=4900", "1:NAZOV=ISTROBANKA", "1:SKRATKAS=",
                                          "1:KONTROLA=", "2:NAZOV=VÚB", "4:NAZOV=Slovenská Sporiteľňa",
                                          "8:KODB=0000", "8:NAZOV=Neznáma banka", "9:NAZOV=ČSOB",
                                          "10:KODB=1100", "11:KODB=8120",
                                          "11:NAZOV=Banka Slovakia"};
    QTest::newRow("constant symbols") << 38 << "Ks.db" << 0 << QStringList();
    // The prefix is the year the table was made in (checked below).
    QTest::newRow("number series") << 37 << "CISRAD.DB" << 1
                                   << QStringList{"1:MAXDLZKA=10", "1:OZNACENIE=Číslo faktúry",
                                                  "1:POUZI=B", "1:POCITADLO=1", "1:POCMIEST=3",
                                                  "1:POSTFIX="};
    QTest::newRow("transport") << 32 << "DOPRAVA.DB" << 5
                               << QStringList{"1:NAZOV=Poštou", "2:NAZOV=Spešninou",
                                              "3:NAZOV=Vlastné náklady", "4:NAZOV=",
                                              "5:NAZOV=Dobierkou"};
    QTest::newRow("payment forms") << 33 << "UHRADA.DB" << 4
                                   << QStringList{"1:NAZOV=Prevodný príkaz", "2:NAZOV=Hotovosť",
                                                  "3:NAZOV=Poštovou poukážkou",
                                                  "4:NAZOV=Dobierkou"};
    QTest::newRow("item texts") << 31 << "TEXTFA.DB" << 0 << QStringList();
}

void TestInvoicingTables::freshTables() {
    QFETCH(int, module);
    QFETCH(QString, file);
    QFETCH(int, rows);
    QFETCH(QStringList, values);
    TestDay day;
    InvoicingFixture f;
    const std::optional<TableSchema> schema = f.app.registry.schema(module);
    QVERIFY(schema);
    Table& t = f.module(module).table();
    QCOMPARE(t.tableName(), file);
    QCOMPARE(t.recordCount(), rows);
    QCOMPARE(FieldDefs(t.fieldDefs().mid(0, t.tableFieldCount())), schema->fields);
    for (const QString& v : values) {
        const qint64 code = v.section(':', 0, 0).toLongLong();
        const QString field = v.section(':', 1).section('=', 0, 0);
        QCOMPARE(f.field(module, code, field), v.section('=', 1));
    }
    if (module == module::kCisrad)
        QVERIFY(day.either([&](const QDate& d) {
            return f.field(module, 1, "PREFIX") == QString::number(d.year()) + '/';
        }));
    QCOMPARE(f.module(module).nextCode(), qint64(rows + 1));
}

void TestInvoicingTables::indexes_data() {
    QTest::addColumn<int>("module");
    QTest::addColumn<QStringList>("secondary"); // "Name=FIELD;FIELD", "/ci" when case-insensitive
    QTest::newRow("tax levels") << 30 << QStringList{"Rokmesiac=ROK;MESIAC"};
    QTest::newRow("rounding") << 51 << QStringList{"POPIS=POPIS"};
    QTest::newRow("currencies") << 34 << QStringList{"MENA=MENA", "KODMENY=KODMENY"};
    QTest::newRow("accounts") << 29 << QStringList{"UCET=UCET", "NAZOV=NAZOV", "CISUCET=CISUCET"};
    QTest::newRow("banks") << 28 << QStringList{"Nazov=NAZOV/ci", "Kodb=KODB/ci"};
    QTest::newRow("constant symbols") << 38 << QStringList{"Kodks=KODKS/ci", "Nazov=NAZOV/ci"};
    QTest::newRow("number series") << 37 << QStringList{"iOznacenie=OZNACENIE/ci"};
    QTest::newRow("transport") << 32 << QStringList{"NAZOV=NAZOV"};
    QTest::newRow("payment forms") << 33 << QStringList{"NAZOV=NAZOV"};
    QTest::newRow("item texts") << 31 << QStringList{"TEXT=TEXT"};
}

// A reindex rebuilds exactly what the table was made with, case rule included.
void TestInvoicingTables::indexes() {
    QFETCH(int, module);
    QFETCH(QStringList, secondary);
    InvoicingFixture f;
    TfDbForm& m = f.module(module);
    const QString file = m.table().tableName();
    auto describe = [](const IndexDefs& defs) {
        QStringList out;
        for (const IndexDef& d : defs) {
            if (d.primary) {
                out << "primary=" + d.fields.join(';') + (d.unique ? "" : "/not unique");
                continue;
            }
            out << d.name + '=' + d.fields.join(';') + (d.caseInsensitive ? "/ci" : "");
        }
        return out;
    };
    const QStringList expected = QStringList{"primary=KOD"} + secondary;
    QCOMPARE(describe(f.app.db->indexDefs(file)), expected);
    QString error;
    QVERIFY2(m.DefineIndexes(m.table(), &error), qPrintable(error));
    QCOMPARE(describe(f.app.db->indexDefs(file)), expected);
    QCOMPARE(m.table().order().toUpper(), QString("KOD"));
}

void TestInvoicingTables::lists_data() {
    QTest::addColumn<int>("module");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("orders"); // "Title=FIELDS"
    QTest::addColumn<QStringList>("columns"); // "Title=FIELD"
    QTest::newRow("tax levels")
        << 30 << "Daňové hladiny" << "Zoznam daňových hladín"
        << QStringList{"Kód=KOD", "Rok a mesiac=ROK;MESIAC"}
        << QStringList{"Rok=ROK", "Mesiac=MESIAC", "1. Sadzba=SADZBA1", "2. Sadzba=SADZBA2",
                       "3. Sadzba=SADZBA3"};
    QTest::newRow("rounding") << 51 << "Spôsob zaokrúhľovania" << "Spôsoby zaokrúhľovania"
                              << QStringList{"Kód=KOD", "Popis=POPIS"}
                              << QStringList{"Kód=KOD", "Popis=POPIS"};
    QTest::newRow("currencies")
        << 34 << "Mena" << "Zoznam peňažných mien"
        << QStringList{"Kód=KOD", "Kód meny=KODMENY", "Názov meny=MENA"}
        << QStringList{"Kód=KOD", "Kód meny=KODMENY", "Mena=MENA"};
    QTest::newRow("accounts")
        << 29 << "Účet firmy" << "Zoznam účtov firmy"
        << QStringList{"Kód=KOD", "Účet=UCET", "Názov účtu=NAZOV", "Číslo účtu=CISUCET"}
        << QStringList{"Kód=KOD", "Názov=NAZOV", "Účet=UCET", "Pobočka=POBOCKA",
                       "Číslo účtu=CISUCET", "Typ=PBN"};
    QTest::newRow("banks") << 28 << "Kód bánky" << "Zoznam kódov bánk"
                           << QStringList{"Kód=KOD", "Kód banky=KODB", "Názov banky=NAZOV"}
                           << QStringList{"Kód=KOD", "Kód banky=KODB", "Názov banky=NAZOV"};
    QTest::newRow("constant symbols")
        << 38 << "Konštantný symbol" << "Zoznam konštantných symbolov"
        << QStringList{"Kód=KOD", "Konštantný symbol=KODKS", "Názov=NAZOV"}
        << QStringList{"Kód=KOD", "Konštantný symbol=KODKS", "Názov=NAZOV"};
    QTest::newRow("number series")
        << 37 << "Číselný rad" << "Zoznam číselných radov"
        << QStringList{"Kód=KOD", "Označenie=OZNACENIE"}
        << QStringList{"Kód=KOD", "Označenie=OZNACENIE", "Použi=POUZI", "Prefix=PREFIX",
                       "Počítadlo=POCITADLO", "Počet miest=POCMIEST"};
    QTest::newRow("transport") << 32 << "Spôsob dopravy" << "Spôsoby dopravy"
                               << QStringList{"Kód=KOD", "Názov=NAZOV"}
                               << QStringList{"Kód=KOD", "Názov=NAZOV"};
    QTest::newRow("payment forms") << 33 << "Forma úhrady" << "Formy úhrady"
                                   << QStringList{"Kód=KOD", "Názov=NAZOV"}
                                   << QStringList{"Kód=KOD", "Názov=NAZOV"};
    QTest::newRow("item texts") << 31 << "Položka faktúry" << "Zoznam položiek faktúr"
                                << QStringList{"Kód=KOD", "Text=TEXT"}
                                << QStringList{"Kód=KOD", "Text=TEXT", "MJ=MJ", "Cena=CENA",
                                               "Množstvo=MNOZSTVO"};
}

// Captions, list titles (also the print heading), orders and columns; every order is offered by
// the list window and sorts by its fields.
void TestInvoicingTables::lists() {
    QFETCH(int, module);
    QFETCH(QString, caption);
    QFETCH(QString, title);
    QFETCH(QStringList, orders);
    QFETCH(QStringList, columns);
    InvoicingFixture f;
    TfDbForm& m = f.module(module);
    QCOMPARE(m.windowTitle(), caption);
    m.prepareList();
    QCOMPARE(m.list.listTitle, title);
    QCOMPARE(m.list.printHeading, QStringList{title});
    QStringList shownOrders, shownColumns;
    for (int i = 0; i < m.list.orderFields.size(); ++i)
        shownOrders << m.list.orderTitles.value(i) + '=' + m.list.orderFields[i];
    for (int i = 0; i < m.list.printFields.size(); ++i)
        shownColumns << m.list.printTitles.value(i) + '=' + m.list.printFields[i];
    QCOMPARE(shownOrders, orders);
    QCOMPARE(shownColumns, columns);

    TfBrowse browser(f.app);
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        QCOMPARE(b.windowTitle(), title);
        QCOMPARE(b.cbIndex->count(), int(orders.size()));
        for (int i = 0; i < orders.size(); ++i) {
            b.cbIndex->setCurrentIndex(i);
            b.selectOrder(i);
            QCOMPARE(m.table().order().toUpper(), orders[i].section('=', 1));
        }
        b.commandBack();
    });
    browser.Browse(module, TfBrowse::DefaultButtons(), false);
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestInvoicingTables::itemListShowsVatOnlyToPayers_data() {
    QTest::addColumn<QString>("payer");
    QTest::addColumn<bool>("vatColumn");
    QTest::newRow("payer") << "A" << true;
    QTest::newRow("not a payer") << "N" << false;
}

void TestInvoicingTables::itemListShowsVatOnlyToPayers() {
    QFETCH(QString, payer);
    QFETCH(bool, vatColumn);
    InvoicingFixture f;
    auto& m = f.module<TfTextfad>(31);
    f.app.vatPayer = payer;
    m.prepareList();
    QCOMPARE(m.list.printFields.contains("DPH"), vatColumn);
    QCOMPARE(m.list.printTitles.contains("DPH"), vatColumn);
    // The form asks for the rate either way.
    QVERIFY(m.eDph->isVisibleTo(&m));
}

// The list's sample column shows the next number of every series that issues numbers.
void TestInvoicingTables::seriesListShowsTheNextNumber() {
    InvoicingFixture f;
    QVERIFY(f.setFields(37, 1, {{"PREFIX", "2008/"}, {"POCITADLO", "12"}}));
    QVERIFY(f.addRow(37, {{"KOD", "2"}, {"OZNACENIE", "Dobropisy"}, {"POUZI", "C"},
                          {"PREFIX", "D"}, {"POCITADLO", "7"}, {"POCMIEST", "4"},
                          {"POSTFIX", "/08"}}));
    QVERIFY(f.addRow(37, {{"KOD", "3"}, {"OZNACENIE", "Nepoužitý"}, {"POUZI", "A"},
                          {"PREFIX", "X"}, {"POCITADLO", "1"}, {"POCMIEST", "2"}}));
    QVERIFY(f.addRow(37, {{"KOD", "4"}, {"OZNACENIE", "Bez spôsobu"}, {"POCITADLO", "1"}}));
    Table& t = f.module(37).table();
    QStringList samples;
    for (t.first(); !t.eof(); t.next())
        samples << t.field("UKAZKA").asString();
    QCOMPARE(samples, QStringList({"2008/012", "D0007/08", "", ""}));
}

VIDORAW_TEST(TestInvoicingTables)
#include "test_invoicingtables.moc"

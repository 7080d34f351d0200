#include "enginefixture.h"
#include "testmain.h"

#include <QSet>

using namespace vidoraw;
using namespace vidoraw::test;

class TestEngine : public QObject {
    Q_OBJECT
private slots:
    void definitionsReadBack();
    void namesIgnoreCase();
    void slovakOrder_data();
    void slovakOrder();
    void caseInsensitiveFind_data();
    void caseInsensitiveFind();
    void compositeFinds_data();
    void compositeFinds();
    void emptyKeyFindsEmptyField_data();
    void emptyKeyFindsEmptyField();
    void blanksStayDistinct();
    void blankPrimaryKeyRefused_data();
    void blankPrimaryKeyRefused();
    void missingFieldReported();
    void conversionsOnAssignment_data();
    void conversionsOnAssignment();
    void walkingAndBookmarks();
    void filters_data();
    void filters();
    void malformedFilters_data();
    void malformedFilters();
    void findOnFilteredTableSeesOnlyPassingRows();
    void filterByPredicate();
    void calculatedFields();
    void duplicateKeyRefusedNothingWritten();
    void nestedWriteRollsBackAll();
    void lockTimeoutReported();
    void changesOfOthersSeen();
    void lookupSeesAChangeOfOthers();
    void changesOfOutsideWritersSeen_data();
    void changesOfOutsideWritersSeen();
    void olderDatabaseCountsChangesOnceOpened();
    void definitionChangedByOthersReadAfresh();
    void editKeepsPlaceInOrder();
    void removeMovesToNext();
    void emptyAndAddIndex();
    void addFieldKeepsRows();
};

void TestEngine::definitionsReadBack() {
    EngineFixture f;
    QString err;
    QVERIFY2(f.init(&err), qPrintable(err));
    QCOMPARE(f.db->fieldDefs("osoby.db"), PersonFields());
    QCOMPARE(f.db->indexDefs("OSOBY.DB"), PersonIndexes());
    QCOMPARE(f.db->indexDefs("OSOBY.DB").at(1).options(), QString("C"));
    QCOMPARE(f.db->indexDefs("OSOBY.DB").at(0).options(), QString("PU"));
    // A second database object reads the same definitions from the file.
    auto other = Database::open(f.dir.path(), &err);
    QVERIFY(other);
    QCOMPARE(other->fieldDefs("Osoby.DB"), PersonFields());
    QCOMPARE(other->indexDefs("OSOBY.db"), PersonIndexes());
    QVERIFY(!f.db->createTable("osoby.DB", PersonFields(), {}, &err));
    QVERIFY(err.contains("existuje"));
    FieldDef parsed;
    QVERIFY(FieldDef::fromText("NAZOV,A,40", parsed));
    QCOMPARE(parsed, (FieldDef{"NAZOV", 'A', 40}));
    QVERIFY(!FieldDef::fromText("NAZOV,X,40", parsed));
}

void TestEngine::namesIgnoreCase() {
    EngineFixture f;
    QVERIFY(f.db = Database::open(f.dir.path(), nullptr));
    QString err;
    QVERIFY2(CreateTableWithRows(*f.db, "ZMLUVA.db", {{"KOD", 'N', 0}, {"NAZOV", 'A', 30}},
                                 {IndexDef::Primary({"KOD"})}, {"1|Lučenec|", "2|A|B|C"}, &err),
             qPrintable(err));
    QVERIFY(f.db->tableExists("ZMLUVA.DB"));
    QVERIFY(f.db->tableExists("zmluva.db"));
    // An existing table is left alone: the rows are not loaded twice.
    QVERIFY(CreateTableWithRows(*f.db, "ZMLUVA.DB", {{"KOD", 'N', 0}}, {}, {"3|x"}, &err));
    Table t(f.db.get(), "ZMLUVA.DB");
    ENGINE_OK(t.open(), t);
    QCOMPARE(Walk(t, "NAZOV"), QStringList({"Lučenec|", "A|B|C"}));
    QCOMPARE(Walk(t, "KOD"), QStringList({"1", "2"}));
}

void TestEngine::slovakOrder_data() {
    QTest::addColumn<QString>("order");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("c, č, d") << "PRIEZ" << QStringList{"Dávid", "Čierny", "Cyril"}
                             << QStringList{"Cyril", "Čierny", "Dávid"};
    QTest::newRow("ch after h") << "PRIEZ" << QStringList{"chata", "hora", "Ihla", "cesta"}
                                << QStringList{"cesta", "hora", "chata", "Ihla"};
    QTest::newRow("case ignored, ties by code")
        << "PRIEZ" << QStringList{"novák", "Novák", "NOVÁK", "Nováková"}
        << QStringList{"novák", "Novák", "NOVÁK", "Nováková"};
    QTest::newRow("blank first") << "PRIEZ" << QStringList{"Zeman", "", "Adam"}
                                 << QStringList{"", "Adam", "Zeman"};
    QTest::newRow("case-sensitive index: lower first")
        << "MENO" << QStringList{"Eva", "eva", "Adam"} << QStringList{"Adam", "eva", "Eva"};
    QTest::newRow("leading field of a case-insensitive index: case ignored")
        << "MESTO" << QStringList{"Eva", "eva", "Adam"} << QStringList{"Adam", "Eva", "eva"};
}

void TestEngine::slovakOrder() {
    QFETCH(QString, order);
    QFETCH(QStringList, names);
    QFETCH(QStringList, expected);
    EngineFixture f;
    QVERIFY(f.init());
    QStringList rows;
    for (int i = 0; i < names.size(); ++i)
        rows << QStringLiteral("%1|%2|%2|%2").arg(i + 1).arg(names[i]);
    QVERIFY(f.add(rows));
    Table t(f.db.get(), "OSOBY.DB");
    ENGINE_OK(t.open(), t);
    ENGINE_OK(t.setOrder(order), t);
    QCOMPARE(Walk(t, order), expected);
    // Walking backwards gives the same order reversed.
    QStringList back;
    for (t.last(); !t.bof(); t.prior())
        back.prepend(t.field(order).asString());
    QCOMPARE(back, expected);
}

void TestEngine::caseInsensitiveFind_data() {
    QTest::addColumn<QString>("order");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("found");
    QTest::addColumn<int>("code");
    QTest::newRow("ci index, other case") << "PRIEZ" << "čierny" << true << 2;
    QTest::newRow("ci index, exact") << "PRIEZ" << "Dávid" << true << 3;
    QTest::newRow("ci index, missing") << "PRIEZ" << "Čier" << false << 0;
    QTest::newRow("cs index, other case") << "MENO" << "JÁN" << false << 0;
    QTest::newRow("cs index, exact") << "MENO" << "Ján" << true << 1;
}

void TestEngine::caseInsensitiveFind() {
    QFETCH(QString, order);
    QFETCH(QString, key);
    QFETCH(bool, found);
    QFETCH(int, code);
    EngineFixture f;
    QVERIFY(f.init());
    QVERIFY(f.add({"1|Cyril|Ján", "2|Čierny|Eva", "3|Dávid|Ema"}));
    Table t(f.db.get(), "OSOBY.DB");
    ENGINE_OK(t.open(), t);
    ENGINE_OK(t.setOrder(order), t);
    t.last();
    QCOMPARE(t.findKey({key}), found);
    if (found)
        QCOMPARE(t.field("KOD").asInteger(), qint64(code));
    QCOMPARE(FindByKey(t, order, key), found);
}

void TestEngine::compositeFinds_data() {
    QTest::addColumn<QVariantList>("key");
    QTest::addColumn<bool>("nearest");
    QTest::addColumn<bool>("found");
    QTest::addColumn<int>("code");
    QTest::newRow("exact, both fields") << QVariantList{"nitra", "Bujna"} << false << true << 4;
    QTest::newRow("exact, leading field") << QVariantList{"Nitra"} << false << true << 5;
    QTest::newRow("exact, missing") << QVariantList{"Nitra", "Cyril"} << false << false << 0;
    QTest::newRow("nearest, between") << QVariantList{"Nitra", "Bz"} << true << true << 6;
    QTest::newRow("nearest, past the city")
        << QVariantList{"Nitra", "Zz"} << true << true << 2;
    QTest::newRow("nearest, leading only") << QVariantList{"O"} << true << true << 2;
    QTest::newRow("nearest, blank city first") << QVariantList{""} << true << true << 7;
    QTest::newRow("nearest, past the end") << QVariantList{"Žilina"} << true << false << 3;
}

void TestEngine::compositeFinds() {
    QFETCH(QVariantList, key);
    QFETCH(bool, nearest);
    QFETCH(bool, found);
    QFETCH(int, code);
    EngineFixture f;
    QVERIFY(f.init());
    QVERIFY(f.add({"1|Adam||Košice", "2|Adam||Trnava", "3|Zeman||Trnava", "4|Bujna||Nitra",
                   "5|Aneta||Nitra", "6|Čaplovič||Nitra", "7|Blank"}));
    Table t(f.db.get(), "OSOBY.DB");
    ENGINE_OK(t.open(), t);
    ENGINE_OK(t.setOrder("MESTO;PRIEZ"), t);
    const bool result = nearest ? t.findNearest(key) : t.findKey(key);
    QCOMPARE(result, found);
    if (found || nearest)
        QCOMPARE(t.field("KOD").asInteger(), qint64(code));
}

void TestEngine::emptyKeyFindsEmptyField_data() {
    QTest::addColumn<bool>("storedAsEmptyText");
    QTest::addColumn<QString>("order");
    QTest::addColumn<QVariantList>("key");
    QTest::newRow("\"\", one field") << true << "MENO" << QVariantList{""};
    QTest::newRow("blank, one field") << false << "MENO" << QVariantList{""};
    QTest::newRow("\"\", leading field") << true << "MESTO;PRIEZ" << QVariantList{"", "Biela"};
    QTest::newRow("blank, leading field") << false << "MESTO;PRIEZ" << QVariantList{"", "Biela"};
}

void TestEngine::emptyKeyFindsEmptyField() {
    QFETCH(bool, storedAsEmptyText);
    QFETCH(QString, order);
    QFETCH(QVariantList, key);
    EngineFixture f;
    QVERIFY(f.init());
    // Record 2 has no first name and no town, written as "" or left blank.
    QVERIFY(f.add({"1|Adam|Ján|Nitra", storedAsEmptyText ? "2|Biela||" : "2|Biela",
                   "3|Cyril|Eva|Trnava"}));
    Table t(f.db.get(), "OSOBY.DB");
    ENGINE_OK(t.open(), t);
    QCOMPARE(t.recordCount(), 3);
    ENGINE_OK(t.setOrder(order), t);
    t.last();
    QVERIFY(t.findKey(key));
    QCOMPARE(t.field("KOD").asInteger(), qint64(2));
    t.last();
    QVERIFY(FindByKey(t, SplitFieldList(order).first(), ""));
    QCOMPARE(t.field("KOD").asInteger(), qint64(2));
    QString code;
    QVERIFY(LookupFieldIn(t, order, key, "KOD", code));
    QCOMPARE(code, QString("2"));
    QCOMPARE(CountEqual(t, SplitFieldList(order).first(), ""), 1);
}

void TestEngine::blanksStayDistinct() {
    EngineFixture f;
    QVERIFY(f.init());
    Table t(f.db.get(), "OSOBY.DB");
    ENGINE_OK(t.open(), t);
    ENGINE_OK(t.append(), t);
    t.field("KOD").setValue(1);
    t.field("PRIEZ").setAsString("");
    t.field("SUMA").setValue(0.0);
    ENGINE_OK(t.post(), t);
    ENGINE_OK(t.append(), t);
    t.field("KOD").setValue(2);
    ENGINE_OK(t.post(), t);
    QVERIFY(t.findKey({1}));
    QVERIFY(!t.field("PRIEZ").isNull());
    QVERIFY(!t.field("SUMA").isNull());
    QVERIFY(t.field("DATNAR").isNull());
    QCOMPARE(t.field("DATNAR").asDays(), 0.0);
    QCOMPARE(t.field("DATNAR").asDate(), QDate(1899, 12, 30));
    QVERIFY(t.findKey({2}));
    QVERIFY(t.field("PRIEZ").isNull());
    QVERIFY(t.field("SUMA").isNull());
    QCOMPARE(t.field("SUMA").asFloat(), 0.0);
    QCOMPARE(t.field("PRIEZ").asString(), QString());
    // A filter on the blank text matches both; on the number only the real zero.
    ENGINE_OK(t.setFilterText("PRIEZ = ''"), t);
    t.setFiltered(true);
    QCOMPARE(t.recordCount(), 2);
    ENGINE_OK(t.setFilterText("SUMA = 0"), t);
    QCOMPARE(t.recordCount(), 1);
    ENGINE_OK(t.setFilterText("SUMA = ''"), t);
    QCOMPARE(t.recordCount(), 1);
    QCOMPARE(t.field("KOD").asInteger(), qint64(2));
}

void TestEngine::blankPrimaryKeyRefused_data() {
    QTest::addColumn<QString>("code");     // "-": never set
    QTest::addColumn<QString>("shortcut"); // "-": never set
    QTest::addColumn<bool>("editing");
    QTest::newRow("number never set") << "-" << "AB" << false;
    QTest::newRow("number set empty") << "" << "AB" << false;
    QTest::newRow("text never set") << "2" << "-" << false;
    QTest::newRow("text set empty") << "2" << "" << false;
    QTest::newRow("edit clears the number") << "" << "-" << true;
    QTest::newRow("edit clears the text") << "-" << "" << true;
}

void TestEngine::blankPrimaryKeyRefused() {
    QFETCH(QString, code);
    QFETCH(QString, shortcut);
    QFETCH(bool, editing);
    EngineFixture f;
    QVERIFY(f.db = Database::open(f.dir.path(), nullptr));
    QString err;
    QVERIFY2(CreateTableWithRows(*f.db, "KLUC.DB",
                                 {{"KOD", 'N', 0}, {"SKR", 'A', 5}, {"NAZOV", 'A', 10}},
                                 {IndexDef::Primary({"KOD", "SKR"})}, {"1|X|prvý"}, &err),
             qPrintable(err));
    Table t(f.db.get(), "KLUC.DB");
    ENGINE_OK(t.open(), t);
    // Twice: a second blank key must not pass either, as it would beside a first one.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (editing)
            ENGINE_OK(t.edit(), t);
        else
            ENGINE_OK(t.append(), t);
        if (code != "-")
            QVERIFY(t.field("KOD").setAsString(code));
        if (shortcut != "-")
            QVERIFY(t.field("SKR").setAsString(shortcut));
        QVERIFY(t.field("NAZOV").setAsString("druhý"));
        QVERIFY(!t.post());
        QCOMPARE(t.lastErrorKind(), DbError::Constraint);
        QVERIFY2(t.lastError().contains("nesmie byť prázdne"), qPrintable(t.lastError()));
        t.cancel();
    }
    QCOMPARE(Walk(t, "NAZOV"), QStringList{"prvý"});
    // Editing other fields of a record stays possible.
    t.first();
    ENGINE_OK(t.edit(), t);
    QVERIFY(t.field("NAZOV").setAsString("zmenený"));
    ENGINE_OK(t.post(), t);
}

void TestEngine::missingFieldReported() {
    EngineFixture f;
    QVERIFY(f.init());
    QVERIFY(f.add({"1|Adam"}));
    Table t(f.db.get(), "OSOBY.DB");
    ENGINE_OK(t.open(), t);
    QTest::ignoreMessage(QtWarningMsg, "engine: table OSOBY.DB has no field NOPE");
    QCOMPARE(t.field("NOPE").asString(), QString());
    ENGINE_OK(t.edit(), t);
    QTest::ignoreMessage(QtWarningMsg, "engine: table OSOBY.DB has no field PRIEZVISKO");
    QVERIFY(!t.field("PRIEZVISKO").setAsString("Bod"));
    t.cancel();
    t.close();
    QTest::ignoreMessage(QtWarningMsg,
                         "engine: table OSOBY.DB has no field PRIEZ (the table is not open)");
    QCOMPARE(t.field("PRIEZ").asString(), QString());
}

void TestEngine::conversionsOnAssignment_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("input");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("asText");
    QTest::newRow("text cut to size") << "MENO" << QVariant("Maximiliánka Mária") << true
                                      << "Maximiliánka";
    QTest::newRow("integer from text") << "POCET" << QVariant(" 42 ") << true << "42";
    QTest::newRow("16-bit overflow") << "POCET" << QVariant(40000) << false << "";
    QTest::newRow("integer from bad text") << "POCET" << QVariant("4x") << false << "";
    QTest::newRow("float with comma") << "SUMA" << QVariant("12,5") << true << "12,5";
    QTest::newRow("float with point") << "SUMA" << QVariant("0.1") << true << "0,1";
    QTest::newRow("date from text") << "DATNAR" << QVariant("29.2.2008") << true << "29.2.2008";
    QTest::newRow("impossible date") << "DATNAR" << QVariant("29.02.2007") << false << "";
    QTest::newRow("two-digit year") << "DATNAR" << QVariant("1.2.08") << false << "";
    QTest::newRow("three-digit year") << "DATNAR" << QVariant("1.2.108") << false << "";
    QTest::newRow("one-digit year") << "DATNAR" << QVariant("1.2.8") << false << "";
    QTest::newRow("date from day count") << "DATNAR" << QVariant(39507.0) << true << "29.2.2008";
    QTest::newRow("logical") << "PLATCA" << QVariant("True") << true << "True";
    QTest::newRow("empty text blanks a number") << "SUMA" << QVariant("") << true << "";
}

void TestEngine::conversionsOnAssignment() {
    QFETCH(QString, field);
    QFETCH(QVariant, input);
    QFETCH(bool, accepted);
    QFETCH(QString, asText);
    EngineFixture f;
    QVERIFY(f.init());
    Table t(f.db.get(), "OSOBY.DB");
    ENGINE_OK(t.open(), t);
    ENGINE_OK(t.append(), t);
    t.field("KOD").setValue(1);
    QCOMPARE(t.field(field).setValue(input), accepted);
    if (!accepted) {
        QVERIFY(!t.lastError().isEmpty());
        return;
    }
    ENGINE_OK(t.post(), t);
    t.refresh();
    QCOMPARE(t.field(field).asString(), asText);
}

void TestEngine::walkingAndBookmarks() {
    EngineFixture f;
    QVERIFY(f.init());
    Table t(f.db.get(), "OSOBY.DB");
    ENGINE_OK(t.open(), t);
    QVERIFY(t.bof() && t.eof());
    QVERIFY(IsTableEmpty(t));
    QCOMPARE(LastValue(t, "KOD", "KOD"), qint64(0));
    QVERIFY(f.add({"1|E", "2|D", "3|C", "4|B", "5|A"}));
    ENGINE_OK(t.setOrder("PRIEZ"), t);
    t.first();
    QVERIFY(t.bof() && !t.eof());
    QCOMPARE(t.field("PRIEZ").asString(), QString("A"));
    QCOMPARE(t.moveBy(3), 3);
    QCOMPARE(t.field("PRIEZ").asString(), QString("D"));
    const qint64 mark = t.bookmark();
    QCOMPARE(t.moveBy(5), 1);
    QVERIFY(t.eof());
    QCOMPARE(t.field("PRIEZ").asString(), QString("E"));
    QVERIFY(t.gotoBookmark(mark));
    QCOMPARE(t.field("KOD").asInteger(), qint64(2));
    QCOMPARE(t.recNo(), 3);
    QCOMPARE(t.recordCount(), 5);
    QVERIFY(!IsTableEmpty(t));
    QCOMPARE(t.field("KOD").asInteger(), qint64(2)); // the emptiness test did not move it
    QCOMPARE(LastValue(t, "KOD", "KOD"), qint64(5));
    QCOMPARE(t.order(), QString("PRIEZ"));
    // Changing the order keeps the current record.
    ENGINE_OK(t.setOrder("KOD"), t);
    QCOMPARE(t.field("KOD").asInteger(), qint64(2));
    QCOMPARE(t.recNo(), 1);
    QVERIFY(!t.setOrder("NEEXISTUJE"));
    QCOMPARE(t.order(), QString("KOD"));
}

void TestEngine::filters_data() {
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QStringList>("codes");
    QTest::newRow("text equal") << "PRIEZ = 'Novák'" << QStringList{"1"};
    QTest::newRow("text other case") << "PRIEZ = 'novák'" << QStringList{};
    QTest::newRow("not equal") << "PRIEZ <> 'Novák'" << QStringList{"2", "3", "4"};
    QTest::newRow("builder's two rows")
        << "((PRIEZ = 'Novák')or(PRIEZ = 'Nováková'))and((DATNAR >= '01.01.1950') and "
           "(DATNAR <= '31.12.1960'))"
        << QStringList{"2"};
    QTest::newRow("number") << "SUMA > 10" << QStringList{"3", "4"};
    QTest::newRow("number with comma") << "SUMA >= 10,5" << QStringList{"3", "4"};
    QTest::newRow("number first") << "10 < SUMA" << QStringList{"3", "4"};
    QTest::newRow("date") << "DATNAR < '1.1.1950'" << QStringList{"1"};
    QTest::newRow("slovak order in compare") << "PRIEZ < 'D'" << QStringList{"3"};
    QTest::newRow("prefix") << "PRIEZ = 'Nov*'" << QStringList{"1", "2"};
    QTest::newRow("quote inside") << "PRIEZ = 'O''Neil'" << QStringList{"4"};
    QTest::newRow("or without parentheses, and binds tighter")
        << "PRIEZ = 'Čech' or SUMA > 10 and SUMA < 20" << QStringList{"3"};
    QTest::newRow("keywords in capitals") << "POCET = 1 OR POCET = 2" << QStringList{"1", "2"};
    QTest::newRow("field to field") << "MENO = PRIEZ" << QStringList{"4"};
    QTest::newRow("not") << "not (POCET = 1)" << QStringList{"2", "3", "4"};
    QTest::newRow("blank number") << "POCET = ''" << QStringList{"3", "4"};
}

void TestEngine::filters() {
    QFETCH(QString, expression);
    QFETCH(QStringList, codes);
    EngineFixture f;
    QVERIFY(f.init());
    Table t(f.db.get(), "OSOBY.DB");
    ENGINE_OK(t.open(), t);
    const struct {
        int kod;
        const char* priez;
        const char* meno;
        const char* datnar;
        double suma;
        int pocet;
    } rows[] = {{1, "Novák", "Ján", "1.1.1940", 5, 1},
                {2, "Nováková", "Eva", "5.6.1955", 10, 2},
                {3, "Čech", "Adam", "1.1.1970", 15, 0},
                {4, "O'Neil", "O'Neil", "1.1.1980", 30, 0}};
    for (const auto& r : rows) {
        ENGINE_OK(t.append(), t);
        t.field("KOD").setValue(r.kod);
        t.field("PRIEZ").setAsString(QString::fromUtf8(r.priez));
        t.field("MENO").setAsString(QString::fromUtf8(r.meno));
        t.field("DATNAR").setAsString(r.datnar);
        t.field("SUMA").setValue(r.suma);
        if (r.pocet)
            t.field("POCET").setValue(r.pocet);
        ENGINE_OK(t.post(), t);
    }
    ENGINE_OK(t.setFilterText(expression), t);
    t.setFiltered(true);
    QCOMPARE(Walk(t, "KOD"), codes);
    t.setFiltered(false);
    QCOMPARE(t.recordCount(), 4);
}

void TestEngine::malformedFilters_data() {
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("problem");
    QTest::newRow("unknown field") << "PRIEZVISKO = 'x'" << "neznáme pole \"PRIEZVISKO\"";
    QTest::newRow("open quote") << "PRIEZ = 'Novák" << "nie je ukončený";
    QTest::newRow("missing parenthesis") << "((PRIEZ = 'a')" << "chýba pravá zátvorka";
    QTest::newRow("extra parenthesis") << "(PRIEZ = 'a'))" << "nadbytočná pravá zátvorka";
    QTest::newRow("no operator") << "PRIEZ 'a'" << "očakáva sa porovnanie";
    QTest::newRow("bad date") << "DATNAR = '31.02.2000'" << "nezodpovedá typu";
    QTest::newRow("two-digit year") << "DATNAR >= '1.2.08'" << "nezodpovedá typu";
    QTest::newRow("text for number") << "SUMA > 'veľa'" << "nezodpovedá typu";
    QTest::newRow("two constants") << "1 = 1" << "musí obsahovať pole";
    QTest::newRow("dangling and") << "PRIEZ = 'a' and" << "neočakávaný koniec";
    QTest::newRow("sql injection") << "PRIEZ = 'a'; DROP TABLE OSOBY" << "neočakávaný znak";
    QTest::newRow("empty") << "   " << "";
    QTest::newRow("deep nesting") << QString(200, '(') + "KOD = 1" + QString(200, ')')
                                  << "vnorených";
}

void TestEngine::malformedFilters() {
    QFETCH(QString, expression);
    QFETCH(QString, problem);
    EngineFixture f;
    QVERIFY(f.init());
    QVERIFY(f.add({"1|A", "2|B"}));
    Table t(f.db.get(), "OSOBY.DB");
    ENGINE_OK(t.open(), t);
    ENGINE_OK(t.setFilterText("KOD = 2"), t);
    t.setFiltered(true);
    if (expression.trimmed().isEmpty()) {
        // An empty expression removes the filter.
        QVERIFY(t.setFilterText(expression));
        QCOMPARE(t.recordCount(), 2);
        return;
    }
    QVERIFY(!t.setFilterText(expression));
    QVERIFY2(t.lastError().contains(problem), qPrintable(t.lastError()));
    QVERIFY(t.lastError().startsWith("Chybný filter (znak "));
    // The previous filter stays, and the table is intact.
    QCOMPARE(t.filterText(), QString("KOD = 2"));
    QCOMPARE(Walk(t, "KOD"), QStringList{"2"});
    QVERIFY(f.db->tableExists("OSOBY.DB"));
}

void TestEngine::findOnFilteredTableSeesOnlyPassingRows() {
    EngineFixture f;
    QVERIFY(f.init());
    QVERIFY(f.add({"1|Adam", "2|Beáta", "3|Cyril", "4|Dávid"}));
    Table t(f.db.get(), "OSOBY.DB");
    ENGINE_OK(t.open(), t);
    ENGINE_OK(t.setOrder("PRIEZ"), t);
    ENGINE_OK(t.setFilterText("KOD <> 2"), t);
    t.setFiltered(true);
    QVERIFY(!t.findKey({"Beáta"}));
    QVERIFY(t.findNearest({"B"}));
    QCOMPARE(t.field("PRIEZ").asString(), QString("Cyril"));
    QVERIFY(!FindByKey(t, "KOD", 2));
    QCOMPARE(CountEqual(t, "PRIEZ", "Beáta"), 0);
    QCOMPARE(CountEqual(t, "PRIEZ", "Cyril"), 1);
    // A look-up ignores the filter and leaves order, filter and position alone.
    QVERIFY(t.findKey({"Dávid"}));
    QString name;
    QVERIFY(LookupFieldIn(t, "KOD", {2}, "PRIEZ", name));
    QCOMPARE(name, QString("Beáta"));
    QString none;
    QVERIFY(LookupFieldIn(t, "KOD", {2}, "NEEXISTUJE", none));
    QCOMPARE(none, QString());
    QVERIFY(!LookupFieldIn(t, "KOD", {9}, "PRIEZ", none));
    QVERIFY(!LookupFieldIn(t, "NEEXISTUJE", {9}, "PRIEZ", none));
    QStringList values;
    QVERIFY(LookupFieldsIn(t, "PRIEZ", {"beáta"}, {"KOD", "PRIEZ"}, values));
    QCOMPARE(values, QStringList({"2", "Beáta"}));
    QCOMPARE(t.field("PRIEZ").asString(), QString("Dávid"));
    QVERIFY(t.isFiltered());
    QCOMPARE(t.order(), QString("PRIEZ"));
    QCOMPARE(t.recordCount(), 3);
    // Next codes ignore the filter.
    ENGINE_OK(t.setFilterText("KOD < 3"), t);
    QCOMPARE(LastValue(t, "KOD", "KOD"), qint64(4));
}

void TestEngine::filterByPredicate() {
    EngineFixture f;
    QVERIFY(f.init());
    QVERIFY(f.add({"1|Adam", "2|Beáta", "3|Cyril", "4|Dávid"}));
    Table t(f.db.get(), "OSOBY.DB");
    ENGINE_OK(t.open(), t);
    t.setFilterPredicate([](Table& r) { return r.field("KOD").asInteger() % 2 == 0; });
    t.setFiltered(true);
    QCOMPARE(Walk(t, "PRIEZ"), QStringList({"Beáta", "Dávid"}));
    QVERIFY(!FindByKey(t, "PRIEZ", "Cyril"));
    QVERIFY(FindByKey(t, "PRIEZ", "Dávid"));
    // Both kinds together.
    ENGINE_OK(t.setFilterText("KOD > 2"), t);
    QCOMPARE(Walk(t, "KOD"), QStringList({"4"}));
}

void TestEngine::calculatedFields() {
    EngineFixture f;
    QVERIFY(f.init());
    QVERIFY(f.add({"1|Novák|Ján", "2|Malá|Eva"}));
    Table t(f.db.get(), "OSOBY.DB");
    t.addCalcField({"CELE", 'A', 40});
    t.setCalcHandler([](Table& r) {
        r.field("CELE").setAsString(r.field("MENO").asString() + ' ' +
                                    r.field("PRIEZ").asString());
    });
    ENGINE_OK(t.open(), t);
    QCOMPARE(Walk(t, "CELE"), QStringList({"Ján Novák", "Eva Malá"}));
    QCOMPARE(t.valueAt(1, t.fieldIndex("CELE")).toString(), QString("Eva Malá"));
    t.first();
    ENGINE_OK(t.edit(), t);
    t.field("MENO").setAsString("Jozef");
    ENGINE_OK(t.post(), t);
    QCOMPARE(t.field("CELE").asString(), QString("Jozef Novák"));
}

void TestEngine::duplicateKeyRefusedNothingWritten() {
    EngineFixture f;
    QVERIFY(f.init());
    QVERIFY(f.add({"1|Adam"}));
    Table t(f.db.get(), "OSOBY.DB");
    ENGINE_OK(t.open(), t);
    {
        WriteLock lock(*f.db);
        QVERIFY(lock.ok());
        ENGINE_OK(t.append(), t);
        t.field("KOD").setValue(2);
        ENGINE_OK(t.post(), t);
        ENGINE_OK(t.append(), t);
        t.field("KOD").setValue(1);
        t.field("PRIEZ").setAsString("Duplicita");
        QVERIFY(!t.post());
        QCOMPARE(t.lastErrorKind(), DbError::Constraint);
        QCOMPARE(t.state(), Table::State::Insert);
        t.cancel();
        QVERIFY(!lock.commit());
    }
    // The whole change is gone, and the lock is free again.
    QCOMPARE(Walk(t, "KOD"), QStringList({"1"}));
    QVERIFY(f.add({"3|Cyril"}));
    QCOMPARE(t.recordCount(), 2);
}

void TestEngine::nestedWriteRollsBackAll() {
    EngineFixture f;
    QVERIFY(f.init());
    QString err;
    {
        WriteLock outer(*f.db);
        QVERIFY(outer.ok());
        QVERIFY(f.add({"1|A"}));
        {
            WriteLock inner(*f.db);
            QVERIFY(f.add({"2|B"}));
        } // not committed
        QVERIFY(!outer.commit());
    }
    Table t(f.db.get(), "OSOBY.DB");
    ENGINE_OK(t.open(), t);
    QVERIFY(IsTableEmpty(t));
    QVERIFY(CreateTableWithRows(*f.db, "ZLE.DB", {{"KOD", 'I', 0}, {"N", 'A', 5}},
                                {IndexDef::Primary({"KOD"})}, {"1|a", "x|b"}, &err) == false);
    QVERIFY(err.contains("x|b"));
    QVERIFY(!f.db->tableExists("ZLE.DB"));
}

void TestEngine::lockTimeoutReported() {
    EngineFixture f;
    QVERIFY(f.init());
    auto other = Database::open(f.dir.path(), nullptr);
    QVERIFY(other);
    WriteLock held(*other);
    QVERIFY(held.ok());
    f.db->setLockTimeout(100);
    Table t(f.db.get(), "OSOBY.DB");
    ENGINE_OK(t.open(), t);
    ENGINE_OK(t.append(), t);
    t.field("KOD").setValue(1);
    QVERIFY(!t.post());
    QCOMPARE(t.lastErrorKind(), DbError::Busy);
    WriteLock mine(*f.db);
    QVERIFY(!mine.ok());
    QCOMPARE(mine.errorKind(), DbError::Busy);
    held.rollback();
    ENGINE_OK(t.post(), t);
}

void TestEngine::changesOfOthersSeen() {
    EngineFixture f;
    QVERIFY(f.init());
    QVERIFY(f.add({"1|A", "3|C"}));
    auto other = Database::open(f.dir.path(), nullptr);
    Table mine(f.db.get(), "OSOBY.DB");
    ENGINE_OK(mine.open(), mine);
    mine.last();
    Table theirs(other.get(), "OSOBY.DB");
    ENGINE_OK(theirs.open(), theirs);
    ENGINE_OK(theirs.append(), theirs);
    theirs.field("KOD").setValue(2);
    theirs.field("PRIEZ").setAsString("B");
    ENGINE_OK(theirs.post(), theirs);
    QCOMPARE(Walk(mine, "PRIEZ"), QStringList({"A", "B", "C"}));
    QVERIFY(mine.findKey({2}));
    QVERIFY(theirs.findKey({3}));
    ENGINE_OK(theirs.remove(), theirs);
    QCOMPARE(mine.recordCount(), 2);
    QCOMPARE(mine.field("KOD").asInteger(), qint64(2));
}

// A look-up reads the row as stored, not as this program last read it.
void TestEngine::lookupSeesAChangeOfOthers() {
    EngineFixture f;
    QVERIFY(f.init());
    QVERIFY(f.add({"1|Adam", "2|Bod"}));
    Table mine(f.db.get(), "OSOBY.DB");
    ENGINE_OK(mine.open(), mine);
    QString name;
    QVERIFY(LookupFieldIn(mine, "KOD", {2}, "PRIEZ", name));
    QCOMPARE(name, QString("Bod"));
    auto other = Database::open(f.dir.path(), nullptr);
    Table theirs(other.get(), "OSOBY.DB");
    ENGINE_OK(theirs.open(), theirs);
    QVERIFY(theirs.findKey({2}));
    ENGINE_OK(theirs.edit(), theirs);
    theirs.field("PRIEZ").setAsString("Cyril");
    ENGINE_OK(theirs.post(), theirs);
    QVERIFY(LookupFieldIn(mine, "KOD", {2}, "PRIEZ", name));
    QCOMPARE(name, QString("Cyril"));
}

void TestEngine::changesOfOutsideWritersSeen_data() {
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("insert") << "INSERT INTO \"OSOBY\" (\"KOD\", \"PRIEZ\") VALUES (2, 'Bod')"
                            << QStringList{"Adam", "Bod", "Cyril"};
    QTest::newRow("update") << "UPDATE \"OSOBY\" SET \"PRIEZ\" = 'Zeman' WHERE \"KOD\" = 1"
                            << QStringList{"Cyril", "Zeman"};
    QTest::newRow("delete") << "DELETE FROM \"OSOBY\" WHERE \"KOD\" = 3" << QStringList{"Adam"};
}

void TestEngine::changesOfOutsideWritersSeen() {
    QFETCH(QString, sql);
    QFETCH(QStringList, names);
    EngineFixture f;
    QVERIFY(f.init());
    QVERIFY(f.add({"1|Adam", "3|Cyril"}));
    Table t(f.db.get(), "OSOBY.DB");
    ENGINE_OK(t.open(), t);
    ENGINE_OK(t.setOrder("PRIEZ"), t);
    QCOMPARE(Walk(t, "PRIEZ"), QStringList({"Adam", "Cyril"}));
    OutsideWriter outside(*f.db);
    QVERIFY2(outside.exec(sql), qPrintable(outside.error));
    QCOMPARE(Walk(t, "PRIEZ"), names);
    QCOMPARE(t.recordCount(), int(names.size()));
}

void TestEngine::olderDatabaseCountsChangesOnceOpened() {
    EngineFixture f;
    QVERIFY(f.init());
    QVERIFY(f.add({"1|Adam"}));
    {
        // As an earlier version of the program left it: nothing counts outside changes.
        OutsideWriter old(*f.db);
        const QString on = OnServer(*f.db) ? " ON \"OSOBY\"" : "";
        for (const QString& sql :
             {"DROP TRIGGER \"OSOBY__CHANGES_I\"" + on, "DROP TRIGGER \"OSOBY__CHANGES_U\"" + on,
              "DROP TRIGGER \"OSOBY__CHANGES_D\"" + on,
              QString("ALTER TABLE \"_VR_TABLES\" DROP COLUMN DEFS")})
            QVERIFY2(old.exec(sql), qPrintable(old.error));
    }
    f.db.reset();
    QString err;
    QVERIFY2(f.db = Database::open(f.dir.path(), &err), qPrintable(err));
    Table t(f.db.get(), "OSOBY.DB");
    ENGINE_OK(t.open(), t);
    QCOMPARE(t.recordCount(), 1);
    OutsideWriter outside(*f.db);
    QVERIFY2(outside.exec("INSERT INTO \"OSOBY\" (\"KOD\", \"PRIEZ\") VALUES (2, 'Bod')"),
             qPrintable(outside.error));
    QCOMPARE(Walk(t, "PRIEZ"), QStringList({"Adam", "Bod"}));
    QVERIFY2(f.db->addField("OSOBY.DB", {"POZN", 'A', 10}, &err), qPrintable(err));
}

void TestEngine::definitionChangedByOthersReadAfresh() {
    EngineFixture f;
    QVERIFY(f.init());
    QVERIFY(f.add({"1|Eva", "2|eva", "3|Adam"}));
    auto other = Database::open(f.dir.path(), nullptr);
    QVERIFY(other);
    Table mine(f.db.get(), "OSOBY.DB");
    mine.addCalcField({"CELE", 'A', 40});
    mine.setCalcHandler([](Table& r) {
        const QString note = r.hasField("POZN") ? r.field("POZN").asString() : QString("-");
        r.field("CELE").setAsString(r.field("PRIEZ").asString() + '/' + note);
    });
    ENGINE_OK(mine.open(), mine);
    ENGINE_OK(mine.setOrder("PRIEZ"), mine);
    QCOMPARE(Walk(mine, "PRIEZ"), QStringList({"Adam", "Eva", "eva"}));
    QCOMPARE(mine.field("CELE").asString(), QString("eva/-"));
    int fieldsChanged = 0;
    QObject::connect(&mine, &Table::fieldsChanged, [&] { ++fieldsChanged; });

    // Another program adds a field and fills it, and makes the name order case-sensitive.
    QString err;
    QVERIFY2(other->addField("OSOBY.DB", {"POZN", 'A', 10}, &err), qPrintable(err));
    IndexDefs indexes = PersonIndexes();
    indexes[1].caseInsensitive = false;
    QVERIFY2(other->redefineIndexes("OSOBY.DB", indexes, &err), qPrintable(err));
    Table theirs(other.get(), "OSOBY.DB");
    ENGINE_OK(theirs.open(), theirs);
    QVERIFY(theirs.findKey({2}));
    ENGINE_OK(theirs.edit(), theirs);
    QVERIFY(theirs.field("POZN").setAsString("nový"));
    ENGINE_OK(theirs.post(), theirs);

    mine.refresh();
    QCOMPARE(fieldsChanged, 1);
    QVERIFY(mine.hasField("POZN"));
    QCOMPARE(f.db->indexDefs("OSOBY.DB"), indexes);
    // The name order now tells case apart, lower case first.
    QCOMPARE(Walk(mine, "PRIEZ"), QStringList({"Adam", "eva", "Eva"}));
    QVERIFY(!mine.findKey({"EVA"}));
    QVERIFY(mine.findKey({"eva"}));
    QCOMPARE(mine.field("POZN").asString(), QString("nový"));
    QCOMPARE(mine.field("CELE").asString(), QString("eva/nový"));
}

void TestEngine::editKeepsPlaceInOrder() {
    EngineFixture f;
    QVERIFY(f.init());
    QVERIFY(f.add({"1|A", "2|B", "3|C"}));
    Table t(f.db.get(), "OSOBY.DB");
    ENGINE_OK(t.open(), t);
    ENGINE_OK(t.setOrder("PRIEZ"), t);
    t.first();
    ENGINE_OK(t.edit(), t);
    t.field("PRIEZ").setAsString("Z");
    ENGINE_OK(t.post(), t);
    QCOMPARE(t.field("KOD").asInteger(), qint64(1));
    QCOMPARE(t.recNo(), -1); // stale until the next move
    t.prior();
    QCOMPARE(t.field("PRIEZ").asString(), QString("C"));
    QCOMPARE(Walk(t, "PRIEZ"), QStringList({"B", "C", "Z"}));
    t.first();
    ENGINE_OK(t.edit(), t);
    t.cancel();
    QCOMPARE(t.state(), Table::State::Browse);
    QVERIFY(!t.field("PRIEZ").setAsString("X")); // not in edit state
}

void TestEngine::removeMovesToNext() {
    EngineFixture f;
    QVERIFY(f.init());
    QVERIFY(f.add({"1|A", "2|B", "3|C"}));
    Table t(f.db.get(), "OSOBY.DB");
    ENGINE_OK(t.open(), t);
    QVERIFY(t.findKey({2}));
    ENGINE_OK(t.remove(), t);
    QCOMPARE(t.field("KOD").asInteger(), qint64(3));
    ENGINE_OK(t.remove(), t);
    QCOMPARE(t.field("KOD").asInteger(), qint64(1));
    ENGINE_OK(t.remove(), t);
    QVERIFY(t.bof() && t.eof());
    QVERIFY(!t.remove());
}

void TestEngine::emptyAndAddIndex() {
    EngineFixture f;
    QVERIFY(f.init());
    QVERIFY(f.add({"1|A|x", "2|B|x"}));
    QString err;
    IndexDef unique = IndexDef::Secondary("MenoU", {"MENO"});
    unique.unique = true;
    QVERIFY(!f.db->addIndex("OSOBY.DB", unique, &err));
    QCOMPARE(f.db->indexDefs("OSOBY.DB"), PersonIndexes());
    QVERIFY2(f.db->addIndex("OSOBY.DB", IndexDef::Secondary("Datnar", {"DATNAR"}), &err),
             qPrintable(err));
    QCOMPARE(f.db->indexDefs("OSOBY.DB").size(), PersonIndexes().size() + 1);
    QVERIFY2(f.db->redefineIndexes("OSOBY.DB", PersonIndexes(), &err), qPrintable(err));
    QCOMPARE(f.db->indexDefs("OSOBY.DB"), PersonIndexes());
    Table t(f.db.get(), "OSOBY.DB");
    ENGINE_OK(t.open(), t);
    QCOMPARE(t.recordCount(), 2);
    QVERIFY(f.db->emptyTable("OSOBY.DB", &err));
    QCOMPARE(t.recordCount(), 0);
}

void TestEngine::addFieldKeepsRows() {
    EngineFixture f;
    QVERIFY(f.init());
    QVERIFY(f.add({"1|A"}));
    QString err;
    QVERIFY2(f.db->addField("OSOBY.DB", {"POZN", 'A', 10}, &err), qPrintable(err));
    QVERIFY(!f.db->addField("OSOBY.DB", {"pozn", 'A', 10}, &err));
    Table t(f.db.get(), "OSOBY.DB");
    ENGINE_OK(t.open(), t);
    QVERIFY(FieldExists(t, "pozn"));
    QVERIFY(t.field("POZN").isNull());
    QCOMPARE(t.field("PRIEZ").asString(), QString("A"));
}

VIDORAW_TEST(TestEngine)
#include "test_engine.moc"

#include "core/engine/table.h"
#include "maintenance/restructure.h"
#include "testmain.h"

#include <QTemporaryDir>
#include <QTest>

using namespace vidoraw;

// Changing a table's layout: additions by position, resized fields losing their indexes,
// removals, defaults for the records already there, and a second run that has nothing to do.
class TestRestructure : public QObject {
    Q_OBJECT
private slots:
    void layoutChanged();
    void missingTable();
};

void TestRestructure::layoutChanged() {
    QTemporaryDir dir;
    QString error;
    auto db = Database::open(dir.path(), &error);
    QVERIFY2(db, qPrintable(error));
    const FieldDefs fields = {{"KOD", 'N', 0}, {"NAZOV", 'A', 20}, {"POZN", 'A', 10}};
    const IndexDefs indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("Nazov", {"NAZOV"}),
                               IndexDef::Secondary("Pozn", {"POZN"})};
    QVERIFY2(db->createTable("T.DB", fields, indexes, &error), qPrintable(error));
    {
        Table t(db.get(), "T.DB");
        QVERIFY(t.open());
        WriteLock lock(*db);
        for (int i = 1; i <= 2500; ++i) {
            QVERIFY(t.append());
            QVERIFY(t.field("KOD").setValue(i));
            QVERIFY(t.field("NAZOV").setAsString(QStringLiteral("Názov %1").arg(i)));
            QVERIFY(t.field("POZN").setAsString("p"));
            QVERIFY(t.post());
        }
        QVERIFY(lock.commit());
    }
    QStringList protocol;
    const ProtocolSink sink = [&](const QString& line, bool replaceLast) {
        if (replaceLast)
            protocol.last() = line;
        else
            protocol << line;
    };
    const QList<FieldAddition> request = {{"KOD,N,0", 0, ""}, {"NAZOV,A,40", 1, ""}, {"NOVE,A,5", 99, "x"}};
    WriteLock lock(*db);
    QCOMPARE(RestructureTable(*db, "T.DB", request, {"POZN"}, sink, &error), RestructureResult::Converted);
    QVERIFY(lock.commit());
    QCOMPARE(protocol, (QStringList{"   Pridáme pole : NOVE,A,5.",
                                    "   Zmena vlastností poľa : NAZOV,A,40.",
                                    "   Pole : KOD v tabuľke už existuje.",
                                    "   Odstraňujem pole : POZN z tabuľky.",
                                    "   V tabuľke : T.DB je zatiaľ prevedených 2000 viet.",
                                    "   V tabuľke : T.DB bolo prevedených 2500 viet."}));
    QCOMPARE(db->fieldDefs("T.DB"), (FieldDefs{{"KOD", 'N', 0}, {"NAZOV", 'A', 40}, {"NOVE", 'A', 5}}));
    QCOMPARE(db->indexDefs("T.DB"), IndexDefs{IndexDef::Primary({"KOD"})});
    Table t(db.get(), "T.DB");
    QVERIFY(t.open());
    QCOMPARE(t.recordCount(), 2500);
    QVERIFY(t.findKey({2500}));
    QCOMPARE(t.field("NAZOV").asString(), QStringLiteral("Názov 2500"));
    QCOMPARE(t.field("NOVE").asString(), QStringLiteral("x"));
    t.close();

    // Done already: only the protocol says so.
    protocol.clear();
    QCOMPARE(RestructureTable(*db, "T.DB", request, {"POZN"}, sink, &error), RestructureResult::NothingToDo);
    QCOMPARE(protocol.last(), QStringLiteral("   Tabuľka : T.DB už bola prevedená skôr."));
    QVERIFY(protocol.contains("   Pole : POZN v tabuľke neexistuje, bolo zrejme odstránené skôr."));
}

void TestRestructure::missingTable() {
    QTemporaryDir dir;
    QString error;
    auto db = Database::open(dir.path(), &error);
    QVERIFY(db);
    QStringList protocol;
    QCOMPARE(RestructureTable(*db, "NIE.DB", {{"A,A,1", 0, ""}}, {},
                              [&](const QString& l, bool) { protocol << l; }, &error),
             RestructureResult::NotFound);
    QVERIFY(protocol.isEmpty());
    QVERIFY(!db->tableExists("NIE.DB"));
}

VIDORAW_TEST(TestRestructure)
#include "test_restructure.moc"

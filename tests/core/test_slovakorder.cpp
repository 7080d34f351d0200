// The Slovak order of the database against the program's own comparison, on whichever backend
// the run uses: walking an order and finding in it must agree with what the program compares.
#include "core/engine/fieldvalue.h"
#include "enginefixture.h"
#include "testmain.h"

#include <algorithm>

using namespace vidoraw;
using namespace vidoraw::test;

namespace {

// Forty names where Slovak order differs from code-point order: ch after h, č after c, long
// and short vowels, ä and ô, soft consonants, capitals, spaces, hyphens, digits and a blank.
const QStringList kNames = {
    "Čaplovič", "Cibuľa",   "chata",    "Chalupa",  "Hruška",  "hrach",   "Ihnát",  "Áno",
    "Adam",     "adam",     "Ábel",     "Ägid",     "Ďurica",  "Dávid",   "Dubček", "Ľubica",
    "Lukáč",    "Ĺavý",     "Ňuňo",     "Nováková", "Ôsma",    "Óda",     "Oto",    "Ŕba",
    "Rak",      "Šimon",    "Sabol",    "Ťažký",    "Tóth",    "Žofia",   "Zeman",  "zeman",
    "Mc-Donald", "Mc Kay",  "McDonald", "123",      "9 Bod",   "CH",      "cH",     QString()};

FieldDefs OrderFields() { return {{"KOD", 'N', 0}, {"MENO", 'A', 30}, {"MENOCI", 'A', 30}}; }

IndexDefs OrderIndexes() {
    return {IndexDef::Primary({"KOD"}), IndexDef::Secondary("Meno", {"MENO"}, false),
            IndexDef::Secondary("Menoci", {"MENOCI"}, true)};
}

} // namespace

class TestSlovakOrder : public QObject {
    Q_OBJECT
private slots:
    void orderAgreesWithComparison_data();
    void orderAgreesWithComparison();
};

void TestSlovakOrder::orderAgreesWithComparison_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("caseInsensitive");
    QTest::newRow("case-sensitive index") << "MENO" << false;
    QTest::newRow("case-insensitive index, ties by code") << "MENOCI" << true;
}

void TestSlovakOrder::orderAgreesWithComparison() {
    QFETCH(QString, field);
    QFETCH(bool, caseInsensitive);
    EngineFixture f;
    QString err;
    QVERIFY2(f.db = Database::open(f.dir.path(), &err), qPrintable(err));
    QVERIFY2(f.db->createTable("PORADIE.DB", OrderFields(), OrderIndexes(), &err), qPrintable(err));
    Table t(f.db.get(), "PORADIE.DB");
    ENGINE_OK(t.open(), t);
    // Stored in an order unlike either result; codes by position in the list.
    QList<int> storeOrder;
    for (int i = 0; i < kNames.size(); ++i)
        storeOrder << (i * 17) % int(kNames.size());
    for (int i : storeOrder) {
        ENGINE_OK(t.append(), t);
        t.field("KOD").setValue(i + 1);
        if (!kNames[i].isNull()) {
            t.field("MENO").setAsString(kNames[i]);
            t.field("MENOCI").setAsString(kNames[i]);
        }
        ENGINE_OK(t.post(), t);
    }

    // The program's own comparison: blank first, equal keys by code.
    QList<int> expected;
    for (int i = 0; i < kNames.size(); ++i)
        expected << i;
    const FieldDef text{field, 'A', 30};
    std::stable_sort(expected.begin(), expected.end(), [&](int a, int b) {
        const QVariant va = kNames[a].isNull() ? QVariant() : QVariant(kNames[a]);
        const QVariant vb = kNames[b].isNull() ? QVariant() : QVariant(kNames[b]);
        return CompareFieldValues(text, va, vb, caseInsensitive) < 0;
    });
    QStringList want;
    for (int i : expected)
        want << QStringLiteral("%1 %2").arg(i + 1).arg(kNames[i]);

    ENGINE_OK(t.setOrder(field), t);
    QStringList got;
    for (t.first(); !t.eof(); t.next())
        got << t.field("KOD").asString() + ' ' + t.field(field).asString();
    QCOMPARE(got, want);

    // A find lands where the walk puts the key; a key between two names on the one after.
    for (int k = 0; k < expected.size(); ++k) {
        const QString name = kNames[expected[k]];
        if (name.isEmpty())
            continue;
        QVERIFY2(t.findNearest({name}), qPrintable(name));
        const int first = int(std::find_if(expected.begin(), expected.end(), [&](int i) {
                                  return CompareFieldValues(text, kNames[i], name,
                                                            caseInsensitive) == 0;
                              }) -
                              expected.begin());
        QCOMPARE(t.recNo(), first);
    }
    QVERIFY(t.findNearest({"Ci"}));
    QCOMPARE(t.field(field).asString(), QString("Cibuľa"));
    QVERIFY(t.findNearest({"hz"}));
    QCOMPARE(t.field(field).asString().toLower(), QString("ch"));
}

VIDORAW_TEST(TestSlovakOrder)
#include "test_slovakorder.moc"

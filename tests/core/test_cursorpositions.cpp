// Positions in a long order: a server hands a cursor its row ids a window at a time, and every
// way of getting somewhere (walking, jumping to the end, finds, bookmarks, refresh, removal)
// must land where reading them all would.
#include "enginefixture.h"
#include "testmain.h"

#include <QSet>

using namespace vidoraw;
using namespace vidoraw::test;

namespace {

constexpr int kRows = 2600; // several windows of ids

// Names repeat, in both cases and blank, so that orders have long runs of equal keys.
QString NameOf(int i) {
    if (i % 13 == 0)
        return QString();
    static const QStringList names{"Čierny", "chovanec", "Horváth", "Cibuľa", "čierny", "Ďurica"};
    return names[i % names.size()] + (i % 4 ? QString() : QString::number(i % 7));
}

struct Filled {
    EngineFixture f;
    bool ok = false;
    Filled() {
        if (!f.init())
            return;
        Table t(f.db.get(), "OSOBY.DB");
        if (!t.open())
            return;
        WriteLock lock(*f.db);
        for (int i = 1; i <= kRows; ++i) {
            if (!t.append())
                return;
            t.field("KOD").setValue(i);
            t.field("PRIEZ").setAsString(NameOf(i));
            if (i % 5)
                t.field("MESTO").setAsString(i % 3 ? "Nitra" : "Žilina");
            t.field("MENO").setAsString(i % 2 ? "Ján" : "ján");
            t.field("POCET").setValue(i % 50);
            if (!t.post())
                return;
        }
        ok = lock.commit();
    }
};

QList<qint64> WalkForward(Table& t) {
    QList<qint64> out;
    for (t.first(); !t.eof(); t.next())
        out << t.bookmark();
    return out;
}

QList<qint64> WalkBackward(Table& t) {
    QList<qint64> out;
    for (t.last(); !t.bof(); t.prior())
        out.prepend(t.bookmark());
    return out;
}

bool Prepare(Table& t, const QString& order, const QString& filter) {
    if (!t.open() || !t.setOrder(order))
        return false;
    if (!filter.isEmpty()) {
        if (!t.setFilterText(filter))
            return false;
        t.setFiltered(true);
    }
    return true;
}

QVariantList KeyAt(Table& t, const QString& order) {
    QVariantList key;
    for (const QString& f : SplitFieldList(order.isEmpty() ? QString("KOD") : order))
        key << t.field(f).value();
    return key;
}

// Keys equal under the order's case rule.
bool SameKey(const QVariantList& a, const QVariantList& b, bool caseInsensitive) {
    for (int i = 0; i < a.size(); ++i)
        if (a[i].toString().compare(b[i].toString(), caseInsensitive ? Qt::CaseInsensitive
                                                                     : Qt::CaseSensitive) != 0)
            return false;
    return true;
}

} // namespace

class TestCursorPositions : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase() { data_.reset(); }
    void positions_data();
    void positions();
    void groups_data();
    void groups();
    void refreshAndRemoveFarDown();

private:
    std::unique_ptr<Filled> data_;
};

void TestCursorPositions::initTestCase() {
    data_ = std::make_unique<Filled>();
    QVERIFY(data_->ok);
}

void TestCursorPositions::positions_data() {
    QTest::addColumn<QString>("order");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<bool>("caseInsensitive");
    QTest::newRow("primary key") << "" << "" << false;
    QTest::newRow("case-insensitive names, blanks first") << "PRIEZ" << "" << true;
    QTest::newRow("two fields, blank towns") << "MESTO;PRIEZ" << "" << true;
    QTest::newRow("case-sensitive, two long runs") << "MENO" << "" << false;
    QTest::newRow("names, filtered") << "PRIEZ" << "POCET > 10 or MESTO = 'Žilina'" << true;
}

void TestCursorPositions::positions() {
    QFETCH(QString, order);
    QFETCH(QString, filter);
    QFETCH(bool, caseInsensitive);
    Database& db = *data_->f.db;
    Table walker(&db, "OSOBY.DB");
    QVERIFY(Prepare(walker, order, filter));
    const QList<qint64> walk = WalkForward(walker);
    QCOMPARE(walk.size(), walker.recordCount());
    QVERIFY(walk.size() > 2000);
    QCOMPARE(QSet<qint64>(walk.begin(), walk.end()).size(), walk.size());
    {
        Table back(&db, "OSOBY.DB");
        QVERIFY(Prepare(back, order, filter));
        QCOMPARE(WalkBackward(back), walk);
    }
    {
        // The grid's way: row by row from the row count, far end first.
        Table grid(&db, "OSOBY.DB");
        QVERIFY(Prepare(grid, order, filter));
        QCOMPARE(grid.rowCount(), walk.size());
        for (int row = grid.rowCount() - 1; row >= 0; row -= 37)
            QCOMPARE(grid.rowIdAt(row), walk[row]);
    }
    for (int p : {0, 1, 1023, 1024, 1500, 2047, 2048, int(walk.size()) - 1}) {
        Table t(&db, "OSOBY.DB");
        QVERIFY(Prepare(t, order, filter));
        QVERIFY(t.gotoBookmark(walk[p]));
        QCOMPARE(t.recNo(), p);
        QVERIFY(t.gotoRecNo(p));
        QCOMPARE(t.bookmark(), walk[p]);
        const QVariantList key = KeyAt(t, order);
        // A find stands on the first record of the key's run.
        Table finder(&db, "OSOBY.DB");
        QVERIFY(Prepare(finder, order, filter));
        QVERIFY(finder.findNearest(key));
        int first = p;
        while (first > 0) {
            QVERIFY(walker.gotoRecNo(first - 1));
            if (!SameKey(KeyAt(walker, order), key, caseInsensitive))
                break;
            --first;
        }
        QCOMPARE(finder.recNo(), first);
        QCOMPARE(finder.bookmark(), walk[first]);
        // Another order keeps the current record; back again it is where it was.
        QVERIFY(t.setOrder(order == "PRIEZ" ? "MENO" : "PRIEZ"));
        QCOMPARE(t.bookmark(), walk[p]);
        QVERIFY(t.setOrder(order));
        QCOMPARE(t.recNo(), p);
    }
    {
        // One cursor hopping about, as a search does: each place counted from the one before,
        // forwards and backwards, into and out of the blanks.
        Table hopper(&db, "OSOBY.DB");
        QVERIFY(Prepare(hopper, order, filter));
        const int n = int(walk.size());
        for (int p : {n / 2, n / 2 + 3, n / 2 + 700, 5, 0, n - 1, n / 3, n / 3 - 1, 2 * n / 3, 40}) {
            QVERIFY(hopper.gotoBookmark(walk[p]));
            QCOMPARE(hopper.recNo(), p);
        }
    }
}

// Rows added before the current record and the record removed, far from the first window.
void TestCursorPositions::groups_data() {
    QTest::addColumn<QString>("order");
    QTest::addColumn<QVariantList>("key");
    QTest::addColumn<bool>("caseInsensitive");
    QTest::newRow("town, any case of a name") << "MESTO;PRIEZ" << QVariantList{"nitra", "ČIERNY"} << true;
    QTest::newRow("town alone") << "MESTO;PRIEZ" << QVariantList{"Žilina"} << true;
    QTest::newRow("blank town, stored empty or null") << "MESTO;PRIEZ" << QVariantList{QString()} << true;
    QTest::newRow("case-sensitive") << "MENO" << QVariantList{"ján"} << false;
    QTest::newRow("number") << "POCET" << QVariantList{7} << false;
    QTest::newRow("nothing equal") << "PRIEZ" << QVariantList{"Zzz"} << true;
}

// One group of an order, read without running on: exactly the rows whose leading fields equal
// the key, in the order's sequence.
void TestCursorPositions::groups() {
    QFETCH(QString, order);
    QFETCH(QVariantList, key);
    QFETCH(bool, caseInsensitive);
    Database& db = *data_->f.db;
    Table walker(&db, "OSOBY.DB");
    QVERIFY(Prepare(walker, order, ""));
    const QStringList fields = SplitFieldList(order);
    QList<qint64> expected;
    for (walker.first(); !walker.eof(); walker.next()) {
        bool equal = true;
        for (int i = 0; i < key.size() && equal; ++i) {
            const QVariant v = walker.field(fields[i]).value();
            if (key[i].typeId() == QMetaType::Int)
                equal = v.toInt() == key[i].toInt();
            else
                equal = v.toString().compare(key[i].toString(), caseInsensitive ? Qt::CaseInsensitive
                                                                                : Qt::CaseSensitive) == 0;
        }
        if (equal)
            expected << walker.bookmark();
    }
    Table t(&db, "OSOBY.DB");
    QList<qint64> got;
    ENGINE_OK(t.scanGroup(order, key, {"KOD"}, [&](qint64 id, const QVector<QVariant>&) {
        got << id;
        return true;
    }), t);
    QCOMPARE(got, expected);
    if (key != QVariantList{"Zzz"})
        QVERIFY(got.size() > 10);
}

void TestCursorPositions::refreshAndRemoveFarDown() {
    Database& db = *data_->f.db;
    Table t(&db, "OSOBY.DB");
    QVERIFY(Prepare(t, "PRIEZ", ""));
    const QList<qint64> walk = WalkForward(t);
    const int p = int(walk.size()) - 700;
    QVERIFY(t.gotoBookmark(walk[p]));
    {
        Table other(&db, "OSOBY.DB");
        ENGINE_OK(other.open(), other);
        for (int i = 0; i < 2; ++i) {
            ENGINE_OK(other.append(), other);
            other.field("KOD").setValue(kRows + 1 + i);
            other.field("PRIEZ").setAsString("Adamec"); // before every name but the blanks
            ENGINE_OK(other.post(), other);
        }
    }
    t.refresh();
    QCOMPARE(t.bookmark(), walk[p]);
    QCOMPARE(t.recNo(), p + 2);
    ENGINE_OK(t.remove(), t);
    QCOMPARE(t.recNo(), p + 2);
    QCOMPARE(t.bookmark(), walk[p + 1]);
    t.last();
    QCOMPARE(t.bookmark(), walk.last());
    QCOMPARE(t.recordCount(), walk.size() + 1);
    // Found by key far down, and gone again.
    for (qint64 code : {kRows + 1, kRows + 2}) {
        QVERIFY(FindByKey(t, "KOD", code));
        ENGINE_OK(t.remove(), t);
    }
}

VIDORAW_TEST(TestCursorPositions)
#include "test_cursorpositions.moc"

#include "framework/systemrecord.h"
#include "maintenance/dataversion.h"
#include "maintenance/upgradewindow.h"
#include "maintenancefixture.h"
#include "testmain.h"

#include <QDate>

using namespace vidoraw;
using namespace vidoraw::test;

namespace {

// What each data version added, as the shop's data history tells it: the tables made and the
// fields added (table, field). Data of version v have none of what came after v.
struct Addition {
    const char* version;
    QList<int> tables;
    QList<std::pair<int, const char*>> fields;
};

const QList<Addition>& History() {
    using namespace module;
    static const QList<Addition> h = {
        {"1,01", {kFak, kPol}, {}},
        {"1,02", {}, {{kFak, "KDEODB"}, {kFak, "DOPLNOK"}}},
        {"1,03", {40, 41, 42, 43, 44}, {}},
        {"1,04", {kKlient, kObp}, {}},
        {"1,05", {}, {{kFak, "INDIK"}}},
        {"1,06", {kHesla, kPrihesf}, {}},
        {"1,07", {}, {{kSystem, "PACNIE"}, {kSystem, "RCMOD11"}}},
        {"1,08", {}, {{kVlastn, "POSUNXF"}, {kVlastn, "POSUNYF"}, {kVlastn, "AJSDPH"}, {kSystem, "DATUM"}}},
        {"1,09", {kZaokruh}, {{kVlastn, "KODZAOK"}}},
        {"1,10", {}, {{kVlastn, "MENA"}, {kVlastn, "DMENA"}, {kVlastn, "KURZ"}, {kVlastn, "ZOBRAZDM"}}},
        {"1,11", {}, {{kPohlad, "ZAROVNAJ"}, {kFak, "DMENA"}, {kFak, "KURZ"}, {kFak, "ZOBRAZDM"}}},
        {"1,12", {kTypskl, kTypram}, {{kObp, "KODS"}, {kObp, "KODR"}}},
        {"1,13", {}, {{kPoukazv, "KODS"}, {kPoukazv, "KODR"}}},
        {"1,14", {kVekra, kKoment}, {{kPoukazv, "NAZR"}, {kObp, "NAZR"}}},
        {"1,15", {kTypks}, {{kPoukazv, "KODKS"}, {kObp, "KODKS"}}},
    };
    return h;
}

QString FileOf(int n) { return QString::fromLatin1(ModuleInfoFor(n)->tableFile); }

// Name and type of every field (sizes of numbers and dates are no part of a layout).
QStringList Layout(const FieldDefs& fields) {
    QStringList out;
    for (const FieldDef& f : fields)
        out << QStringLiteral("%1,%2,%3").arg(f.name).arg(f.type).arg(f.type == 'A' ? f.size : 0);
    out.sort();
    return out;
}

struct OldData {
    QTemporaryDir dataDir;
    QTemporaryDir configDir;
    ScriptedInteraction ui;
    std::unique_ptr<AppContext> app;
    std::unique_ptr<Database> db;

    explicit OldData(const QString& version) {
        SetSettingsDirectory(configDir.path());
        open();
        QSet<QString> laterTables; // by file: two modules may share a table
        QMultiHash<QString, QString> laterFields;
        for (const Addition& a : History()) {
            if (QString::fromLatin1(a.version) <= version)
                continue;
            for (int n : a.tables)
                laterTables << FileOf(n).toUpper();
            for (const auto& [n, field] : a.fields)
                laterFields.insert(FileOf(n).toUpper(), QString::fromLatin1(field));
        }
        for (const auto& [n, file] : ModuleTableFiles(*app)) {
            if (laterTables.contains(file.toUpper()))
                continue;
            TableSchema s = *app->registry.schema(n);
            const QStringList gone = laterFields.values(file.toUpper());
            FieldDefs fields;
            for (const FieldDef& f : s.fields)
                if (!gone.contains(f.name, Qt::CaseInsensitive))
                    fields << f;
            IndexDefs indexes;
            for (const IndexDef& i : s.indexes) {
                bool uses = false;
                for (const QString& f : i.fields)
                    uses = uses || gone.contains(f, Qt::CaseInsensitive);
                if (!uses)
                    indexes << i;
            }
            QString error;
            QVERIFY2(db->createTable(file, fields, indexes, &error), qPrintable(error));
        }
        addRow(module::kSystem, {{"VERZIA", version}, {"STAV", "A"}, {"UZIVATEL", "1"}});
        addRow(module::kVlastn, {{"KOD", "1"}, {"NAZOV", "Optika pri rybníku"}});
        addRow(module::kPoukazv, {{"KOD", "7"}, {"RODCIS", "800101/1007"}});
        if (version >= "1,01")
            addRow(module::kFak, {{"KOD", "3"}, {"CISFAKTU", "2008001"}});
    }
    ~OldData() {
        close();
        SetSettingsDirectory(QString());
    }
    void open() {
        app = std::make_unique<AppContext>();
        RegisterAllModules(*app);
        QString error;
        db = Database::open(dataDir.path(), &error);
        QVERIFY2(db, qPrintable(error));
        app->db = db.get();
        app->registry.setDatabase(db.get());
    }
    void close() {
        if (!app)
            return;
        app->registry.ReleaseAll();
        app->registry.ReleaseModule(module::kSystem);
        app.reset();
        db.reset();
    }
    void addRow(int n, const QList<std::pair<QString, QString>>& values) {
        Table t(db.get(), FileOf(n));
        QVERIFY(t.open());
        WriteLock lock(*db);
        QVERIFY(lock.ok() && t.append());
        for (const auto& [field, value] : values)
            QVERIFY2(t.field(field).setAsString(value), qPrintable(t.lastError()));
        QVERIFY2(t.post(), qPrintable(t.lastError()));
        QVERIFY(lock.commit());
    }
    QString value(int n, const QString& field) {
        Table t(db.get(), FileOf(n));
        if (!t.open() || !t.hasField(field))
            return QStringLiteral("<no field>");
        t.first();
        return t.eof() ? QStringLiteral("<no row>") : t.field(field).asString();
    }
    // Runs the check as the start does; the window's protocol is read when it waits for OK.
    UpgradeOutcome upgrade(QStringList* protocol, const UpgradeOptions& options = {}) {
        ui.queueDialog([protocol](QDialog& d) {
            auto* w = qobject_cast<TfNovaVerzia*>(&d);
            QVERIFY(w);
            QVERIFY(w->bbOk->isEnabled());
            *protocol = w->protocol();
            w->bbOk->click();
        });
        return CheckDataVersion(*app, nullptr, options);
    }
};

QStringList StepsRun(const QStringList& protocol) {
    QStringList out;
    for (const QString& line : protocol)
        if (line.startsWith("Začiatok prevodu na verziu "))
            out << line.mid(27).remove('.');
    return out;
}

QStringList VersionsAbove(const QString& version) {
    QStringList out;
    for (const QString& v : UpgradeVersions())
        if (v > version)
            out << v;
    return out;
}

} // namespace

// The data version upgrade: from every older version each later step runs once, in order,
// giving the layout a new data directory has; defaults reach the existing records; a step
// that fails leaves the version at the step before, and the next start finishes the work.
class TestDataVersion : public QObject {
    Q_OBJECT
private slots:
    void upgradeFrom_data();
    void upgradeFrom();
    void noUpgrade_data();
    void noUpgrade();
    void failedStepRepeatedAtNextStart();
};

void TestDataVersion::upgradeFrom_data() {
    QTest::addColumn<QString>("version");
    for (const QString& v : QStringList{"1,00"} + UpgradeVersions().mid(0, 14))
        QTest::newRow(qPrintable(v)) << v;
}

void TestDataVersion::upgradeFrom() {
    QFETCH(QString, version);
    OldData data(version);
    QStringList protocol;
    QCOMPARE(data.upgrade(&protocol), UpgradeOutcome::Upgraded);
    QCOMPARE(StepsRun(protocol), VersionsAbove(version));
    for (const QString& v : VersionsAbove(version))
        QCOMPARE(protocol.count(QStringLiteral("Prevod na verziu %1 ukončený.").arg(v)), 1);
    QCOMPARE(StoredDataVersion(*data.app), QStringLiteral("1,15"));
    QCOMPARE(data.value(module::kSystem, "DATUM"), QStringLiteral("6.8.2008"));

    // Every table as a new data directory has it.
    for (const auto& [n, file] : ModuleTableFiles(*data.app)) {
        QVERIFY2(data.db->tableExists(file), qPrintable(file));
        QStringList expected = Layout(data.app->registry.schema(n)->fields);
        // Invoices made before 1,11 get the flag in its upgrade's size, not a new table's.
        if (n == module::kFak && version < "1,11")
            expected.replaceInStrings("ZOBRAZDM,A,3", "ZOBRAZDM,A,1");
        QCOMPARE(Layout(data.db->fieldDefs(file)), expected);
    }
    // The records kept their values and got the defaults of what was added after them.
    QCOMPARE(data.value(module::kVlastn, "NAZOV"), QStringLiteral("Optika pri rybníku"));
    QCOMPARE(data.value(module::kPoukazv, "RODCIS"), QStringLiteral("800101/1007"));
    const bool before = version < "1,10";
    QCOMPARE(data.value(module::kVlastn, "MENA"), before ? QStringLiteral("Sk") : QString());
    if (before)
        QCOMPARE(data.value(module::kVlastn, "KURZ"), QStringLiteral("30,1234"));
    if (version < "1,07")
        QCOMPARE(data.value(module::kSystem, "PACNIE"), QStringLiteral("N"));
    if (version >= "1,01" && version < "1,02")
        QCOMPARE(data.value(module::kFak, "KDEODB"), QStringLiteral("0"));
    if (version >= "1,01" && version < "1,11")
        QCOMPARE(data.value(module::kFak, "ZOBRAZDM"), QStringLiteral("N"));
    QVERIFY(!data.db->tableExists("POMOC_DD.DB"));
}

void TestDataVersion::noUpgrade_data() {
    QTest::addColumn<QString>("version");
    QTest::addColumn<bool>("tooNew");
    QTest::newRow("newest") << "1,15" << false;
    QTest::newRow("unknown older") << "0,95" << false;
    QTest::newRow("newer than the program") << "1,16" << true;
}

void TestDataVersion::noUpgrade() {
    QFETCH(QString, version);
    QFETCH(bool, tooNew);
    OldData data("1,15");
    QVERIFY(WriteSystemFields(*data.app, {{"VERZIA", version}}));
    QCOMPARE(DataTooNew(*data.app), tooNew);
    if (tooNew)
        QCOMPARE(data.ui.takeNoticeTexts(),
                 QStringList{"Nesprávne číslo verzie programu! Kvôli bezpečnosti musí byť program ukončený!"});
    else
        QCOMPARE(CheckDataVersion(*data.app), UpgradeOutcome::Current); // no window
}

void TestDataVersion::failedStepRepeatedAtNextStart() {
    OldData data("1,10");
    UpgradeOptions failing;
    failing.beforeCommit = [](const QString& v) { return v != "1,13"; };
    QStringList protocol;
    QCOMPARE(data.upgrade(&protocol, failing), UpgradeOutcome::Failed);
    const QList<RecordedNotice> notices = data.ui.takeNotices();
    QCOMPARE(notices.size(), 1);
    QVERIFY2(notices[0].text.startsWith("Prevod údajov na verziu 1,13 sa nepodaril"),
             qPrintable(notices[0].text));
    QCOMPARE(StepsRun(protocol), (QStringList{"1,11", "1,12", "1,13"}));
    QCOMPARE(StoredDataVersion(*data.app), QStringLiteral("1,12"));
    // The failed step's work is undone with it.
    QCOMPARE(data.value(module::kPoukazv, "KODS"), QStringLiteral("<no field>"));
    QVERIFY(data.db->tableExists(FileOf(module::kTypskl)));

    data.close(); // the next start
    data.open();
    QCOMPARE(data.upgrade(&protocol), UpgradeOutcome::Upgraded);
    QCOMPARE(StepsRun(protocol), (QStringList{"1,13", "1,14", "1,15"}));
    QCOMPARE(StoredDataVersion(*data.app), QStringLiteral("1,15"));
    QCOMPARE(Layout(data.db->fieldDefs("POUKAZ.DB")),
             Layout(data.app->registry.schema(module::kPoukazv)->fields));
}

VIDORAW_TEST(TestDataVersion)
#include "test_dataversion.moc"

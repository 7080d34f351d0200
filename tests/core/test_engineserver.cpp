// Which database a data directory uses, the guard against network disks, a lost server, and
// moving a shop between a database file and a server.
#include "core/engine/datacopy.h"
#include "core/engine/fsguard.h"
#include "enginefixture.h"
#include "serverhelpers.h"
#include "testmain.h"

#include <QDir>
#include <QFileInfo>

using namespace vidoraw;
using namespace vidoraw::test;

namespace {

void WriteText(const QString& path, const QByteArray& text) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}

// The rows of a table in primary-key order, every field as text.
QStringList Rows(Database& db, const QString& table) {
    Table t(&db, table);
    QStringList out;
    if (!t.open())
        return {"cannot open " + table};
    for (t.first(); !t.eof(); t.next()) {
        QStringList row;
        for (int i = 0; i < t.tableFieldCount(); ++i)
            row << (t.field(i).isNull() ? QString("<blank>") : t.field(i).asString());
        out << row.join('|');
    }
    return out;
}

} // namespace

class TestEngineServer : public QObject {
    Q_OBJECT
private slots:
    void settingsFile_data();
    void settingsFile();
    void networkDiskRefused_data();
    void networkDiskRefused();
    void lostServerKeepsTheRecord();
    void copyToServerAndBack();
};

void TestEngineServer::settingsFile_data() {
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("expected"); // host:port/database@user, or the start of the error
    QTest::newRow("server") << "DATABAZA.INI"
                            << QByteArray("[SERVER]\nHOST=sklad\nDATABASE=optika\nUSER=predaj\n")
                            << "sklad:5432/optika@predaj";
    QTest::newRow("any case, own port") << "databaza.ini"
                                        << QByteArray("[server]\nhost=10.0.0.5\nPort=6543\n"
                                                      "database=optika\n")
                                        << "10.0.0.5:6543/optika@";
    QTest::newRow("no database") << "DATABAZA.INI" << QByteArray("[SERVER]\nHOST=sklad\n")
                                 << "V súbore";
    QTest::newRow("bad port") << "DATABAZA.INI"
                              << QByteArray("[SERVER]\nDATABASE=optika\nPORT=abc\n")
                              << "V súbore";
    QTest::newRow("password in the shared file")
        << "DATABAZA.INI" << QByteArray("[SERVER]\nDATABASE=optika\nPASSWORD=tajne\n")
        << "Súbor";
}

void TestEngineServer::settingsFile() {
    QFETCH(QString, fileName);
    QFETCH(QByteArray, text);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    WriteText(dir.filePath(fileName), text);
    ServerSettings s;
    QString error;
    const ServerChoice choice = ReadServerSettings(dir.path(), s, &error);
    if (expected.contains(':')) {
        QCOMPARE(choice, ServerChoice::Server);
        QCOMPARE(QString("%1:%2/%3@%4").arg(s.host).arg(s.port).arg(s.database, s.user), expected);
        QCOMPARE(s.schema, QString("public"));
    } else {
        QCOMPARE(choice, ServerChoice::Invalid);
        QVERIFY2(error.startsWith(expected), qPrintable(error));
        // Nothing is opened on a wrong setting, least of all a database file instead.
        QString why;
        QVERIFY(!Database::open(dir.path(), &why));
        QCOMPARE(why, error);
        QVERIFY(!QFileInfo::exists(dir.filePath("vidoraw.sqlite")));
    }
}

void TestEngineServer::networkDiskRefused_data() {
    QTest::addColumn<qlonglong>("type");
    QTest::addColumn<bool>("opens");
    QTest::newRow("NFS") << qlonglong(0x6969) << false;
    QTest::newRow("CIFS") << qlonglong(0xFF534D42) << false;
    QTest::newRow("SMB2") << qlonglong(0xFE534D42) << false;
    QTest::newRow("ext4") << qlonglong(0xEF53) << true;
    QTest::newRow("tmpfs") << qlonglong(0x01021994) << true;
}

void TestEngineServer::networkDiskRefused() {
    QFETCH(qlonglong, type);
    QFETCH(bool, opens);
    TestServerOverride local(QByteArray{}); // a database file, whatever the run
    SetFileSystemTypeForTests(long(type));
    QTemporaryDir dir;
    QString error;
    auto db = Database::open(dir.path(), &error);
    SetFileSystemTypeForTests(std::nullopt);
    QCOMPARE(bool(db), opens);
    QCOMPARE(QFileInfo::exists(dir.filePath("vidoraw.sqlite")), opens);
    if (!opens) {
        QVERIFY2(error.contains("sieťovom disku") && error.contains("DATABAZA.INI"),
                 qPrintable(error));
        // A server named in the directory is not on the disk: it opens.
        WriteText(dir.filePath("DATABAZA.INI"), "[SERVER]\nDATABASE=optika\n");
        ServerSettings s;
        QCOMPARE(ReadServerSettings(dir.path(), s, &error), ServerChoice::Server);
    }
}

// The server goes away while a record is being added: the user hears it, the record stays in
// the cursor as typed, and the next save goes through once the program has connected again.
void TestEngineServer::lostServerKeepsTheRecord() {
    EngineFixture f;
    QVERIFY(f.init());
    if (!OnServer(*f.db))
        QSKIP("a database file has no connection to lose");
    QVERIFY(f.add({"1|Adam"}));
    Table t(f.db.get(), "OSOBY.DB");
    ENGINE_OK(t.open(), t);
    ENGINE_OK(t.append(), t);
    t.field("KOD").setValue(2);
    t.field("PRIEZ").setAsString("Bohuš");
    {
        // Ends every other session on these data, as a restarted server does.
        OutsideWriter admin(*f.db);
        QVERIFY2(admin.exec("SELECT pg_terminate_backend(o.pid) FROM pg_locks m JOIN pg_locks o "
                            "ON o.locktype = 'advisory' AND o.classid = m.classid AND o.objid = "
                            "m.objid AND o.objsubid = m.objsubid AND o.pid <> m.pid WHERE m.pid = "
                            "pg_backend_pid() AND m.locktype = 'advisory'"),
                 qPrintable(admin.error));
    }
    QVERIFY(!t.post());
    QCOMPARE(t.lastErrorKind(), DbError::Lost);
    QVERIFY2(t.lastError().startsWith("Spojenie so serverom databázy"), qPrintable(t.lastError()));
    QCOMPARE(t.state(), Table::State::Insert);
    QCOMPARE(t.field("PRIEZ").asString(), QString("Bohuš"));
    ENGINE_OK(t.post(), t);
    QCOMPARE(Walk(t, "PRIEZ"), QStringList({"Adam", "Bohuš"}));
    // The data are held shared again: exclusive work is refused to another program.
    auto other = Database::open(f.dir.path(), nullptr);
    QVERIFY(other);
    QVERIFY(!other->tryExclusive());
}

// A shop grows from one workstation to several and back: database file -> server -> file,
// every table, definition and row the same at the end.
void TestEngineServer::copyToServerAndBack() {
    if (!TestServerConfigured())
        QSKIP("needs the test server (VIDORAW_TEST_PG)");
    QTemporaryDir fileDir, serverDir, backDir;
    QString err;
    std::unique_ptr<Database> file, back;
    {
        TestServerOverride local(QByteArray{});
        file = Database::open(fileDir.path(), &err);
        QVERIFY2(file, qPrintable(err));
        back = Database::open(backDir.path(), &err);
        QVERIFY2(back, qPrintable(err));
    }
    // The server side as a shop sets it up: DATABAZA.INI naming a schema of its own, made on
    // the first start.
    ServerSettings settings;
    QCOMPARE(ReadServerSettings(serverDir.path(), settings, &err), ServerChoice::Server);
    settings.schema = QStringLiteral("kopia_%1").arg(QCoreApplication::applicationPid());
    QVERIFY2(WriteServerSettings(serverDir.path(), settings, &err), qPrintable(err));
    struct DropSchema {
        QString dir, schema;
        ~DropSchema() {
            if (auto admin = Database::openBackend(dir, nullptr)) {
                DbStatus st;
                (void)admin->exec(QStringLiteral("DROP SCHEMA \"%1\" CASCADE").arg(schema), {}, st);
            }
        }
    } dropSchema{serverDir.path(), settings.schema};
    auto server = Database::open(serverDir.path(), &err);
    QVERIFY2(server, qPrintable(err));
    QVERIFY2(server->backend().databaseFile().endsWith("/" + settings.schema),
             qPrintable(server->backend().databaseFile()));
    QVERIFY(!OnServer(*file) && OnServer(*server) && !OnServer(*back));

    QVERIFY2(file->createTable("OSOBY.DB", PersonFields(), PersonIndexes(), &err), qPrintable(err));
    QVERIFY2(CreateTableWithRows(*file, "pzs.db", {{"KOD", 'A', 6}, {"NAZOV", 'M', 0}},
                                 {IndexDef::Primary({"KOD"})}, {"P1|Optika, s.r.o.", "p2|"}, &err),
             qPrintable(err));
    {
        Table t(file.get(), "OSOBY.DB");
        ENGINE_OK(t.open(), t);
        WriteLock lock(*file);
        for (int i = 1; i <= 2500; ++i) {
            ENGINE_OK(t.append(), t);
            t.field("KOD").setValue(i);
            t.field("PRIEZ").setAsString(i % 7 ? QString("Čížek %1").arg(i) : QString());
            t.field("MENO").setAsString(i % 2 ? "Ľubo" : "ľubo");
            if (i % 3)
                t.field("DATNAR").setValue(QDate(1950, 1, 1).addDays(i * 7));
            if (i % 5)
                t.field("SUMA").setValue(i / 3.0);
            t.field("POCET").setValue(i % 11 ? i % 100 : -i);
            if (i % 4)
                t.field("PLATCA").setValue(i % 2 == 0);
            ENGINE_OK(t.post(), t);
        }
        QVERIFY(lock.commit());
    }

    CopyReport report;
    QVERIFY2(CopyData(*file, *server, report, &err), qPrintable(err));
    QCOMPARE(report.rows, qint64(2502));
    // Into data that have tables already nothing is copied.
    QVERIFY(!CopyData(*file, *server, report, &err));
    QVERIFY2(err.contains("prázdnej"), qPrintable(err));
    QVERIFY2(CopyData(*server, *back, report, &err), qPrintable(err));
    QCOMPARE(report.tables, QStringList({"OSOBY.DB: 2500", "pzs.db: 2"}));

    for (const QString table : {"OSOBY.DB", "pzs.db"}) {
        QCOMPARE(back->fieldDefs(table), file->fieldDefs(table));
        QCOMPARE(back->indexDefs(table), file->indexDefs(table));
        QCOMPARE(server->indexDefs(table), file->indexDefs(table));
        const QStringList rows = Rows(*file, table);
        QCOMPARE(Rows(*server, table), rows);
        QCOMPARE(Rows(*back, table), rows);
    }
    // The orders of the indexes came along: the same walk by name on all three.
    for (Database* db : {server.get(), back.get()}) {
        Table a(file.get(), "OSOBY.DB"), b(db, "OSOBY.DB");
        ENGINE_OK(a.open(), a);
        ENGINE_OK(b.open(), b);
        ENGINE_OK(a.setOrder("MENO"), a);
        ENGINE_OK(b.setOrder("MENO"), b);
        QCOMPARE(Walk(b, "KOD"), Walk(a, "KOD"));
    }
}

VIDORAW_TEST(TestEngineServer)
#include "test_engineserver.moc"

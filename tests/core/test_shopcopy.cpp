// A whole demo shop moved by the copy command from its database file onto the server and back:
// every table, definition and row the same on all three.
#include "enginefixture.h"
#include "serverhelpers.h"
#include "testmain.h"

#include <QDate>

using namespace vidoraw;
using namespace vidoraw::test;

namespace {

// Runs a tool; its output on failure.
bool Run(const QString& program, const QStringList& args, QString* output) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    const bool ok = p.waitForFinished(600000) && p.exitStatus() == QProcess::NormalExit &&
                    p.exitCode() == 0;
    *output = QString::fromUtf8(p.readAll());
    return ok;
}

// A value as stored, exactly (floats to the last bit), a blank apart from an empty text.
QString Exact(const QVariant& v) {
    if (!v.isValid() || v.isNull())
        return QStringLiteral("<blank>");
    switch (v.typeId()) {
    case QMetaType::Double:
        return QString::number(v.toDouble(), 'g', 17);
    case QMetaType::QDate:
        return v.toDate().toString(Qt::ISODate);
    default:
        return v.toString();
    }
}

// Every row of a table in primary-key order (first field where it has none).
QStringList Rows(Database& db, const QString& table) {
    Table t(&db, table);
    if (!t.open())
        return {"cannot open " + table + ": " + t.lastError()};
    const QString order =
        db.primaryFields(table).isEmpty() ? t.fieldDefs().value(0).name : QString();
    QStringList out;
    if (!t.scanOrder(order, {}, false, [&](qint64, const QVector<QVariant>& row) {
            QStringList cells;
            for (int i = 0; i < t.tableFieldCount(); ++i)
                cells << Exact(row[i]);
            out << cells.join('|');
            return true;
        }))
        out << "cannot read " + table + ": " + t.lastError();
    return out;
}

} // namespace

class TestShopCopy : public QObject {
    Q_OBJECT
private slots:
    void demoShopToServerAndBack();
};

void TestShopCopy::demoShopToServerAndBack() {
    if (!TestServerConfigured())
        QSKIP("needs the test server (VIDORAW_TEST_PG)");
    QTemporaryDir fileDir, serverDir, backDir;
    QString out;
    ServerSettings settings;
    QCOMPARE(ReadServerSettings(serverDir.path(), settings, &out), ServerChoice::Server);
    settings.schema = QStringLiteral("obchod_%1").arg(QCoreApplication::applicationPid());
    QVERIFY2(WriteServerSettings(serverDir.path(), settings, &out), qPrintable(out));
    struct DropSchema {
        QString dir, schema;
        ~DropSchema() {
            if (auto admin = Database::openBackend(dir, nullptr)) {
                DbStatus st;
                (void)admin->exec(QStringLiteral("DROP SCHEMA \"%1\" CASCADE").arg(schema), {}, st);
            }
        }
    } dropSchema{serverDir.path(), settings.schema};
    {
        // The tools see no test server: the two directories without DATABAZA.INI are files.
        TestServerOverride local(QByteArray{});
        QVERIFY2(Run(QStringLiteral(DEMOSHOP_TOOL),
                     {"--seed", "3", "--vouchers", "400", "--clients", "120", fileDir.path()}, &out),
                 qPrintable(out));
        QVERIFY2(Run(QStringLiteral(COPY_TOOL), {fileDir.path(), serverDir.path()}, &out),
                 qPrintable(out));
        QVERIFY2(out.contains("counts equal"), qPrintable(out));
        QVERIFY2(Run(QStringLiteral(COPY_TOOL), {serverDir.path(), backDir.path()}, &out),
                 qPrintable(out));
    }
    QString err;
    std::unique_ptr<Database> file, back;
    {
        TestServerOverride local(QByteArray{});
        file = Database::open(fileDir.path(), &err);
        QVERIFY2(file, qPrintable(err));
        back = Database::open(backDir.path(), &err);
        QVERIFY2(back, qPrintable(err));
    }
    auto server = Database::open(serverDir.path(), &err);
    QVERIFY2(server, qPrintable(err));
    QVERIFY(!OnServer(*file) && !OnServer(*back) && OnServer(*server));

    const QStringList tables = file->tableNames();
    QVERIFY(tables.size() > 20);
    QCOMPARE(server->tableNames(), tables);
    QCOMPARE(back->tableNames(), tables);
    int rows = 0;
    for (const QString& table : tables) {
        QCOMPARE(server->fieldDefs(table), file->fieldDefs(table));
        QCOMPARE(back->fieldDefs(table), file->fieldDefs(table));
        QCOMPARE(server->indexDefs(table), file->indexDefs(table));
        QCOMPARE(back->indexDefs(table), file->indexDefs(table));
        const QStringList original = Rows(*file, table);
        QCOMPARE(Rows(*server, table), original);
        QCOMPARE(Rows(*back, table), original);
        rows += int(original.size());
    }
    QVERIFY(rows > 1000);
}

VIDORAW_TEST(TestShopCopy)
#include "test_shopcopy.moc"

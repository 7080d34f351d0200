#pragma once
// A demo shop in a fresh data directory with every module registered, opened and closed again
// as the program would; and the whole of its data as text, to compare before and after.
#include "allmodules.h"
#include "core/engine/table.h"
#include "core/settings.h"
#include "demoshop.h"
#include "invoicing/invoicingstart.h"
#include "maintenance/archive.h"
#include "ui/scriptedinteraction.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

namespace vidoraw::test {

// Every module table: its fields, indexes and rows (in primary key order) as text.
using DataText = QMap<QString, QStringList>;

inline DataText DataOf(AppContext& app) {
    DataText out;
    Database& db = *app.db;
    for (const auto& [number, file] : ModuleTableFiles(app)) {
        QStringList& lines = out[file];
        if (!db.tableExists(file)) {
            lines << QStringLiteral("(none)");
            continue;
        }
        for (const FieldDef& f : db.fieldDefs(file))
            lines << QStringLiteral("field ") + f.toText();
        for (const IndexDef& i : db.indexDefs(file))
            lines << QStringLiteral("index %1 %2 %3").arg(i.name, i.fields.join(';'), i.options());
        Table t(&db, file);
        if (!t.open()) {
            lines << QStringLiteral("(unreadable) ") + t.lastError();
            continue;
        }
        const QString order =
            db.primaryFields(file).isEmpty() ? t.fieldDefs().value(0).name : QString();
        t.scanOrder(order, {}, false, [&](qint64, const QVector<QVariant>& row) {
            QStringList cells;
            for (int i = 0; i < t.tableFieldCount(); ++i)
                cells << (row[i].isNull() ? QStringLiteral("<null>") : row[i].toString());
            lines << cells.join('|');
            return true;
        });
    }
    return out;
}

// Compares table by table, so that a failure names the table and the first differing line.
inline bool SameData(const DataText& a, const DataText& b, QString* why) {
    if (a.keys() != b.keys()) {
        *why = QStringLiteral("tables %1 / %2").arg(a.keys().join(','), b.keys().join(','));
        return false;
    }
    for (auto it = a.begin(); it != a.end(); ++it) {
        const QStringList& x = it.value();
        const QStringList& y = b[it.key()];
        for (int i = 0; i < std::max(x.size(), y.size()); ++i)
            if (x.value(i) != y.value(i)) {
                *why = QStringLiteral("%1 line %2: '%3' / '%4'")
                           .arg(it.key())
                           .arg(i)
                           .arg(x.value(i), y.value(i));
                return false;
            }
    }
    return true;
}

struct ShopFixture {
    QTemporaryDir dataDir;
    QTemporaryDir configDir;
    QTemporaryDir archiveDir; // the chosen directory of the archive
    ScriptedInteraction ui;
    std::unique_ptr<AppContext> app;
    std::unique_ptr<Program> program;

    explicit ShopFixture(int vouchers = 300) {
        SetSettingsDirectory(configDir.path());
        IniFile ini(QString::fromLatin1(kMainSettingsFile));
        ini.writeString(QStringLiteral("MECHANIKY"), QStringLiteral("A"), configDir.filePath("A"));
        ini.writeString(QStringLiteral("MECHANIKY"), QStringLiteral("B"), configDir.filePath("B"));
        open();
        DemoOptions options;
        options.vouchers = vouchers;
        options.clients = 120;
        options.aids = 80;
        QString error;
        QVERIFY2(MakeDemoShop(*app, options, &error), qPrintable(error));
        ui.takeNotices();
    }
    ~ShopFixture() {
        close();
        SetSettingsDirectory(QString());
    }
    // A killed process's server session may hold the data alone until the server notices it is
    // gone (at the latest after its running statement): the open is tried again meanwhile.
    bool open() {
        QString error;
        QDeadlineTimer deadline(30000);
        do {
            close();
            app = std::make_unique<AppContext>();
            RegisterAllModules(*app);
            program = std::make_unique<Program>(*app);
            RegisterInvoicingStart(*program, *app);
            error.clear();
            if (program->create(dataDir.path(), &error))
                return true;
            QTest::qWait(200);
        } while (error.contains(QStringLiteral("výhradne")) && !deadline.hasExpired());
        qWarning("%s", qPrintable(error));
        close();
        return false;
    }
    // Lets go of the data (another process may take them alone).
    void close() {
        if (!app)
            return;
        app->registry.ReleaseAll();
        program.reset();
        app.reset();
    }
    DataText data() { return DataOf(*app); }

    // Changes the shop so that a restore has something to undo: vouchers gone, a client
    // renamed, the system record's run state changed.
    void changeData() {
        Database& db = *app->db;
        for (const char* file : {"POUKAZ.DB", "KLIENT.DB"}) {
            Table t(&db, QString::fromLatin1(file));
            QVERIFY(t.open());
            WriteLock lock(db);
            QVERIFY(lock.ok());
            t.first();
            for (int i = 0; i < 5 && !t.eof(); ++i)
                QVERIFY(t.remove());
            QVERIFY(lock.commit());
        }
        app->registry.ReleaseAll();
    }
    bool archive(const QString& volumeSize = QStringLiteral("200k")) {
        ArchiveOptions options;
        options.volumeSize = volumeSize;
        return ArchiveData(*app, ArchivePlace::Directory, archiveDir.path(), nullptr, options);
    }
    bool restore() {
        return RestoreData(*app, ArchivePlace::Directory, archiveDir.path(), nullptr, {});
    }
};

} // namespace vidoraw::test

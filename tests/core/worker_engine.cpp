// A second vidoraw-like process for the engine tests.
//   add DIR N       add N records to OSOBY.DB, each with the next code under the write lock
//   hold DIR        take the write lock, write half a change, report HOLDING and wait
//   open DIR        open the data directory, report READY and wait
//   create DIR      start as the program does on a data directory: make the missing tables
//   createhold DIR  make OSOBY.DB with two rows under the write lock, report HOLDING and commit
//                   a moment later
#include "core/engine/tableops.h"
#include "persontable.h"

#include <QCoreApplication>
#include <QThread>
#include <cstdio>

using namespace vidoraw;
using namespace vidoraw::test;

namespace {

bool AddPerson(Table& t, qint64 code, const QString& name) {
    return t.append() && t.field("KOD").setValue(code) && t.field("PRIEZ").setAsString(name) &&
           t.post();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    QString error;
    auto db = Database::open(args[2], &error);
    if (!db) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 3;
    }
    db->setLockTimeout(60000);
    Table t(db.get(), "OSOBY.DB");
    if (args[1] == "add") {
        const int n = args.value(3).toInt();
        if (!t.open())
            return 4;
        for (int i = 0; i < n; ++i) {
            WriteLock lock(*db);
            if (!lock.ok()) {
                std::fprintf(stderr, "lock: %s\n", qPrintable(lock.error()));
                return 5;
            }
            const qint64 code = LastValue(t, "KOD", "KOD") + 1;
            const QString name = QStringLiteral("P%1").arg(QCoreApplication::applicationPid());
            if (!AddPerson(t, code, name) || !lock.commit()) {
                std::fprintf(stderr, "post: %s\n", qPrintable(t.lastError()));
                return 6;
            }
        }
        return 0;
    }
    if (args[1] == "hold") {
        if (!t.open())
            return 4;
        WriteLock lock(*db);
        if (!lock.ok())
            return 5;
        if (!AddPerson(t, LastValue(t, "KOD", "KOD") + 1, QStringLiteral("polovičný")))
            return 6;
        std::printf("HOLDING\n");
        std::fflush(stdout);
        for (;;)
            QThread::sleep(1);
    }
    if (args[1] == "open") {
        std::printf("READY\n");
        std::fflush(stdout);
        for (;;)
            QThread::sleep(1);
    }
    if (args[1] == "create") {
        const FieldDefs codeList{{"KOD", 'N', 0}, {"NAZOV", 'A', 30}};
        if (!CreateTableWithRows(*db, "OSOBY.DB", PersonFields(), PersonIndexes(),
                                 {"1|Prvý", "2|Druhý"}, &error) ||
            !CreateTableWithRows(*db, "OKRES.DB", codeList, {IndexDef::Primary({"KOD"})},
                                 {"1|Bratislava I", "2|Nitra"}, &error)) {
            std::fprintf(stderr, "create: %s\n", qPrintable(error));
            return 7;
        }
        return t.open() ? 0 : 4;
    }
    if (args[1] == "createhold") {
        WriteLock lock(*db);
        if (!lock.ok())
            return 5;
        if (!CreateTableWithRows(*db, "OSOBY.DB", PersonFields(), PersonIndexes(),
                                 {"1|Prvý", "2|Druhý"}, &error)) {
            std::fprintf(stderr, "create: %s\n", qPrintable(error));
            return 7;
        }
        std::printf("HOLDING\n");
        std::fflush(stdout);
        QThread::msleep(700);
        return lock.commit() ? 0 : 6;
    }
    return 2;
}

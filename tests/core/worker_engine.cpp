// A second vidoraw-like process for the engine tests.
//   add DIR N       add N records to OSOBY.DB, each with the next code under the write lock
//   hold DIR        take the write lock, write half a change, report HOLDING and wait
//   open DIR        open the data directory, report READY and wait
#include "core/engine/tableops.h"

#include <QCoreApplication>
#include <QThread>
#include <cstdio>

using namespace vidoraw;

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
            t.append();
            t.field("KOD").setValue(code);
            t.field("PRIEZ").setAsString(QStringLiteral("P%1").arg(QCoreApplication::applicationPid()));
            if (!t.post() || !lock.commit()) {
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
        const qint64 code = LastValue(t, "KOD", "KOD") + 1;
        t.append();
        t.field("KOD").setValue(code);
        t.field("PRIEZ").setAsString("polovičný");
        if (!t.post())
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
    return 2;
}

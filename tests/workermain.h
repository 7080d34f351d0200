#pragma once
// The start every second-workstation process of the tests shares: offscreen, its command and
// argument count checked, the data directory opened with a patient write lock.
#include "framework/appcontext.h"

#include <QApplication>
#include <cstdio>
#include <functional>

namespace vidoraw::test {

// Runs work(app, args) on the data directory args[2] when args[1] is command and at least
// count arguments are given. Exit codes: 2 for a wrong call, 3 when the data do not open,
// otherwise what work returns.
inline int RunWorker(int argc, char** argv, const char* command, int count,
                     const std::function<void(AppContext&)>& registerModules,
                     const std::function<int(AppContext&, const QStringList&)>& work) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    const QStringList args = qapp.arguments();
    if (args.size() < count || args[1] != QLatin1String(command)) return 2;
    QString error;
    std::unique_ptr<Database> db = Database::open(args[2], &error);
    if (!db) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 3;
    }
    db->setLockTimeout(60000);
    AppContext app;
    app.db = db.get();
    app.registry.setDatabase(db.get());
    registerModules(app);
    const int result = work(app, args);
    app.registry.ReleaseAll();
    return result;
}

} // namespace vidoraw::test

// vidoraw-copy FROM TO: moves a shop's data from one data directory to another, for example
// from a database file into the server database named by TO/DATABAZA.INI, or back. Nobody may
// work with either meanwhile.
#include "core/engine/datacopy.h"

#include <QCoreApplication>
#include <cstdio>

using namespace vidoraw;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr,
                     "usage: vidoraw-copy FROM TO\n"
                     "  FROM, TO: data directories; one with DATABAZA.INI works on the server "
                     "it names,\n  any other on its own database file. TO must have no tables "
                     "yet.\n");
        return 2;
    }
    QString error;
    auto from = Database::open(args[1], &error);
    if (!from) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(args[1]), qPrintable(error));
        return 1;
    }
    auto to = Database::open(args[2], &error);
    if (!to) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(args[2]), qPrintable(error));
        return 1;
    }
    // Nobody else may change the data while they move.
    if (!from->tryExclusive() || !to->tryExclusive()) {
        std::fprintf(stderr, "Údaje práve používa iný program: %s\n",
                     qPrintable(QStringList(from->otherPrograms() + to->otherPrograms()).join(", ")));
        return 1;
    }
    CopyReport report;
    const bool ok = CopyData(*from, *to, report, &error, [](const QString& table) {
        std::printf("%s\n", qPrintable(table));
        std::fflush(stdout);
    });
    if (!ok) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    std::printf("%s -> %s: %lld tables, %lld rows, counts equal\n",
                qPrintable(from->backend().databaseFile()), qPrintable(to->backend().databaseFile()),
                qlonglong(report.tables.size()), qlonglong(report.rows));
    return 0;
}

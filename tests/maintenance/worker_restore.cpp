// The restore in a process of its own, so that a test can kill it at a chosen step.
//   restore_worker DATADIR CONFIGDIR ARCHIVEDIR
// Prints each step on a line of its own and waits a little after it, so that a kill sent on
// reading the line lands inside that step.
#include "allmodules.h"
#include "core/engine/database.h"
#include "core/interaction.h"
#include "core/settings.h"
#include "maintenance/archive.h"

#include <QApplication>
#include <QThread>
#include <cstdio>

using namespace vidoraw;

namespace {

class Answering : public Interaction {
public:
    void showNotice(const QString& title, const QString& text, NoticeKind, Placement) override {
        std::printf("notice %s: %s\n", qPrintable(title), qPrintable(text));
        std::fflush(stdout);
    }
    int askConfirm(const QString& question, Placement) override {
        std::printf("question %s\n", qPrintable(question));
        std::fflush(stdout);
        return 1;
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    if (argc != 4)
        return 2;
    Answering answers;
    InstallInteraction(&answers);
    SetSettingsDirectory(QString::fromLocal8Bit(argv[2]));
    AppContext app;
    test::RegisterAllModules(app);
    QString error;
    auto db = Database::open(QString::fromLocal8Bit(argv[1]), &error);
    if (!db) {
        std::printf("open: %s\n", qPrintable(error));
        return 1;
    }
    app.db = db.get();
    app.registry.setDatabase(db.get());
    ArchiveOptions options;
    options.progress = [](const QString& step) {
        std::printf("%s\n", qPrintable(step));
        std::fflush(stdout);
        QThread::msleep(150);
    };
    const bool ok = RestoreData(app, ArchivePlace::Directory, QString::fromLocal8Bit(argv[3]),
                                nullptr, options);
    app.registry.ReleaseAll();
    return ok ? 0 : 1;
}

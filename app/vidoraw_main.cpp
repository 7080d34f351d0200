#include "core/datadir.h"
#include "core/engine/database.h"
#include "core/interaction.h"
#include "ui/qtinteraction.h"

#include <QApplication>
#include <QMainWindow>

using namespace vidoraw;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vidoraw"));
    QtInteraction windows;
    InstallInteraction(&windows);

    bool ok = false;
    const QString dir = ChooseDataDirectory(&ok);
    if (!ok) {
        ShowNotice(QStringLiteral("Chyba"),
                   QStringLiteral("Adresár údajov %1 sa nedá vytvoriť.").arg(dir));
        return 1;
    }
    QString error;
    std::unique_ptr<Database> db = Database::open(dir, &error);
    if (!db) {
        ShowNotice(QStringLiteral("Chyba"), error);
        return 1;
    }

    QMainWindow main;
    main.setWindowTitle(QStringLiteral("vidoraw"));
    main.resize(800, 600);
    main.show();
    return app.exec();
}

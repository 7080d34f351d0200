#include "maintenance/maintenance.h"

#include "core/engine/table.h"
#include "core/interaction.h"
#include "framework/adrarch.h"
#include "maintenance/archive.h"
#include "maintenance/dataversion.h"
#include "maintenance/importdoswindow.h"
#include "maintenance/newversion.h"
#include "maintenance/newversiondialog.h"
#include "maintenance/tfadres.h"
#include "shell/mainwindow.h"
#include "shell/program.h"

namespace vidoraw {

namespace {

QString Letter(ArchivePlace place) {
    return place == ArchivePlace::DriveA ? QStringLiteral("A") : QStringLiteral("B");
}

void ArchiveCommand(AppContext& app, ArchivePlace place, QWidget* owner) {
    QString directory;
    if (place == ArchivePlace::Directory) {
        if (AskConfirm(QStringLiteral(" Mám naozaj vykonať archiváciu súborov do adresára na "
                                      "pevnom disku?"),
                       owner) != 1 ||
            !ChooseDirectory(app, kDirArchive, directory))
            return;
    } else {
        if (AskConfirm(QStringLiteral(" Mám naozaj vykonať archiváciu súborov na disketu v "
                                      "mechanike ") +
                           Letter(place) + QStringLiteral("?"),
                       owner) != 1)
            return;
        ShowNotice(QStringLiteral("Oznam"), QStringLiteral("Vlož disketu do mechaniky ") + Letter(place),
                   NoticeKind::Information, owner);
    }
    ArchiveData(app, place, directory, owner);
}

void RestoreCommand(Program& program, AppContext& app, ArchivePlace place, QWidget* owner) {
    QString directory;
    if (place == ArchivePlace::Directory) {
        if (AskConfirm(QStringLiteral(" Mám naozaj vykonať obnovu súborov z adresára na pevnom "
                                      "disku?"),
                       owner) != 1 ||
            !ChooseDirectory(app, kDirRestore, directory))
            return;
    } else if (AskConfirm(QStringLiteral(" Mám naozaj vykonať obnovu súborov z diskety v "
                                         "mechanike ") +
                              Letter(place) + QStringLiteral("?"),
                          owner) != 1) {
        return;
    }
    ArchiveOptions options;
    options.afterRestore = [&program] {
        // Data of an older version are brought up to this one; every index is made again.
        if (program.dataVersionCheck)
            program.dataVersionCheck();
        program.ReindexAll(false);
    };
    RestoreData(app, place, directory, owner, options);
}

void NewVersionCommand(AppContext& app, TfHlavny* main, TfInstnv* window) {
    if (!window->ask(main) || !InstallNewVersion(app, window->kind(), window->source(), main))
        return;
    // The installer has taken over: the program ends as after its closing question.
    if (main->onClose)
        main->onClose();
    main->allowClose = false;
    main->close();
}

} // namespace

void RegisterMaintenanceCommands(Program& program, AppContext& app) {
    TfHlavny* main = program.mainWindow();
    program.dataTooNew = [&app, main] { return DataTooNew(app, main); };
    program.dataVersionCheck = [&app, main] {
        switch (CheckDataVersion(app, main)) {
        case UpgradeOutcome::Upgraded:
            return Program::DataCheck::Upgraded;
        case UpgradeOutcome::Failed:
            return Program::DataCheck::Stop;
        case UpgradeOutcome::Current:
            break;
        }
        return Program::DataCheck::Current;
    };
    // Made at start and kept with the main window: it remembers its choice for the run and
    // stores it when the program ends.
    auto* install = new TfInstnv(app, main);
    main->wire(QStringLiteral("Systém/Nová &verzia ..."),
               [&app, main, install] { NewVersionCommand(app, main, install); });
    const std::pair<const char*, ArchivePlace> places[] = {
        {"Mechanika &A", ArchivePlace::DriveA},
        {"Mechanika &B", ArchivePlace::DriveB},
        {"&Pevný disk", ArchivePlace::Directory}};
    for (const auto& [item, place] : places) {
        const QString caption = QString::fromUtf8(item);
        main->wire(QStringLiteral("Systém/Archív/") + caption,
                   [&app, main, place] { ArchiveCommand(app, place, main); });
        main->wire(QStringLiteral("Systém/Obnova/") + caption,
                   [&program, &app, main, place] { RestoreCommand(program, app, place, main); });
        if (place != ArchivePlace::Directory)
            main->wire(QStringLiteral("Systém/Obsah diskety/") + caption,
                       [&app, main, place] {
                           ShowDirectory(app, QStringLiteral("*.*"), PlaceFolder(place, QString()), main);
                       });
    }
    main->wire(QStringLiteral("Import/Z pro&gramu Vidora pre DOS"),
               [&app, main] { ShowDosImport(app, main); });
}

} // namespace vidoraw

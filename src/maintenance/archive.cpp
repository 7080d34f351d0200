#include "maintenance/archive.h"

#include "core/engine/table.h"
#include "core/interaction.h"
#include "core/settings.h"
#include "maintenance/archivefiles.h"
#include "maintenance/exclusiveaccess.h"
#include "maintenance/tabledump.h"
#include "maintenance/workwindow.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

namespace vidoraw {

QString PlaceFolder(ArchivePlace place, const QString& directory) {
    if (place == ArchivePlace::Directory)
        return directory;
    return IniFile(QString::fromLatin1(kMainSettingsFile))
        .readString(QStringLiteral("MECHANIKY"),
                    place == ArchivePlace::DriveA ? QStringLiteral("A") : QStringLiteral("B"));
}

QList<std::pair<int, QString>> ModuleTableFiles(AppContext& app) {
    QList<std::pair<int, QString>> out;
    QStringList seen; // a table two modules work on is taken once
    for (int n = 1; n <= kModuleCount; ++n) {
        const ModuleInfo* info = ModuleInfoFor(n);
        if (!info || !info->tableFile || !app.registry.hasFactory(n))
            continue;
        const QString file = QString::fromLatin1(info->tableFile);
        if (seen.contains(file, Qt::CaseInsensitive))
            continue;
        seen << file;
        out.append({n, file});
    }
    return out;
}

namespace {

QString DriveLetter(ArchivePlace place) {
    return place == ArchivePlace::DriveA ? QStringLiteral("A") : QStringLiteral("B");
}

// The target as the user reads it in messages.
QString Shown(ArchivePlace place, const QString& folder) {
    return place == ArchivePlace::Directory ? QDir::toNativeSeparators(folder) + QLatin1Char('/')
                                            : DriveLetter(place) + QStringLiteral(":\\");
}

class Archiver {
public:
    Archiver(AppContext& app, ArchivePlace place, const QString& directory, QWidget* owner,
             const ArchiveOptions& options)
        : app_(app), place_(place), target_(PlaceFolder(place, directory)), owner_(owner),
          options_(options), window_(QStringLiteral("Archivácia údajov"), owner) {}

    bool run();

private:
    void error(const QString& text) {
        ShowNotice(QStringLiteral("Chyba"), text, NoticeKind::Error, owner_);
    }
    void progress(const QString& step) {
        if (options_.progress)
            options_.progress(step);
    }
    void cleanUp() {
        QDir(work_).removeRecursively();
    }
    bool prepareWorkFolder();
    bool takeTables();
    bool pack();
    bool copyVolumes();
    bool removeStale();
    bool roomFor(qint64 size);

    AppContext& app_;
    ArchivePlace place_;
    QString target_;
    QWidget* owner_;
    ArchiveOptions options_;
    WorkWindow window_;
    QString work_;
    QStringList packed_;
    QStringList notTaken_;
    QStringList volumes_;
};

bool Archiver::prepareWorkFolder() {
    work_ = QDir(app_.db->directory()).filePath(QStringLiteral("ARCH"));
    // Whatever an earlier run left there must not travel in this archive.
    QString why;
    if (!QDir().mkpath(work_) || !EmptyFolder(work_, &why)) {
        error(QStringLiteral("Nemôžem vytvoriť adresár pre archiváciu."));
        return false;
    }
    return true;
}

bool Archiver::takeTables() {
    const auto tables = ModuleTableFiles(app_);
    window_.setSteps(int(tables.size()));
    // One transaction over every table: the archive holds the data of one moment.
    WriteLock snapshot(*app_.db);
    if (!snapshot.ok()) {
        error(snapshot.error());
        return false;
    }
    int done = 0;
    for (const auto& [number, file] : tables) {
        window_.setStep(done++);
        if (!app_.db->tableExists(file))
            continue; // never made: nothing to keep
        const QString copy = PackedName(file);
        window_.say(QStringLiteral("Kópia : ") + file + QStringLiteral(" => ") + copy);
        progress(QStringLiteral("dump ") + file);
        QString why;
        if (DumpTable(*app_.db, file, QDir(work_).filePath(copy), &why)) {
            packed_ << copy;
            continue;
        }
        if (AskConfirm(QStringLiteral(" Nemôžem otvoriť zdrojový súbor ") + file +
                           QStringLiteral(" (") + why + QStringLiteral(") Ukončiť? "),
                       owner_) == 1)
            return false;
        notTaken_ << file;
    }
    snapshot.rollback(); // nothing was written
    window_.setStep(done);
    return true;
}

bool Archiver::pack() {
    QString why;
    if (!WriteListFile(QDir(work_).filePath(QLatin1String(kListFile)), packed_, &why)) {
        error(QStringLiteral("Súbor %1 sa nedá zapísať: %2").arg(QLatin1String(kListFile), why));
        return false;
    }
    window_.say(QStringLiteral("Prebieha kompresia údajov. Strpenie prosím..."));
    progress(QStringLiteral("pack"));
    const ArchiverRun r = RunArchiver(
        work_,
        {QStringLiteral("a"), QStringLiteral("-y"), QStringLiteral("-v") + options_.volumeSize,
         QLatin1String(kArchiveName), QLatin1Char('!') + QLatin1String(kListFile)},
        QLatin1String(kOutputFile));
    if (!r.started) {
        error(QStringLiteral("Nepodarilo sa spustiť kompresný program ARJ.EXE! Pravdepodobne "
                             "chýba, alebo nie je nastavená cesta k nemu! Archivácia nebola "
                             "dokončená."));
        return false;
    }
    if (r.exitCode != 0) {
        error(QStringLiteral("Kompresný program skončil s chybou (kód %1). Archivácia nebola "
                             "dokončená.")
                  .arg(r.exitCode));
        return false;
    }
    volumes_ = VolumesIn(work_);
    if (volumes_.isEmpty() || VolumeNumber(volumes_.first()) != 0 ||
        VolumeNumber(volumes_.last()) != volumes_.size() - 1) {
        error(QStringLiteral("Nenašiel sa ani jeden kompresný súbor. Chyba pri kompresii!"));
        return false;
    }
    return true;
}

bool Archiver::removeStale() {
    // Volumes and the count of an earlier archive would be read as part of this one.
    QDir dir(target_);
    for (const QString& name : dir.entryList(QDir::Files)) {
        if (VolumeNumber(name) < 0 && name.compare(QLatin1String(kCountFile), Qt::CaseInsensitive) != 0)
            continue;
        if (!QFile::remove(dir.filePath(name))) {
            error(QStringLiteral("Súbor %1 z predchádzajúcej archivácie sa nedá vymazať. "
                                 "Archivácia nebola dokončená.")
                      .arg(QDir::toNativeSeparators(dir.filePath(name))));
            return false;
        }
    }
    return true;
}

bool Archiver::roomFor(qint64 size) {
    for (;;) {
        QStorageInfo storage(target_);
        const qint64 free = storage.bytesAvailable();
        if (free < 0 || free >= size + 1024)
            return true;
        const QString text =
            place_ == ArchivePlace::Directory
                ? QStringLiteral("Na disku je voľné : %1. Potrebné je : %2 ! Uvoľni priestor na "
                                 "disku vymazaním nepotrebných súborov a vyber Áno! Pri voľbe "
                                 "Nie archivácia bude ukončená!")
                : QStringLiteral("Na diskete je voľné : %1. Potrebné je : %2 ! Vlož ďalšiu "
                                 "disketu a vyber Áno! Pri voľbe Nie archivácia bude ukončená!");
        if (AskConfirm(text.arg(free).arg(size + 1024), owner_) != 1)
            return false;
    }
}

bool Archiver::copyVolumes() {
    if (!QDir().mkpath(target_)) {
        error(QStringLiteral("Adresár %1 sa nedá vytvoriť.").arg(QDir::toNativeSeparators(target_)));
        return false;
    }
    if (place_ != ArchivePlace::Directory)
        ShowNotice(QStringLiteral("Oznam"),
                   QStringLiteral("Vlož disketu do mechaniky %1 a stlač ENTER!").arg(DriveLetter(place_)),
                   NoticeKind::Information, owner_);
    const QString first = FindNoCase(target_, volumes_.first());
    if (!first.isEmpty() &&
        AskConfirm(QStringLiteral("Súbor: ") + QDir::toNativeSeparators(first) +
                       QStringLiteral(" už existuje, mám ho prepísať?"),
                   owner_) != 1) {
        error(QStringLiteral("V archivácii nie je možné pokračovať!"));
        return false;
    }
    if (!removeStale())
        return false;
    window_.setSteps(int(volumes_.size()));
    for (int i = 0; i < volumes_.size(); ++i) {
        const QString& name = volumes_[i];
        const QString from = QDir(work_).filePath(name);
        const QString to = QDir(target_).filePath(name);
        const qint64 size = QFileInfo(from).size();
        if (!roomFor(size))
            return false;
        window_.say(QStringLiteral("Kópia : ") + name + QStringLiteral(" => ") +
                    Shown(place_, target_) + name);
        progress(QStringLiteral("copy ") + name);
        QFile::remove(to);
        if (!QFile::copy(from, to)) {
            error(QStringLiteral(" Chyba pri kopírovaní súboru: ") + from + QStringLiteral("->") + to);
            return false;
        }
        const QFileInfo copied(to);
        if (!copied.exists()) {
            error(QStringLiteral("Nemôžem zistiť veľkosť súboru : ") + to + QStringLiteral(" !"));
            return false;
        }
        if (copied.size() != size) {
            error(QStringLiteral(" Rozdielna veľkosť súborov. Pravdepodobne chyba pri "
                                 "kopírovaní súboru : ") +
                  name);
            return false;
        }
        window_.setStep(i + 1);
    }
    // Last: a count file marks a complete archive.
    QSaveFile count(QDir(target_).filePath(QLatin1String(kCountFile)));
    const QByteArray text = CountText(int(volumes_.size()));
    if (!count.open(QIODevice::WriteOnly) || count.write(text) != text.size() || !count.commit()) {
        error(QStringLiteral("Chyba pri zápise počtu súborov!"));
        return false;
    }
    return true;
}

bool Archiver::run() {
    ExclusiveAccess access(app_, owner_);
    if (!access.granted())
        return false;
    window_.show();
    const bool ok = prepareWorkFolder() && takeTables() && pack() && copyVolumes();
    cleanUp();
    window_.hide();
    access.release();
    if (!ok)
        return false;
    if (!notTaken_.isEmpty()) {
        error(QStringLiteral("Archív nie je úplný, chýbajú v ňom tabuľky: %1")
                  .arg(notTaken_.join(QStringLiteral(", "))));
        return false;
    }
    progress(QStringLiteral("done"));
    ShowNotice(QStringLiteral("Oznam"), QStringLiteral("Archivácia prebehla úspešne!"),
               NoticeKind::Information, owner_);
    return true;
}

} // namespace

bool ArchiveData(AppContext& app, ArchivePlace place, const QString& directory, QWidget* owner,
                 const ArchiveOptions& options) {
    Archiver a(app, place, directory, owner, options);
    return a.run();
}

} // namespace vidoraw

#include "maintenance/archive.h"

#include "core/engine/datacopy.h"
#include "core/engine/table.h"
#include "core/interaction.h"
#include "maintenance/archivefiles.h"
#include "maintenance/exclusiveaccess.h"
#include "maintenance/tabledump.h"
#include "maintenance/workwindow.h"
#include "shell/systemd.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <map>

namespace vidoraw {

namespace {

constexpr const char* kKeptAside = "ZALOHA"; // the data as they were before the last restore

class Restorer {
public:
    Restorer(AppContext& app, ArchivePlace place, const QString& directory, QWidget* owner,
             const ArchiveOptions& options)
        : app_(app), place_(place), source_(PlaceFolder(place, directory)), owner_(owner),
          options_(options), window_(QStringLiteral("Obnova"), owner) {}

    bool run();

private:
    void error(const QString& text) {
        ShowNotice(QStringLiteral("Chyba"), text + QStringLiteral(" Údaje zostali nezmenené."),
                   NoticeKind::Error, owner_);
    }
    void progress(const QString& step) {
        if (options_.progress)
            options_.progress(step);
    }
    bool prepareWorkFolder();
    bool fetchVolumes();
    bool unpack();
    bool openTables();
    bool keepCurrentAside();
    bool replace();

    AppContext& app_;
    ArchivePlace place_;
    QString source_;
    QWidget* owner_;
    ArchiveOptions options_;
    WorkWindow window_;
    QString work_;
    int count_ = 0;
    QList<std::pair<int, QString>> tables_;
    std::map<QString, std::unique_ptr<Database>> restored_; // by table file
    double version_ = 0;
};

bool Restorer::prepareWorkFolder() {
    work_ = QDir(app_.db->directory()).filePath(QStringLiteral("OBN"));
    // An empty folder: nothing of an earlier restore may mix into this one.
    if (!QDir(work_).removeRecursively() || !QDir().mkpath(work_)) {
        error(QStringLiteral("Nemôžem vytvoriť adresár pre obnovu."));
        return false;
    }
    return true;
}

bool Restorer::fetchVolumes() {
    if (place_ != ArchivePlace::Directory)
        ShowNotice(QStringLiteral("Oznam"),
                   QStringLiteral("Vlož disketu do mechaniky %1 a stlač ENTER!")
                       .arg(place_ == ArchivePlace::DriveA ? 'A' : 'B'),
                   NoticeKind::Information, owner_);
    const QString countFile = FindNoCase(source_, QLatin1String(kCountFile));
    QFile f(countFile);
    count_ = !countFile.isEmpty() && f.open(QIODevice::ReadOnly) ? ParseCount(f.read(16)) : -1;
    if (count_ < 1) {
        error(QStringLiteral("Súbor %1 v %2 chýba alebo je poškodený; archív nie je úplný.")
                  .arg(QLatin1String(kCountFile), QDir::toNativeSeparators(source_)));
        return false;
    }
    window_.setSteps(count_);
    for (int i = 0; i < count_; ++i) {
        const QString name = VolumeName(i);
        QString from = FindNoCase(source_, name);
        while (from.isEmpty()) {
            const QString expected = QDir::toNativeSeparators(QDir(source_).filePath(name));
            if (place_ == ArchivePlace::Directory) {
                ShowNotice(QStringLiteral("Chyba"),
                           QStringLiteral("Na disku chýba súbor: ") + expected +
                               QStringLiteral(". Pokračovanie v obnove nie je možné!"),
                           NoticeKind::Error, owner_);
                return false;
            }
            if (AskConfirm(QStringLiteral("Na diskete chyba súbor : ") + expected +
                               QStringLiteral(". Vlož disketu s daným súborom a vyber Áno! Ináč "
                                              "bude obnova ukončená!"),
                           owner_) != 1)
                return false;
            from = FindNoCase(source_, name);
        }
        const QString to = QDir(work_).filePath(name); // the archiver wants its own spelling
        window_.say(QStringLiteral("Kópia : ") + QDir::toNativeSeparators(from) +
                    QStringLiteral(" => ") + name);
        progress(QStringLiteral("fetch ") + name);
        if (!QFile::copy(from, to)) {
            error(QStringLiteral(" Chyba pri kopírovaní súboru: ") + from + QStringLiteral("->") + to);
            return false;
        }
        if (QFileInfo(to).size() != QFileInfo(from).size()) {
            error(QStringLiteral(" Rozdielna veľkosť súborov. Pravdepodobne chyba pri "
                                 "kopírovaní súboru : ") +
                  from);
            return false;
        }
        window_.setStep(i + 1);
    }
    return true;
}

bool Restorer::unpack() {
    tables_ = ModuleTableFiles(app_);
    QStringList names;
    for (const auto& t : tables_)
        names << PackedName(t.second);
    QString why;
    if (!WriteListFile(QDir(work_).filePath(QLatin1String(kListFile)), names, &why)) {
        error(QStringLiteral("Súbor %1 sa nedá zapísať: %2").arg(QLatin1String(kListFile), why));
        return false;
    }
    window_.say(QStringLiteral("Prebieha dekompresia súboru, strpenie prosím..."));
    progress(QStringLiteral("unpack"));
    const ArchiverRun r = RunArchiver(
        work_,
        {QStringLiteral("x"), QStringLiteral("-y"), QStringLiteral("-v") + options_.volumeSize,
         QLatin1String(kArchiveName), QLatin1Char('!') + QLatin1String(kListFile)},
        QLatin1String(kOutputFile));
    if (!r.started) {
        error(QStringLiteral("Nepodarilo sa spustiť kompresný program ARJ.EXE! Pravdepodobne "
                             "chýba, alebo nie je nastavená cesta k nemu! Obnova nebola "
                             "dokončená."));
        return false;
    }
    if (r.exitCode != 0) {
        error(QStringLiteral("Archív sa nepodarilo rozbaliť, je poškodený alebo neúplný (kód "
                             "%1).")
                  .arg(r.exitCode));
        return false;
    }
    return true;
}

bool Restorer::openTables() {
    window_.setSteps(int(tables_.size()));
    int done = 0;
    for (const auto& [number, file] : tables_) {
        window_.setStep(done++);
        const QString packed = QDir(work_).filePath(PackedName(file));
        if (!QFileInfo::exists(packed))
            continue; // not in the archive: the data had no such table then
        window_.say(QStringLiteral("Kontrola : ") + PackedName(file));
        progress(QStringLiteral("check ") + file);
        QString why;
        auto db = OpenDump(packed, QDir(work_).filePath(QStringLiteral("T/") + file), file, &why);
        if (!db) {
            error(QStringLiteral("Tabuľka %1 v archíve je poškodená: %2.").arg(file, why));
            return false;
        }
        restored_[file] = std::move(db);
    }
    const QString system = ModuleInfoFor(module::kSystem)->tableFile;
    auto it = restored_.find(system);
    if (it == restored_.end()) {
        error(QStringLiteral("V archíve chýba tabuľka %1.").arg(system));
        return false;
    }
    Table t(it->second.get(), system);
    if (!t.open() || (t.first(), t.eof())) {
        error(QStringLiteral("Tabuľka %1 v archíve nemá systémový záznam.").arg(system));
        return false;
    }
    version_ = t.field("VERZIA").asFloat();
    if (version_ > kNewestDataVersion + 1e-9) {
        error(QStringLiteral("Archív obsahuje údaje novšej verzie programu (%1), ako je táto "
                             "(%2).")
                  .arg(version_, 0, 'f', 2)
                  .arg(kNewestDataVersion, 0, 'f', 2));
        return false;
    }
    return true;
}

bool Restorer::keepCurrentAside() {
    window_.say(QStringLiteral("Odkladám doterajšie údaje..."));
    progress(QStringLiteral("aside"));
    const QString aside = QDir(app_.db->directory()).filePath(QLatin1String(kKeptAside));
    const QString fresh = aside + QStringLiteral(".new");
    QDir(fresh).removeRecursively();
    QString why;
    bool ok = LocalDatabaseFolder(fresh, &why);
    if (ok) {
        auto copy = Database::open(fresh, &why);
        CopyReport report;
        ok = copy && CopyData(*app_.db, *copy, report, &why);
    }
    if (ok) {
        QDir(aside).removeRecursively();
        ok = QDir().rename(fresh, aside);
        if (!ok)
            why = QStringLiteral("adresár %1 sa nedá vytvoriť").arg(aside);
    }
    if (!ok) {
        QDir(fresh).removeRecursively();
        error(QStringLiteral("Doterajšie údaje sa nepodarilo odložiť: %1.").arg(why));
    }
    return ok;
}

bool Restorer::replace() {
    window_.say(QStringLiteral("Nahrádzam údaje..."));
    window_.setSteps(int(tables_.size()));
    Database& live = *app_.db;
    // One transaction: the data are the old ones or the archive's, never a mixture.
    WriteLock lock(live);
    QString why = lock.error();
    bool ok = lock.ok();
    int done = 0;
    for (const auto& [number, file] : tables_) {
        if (!ok)
            break;
        progress(QStringLiteral("replace ") + file);
        if (live.tableExists(file) && !live.dropTable(file, &why)) {
            ok = false;
            break;
        }
        auto it = restored_.find(file);
        qint64 rows = 0;
        if (it != restored_.end() && !CopyTable(*it->second, live, file, rows, &why))
            ok = false;
        window_.setStep(++done);
    }
    if (ok) {
        progress(QStringLiteral("commit"));
        ok = lock.commit();
        if (!ok)
            why = lock.error();
    } else {
        lock.rollback();
    }
    if (!ok)
        error(QStringLiteral("Obnova sa nepodarila: %1.").arg(why));
    return ok;
}

bool Restorer::run() {
    ExclusiveAccess access(app_, owner_);
    if (!access.granted())
        return false;
    window_.show();
    const bool ok = prepareWorkFolder() && fetchVolumes() && unpack() && openTables() &&
                    keepCurrentAside() && replace();
    restored_.clear();
    QDir(work_).removeRecursively();
    window_.hide();
    access.release();
    if (!ok)
        return false;
    progress(QStringLiteral("restored"));
    if (options_.afterRestore)
        options_.afterRestore();
    ShowNotice(QStringLiteral("Oznam"), QStringLiteral("Obnova prebehla úspešne!"),
               NoticeKind::Information, owner_);
    return true;
}

} // namespace

bool RestoreData(AppContext& app, ArchivePlace place, const QString& directory, QWidget* owner,
                 const ArchiveOptions& options) {
    Restorer r(app, place, directory, owner, options);
    return r.run();
}

} // namespace vidoraw

#include "maintenance/newversion.h"

#include "core/engine/database.h"
#include "core/interaction.h"
#include "core/settings.h"
#include "framework/appcontext.h"
#include "maintenance/archive.h"
#include "maintenance/archivefiles.h"
#include "maintenance/newversionarchive.h"
#include "maintenance/workwindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QSaveFile>
#include <QStorageInfo>

#include <memory>

namespace vidoraw {

InstallKind InstallKindOf(int stored) {
    switch (stored) {
    case 2:
        return InstallKind::DriveB;
    case 3:
        return InstallKind::Directory;
    default:
        return InstallKind::DriveA;
    }
}

CopyBlocks PlanCopy(qint64 size) {
    CopyBlocks plan;
    plan.count = int(size / kCopyBlockSize);
    const qint64 rest = size % kCopyBlockSize;
    if (rest != 0) {
        ++plan.count;
        plan.last = rest;
    }
    return plan;
}

namespace {

const QString kNotInstalled = QStringLiteral(" Nová verzia nebola nainštalovaná.");

// The install's progress window: the copy, then the unpacking, one text line over a blue bar.
class TfNverzia : public WorkWindow {
public:
    TfNverzia(AppContext& app, InstallKind kind, const QString& source, QWidget* owner,
              const NewVersionOptions& options)
        : WorkWindow(QStringLiteral("Inštalácia novej verzie programu"), owner), app_(app),
          kind_(kind), sourcePath_(source), options_(options) {
        lSprava->setAlignment(Qt::AlignCenter);
        QPalette p = pbPriebeh->palette();
        p.setColor(QPalette::Highlight, Qt::blue);
        pbPriebeh->setPalette(p);
        setWindowModality(Qt::ApplicationModal);
    }

    bool run();

private:
    void error(const QString& text) {
        ShowNotice(QStringLiteral("Chyba"), text, NoticeKind::Error, this);
    }
    void centre();
    bool prepare();
    QString resolveSource();
    int prepareCopy();
    void copyBlocks();
    bool unpack();
    bool startInstaller();
    void dropUnpacked() { QDir(unpacked_).removeRecursively(); }

    AppContext& app_;
    InstallKind kind_;
    const QString fileName_ = QString::fromLatin1(kVersionArchive);
    QString sourcePath_;
    NewVersionOptions options_;
    QString programFolder_;
    QString unpacked_;
    QFile source_;
    // The archive is written under another name and takes its own only when whole; it may
    // also be the very file it is copied from.
    std::unique_ptr<QSaveFile> target_;
    CopyBlocks blocks_;
    int block_ = 0;
    int copyResult_ = 0; // 1 done, 0 failed, -1 running
    bool success_ = false;
};

void TfNverzia::centre() {
    adjustSize();
    QWidget* over = parentWidget() ? parentWidget() : app_.mainWindow;
    if (!over)
        return;
    const QRect o = over->frameGeometry();
    move(o.left() + (o.width() - width()) / 2, o.top() + (o.height() - height()) / 2);
}

bool TfNverzia::prepare() {
    programFolder_ = app_.db ? QDir(app_.db->directory()).absolutePath() : QString();
    if (programFolder_.isEmpty() || !QFileInfo(programFolder_).isDir()) {
        error(QStringLiteral("Nemôžem nastaviť pracovný adresár programu."));
        return false;
    }
    unpacked_ = QDir(programFolder_).filePath(QLatin1String(kVersionFolder));
    copyResult_ = 1;
    say(QStringLiteral("Prebieha kopírovanie súboru : ") + fileName_);
    return true;
}

QString TfNverzia::resolveSource() {
    if (kind_ != InstallKind::Directory) {
        const bool a = kind_ == InstallKind::DriveA;
        ShowNotice(QStringLiteral("Oznam"),
                   a ? QStringLiteral("Vlož disketu do mechaniky A a stlač ENTER!")
                     : QStringLiteral("Vlož disketu do mechaniky B a stlač ENTER!"),
                   NoticeKind::Information, this);
        const QString folder =
            PlaceFolder(a ? ArchivePlace::DriveA : ArchivePlace::DriveB, QString());
        const QString found = FindNoCase(folder, fileName_);
        return found.isEmpty() ? QDir(folder).filePath(fileName_) : found;
    }
    // The directory text is a plain prefix of the name, as the user typed it.
    const QFileInfo typed(sourcePath_);
    if (typed.exists())
        return sourcePath_;
    const QString found = FindNoCase(typed.path(), typed.fileName());
    return found.isEmpty() ? sourcePath_ : found;
}

int TfNverzia::prepareCopy() {
    const QString from = resolveSource();
    const QFileInfo info(from);
    const qint64 size = info.exists() ? info.size() : 0;
    const qint64 free = QStorageInfo(programFolder_).bytesAvailable();
    if (free >= 0 && size > free) {
        error(QStringLiteral(" Priliš veľký súbor. "));
        return -1;
    }
    source_.setFileName(from);
    if (!source_.open(QIODevice::ReadOnly)) {
        AskConfirm(QStringLiteral(" Nemôžem otvoriť zdrojový súbor. Ukončiť? "), this);
        return 0;
    }
    target_ = std::make_unique<QSaveFile>(QDir(programFolder_).filePath(fileName_));
    if (!target_->open(QIODevice::WriteOnly)) {
        source_.close();
        AskConfirm(QStringLiteral(" Nemôžem otvoriť cieľový súbor. Ukončiť? "), this);
        return 0;
    }
    blocks_ = PlanCopy(size);
    setSteps(blocks_.count);
    block_ = 1;
    copyResult_ = -1;
    return 1;
}

void TfNverzia::copyBlocks() {
    QByteArray buffer(kCopyBlockSize, Qt::Uninitialized);
    // One block at a time, the bar repainted between blocks.
    auto copyOne = [&](qint64 size) {
        if (source_.read(buffer.data(), size) != size) {
            error(QStringLiteral(" Chyba pri čítaní. "));
            return false;
        }
        if (target_->write(buffer.constData(), size) != size) {
            error(QStringLiteral(" Chyba pri zápise. "));
            return false;
        }
        if (options_.onBlock)
            options_.onBlock(block_, size);
        setStep(block_);
        return true;
    };
    bool ok = true;
    for (; ok && block_ < blocks_.count; ++block_)
        ok = copyOne(kCopyBlockSize);
    ok = ok && copyOne(blocks_.last);
    source_.close();
    if (ok && !target_->commit()) {
        error(QStringLiteral(" Chyba pri zápise. "));
        ok = false;
    }
    if (!ok)
        target_->cancelWriting();
    target_.reset();
    copyResult_ = ok ? 1 : 0;
}

bool TfNverzia::unpack() {
    say(QStringLiteral("Prebieha dekompresia súboru VERZIA.ARJ ..."));
    const QString notStarted = QStringLiteral(
        "Nepodarilo sa spustiť kompresný program ARJ.EXE! Pravdepodobne chýba, alebo nie je "
        "nastavená cesta k nemu! ");
    const QString output = QDir(programFolder_).filePath(QLatin1String(kOutputFile));
    // Listed first: nothing is unpacked from an archive that would reach outside its folder
    // or bring data with it.
    const ListingRun listing = ListArchive(programFolder_, fileName_, output);
    if (!listing.started) {
        error(notStarted);
        return false;
    }
    if (listing.exitCode != 0 || !listing.names) {
        error(QStringLiteral("Archív VERZIA.ARJ sa nedá prečítať, je poškodený alebo neúplný") +
              (listing.exitCode != 0 ? QStringLiteral(" (kód %1).").arg(listing.exitCode)
                                     : QStringLiteral(".")) +
              kNotInstalled);
        return false;
    }
    if (listing.names->isEmpty()) {
        error(QStringLiteral("Archív VERZIA.ARJ je prázdny.") + kNotInstalled);
        return false;
    }
    for (const QString& name : *listing.names) {
        const EntryFault fault = CheckEntry(name);
        if (fault != EntryFault::None) {
            error(QStringLiteral("Archív VERZIA.ARJ obsahuje nepovolený súbor: %1 (%2).")
                      .arg(name, FaultText(fault)) +
                  kNotInstalled);
            return false;
        }
    }
    // A folder of its own, empty: nothing of an earlier attempt mixes in.
    if (!QDir(unpacked_).removeRecursively() || !QDir().mkpath(unpacked_)) {
        error(QStringLiteral("Nemôžem vytvoriť adresár pre novú verziu programu.") + kNotInstalled);
        return false;
    }
    // Everything the archive holds: "*.*" would leave out the names without an extension.
    const ArchiverRun run = RunArchiver(
        unpacked_, {QStringLiteral("x"), QStringLiteral("-y"), QStringLiteral("../") + fileName_},
        output);
    if (!run.started) {
        dropUnpacked();
        error(notStarted);
        return false;
    }
    if (run.exitCode != 0) {
        dropUnpacked();
        error(QStringLiteral("Kompresný program skončil s chybou (kód %1).").arg(run.exitCode) +
              kNotInstalled);
        return false;
    }
    EntryFault fault = EntryFault::None;
    const QString refused = FirstRefusedUnpacked(unpacked_, &fault);
    if (!refused.isEmpty()) {
        dropUnpacked();
        error(QStringLiteral("Archív VERZIA.ARJ obsahuje nepovolený súbor: %1 (%2).")
                  .arg(refused, FaultText(fault)) +
              kNotInstalled);
        return false;
    }
    return true;
}

bool TfNverzia::startInstaller() {
    const QString named =
        IniFile(QString::fromLatin1(kMainSettingsFile))
            .readString(QStringLiteral("NOVAVER"), QString::fromLatin1(kInstallerKey), QString())
            .trimmed();
    const QString installer = FindInstaller(unpacked_, named);
    const QString shown = named.isEmpty() ? QString::fromLatin1(kInstallerNames[0]) : named;
    if (installer.isEmpty()) {
        dropUnpacked();
        error(QStringLiteral("V novej verzii sa nenašiel inštalačný program %1.").arg(shown) +
              kNotInstalled);
        return false;
    }
    // An archive made without the program's rights: the copy unpacked here is ours to run.
    QFileInfo info(installer);
    if (!info.isExecutable() && info.absoluteFilePath().startsWith(unpacked_ + QLatin1Char('/')))
        QFile::setPermissions(installer,
                              QFile::permissions(installer) | QFile::ExeOwner | QFile::ExeUser);
    ShowNotice(QStringLiteral("Oznam"),
               QStringLiteral("Kopírovanie súboru s novou verziou prebehlo úspešne. Stlač "
                              "klávesu na spustenie novej verzie programu ! "),
               NoticeKind::Information, this);
    const QStringList arguments{QCoreApplication::applicationDirPath(), programFolder_};
    const bool started = app_.startProgram
                             ? app_.startProgram(installer, arguments)
                             : QProcess::startDetached(installer, arguments, unpacked_);
    if (!started) {
        dropUnpacked();
        error(QStringLiteral("Nepodarilo sa spustiť inštalačný program %1!")
                  .arg(QDir::toNativeSeparators(installer)) +
              kNotInstalled);
        return false;
    }
    return true;
}

bool TfNverzia::run() {
    success_ = false;
    setSteps(0);
    centre();
    show();
    if (prepare() && prepareCopy() == 1) {
        copyBlocks();
        success_ = copyResult_ == 1 && unpack() && startInstaller();
    }
    hide();
    return success_;
}

} // namespace

bool InstallNewVersion(AppContext& app, InstallKind kind, const QString& source, QWidget* owner,
                       const NewVersionOptions& options) {
    TfNverzia window(app, kind, source, owner ? owner : app.mainWindow, options);
    return window.run();
}

} // namespace vidoraw

#include "core/settings.h"
#include "framework/systemrecord.h"
#include "maintenance/maintenance.h"
#include "maintenance/newversion.h"
#include "maintenance/newversionarchive.h"
#include "maintenance/newversiondialog.h"
#include "shell/mainwindow.h"
#include "shell/program.h"
#include "shell/systemd.h"
#include "testmain.h"
#include "ui/scriptedinteraction.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

using namespace vidoraw;

namespace {

struct ArchiveFile {
    QString name; // as stored; "-jf" keeps absolute paths and "..", as a foreign archive may
    QByteArray content;
    bool executable = false;
};

QByteArray Bytes(qint64 size, char seed) {
    QByteArray b(size, Qt::Uninitialized);
    for (qint64 i = 0; i < size; ++i)
        b[i] = char(seed + i * 7 % 251);
    return b;
}

bool WriteBytes(const QString& path, const QByteArray& bytes, bool executable = false) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        return false;
    f.close();
    if (executable)
        f.setPermissions(f.permissions() | QFile::ExeOwner | QFile::ExeUser);
    return true;
}

QByteArray ReadBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// The installer of the test versions: it tells where it ran and with what.
const QByteArray kInstaller = "#!/bin/sh\n"
                              "printf '%s|%s|%s' \"$(pwd)\" \"$1\" \"$2\" > \"$2/SPUSTENY.TXT\"\n";

// The program's folder: the shop's data, a version archive copied there, and the working
// folders; a test compares what is in it before and after.
QStringList Entries(const QString& dir) {
    QStringList out =
        QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    out.removeAll(QStringLiteral("SPUSTENY.TXT"));
    return out;
}

// A fresh program over an empty data folder, with folders for drives A: and B: and for the
// archives the tests make.
struct InstallFixture {
    QTemporaryDir configDir;
    QTemporaryDir dataDir;
    QTemporaryDir work; // sources of the archives, the drives, the chosen directories
    ScriptedInteraction ui;
    std::unique_ptr<AppContext> app;
    std::unique_ptr<Program> program;
    QStringList started; // the installers started through the context (when recorded)

    InstallFixture() {
        SetSettingsDirectory(configDir.path());
        IniFile ini(QString::fromLatin1(kMainSettingsFile));
        ini.writeString("MECHANIKY", "A", work.filePath("A") + '/');
        ini.writeString("MECHANIKY", "B", work.filePath("B") + '/');
        QDir().mkpath(work.filePath("A"));
        QDir().mkpath(work.filePath("B"));
        app = std::make_unique<AppContext>();
        RegisterShellModules(*app);
        program = std::make_unique<Program>(*app);
        QString error;
        QVERIFY2(program->create(dataDir.path(), &error), qPrintable(error));
        ui.takeNotices();
    }
    ~InstallFixture() { end(); }
    void end() {
        if (!app)
            return;
        program.reset(); // the install window stores its choice now
        app.reset();
        SetSettingsDirectory(QString());
    }
    // Installers started through the context are only recorded.
    void recordStarts() {
        app->startProgram = [this](const QString& program, const QStringList&) {
            started << program;
            return true;
        };
    }
    QString programFolder() const { return dataDir.path(); }

    // Makes an archive of files with arj (stored names as given), answers its path.
    QString makeArchive(const QList<ArchiveFile>& files, const QString& name = "v.arj") {
        const QString src = work.filePath("src");
        QDir(src).removeRecursively();
        QDir().mkpath(src + "/w");
        QStringList args{"a", "-y", "-jf", "-m0", work.filePath(name)};
        QFile::remove(work.filePath(name));
        for (const ArchiveFile& f : files) {
            const QString on =
                QDir::isAbsolutePath(f.name) ? f.name : QDir(src + "/w").filePath(f.name);
            if (!WriteBytes(on, f.content, f.executable))
                return QString();
            args << f.name;
        }
        QProcess arj;
        arj.setWorkingDirectory(src + "/w");
        arj.start("arj", args);
        if (!arj.waitForFinished(60000) || arj.exitCode() != 0)
            return QString();
        return work.filePath(name);
    }
    bool install(InstallKind kind, const QString& source, const NewVersionOptions& options = {}) {
        return InstallNewVersion(*app, kind, source, nullptr, options);
    }
};

QList<ArchiveFile> GoodVersion() {
    return {{"vivida", kInstaller, true},
            {"vidoraw", "program", true},
            {"data/templates/fa.dsz", "template"}};
}

} // namespace

Q_DECLARE_METATYPE(ArchiveFile)

// The new version install: the archive copied block by block beside the data, listed and
// checked before anything is unpacked, unpacked into a folder of its own, its installer
// started and the program ended; every failure leaves the program running as it was.
class TestNewVersion : public QObject {
    Q_OBJECT
private slots:
    void copyInBlocks_data();
    void copyInBlocks();
    void emptyOrMissingSource_data();
    void emptyOrMissingSource();
    void sourceOfEachKind_data();
    void sourceOfEachKind();
    void refusedArchive_data();
    void refusedArchive();
    void archiverMissing();
    void listedEntries_data();
    void listedEntries();
    void installsAndEnds_data();
    void installsAndEnds();
    void windowRemembersItsChoice_data();
    void windowRemembersItsChoice();
    void questionByKind_data();
    void questionByKind();
    void browseTakesTheFolder();
};

void TestNewVersion::copyInBlocks_data() {
    QTest::addColumn<qint64>("size");
    QTest::addColumn<QList<qint64>>("blocks");
    QTest::newRow("one byte") << qint64(1) << QList<qint64>{1};
    QTest::newRow("one whole block") << qint64(65536) << QList<qint64>{65536};
    QTest::newRow("two whole blocks") << qint64(131072) << QList<qint64>{65536, 65536};
    QTest::newRow("last of one byte") << qint64(131073) << QList<qint64>{65536, 65536, 1};
    QTest::newRow("last of a rest") << qint64(200000) << QList<qint64>{65536, 65536, 65536, 3392};
}

void TestNewVersion::copyInBlocks() {
    QFETCH(qint64, size);
    QFETCH(QList<qint64>, blocks);
    const CopyBlocks plan = PlanCopy(size);
    QCOMPARE(plan.count, blocks.size());
    QCOMPARE(plan.last, blocks.last());

    // No archive, only bytes: copied whole, then refused as unreadable.
    InstallFixture f;
    const QByteArray bytes = Bytes(size, 'a');
    QVERIFY(WriteBytes(f.work.filePath("nova/VERZIA.ARJ"), bytes));
    QList<qint64> heard;
    NewVersionOptions options;
    int expected = 1;
    options.onBlock = [&](int block, qint64 n) {
        QCOMPARE(block, expected++);
        heard << n;
    };
    QVERIFY(!f.install(InstallKind::Directory, f.work.filePath("nova/VERZIA.ARJ"), options));
    QCOMPARE(heard, blocks);
    QCOMPARE(ReadBytes(QDir(f.programFolder()).filePath("VERZIA.ARJ")), bytes);
    const QStringList said = f.ui.takeNoticeTexts();
    QCOMPARE(said.size(), 1);
    QVERIFY2(said[0].startsWith("Archív VERZIA.ARJ sa nedá prečítať, je poškodený alebo neúplný"),
             qPrintable(said[0]));
    QVERIFY(!QFileInfo::exists(QDir(f.programFolder()).filePath("VERZIA")));
}

void TestNewVersion::emptyOrMissingSource_data() {
    QTest::addColumn<bool>("present");
    QTest::addColumn<int>("answer"); // to the open question
    QTest::newRow("empty") << true << 0;
    QTest::newRow("missing, stop") << false << 1;
    QTest::newRow("missing, go on") << false << 0;
}

void TestNewVersion::emptyOrMissingSource() {
    QFETCH(bool, present);
    QFETCH(int, answer);
    InstallFixture f;
    const QString source = f.work.filePath("nova/VERZIA.ARJ");
    if (present)
        QVERIFY(WriteBytes(source, QByteArray()));
    else
        f.ui.queueAnswer(answer);
    const QStringList before = Entries(f.programFolder());
    QVERIFY(!f.install(InstallKind::Directory, source));
    if (present) {
        QCOMPARE(f.ui.takeNoticeTexts(), QStringList{" Chyba pri čítaní. "});
    } else {
        QCOMPARE(f.ui.questions, QStringList{" Nemôžem otvoriť zdrojový súbor. Ukončiť? "});
        QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
    }
    // Nothing half copied is left behind.
    QCOMPARE(Entries(f.programFolder()), before);
}

void TestNewVersion::sourceOfEachKind_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("typed"); // the directory text, below the work folder
    QTest::addColumn<QString>("file");  // where the archive taken lies
    QTest::addColumn<QString>("notice");
    QTest::newRow("drive A, name in small letters") << 1 << ""
                                                    << "A/verzia.arj"
                                                    << "Vlož disketu do mechaniky A a stlač ENTER!";
    QTest::newRow("drive B") << 2 << ""
                             << "B/VERZIA.ARJ"
                             << "Vlož disketu do mechaniky B a stlač ENTER!";
    QTest::newRow("directory") << 3 << "nova/"
                               << "nova/VERZIA.ARJ"
                               << "";
    // Typed without the final separator: the text is a prefix of the name.
    QTest::newRow("directory without separator") << 3 << "nova"
                                                 << "novaVERZIA.ARJ"
                                                 << "";
}

void TestNewVersion::sourceOfEachKind() {
    QFETCH(int, kind);
    QFETCH(QString, typed);
    QFETCH(QString, file);
    QFETCH(QString, notice);
    InstallFixture f;
    // Decoys everywhere else.
    for (const char* other : {"A/VERZIA.ARJ", "B/VERZIA.ARJ", "nova/VERZIA.ARJ", "novaVERZIA.ARJ"})
        QVERIFY(WriteBytes(f.work.filePath(other), "decoy"));
    QFile::remove(f.work.filePath(file.startsWith("A/") ? "A/VERZIA.ARJ" : file));
    QVERIFY(WriteBytes(f.work.filePath(file), "the one"));
    const QString source = kind == 3 ? f.work.filePath(typed) + "VERZIA.ARJ" : "VERZIA.ARJ";
    QVERIFY(!f.install(InstallKindOf(kind), source));
    QStringList said = f.ui.takeNoticeTexts();
    if (!notice.isEmpty()) {
        QVERIFY(!said.isEmpty());
        QCOMPARE(said.takeFirst(), notice);
    }
    QCOMPARE(said.size(), 1); // the bytes are no archive
    QCOMPARE(ReadBytes(QDir(f.programFolder()).filePath("VERZIA.ARJ")), QByteArray("the one"));
}

void TestNewVersion::refusedArchive_data() {
    QTest::addColumn<QList<ArchiveFile>>("files");
    QTest::addColumn<QString>("damage"); // "", "garbage" or "data block"
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("unpacked"); // refused only after the archiver unpacked it
    const QString absolute = QDir::tempPath() + "/vidoraw-newversion-abs/evil";
    QTest::newRow("absolute path")
        << (GoodVersion() << ArchiveFile{absolute, "x"}) << ""
        << "Archív VERZIA.ARJ obsahuje nepovolený súbor: " + absolute + " (absolútna cesta)"
        << false;
    QTest::newRow("parent folder")
        << (GoodVersion() << ArchiveFile{"../evil", "x"}) << ""
        << "Archív VERZIA.ARJ obsahuje nepovolený súbor: ../evil (cesta mimo adresára" << false;
    QTest::newRow("the database")
        << (GoodVersion() << ArchiveFile{"vidoraw.sqlite", "x"}) << ""
        << "Archív VERZIA.ARJ obsahuje nepovolený súbor: vidoraw.sqlite (súbor s údajmi" << false;
    QTest::newRow("a table in a folder")
        << (GoodVersion() << ArchiveFile{"stare/POUKAZ.DB", "x"}) << ""
        << "Archív VERZIA.ARJ obsahuje nepovolený súbor: stare/POUKAZ.DB (súbor s údajmi" << false;
    QTest::newRow("settings")
        << (GoodVersion() << ArchiveFile{"VIDORAW.INI", "x"}) << ""
        << "Archív VERZIA.ARJ obsahuje nepovolený súbor: VIDORAW.INI (súbor s údajmi" << false;
    QTest::newRow("no installer")
        << QList<ArchiveFile>{{"vidoraw", "program", true}} << ""
        << "V novej verzii sa nenašiel inštalačný program vivida. Nová verzia nebola "
           "nainštalovaná."
        << true;
    QTest::newRow("no archive")
        << GoodVersion() << "garbage"
        << "Archív VERZIA.ARJ sa nedá prečítať, je poškodený alebo neúplný (kód" << false;
    // Listed well, but the archiver fails on unpacking: its code is heeded.
    QTest::newRow("damaged data") << (GoodVersion()
                                      << ArchiveFile{"velky.bin", QByteArray(8192, 'Q')})
                                  << "data block"
                                  << "Kompresný program skončil s chybou (kód" << true;
}

void TestNewVersion::refusedArchive() {
    QFETCH(QList<ArchiveFile>, files);
    QFETCH(QString, damage);
    QFETCH(QString, message);
    QFETCH(bool, unpacked);
    InstallFixture f;
    f.recordStarts();
    QString archive = f.makeArchive(files);
    QDir(QDir::tempPath() + "/vidoraw-newversion-abs").removeRecursively();
    QVERIFY(!archive.isEmpty());
    QByteArray bytes = ReadBytes(archive);
    if (damage == "garbage") {
        bytes = "no archive at all";
    } else if (damage == "data block") {
        const qsizetype at = bytes.indexOf(QByteArray(64, 'Q'));
        QVERIFY(at > 0);
        bytes[at + 100] = 'R';
    }
    QVERIFY(WriteBytes(f.work.filePath("nova/VERZIA.ARJ"), bytes));
    const QStringList before = Entries(f.programFolder());

    QVERIFY(!f.install(InstallKind::Directory, f.work.filePath("nova/") + "VERZIA.ARJ"));
    const QStringList said = f.ui.takeNoticeTexts();
    QCOMPARE(said.size(), 1);
    QVERIFY2(said[0].startsWith(message), qPrintable(said[0]));
    QVERIFY2(said[0].endsWith("Nová verzia nebola nainštalovaná."), qPrintable(said[0]));
    QVERIFY(f.started.isEmpty());
    // Only the archive's copy and the archiver's output beside the data; nothing unpacked.
    QStringList after = before;
    after << "VERZIA.ARJ"
          << "VYSTUP.TXT";
    after.sort();
    QCOMPARE(Entries(f.programFolder()), after);
    QVERIFY(!QFileInfo::exists(QDir::tempPath() + "/vidoraw-newversion-abs/evil"));
    QVERIFY(!QFileInfo::exists(f.work.filePath("nova/../evil")));
    // Refused from the listing: the archiver never unpacked anything.
    QCOMPARE(ReadBytes(QDir(f.programFolder()).filePath("VYSTUP.TXT")).contains("Extracting"),
             unpacked);
}

void TestNewVersion::archiverMissing() {
    InstallFixture f;
    f.recordStarts();
    const QString archive = f.makeArchive(GoodVersion());
    QVERIFY(!archive.isEmpty());
    QVERIFY(QFile::copy(archive, f.work.filePath("VERZIA.ARJ")));
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", f.work.filePath("nothing").toLocal8Bit());
    const bool ok = f.install(InstallKind::Directory, f.work.filePath("VERZIA.ARJ"));
    qputenv("PATH", path);
    QVERIFY(!ok);
    QCOMPARE(f.ui.takeNoticeTexts(),
             QStringList{"Nepodarilo sa spustiť kompresný program ARJ.EXE! Pravdepodobne chýba, "
                         "alebo nie je nastavená cesta k nemu! "});
    QVERIFY(f.started.isEmpty());
    QVERIFY(!QFileInfo::exists(QDir(f.programFolder()).filePath("VERZIA")));
}

void TestNewVersion::listedEntries_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("fault");
    QTest::newRow("plain") << "vidoraw" << int(EntryFault::None);
    QTest::newRow("in a folder") << "data/templates/fa.dsz" << int(EntryFault::None);
    QTest::newRow("dots in a name") << "a..b/x" << int(EntryFault::None);
    QTest::newRow("root") << "/usr/bin/vidoraw" << int(EntryFault::Absolute);
    QTest::newRow("drive") << "C:\\VIDORA\\x.exe" << int(EntryFault::Absolute);
    QTest::newRow("backslash root") << "\\x" << int(EntryFault::Absolute);
    QTest::newRow("up, DOS way") << "a\\..\\..\\x" << int(EntryFault::OutsideFolder);
    QTest::newRow("up in the middle") << "a/../../x" << int(EntryFault::OutsideFolder);
    QTest::newRow("database journal") << "vidoraw.sqlite-wal" << int(EntryFault::DataFile);
    QTest::newRow("server settings") << "DATABAZA.INI" << int(EntryFault::DataFile);
    QTest::newRow("paradox memo") << "x/KLIENT.MB" << int(EntryFault::DataFile);
    QTest::newRow("dos table") << "dos/klient.dbf" << int(EntryFault::DataFile);
    QTest::newRow("viewer settings") << "zorode.kfg" << int(EntryFault::DataFile);
}

void TestNewVersion::listedEntries() {
    QFETCH(QString, name);
    QFETCH(int, fault);
    QCOMPARE(int(CheckEntry(name)), fault);

    // A listing whose entries do not add up to its count is no listing.
    const QByteArray head = "Sequence/Pathname/Comment/Chapters\n------------ ---------- ----\n";
    const QByteArray entry = "001) " + name.toUtf8() + "\n 11 UNIX  5  5 1.000\n";
    QCOMPARE(ParseListing(head + entry + "------------\n     1 files  5  5 1.000\n")
                 .value_or(QStringList{"<none>"}),
             QStringList{name});
    QVERIFY(!ParseListing(head + entry + "------------\n     2 files  5  5 1.000\n"));
    QVERIFY(!ParseListing(head + entry));
}

void TestNewVersion::installsAndEnds_data() {
    QTest::addColumn<QList<ArchiveFile>>("files");
    QTest::addColumn<QString>("named"); // the installer in the settings
    QTest::addColumn<QString>("installer");
    QTest::newRow("vivida") << GoodVersion() << ""
                            << "vivida";
    QTest::newRow("script without the right to run")
        << QList<ArchiveFile>{{"VIVIDA.SH", kInstaller, false}, {"vidoraw", "program", true}} << ""
        << "VIVIDA.SH";
    QTest::newRow("named in the settings")
        << QList<ArchiveFile>{{"bin/nastav", kInstaller, true}, {"vivida", "exit 1", true}}
        << "bin/nastav"
        << "bin/nastav";
}

void TestNewVersion::installsAndEnds() {
    QFETCH(QList<ArchiveFile>, files);
    QFETCH(QString, named);
    QFETCH(QString, installer);
    InstallFixture f;
    if (!named.isEmpty())
        IniFile(QString::fromLatin1(kMainSettingsFile)).writeString("NOVAVER", "INSTALATOR", named);
    RegisterMaintenanceCommands(*f.program, *f.app);
    QVERIFY(SetRunState(*f.app, "B")); // running
    const QString archive = f.makeArchive(files);
    QVERIFY(!archive.isEmpty());
    QVERIFY(QDir().mkpath(f.work.filePath("nova")));
    QVERIFY(QFile::copy(archive, f.work.filePath("nova/VERZIA.ARJ")));
    const QStringList before = Entries(f.programFolder());

    TfHlavny* main = f.program->mainWindow();
    QAction* command = main->command("Systém/Nová &verzia ...");
    QVERIFY(command && command->isEnabled());
    f.ui.queueDialog([&](QDialog& d) {
        auto* w = qobject_cast<TfInstnv*>(&d);
        QVERIFY(w);
        w->rbAdresar->setChecked(true);
        w->eCesta->setText(f.work.filePath("nova/"));
        w->pressOk();
    });
    f.ui.queueAnswer(1);
    command->trigger();
    QCOMPARE(f.ui.takeNoticeTexts(),
             QStringList{"Kopírovanie súboru s novou verziou prebehlo úspešne. Stlač klávesu na "
                         "spustenie novej verzie programu ! "});
    QCOMPARE(f.ui.questions,
             QStringList{"Mám naozaj vykonať inštaláciu novej verzie programu z Vami nastaveného "
                         "adresára ?"});
    // The program ends without asking, its run marked as ended well.
    QVERIFY(!main->allowClose);
    QCOMPARE(SystemField(*f.app, "STAV"), QString("A"));

    // The installer ran in the unpacked folder, told where the program and its data are.
    const QString folder = QDir(f.programFolder()).filePath("VERZIA");
    const QString marker = QDir(f.programFolder()).filePath("SPUSTENY.TXT");
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(marker).size() > 0, 20000);
    const QStringList told = QString::fromUtf8(ReadBytes(marker)).split('|');
    QCOMPARE(told.size(), 3);
    QCOMPARE(QFileInfo(told[0]).canonicalFilePath(), QFileInfo(folder).canonicalFilePath());
    QCOMPARE(told[1], QCoreApplication::applicationDirPath());
    QCOMPARE(QFileInfo(told[2]).canonicalFilePath(),
             QFileInfo(f.programFolder()).canonicalFilePath());
    QVERIFY(QFileInfo(QDir(folder).filePath(installer)).isExecutable());
    for (const ArchiveFile& file : files)
        QCOMPARE(ReadBytes(QDir(folder).filePath(file.name)), file.content);
    QStringList after = before;
    after << "VERZIA"
          << "VERZIA.ARJ"
          << "VYSTUP.TXT";
    after.sort();
    QCOMPARE(Entries(f.programFolder()), after);
}

void TestNewVersion::windowRemembersItsChoice_data() {
    QTest::addColumn<QString>("stored"); // CO as the file holds it
    QTest::addColumn<int>("shown");
    QTest::newRow("drive A") << "1" << 1;
    QTest::newRow("drive B") << "2" << 2;
    QTest::newRow("directory") << "3" << 3;
    QTest::newRow("below the kinds") << "0" << 1;
    QTest::newRow("above the kinds") << "4" << 1;
    QTest::newRow("no number") << "x" << 1;
}

void TestNewVersion::windowRemembersItsChoice() {
    QFETCH(QString, stored);
    QFETCH(int, shown);
    InstallFixture f;
    IniFile ini(QString::fromLatin1(kMainSettingsFile));
    ini.writeString("NOVAVER", "CO", stored);
    ini.writeString("NOVAVER", "CESTA", f.work.filePath("nova/"));
    QVERIFY(WriteBytes(f.work.filePath("nova/VERZIA.ARJ"), "not to be copied"));
    const QStringList before = Entries(f.programFolder());
    RegisterMaintenanceCommands(*f.program, *f.app);
    // "Späť" after changing the choice: nothing copied; the choice is kept as shown and
    // stored when the program ends.
    f.ui.queueDialog([&](QDialog& d) {
        auto* w = qobject_cast<TfInstnv*>(&d);
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QString("Inštalácia novej verzie programu"));
        QCOMPARE(int(w->kind()), shown);
        QCOMPARE(w->eCesta->text(), f.work.filePath("nova/"));
        QCOMPARE(w->eCesta->isEnabled(), shown == 3);
        QCOMPARE(w->bbVyber->isEnabled(), shown == 3);
        w->rbAdresar->setChecked(true);
        QVERIFY(w->eCesta->isEnabled() && w->bbVyber->isEnabled());
        w->eCesta->setText("/niekde/inde");
        w->pressBack();
    });
    f.program->mainWindow()->command("Systém/Nová &verzia ...")->trigger();
    QVERIFY(f.ui.questions.isEmpty());
    QCOMPARE(Entries(f.programFolder()), before);
    QVERIFY(f.program->mainWindow()->allowClose);
    // Not yet stored: the window keeps it for the run.
    QCOMPARE(IniFile(QString::fromLatin1(kMainSettingsFile)).readString("NOVAVER", "CO"), stored);
    f.ui.queueDialog([&](QDialog& d) {
        auto* w = qobject_cast<TfInstnv*>(&d);
        QCOMPARE(int(w->kind()), 3);
        QCOMPARE(w->source(), QString("/niekde/indeVERZIA.ARJ"));
        w->pressBack();
    });
    f.program->mainWindow()->command("Systém/Nová &verzia ...")->trigger();
    f.program.reset();
    IniFile after(QString::fromLatin1(kMainSettingsFile));
    QCOMPARE(after.readInteger("NOVAVER", "CO"), 3);
    QCOMPARE(after.readString("NOVAVER", "CESTA"), QString("/niekde/inde"));
}

void TestNewVersion::questionByKind_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("question");
    QTest::newRow("A") << 1
                       << "Mám naozaj vykonať inštaláciu novej verzie programu z diskety v "
                          "mechanike A ?";
    QTest::newRow("B") << 2
                       << "Mám naozaj vykonať inštaláciu novej verzie programu z diskety v "
                          "mechanike B ?";
    QTest::newRow("directory") << 3
                               << "Mám naozaj vykonať inštaláciu novej verzie programu z Vami "
                                  "nastaveného adresára ?";
}

void TestNewVersion::questionByKind() {
    QFETCH(int, kind);
    QFETCH(QString, question);
    InstallFixture f;
    for (const char* where : {"A/VERZIA.ARJ", "B/VERZIA.ARJ", "VERZIA.ARJ"})
        QVERIFY(WriteBytes(f.work.filePath(where), "not to be copied"));
    const QStringList before = Entries(f.programFolder());
    TfInstnv w(*f.app);
    f.ui.queueDialog([&](QDialog&) {
        (kind == 1 ? w.rbA : kind == 2 ? w.rbB : w.rbAdresar)->setChecked(true);
        w.eCesta->setText(f.work.path() + '/');
        w.pressOk();
    });
    f.ui.queueAnswer(0); // "Nie": the window closes all the same, nothing is copied
    QVERIFY(!w.ask(nullptr));
    QVERIFY(!w.isVisible());
    QCOMPARE(f.ui.questions, QStringList{question});
    QCOMPARE(w.source(), kind == 3 ? f.work.filePath("VERZIA.ARJ") : QString("VERZIA.ARJ"));
    QCOMPARE(Entries(f.programFolder()), before);
}

void TestNewVersion::browseTakesTheFolder() {
    InstallFixture f;
    QVERIFY(WriteBytes(f.work.filePath("stara/VERZIA.ARJ"), "x"));
    QVERIFY(WriteBytes(f.work.filePath("nova/Verzia_2.arj"), "x"));
    TfInstnv w(*f.app);
    w.rbAdresar->setChecked(true);
    w.eCesta->setText(f.work.filePath("stara/"));
    f.ui.queueDialog([&](QDialog& d) {
        auto* dialog = qobject_cast<QFileDialog*>(&d);
        QVERIFY(dialog);
        QCOMPARE(dialog->nameFilters(), QStringList{"Kompresované súbory *.ARJ (*.ARJ *.arj)"});
        QCOMPARE(dialog->directory().absolutePath(), f.work.filePath("stara"));
        dialog->selectFile(f.work.filePath("nova/Verzia_2.arj"));
        dialog->QDialog::done(QDialog::Accepted);
    });
    w.bbVyber->click();
    // The folder of the chosen file; its own name does not count.
    QCOMPARE(w.eCesta->text(), f.work.filePath("nova") + '/');
    QCOMPARE(w.source(), f.work.filePath("nova/VERZIA.ARJ"));
}

VIDORAW_TEST(TestNewVersion)
#include "test_newversion.moc"

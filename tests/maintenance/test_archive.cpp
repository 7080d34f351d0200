#include "core/engine/integrity.h"
#include "framework/systemrecord.h"
#include "maintenance/archivefiles.h"
#include "maintenance/tabledump.h"
#include "maintenancefixture.h"
#include "testmain.h"

#include <QFile>
#include <QProcess>
#include <QSet>

using namespace vidoraw;
using namespace vidoraw::test;

namespace {

QStringList FilesIn(const QString& dir) {
    return QDir(dir).entryList(QDir::Files, QDir::Name);
}

// A volume size that splits an archive of total bytes into three volumes.
QString ThirdOf(qint64 total) { return QString::number(qint64(total * 0.4)); }

} // namespace

// Archive and restore of a shop's data: volumes on the target as named, the count written
// last, every table and row back as it was; incomplete or damaged archives refused with the
// data untouched.
class TestArchive : public QObject {
    Q_OBJECT
private slots:
    void volumeNames_data();
    void volumeNames();
    void roundTripInThreeVolumes();
    void readByAnIndependentReader();
    void staleVolumesOfAnEarlierArchive();
    void refusedArchive_data();
    void refusedArchive();
    void refusedWhileAnotherProgramHasTheData();
    void diskettesAreFolders();
};

void TestArchive::volumeNames_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("name");
    QTest::newRow("first") << 0 << "VIDORAW.ARJ";
    QTest::newRow("one digit") << 1 << "VIDORAW.A01";
    QTest::newRow("nine") << 9 << "VIDORAW.A09";
    QTest::newRow("ten") << 10 << "VIDORAW.A10";
    QTest::newRow("hundred") << 100 << "VIDORAW.A100";
}

void TestArchive::volumeNames() {
    QFETCH(int, number);
    QFETCH(QString, name);
    QCOMPARE(VolumeName(number), name);
    QCOMPARE(VolumeNumber(name), number);
    QCOMPARE(VolumeNumber(name.toLower()), number); // a diskette written elsewhere
    QCOMPARE(ParseCount(CountText(number + 1)), number + 1);
}

void TestArchive::roundTripInThreeVolumes() {
    ShopFixture shop;
    const DataText before = shop.data();
    QVERIFY(before.value("POUKAZ.DB").size() > 300);

    // One volume first, to know the size that makes three.
    QVERIFY(shop.archive(QStringLiteral("100000k")));
    QCOMPARE(shop.ui.takeNoticeTexts(), QStringList{"Archivácia prebehla úspešne!"});
    const qint64 total = QFileInfo(QDir(shop.archiveDir.path()).filePath("VIDORAW.ARJ")).size();
    shop.ui.queueAnswer(1); // the first volume is there: overwrite it
    QVERIFY(shop.archive(ThirdOf(total)));
    QCOMPARE(shop.ui.takeNoticeTexts(), QStringList{"Archivácia prebehla úspešne!"});
    QCOMPARE(FilesIn(shop.archiveDir.path()),
             (QStringList{"POCET.TXT", "VIDORAW.A01", "VIDORAW.A02", "VIDORAW.ARJ"}));
    QFile count(QDir(shop.archiveDir.path()).filePath("POCET.TXT"));
    QVERIFY(count.open(QIODevice::ReadOnly));
    QCOMPARE(count.readAll(), QByteArray("0003"));
    // The working folder is left empty.
    QVERIFY(!QDir(shop.dataDir.filePath("ARCH")).exists());

    shop.changeData();
    QVERIFY(shop.data() != before);
    QVERIFY(shop.restore());
    QCOMPARE(shop.ui.takeNoticeTexts(), QStringList{"Obnova prebehla úspešne!"});
    QString why;
    QVERIFY2(SameData(shop.data(), before, &why), qPrintable(why));
    // The data as they were are kept aside, complete.
    QVERIFY(QFileInfo::exists(shop.dataDir.filePath("ZALOHA/vidoraw.sqlite")));
    QVERIFY(!QDir(shop.dataDir.filePath("OBN")).exists());
}

void TestArchive::readByAnIndependentReader() {
    ShopFixture shop(150);
    QVERIFY(shop.archive(QStringLiteral("100000k")));
    shop.ui.takeNotices();
    const QString archive = QDir(shop.archiveDir.path()).filePath("VIDORAW.ARJ");
    QProcess list;
    list.start("7zz", {"l", "-slt", archive});
    QVERIFY(list.waitForFinished(60000));
    QCOMPARE(list.exitCode(), 0);
    QSet<QString> listed;
    for (const QByteArray& line : list.readAllStandardOutput().split('\n'))
        if (line.startsWith("Path = Z"))
            listed << QString::fromUtf8(line.mid(7)).trimmed();
    QSet<QString> expected;
    for (const auto& t : ModuleTableFiles(*shop.app))
        if (shop.app->db->tableExists(t.second))
            expected << PackedName(t.second);
    QCOMPARE(listed, expected);

    // Split into volumes, each volume is an archive the reader lists on its own; together
    // they name every table.
    const qint64 total = QFileInfo(archive).size();
    shop.ui.queueAnswer(1);
    QVERIFY(shop.archive(ThirdOf(total)));
    shop.ui.takeNotices();
    QSet<QString> inVolumes;
    const QStringList volumes = VolumesIn(shop.archiveDir.path());
    QCOMPARE(volumes.size(), 3);
    for (const QString& v : volumes) {
        QProcess p;
        p.start("7zz", {"l", "-slt", QDir(shop.archiveDir.path()).filePath(v)});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 0);
        for (const QByteArray& line : p.readAllStandardOutput().split('\n'))
            if (line.startsWith("Path = Z"))
                inVolumes << QString::fromUtf8(line.mid(7)).trimmed();
    }
    QCOMPARE(inVolumes, expected);
    shop.ui.queueAnswer(1);
    QVERIFY(shop.archive(QStringLiteral("100000k")));
    shop.ui.takeNotices();

    QTemporaryDir out;
    QProcess extract;
    extract.setWorkingDirectory(out.path());
    extract.start("7zz", {"x", "-y", archive});
    QVERIFY(extract.waitForFinished(60000));
    QCOMPARE(extract.exitCode(), 0);
    // Each packed table is a sound database file holding the table's rows.
    const QString file = QStringLiteral("POUKAZ.DB");
    QString why;
    QVERIFY2(CheckDatabaseFile(QDir(out.path()).filePath(PackedName(file)), &why), qPrintable(why));
    auto db = OpenDump(QDir(out.path()).filePath(PackedName(file)), out.filePath("t"), file, &why);
    QVERIFY2(db, qPrintable(why));
    Table copied(db.get(), file);
    Table live(shop.app->db, file);
    QVERIFY(copied.open() && live.open());
    QCOMPARE(copied.recordCount(), live.recordCount());
    QVERIFY(live.recordCount() > 0);
}

void TestArchive::staleVolumesOfAnEarlierArchive() {
    ShopFixture shop(40);
    const QDir target(shop.archiveDir.path());
    // An earlier, larger archive, its names written by another system in lower case.
    for (const char* name : {"vidoraw.arj", "VIDORAW.A01", "vidoraw.a07", "pocet.txt", "INE.TXT"}) {
        QFile f(target.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("old");
    }
    shop.ui.queueAnswer(0); // keep the earlier archive
    QVERIFY(!shop.archive());
    QCOMPARE(shop.ui.takeNoticeTexts(), QStringList{"V archivácii nie je možné pokračovať!"});
    QCOMPARE(FilesIn(target.path()).size(), 5);

    shop.ui.queueAnswer(1);
    QVERIFY(shop.archive());
    shop.ui.takeNotices();
    const QStringList files = FilesIn(target.path());
    QCOMPARE(files.count("INE.TXT"), 1);
    QStringList archive;
    for (const QString& f : files)
        if (f != "INE.TXT")
            archive << f;
    QStringList expected{"POCET.TXT"};
    expected += VolumesIn(target.path());
    std::sort(expected.begin(), expected.end());
    QCOMPARE(archive, expected);
    QVERIFY(!archive.contains("VIDORAW.A07") && !archive.contains("vidoraw.a07"));
}

void TestArchive::refusedArchive_data() {
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("message"); // start of the error; empty: the restore succeeds
    QTest::newRow("volume missing") << "remove VIDORAW.A01" << "Na disku chýba súbor: ";
    QTest::newRow("volume corrupted") << "corrupt VIDORAW.A01" << "Archív sa nepodarilo rozbaliť";
    QTest::newRow("last volume cut short") << "truncate VIDORAW.A02" << "Archív sa nepodarilo rozbaliť";
    QTest::newRow("count file missing") << "remove POCET.TXT" << "Súbor POCET.TXT";
    QTest::newRow("count file damaged") << "count 03" << "Súbor POCET.TXT";
    QTest::newRow("newer data version") << "version" << "Archív obsahuje údaje novšej verzie";
    QTest::newRow("names in lower case") << "lower" << "";
}

void TestArchive::refusedArchive() {
    QFETCH(QString, damage);
    QFETCH(QString, message);
    ShopFixture shop(60);
    const DataText original = shop.data();
    if (damage == "version")
        QVERIFY(WriteSystemFields(*shop.app, {{"VERZIA", 1.16}}));
    QVERIFY(shop.archive(QStringLiteral("100000k")));
    const qint64 total = QFileInfo(QDir(shop.archiveDir.path()).filePath("VIDORAW.ARJ")).size();
    shop.ui.queueAnswer(1);
    QVERIFY(shop.archive(ThirdOf(total)));
    shop.ui.takeNotices();
    if (damage == "version")
        QVERIFY(WriteSystemFields(*shop.app, {{"VERZIA", 1.15}}));
    shop.changeData();
    const DataText changed = shop.data();

    const QDir dir(shop.archiveDir.path());
    const QStringList words = damage.split(' ');
    if (words[0] == "remove") {
        QVERIFY(QFile::remove(dir.filePath(words[1])));
    } else if (words[0] == "corrupt") {
        QFile f(dir.filePath(words[1]));
        QVERIFY(f.open(QIODevice::ReadWrite));
        f.seek(f.size() / 2);
        f.write(QByteArray(64, '\x5a'));
    } else if (words[0] == "truncate") {
        QFile f(dir.filePath(words[1]));
        QVERIFY(f.resize(f.size() / 2));
    } else if (words[0] == "count") {
        QFile f(dir.filePath("POCET.TXT"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(words[1].toLatin1());
    } else if (damage == "lower") {
        for (const QString& name : FilesIn(dir.path()))
            QVERIFY(QFile::rename(dir.filePath(name), dir.filePath(name.toLower())));
    }

    const bool restored = shop.restore();
    const QList<RecordedNotice> notices = shop.ui.takeNotices();
    QString why;
    if (message.isEmpty()) {
        QVERIFY(restored);
        QCOMPARE(TextsOf(notices), QStringList{"Obnova prebehla úspešne!"});
        QVERIFY2(SameData(shop.data(), original, &why), qPrintable(why));
        return;
    }
    QVERIFY(!restored);
    QCOMPARE(notices.size(), 1);
    QCOMPARE(notices[0].title, QStringLiteral("Chyba"));
    QVERIFY2(notices[0].text.startsWith(message), qPrintable(notices[0].text));
    QVERIFY2(SameData(shop.data(), changed, &why), qPrintable(why));
}

void TestArchive::refusedWhileAnotherProgramHasTheData() {
    ShopFixture shop(20);
    QString error;
    auto other = Database::open(shop.dataDir.path(), &error);
    QVERIFY2(other, qPrintable(error));
    QVERIFY(!shop.archive());
    const QList<RecordedNotice> notices = shop.ui.takeNotices();
    QVERIFY(!notices.isEmpty());
    QCOMPARE(notices[0].text,
             QStringLiteral("Pre túto operáciu je potrebný exkluzívny-výhradný prístup k databázam. "
                            "Všetci ostatní užívatelia musia ukončiť program."));
    // A database server also names who has the data open.
    if (notices.size() > 1)
        QCOMPARE(notices[1].title, QStringLiteral("Zoznam prihlásených užívateľov"));
    QVERIFY(notices.size() <= 2);
    QVERIFY(FilesIn(shop.archiveDir.path()).isEmpty());
    other.reset();
    QVERIFY(shop.archive()); // the system table works again after the refusal
    shop.ui.takeNotices();
}

void TestArchive::diskettesAreFolders() {
    ShopFixture shop(20);
    const DataText before = shop.data();
    QVERIFY(ArchiveData(*shop.app, ArchivePlace::DriveA, QString()));
    QCOMPARE(shop.ui.takeNoticeTexts(),
             (QStringList{"Vlož disketu do mechaniky A a stlač ENTER!", "Archivácia prebehla úspešne!"}));
    QVERIFY(QFileInfo::exists(shop.configDir.filePath("A/POCET.TXT")));
    shop.changeData();
    QVERIFY(RestoreData(*shop.app, ArchivePlace::DriveA, QString()));
    QCOMPARE(shop.ui.takeNoticeTexts(),
             (QStringList{"Vlož disketu do mechaniky A a stlač ENTER!", "Obnova prebehla úspešne!"}));
    QString why;
    QVERIFY2(SameData(shop.data(), before, &why), qPrintable(why));
}

VIDORAW_TEST(TestArchive)
#include "test_archive.moc"

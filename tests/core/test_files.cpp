#include "core/files.h"

#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace vidoraw;

namespace {
void Touch(const QString& dir, const QString& name, const QByteArray& content = "x") {
    QFile f(QDir(dir).filePath(name));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}
QStringList Names(const QString& dir) {
    return QDir(dir).entryList(QDir::Files, QDir::Name);
}
} // namespace

class TestFiles : public QObject {
    Q_OBJECT
private slots:
    void tableFilesIgnoreCase() {
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        const QString dir = tmp.path();
        for (const char* name : {"POMOC_DD.DB", "pomoc_dd.PX", "Pomoc_dd.X02", "POMOC_DD.mb",
                                 "POMOC_DDX.PX", "other.txt"})
            Touch(dir, name);
        const QString cwd = QDir::currentPath();

        QVERIFY(DeleteTableFiles(dir, "pomoc_dd"));
        QCOMPARE(Names(dir),
                 (QStringList{"POMOC_DD.DB", "POMOC_DD.mb", "POMOC_DDX.PX", "other.txt"}));

        QVERIFY(DeleteFilesLike(dir, "Pomoc_DD"));
        QCOMPARE(Names(dir), (QStringList{"POMOC_DDX.PX", "other.txt"}));
        QCOMPARE(QDir::currentPath(), cwd);
    }

    void deleteInMissingDirectory() {
        QTemporaryDir tmp;
        QVERIFY(!DeleteFilesLike(tmp.filePath("missing"), "A"));
    }

    void wildcardsAreTheOnlySpecialCharacters() {
        QTemporaryDir tmp;
        Touch(tmp.path(), "a[1].txt");
        Touch(tmp.path(), "a1.txt");
        Touch(tmp.path(), "a+b.txt");
        QCOMPARE(MatchingFiles(tmp.path(), "A[1].*"), QStringList{tmp.filePath("a[1].txt")});
        QCOMPARE(MatchingFiles(tmp.path(), "a+B.TXT"), QStringList{tmp.filePath("a+b.txt")});
        QCOMPARE(MatchingFiles(tmp.path(), "a?.txt").size(), 1);
    }

    void fileSize() {
        QTemporaryDir tmp;
        Touch(tmp.path(), "POCET.TXT", "12345");
        qint64 size = -1;
        QVERIFY(FileSizeOf(tmp.filePath("pocet.txt"), size));
        QCOMPARE(size, qint64(5));
        QVERIFY(FileSizeOf(tmp.filePath("*.txt"), size));
        QCOMPARE(size, qint64(5));
        QVERIFY(!FileSizeOf(tmp.filePath("list.txt"), size));
        QCOMPARE(size, qint64(0));
    }

    void runAndWait() {
        QTemporaryDir tmp;
        // Returning only after the end shows in the file being there at once.
        QVERIFY(RunAndWait("sh -c \"sleep 0.2; echo done > out.txt\"", tmp.path()));
        QVERIFY(QFile::exists(tmp.filePath("out.txt")));
        QVERIFY(RunAndWait("false")); // started, whatever its exit code
        QVERIFY(!RunAndWait(tmp.filePath("no-such-program")));
        QVERIFY(!RunAndWait("   "));
    }
};

VIDORAW_TEST(TestFiles)
#include "test_files.moc"

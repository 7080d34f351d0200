#include "dialogsfixture.h"
#include "framework/adrarch.h"
#include "testmain.h"

#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace vidoraw;
using namespace vidoraw::test;

class TestDirectory : public QObject {
    Q_OBJECT
private slots:
    void captionsByPurpose_data();
    void captionsByPurpose();
    void wrongDirectoryKeepsTheDialogOpen();
    void browseFillsTheField();
    void backAsksFirst();
};

void TestDirectory::captionsByPurpose_data() {
    QTest::addColumn<int>("purpose");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("label");
    QTest::newRow("archive") << 0 << "Adresár pre archiváciu údajov"
                             << "Adresár pre archiváciu údajov:";
    QTest::newRow("restore") << 1 << "Adresár pre obnovu údajov"
                             << "Adresár s archivovanými údajmi:";
    QTest::newRow("batch export") << 4 << "Adresár pre export dávok"
                                  << "Adresár, do ktorého exportujeme dávky:";
}

// Every purpose shows its texts and the one remembered directory, and remembers the choice.
void TestDirectory::captionsByPurpose() {
    QFETCH(int, purpose);
    QFETCH(QString, caption);
    QFETCH(QString, label);
    DialogsFixture f;
    QTemporaryDir target;
    IniFile(kMainSettingsFile).writeString("CESTY", "ADRARCH", "/nikde/");
    f.ui.queueDialog([&](QDialog& d) {
        auto& a = As<TfAdrarch>(d);
        QCOMPARE(d.windowTitle(), caption);
        QCOMPARE(a.lAdresar->text(), label);
        QCOMPARE(a.eAdresar->text(), QString("/nikde/"));
        a.eAdresar->setText(target.path() + "/");
        a.pressOk();
    });
    QString dir;
    QVERIFY(ChooseDirectory(f.app, purpose, dir));
    QCOMPARE(dir, target.path() + "/");
    QCOMPARE(IniFile(kMainSettingsFile).readString("CESTY", "ADRARCH"), dir);
    // The next use, of any purpose, starts there.
    f.ui.queueDialog([&](QDialog& d) {
        QCOMPARE(As<TfAdrarch>(d).eAdresar->text(), dir);
        As<TfAdrarch>(d).pressOk();
    });
    QVERIFY(ChooseDirectory(f.app, purpose == 0 ? 1 : 0, dir));
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestDirectory::wrongDirectoryKeepsTheDialogOpen() {
    DialogsFixture f;
    QTemporaryDir target;
    const QString file = target.filePath("subor.txt");
    QFile(file).open(QIODevice::WriteOnly);
    f.ui.queueDialog([&](QDialog& d) {
        auto& a = As<TfAdrarch>(d);
        // Leaving the field checks nothing before the first OK.
        TypeAndLeave(a.eAdresar, target.filePath("neexistuje"), a.bbVyber);
        QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
        a.pressOk();
        QVERIFY(d.isVisible());
        const QList<RecordedNotice> shown = f.ui.takeNotices();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].title, QString("CHyba"));
        QCOMPARE(shown[0].text, QString("Vami zadaný adresár je nesprávny!"));
        QCOMPARE(QApplication::focusWidget(), a.eAdresar);
        // The wrong text is remembered all the same.
        QCOMPARE(IniFile(kMainSettingsFile).readString("CESTY", "ADRARCH"),
                 target.filePath("neexistuje"));
        // A click on "..." does not check the field first: that is how it gets mended.
        f.ui.queueDialog([](QDialog& fd) { fd.reject(); });
        QTest::mouseClick(a.bbVyber, Qt::LeftButton);
        QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
        QCOMPARE(a.eAdresar->text(), target.filePath("neexistuje")); // chooser cancelled
        // From now on leaving the field checks it: a file is no directory.
        TypeAndLeave(a.eAdresar, file, a.bbVyber);
        QCOMPARE(f.ui.takeNoticeTexts(), QStringList{"Vami zadaný adresár je nesprávny!"});
        QCOMPARE(QApplication::focusWidget(), a.eAdresar);
        a.pressOk(); // still the file
        QCOMPARE(f.ui.takeNoticeTexts(), QStringList{"Vami zadaný adresár je nesprávny!"});
        TypeAndLeave(a.eAdresar, target.path(), a.bbVyber);
        QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
        QCOMPARE(QApplication::focusWidget(), a.bbVyber);
        a.pressOk();
    });
    QString dir;
    QVERIFY(ChooseDirectory(f.app, kDirArchive, dir));
    QCOMPARE(dir, target.path());
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestDirectory::browseFillsTheField() {
    DialogsFixture f;
    QTemporaryDir target;
    QDir(target.path()).mkdir("archiv");
    IniFile(kMainSettingsFile).writeString("CESTY", "ADRARCH", target.path() + "/");
    QString startedAt;
    f.ui.queueDialog([&](QDialog& d) {
        auto& a = As<TfAdrarch>(d);
        f.ui.queueDialog([&](QDialog& fd) {
            auto& chooser = static_cast<QFileDialog&>(fd);
            startedAt = chooser.directory().absolutePath();
            QCOMPARE(chooser.fileMode(), QFileDialog::Directory);
            chooser.setDirectory(target.filePath("archiv"));
            fd.accept(); // QFileDialog's own accept, through QDialog
        });
        a.bbVyber->click();
        QCOMPARE(a.eAdresar->text(), target.filePath("archiv") + "/");
        a.pressOk();
    });
    QString dir;
    QVERIFY(ChooseDirectory(f.app, kDirBatchExport, dir));
    QCOMPARE(startedAt, QDir(target.path()).absolutePath());
    QCOMPARE(dir, target.filePath("archiv") + "/");
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestDirectory::backAsksFirst() {
    DialogsFixture f;
    bool openAfterNo = false;
    f.ui.queueAnswer(0);
    f.ui.queueAnswer(1);
    f.ui.queueDialog([&](QDialog& d) {
        As<TfAdrarch>(d).pressBack();
        openAfterNo = d.isVisible();
        As<TfAdrarch>(d).bbSpat->click();
    });
    QString dir = "x";
    QVERIFY(!ChooseDirectory(f.app, kDirRestore, dir));
    QVERIFY(openAfterNo);
    QCOMPARE(dir, QString("x"));
    QCOMPARE(f.ui.questions.size(), 2);
    QVERIFY(f.ui.verifyNoSurprises());
}

VIDORAW_TEST(TestDirectory)
#include "test_directory.moc"

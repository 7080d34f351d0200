#include "maintenancefixture.h"
#include "testmain.h"

#include <QProcess>

using namespace vidoraw;
using namespace vidoraw::test;

// A restore killed at any step leaves the data as they were or as restored, never a mixture,
// and a later restore still completes.
class TestKilledRestore : public QObject {
    Q_OBJECT
private slots:
    void killedAtStep_data();
    void killedAtStep();
};

void TestKilledRestore::killedAtStep_data() {
    QTest::addColumn<QString>("step");
    QTest::addColumn<bool>("restored"); // the data expected afterwards are the archive's
    QTest::newRow("fetching volumes") << "fetch VIDORAW.A01" << false;
    QTest::newRow("checking tables") << "check POUKAZ.DB" << false;
    QTest::newRow("keeping the data aside") << "aside" << false;
    QTest::newRow("replacing tables") << "replace POUKAZ.DB" << false;
    QTest::newRow("replacing the last table") << "replace typks.db" << false;
    QTest::newRow("after the replacement") << "restored" << true;
}

void TestKilledRestore::killedAtStep() {
    QFETCH(QString, step);
    QFETCH(bool, restored);
    ShopFixture shop(200);
    const DataText original = shop.data();
    QVERIFY(shop.archive(QStringLiteral("100000k")));
    const qint64 total = QFileInfo(QDir(shop.archiveDir.path()).filePath("VIDORAW.ARJ")).size();
    shop.ui.queueAnswer(1);
    QVERIFY(shop.archive(QString::number(qint64(total * 0.4))));
    shop.ui.takeNotices();
    shop.changeData();
    const DataText changed = shop.data();
    shop.close();

    QProcess worker;
    worker.setProcessChannelMode(QProcess::MergedChannels);
    worker.start(RESTORE_WORKER,
                 {shop.dataDir.path(), shop.configDir.path(), shop.archiveDir.path()});
    QVERIFY(worker.waitForStarted());
    QStringList seen;
    bool reached = false;
    while (!reached && worker.state() != QProcess::NotRunning) {
        worker.waitForReadyRead(1000);
        while (worker.canReadLine()) {
            const QString line = QString::fromUtf8(worker.readLine()).trimmed();
            seen << line;
            if (line.compare(step, Qt::CaseInsensitive) == 0)
                reached = true;
        }
    }
    QVERIFY2(reached, qPrintable(seen.join('\n')));
    worker.kill();
    QVERIFY(worker.waitForFinished(10000));

    QVERIFY(shop.open());
    QString why;
    QVERIFY2(SameData(shop.data(), restored ? original : changed, &why), qPrintable(why));

    // The remains of the killed run are no obstacle.
    QVERIFY(shop.restore());
    QCOMPARE(shop.ui.takeNoticeTexts(), QStringList{"Obnova prebehla úspešne!"});
    QVERIFY2(SameData(shop.data(), original, &why), qPrintable(why));
}

VIDORAW_TEST(TestKilledRestore)
#include "test_killedrestore.moc"

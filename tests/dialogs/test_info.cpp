#include "dialogsfixture.h"
#include "framework/info.h"
#include "testmain.h"

#include <QLabel>

using namespace vidoraw;
using namespace vidoraw::test;

class TestInfo : public QObject {
    Q_OBJECT
private slots:
    void shownWithoutWaitingOneAtATime();
};

void TestInfo::shownWithoutWaitingOneAtATime() {
    DialogsFixture f;
    QWidget owner;
    owner.setGeometry(100, 100, 500, 400);
    owner.show();
    ShowInfo(f.app, "Prebieha reindexácia ...", &owner);
    QPointer<TfInfo> first = CurrentInfo(f.app);
    QVERIFY(first);
    QVERIFY(first->isVisible());
    QCOMPARE(first->windowTitle(), QString("Informácia"));
    QCOMPARE(first->lText->text(), QString("Prebieha reindexácia ..."));
    QVERIFY(first->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(!(first->windowFlags() & Qt::WindowCloseButtonHint));
    // Centred over the owner (give or take the window frame).
    QVERIFY((first->frameGeometry().center() - owner.frameGeometry().center()).manhattanLength() <=
            8);
    // Closing it from outside does nothing; a second message replaces the first.
    first->close();
    QVERIFY(first->isVisible());
    ShowInfo(f.app, "Druhá", &owner);
    QVERIFY(!first);
    QCOMPARE(CurrentInfo(f.app)->lText->text(), QString("Druhá"));
    HideInfo(f.app);
    QVERIFY(!CurrentInfo(f.app));
    HideInfo(f.app); // nothing shown: nothing to do
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
}

VIDORAW_TEST(TestInfo)
#include "test_info.moc"

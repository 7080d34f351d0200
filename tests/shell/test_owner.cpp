#include "codelists/codelists.h"
#include "shell/vlastnikd.h"
#include "shellfixture.h"
#include "testmain.h"

#include <QLineEdit>

using namespace vidoraw;
using namespace vidoraw::test;

class TestOwner : public QObject {
    Q_OBJECT
private slots:
    void checksInOrder_data();
    void checksInOrder();
};

void TestOwner::checksInOrder_data() {
    QTest::addColumn<QString>("ico");
    QTest::addColumn<QString>("dico");
    QTest::addColumn<QString>("payer");
    QTest::addColumn<QString>("message"); // empty: saved
    QTest::newRow("empty IČO") << "" << "" << "A" << "IČO nemôže byť prázdne!";
    QTest::newRow("IČO with a letter") << "1234A" << "" << "A" << "IČO môže obsahovať iba znaky 0-9!";
    QTest::newRow("duplicate IČO") << "99999999" << "" << "A" << "Duplicitná hodnota IČO je neprípustná!";
    QTest::newRow("DIČO with a dash") << "12345678" << "2020-1" << "A"
                                      << "DIČO môže obsahovať iba znaky 0-9 a znak / !";
    QTest::newRow("VAT payer other") << "12345678" << "2020/1" << "X" << "Prípustné hodnoty : A alebo N !";
    QTest::newRow("lower-case payer saved") << "12345678" << "2020/1" << "a" << "";
}

void TestOwner::checksInOrder() {
    QFETCH(QString, ico);
    QFETCH(QString, dico);
    QFETCH(QString, payer);
    QFETCH(QString, message);
    ShellFixture f;
    RegisterCodeListModules(f.app);
    // Another owner already has the IČO 99999999; the post office list knows 94901.
    auto* owners = dynamic_cast<TfVlastnikd*>(f.app.registry.module(24));
    QVERIFY(owners && owners->OpenTable());
    Table& t = owners->table();
    QVERIFY(t.append());
    t.field("KOD").setValue(2);
    t.field("ICO").setAsString("99999999");
    QVERIFY(t.post());
    auto* posts = dynamic_cast<TfDbForm*>(f.app.registry.module(5));
    QVERIFY(posts && posts->OpenTable());
    QVERIFY(posts->table().append());
    posts->table().field("PSC").setAsString("94901");
    posts->table().field("POSTA").setAsString("Nitra 1");
    posts->table().field("KOD").setValue(1.0);
    QVERIFY(posts->table().post());

    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfVlastnikd>(d);
        form.eIco->setText(ico);
        form.eDico->setText(dico);
        form.ePlatcaDan->setText(payer);
        form.ePsc->setText("94901");
        form.pressOk();
        if (!message.isEmpty())
            form.done(QDialog::Rejected);
    });
    QVERIFY(f.run("Systém/V&lastník ..."));
    if (message.isEmpty()) {
        QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
        QCOMPARE(OwnerField(f.app, "PLATCADAN"), QString("A"));
        QCOMPARE(OwnerField(f.app, "DODPOSTA"), QString("Nitra 1"));
        QCOMPARE(OwnerField(f.app, "ICO"), ico);
    } else {
        const QList<RecordedNotice> shown = f.ui.takeNotices();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].title, QString("Chyba"));
        QCOMPARE(shown[0].text, message);
        QCOMPARE(OwnerField(f.app, "ICO"), QString());
    }
}

VIDORAW_TEST(TestOwner)
#include "test_owner.moc"

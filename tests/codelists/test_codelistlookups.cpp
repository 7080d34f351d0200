#include "codelistsfixture.h"
#include "testmain.h"

#include <QPushButton>
#include <QTableView>

using namespace vidoraw;
using namespace vidoraw::test;

// Code look-ups with their pick lists, checks when a field is left, and the municipality key
// with its post office.
class TestCodeListLookups : public QObject {
    Q_OBJECT
private slots:
    void pickListClosedWithBackKeepsTheForm();
    void titleLookup_data();
    void titleLookup();
    void insertOrF7PicksFromTheList_data();
    void insertOrF7PicksFromTheList();
    void municipalityKeyAndPostOffice();
    void leavingAField_data();
    void leavingAField();
};

void TestCodeListLookups::pickListClosedWithBackKeepsTheForm() {
    CodeListsFixture f;
    f.seed();
    auto& m = f.module<TfOsobad>(20);
    Table& posts = f.app.registry.module(5)->table();
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfOsobad>(d);
        form.ePriezvisk->setText("Nováková");
        form.ePsc->setText("99999");
        form.eDodposta->setText("zostalo z minula");
        form.pressOk(); // not in the list: the pick list opens, Späť
        QVERIFY(form.isVisible());
        // (the closed pick list leaves no active window offscreen: ask the form)
        QCOMPARE(form.focusWidget(), form.ePsc);
        QCOMPARE(form.ePsc->text(), QString("99999"));
        QCOMPARE(form.eDodposta->text(), QString());
        form.pressOk(); // again, and this time a post office is picked
        QVERIFY(!form.isVisible());
    });
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        QCOMPARE(b.windowTitle(), QString("Zoznam dodávacích pôšt"));
        QVERIFY(b.button(TfBrowse::sVyber)->isEnabled());
        b.commandBack();
    });
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        QVERIFY(FindByKey(posts, "PSC", "04001"));
        b.syncGridToTable();
        QTest::keyClick(b.grid, Qt::Key_F7);
    });
    QCOMPARE(m.AddRecord(), 1);
    QVERIFY(FindByKey(m.table(), "PRIEZVISK", "Nováková"));
    QCOMPARE(m.table().field("PSC").asString(), QString("04001"));
    QCOMPARE(m.table().field("DODPOSTA").asString(), QString("Košice 1"));
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestCodeListLookups::titleLookup_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("pickList");
    QTest::newRow("empty") << "" << false;
    QTest::newRow("blank") << "   " << false;
    QTest::newRow("known") << "Ing." << false;
    QTest::newRow("unknown") << "Mudr." << true;
}

void TestCodeListLookups::titleLookup() {
    QFETCH(QString, title);
    QFETCH(bool, pickList);
    CodeListsFixture f;
    f.seed();
    auto& m = f.module<TfOsobad>(20);
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfOsobad>(d);
        QCOMPARE(QApplication::focusWidget(), form.eTitul);
        form.eTitul->setText(title);
        form.ePriezvisk->setText("Kováč");
        form.ePsc->setText("81101");
        form.pressOk();
        if (pickList) {
            QVERIFY(form.isVisible());
            QCOMPARE(form.focusWidget(), form.eTitul);
            QCOMPARE(form.eTitul->text(), title);
            f.ui.queueAnswer(1);
            form.pressBack();
        }
    });
    if (pickList)
        f.ui.queueDialog([](QDialog& d) { As<TfBrowse>(d).commandBack(); });
    QCOMPARE(m.AddRecord(), pickList ? 0 : 1);
    const QStringList expected = pickList ? QStringList{"Osoba", "Zoznam titulov"} : QStringList{"Osoba"};
    QCOMPARE(f.ui.dialogs, expected);
    if (!pickList) {
        QVERIFY(FindByKey(m.table(), "PRIEZVISK", "Kováč"));
        QCOMPARE(m.table().field("TITUL").asString(), title.trimmed());
        QCOMPARE(m.table().field("DODPOSTA").asString(), QString("Bratislava 1"));
    }
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestCodeListLookups::insertOrF7PicksFromTheList_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("F7") << int(Qt::Key_F7);
    QTest::newRow("Insert") << int(Qt::Key_Insert);
}

void TestCodeListLookups::insertOrF7PicksFromTheList() {
    QFETCH(int, key);
    CodeListsFixture f;
    f.seed();
    auto& m = f.module<TfObecd>(6);
    Table& districts = f.app.registry.module(7)->table();
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfObecd>(d);
        form.eNazov->setText("Kamenec");
        form.eOkres->setFocus();
        form.eOkres->setText("Nitr");
        QTest::keyClick(form.eOkres, Qt::Key(key));
        QCOMPARE(form.eOkres->text(), QString("Nitra"));
        form.ePsc->setFocus();
        QTest::keyClick(form.ePsc, Qt::Key(key));
        QCOMPARE(form.ePsc->text(), QString("04001"));
        QCOMPARE(form.ePosta->text(), QString("Košice 1"));
        form.pressOk();
        QVERIFY(!form.isVisible());
    });
    // The district list opens on the nearest name, the post offices where they stand.
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        QCOMPARE(b.windowTitle(), QString("Zoznam okresov"));
        QCOMPARE(districts.field("OKRES").asString(), QString("Nitra"));
        b.commandPick();
    });
    f.ui.queueDialog([&](QDialog& d) {
        Table& posts = f.app.registry.module(5)->table();
        QVERIFY(FindByKey(posts, "PSC", "04001"));
        As<TfBrowse>(d).commandPick();
    });
    QCOMPARE(m.AddRecord(), 1);
    QVERIFY(FindByKey(m.table(), "NAZOV", "Kamenec"));
    QCOMPARE(m.table().field("OKRES").asString(), QString("Nitra"));
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestCodeListLookups::municipalityKeyAndPostOffice() {
    CodeListsFixture f;
    f.seed();
    auto& m = f.module<TfObecd>(6);
    f.ui.queueDialog([](QDialog& d) {
        auto& form = As<TfObecd>(d);
        QVERIFY(form.ePosta->isReadOnly());
        form.eNazov->setText(" Košice ");
        form.ePsc->setText("04001");
        form.eOkres->setText("košice i"); // the list's spelling is taken over
        form.pressOk();
        QVERIFY(!form.isVisible());
        QCOMPARE(form.eOkres->text(), QString("Košice I"));
    });
    QCOMPARE(m.AddRecord(), 1);
    Table& t = m.table();
    QVERIFY(FindByKey(t, "NAZOV", "Košice"));
    const QString key = t.field("NAZOVPSC").asString();
    QCOMPARE(key, QString("Košice") + QString(29, ' ') + "04001");
    QCOMPARE(key.size(), 40);
    QVERIFY(FindByKey(t, "NAZOVPSC", key));
    QCOMPARE(t.field("Posta").asString(), QString("Košice 1"));

    // The post office is read from the post office list, never stored with the municipality.
    auto& psc = f.module<TfPscd>(5);
    QVERIFY(FindByKey(psc.table(), "PSC", "04001"));
    f.ui.queueDialog([](QDialog& d) {
        As<TfPscd>(d).ePosta->setText("Košice 01");
        As<TfPscd>(d).pressOk();
    });
    QCOMPARE(psc.EditRecord(), 1);
    t.refresh();
    QVERIFY(FindByKey(t, "NAZOV", "Košice"));
    QCOMPARE(t.field("Posta").asString(), QString("Košice 01"));

    // Editing shows the post office and rewrites the key with the new postal code.
    f.ui.queueDialog([](QDialog& d) {
        auto& form = As<TfObecd>(d);
        QCOMPARE(form.ePosta->text(), QString("Košice 01"));
        form.ePsc->setText("81101");
        form.pressOk();
        QVERIFY(!form.isVisible());
    });
    QCOMPARE(m.EditRecord(), 1);
    QVERIFY(FindByKey(t, "NAZOV", "Košice"));
    QCOMPARE(t.field("NAZOVPSC").asString(), MunicipalityKey("Košice", "81101"));
    QCOMPARE(t.field("Posta").asString(), QString("Bratislava 1"));
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestCodeListLookups::leavingAField_data() {
    QTest::addColumn<int>("module");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("focusStays");
    QTest::addColumn<int>("key"); // the key that leaves the field
    // Districts and municipalities keep the focus in a wrong field; the others only mark it.
    // The district is the last field: Enter would go to OK, Up goes to the code.
    QTest::newRow("district empty") << 7 << "OKRES" << "" << "Okres nesmie byť prázdny!" << true
                                    << int(Qt::Key_Up);
    QTest::newRow("municipality without name")
        << 6 << "NAZOV" << " " << "Názov obce nesmie byť prázdny." << true << int(Qt::Key_Return);
    QTest::newRow("postal code short") << 5 << "PSC" << "811"
                                       << "Poštové smerovacie číslo musí mať 5 číslic!" << false
                                       << int(Qt::Key_Return);
    QTest::newRow("state abbreviation taken") << 12 << "SKRATKA" << "sk"
                                              << "Duplicitná skratka štátu!" << false
                                              << int(Qt::Key_Down);
    QTest::newRow("district fine") << 7 << "OKRES" << "Nový okres" << "" << false
                                   << int(Qt::Key_Up);
}

void TestCodeListLookups::leavingAField() {
    QFETCH(int, module);
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, message);
    QFETCH(bool, focusStays);
    QFETCH(int, key);
    CodeListsFixture f;
    auto* m = dynamic_cast<TfDbForm*>(f.app.registry.module(module));
    QVERIFY(m && m->OpenTable());
    f.ui.queueAnswer(1);
    f.ui.queueDialog([&](QDialog& d) {
        TfDbForm& form = Form(d);
        QLineEdit* e = Edit(form, field);
        QCOMPARE(QApplication::focusWidget(), e);
        e->setText(value);
        QTest::keyClick(e, Qt::Key(key));
        QCOMPARE(QApplication::focusWidget() == e, focusStays);
        const QColor expected = message.isEmpty() ? f.app.colours.normal : f.app.colours.incorrect;
        QCOMPARE(e->palette().color(QPalette::Base), expected);
        // Only the field that has the focus looks current.
        for (QLineEdit* other : form.findChildren<QLineEdit*>())
            if (other != e && other != QApplication::focusWidget())
                QVERIFY2(other->palette().color(QPalette::Base) != f.app.colours.current,
                         qPrintable(other->text()));
        // Leaving for Späť checks nothing.
        QTest::mouseClick(form.bbSpat, Qt::LeftButton);
        QVERIFY(!form.isVisible());
    });
    m->AddRecord();
    QCOMPARE(f.ui.takeNoticeTexts(), message.isEmpty() ? QStringList() : QStringList{message});
    QVERIFY(f.ui.verifyNoSurprises());
}

VIDORAW_TEST(TestCodeListLookups)
#include "test_codelistlookups.moc"

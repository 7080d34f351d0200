#include "framework/orderdialogs.h"
#include "framework/stringsearch.h"
#include "framework/tablemodel.h"
#include "frameworkfixture.h"
#include "testmain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QTableView>
#include <QTest>

using namespace vidoraw;
using namespace vidoraw::test;

class TestSearches : public QObject {
    Q_OBJECT
private slots:
    void textInAnyColumn_data();
    void textInAnyColumn();
    void emptyTextRefused();
    void searchByOrderChecksItsFields_data();
    void searchByOrderChecksItsFields();
    void orderDialogAppliesTheChoice();
};

void TestSearches::textInAnyColumn_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ignoreCase");
    QTest::addColumn<bool>("ignoreDiacritics");
    QTest::addColumn<QString>("found"); // the name of the record found, empty: none
    QTest::newRow("exact") << "ruš" << false << false << "Hruška";
    QTest::newRow("case matters") << "HRUŠ" << false << false << "";
    QTest::newRow("case ignored") << "HRUŠ" << true << false << "Hruška";
    QTest::newRow("diacritics ignored") << "ceresna" << true << true << "Čerešňa";
    QTest::newRow("in another column") << "4,75" << false << false << "Čerešňa";
}

void TestSearches::textInAnyColumn() {
    QFETCH(QString, text);
    QFETCH(bool, ignoreCase);
    QFETCH(bool, ignoreDiacritics);
    QFETCH(QString, found);
    FrameworkFixture f;
    TfOvocied& m = f.fruit();
    QString at;
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        f.ui.queueDialog([&](QDialog& s) {
            auto& search = As<TfHladajRetazec>(s);
            search.eRetazec->setText(text);
            search.cbMaleVelke->setChecked(ignoreCase);
            search.cbDiakritika->setChecked(ignoreDiacritics);
            search.pressOk();
        });
        b.commandFindText();
        at = m.table().field("NAZOV").asString();
        b.commandBack();
    });
    TfBrowse browser(f.app);
    browser.Browse(kFruit, TfBrowse::DefaultButtons(), false);
    if (found.isEmpty()) {
        const QList<RecordedNotice> shown = f.ui.takeNotices();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].title, QString("Oznnam"));
        QCOMPARE(shown[0].text, QString(" Ďalší výskyt neexistuje. "));
        QCOMPARE(at, QString("Jablko")); // back where it started
    } else {
        QCOMPARE(at, found);
        QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
    }
    // The choices are kept for the next search.
    IniFile ini("HLADANIE.INI");
    QCOMPARE(ini.readString("HLADANIE", "RETAZEC"), text);
    QCOMPARE(ini.readBool("HLADANIE", "MALEVELKE"), ignoreCase);
}

void TestSearches::emptyTextRefused() {
    FrameworkFixture f;
    TfHladajRetazec search(f.app);
    QCOMPARE(search.eRetazec->text(), QString("ret")); // the default of a fresh settings file
    search.eRetazec->clear();
    search.show();
    search.pressOk();
    QVERIFY(search.isVisible());
    const QList<RecordedNotice> shown = f.ui.takeNotices();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text, QString(" Hľadaný reťazec nesmie byť prázdny. "));
}

void TestSearches::searchByOrderChecksItsFields_data() {
    QTest::addColumn<int>("order");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message"); // empty: accepted
    QTest::addColumn<QString>("found");
    QTest::newRow("text") << 1 << "hr" << "" << "Hruška";
    QTest::newRow("decimal with point") << 2 << "4.5" << "" << "Čerešňa";
    QTest::newRow("bad decimal") << 2 << "4,5,1" << " Nesprávne desatinné číslo! " << "";
    QTest::newRow("bad integer") << 0 << "dva" << " Nesprávne celé číslo! " << "";
}

void TestSearches::searchByOrderChecksItsFields() {
    QFETCH(int, order);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(QString, found);
    FrameworkFixture f;
    TfOvocied& m = f.fruit();
    QString at;
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        b.cbIndex->setCurrentIndex(order);
        b.selectOrder(order);
        f.ui.queueDialog([&](QDialog& s) {
            auto& search = As<TfHladanie>(s);
            QCOMPARE(search.boxes.size(), 1);
            search.boxes[0]->setText(typed);
            search.pressOk();
            if (!message.isEmpty()) {
                QVERIFY(search.isVisible());
                search.pressBack();
            }
        });
        b.commandSearch();
        at = m.table().field("NAZOV").asString();
        b.commandBack();
    });
    TfBrowse browser(f.app);
    browser.Browse(kFruit, TfBrowse::DefaultButtons(), false);
    if (message.isEmpty()) {
        QCOMPARE(at, found);
    } else {
        const QList<RecordedNotice> shown = f.ui.takeNotices();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, message);
    }
}

void TestSearches::orderDialogAppliesTheChoice() {
    FrameworkFixture f;
    TfOvocied& m = f.fruit();
    QStringList walked;
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        f.ui.queueDialog([](QDialog& s) {
            auto& choice = As<TfVolbaIndexu>(s);
            QCOMPARE(choice.chosen(), 0);
            choice.choose(1);
            choice.pressOk();
        });
        b.commandIndex();
        QCOMPARE(b.cbIndex->currentIndex(), 1);
        walked = Walkthrough(m.table());
        b.commandBack();
    });
    TfBrowse browser(f.app);
    browser.Browse(kFruit, TfBrowse::DefaultButtons(), false);
    QCOMPARE(walked, QStringList({"Čerešňa", "Hruška", "Jablko"}));
}

VIDORAW_TEST(TestSearches)
#include "test_searches.moc"

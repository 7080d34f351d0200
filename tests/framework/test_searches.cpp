#include "framework/orderdialogs.h"
#include "framework/stringsearch.h"
#include "framework/tablemodel.h"
#include "frameworkfixture.h"
#include "testmain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace vidoraw;
using namespace vidoraw::test;

class TestSearches : public QObject {
    Q_OBJECT
private slots:
    void textInAnyColumn_data();
    void textInAnyColumn();
    void textSearchFollowsTheScreenOrder_data();
    void textSearchFollowsTheScreenOrder();
    void emptyTextRefused();
    void searchByOrderChecksItsFields_data();
    void searchByOrderChecksItsFields();
    void orderDialogAppliesTheChoice();
    void orderDialogFromTheKeyboard_data();
    void orderDialogFromTheKeyboard();
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

void TestSearches::textSearchFollowsTheScreenOrder_data() {
    QTest::addColumn<QStringList>("screen"); // the columns left to right
    QTest::addColumn<QString>("from");       // the selected column on the first row
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("foundIn"); // the column of the cell found, empty: none
    QTest::addColumn<int>("foundRow");
    QTest::newRow("right of the selected one on screen")
        << QStringList{"NAZOV", "KOD", "CENA"} << "NAZOV" << "1" << "KOD" << 0;
    QTest::newRow("a column left of it on screen waits for the next row")
        << QStringList{"NAZOV", "KOD", "CENA"} << "KOD" << "Jablko" << "" << -1;
    QTest::newRow("next rows from the leftmost column on screen")
        << QStringList{"CENA", "NAZOV", "KOD"} << "KOD" << "2" << "CENA" << 1;
}

void TestSearches::textSearchFollowsTheScreenOrder() {
    QFETCH(QStringList, screen);
    QFETCH(QString, from);
    QFETCH(QString, text);
    QFETCH(QString, foundIn);
    QFETCH(int, foundRow);
    FrameworkFixture f;
    f.fruit();
    QString column;
    int row = -2;
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        QHeaderView* header = b.grid->horizontalHeader();
        for (int i = 0; i < screen.size(); ++i)
            header->moveSection(header->visualIndex(b.model->columnOf(screen[i])), i);
        b.grid->setCurrentIndex(b.model->index(0, b.model->columnOf(from)));
        f.ui.queueDialog([&](QDialog& s) {
            As<TfHladajRetazec>(s).eRetazec->setText(text);
            As<TfHladajRetazec>(s).pressOk();
        });
        b.commandFindText();
        column = b.model->fieldAt(b.grid->currentIndex().column());
        row = b.grid->currentIndex().row();
        b.commandBack();
    });
    TfBrowse browser(f.app);
    browser.Browse(kFruit, TfBrowse::DefaultButtons(), false);
    if (foundIn.isEmpty()) {
        QCOMPARE(f.ui.takeNoticeTexts(), QStringList{" Ďalší výskyt neexistuje. "});
        QCOMPARE(column, from);
        QCOMPARE(row, 0);
    } else {
        QCOMPARE(f.ui.pendingNotices(), 0);
        QCOMPARE(column, foundIn);
        QCOMPARE(row, foundRow);
    }
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

void TestSearches::orderDialogFromTheKeyboard_data() {
    QTest::addColumn<QList<int>>("keys"); // on whatever has the focus in the dialog
    QTest::addColumn<QString>("focusOn"); // "order", "ok" or "back" before the last key
    QTest::addColumn<int>("entry");       // the order of the list afterwards
    QTest::newRow("down, Enter on the order") << QList<int>{Qt::Key_Down, Qt::Key_Return}
                                             << "order" << 1;
    QTest::newRow("two down, Enter") << QList<int>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Return}
                                     << "order" << 2;
    QTest::newRow("Enter of the number pad") << QList<int>{Qt::Key_Down, Qt::Key_Enter}
                                             << "order" << 1;
    QTest::newRow("Enter on OK") << QList<int>{Qt::Key_Down, Qt::Key_Return} << "ok" << 1;
    QTest::newRow("Enter on Späť") << QList<int>{Qt::Key_Down, Qt::Key_Return} << "back" << 0;
    QTest::newRow("Escape") << QList<int>{Qt::Key_Down, Qt::Key_Escape} << "order" << 0;
}

void TestSearches::orderDialogFromTheKeyboard() {
    QFETCH(QList<int>, keys);
    QFETCH(QString, focusOn);
    QFETCH(int, entry);
    FrameworkFixture f;
    TfOvocied& m = f.fruit();
    int chosen = -1;
    QStringList walked;
    bool closed = false;
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        f.ui.queueDialog([&](QDialog& s) {
            auto& choice = As<TfVolbaIndexu>(s);
            s.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&s));
            for (int i = 0; i < keys.size(); ++i) {
                if (i == keys.size() - 1 && focusOn != "order")
                    (focusOn == "ok" ? choice.bbOk : choice.bbSpat)->setFocus();
                const Qt::KeyboardModifiers mods =
                    keys[i] == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
                QTest::keyClick(QApplication::focusWidget(), Qt::Key(keys[i]), mods);
            }
            closed = !s.isVisible();
        });
        QTest::keyClick(b.grid, Qt::Key_F3);
        chosen = b.cbIndex->currentIndex();
        walked = Walkthrough(m.table());
        b.commandBack();
    });
    TfBrowse browser(f.app);
    browser.Browse(kFruit, TfBrowse::DefaultButtons(), false);
    QVERIFY(closed); // Enter and Escape close the dialog wherever the focus is
    QCOMPARE(chosen, entry);
    QCOMPARE(walked, entry == 1 ? QStringList({"Čerešňa", "Hruška", "Jablko"})
                                : QStringList({"Jablko", "Hruška", "Čerešňa"}));
}

VIDORAW_TEST(TestSearches)
#include "test_searches.moc"

#include "frameworkfixture.h"
#include "framework/tablemodel.h"
#include "reports/format/reportformat.h"
#include "testmain.h"

#include <QComboBox>
#include <QFileInfo>
#include <QMenu>
#include <QTimer>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace vidoraw;
using namespace vidoraw::test;

namespace {
QStringList Enabled(TfBrowse& b) {
    QStringList out;
    for (QPushButton* p : b.buttons)
        if (p->isEnabled())
            out << p->text();
    return out;
}
} // namespace

class TestBrowse : public QObject {
    Q_OBJECT
private slots:
    void buttonsFollowTheTable();
    void incrementalSearchByFieldType_data();
    void incrementalSearchByFieldType();
    void typingIntoAMultiFieldOrderStays();
    void typedTextOutsideCodePage1250Refused();
    void pickListBackAnswersFalse();
    void pickListPicks();
    void lookupFindsThroughAFilter();
    void deleteAllAsksTwiceAndCounts_data();
    void deleteAllAsksTwiceAndCounts();
    void printListWritesTheReport();
    void sortOrderRemembered();
    void savedRecordBecomesCurrent_data();
    void savedRecordBecomesCurrent();
    void popupFromTheKeyboard_data();
    void popupFromTheKeyboard();
};

void TestBrowse::buttonsFollowTheTable() {
    FrameworkFixture f;
    TfOvocied& m = f.fruit();
    QVERIFY(f.db->emptyTable(m.table().tableName(), nullptr));
    QStringList empty, full;
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        empty = Enabled(b);
        f.ui.queueDialog([](QDialog& form) {
            auto& fr = As<TfOvocied>(form);
            fr.eNazov->setText("Kiwi");
            fr.eCena->setText("1");
            fr.pressOk();
        });
        QTest::keyClick(b.grid, Qt::Key_F2);
        full = Enabled(b);
        QCOMPARE(b.model->rowCount(), 1);
        QTest::keyClick(b.grid, Qt::Key_Escape);
    });
    TfBrowse browser(f.app);
    QVERIFY(!browser.Browse(kFruit, TfBrowse::DefaultButtons(), false));
    QCOMPARE(empty, QStringList({"Pridaj", "Späť", "Pomoc", "Iné"}));
    QCOMPARE(full, QStringList({"Pridaj", "Kópia", "Zmaž", "Oprav", "Index", "Hľadaj", "Ukáž",
                                "Tlač", "Späť", "Pomoc", "Iné"}));
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestBrowse::incrementalSearchByFieldType_data() {
    QTest::addColumn<int>("order"); // entry of the sort-order box
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected"); // name of the record it stands on
    QTest::addColumn<bool>("beeps");
    QTest::newRow("text") << 1 << "hr" << "Hruška" << false;
    QTest::newRow("text, č after c") << 1 << "Č" << "Čerešňa" << false;
    QTest::newRow("decimal") << 2 << "2,1" << "Čerešňa" << false;
    QTest::newRow("bad decimal stays") << 2 << "2x" << "Jablko" << true;
    QTest::newRow("integer") << 0 << "2" << "Hruška" << false;
    QTest::newRow("bad integer stays") << 0 << "-2" << "Jablko" << true;
}

void TestBrowse::incrementalSearchByFieldType() {
    QFETCH(int, order);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QFETCH(bool, beeps);
    Q_UNUSED(beeps);
    FrameworkFixture f;
    TfOvocied& m = f.fruit();
    QString at;
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        b.cbIndex->setCurrentIndex(order);
        b.selectOrder(order);
        QVERIFY(FindByKey(m.table(), "NAZOV", "Jablko"));
        b.incrementalSearch(typed);
        at = m.table().field("NAZOV").asString();
        QCOMPARE(b.grid->currentIndex().row(), m.table().recNo());
        b.commandBack();
    });
    TfBrowse browser(f.app);
    browser.Browse(kFruit, TfBrowse::DefaultButtons(), false);
    QCOMPARE(at, expected);
}

void TestBrowse::typingIntoAMultiFieldOrderStays() {
    FrameworkFixture f;
    TfOvocied& m = f.fruit();
    IndexDefs indexes = TfOvocied::Schema().indexes;
    indexes << IndexDef::Secondary("NazovCena", {"NAZOV", "CENA"}, true);
    QVERIFY(f.db->redefineIndexes(m.table().tableName(), indexes, nullptr));
    m.list.orderFields << "NAZOV;CENA";
    m.list.orderTitles << "Názov a cena";
    int before = -1, after = -1;
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        b.cbIndex->setCurrentIndex(3);
        b.selectOrder(3);
        QVERIFY(!b.eHladanie->isEnabled());
        b.grid->setCurrentIndex(b.model->index(0, 0));
        before = b.grid->currentIndex().row();
        // "1" starts the code of the last row, "j" its name.
        for (char c : {'1', 'j', 'J'})
            QTest::keyClick(b.grid, c);
        after = b.grid->currentIndex().row();
        b.commandBack();
    });
    TfBrowse browser(f.app);
    browser.Browse(kFruit, TfBrowse::DefaultButtons(), false);
    QCOMPARE(before, 0);
    QCOMPARE(after, 0);
}

void TestBrowse::typedTextOutsideCodePage1250Refused() {
    FrameworkFixture f;
    f.fruit();
    QString box;
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        b.cbIndex->setCurrentIndex(1);
        b.selectOrder(1);
        for (QString c : {"H", "ы", "r"})
            QTest::sendKeyEvent(QTest::Click, b.eHladanie, Qt::Key_unknown, c, Qt::NoModifier);
        box = b.eHladanie->text();
        b.commandBack();
    });
    TfBrowse browser(f.app);
    browser.Browse(kFruit, TfBrowse::DefaultButtons(), false);
    QCOMPARE(box, QString("Hr"));
}

void TestBrowse::pickListBackAnswersFalse() {
    FrameworkFixture f;
    f.fruit();
    QLineEdit key, name;
    key.setText("Neexistuje");
    f.ui.queueDialog([](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        QVERIFY(b.button(TfBrowse::sVyber)->isEnabled());
        QTest::keyClick(b.grid, Qt::Key_Escape);
    });
    QVERIFY(!LookupOrPick(f.app, kFruit, "NAZOV", "CENA", PickMode::LookUp, &name, &key));
    QCOMPARE(key.text(), QString("Neexistuje"));
    QCOMPARE(name.text(), QString());
    // A key that exists needs no list.
    key.setText("hruška");
    QVERIFY(LookupOrPick(f.app, kFruit, "NAZOV", "CENA", PickMode::LookUp, &name, &key));
    QCOMPARE(name.text(), QString("2"));
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestBrowse::pickListPicks() {
    FrameworkFixture f;
    f.fruit();
    QLineEdit key, name;
    key.setText("Hr");
    f.ui.queueDialog([](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        // Mode 3: the record commands are off in the pick list.
        QVERIFY(!b.button(TfBrowse::sPridaj)->isEnabled());
        QVERIFY(!b.button(TfBrowse::sUkaz)->isEnabled());
        QTest::keyClick(b.grid, Qt::Key_Return);
    });
    QVERIFY(LookupOrPick(f.app, kFruit, "NAZOV", "KOD", PickMode::PickReadOnly, &name, &key));
    QCOMPARE(key.text(), QString("Hruška")); // placed on the nearest key and picked
    QCOMPARE(name.text(), QString("2"));
}

void TestBrowse::lookupFindsThroughAFilter() {
    FrameworkFixture f;
    TfOvocied& m = f.fruit();
    QVERIFY(m.table().setFilterText("KOD = 1"));
    m.table().setFiltered(true);
    QLineEdit key, name;
    key.setText("Čerešňa");
    QVERIFY(LookupOrPick(f.app, kFruit, "NAZOV", "CENA", PickMode::LookUp, &name, &key));
    QCOMPARE(name.text(), QString("4,75"));
    QVERIFY(m.table().isFiltered());
    QCOMPARE(m.table().recordCount(), 1);
}

void TestBrowse::deleteAllAsksTwiceAndCounts_data() {
    QTest::addColumn<int>("answer"); // to the question on the current record
    QTest::addColumn<int>("left");   // records the deletion of all finds
    QTest::newRow("current record deleted first") << 1 << 2;
    QTest::newRow("current record kept") << 0 << 3;
}

void TestBrowse::deleteAllAsksTwiceAndCounts() {
    QFETCH(int, answer);
    QFETCH(int, left);
    FrameworkFixture f;
    TfOvocied& m = f.fruit();
    // Alt+F8 is F8 first: the current record, then all of them.
    f.ui.queueAnswer(answer);
    f.ui.queueAnswer(1);
    f.ui.queueAnswer(1);
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        f.ui.queueDialog([](QDialog& form) { QTRY_VERIFY(!form.isVisible()); });
        QTest::keyClick(b.grid, Qt::Key_F8, Qt::AltModifier);
        b.commandBack();
    });
    TfBrowse browser(f.app);
    browser.Browse(kFruit, TfBrowse::DefaultButtons(), false);
    const QString n = QString::number(left);
    QCOMPARE(f.ui.questions,
             QStringList({"Mám naozaj zmazať tento záznam ?",
                          "Mám naozaj vymazať všetky záznamy(" + n + ")?",
                          "Ste si naozaj istí, že mám vymazať všetky záznamy(" + n + ")?"}));
    const QList<RecordedNotice> shown = f.ui.takeNotices();
    QCOMPARE(shown.last().text,
             "Mazanie záznamov je ukončené, vymazali sme: " + n + " záznamov!");
    QVERIFY(IsTableEmpty(m.table()));
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestBrowse::printListWritesTheReport() {
    FrameworkFixture f;
    TfOvocied& m = f.fruit();
    const QString file = f.configDir.filePath("zost1.zst");
    f.app.reports.setReportFileName(file);
    f.app.reports.setViewerProgram(QCoreApplication::applicationFilePath()); // any program will do
    QStringList launched;
    f.app.reports.setLauncher([&](const QString&, const QStringList& args) {
        launched = args;
        return true;
    });
    QVERIFY(m.table().setFilterText("KOD > 1"));
    m.table().setFiltered(true);
    f.ui.queueOutputDevice(0);
    TfBrowse browser(f.app);
    QVERIFY(m.PrintList(&browser, "Len drahšie"));
    QCOMPARE(launched, QStringList({QFileInfo(file).absoluteFilePath()}));
    ReportDocument doc;
    QVERIFY(LoadReport(file, doc));
    QStringList texts;
    for (const ReportObject& o : doc.pages[0].objects)
        if (o.kind == kBoxText)
            texts << o.text;
    QVERIFY(texts.contains("Zoznam ovocia"));
    QVERIFY(texts.contains("Len drahšie"));
    QVERIFY(texts.contains("Hruška"));
    QVERIFY(!texts.contains("Jablko")); // filtered out
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestBrowse::sortOrderRemembered() {
    FrameworkFixture f;
    f.fruit();
    f.ui.queueDialog([](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        b.cbIndex->setCurrentIndex(1);
        b.selectOrder(1);
        b.commandBack();
    });
    int entry = -1;
    f.ui.queueDialog([&](QDialog& d) {
        entry = As<TfBrowse>(d).cbIndex->currentIndex();
        As<TfBrowse>(d).commandBack();
    });
    TfBrowse browser(f.app);
    browser.Browse(kFruit, TfBrowse::DefaultButtons(), false);
    browser.Browse(kFruit, TfBrowse::DefaultButtons(), false);
    QCOMPARE(entry, 1);
    QCOMPARE(IniFile("VIDORAW.INI").readInteger("POLOHA", "INDEX7"), 1);
}

void TestBrowse::savedRecordBecomesCurrent_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("row"); // in the name order, from Čerešňa, Hruška, Jablko
    QTest::newRow("added") << int(Qt::Key_F2) << "Banán" << 0;
    QTest::newRow("copied") << int(Qt::Key_F12) << "Figa" << 1;
    QTest::newRow("edited, moved by its key") << int(Qt::Key_F6) << "Zeler" << 2;
}

// After a save the list stands on the record just saved, wherever the order put it.
void TestBrowse::savedRecordBecomesCurrent() {
    QFETCH(int, key);
    QFETCH(QString, name);
    QFETCH(int, row);
    FrameworkFixture f;
    TfOvocied& m = f.fruit();
    QString current;
    int gridRow = -1;
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        b.cbIndex->setCurrentIndex(1);
        b.selectOrder(1);
        b.grid->setCurrentIndex(b.model->index(1, 0)); // Hruška
        f.ui.queueDialog([&](QDialog& form) {
            auto& fr = As<TfOvocied>(form);
            fr.eNazov->setText(name);
            fr.eCena->setText("1");
            fr.pressOk();
        });
        QTest::keyClick(b.grid, Qt::Key(key));
        gridRow = b.grid->currentIndex().row();
        current = m.table().field("NAZOV").asString();
        b.commandBack();
    });
    TfBrowse browser(f.app);
    browser.Browse(kFruit, TfBrowse::DefaultButtons(), false);
    QCOMPARE(current, name);
    QCOMPARE(gridRow, row);
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestBrowse::popupFromTheKeyboard_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Menu key") << int(Qt::Key_Menu) << int(Qt::NoModifier);
    QTest::newRow("Shift+F10") << int(Qt::Key_F10) << int(Qt::ShiftModifier);
}

// A list without the Filter button (the vouchers list) reaches its filter commands only
// through the middle mouse button; from the keyboard they come as a submenu of the popup.
void TestBrowse::popupFromTheKeyboard() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    FrameworkFixture f;
    f.fruit();
    QStringList items, filterItems;
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        QVERIFY(!b.button(TfBrowse::sFilter)->isEnabled());
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            for (QAction* a : menu->actions()) {
                if (a->isSeparator())
                    continue;
                items << a->text();
                if (a->menu())
                    for (QAction* sub : a->menu()->actions())
                        if (!sub->isSeparator())
                            filterItems << sub->text();
            }
            menu->close();
        });
        QTest::keyClick(b.grid, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        b.commandBack();
    });
    TfBrowse browser(f.app);
    browser.Browse(kFruit, TfBrowse::DefaultButtons(), false);
    QCOMPARE(items, QStringList({"&Hľadaj", "&Nastav pohľad", "&Počet záznamov", "&Export pre Excel",
                                 "&Import z Excelu", "Hromadné &dosadenie", "&Obnov", "&Filter"}));
    QCOMPARE(filterItems, QStringList({"&Výber z existujúcich", "&Nový filter", "&Zruš filter",
                                       "&Filtrovací reťazec"}));
    QVERIFY(f.ui.verifyNoSurprises()); // Shift+F10 does not print
}

VIDORAW_TEST(TestBrowse)
#include "test_browse.moc"

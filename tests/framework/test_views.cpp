#include "framework/tablemodel.h"
#include "frameworkfixture.h"
#include "testmain.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>
#include <QTableView>
#include <QTableWidget>

using namespace vidoraw;
using namespace vidoraw::test;

namespace {

// Stores view records of the fruit list directly: field, title, width, shown, alignment.
void StoreView(FrameworkFixture& f, const QList<QStringList>& rows) {
    auto* views = static_cast<TfPohladd*>(f.app.registry.module(module::kPohlad));
    QVERIFY(views->OpenTable());
    Table& t = views->table();
    int code = int(LastValue(t, "KOD", "KOD"));
    for (const QStringList& r : rows) {
        QVERIFY(t.append());
        t.field("KOD").setValue(double(++code));
        t.field("UZIV").setAsString("OBECNY");
        t.field("TAB").setAsString("OKRES");
        t.field("POLE").setAsString(r[0]);
        t.field("POPIS").setAsString(r[1]);
        t.field("SIR").setAsString(r[2]);
        t.field("ZOBRAZ").setAsString(r[3]);
        t.field("ZAROVNAJ").setAsString(r[4]);
        QVERIFY(t.post());
    }
}

// POPIS, SIR, ZOBRAZ and ZAROVNAJ of the fruit list's view record for a field.
QStringList ViewRecord(FrameworkFixture& f, const QString& field) {
    auto* views = static_cast<TfPohladd*>(f.app.registry.module(module::kPohlad));
    QStringList values;
    // Not found answers an empty list, which is what the callers compare with.
    (void)LookupFieldsIn(views->table(), "UZIV;TAB;POLE", {"OBECNY", "OKRES", field},
                         {"POPIS", "SIR", "ZOBRAZ", "ZAROVNAJ"}, values);
    return values;
}

QStringList VisualOrder(QTableView& grid, TableModel& model) {
    QStringList out;
    for (int v = 0; v < model.columnCount(); ++v)
        out << model.fieldAt(grid.horizontalHeader()->logicalIndex(v));
    return out;
}

} // namespace

class TestViews : public QObject {
    Q_OBJECT
private slots:
    void applyMovesHidesAndTitles();
    void savedWhenAColumnWasResized();
    void hiddenColumnKeepsItsWidth();
    void editorFromTheKeyboard();
    void editorLooks();
    void cellTexts_data();
    void cellTexts();
    void editorChecks_data();
    void editorChecks();
};

void TestViews::applyMovesHidesAndTitles() {
    FrameworkFixture f;
    f.fruit();
    // The second record names a field the list does not have: the third still goes to 2.
    StoreView(f, {{"NAZOV", "Ovocie", "150", "A", "2"},
                  {"CHYBA", "Nič", "10", "A", "0"},
                  {"KOD", "Číslo", "40", "N", "0"}});
    QStringList order;
    bool kodHidden = false;
    QString title;
    int width = 0;
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        order = VisualOrder(*b.grid, *b.model);
        kodHidden = b.grid->isColumnHidden(b.model->columnOf("KOD"));
        title = b.model->headerData(b.model->columnOf("NAZOV"), Qt::Horizontal, Qt::DisplayRole).toString();
        width = b.grid->columnWidth(b.model->columnOf("NAZOV"));
        QCOMPARE(b.model->alignment(b.model->columnOf("NAZOV")) & Qt::AlignHorizontal_Mask,
                 Qt::AlignHCenter);
        b.commandBack();
    });
    TfBrowse browser(f.app);
    browser.Browse(kFruit, TfBrowse::DefaultButtons(), false);
    QCOMPARE(order, QStringList({"NAZOV", "CENA", "KOD"}));
    QVERIFY(kodHidden);
    QCOMPARE(title, QString("Ovocie"));
    QCOMPARE(width, 150);
}

void TestViews::savedWhenAColumnWasResized() {
    FrameworkFixture f;
    f.fruit();
    f.ui.queueDialog([](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        b.grid->setColumnWidth(b.model->columnOf("CENA"), 77);
        b.commandBack();
    });
    int width = 0;
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        width = b.grid->columnWidth(b.model->columnOf("CENA"));
        b.commandBack();
    });
    TfBrowse browser(f.app);
    browser.Browse(kFruit, TfBrowse::DefaultButtons(), false);
    browser.Browse(kFruit, TfBrowse::DefaultButtons(), false);
    QCOMPARE(width, 77);
    auto* views = static_cast<TfPohladd*>(f.app.registry.module(module::kPohlad));
    QCOMPARE(CountEqual(views->table(), "TAB", "OKRES"), 3);
}

void TestViews::hiddenColumnKeepsItsWidth() {
    FrameworkFixture f;
    f.fruit();
    StoreView(f, {{"KOD", "Kód", "40", "N", "0"}, {"NAZOV", "Názov", "150", "A", "0"}});
    f.ui.queueDialog([](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        b.grid->setColumnWidth(b.model->columnOf("NAZOV"), 120); // saved on closing
        b.commandBack();
    });
    TfBrowse browser(f.app);
    browser.Browse(kFruit, TfBrowse::DefaultButtons(), false);
    QCOMPARE(ViewRecord(f, "KOD"), QStringList({"Kód", "40", "N", "0"}));
    QCOMPARE(ViewRecord(f, "NAZOV").value(1), QString("120"));
}

void TestViews::editorFromTheKeyboard() {
    FrameworkFixture f;
    f.fruit();
    auto press = [](QDialog& d, Qt::Key key, const QString& text = QString()) {
        QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget() ? QApplication::focusWidget()
                                                                      : d.focusWidget(),
                            key, text, Qt::NoModifier);
    };
    QStringList cells, shown;
    f.ui.queueAnswer(0); // Escape in the box: stay
    f.ui.queueAnswer(1); // Escape again: leave without keeping
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        f.ui.queueDialog([&](QDialog& e) {
            auto& editor = As<TfPohladd>(e);
            QTableWidget* g = editor.sgPohlad;
            e.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&e));
            QCOMPARE(QApplication::focusWidget(), g);
            QCOMPARE(g->currentColumn(), 1); // "Hlavička" of the first row
            // A typed letter opens the box with it; Enter keeps the text, on to "Šírka".
            press(e, Qt::Key_O, "O");
            QVERIFY(editor.eBunka->isVisible());
            QCOMPARE(editor.eBunka->text(), QString("O"));
            press(e, Qt::Key_V, "v");
            press(e, Qt::Key_Return);
            QVERIFY(!editor.eBunka->isVisible());
            QCOMPARE(g->item(0, 1)->text(), QString("Ov"));
            QCOMPARE(g->currentColumn(), 2);
            // Enter opens it with the cell's text; Escape asks, and only yes leaves.
            const QString width = g->item(0, 2)->text();
            press(e, Qt::Key_Return);
            QCOMPARE(editor.eBunka->text(), width);
            press(e, Qt::Key_5, "5");
            press(e, Qt::Key_Escape);
            QVERIFY(editor.eBunka->isVisible());
            press(e, Qt::Key_Escape);
            QVERIFY(!editor.eBunka->isVisible());
            QCOMPARE(g->item(0, 2)->text(), width);
            QCOMPARE(g->currentColumn(), 3);
            // "Ukáž": space and Enter toggle; a letter does nothing.
            press(e, Qt::Key_Space, " ");
            cells << g->item(0, 3)->text();
            press(e, Qt::Key_A, "a");
            cells << g->item(0, 3)->text();
            press(e, Qt::Key_Return);
            cells << g->item(0, 3)->text();
            QCOMPARE(g->currentRow(), 0);
            // "Zarovnaj": Enter opens the drop-down on the cell's value (the code column
            // stands right), a choice is kept.
            press(e, Qt::Key_Right);
            press(e, Qt::Key_Return);
            QVERIFY(editor.cbZarovnaj->isVisible());
            QCOMPARE(editor.cbZarovnaj->currentText(), QString("Vpravo"));
            press(e, Qt::Key_Down);
            press(e, Qt::Key_Return);
            QVERIFY(!editor.cbZarovnaj->isVisible());
            QCOMPARE(QApplication::focusWidget(), g);
            cells << g->item(0, 4)->text();
            shown << ViewCellText(4, g->item(0, 4)->text());
            QTest::keyClick(g, Qt::Key_End, Qt::ControlModifier);
        });
        b.commandSetView();
        b.commandBack();
    });
    TfBrowse browser(f.app);
    browser.Browse(kFruit, TfBrowse::DefaultButtons(), false);
    QCOMPARE(cells, QStringList({"N", "N", "A", "2"}));
    QCOMPARE(shown, QStringList({"Na stred"}));
    QCOMPARE(f.ui.questions, QStringList({"Mám ukončiť editáciu bez uchovania?",
                                          "Mám ukončiť editáciu bez uchovania?"}));
    const QStringList kod = ViewRecord(f, "KOD");
    QCOMPARE(kod.value(0), QString("Ov"));
    QCOMPARE(kod.value(2), QString("A"));
    QCOMPARE(kod.value(3), QString("2"));
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestViews::editorLooks() {
    FrameworkFixture f;
    f.fruit();
    f.app.listColours.background1 = QColor(20, 200, 20);
    f.app.listColours.background2 = QColor(200, 20, 200);
    QPoint browserCentre, editorCentre;
    QColor first, second;
    QImage shownA, shownLowerA, shownN;
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        f.ui.queueDialog([&](QDialog& e) {
            auto& editor = As<TfPohladd>(e);
            QTableWidget* g = editor.sgPohlad;
            browserCentre = b.frameGeometry().center();
            editorCentre = e.frameGeometry().center();
            const QImage grid = g->viewport()->grab().toImage();
            auto probe = [&](int row) {
                const QRect r = g->visualRect(g->model()->index(row, 0)); // "Pole", not current
                return grid.pixelColor(r.right() - 3, r.top() + 2);
            };
            first = probe(0);
            second = probe(1);
            auto picture = [&](const QString& value) {
                g->item(2, 3)->setText(value);
                return g->viewport()->grab(g->visualRect(g->model()->index(2, 3))).toImage();
            };
            shownA = picture("A");
            shownLowerA = picture("a");
            shownN = picture("N");
            editor.pressBack();
        });
        f.ui.queueAnswer(1);
        b.commandSetView();
        b.commandBack();
    });
    TfBrowse browser(f.app);
    browser.Browse(kFruit, TfBrowse::DefaultButtons(), false);
    // Within the window frame, which is not known before the first showing.
    QVERIFY2(qAbs(editorCentre.x() - browserCentre.x()) <= 3 &&
                 qAbs(editorCentre.y() - browserCentre.y()) <= 3,
             qPrintable(QString("%1,%2 / %3,%4").arg(editorCentre.x()).arg(editorCentre.y())
                            .arg(browserCentre.x()).arg(browserCentre.y())));
    // Counting the header as row 0, the first row is odd: pair 2.
    QCOMPARE(first, f.app.listColours.background2);
    QCOMPARE(second, f.app.listColours.background1);
    QVERIFY(shownA != shownN);
    QCOMPARE(shownLowerA, shownA); // one picture for "A", whatever its case
}

void TestViews::cellTexts_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("shown");
    QTest::newRow("left") << 4 << "0" << "Vľavo";
    QTest::newRow("right") << 4 << "1" << "Vpravo";
    QTest::newRow("centred") << 4 << "2" << "Na stred";
    QTest::newRow("other reads left") << 4 << "7" << "Vľavo";
    QTest::newRow("empty reads left") << 4 << "" << "Vľavo";
    QTest::newRow("title as it is") << 1 << "Názov " << "Názov ";
}

void TestViews::cellTexts() {
    QFETCH(int, column);
    QFETCH(QString, value);
    QFETCH(QString, shown);
    QCOMPARE(ViewCellText(column, value), shown);
}

void TestViews::editorChecks_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message"); // empty: accepted
    QTest::addColumn<QString>("stored");
    QTest::newRow("width not a number") << 2 << "12a" << " Nesprávne celé číslo! " << "";
    QTest::newRow("shown lower case a") << 3 << "a" << "" << "A";
    QTest::newRow("shown other") << 3 << "x" << "Prípustné hodnoty sú A alebo N !" << "";
    QTest::newRow("alignment other") << 4 << "3" << "Prípustné hodnoty sú 0, 1 alebo 2 !" << "";
    QTest::newRow("title too long") << 1 << QString(41, 'T')
                                    << "Popis poľa nesmie byť dlhší ako 40 znakov!" << "";
}

void TestViews::editorChecks() {
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(QString, stored);
    FrameworkFixture f;
    f.fruit();
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        f.ui.queueDialog([&](QDialog& e) {
            auto& editor = As<TfPohladd>(e);
            QCOMPARE(editor.sgPohlad->rowCount(), 3);
            editor.sgPohlad->item(0, column)->setText(typed);
            editor.pressOk();
            if (!message.isEmpty()) {
                QVERIFY(editor.isVisible());
                QCOMPARE(editor.sgPohlad->currentRow(), 0);
                QCOMPARE(editor.sgPohlad->currentColumn(), column);
                QTest::keyClick(&editor, Qt::Key_Escape); // leave without keeping
            } else {
                QVERIFY(!editor.isVisible());
                QCOMPARE(editor.sgPohlad->item(0, column)->text(), stored);
            }
        });
        if (!message.isEmpty())
            f.ui.queueAnswer(1);
        b.commandSetView();
        b.commandBack();
    });
    TfBrowse browser(f.app);
    browser.Browse(kFruit, TfBrowse::DefaultButtons(), false);
    if (!message.isEmpty()) {
        const QList<RecordedNotice> shown = f.ui.takeNotices();
        QVERIFY(!shown.isEmpty());
        QCOMPARE(shown.last().text, message);
    } else {
        QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
    }
    QVERIFY(f.ui.verifyNoSurprises());
}

VIDORAW_TEST(TestViews)
#include "test_views.moc"

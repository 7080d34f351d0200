#include "framework/tablemodel.h"
#include "frameworkfixture.h"
#include "testmain.h"

#include <QHeaderView>
#include <QTest>
#include <QTableView>
#include <QTableWidget>

using namespace vidoraw;
using namespace vidoraw::test;

namespace {

// Stores view records of the fruit list directly: field, title, width, shown, alignment.
void StoreView(FrameworkFixture& f, const QList<QStringList>& rows) {
    auto* views = static_cast<TfPohladd*>(f.app.registry.module(4));
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
    auto* views = static_cast<TfPohladd*>(f.app.registry.module(4));
    QCOMPARE(CountEqual(views->table(), "TAB", "OKRES"), 3);
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

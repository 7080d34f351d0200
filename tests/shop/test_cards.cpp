#include "shopfixture.h"
#include "testmain.h"

#include "shop/cardtotals.h"
#include "framework/notes.h"
#include "shop/vekrad.h"
#include "vouchers/eyedatagrid.h"

#include <QPlainTextEdit>

using namespace vidoraw;
using namespace vidoraw::test;

// Customer cards: the price calculation, the checks on OK, the notes kept in chunks.
class TestCards : public QObject {
    Q_OBJECT
private slots:
    void cardTotals_data();
    void cardTotals();
    void checksOnOkInOrder_data();
    void checksOnOkInOrder();
    void addAndReopen();
    void notes_data();
    void notes();
    void deletingTakesTheNotes();
};

Q_DECLARE_METATYPE(vidoraw::CardPrices)

namespace {

QStringList ValidCard() {
    return {"PRIEZVISK=Malá", "MENO=Eva",     "OBEC=Bratislava", "PSC=81101", "DIALKY=0",
            "BLIZKO=0",       "CENAR=0",      "ZLAVARPERC=0",    "CENAS=0",   "CENARECEPT=0",
            "CENAI=0"};
}

// The chunks of one owner, in their order.
QStringList Chunks(Table& notes, qint64 owner) {
    QStringList out;
    for (notes.first(); !notes.eof(); notes.next())
        if (notes.field("KODH").asInteger() == owner)
            out << notes.field("TEXT").asString();
    return out;
}

} // namespace

void TestCards::cardTotals_data() {
    QTest::addColumn<CardPrices>("prices");
    QTest::addColumn<double>("discount");
    QTest::addColumn<double>("afterDiscount");
    QTest::addColumn<double>("total");
    QTest::newRow("frame 1000 less 10 %, lenses 500, prescription 200")
        << CardPrices{1000, 10, 500, 200, 0} << 100.0 << 900.0 << 1200.0;
    QTest::newRow("no discount, another item") << CardPrices{1000, 0, 0, 0, 35} << 0.0 << 1000.0
                                               << 1035.0;
    QTest::newRow("nothing rounded") << CardPrices{99.9, 15, 0, 0, 0} << 14.985 << 84.915
                                     << 84.915;
    QTest::newRow("prescription above the rest") << CardPrices{0, 0, 100, 250, 0} << 0.0 << 0.0
                                                 << -150.0;
}

void TestCards::cardTotals() {
    QFETCH(CardPrices, prices);
    QFETCH(double, discount);
    QFETCH(double, afterDiscount);
    QFETCH(double, total);
    const CardAmounts a = CardTotals(prices);
    QCOMPARE(a.discount, discount);
    QCOMPARE(a.afterDiscount, afterDiscount);
    QCOMPARE(a.total, total);
}

void TestCards::checksOnOkInOrder_data() {
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("lists");
    const QList<int> none;
    const QString decimal = " Nesprávne desatinné číslo! ";
    QTest::newRow("surname empty") << QStringList{"PRIEZVISK= ", "MENO="} << none
                                   << "Priezvisko nesmie byť prázdne!" << "Chyba" << "PRIEZVISK" << 0;
    QTest::newRow("first name empty, not to go on") << QStringList{"MENO=", "OBEC=Trnava"}
                                                    << QList<int>{0} << "" << "" << "MENO" << 0;
    QTest::newRow("municipality unknown") << QStringList{"OBEC=Trnava", "DIALKY=x"} << none << ""
                                          << "" << "OBEC" << 1;
    QTest::newRow("postal code without a post office")
        << QStringList{"OBEC=Košice", "PSC=04011", "DIALKY=x"} << none << "" << "" << "PSC" << 1;
    QTest::newRow("far distance not whole") << QStringList{"DIALKY=6,5", "BLIZKO=x"} << none
                                            << " Nesprávne celé číslo! " << "Chyba !" << "DIALKY"
                                            << 0;
    QTest::newRow("near distance empty") << QStringList{"BLIZKO=", "CENAR=x"} << none
                                         << " Nesprávne celé číslo! " << "Chyba !" << "BLIZKO" << 0;
    QTest::newRow("frame price not a number") << QStringList{"CENAR=12a", "CENAS="} << none
                                              << decimal << "Chyba !" << "CENAR" << 0;
    QTest::newRow("discount with two separators")
        << QStringList{"ZLAVARPERC=1.2,3", "CENAS="} << none << decimal << "Chyba !"
        << "ZLAVARPERC" << 0;
    QTest::newRow("lens price empty") << QStringList{"CENAS=", "CENAI="} << none << decimal
                                      << "Chyba !" << "CENAS" << 0;
    QTest::newRow("prescription not a number") << QStringList{"CENARECEPT=-", "CENAI="} << none
                                               << decimal << "Chyba !" << "CENARECEPT" << 0;
    QTest::newRow("other price empty") << QStringList{"CENAI= "} << none << decimal << "Chyba !"
                                       << "CENAI" << 0;
}

void TestCards::checksOnOkInOrder() {
    QFETCH(QStringList, typed);
    QFETCH(QList<int>, answers);
    QFETCH(QString, message);
    QFETCH(QString, title);
    QFETCH(QString, focus);
    QFETCH(int, lists);
    ShopFixture f;
    f.seedClients();
    TfDbForm& m = f.module(module::kVekra);
    for (int a : answers)
        f.ui.queueAnswer(a);
    f.ui.queueAnswer(1);
    f.ui.queueDialog([&](QDialog& d) {
        TfDbForm& form = Form(d);
        Type(form, ValidCard());
        Type(form, typed);
        form.pressOk();
        QVERIFY(form.isVisible());
        QCOMPARE(QApplication::focusWidget(), Edit(form, focus));
        form.pressBack();
    });
    for (int i = 0; i < lists; ++i)
        f.ui.queueDialog(CloseList);
    QCOMPARE(m.AddRecord(), 0);
    const QList<RecordedNotice> notices = f.ui.takeNotices();
    QCOMPARE(TextsOf(notices), message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty())
        QCOMPARE(notices[0].title, title);
    QCOMPARE(m.table().recordCount(), 0);
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestCards::addAndReopen() {
    ShopFixture f;
    f.seedClients();
    auto& m = dynamic_cast<TfVekrad&>(f.module(module::kVekra));
    // 152 characters with blanks and a line break, and one "~" typed by the user.
    const QString notes = QString("Okuliare na čítanie, rám titan.\n").repeated(4) +
                          QString("x").repeated(152 - 4 * 32 - 3) + "a~b";
    QCOMPARE(notes.size(), 152);
    const TestDay day;
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfVekrad>(d);
        QCOMPARE(form.windowTitle(), QString("Karta zákazníka"));
        QCOMPARE(form.bbOk->text(), QString("&Uložiť"));
        QCOMPARE(form.eKod->text(), QString("1"));
        QVERIFY(day.either([&](const QDate& today) {
            return form.eDatum->text() == today.toString("d.M.yyyy");
        }));
        for (QLineEdit* e : {form.eyes->eDialky, form.eCenar, form.eZlavarsuma, form.ePoZlave,
                             form.eSkla, form.eIne, form.eCelkom})
            QCOMPARE(e->text(), QString("0"));
        QCOMPARE(QApplication::focusWidget(), form.ePriezvisk);
        Type(form, {"PRIEZVISK=Malá", "MENO=Eva", "OBEC=Bratislava", "PSC=", "BLIZKO=62",
                    "SKLA=Číre", "INE="});
        // Leaving a price recomputes the card.
        form.focusField(form.eCenar);
        form.eCenar->setText("1000");
        form.focusField(form.eZlavarperc);
        QCOMPARE(form.eCelkom->text(), QString("1000"));
        form.eZlavarperc->setText("10");
        form.focusField(form.eCenas);
        QCOMPARE(form.eZlavarsuma->text(), QString("100"));
        QCOMPARE(form.ePoZlave->text(), QString("900"));
        form.eCenas->setText("500");
        form.focusField(form.eCenarecept);
        form.eCenarecept->setText("200.0");
        form.focusField(form.eCenai);
        QCOMPARE(form.eCenarecept->text(), QString("200,0"));
        QCOMPARE(form.eCelkom->text(), QString("1200"));
        form.eCenai->clear(); // counted as 0, refused on OK
        form.UpdateTotals();
        QCOMPARE(form.eCelkom->text(), QString("1200"));
        form.eNotes->setPlainText(notes);
        form.pressOk();
        QVERIFY(form.isVisible());
        QCOMPARE(QApplication::focusWidget(), form.eCenai);
        form.eCenai->setText("0");
        form.pressOk();
        QVERIFY(!form.isVisible());
    });
    QCOMPARE(m.AddRecord(), 1);
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList{" Nesprávne desatinné číslo! "});
    Table& t = m.table();
    QCOMPARE(t.field("ZLAVARSUMA").asFloat(), 100.0);
    QCOMPARE(t.field("CELKOM").asFloat(), 1200.0);
    QCOMPARE(t.field("PSC").asString(), QString("81101"));
    QCOMPARE(t.field("DODPOSTA").asString(), QString("Bratislava 1"));
    QVERIFY(day.is(t.field("DATUM").asDate()));
    Table& chunks = f.module(module::kKoment).table();
    QCOMPARE(Chunks(chunks, 1).size(), 2);
    QVERIFY(!Chunks(chunks, 1).join(QString()).contains(' '));

    // Reopened: the notes come back, the "~" typed as a blank.
    QString expected = notes;
    expected.replace('~', ' ');
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfVekrad>(d);
        QCOMPARE(form.eNotes->toPlainText(), expected);
        QCOMPARE(form.ePoZlave->text(), QString("900"));
        QCOMPARE(form.eDodposta->text(), QString("Bratislava 1"));
        form.pressBack();
    });
    QCOMPARE(m.ShowRecord(), 0);
    // A copy takes the notes along under its own code.
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfVekrad>(d);
        QCOMPARE(form.eKod->text(), QString("2"));
        QCOMPARE(form.eNotes->toPlainText(), expected);
        form.pressOk();
        QVERIFY(!form.isVisible());
    });
    QCOMPARE(m.CopyRecord(), 1);
    QCOMPARE(Chunks(chunks, 2).size(), 2);
    QCOMPARE(Chunks(chunks, 1).size(), 2);
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestCards::notes_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("chunks");
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("76 characters") << QString("a").repeated(76) << 1;
    QTest::newRow("152 characters") << QString("ab ").repeated(50) + "cd" << 2;
    QTest::newRow("153 characters") << QString("ab ").repeated(51) << 3;
    QTest::newRow("a line break inside a chunk") << "prvý riadok\ndruhý riadok" << 1;
}

void TestCards::notes() {
    QFETCH(QString, text);
    QFETCH(int, chunks);
    ShopFixture f;
    Table& t = f.module(module::kKoment).table();
    // Another card's notes stay as they are.
    QVERIFY(SaveNotes(t, 9, "iná karta", nullptr));
    QVERIFY(SaveNotes(t, 1, "staré poznámky, ktoré sa nahradia", nullptr));
    QVERIFY(SaveNotes(t, 1, text, nullptr));
    const QStringList stored = Chunks(t, 1);
    QCOMPARE(stored.size(), chunks);
    for (const QString& chunk : stored) {
        QVERIFY(chunk.size() <= 76);
        QVERIFY(!chunk.contains(' '));
    }
    QCOMPARE(LoadNotes(t, 1), text);
    QCOMPARE(LoadNotes(t, 9), QString("iná karta"));
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
}

void TestCards::deletingTakesTheNotes() {
    ShopFixture f;
    QVERIFY(f.addRow(module::kVekra, {{"KOD", "1"}, {"PRIEZVISK", "Malá"}}));
    QVERIFY(f.addRow(module::kVekra, {{"KOD", "2"}, {"PRIEZVISK", "Veľký"}}));
    Table& notes = f.module(module::kKoment).table();
    QVERIFY(SaveNotes(notes, 1, QString("x").repeated(100), nullptr));
    QVERIFY(SaveNotes(notes, 2, "zostane", nullptr));
    TfDbForm& m = f.module(module::kVekra);
    TfBrowse browser(f.app);
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        QVERIFY(FindByKey(m.table(), "KOD", 1));
        b.syncGridToTable();
        b.commandDelete();
        b.commandBack();
    });
    f.ui.queueDialog([](QDialog& d) { QTRY_VERIFY(!d.isVisible()); });
    f.ui.queueAnswer(1);
    browser.Browse(module::kVekra, TfBrowse::DefaultButtons(), false);
    QCOMPARE(m.table().recordCount(), 1);
    QCOMPARE(Chunks(notes, 1), QStringList());
    QCOMPARE(LoadNotes(notes, 2), QString("zostane"));
    // A card added later under the same code starts without notes.
    QCOMPARE(LoadNotes(notes, 1), QString());
    QVERIFY(f.ui.verifyNoSurprises());
}

VIDORAW_TEST(TestCards)
#include "test_cards.moc"

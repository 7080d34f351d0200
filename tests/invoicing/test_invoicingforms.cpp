#include "invoicingfixture.h"
#include "testmain.h"

#include <QRadioButton>

using namespace vidoraw;
using namespace vidoraw::test;

// The record forms of the invoicing code lists: checks in their order with their messages and
// focus, and what a form saves.
class TestInvoicingForms : public QObject {
    Q_OBJECT
private slots:
    void checksFailInOrder_data();
    void checksFailInOrder();
    void accountType_data();
    void accountType();
    void bankCodeOfAccountPickedFromTheList();
    void itemText_data();
    void itemText();
    void bankCheckKindAsRadioGroup_data();
    void bankCheckKindAsRadioGroup();
    void constantSymbolKeepsItsFlags();
    void numberSeriesForm();
    void seriesWithUnknownModeKeepsIt();
    void taxLevelEditedInPlace();
    void roundingModeAddedWithNextCode();
};

namespace {

void Seed(InvoicingFixture& f) {
    QVERIFY(f.addRow(30, {{"KOD", "1"}, {"ROK", "2004"}, {"MESIAC", "1"}, {"SADZBA1", "0"},
                          {"SADZBA2", "19"}, {"SADZBA3", "19"}}));
    QVERIFY(f.addRow(29, {{"KOD", "1"}, {"NAZOV", "Pokladňa"}, {"UCET", "POK1"},
                          {"KODBAN", "0200"}, {"PBN", "P"}}));
    QVERIFY(f.addRow(38, {{"KOD", "1"}, {"KODKS", "0308"}, {"NAZOV", "Tovar"},
                          {"INDIK", "A"}, {"INDIK1", "N"}}));
}

} // namespace

void TestInvoicingForms::checksFailInOrder_data() {
    QTest::addColumn<int>("module");
    QTest::addColumn<bool>("edit"); // edit the first record instead of adding
    QTest::addColumn<QStringList>("typed"); // FIELD=value
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("focus");

    const QString whole = " Nesprávne celé číslo! ";
    const QString decimal = " Nesprávne desatinné číslo! ";
    const QString empty = "Pole nesmie byť prázdne!";
    // Tax levels: the year is checked before the month shown above it.
    QTest::newRow("tax year and month wrong")
        << 30 << false << QStringList{"MESIAC=x", "ROK=20o4"} << whole << "Chyba !" << "ROK";
    QTest::newRow("tax month empty")
        << 30 << false << QStringList{"MESIAC= ", "ROK=2005"} << whole << "Chyba !" << "MESIAC";
    QTest::newRow("tax third rate not whole")
        << 30 << false
        << QStringList{"MESIAC=1", "ROK=2005", "SADZBA1=0", "SADZBA2=19", "SADZBA3=19,5"}
        << whole << "Chyba !" << "SADZBA3";
    QTest::newRow("tax month taken")
        << 30 << false
        << QStringList{"MESIAC=1", "ROK=2004", "SADZBA1=0", "SADZBA2=10", "SADZBA3=20"}
        << "Záznam pre mesiac : 1 a rok : 2004 už existuje. Duplicita nie je možná!" << "Chyba"
        << "MESIAC";
    QTest::newRow("currency without abbreviation")
        << 34 << false << QStringList{"KODMENY= ", "MENA=Euro"}
        << "Skratka meny nesmie byť prázdna!" << "Chyba" << "KODMENY";
    QTest::newRow("currency abbreviation taken")
        << 34 << false << QStringList{"KODMENY=USD ", "MENA=Dolár"} << "Duplicitná skratka meny!"
        << "Chyba" << "KODMENY";
    QTest::newRow("currency name taken")
        << 34 << false << QStringList{"KODMENY=CZK", "MENA=Česká koruna"}
        << "Duplicitný názov peňažnej meny!" << "Chyba" << "MENA";
    QTest::newRow("account code empty")
        << 29 << false << QStringList{"UCET= ", "KODBAN=x", "PBN=x"} << "Účet nesmie byť prázdny."
        << "Chyba" << "UCET";
    QTest::newRow("account code with a diacritic")
        << 29 << false << QStringList{"UCET=ÚČ1", "KODBAN=0200", "PBN=B"}
        << "Neprípustný znak v účte! Použite písmaná a číslice." << "Chyba" << "UCET";
    QTest::newRow("account code with a blank inside")
        << 29 << false << QStringList{"UCET=A 1", "KODBAN=0200", "PBN=B"}
        << "Neprípustný znak v účte! Použite písmaná a číslice." << "Chyba" << "UCET";
    QTest::newRow("account code taken")
        << 29 << false << QStringList{"UCET=POK1", "KODBAN=0200", "PBN=B"} << "Duplicita účtu."
        << "Chyba" << "UCET";
    QTest::newRow("account type unknown")
        << 29 << false << QStringList{"UCET=VUB1", "KODBAN=0200", "PBN=x"}
        << "Prípustné hodnoty : P-pokladňa B-Banka N-Nefinančné !" << "Chyba" << "PBN";
    QTest::newRow("bank code empty") << 28 << false << QStringList{"KODB=  ", "NAZOV= "}
                                     << "Kód banky nesmie byť prázdny!" << "Chyba" << "KODB";
    QTest::newRow("bank code taken") << 28 << false << QStringList{"KODB=0200", "NAZOV=Iná"}
                                     << "Duplicitný kód banky!" << "Chyba" << "KODB";
    QTest::newRow("bank code of another bank when edited")
        << 28 << true << QStringList{"KODB=6500"} << "Duplicitný kód banky!" << "Chyba" << "KODB";
    QTest::newRow("bank name empty") << 28 << false << QStringList{"KODB=abcd", "NAZOV= "}
                                     << "Názov banky nesmie byť prázdny!" << "Chyba" << "NAZOV";
    QTest::newRow("constant symbol taken")
        << 38 << false << QStringList{"KODKS=0308", "NAZOV=Iný"} << "Duplicitný konštantný symbol!"
        << "Chyba" << "KODKS";
    QTest::newRow("series maximum length empty")
        << 37 << false << QStringList{"MAXDLZKA=", "OZNACENIE="} << empty << "Chyba"
        << "MAXDLZKA";
    QTest::newRow("series maximum length not whole")
        << 37 << false << QStringList{"MAXDLZKA=1x", "OZNACENIE="} << whole << "Chyba !"
        << "MAXDLZKA";
    QTest::newRow("series without name") << 37 << false << QStringList{"OZNACENIE=  ", "POCITADLO="}
                                         << empty << "Chyba" << "OZNACENIE";
    QTest::newRow("series counter empty")
        << 37 << false << QStringList{"OZNACENIE=Dobropisy", "POCITADLO= ", "POCMIEST=x"}
        << empty << "Chyba" << "POCITADLO";
    QTest::newRow("series digits not whole")
        << 37 << false << QStringList{"OZNACENIE=Dobropisy", "POCMIEST=3,5"} << whole
        << "Chyba !" << "POCMIEST";
    QTest::newRow("transport name taken") << 32 << false << QStringList{"NAZOV=Poštou"}
                                          << "Duplicitný názov spôsobu dopravy!" << "Chyba"
                                          << "NAZOV";
    QTest::newRow("transport without name, as row 4")
        << 32 << false << QStringList{"NAZOV= "} << "Duplicitný názov spôsobu dopravy!" << "Chyba"
        << "NAZOV";
    QTest::newRow("payment form name taken") << 33 << false << QStringList{"NAZOV=Hotovosť "}
                                             << "Duplicitný názov formy úhrady!" << "Chyba"
                                             << "NAZOV";
    QTest::newRow("item price not a number")
        << 31 << false << QStringList{"CENA=1,2,3", "MNOZSTVO=x", "DPH=20"} << decimal << "Chyba !"
        << "CENA";
    QTest::newRow("item quantity not a number")
        << 31 << false << QStringList{"CENA=10", "MNOZSTVO=", "DPH=20"} << decimal << "Chyba !"
        << "MNOZSTVO";
    QTest::newRow("item rate not in force")
        << 31 << false << QStringList{"CENA=10", "MNOZSTVO=1", "DPH=20"}
        << "Hodnota dph musí byť : 0, 19, 19 !" << "Chyba" << "DPH";
}

void TestInvoicingForms::checksFailInOrder() {
    QFETCH(int, module);
    QFETCH(bool, edit);
    QFETCH(QStringList, typed);
    QFETCH(QString, message);
    QFETCH(QString, title);
    QFETCH(QString, focus);
    InvoicingFixture f;
    Seed(f);
    f.app.vatRates = {0, 19, 19};
    TfDbForm& m = f.module(module);
    m.table().first();
    const int before = m.table().recordCount();
    f.ui.queueAnswer(1); // leaving with Späť afterwards
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = dynamic_cast<TfDbForm&>(d);
        for (const QString& assignment : typed) {
            QLineEdit* e = Edit(form, assignment.section('=', 0, 0));
            QVERIFY2(e, qPrintable(assignment));
            e->setText(assignment.section('=', 1));
        }
        form.pressOk();
        QVERIFY(form.isVisible());
        QCOMPARE(QApplication::focusWidget(), Edit(form, focus));
        QCOMPARE(Edit(form, focus)->palette().color(QPalette::Base), f.app.colours.incorrect);
        form.pressBack();
    });
    QCOMPARE(edit ? m.EditRecord() : m.AddRecord(), 0);
    const QList<RecordedNotice> shown = f.ui.takeNotices();
    QCOMPARE(TextsOf(shown), QStringList{message});
    QCOMPARE(shown[0].title, title);
    QCOMPARE(m.table().recordCount(), before);
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestInvoicingForms::accountType_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("b") << "b" << "B" << "Bankový účet";
    QTest::newRow("p") << "p" << "P" << "Pokladňa";
    QTest::newRow("N") << "N" << "N" << "Nefinančné operácie";
}

// A small letter is taken as its capital, the name beside it follows; the bank's name is shown.
void TestInvoicingForms::accountType() {
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    InvoicingFixture f;
    Seed(f);
    auto& m = f.module<TfUcetd>(29);
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfUcetd>(d);
        QCOMPARE(form.eKod->text(), QString("2"));
        form.eNazov->setText("Bežný účet");
        form.eUcet->setText("VUB1");
        form.eCisucet->setText("1234567890");
        form.eKodban->setText("0200");
        form.ePbn->setText(typed);
        form.pressOk();
        QVERIFY(!form.isVisible());
        QCOMPARE(form.ePbn->text(), stored);
        QCOMPARE(form.eTyp->text(), shown);
        QCOMPARE(form.eBanka->text(), QString("VÚB"));
    });
    QCOMPARE(m.AddRecord(), 1);
    QCOMPARE(f.field(29, 2, "PBN"), stored);
    QCOMPARE(f.field(29, 2, "UCET"), QString("VUB1"));
    QCOMPARE(f.field(29, 2, "KODBAN"), QString("0200"));

    // Shown again as saved.
    QVERIFY(FindByKey(m.table(), "KOD", 2));
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfUcetd>(d);
        QCOMPARE(form.eTyp->text(), shown);
        QCOMPARE(form.eBanka->text(), QString("VÚB"));
    });
    QCOMPARE(m.ShowRecord(), 0);
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestInvoicingForms::bankCodeOfAccountPickedFromTheList() {
    InvoicingFixture f;
    Seed(f);
    auto& m = f.module<TfUcetd>(29);
    Table& banks = f.module(28).table();
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfUcetd>(d);
        form.eUcet->setText("TB1");
        form.eKodban->setText("9999");
        form.eBanka->setText("zostalo z minula");
        form.ePbn->setText("B");
        form.pressOk(); // not a bank code: the list opens and is left with Späť
        QVERIFY(form.isVisible());
        QCOMPARE(form.focusWidget(), form.eKodban);
        QCOMPARE(form.eBanka->text(), QString());
        form.pressOk(); // and now a bank is picked
        QVERIFY(!form.isVisible());
    });
    f.ui.queueDialog([](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        QCOMPARE(b.windowTitle(), QString("Zoznam kódov bánk"));
        b.commandBack();
    });
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        QVERIFY(FindByKey(banks, "KOD", 10));
        b.syncGridToTable();
        b.commandPick();
    });
    QCOMPARE(m.AddRecord(), 1);
    QCOMPARE(f.field(29, 2, "KODBAN"), QString("1100"));
    QCOMPARE(m.eBanka->text(), QString("Tatrabanka"));
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestInvoicingForms::itemText_data() {
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<double>("storedPrice");
    QTest::addColumn<int>("storedRate");
    QTest::newRow("as proposed") << "" << "" << 0.0 << 0;
    QTest::newRow("price with a point") << "12.5" << "19" << 12.5 << 19;
    QTest::newRow("price with a comma") << " 12,5 " << "19" << 12.5 << 19;
    // A rate that is no whole number counts as 0, which is in force here.
    QTest::newRow("rate not a number") << "3" << "x" << 3.0 << 0;
}

void TestInvoicingForms::itemText() {
    QFETCH(QString, price);
    QFETCH(QString, rate);
    QFETCH(double, storedPrice);
    QFETCH(int, storedRate);
    InvoicingFixture f;
    f.app.vatRates = {0, 19, 19};
    auto& m = f.module<TfTextfad>(31);
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfTextfad>(d);
        for (QLineEdit* e : {form.eCena, form.eMnozstvo, form.eDph})
            QCOMPARE(e->text(), QString("0"));
        form.eText->setText("Okuliare");
        form.eMj->setText("ks");
        form.eMnozstvo->setText("1");
        if (!price.isEmpty())
            form.eCena->setText(price);
        if (!rate.isEmpty())
            form.eDph->setText(rate);
        form.pressOk();
        QVERIFY(!form.isVisible());
    });
    QCOMPARE(m.AddRecord(), 1);
    QVERIFY(FindByKey(m.table(), "KOD", 1));
    QCOMPARE(m.table().field("CENA").asFloat(), storedPrice);
    QCOMPARE(m.table().field("DPH").asInteger(), qint64(storedRate));
    QCOMPARE(m.table().field("MNOZSTVO").asFloat(), 1.0);
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestInvoicingForms::bankCheckKindAsRadioGroup_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("shown");
    QTest::newRow("modulo 11") << "0" << 0;
    QTest::newRow("modulo 8") << "1" << 1;
    QTest::newRow("none") << "2" << 2;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("not a number") << "x" << 0;
    QTest::newRow("out of range") << "3" << 0;
}

// The kind of account number check is stored as the chosen item's index.
void TestInvoicingForms::bankCheckKindAsRadioGroup() {
    QFETCH(QString, stored);
    QFETCH(int, shown);
    InvoicingFixture f;
    auto& m = f.module<TfKodbd>(28);
    QVERIFY(f.setFields(28, 3, {{"KONTROLA", stored}}));
    QVERIFY(FindByKey(m.table(), "KOD", 3));
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfKodbd>(d);
        QCOMPARE(form.rgKontrola->itemIndex(), shown);
        QCOMPARE(form.rgKontrola->title(), QString(" Kontrola "));
        form.rgKontrola->setItemIndex(2);
        form.pressOk();
        QVERIFY(!form.isVisible());
    });
    QCOMPARE(m.EditRecord(), 1);
    QCOMPARE(f.field(28, 3, "KONTROLA"), QString("2"));
    QVERIFY(f.ui.verifyNoSurprises());
}

// The two hidden flags: a new record leaves them empty, an edit keeps them.
void TestInvoicingForms::constantSymbolKeepsItsFlags() {
    InvoicingFixture f;
    Seed(f);
    auto& m = f.module<TfKsd>(38);
    QVERIFY(FindByKey(m.table(), "KOD", 1));
    f.ui.queueDialog([](QDialog& d) {
        auto& form = As<TfKsd>(d);
        form.eNazov->setText("Tovar a služby");
        form.pressOk();
    });
    QCOMPARE(m.EditRecord(), 1);
    QCOMPARE(f.field(38, 1, "INDIK"), QString("A"));
    QCOMPARE(f.field(38, 1, "INDIK1"), QString("N"));
    f.ui.queueDialog([](QDialog& d) {
        auto& form = As<TfKsd>(d);
        QCOMPARE(form.eKodks->text(), QString("0308"));
        form.eKodks->setText("0008");
        form.pressOk();
    });
    QCOMPARE(m.CopyRecord(), 1);
    QCOMPARE(f.field(38, 2, "KODKS"), QString("0008"));
    QCOMPARE(f.field(38, 2, "INDIK"), QString());
    QCOMPARE(f.field(38, 2, "INDIK1"), QString());
    QVERIFY(f.ui.verifyNoSurprises());
}

// A new series starts as proposed with no mode chosen; the sample follows the fields as they
// are left; the chosen mode is stored as its letter.
void TestInvoicingForms::numberSeriesForm() {
    InvoicingFixture f;
    auto& m = f.module<TfCisradd>(37);
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfCisradd>(d);
        QCOMPARE(form.eKod->text(), QString("2"));
        QCOMPARE(form.eMaxdlzka->text(), QString("10"));
        QCOMPARE(form.ePocitadlo->text(), QString("1"));
        QCOMPARE(form.ePocmiest->text(), QString("3"));
        QCOMPARE(form.ePrefix->text(), QString());
        QCOMPARE(form.rgPouzi->itemIndex(), -1);
        QCOMPARE(form.eUkazka->text(), QString("001"));
        QVERIFY(form.eUkazka->isReadOnly());
        // With no mode chosen the group is entered at its first item; the arrows move to
        // another, Space chooses it.
        form.focusField(form.eOznacenie);
        form.eOznacenie->setText("Dobropisy");
        form.focusNextField();
        QCOMPARE(QApplication::focusWidget(), form.rgPouzi->buttons[0]);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), form.rgPouzi->buttons[2]);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(form.rgPouzi->itemIndex(), 2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), form.ePrefix);
        form.ePrefix->setText(" D ");
        form.focusNextField();
        QCOMPARE(form.eUkazka->text(), QString("D001"));
        form.ePocitadlo->setText("7");
        form.focusNextField();
        QCOMPARE(form.eUkazka->text(), QString("D007"));
        form.ePocmiest->setText("4");
        form.focusNextField();
        QCOMPARE(form.eUkazka->text(), QString("D0007"));
        form.ePostfix->setText("/08");
        form.focusPreviousField();
        QCOMPARE(form.eUkazka->text(), QString("D0007/08"));
        form.pressOk();
        QVERIFY(!form.isVisible());
    });
    QCOMPARE(m.AddRecord(), 1);
    QCOMPARE(f.field(37, 2, "POUZI"), QString("C"));
    QCOMPARE(f.field(37, 2, "PREFIX"), QString("D"));
    QCOMPARE(f.field(37, 2, "POCITADLO"), QString("7"));
    QCOMPARE(f.field(37, 2, "MAXDLZKA"), QString("10"));
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
    QVERIFY(f.ui.verifyNoSurprises());
}

// A mode the form has no item for is shown as no choice and saved as it was, rather than as
// the choice of the record shown before.
void TestInvoicingForms::seriesWithUnknownModeKeepsIt() {
    InvoicingFixture f;
    QVERIFY(f.addRow(37, {{"KOD", "2"}, {"MAXDLZKA", "10"}, {"OZNACENIE", "Starý"},
                          {"POUZI", "X"}, {"POCITADLO", "1"}, {"POCMIEST", "3"}}));
    auto& m = f.module<TfCisradd>(37);
    QVERIFY(FindByKey(m.table(), "KOD", 1));
    f.ui.queueDialog([](QDialog& d) {
        auto& form = As<TfCisradd>(d);
        QCOMPARE(form.rgPouzi->itemIndex(), 1);
        QCOMPARE(form.eUkazka->text(), form.ePrefix->text() + "001");
        form.pressBack();
    });
    f.ui.queueAnswer(1);
    QCOMPARE(m.EditRecord(), 0);
    QVERIFY(FindByKey(m.table(), "KOD", 2));
    f.ui.queueDialog([](QDialog& d) {
        auto& form = As<TfCisradd>(d);
        QCOMPARE(form.rgPouzi->itemIndex(), -1);
        form.eOznacenie->setText("Starý rad");
        form.pressOk();
        QVERIFY(!form.isVisible());
    });
    QCOMPARE(m.EditRecord(), 1);
    QCOMPARE(f.field(37, 2, "POUZI"), QString("X"));
    QCOMPARE(f.field(37, 2, "OZNACENIE"), QString("Starý rad"));
    QVERIFY(f.ui.verifyNoSurprises());
}

// Its own month is no duplicate of a tax level being edited.
void TestInvoicingForms::taxLevelEditedInPlace() {
    InvoicingFixture f;
    Seed(f);
    auto& m = f.module<TfDaned>(30);
    QVERIFY(FindByKey(m.table(), "KOD", 1));
    f.ui.queueDialog([](QDialog& d) {
        auto& form = As<TfDaned>(d);
        QCOMPARE(form.eMesiac->text(), QString("1"));
        QCOMPARE(form.eRok->text(), QString("2004"));
        form.eSadzba2->setText(" 14 ");
        form.pressOk();
        QVERIFY(!form.isVisible());
    });
    QCOMPARE(m.EditRecord(), 1);
    QCOMPARE(f.field(30, 1, "SADZBA2"), QString("14"));
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
}

// Codes without a check: a user's own rounding code comes after the six of the table.
void TestInvoicingForms::roundingModeAddedWithNextCode() {
    InvoicingFixture f;
    auto& m = f.module<TfZaokruhd>(51);
    f.ui.queueDialog([](QDialog& d) {
        auto& form = As<TfZaokruhd>(d);
        QCOMPARE(form.eKod->text(), QString("7"));
        form.ePopis->setText("Na päťkoruny");
        QTest::keyClick(&form, Qt::Key_End, Qt::ControlModifier);
        QVERIFY(!form.isVisible());
    });
    QCOMPARE(m.AddRecord(), 1);
    QCOMPARE(f.field(51, 7, "POPIS"), QString("Na päťkoruny"));
    QVERIFY(f.ui.verifyNoSurprises());
}

VIDORAW_TEST(TestInvoicingForms)
#include "test_invoicingforms.moc"

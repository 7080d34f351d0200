#include "shopfixture.h"
#include "testmain.h"

#include <QPushButton>

using namespace vidoraw;
using namespace vidoraw::test;

// The lens lists' forms: the name checks with each list's messages, and the look-ups of
// suppliers, optical aids and post offices.
class TestLensListForms : public QObject {
    Q_OBJECT
private slots:
    void checksFailInOrder_data();
    void checksFailInOrder();
    void acceptedSaves();
    void leavingTheName_data();
    void leavingTheName();
    void lookupRequired_data();
    void lookupRequired();
    void lookupsFillTheirNames();
};

namespace {
// What passes every check of a list (its other look-ups found).
QStringList Baseline(int module) {
    switch (module) {
    case module::kTypks:
        return {"NAZOV=Denné", "KODF=1"};
    case module::kSortim:
        return {"KODP=00001", "NAZOV=Nové"};
    case module::kFirmao:
        return {"NAZOV=Nová firma", "PSC=81101"};
    }
    return {"NAZOV=Nový"};
}
} // namespace

void TestLensListForms::checksFailInOrder_data() {
    QTest::addColumn<int>("module");
    QTest::addColumn<bool>("edit"); // edit the record with code 1 instead of adding
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::newRow("lens type without name") << 52 << false << QStringList{"NAZOV=  "}
                                            << "Názov typu skiel nesmie byť prázdny!" << "NAZOV";
    QTest::newRow("lens type taken, other case") << 52 << false << QStringList{"NAZOV= číre"}
                                                 << "Duplicitný názov typu skiel!" << "NAZOV";
    QTest::newRow("lens type renamed to another") << 52 << true << QStringList{"NAZOV=Tónované"}
                                                  << "Duplicitný názov typu skiel!" << "NAZOV";
    QTest::newRow("frame type without name") << 53 << false << QStringList{"NAZOV="}
                                             << "Názov typu rámu nesmie byť prázdny!" << "NAZOV";
    QTest::newRow("frame type taken") << 53 << false << QStringList{"NAZOV=Číre"}
                                      << "Duplicitný názov typu rámu!" << "NAZOV";
    QTest::newRow("contact-lens type without name")
        << 56 << false << QStringList{"NAZOV= ", "KODF="}
        << "Názov typu kontaktných šošoviek nesmie byť prázdny!" << "NAZOV";
    QTest::newRow("adjustment taken") << 40 << false << QStringList{"NAZOV=Číre"}
                                      << "Duplicitný názov úpravy šošovky!" << "NAZOV";
    QTest::newRow("diameter taken") << 41 << false << QStringList{"NAZOV=Číre"}
                                    << "Duplicitný názov priemeru šošovky!" << "NAZOV";
    QTest::newRow("dioptres taken when adding") << 42 << false << QStringList{"NAZOV=Tónované"}
                                                << "Duplicitný názov dioptrie šošovky!" << "NAZOV";
    QTest::newRow("dioptres taken when editing") << 42 << true << QStringList{"NAZOV=Tónované"}
                                                 << "Duplicitný dioptrie šošovky!" << "NAZOV";
    QTest::newRow("assortment item taken") << 43 << false << QStringList{"NAZOV=Tónované"}
                                           << "Duplicitný názov šošovky!" << "NAZOV";
    QTest::newRow("supplier taken") << 44 << false << QStringList{"NAZOV=Lens Juh", "PSC="}
                                    << "Duplicitný názov dodávateľskej firmy!" << "NAZOV";
}

void TestLensListForms::checksFailInOrder() {
    QFETCH(int, module);
    QFETCH(bool, edit);
    QFETCH(QStringList, typed);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    ShopFixture f;
    f.seed();
    TfDbForm& m = f.module(module);
    QVERIFY(FindByKey(m.table(), "KOD", 1));
    const int before = m.table().recordCount();
    f.ui.queueAnswer(1); // leaving with Späť afterwards
    f.ui.queueDialog([&](QDialog& d) {
        TfDbForm& form = Form(d);
        Type(form, Baseline(module));
        Type(form, typed);
        form.pressOk();
        QVERIFY(form.isVisible());
        QCOMPARE(QApplication::focusWidget(), Edit(form, focus));
        QCOMPARE(Edit(form, focus)->palette().color(QPalette::Base), f.app.colours.incorrect);
        form.pressBack();
    });
    QCOMPARE(edit ? m.EditRecord() : m.AddRecord(), 0);
    const QList<RecordedNotice> notices = f.ui.takeNotices();
    QCOMPARE(TextsOf(notices), QStringList{message});
    QCOMPARE(notices[0].title, QString("Chyba"));
    QCOMPARE(m.table().recordCount(), before);
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestLensListForms::acceptedSaves() {
    ShopFixture f;
    f.seed();
    // Saving a record unchanged passes its own name; the same name may stand in another list.
    for (int n : {52, 53, 40, 41, 42, 43, 56, 44}) {
        TfDbForm& m = f.module(n);
        QVERIFY(FindByKey(m.table(), "KOD", 1));
        f.ui.queueDialog([](QDialog& d) {
            TfDbForm& form = Form(d);
            QCOMPARE(QApplication::focusWidget(), Edit(form, form.moduleNumber() == 43 ? "KODP" : "NAZOV"));
            form.pressOk();
            QVERIFY2(!form.isVisible(), qPrintable(form.windowTitle()));
        });
        QCOMPARE(m.EditRecord(), 1);
    }
    // Lists that only refuse duplicates take an empty name once.
    TfDbForm& adjustments = f.module(40);
    f.ui.queueDialog([](QDialog& d) { Form(d).pressOk(); });
    QCOMPARE(adjustments.AddRecord(), 1);
    QVERIFY(FindByKey(adjustments.table(), "KOD", 3));
    QCOMPARE(adjustments.table().field("NAZOV").asString(), QString());
    // A dioptre range keeps its free texts.
    TfDbForm& dioptres = f.module(42);
    f.ui.queueDialog([](QDialog& d) {
        TfDbForm& form = Form(d);
        Type(form, {"NAZOV= Plus ", "DIOPOD1=+0,25", "DIOPDO1=+4,00", "DIOPOD2=", "DIOPDO2=",
                    "CYLIN=2"});
        form.pressOk();
        QVERIFY(!form.isVisible());
    });
    QCOMPARE(dioptres.AddRecord(), 1);
    QVERIFY(FindByKey(dioptres.table(), "NAZOV", "Plus"));
    QCOMPARE(dioptres.table().field("DIOPOD1").asString(), QString("+0,25"));
    QCOMPARE(dioptres.table().field("CYLIN").asString(), QString("2"));
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestLensListForms::leavingTheName_data() {
    QTest::addColumn<int>("module");
    QTest::addColumn<QString>("message"); // empty: not checked on leaving
    QTest::newRow("lens type") << 52 << "Duplicitný názov typu skiel!";
    QTest::newRow("diameter") << 41 << "Duplicitný názov priemeru šošovky!";
    QTest::newRow("dioptres, only on OK") << 42 << "";
}

void TestLensListForms::leavingTheName() {
    QFETCH(int, module);
    QFETCH(QString, message);
    ShopFixture f;
    f.seed();
    TfDbForm& m = f.module(module);
    f.ui.queueAnswer(1);
    f.ui.queueDialog([&](QDialog& d) {
        TfDbForm& form = Form(d);
        QLineEdit* name = Edit(form, "NAZOV");
        QCOMPARE(QApplication::focusWidget(), name);
        name->setText("Číre");
        QTest::keyClick(name, Qt::Key_Up);
        QCOMPARE(name->palette().color(QPalette::Base),
                 message.isEmpty() ? f.app.colours.normal : f.app.colours.incorrect);
        QTest::mouseClick(form.bbSpat, Qt::LeftButton);
        QVERIFY(!form.isVisible());
    });
    m.AddRecord();
    QCOMPARE(f.ui.takeNoticeTexts(), message.isEmpty() ? QStringList() : QStringList{message});
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestLensListForms::lookupRequired_data() {
    QTest::addColumn<int>("module");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("list");   // the pick list that opens
    QTest::addColumn<QString>("codeAfter"); // the code as the refused form shows it
    QTest::newRow("contact-lens type without supplier") << 56 << "KODF" << "" << "Zoznam - dodávateľov šošoviek" << "";
    QTest::newRow("contact-lens type, unknown supplier") << 56 << "KODF" << "9"
                                                         << "Zoznam - dodávateľov šošoviek" << "9";
    QTest::newRow("assortment without aid") << 43 << "KODP" << " " << "Zoznam optických pomôcok"
                                            << "";
    QTest::newRow("assortment, unknown aid") << 43 << "KODP" << "777"
                                             << "Zoznam optických pomôcok" << "00777";
    QTest::newRow("supplier without postal code") << 44 << "PSC" << "" << "Zoznam dodávacích pôšt"
                                                  << "";
    QTest::newRow("supplier, unknown postal code") << 44 << "PSC" << "99999"
                                                   << "Zoznam dodávacích pôšt" << "99999";
}

void TestLensListForms::lookupRequired() {
    QFETCH(int, module);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, list);
    QFETCH(QString, codeAfter);
    ShopFixture f;
    f.seed();
    TfDbForm& m = f.module(module);
    const int before = m.table().recordCount();
    f.ui.queueAnswer(1); // Späť
    f.ui.queueDialog([&](QDialog& d) {
        TfDbForm& form = Form(d);
        Type(form, Baseline(module));
        QLineEdit* code = Edit(form, field);
        code->setText(typed);
        form.pressOk();
        QVERIFY(form.isVisible());
        QCOMPARE(form.focusWidget(), code);
        QCOMPARE(code->text(), codeAfter);
        QCOMPARE(code->palette().color(QPalette::Base), f.app.colours.incorrect);
        // The name beside the code is empty, with whatever showed the last record.
        for (QLineEdit* e : form.findChildren<QLineEdit*>())
            if (e->isReadOnly() && e != form.eKod)
                QVERIFY2(e->text().isEmpty(), qPrintable(e->text()));
        form.pressBack();
    });
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        QCOMPARE(b.windowTitle(), list);
        b.commandBack();
    });
    QCOMPARE(m.AddRecord(), 0);
    QCOMPARE(m.table().recordCount(), before);
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestLensListForms::lookupsFillTheirNames() {
    ShopFixture f;
    f.seed();
    // The assortment: a short aid code is padded and shows the aid's name and supplement.
    auto& assortment = dynamic_cast<TfSortimd&>(f.module(43));
    f.ui.queueDialog([](QDialog& d) {
        auto& form = As<TfSortimd>(d);
        QCOMPARE(QApplication::focusWidget(), form.eKodp);
        form.eKodp->setText("1");
        form.eNazov->setText("Antireflex");
        form.pressOk();
        QVERIFY(!form.isVisible());
        QCOMPARE(form.eKodp->text(), QString("00001"));
        QCOMPARE(form.eNazovPom->text(), QString("Okuliare"));
        QCOMPARE(form.eDoplnok->text(), QString("na diaľku"));
    });
    QCOMPARE(assortment.AddRecord(), 1);
    QVERIFY(FindByKey(assortment.table(), "NAZOV", "Antireflex"));
    QCOMPARE(assortment.table().field("KODP").asString(), QString("00001"));
    // Loading another item shows its own aid, without the last one's supplement.
    QVERIFY(FindByKey(assortment.table(), "KOD", 2));
    f.ui.queueDialog([](QDialog& d) {
        auto& form = As<TfSortimd>(d);
        QCOMPARE(form.eNazovPom->text(), QString("Šošovka"));
        QCOMPARE(form.eDoplnok->text(), QString());
        QTest::keyClick(&form, Qt::Key_Escape);
    });
    QCOMPARE(assortment.ShowRecord(), 0);

    // The contact-lens type: the supplier picked with F7 fills code and name.
    auto& types = dynamic_cast<TfTypksd&>(f.module(56));
    Table& suppliers = f.app.registry.module(44)->table();
    f.ui.queueDialog([](QDialog& d) {
        auto& form = As<TfTypksd>(d);
        form.eNazov->setText("Ročné");
        form.eKodf->setFocus();
        QTest::keyClick(form.eKodf, Qt::Key_F7);
        QCOMPARE(form.eKodf->text(), QString("2"));
        QCOMPARE(form.eNazovf->text(), QString("Lens Juh"));
        form.pressOk();
        QVERIFY(!form.isVisible());
    });
    f.ui.queueDialog([&](QDialog& d) {
        QVERIFY(FindByKey(suppliers, "KOD", 2));
        As<TfBrowse>(d).commandPick();
    });
    QCOMPARE(types.AddRecord(), 1);
    QVERIFY(FindByKey(types.table(), "NAZOV", "Ročné"));
    QCOMPARE(types.table().field("KODF").asInteger(), 2);
    QVERIFY(FindByKey(types.table(), "KOD", 2));
    f.ui.queueDialog([](QDialog& d) {
        QCOMPARE(As<TfTypksd>(d).eNazovf->text(), QString("Optika Sever"));
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    QCOMPARE(types.ShowRecord(), 0);

    // The supplier: the post office comes with the postal code.
    auto& firms = dynamic_cast<TfFirmaod&>(f.module(44));
    f.ui.queueDialog([](QDialog& d) {
        auto& form = As<TfFirmaod>(d);
        form.eNazov->setText("Tretia");
        form.ePsc->setText("81101");
        form.pressOk();
        QVERIFY(!form.isVisible());
    });
    QCOMPARE(firms.AddRecord(), 1);
    QVERIFY(FindByKey(firms.table(), "NAZOV", "Tretia"));
    QCOMPARE(firms.table().field("DODPOSTA").asString(), QString("Bratislava 1"));
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
    QVERIFY(f.ui.verifyNoSurprises());
}

VIDORAW_TEST(TestLensListForms)
#include "test_lenslistforms.moc"

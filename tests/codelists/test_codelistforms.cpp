#include "codelistsfixture.h"
#include "testmain.h"

#include <QPushButton>

using namespace vidoraw;
using namespace vidoraw::test;

// Record operations and the checks on OK of the six code-list forms.
class TestCodeListForms : public QObject {
    Q_OBJECT
private slots:
    void addCopyEditShowDelete();
    void checksFailInOrder_data();
    void checksFailInOrder();
    void acceptedSaves();
};

void TestCodeListForms::addCopyEditShowDelete() {
    CodeListsFixture f;
    auto& m = f.module<TfStatd>(12);

    // Add: the abbreviation goes in capitals, diacritics included.
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfStatd>(d);
        QCOMPARE(form.windowTitle(), QString("Štát"));
        QCOMPARE(form.eKod->text(), QString("2"));
        QVERIFY(form.eKod->isReadOnly());
        QCOMPARE(QApplication::focusWidget(), form.eSkratka);
        form.eSkratka->setText(" čr ");
        form.eNazov->setText("Česká republika ");
        form.pressOk();
        QVERIFY(!form.isVisible());
    });
    QCOMPARE(m.AddRecord(), 1);
    QVERIFY(FindByKey(m.table(), "KOD", 2));
    QCOMPARE(m.table().field("SKRATKA").asString(), QString("ČR"));
    QCOMPARE(m.table().field("NAZOV").asString(), QString("Česká republika"));

    // Copy: the copied abbreviation is a duplicate until it is changed.
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfStatd>(d);
        QCOMPARE(form.eKod->text(), QString("3"));
        QCOMPARE(form.eNazov->text(), QString("Česká republika"));
        form.pressOk();
        QVERIFY(form.isVisible());
        QCOMPARE(QApplication::focusWidget(), form.eSkratka);
        form.eSkratka->setText("pl");
        form.eNazov->setText("Poľsko");
        form.pressOk();
        QVERIFY(!form.isVisible());
    });
    QCOMPARE(m.CopyRecord(), 1);
    const QList<RecordedNotice> duplicate = f.ui.takeNotices();
    QCOMPARE(TextsOf(duplicate), QStringList({"Duplicitná skratka štátu!"}));
    QCOMPARE(duplicate[0].title, QString("Chyba"));

    // Edit: the focus starts on the name; the record's own abbreviation is no duplicate.
    QVERIFY(FindByKey(m.table(), "KOD", 1));
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfStatd>(d);
        QCOMPARE(QApplication::focusWidget(), form.eNazov);
        QCOMPARE(form.eSkratka->text(), QString("SK"));
        form.eNazov->setText("Slovensko");
        QTest::keyClick(&form, Qt::Key_End, Qt::ControlModifier);
        QVERIFY(!form.isVisible());
    });
    QCOMPARE(m.EditRecord(), 1);
    QCOMPARE(m.table().field("NAZOV").asString(), QString("Slovensko"));

    // Edit abandoned: Späť asks, and nothing is written.
    f.ui.queueAnswer(1);
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfStatd>(d);
        form.eNazov->setText("Zahodené");
        form.pressBack();
        QVERIFY(!form.isVisible());
    });
    QCOMPARE(m.EditRecord(), 0);
    QCOMPARE(f.ui.questions, QStringList({" Mám naozaj ukončiť editáciu bez uchovania?"}));
    QCOMPARE(m.table().field("NAZOV").asString(), QString("Slovensko"));
    f.ui.clear();

    // Show: nothing to confirm, Escape closes at once.
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfStatd>(d);
        QVERIFY(!form.bbOk->isEnabled());
        QVERIFY(form.eNazov->isReadOnly());
        QCOMPARE(QApplication::focusWidget(), form.bbSpat);
        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(!form.isVisible());
    });
    QCOMPARE(m.ShowRecord(), 0);
    QVERIFY(f.ui.questions.isEmpty());

    // Delete from the list: the form shows the record and asks.
    TfBrowse browser(f.app);
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        QCOMPARE(b.windowTitle(), QString("Zoznam štátov"));
        QVERIFY(FindByKey(m.table(), "KOD", 3));
        b.syncGridToTable();
        b.commandDelete();
        b.commandBack();
    });
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfStatd>(d);
        QCOMPARE(form.eSkratka->text(), QString("PL"));
        QVERIFY(!form.bbOk->isVisible());
        QTRY_VERIFY(!form.isVisible());
    });
    f.ui.queueAnswer(1);
    QVERIFY(!browser.Browse(12, TfBrowse::DefaultButtons(), false));
    QCOMPARE(f.ui.questions, QStringList({"Mám naozaj zmazať tento záznam ?"}));
    QCOMPARE(m.table().recordCount(), 2);
    QVERIFY(!FindByKey(m.table(), "SKRATKA", "PL"));
    QVERIFY(f.ui.verifyNoSurprises());
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
}

void TestCodeListForms::checksFailInOrder_data() {
    QTest::addColumn<int>("module");
    QTest::addColumn<bool>("edit"); // edit the first record instead of adding
    QTest::addColumn<QStringList>("typed"); // FIELD=value
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");

    const QString pscLength = "Poštové smerovacie číslo musí mať 5 číslic!";
    QTest::newRow("postal code too short") << 5 << false << QStringList{"PSC=8101", "POSTA="}
                                           << pscLength << "PSC";
    QTest::newRow("postal code too long") << 5 << false << QStringList{"PSC= 811011 ", "POSTA=X"}
                                          << pscLength << "PSC";
    QTest::newRow("postal code with a letter")
        << 5 << false << QStringList{"PSC=81a01", "POSTA="}
        << "Poštové smerovacie číslo musí byť tvorené číslicami, t.j. znakmi 0-9 !" << "PSC";
    QTest::newRow("postal code taken") << 5 << false << QStringList{"PSC=81101", "POSTA=Iná"}
                                       << "Duplicitné poštové smerovacie číslo!" << "PSC";
    QTest::newRow("post office empty") << 5 << false << QStringList{"PSC=81102", "POSTA=  "}
                                       << "Pošta nesmie byť prázdna!" << "POSTA";
    // The edit starts in the post office: moving to the postal code must not check it too.
    QTest::newRow("postal code first when editing")
        << 5 << true << QStringList{"PSC=811", "POSTA="} << pscLength << "PSC";
    QTest::newRow("municipality without name") << 6 << false << QStringList{"NAZOV=  ", "PSC="}
                                               << "Názov obce nesmie byť prázdny." << "NAZOV";
    QTest::newRow("municipality and postal code taken")
        << 6 << false << QStringList{"NAZOV=Bratislava", "PSC=81101", "OKRES=Bratislava"}
        << "Duplicitná dvojica Obec a PSČ!" << "NAZOV";
    QTest::newRow("district empty") << 7 << false << QStringList{"OKRES= "}
                                    << "Okres nesmie byť prázdny!" << "OKRES";
    QTest::newRow("district taken, any case") << 7 << false << QStringList{"OKRES= lučenec"}
                                              << "Duplicitný názov okresu!" << "OKRES";
    QTest::newRow("district renamed to another") << 7 << true << QStringList{"OKRES=Galanta"}
                                                 << "Duplicitný názov okresu!" << "OKRES";
    QTest::newRow("title taken") << 8 << false << QStringList{"NAZOV=Ing."} << "Duplicitný titul!"
                                 << "NAZOV";
    QTest::newRow("state abbreviation empty") << 12 << false << QStringList{"SKRATKA= ", "NAZOV="}
                                              << "Skratka štátu nesmie byť prázdna!" << "SKRATKA";
    QTest::newRow("state abbreviation taken in small letters")
        << 12 << false << QStringList{"SKRATKA=sk", "NAZOV=Slovensko"}
        << "Duplicitná skratka štátu!" << "SKRATKA";
    QTest::newRow("state name empty") << 12 << false << QStringList{"SKRATKA=cz", "NAZOV= "}
                                      << "Názov štátu nesmie byť prázdny!" << "NAZOV";
    QTest::newRow("person without surname")
        << 20 << false << QStringList{"PRIEZVISK= ", "PSC=", "MENO=Ján"}
        << "Priezvisko nesmie byť prázdne!" << "PRIEZVISK";
}

void TestCodeListForms::checksFailInOrder() {
    QFETCH(int, module);
    QFETCH(bool, edit);
    QFETCH(QStringList, typed);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    CodeListsFixture f;
    f.seed();
    auto* m = dynamic_cast<TfDbForm*>(f.app.registry.module(module));
    QVERIFY(m && m->OpenTable());
    m->table().first();
    const int before = m->table().recordCount();
    f.ui.queueAnswer(1); // leaving with Späť afterwards
    f.ui.queueDialog([&](QDialog& d) {
        TfDbForm& form = Form(d);
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
    QCOMPARE(edit ? m->EditRecord() : m->AddRecord(), 0);
    const QList<RecordedNotice> shown = f.ui.takeNotices();
    QCOMPARE(TextsOf(shown), QStringList{message});
    QCOMPARE(shown[0].title, QString("Chyba"));
    QCOMPARE(m->table().recordCount(), before);
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestCodeListForms::acceptedSaves() {
    CodeListsFixture f;
    f.seed();
    // A post office edited with its own unchanged postal code.
    auto& psc = f.module<TfPscd>(5);
    QVERIFY(FindByKey(psc.table(), "PSC", "81101"));
    f.ui.queueDialog([](QDialog& d) {
        auto& form = As<TfPscd>(d);
        QCOMPARE(QApplication::focusWidget(), form.ePosta);
        form.ePosta->setText("Bratislava 11");
        form.pressOk();
        QVERIFY(!form.isVisible());
    });
    QCOMPARE(psc.EditRecord(), 1);
    QVERIFY(FindByKey(psc.table(), "PSC", "81101"));
    QCOMPARE(psc.table().field("POSTA").asString(), QString("Bratislava 11"));

    // A municipality saved unchanged, and the same name with another postal code.
    auto& obce = f.module<TfObecd>(6);
    obce.table().first();
    f.ui.queueDialog([](QDialog& d) { As<TfObecd>(d).pressOk(); });
    QCOMPARE(obce.EditRecord(), 1);
    f.ui.queueDialog([](QDialog& d) {
        auto& form = As<TfObecd>(d);
        form.ePsc->setText("04001");
        form.pressOk();
        QVERIFY(!form.isVisible());
    });
    QCOMPARE(obce.CopyRecord(), 1);
    QCOMPARE(CountEqual(obce.table(), "NAZOV", "Bratislava"), 2);

    // Titles may be empty, more than once.
    auto& titles = f.module<TfTituld>(8);
    for (int i = 0; i < 2; ++i) {
        f.ui.queueDialog([](QDialog& d) { As<TfTituld>(d).pressOk(); });
        QCOMPARE(titles.AddRecord(), 1);
    }
    QCOMPARE(titles.table().recordCount(), 3);
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
    QVERIFY(f.ui.verifyNoSurprises());
}

VIDORAW_TEST(TestCodeListForms)
#include "test_codelistforms.moc"

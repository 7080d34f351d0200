#include "frameworkfixture.h"
#include "testmain.h"

#include <QClipboard>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <csignal>

using namespace vidoraw;
using namespace vidoraw::test;

class TestRecordForm : public QObject {
    Q_OBJECT
private slots:
    void addProposesAndSavesNextCode();
    void checksFailInOrderAndKeepTheForm();
    void backAsksOnlyWhenEditing_data();
    void backAsksOnlyWhenEditing();
    void editAndCopy();
    void deletionQuestion_data();
    void deletionQuestion();
    void saveUnderForeignLockKeepsWhatWasTyped();
    void enterWrapsAndArrowsMove();
    void textOutsideCodePage1250Refused_data();
    void textOutsideCodePage1250Refused();
    void registryKeepsAndReleases();
    void lastValueOnEmptyTable();
};

void TestRecordForm::addProposesAndSavesNextCode() {
    FrameworkFixture f;
    TfOvocied& m = f.fruit();
    QString proposed;
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfOvocied>(d);
        proposed = form.eKod->text();
        QVERIFY(form.eKod->isReadOnly());
        form.eNazov->setText("Slivka");
        form.eCena->setText("3.25");
        form.pressOk();
    });
    QCOMPARE(m.AddRecord(), 1);
    QCOMPARE(proposed, QString("4"));
    QVERIFY(FindByKey(m.table(), "KOD", 4));
    QCOMPARE(m.table().field("NAZOV").asString(), QString("Slivka"));
    QCOMPARE(m.table().field("CENA").asFloat(), 3.25);
    QVERIFY(f.ui.verifyNoSurprises());
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
}

void TestRecordForm::checksFailInOrderAndKeepTheForm() {
    FrameworkFixture f;
    TfOvocied& m = f.fruit();
    QStringList seen;
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfOvocied>(d);
        form.eCena->setText("abc");
        form.pressOk(); // the name is checked first
        QVERIFY(form.isVisible());
        QCOMPARE(QApplication::focusWidget(), form.eNazov);
        form.eNazov->setText("Broskyňa");
        form.pressOk(); // now the price
        QVERIFY(form.isVisible());
        QCOMPARE(QApplication::focusWidget(), form.eCena);
        QCOMPARE(form.eCena->palette().color(QPalette::Base), f.app.colours.incorrect);
        form.eCena->setText("5");
        form.pressOk();
        QVERIFY(!form.isVisible());
    });
    QCOMPARE(m.AddRecord(), 1);
    for (const RecordedNotice& n : f.ui.takeNotices())
        seen << n.text;
    QCOMPARE(seen, QStringList({"Názov nemôže byť prázdny!", " Nesprávne desatinné číslo! "}));
    QCOMPARE(m.table().recordCount(), 4);
}

void TestRecordForm::backAsksOnlyWhenEditing_data() {
    QTest::addColumn<int>("operation"); // 0 add, 1 edit, 2 show
    QTest::addColumn<bool>("asks");
    QTest::newRow("add") << 0 << true;
    QTest::newRow("edit") << 1 << true;
    QTest::newRow("show") << 2 << false;
}

void TestRecordForm::backAsksOnlyWhenEditing() {
    QFETCH(int, operation);
    QFETCH(bool, asks);
    FrameworkFixture f;
    TfOvocied& m = f.fruit();
    m.table().first();
    if (asks) {
        f.ui.queueAnswer(0); // "no": the form stays
        f.ui.queueAnswer(1);
    }
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfOvocied>(d);
        if (operation == 2) {
            QVERIFY(!form.bbOk->isEnabled());
            QVERIFY(form.eNazov->isReadOnly());
        }
        form.eNazov->setText(operation == 2 ? form.eNazov->text() : "Zmenené");
        QTest::keyClick(&form, Qt::Key_Escape);
        if (asks) {
            QVERIFY(form.isVisible());
            QTest::keyClick(&form, Qt::Key_Escape);
        }
        QVERIFY(!form.isVisible());
    });
    const int r = operation == 0 ? m.AddRecord() : operation == 1 ? m.EditRecord() : m.ShowRecord();
    QCOMPARE(r, 0);
    QCOMPARE(f.ui.questions.size(), asks ? 2 : 0);
    if (asks)
        QCOMPARE(f.ui.questions.first(), QString(" Mám naozaj ukončiť editáciu bez uchovania?"));
    QCOMPARE(Walkthrough(m.table()), QStringList({"Jablko", "Hruška", "Čerešňa"}));
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestRecordForm::editAndCopy() {
    FrameworkFixture f;
    TfOvocied& m = f.fruit();
    QVERIFY(FindByKey(m.table(), "KOD", 2));
    f.ui.queueDialog([](QDialog& d) {
        auto& form = As<TfOvocied>(d);
        QCOMPARE(form.eNazov->text(), QString("Hruška"));
        QCOMPARE(form.eCena->text(), QString("2"));
        form.eCena->setText("2,5");
        QTest::keyClick(&form, Qt::Key_End, Qt::ControlModifier); // Ctrl+End is OK
    });
    QCOMPARE(m.EditRecord(), 1);
    QCOMPARE(m.table().field("CENA").asFloat(), 2.5);
    f.ui.queueDialog([](QDialog& d) {
        auto& form = As<TfOvocied>(d);
        QCOMPARE(form.eKod->text(), QString("4"));
        QCOMPARE(form.eNazov->text(), QString("Hruška"));
        form.pressOk();
    });
    QCOMPARE(m.CopyRecord(), 1);
    QCOMPARE(CountEqual(m.table(), "NAZOV", "Hruška"), 2);
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestRecordForm::deletionQuestion_data() {
    QTest::addColumn<int>("answer");
    QTest::newRow("yes") << 1;
    QTest::newRow("no") << 0;
}

void TestRecordForm::deletionQuestion() {
    QFETCH(int, answer);
    FrameworkFixture f;
    TfOvocied& m = f.fruit();
    m.table().first();
    f.ui.queueAnswer(answer);
    f.ui.queueDialog([](QDialog& d) {
        auto& form = As<TfOvocied>(d);
        QVERIFY(!form.bbOk->isVisible());
        QTRY_VERIFY(!form.isVisible()); // the 100 ms timer asks and closes
    });
    QCOMPARE(m.DeleteRecord(), answer);
    QCOMPARE(f.ui.questions, QStringList({"Mám naozaj zmazať tento záznam ?"}));
    QVERIFY(f.ui.placements.first().below);
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestRecordForm::saveUnderForeignLockKeepsWhatWasTyped() {
    FrameworkFixture f;
    TfOvocied& m = f.fruit();
    QString error;
    // The second program writes into a table of its own; the lock covers the whole data.
    QVERIFY(f.db->createTable("OSOBY.DB", {{"KOD", 'N', 0}, {"PRIEZ", 'A', 20}},
                              {IndexDef::Primary({"KOD"})}, &error));
    f.db->setLockTimeout(300);
    QProcess other;
    other.start(QStringLiteral(ENGINE_WORKER), {"hold", f.dataDir.path()});
    QVERIFY(other.waitForReadyRead(20000));
    QVERIFY(other.readAll().contains("HOLDING"));
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfOvocied>(d);
        form.eNazov->setText("Marhuľa");
        form.eCena->setText("7");
        form.pressOk();
        QVERIFY(form.isVisible());
        QCOMPARE(form.eNazov->text(), QString("Marhuľa"));
        ::kill(pid_t(other.processId()), SIGKILL);
        other.waitForFinished(20000);
        form.pressOk();
        QVERIFY(!form.isVisible());
    });
    QCOMPARE(m.AddRecord(), 1);
    const QList<RecordedNotice> shown = f.ui.takeNotices();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].title, QString("Chyba!"));
    QCOMPARE(shown[0].text, TfDbForm::saveErrorText());
    QVERIFY(FindByKey(m.table(), "NAZOV", "Marhuľa"));
    QCOMPARE(m.table().field("KOD").asInteger(), qint64(4));
}

void TestRecordForm::enterWrapsAndArrowsMove() {
    FrameworkFixture f;
    TfOvocied& m = f.fruit();
    f.ui.queueDialog([](QDialog& d) {
        auto& form = As<TfOvocied>(d);
        form.eNazov->setFocus();
        QTest::keyClick(form.eNazov, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), form.eCena);
        QCOMPARE(form.eCena->palette().color(QPalette::Base), QColor(255, 255, 196));
        QTest::keyClick(form.eCena, Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), form.eNazov);
        QTest::keyClick(form.eNazov, Qt::Key_Down);
        QTest::keyClick(form.eCena, Qt::Key_Return); // OK
        QTest::keyClick(form.bbOk, Qt::Key_Return);  // Späť
        QTest::keyClick(form.bbSpat, Qt::Key_Return); // wraps to the first field
        QVERIFY(QApplication::focusWidget() == form.eKod || QApplication::focusWidget() == form.eNazov);
        form.pressBack();
    });
    f.ui.queueAnswer(1);
    m.AddRecord();
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestRecordForm::textOutsideCodePage1250Refused_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("pasted"); // else typed key by key
    QTest::addColumn<QString>("kept");
    QTest::addColumn<QString>("memoKept"); // a memo drops only what it cannot hold
    QTest::newRow("Hungarian ő") << "ő" << false << "Aő" << "Aő";
    QTest::newRow("euro sign") << "€" << false << "A€" << "A€";
    QTest::newRow("Polish ł") << "ł" << false << "Ał" << "Ał";
    QTest::newRow("Cyrillic") << "ы" << false << "A" << "A";
    QTest::newRow("Chinese") << "中" << false << "A" << "A";
    QTest::newRow("pasted, all held") << "Žltá ruža €" << true << "AŽltá ruža €"
                                      << "AŽltá ruža €";
    QTest::newRow("pasted, one not held") << "Žltá ы!" << true << "A" << "AŽltá !";
}

void TestRecordForm::textOutsideCodePage1250Refused() {
    QFETCH(QString, typed);
    QFETCH(bool, pasted);
    QFETCH(QString, kept);
    QFETCH(QString, memoKept);
    FrameworkFixture f;
    TfOvocied& m = f.fruit();
    QString line, memo;
    // A memo of the form is held to the same rule.
    auto* notes = new QPlainTextEdit(&m);
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfOvocied>(d);
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        for (QWidget* field : {static_cast<QWidget*>(form.eNazov), static_cast<QWidget*>(notes)}) {
            field->setFocus();
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key_A, "A", Qt::NoModifier);
            if (pasted) {
                QApplication::clipboard()->setText(typed);
                QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
            } else {
                for (QChar c : typed)
                    QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c),
                                        Qt::NoModifier);
            }
        }
        line = form.eNazov->text();
        memo = notes->toPlainText();
        form.pressBack();
    });
    f.ui.queueAnswer(1);
    m.AddRecord();
    QCOMPARE(line, kept);
    QCOMPARE(memo, memoKept);
    QVERIFY(f.ui.verifyNoSurprises());
    delete notes;
}

void TestRecordForm::registryKeepsAndReleases() {
    FrameworkFixture f;
    RecordModule* a = f.app.registry.EnsureModule(kFruit);
    QVERIFY(a);
    QCOMPARE(f.app.registry.EnsureModule(kFruit), a);
    QCOMPARE(f.app.registry.ModuleIndex(kFruit), 0);
    QVERIFY(!f.app.registry.EnsureModule(57));
    QVERIFY(!f.app.registry.EnsureModule(9)); // no factory yet
    QCOMPARE(f.app.registry.ModuleIndex(0), -1);
    a->OpenTable();
    f.app.registry.ReleaseAll();
    QCOMPARE(f.app.registry.numbers(), std::vector<int>{1});
    RecordModule* fresh = f.app.registry.EnsureModule(kFruit);
    QVERIFY(fresh);
    QVERIFY(!fresh->table().isOpen());
    QCOMPARE(f.app.registry.FindModuleByListKey("OKRES"), 7);
    QCOMPARE(f.app.registry.FindModuleByListKey("NIC"), -1);
    // The search did not leave modules behind that it created only to look.
    QCOMPARE(f.app.registry.numbers(), (std::vector<int>{1, kFruit}));
}

void TestRecordForm::lastValueOnEmptyTable() {
    FrameworkFixture f;
    TfOvocied& m = f.fruit();
    QVERIFY(f.db->emptyTable(m.table().tableName(), nullptr));
    QCOMPARE(m.nextCode(), qint64(1));
}

VIDORAW_TEST(TestRecordForm)
#include "test_recordform.moc"

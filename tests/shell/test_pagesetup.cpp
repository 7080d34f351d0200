#include "reports/reporttemplates.h"
#include "shell/okraje.h"
#include "shell/posunzd.h"
#include "shellfixture.h"
#include "testmain.h"

#include "core/engine/tableops.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

using namespace vidoraw;
using namespace vidoraw::test;

namespace {

const QString kMargins = QStringLiteral("Systém/O&kraje stránky ...");
const QString kWrongNumber = QStringLiteral(" Nesprávne desatinné číslo! ");

TfPosunzd& Offsets(ShellFixture& f) {
    auto* m = dynamic_cast<TfPosunzd*>(f.app.registry.module(25));
    Q_ASSERT(m);
    m->OpenTable();
    return *m;
}

// A row straight through the engine: code, printer name, offsets of format 0.
bool AddPrinter(ShellFixture& f, int code, const QString& name, double x0 = 0, double y0 = 0) {
    Table& t = Offsets(f).table();
    WriteLock lock(*f.app.db);
    if (!lock.ok() || !t.append())
        return false;
    return t.field("KOD").setValue(code) && t.field("NAZOVTLAC").setAsString(name) &&
           t.field("POSUNXO0").setValue(x0) && t.field("POSUNYO0").setValue(y0) && t.post() &&
           lock.commit();
}

// "NAZOVTLAC", "X2", "Y0" name the boxes of the offsets form.
QLineEdit* Box(TfPosunzd& form, const QString& name) {
    if (name == "NAZOVTLAC")
        return form.eNazovTlac;
    const int n = name.mid(1).toInt();
    return name.startsWith('X') ? form.ePosunX[n] : form.ePosunY[n];
}

QLineEdit* MarginBox(TfOkraje& d, const QString& name) {
    if (name == "L")
        return d.eLavy;
    if (name == "P")
        return d.ePravy;
    if (name == "H")
        return d.eHorny;
    return d.eDolny;
}

} // namespace

class TestPageSetup : public QObject {
    Q_OBJECT
private slots:
    void offsetsAddCopyEdit();
    void offsetsChecks_data();
    void offsetsChecks();
    void offsetsList();
    void marginsTakenByWriter();
    void marginsChecks_data();
    void marginsChecks();
    void marginLeftWrongKeepsFocus();
    void marginsBackAsks();
};

void TestPageSetup::offsetsAddCopyEdit() {
    ShellFixture f;
    TfPosunzd& m = Offsets(f);

    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfPosunzd>(d);
        QCOMPARE(form.windowTitle(), QString("Posuny zostáv na konkrétnej tlačiarni"));
        QCOMPARE(form.eKod->text(), QString("1"));
        QVERIFY(form.eKod->isReadOnly());
        QCOMPARE(QApplication::focusWidget(), form.eNazovTlac);
        for (int n = 0; n < 4; ++n) {
            QCOMPARE(form.ePosunX[n]->text(), QString("0,00"));
            QCOMPARE(form.ePosunY[n]->text(), QString("0,00"));
        }
        form.eNazovTlac->setText("  HP LaserJet ");
        form.ePosunX[2]->setText(" 1.5");
        form.ePosunY[2]->setText("-0,75");
        form.pressOk();
        QVERIFY(!form.isVisible());
        QCOMPARE(form.ePosunX[2]->text(), QString("1,5"));
    });
    QCOMPARE(m.AddRecord(), 1);
    QVERIFY(FindByKey(m.table(), "KOD", 1));
    QCOMPARE(m.table().field("NAZOVTLAC").asString(), QString("HP LaserJet"));
    QCOMPARE(EnvelopeOffsets(f.app.db, "1", 2), QPointF(1.5, -0.75));
    QCOMPARE(EnvelopeOffsets(f.app.db, "1", 0), QPointF(0, 0));

    // Copy: the copied name is a duplicate until it is changed; the offsets come along.
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfPosunzd>(d);
        QCOMPARE(form.eKod->text(), QString("2"));
        QCOMPARE(form.ePosunY[2]->text(), QString("-0,75"));
        form.pressOk();
        QVERIFY(form.isVisible());
        QCOMPARE(QApplication::focusWidget(), form.eNazovTlac);
        form.eNazovTlac->setText("Epson");
        form.pressOk();
        QVERIFY(!form.isVisible());
    });
    QCOMPARE(m.CopyRecord(), 1);
    const QList<RecordedNotice> shown = f.ui.takeNotices();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text, QString("Duplicitný názov tlačiarne!"));
    QCOMPARE(shown[0].title, QString("Chyba"));
    QCOMPARE(EnvelopeOffsets(f.app.db, "2", 2), QPointF(1.5, -0.75));
    f.ui.clear();

    // Edit: the row's own name is no duplicate, another row's name is.
    QVERIFY(FindByKey(m.table(), "KOD", 1));
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfPosunzd>(d);
        QCOMPARE(QApplication::focusWidget(), form.eNazovTlac);
        QVERIFY(form.eKod->isReadOnly());
        form.ePosunX[0]->setText("3");
        form.pressOk();
        QVERIFY(!form.isVisible());
    });
    QCOMPARE(m.EditRecord(), 1);
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
    QCOMPARE(EnvelopeOffsets(f.app.db, "1", 0), QPointF(3, 0));
    QVERIFY(FindByKey(m.table(), "KOD", 1));
    f.ui.queueAnswer(1);
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfPosunzd>(d);
        form.eNazovTlac->setText("Epson");
        form.pressOk();
        QVERIFY(form.isVisible());
        form.pressBack();
    });
    QCOMPARE(m.EditRecord(), 0);
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList{"Duplicitný názov tlačiarne!"});

    // Show: OK disabled, focus on Späť.
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfPosunzd>(d);
        QVERIFY(!form.bbOk->isEnabled());
        QCOMPARE(QApplication::focusWidget(), form.bbSpat);
        form.pressBack();
    });
    QCOMPARE(m.ShowRecord(), 0);
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestPageSetup::offsetsChecks_data() {
    QTest::addColumn<bool>("edit"); // edit row 1 instead of adding
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::newRow("name empty") << false << QStringList{"NAZOVTLAC=   ", "X0=abc"} << "Chyba"
                                << "Názov tlačiarne nesmie byť prázdny!" << "NAZOVTLAC";
    QTest::newRow("name taken when adding")
        << false << QStringList{"NAZOVTLAC= HP "} << "Chyba" << "Duplicitný názov tlačiarne!"
        << "NAZOVTLAC";
    QTest::newRow("name of another row when editing")
        << true << QStringList{"NAZOVTLAC=Epson"} << "Chyba" << "Duplicitný názov tlačiarne!"
        << "NAZOVTLAC";
    QTest::newRow("letters") << false << QStringList{"NAZOVTLAC=Canon", "X1=1a"} << "Chyba !"
                             << kWrongNumber << "X1";
    QTest::newRow("two separators") << false << QStringList{"NAZOVTLAC=Canon", "Y3=1.2,5"}
                                    << "Chyba !" << kWrongNumber << "Y3";
    QTest::newRow("first wrong offset in order")
        << true << QStringList{"X3=x", "Y0=--1"} << "Chyba !" << kWrongNumber << "Y0";
    QTest::newRow("empty offset") << false << QStringList{"NAZOVTLAC=Canon", "X2= "} << "Chyba !"
                                  << kWrongNumber << "X2";
}

void TestPageSetup::offsetsChecks() {
    QFETCH(bool, edit);
    QFETCH(QStringList, typed);
    QFETCH(QString, title);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    ShellFixture f;
    QVERIFY(AddPrinter(f, 1, "HP", 1, 2));
    QVERIFY(AddPrinter(f, 2, "Epson"));
    TfPosunzd& m = Offsets(f);
    QVERIFY(FindByKey(m.table(), "KOD", 1));
    f.ui.queueAnswer(1);
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfPosunzd>(d);
        for (const QString& assignment : typed)
            Box(form, assignment.section('=', 0, 0))->setText(assignment.section('=', 1));
        form.pressOk();
        QVERIFY(form.isVisible());
        QCOMPARE(QApplication::focusWidget(), Box(form, focus));
        QCOMPARE(Box(form, focus)->palette().color(QPalette::Base), f.app.colours.incorrect);
        form.pressBack();
    });
    QCOMPARE(edit ? m.EditRecord() : m.AddRecord(), 0);
    const QList<RecordedNotice> shown = f.ui.takeNotices();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].title, title);
    QCOMPARE(shown[0].text, message);
    QCOMPARE(m.table().recordCount(), 2);
    QCOMPARE(EnvelopeOffsets(f.app.db, "1", 0), QPointF(1, 2));
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestPageSetup::offsetsList() {
    ShellFixture f;
    TfPosunzd& m = Offsets(f);
    QCOMPARE(m.listTitle(), QString("Zoznam posunov zostáv"));
    QCOMPARE(m.list.orderFields, QStringList({"KOD", "NAZOVTLAC"}));
    QCOMPARE(m.list.orderTitles, QStringList({"Kód", "Názov tlačiarne"}));
    QCOMPARE(m.list.printFields, m.list.orderFields);
    QCOMPARE(m.list.printTitles, m.list.orderTitles);
    QCOMPARE(m.list.printHeading, QStringList({"Zoznam posunov zostáv"}));
    // The table is made empty with its name index.
    QVERIFY(m.table().exists());
    QCOMPARE(m.table().recordCount(), 0);
    QVERIFY(AddPrinter(f, 4, "Zebra"));
    QVERIFY(FindByKey(m.table(), "NAZOVTLAC", "Zebra"));
    QCOMPARE(TfPosunzd::envelopeFormats().value(3), QString(" Obálka 125 x 177 Doporučene "));
}

void TestPageSetup::marginsTakenByWriter() {
    ShellFixture f;
    QVERIFY(f.program->runStartSequence());
    QCOMPARE(f.app.reports.settings().left, 10.0);
    QVERIFY(f.window().command(kMargins)->isEnabled());
    const QString font = f.app.reports.ReportFontName();
    f.ui.queueDialog([&](QDialog& d) {
        auto& dialog = As<TfOkraje>(d);
        QCOMPARE(dialog.windowTitle(), QString("Okraje stránky pre tlač"));
        QCOMPARE(dialog.eLavy->text(), QString("10"));
        QCOMPARE(dialog.eDolny->text(), QString("10"));
        dialog.eLavy->setText("12.5");
        dialog.ePravy->setText(" 7,25 ");
        dialog.eHorny->setText("0");
        dialog.eDolny->setText("20");
        dialog.pressOk();
        QVERIFY(!dialog.isVisible());
    });
    QVERIFY(f.run(kMargins));
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
    QCOMPARE(f.system("OKRAJL"), QString("12,5"));
    QCOMPARE(f.system("OKRAJP"), QString("7,25"));
    QCOMPARE(f.system("OKRAJH"), QString("0"));
    QCOMPARE(f.system("OKRAJD"), QString("20"));
    const ReportSettings s = f.app.reports.settings();
    QCOMPARE(s.left, 12.5);
    QCOMPARE(s.right, 7.25);
    QCOMPARE(s.top, 0.0);
    QCOMPARE(s.bottom, 20.0);
    QCOMPARE(s.fontName, font);
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestPageSetup::marginsChecks_data() {
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("focus");
    QTest::newRow("left") << QStringList{"L=a", "P=b"} << "L";
    QTest::newRow("right after a good left") << QStringList{"L=5", "P=1,2,3", "D=x"} << "P";
    QTest::newRow("top empty") << QStringList{"H=  "} << "H";
    QTest::newRow("bottom only") << QStringList{"L=1", "P=2", "H=3", "D=4mm"} << "D";
}

void TestPageSetup::marginsChecks() {
    QFETCH(QStringList, typed);
    QFETCH(QString, focus);
    ShellFixture f;
    QVERIFY(f.program->runStartSequence());
    f.ui.queueAnswer(1);
    f.ui.queueDialog([&](QDialog& d) {
        auto& dialog = As<TfOkraje>(d);
        for (const QString& assignment : typed)
            MarginBox(dialog, assignment.section('=', 0, 0))->setText(assignment.section('=', 1));
        dialog.pressOk();
        QVERIFY(dialog.isVisible());
        QCOMPARE(QApplication::focusWidget(), MarginBox(dialog, focus));
        dialog.pressBack();
        QVERIFY(!dialog.isVisible());
    });
    QVERIFY(f.run(kMargins));
    const QList<RecordedNotice> shown = f.ui.takeNotices();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].title, QString("Chyba !"));
    QCOMPARE(shown[0].text, kWrongNumber);
    // Nothing was written, not even the fields before the wrong one.
    for (const char* field : {"OKRAJL", "OKRAJP", "OKRAJH", "OKRAJD"})
        QCOMPARE(f.system(field), QString("10"));
    QCOMPARE(f.app.reports.settings().left, 10.0);
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestPageSetup::marginLeftWrongKeepsFocus() {
    ShellFixture f;
    f.ui.queueAnswer(1);
    f.ui.queueDialog([&](QDialog& d) {
        auto& dialog = As<TfOkraje>(d);
        dialog.activateWindow();
        dialog.focusField(dialog.eLavy);
        QTRY_COMPARE(QApplication::focusWidget(), dialog.eLavy);
        dialog.eLavy->setText(" 3.5 ");
        QTest::keyClick(dialog.eLavy, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), dialog.ePravy);
        QCOMPARE(dialog.eLavy->text(), QString("3,5"));
        dialog.ePravy->setText("abc");
        QTest::keyClick(dialog.ePravy, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), dialog.ePravy);
        dialog.pressBack();
    });
    QVERIFY(f.run(kMargins));
    const QList<RecordedNotice> shown = f.ui.takeNotices();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text, kWrongNumber);
    QCOMPARE(f.system("OKRAJL"), QString("10"));
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestPageSetup::marginsBackAsks() {
    ShellFixture f;
    // "No" keeps the dialog open, "yes" closes it without writing.
    f.ui.queueAnswer(0);
    f.ui.queueAnswer(1);
    f.ui.queueDialog([&](QDialog& d) {
        auto& dialog = As<TfOkraje>(d);
        dialog.eHorny->setText("33");
        dialog.pressBack();
        QVERIFY(dialog.isVisible());
        dialog.pressBack();
        QVERIFY(!dialog.isVisible());
    });
    QVERIFY(f.run(kMargins));
    QCOMPARE(f.ui.questions, QStringList({" Mám naozaj ukončiť editáciu bez uchovania?",
                                          " Mám naozaj ukončiť editáciu bez uchovania?"}));
    QCOMPARE(f.system("OKRAJH"), QString("10"));
    QVERIFY(f.ui.verifyNoSurprises());
}

VIDORAW_TEST(TestPageSetup)
#include "test_pagesetup.moc"

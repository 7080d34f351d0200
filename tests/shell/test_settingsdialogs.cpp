#include "shellfixture.h"
#include "testmain.h"

#include "framework/tablemodel.h"
#include "framework/tfbrowse.h"
#include "shell/farbyprvkovf.h"
#include "shell/farbyzoznamovf.h"
#include "shell/fontyf.h"
#include "shell/nastavf.h"
#include "shell/oprogramef.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <csignal>

using namespace vidoraw;
using namespace vidoraw::test;

namespace {

const QString kSettings = QStringLiteral("Systém/Na&stavenia ...");
const QString kFonts = QStringLiteral("Systém/&Font ...");
const QString kFieldColours = QStringLiteral("Systém/Farby &prvkov");
const QString kListColours = QStringLiteral("Systém/Farby pre &zoznamy ...");
const QString kAbout = QStringLiteral("Systém/O pro&grame ...");

QColor Background(const QLabel* l) { return l->palette().color(QPalette::Window); }
QColor Text(const QLabel* l) { return l->palette().color(QPalette::WindowText); }

ListColours Colours(QColor b1, QColor t1, QColor b2, QColor t2, int scheme) {
    ListColours c;
    c.background1 = b1;
    c.text1 = t1;
    c.background2 = b2;
    c.text2 = t2;
    c.scheme = scheme;
    return c;
}

using Cell = std::pair<QColor, QColor>; // background, text
Cell CellColours(TfBrowse& b, int row, const QString& field) {
    const QModelIndex at = b.model->index(row, b.model->columnOf(field));
    return {b.model->data(at, Qt::BackgroundRole).value<QColor>(),
            b.model->data(at, Qt::ForegroundRole).value<QColor>()};
}

const QColor cBlue(0, 0, 255), cWhite(255, 255, 255), cYellow(255, 255, 0), cRed(255, 0, 0),
    cBlack(0, 0, 0);

} // namespace

class TestSettingsDialogs : public QObject {
    Q_OBJECT
private slots:
    void commandsAreWired();
    void settingsWriteAN_data();
    void settingsWriteAN();
    void settingsUnderForeignLockStayOpen();
    void listSchemes_data();
    void listSchemes();
    void ownSchemePicksFourColours();
    void standardAndBack();
    void listColoursKeptInSettings();
    void unreadableListSchemeIsStandard();
    void rowPainting();
    void birthNumbersMarked_data();
    void birthNumbersMarked();
    void currentRowIsPaintedBlue();
    void clickedRowBecomesCurrentRecord();
    void fieldColours();
    void fontsWrittenAndApplied();
    void fontPickCancelledAndBack();
    void aboutTexts_data();
    void aboutTexts();
};

void TestSettingsDialogs::commandsAreWired() {
    ShellFixture f;
    QVERIFY(f.created);
    for (const QString& path : {kSettings, kFonts, kFieldColours, kListColours, kAbout}) {
        QVERIFY2(f.window().command(path), qPrintable(path));
        QVERIFY2(f.window().command(path)->isEnabled(), qPrintable(path));
    }
}

void TestSettingsDialogs::settingsWriteAN_data() {
    QTest::addColumn<bool>("pacnie");
    QTest::addColumn<bool>("rcmod11");
    QTest::newRow("both on") << true << true;
    QTest::newRow("patient only") << true << false;
    QTest::newRow("modulo 11 only") << false << true;
    QTest::newRow("both off") << false << false;
}

void TestSettingsDialogs::settingsWriteAN() {
    QFETCH(bool, pacnie);
    QFETCH(bool, rcmod11);
    ShellFixture f;
    // Start from the opposite, so that every box really changes.
    QVERIFY(WriteSystemFields(f.app, {{"PACNIE", pacnie ? "N" : "A"}, {"RCMOD11", rcmod11 ? "N" : "A"}}));
    QString caption;
    f.ui.queueDialog([&](QDialog& d) {
        auto& dialog = As<TfNastavf>(d);
        caption = dialog.windowTitle();
        QCOMPARE(dialog.cbPacnie->isChecked(), !pacnie);
        QCOMPARE(dialog.cbRcmod11->isChecked(), !rcmod11);
        QCOMPARE(dialog.cbPacnie->text(), QString("Úhrada pacienta v poukaze sa nenačítava"));
        QCOMPARE(dialog.cbRcmod11->text(),
                 QString("Farebne označí rodné čísla, ktoré nevyhovujú podmienke modulo 11"));
        dialog.cbPacnie->setChecked(pacnie);
        dialog.cbRcmod11->setChecked(rcmod11);
        dialog.pressOk();
        QVERIFY(!dialog.isVisible());
    });
    QVERIFY(f.run(kSettings));
    QCOMPARE(caption, QString("Nastavenia"));
    QCOMPARE(f.system("PACNIE"), QString(pacnie ? "A" : "N"));
    QCOMPARE(f.system("RCMOD11"), QString(rcmod11 ? "A" : "N"));

    // Späť writes nothing.
    f.ui.queueDialog([&](QDialog& d) {
        auto& dialog = As<TfNastavf>(d);
        QCOMPARE(dialog.cbPacnie->isChecked(), pacnie);
        dialog.cbPacnie->setChecked(!pacnie);
        dialog.pressBack();
    });
    QVERIFY(f.run(kSettings));
    QCOMPARE(f.system("PACNIE"), QString(pacnie ? "A" : "N"));
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestSettingsDialogs::settingsUnderForeignLockStayOpen() {
    ShellFixture f;
    QString error;
    QVERIFY(f.program->database()->createTable("OSOBY.DB", {{"KOD", 'N', 0}, {"PRIEZ", 'A', 20}},
                                               {IndexDef::Primary({"KOD"})}, &error));
    f.program->database()->setLockTimeout(300);
    QProcess other;
    other.start(QStringLiteral(ENGINE_WORKER), {"hold", f.dataDir.path()});
    QVERIFY(other.waitForReadyRead(20000));
    QVERIFY(other.readAll().contains("HOLDING"));
    f.ui.queueDialog([&](QDialog& d) {
        auto& dialog = As<TfNastavf>(d);
        dialog.cbRcmod11->setChecked(true);
        dialog.pressOk();
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.cbRcmod11->isChecked());
        ::kill(pid_t(other.processId()), SIGKILL);
        other.waitForFinished(20000);
        dialog.pressOk();
        QVERIFY(!dialog.isVisible());
    });
    QVERIFY(f.run(kSettings));
    const QList<RecordedNotice> shown = f.ui.takeNotices();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].title, QString("Chyba!"));
    QCOMPARE(shown[0].text, TfDbForm::saveErrorText());
    QCOMPARE(f.system("RCMOD11"), QString("A"));
}

void TestSettingsDialogs::listSchemes_data() {
    QTest::addColumn<int>("scheme");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QColor>("background1");
    QTest::addColumn<QColor>("background2");
    QTest::newRow("0") << 0 << "Modré farby" << QColor(247, 247, 255) << QColor(196, 196, 255);
    QTest::newRow("1") << 1 << "Zelené farby" << QColor(247, 255, 247) << QColor(196, 255, 196);
    QTest::newRow("2") << 2 << "Červené farby" << QColor(255, 247, 247) << QColor(255, 196, 196);
    QTest::newRow("3") << 3 << "Tyrkysové farby" << QColor(239, 255, 255) << QColor(128, 255, 255);
    QTest::newRow("4") << 4 << "Fialové farby" << QColor(255, 239, 255) << QColor(255, 128, 255);
    QTest::newRow("5") << 5 << "Žlté farby" << QColor(255, 255, 239) << QColor(255, 255, 128);
    QTest::newRow("6") << 6 << "Sivé farby" << QColor(239, 239, 239) << QColor(196, 196, 196);
    QTest::newRow("7") << 7 << "Biele farby" << QColor(255, 255, 255) << QColor(239, 239, 239);
    QTest::newRow("8") << 8 << "Štandardné farby" << QColor(255, 255, 255) << QColor(255, 255, 255);
}

void TestSettingsDialogs::listSchemes() {
    QFETCH(int, scheme);
    QFETCH(QString, name);
    QFETCH(QColor, background1);
    QFETCH(QColor, background2);
    ShellFixture f;
    // The dialog opens on the user's own colours, which every ready-made scheme replaces.
    f.app.listColours = Colours(Qt::darkGreen, Qt::white, Qt::darkBlue, Qt::yellow, 9);
    QStringList names;
    f.ui.queueDialog([&](QDialog& d) {
        auto& dialog = As<TfFarbyZoznamovf>(d);
        QCOMPARE(dialog.windowTitle(), QString("Nastavenia"));
        QCOMPARE(dialog.lbSchemy->currentRow(), 9);
        for (int i = 0; i < dialog.lbSchemy->count(); ++i)
            names << dialog.lbSchemy->item(i)->text();
        dialog.lbSchemy->setCurrentRow(scheme);
        QCOMPARE(dialog.lFarba1->text(), QString("Farba 1"));
        QCOMPARE(dialog.lFarba2->text(), QString("Farba 2"));
        QCOMPARE(Background(dialog.lFarba1), background1);
        QCOMPARE(Text(dialog.lFarba1), cBlack);
        QCOMPARE(Background(dialog.lFarba2), background2);
        QCOMPARE(Text(dialog.lFarba2), cBlack);
        for (QPushButton* b : dialog.bFarby)
            QVERIFY2(!b->isEnabled(), qPrintable(b->text()));
        dialog.pressOk();
    });
    QVERIFY(f.run(kListColours));
    QCOMPARE(names.value(scheme), name);
    QCOMPARE(names.size(), 10);
    QCOMPARE(names.last(), QString("Vlastné farby ..."));
    QCOMPARE(f.app.listColours, Colours(background1, cBlack, background2, cBlack, scheme));
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestSettingsDialogs::ownSchemePicksFourColours() {
    ShellFixture f;
    const QColor picks[4] = {QColor(10, 20, 30), QColor(40, 50, 60), QColor(70, 80, 90),
                             QColor(100, 110, 120)};
    QStringList titles;
    f.ui.queueDialog([&](QDialog& d) {
        auto& dialog = As<TfFarbyZoznamovf>(d);
        QCOMPARE(dialog.lbSchemy->currentRow(), 8); // a new settings file: the standard colours
        QVERIFY(!dialog.bFarby[0]->isEnabled());
        int next = 0;
        dialog.pickColour = [&](const QColor& initial, const QString& title) {
            titles << title;
            Q_UNUSED(initial);
            return next < 4 ? picks[next++] : QColor(); // the fifth pick is cancelled
        };
        dialog.lbSchemy->setCurrentRow(kOwnListColours);
        // The user's own scheme starts from the colours shown.
        QCOMPARE(Background(dialog.lFarba1), cWhite);
        for (QPushButton* b : dialog.bFarby) {
            QVERIFY(b->isEnabled());
            b->click();
        }
        dialog.bFarby[0]->click();
        QCOMPARE(Background(dialog.lFarba1), picks[0]);
        QCOMPARE(Text(dialog.lFarba1), picks[1]);
        QCOMPARE(Background(dialog.lFarba2), picks[2]);
        QCOMPARE(Text(dialog.lFarba2), picks[3]);
        dialog.pressOk();
    });
    QVERIFY(f.run(kListColours));
    QCOMPARE(titles, QStringList({"Podklad 1", "Písmo 1", "Podklad 2", "Písmo 2", "Podklad 1"}));
    QCOMPARE(f.app.listColours, Colours(picks[0], picks[1], picks[2], picks[3], kOwnListColours));
}

void TestSettingsDialogs::standardAndBack() {
    ShellFixture f;
    const ListColours opened = Colours(Qt::darkGreen, Qt::white, Qt::darkBlue, Qt::yellow, 9);
    f.app.listColours = opened;
    // "Späť" after changing the scheme and pressing "standard" leaves what the dialog opened with.
    f.ui.queueDialog([&](QDialog& d) {
        auto& dialog = As<TfFarbyZoznamovf>(d);
        dialog.lbSchemy->setCurrentRow(2);
        dialog.bStandard->click();
        QCOMPARE(Background(dialog.lFarba1), cWhite);
        dialog.pressBack();
    });
    QVERIFY(f.run(kListColours));
    QCOMPARE(f.app.listColours, opened);

    // "standard" in the user's own scheme: white with black text, the scheme stays.
    f.ui.queueDialog([&](QDialog& d) {
        auto& dialog = As<TfFarbyZoznamovf>(d);
        dialog.bStandard->click();
        QVERIFY(dialog.bFarby[0]->isEnabled());
        dialog.pressOk();
    });
    QVERIFY(f.run(kListColours));
    QCOMPARE(f.app.listColours, Colours(cWhite, cBlack, cWhite, cBlack, 9));

    // In a ready-made scheme it is the standard scheme.
    f.ui.queueDialog([&](QDialog& d) {
        auto& dialog = As<TfFarbyZoznamovf>(d);
        dialog.lbSchemy->setCurrentRow(4);
        dialog.bStandard->click();
        QCOMPARE(dialog.lbSchemy->currentRow(), 8);
        dialog.pressOk();
    });
    QVERIFY(f.run(kListColours));
    QCOMPARE(f.app.listColours, Colours(cWhite, cBlack, cWhite, cBlack, 8));
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestSettingsDialogs::listColoursKeptInSettings() {
    ShellFixture f([] {
        IniFile ini(kMainSettingsFile);
        ini.writeColor("BROWSE", "PODKLAD1", QColor(1, 2, 3));
        ini.writeColor("BROWSE", "PISMO1", QColor(4, 5, 6));
        ini.writeColor("BROWSE", "PODKLAD2", QColor(7, 8, 9));
        ini.writeColor("BROWSE", "PISMO2", QColor(10, 11, 12));
        ini.writeInteger("BROWSE", "INDEX", 9);
    });
    QCOMPARE(f.app.listColours, Colours(QColor(1, 2, 3), QColor(4, 5, 6), QColor(7, 8, 9),
                                        QColor(10, 11, 12), 9));
    f.ui.queueDialog([](QDialog& d) {
        auto& dialog = As<TfFarbyZoznamovf>(d);
        QCOMPARE(Background(dialog.lFarba2), QColor(7, 8, 9));
        dialog.lbSchemy->setCurrentRow(3);
        dialog.pressOk();
    });
    QVERIFY(f.run(kListColours));
    // Written only when the program ends.
    QCOMPARE(IniFile(kMainSettingsFile).readInteger("BROWSE", "INDEX"), 9);
    f.stop();
    IniFile ini(kMainSettingsFile);
    QCOMPARE(ini.readInteger("BROWSE", "INDEX"), 3);
    QCOMPARE(ini.readColor("BROWSE", "PODKLAD1"), QColor(239, 255, 255));
    QCOMPARE(ini.readColor("BROWSE", "PISMO1"), cBlack);
    QCOMPARE(ini.readColor("BROWSE", "PODKLAD2"), QColor(128, 255, 255));
    QCOMPARE(ini.readString("BROWSE", "PODKLAD2"), QString::number(0xFFFF80)); // red lowest
}

void TestSettingsDialogs::unreadableListSchemeIsStandard() {
    ShellFixture f([] {
        IniFile ini(kMainSettingsFile);
        ini.writeInteger("BROWSE", "INDEX", 12);
        ini.writeString("BROWSE", "PODKLAD1", "modrá");
    });
    QCOMPARE(f.app.listColours.scheme, 8);
    QCOMPARE(f.app.listColours.background1, cWhite);
    f.ui.queueDialog([](QDialog& d) {
        QCOMPARE(As<TfFarbyZoznamovf>(d).lbSchemy->currentRow(), 8);
    });
    QVERIFY(f.run(kListColours));
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestSettingsDialogs::rowPainting() {
    ShellFixture f;
    f.app.listColours = Colours(QColor(247, 247, 255), QColor(0, 0, 128), QColor(196, 196, 255),
                                QColor(0, 128, 0), 0);
    QList<Cell> rows;
    Cell currentFlagged;
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        QCOMPARE(b.grid->currentIndex().row(), 0);
        for (int row = 0; row < b.model->rowCount(); ++row)
            rows << CellColours(b, row, "PRIEZV");
        b.grid->setCurrentIndex(b.model->index(2, 0)); // a flagged row becomes current
        currentFlagged = CellColours(b, 2, "PRIEZV");
        rows[0] = CellColours(b, 0, "PRIEZV"); // no longer current
        b.commandBack();
    });
    TfBrowse browser(f.app);
    browser.Browse(8, TfBrowse::DefaultButtons(), false);
    QCOMPARE(rows.size(), 5);
    QCOMPARE(rows[0], Cell(QColor(247, 247, 255), QColor(0, 0, 128))); // pair 1
    QCOMPARE(rows[1], Cell(QColor(196, 196, 255), QColor(0, 128, 0))); // pair 2
    QCOMPARE(rows[2], Cell(cYellow, cRed));                           // flagged
    QCOMPARE(rows[3], Cell(cYellow, cRed));
    QCOMPARE(rows[4], Cell(QColor(247, 247, 255), QColor(0, 0, 128))); // pair 1 again
    QCOMPARE(currentFlagged, Cell(cBlue, cYellow));
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestSettingsDialogs::birthNumbersMarked_data() {
    QTest::addColumn<int>("module");
    QTest::addColumn<QString>("rcmod11");
    QTest::addColumn<bool>("marked");
    QTest::newRow("vouchers 47, on") << 47 << "A" << true;
    QTest::newRow("vouchers 17, on") << 17 << "A" << true;
    QTest::newRow("vouchers 47, off") << 47 << "N" << false;
    QTest::newRow("another list, on") << 8 << "A" << false;
}

void TestSettingsDialogs::birthNumbersMarked() {
    QFETCH(int, module);
    QFETCH(QString, rcmod11);
    QFETCH(bool, marked);
    ShellFixture f;
    QVERIFY(WriteSystemFields(f.app, {{"RCMOD11", rcmod11}}));
    QList<Cell> numbers, names;
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        for (int row = 0; row < b.model->rowCount(); ++row) {
            numbers << CellColours(b, row, "RODCIS");
            names << CellColours(b, row, "PRIEZV");
        }
        b.commandBack();
    });
    TfBrowse browser(f.app);
    browser.Browse(module, TfBrowse::DefaultButtons(), false);
    const Cell bad(cRed, cYellow);
    // Row 0 is current, 2 flagged; 1 and 3 fail modulo 11, and so does the empty one (4).
    for (int row : {1, 3, 4}) {
        QCOMPARE(numbers[row] == bad, marked);
        QCOMPARE(names[row] == bad, false);
    }
    for (int row : {0, 2})
        QCOMPARE(numbers[row], names[row]);
}

void TestSettingsDialogs::currentRowIsPaintedBlue() {
    ShellFixture f;
    f.app.listColours = Colours(QColor(247, 255, 247), cBlack, QColor(196, 255, 196), cBlack, 1);
    QImage shot;
    QRect current, second;
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        b.resize(640, 360);
        QApplication::processEvents();
        current = b.grid->visualRect(b.model->index(0, 1));
        second = b.grid->visualRect(b.model->index(1, 1));
        shot = b.grid->viewport()->grab().toImage();
        b.commandBack();
    });
    TfBrowse browser(f.app);
    browser.Browse(8, TfBrowse::DefaultButtons(), false);
    QVERIFY(!shot.isNull());
    // A pixel near the right end of a cell, clear of its text.
    auto probe = [&](const QRect& r) {
        return QColor(shot.pixel(r.right() - 2, r.center().y())).rgb();
    };
    QCOMPARE(probe(current), cBlue.rgb());
    QCOMPARE(probe(second), QColor(196, 255, 196).rgb());
}

void TestSettingsDialogs::clickedRowBecomesCurrentRecord() {
    ShellFixture f;
    QString edited;
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        const QRect r = b.grid->visualRect(b.model->index(3, 1));
        QTest::mouseClick(b.grid->viewport(), Qt::LeftButton, {}, r.center());
        QCOMPARE(b.grid->currentIndex().row(), 3);
        edited = b.module()->table().field("PRIEZV").asString();
        b.commandBack();
    });
    TfBrowse browser(f.app);
    browser.Browse(8, TfBrowse::DefaultButtons(), false);
    QCOMPARE(edited, QString("Dušek"));
}

void TestSettingsDialogs::fieldColours() {
    ShellFixture f;
    QString caption;
    f.ui.queueDialog([&](QDialog& d) {
        auto& dialog = As<TfFarbyPrvkovf>(d);
        caption = dialog.windowTitle();
        QCOMPARE(Background(dialog.samples[0]), QColor(255, 255, 255));
        QCOMPARE(Background(dialog.samples[1]), QColor(255, 255, 196));
        QCOMPARE(Background(dialog.samples[2]), QColor(255, 160, 160));
        dialog.pickColour = [](const QColor& initial, const QString&) {
            return initial == QColor(255, 255, 196) ? QColor(200, 230, 255) : QColor();
        };
        dialog.buttons[1]->click();
        dialog.buttons[2]->click(); // cancelled: stays
        QCOMPARE(Background(dialog.samples[1]), QColor(200, 230, 255));
        QCOMPARE(f.app.colours.current, QColor(255, 255, 196)); // not before OK
        dialog.pressOk();
    });
    QVERIFY(f.run(kFieldColours));
    QCOMPARE(caption, QString("Farby editačných prvkov formulára"));
    QCOMPARE(f.app.colours.current, QColor(200, 230, 255));
    QCOMPARE(f.app.colours.incorrect, QColor(255, 160, 160));

    f.ui.queueDialog([&](QDialog& d) {
        auto& dialog = As<TfFarbyPrvkovf>(d);
        QCOMPARE(Background(dialog.samples[1]), QColor(200, 230, 255));
        dialog.pickColour = [](const QColor&, const QString&) { return QColor(1, 1, 1); };
        dialog.buttons[0]->click();
        dialog.pressBack();
    });
    QVERIFY(f.run(kFieldColours));
    QCOMPARE(f.app.colours.normal, QColor(255, 255, 255));
    f.stop();
    QCOMPARE(IniFile(kMainSettingsFile).readColor("PRVKY", "FARBAAKTU"), QColor(200, 230, 255));
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestSettingsDialogs::fontsWrittenAndApplied() {
    ShellFixture f;
    QVERIFY(f.program->runStartSequence());
    QStringList asked;
    f.ui.queueDialog([&](QDialog& d) {
        auto& dialog = As<TfFontyf>(d);
        QCOMPARE(dialog.windowTitle(), QString("Fonty"));
        QCOMPARE(dialog.eMenoFontB->text(), f.system("MENOFONTB"));
        QCOMPARE(dialog.eMenoFont->text(), f.system("MENOFONT"));
        dialog.pickFont = [&](const QFont& initial, const QString& title) -> std::optional<QFont> {
            asked << title + ": " + initial.family();
            return QFont(title == "Písmo zoznamov" ? "DejaVu Serif" : "Liberation Mono");
        };
        dialog.bMenoFontB->click();
        dialog.bMenoFont->click();
        QCOMPARE(dialog.eMenoFontB->text(), QString("DejaVu Serif"));
        dialog.pressOk();
        QVERIFY(!dialog.isVisible());
    });
    const QString before = f.system("MENOFONTB");
    QVERIFY(f.run(kFonts));
    QCOMPARE(asked.size(), 2);
    QVERIFY(asked[0].startsWith("Písmo zoznamov"));
    QVERIFY(asked[1].startsWith("Písmo tlače"));
    QCOMPARE(f.system("MENOFONTB"), QString("DejaVu Serif"));
    QCOMPARE(f.system("MENOFONT"), QString("Liberation Mono"));
    QCOMPARE(f.app.listFont, QString("DejaVu Serif"));
    QCOMPARE(f.app.reports.ReportFontName(), QString("Liberation Mono"));
    QCOMPARE(f.window().header->font().family(), QString("DejaVu Serif"));
    QVERIFY(before != "DejaVu Serif");
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestSettingsDialogs::fontPickCancelledAndBack() {
    ShellFixture f;
    QVERIFY(f.program->runStartSequence());
    const QString list = f.system("MENOFONTB"), print = f.system("MENOFONT");
    const double margin = f.app.reports.settings().left;
    f.ui.queueDialog([&](QDialog& d) {
        auto& dialog = As<TfFontyf>(d);
        dialog.pickFont = [](const QFont&, const QString&) { return std::nullopt; };
        dialog.bMenoFont->click();
        QCOMPARE(dialog.eMenoFont->text(), print);
        dialog.pickFont = [](const QFont&, const QString&) { return QFont("DejaVu Serif"); };
        dialog.bMenoFontB->click();
        dialog.pressBack();
    });
    QVERIFY(f.run(kFonts));
    QCOMPARE(f.system("MENOFONTB"), list);
    QCOMPARE(f.app.listFont, list);
    // OK without a change keeps the margins the writer has.
    f.ui.queueDialog([](QDialog& d) { As<TfFontyf>(d).pressOk(); });
    QVERIFY(f.run(kFonts));
    QCOMPARE(f.app.reports.ReportFontName(), print);
    QCOMPARE(f.app.reports.settings().left, margin);
}

void TestSettingsDialogs::aboutTexts_data() {
    QTest::addColumn<double>("version");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("versionText");
    QTest::addColumn<QString>("dateText");
    QTest::newRow("newest") << 1.15 << QDate(2009, 1, 5) << "Verzia: 1.15" << "Zo dňa: 5.1.2009";
    QTest::newRow("one decimal") << 1.1 << QDate(2007, 12, 31) << "Verzia: 1.10" << "Zo dňa: 31.12.2007";
    QTest::newRow("whole") << 1.0 << QDate(2005, 6, 1) << "Verzia: 1.00" << "Zo dňa: 1.6.2005";
}

void TestSettingsDialogs::aboutTexts() {
    QFETCH(double, version);
    QFETCH(QDate, date);
    QFETCH(QString, versionText);
    QFETCH(QString, dateText);
    ShellFixture f;
    QVERIFY(WriteSystemFields(f.app, {{"VERZIA", version}, {"DATUM", date}}));
    QStringList shown;
    f.ui.queueDialog([&](QDialog& d) {
        auto& about = As<TfOProgramef>(d);
        shown << about.lVerzia->text() << about.lDatum->text();
        QTest::keyClick(&about, Qt::Key_Escape);
        QVERIFY(!about.isVisible());
    });
    QVERIFY(f.run(kAbout));
    QCOMPARE(shown, QStringList({versionText, dateText}));
    QVERIFY(f.ui.verifyNoSurprises());
}

VIDORAW_TEST(TestSettingsDialogs)
#include "test_settingsdialogs.moc"

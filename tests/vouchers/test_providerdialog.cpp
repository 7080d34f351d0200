#include "testmain.h"
#include "vouchersfixture.h"

#include "framework/systemrecord.h"
#include "shell/mainwindow.h"
#include "shell/program.h"
#include "vouchers/poskytovatelf.h"

#include <QAction>

using namespace vidoraw;
using namespace vidoraw::test;

namespace {

// The program on fresh data with the voucher modules and commands in place.
struct ProgramFixture {
    QTemporaryDir dataDir;
    QTemporaryDir configDir;
    ScriptedInteraction ui;
    AppContext app;
    std::unique_ptr<Program> program;

    ProgramFixture() {
        SetSettingsDirectory(configDir.path());
        RegisterShellModules(app);
        RegisterCodeListModules(app);
        RegisterVoucherModules(app);
        program = std::make_unique<Program>(app);
        QString error;
        if (program->create(dataDir.path(), &error))
            RegisterVoucherCommands(*program, app);
        else
            qWarning() << "program not created:" << error;
    }
    ~ProgramFixture() {
        program.reset();
        SetSettingsDirectory(QString());
    }
    QAction* command(const char* path) { return program->mainWindow()->command(QString::fromUtf8(path)); }
};

} // namespace

// The shop's own provider code and identifier, kept in the system record; the main menu's
// commands of the voucher code lists.
class TestProviderDialog : public QObject {
    Q_OBJECT
private slots:
    void mainMenuCommands();
    void codeAndIdentifier_data();
    void codeAndIdentifier();
};

void TestProviderDialog::mainMenuCommands() {
    ProgramFixture f;
    for (const char* path : {"Číselníky/&Optické pomôcky", "Číselníky/&Diagnózy",
                             "Číselníky/&Zmluvy", "Číselníky/&Poisťovne", "Číselníky/&Lekári",
                             "Číselníky/Poskytovateli&a", "Faktúry/&Poskytovateľ",
                             "Číselníky/Časté pou&kazy"}) {
        QVERIFY2(f.command(path) && f.command(path)->isEnabled(), path);
    }
    // Lists of other subsystems stay off.
    QVERIFY(!f.command("Faktúry/&Dávky")->isEnabled());
    // The command opens the aids' list.
    f.ui.queueDialog([](QDialog& d) {
        QCOMPARE(d.windowTitle(), QString("Zoznam optických pomôcok"));
        d.reject();
    });
    f.command("Číselníky/&Optické pomôcky")->trigger();
    QCOMPARE(f.ui.pendingDialogs(), 0);
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestProviderDialog::codeAndIdentifier_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("identifier");
    QTest::addColumn<QString>("message"); // empty: saved
    QTest::addColumn<QString>("focus");   // "code" or "identifier" when refused
    QTest::addColumn<QString>("savedIdentifier");
    QTest::newRow("identifier taken from the code") << "P12345678901" << "" << "" << ""
                                                    << "P12345";
    QTest::newRow("identifier of blanks taken from the code") << "P12345678901" << "      " << ""
                                                              << "" << "P12345";
    QTest::newRow("both typed") << "P12345678901" << "ABC123" << "" << "" << "ABC123";
    QTest::newRow("code of eleven") << "P1234567890" << "ABC123"
                                    << "Kód PZS musí byť dlhý 12 znakov!" << "code" << "";
    QTest::newRow("code empty") << "" << "" << "Kód PZS musí byť dlhý 12 znakov!" << "code" << "";
    QTest::newRow("identifier of five") << "P12345678901" << "ABC12"
                                        << "Kód PZS musí byť dlhý 6 znakov!" << "identifier" << "";
}

void TestProviderDialog::codeAndIdentifier() {
    QFETCH(QString, code);
    QFETCH(QString, identifier);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    QFETCH(QString, savedIdentifier);
    ProgramFixture f;
    QVERIFY(WriteSystemFields(f.app, {{"KODPZS", "OLD000000000"}, {"IDENTPZS", "OLD000"}}));
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfPoskytovatelf>(d);
        QCOMPARE(form.windowTitle(), QString("Poskytovateľ"));
        QCOMPARE(form.eKodpzs->text(), QString("OLD000000000"));
        QCOMPARE(form.eIdentpzs->text(), QString("OLD000"));
        QCOMPARE(form.eKodpzs->maxLength(), 12);
        QCOMPARE(form.eIdentpzs->maxLength(), 6);
        form.eKodpzs->setText(code);
        form.eIdentpzs->setText(identifier);
        form.pressOk();
        QCOMPARE(form.isVisible(), !message.isEmpty());
        if (!message.isEmpty()) {
            QCOMPARE(QApplication::focusWidget(), focus == "code" ? form.eKodpzs : form.eIdentpzs);
            form.pressBack();
        }
    });
    f.command("Faktúry/&Poskytovateľ")->trigger();
    const QList<RecordedNotice> notices = f.ui.takeNotices();
    QCOMPARE(TextsOf(notices), message.isEmpty() ? QStringList() : QStringList{message});
    if (!notices.isEmpty())
        QCOMPARE(notices[0].title, QString("Oznam"));
    QCOMPARE(SystemField(f.app, "KODPZS"), message.isEmpty() ? code.trimmed() : "OLD000000000");
    QCOMPARE(SystemField(f.app, "IDENTPZS"), message.isEmpty() ? savedIdentifier : "OLD000");
    QVERIFY(f.ui.verifyNoSurprises());
}

VIDORAW_TEST(TestProviderDialog)
#include "test_providerdialog.moc"

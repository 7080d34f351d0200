#include "framework/tfbrowse.h"
#include "testmain.h"
#include "usersfixture.h"

#include <QProcess>
#include <QPushButton>

using namespace vidoraw;
using namespace vidoraw::test;

// The user list: its table, the checks of its form, the names it gives to the rest of the
// program and the list of logged-in users.
class TestUserList : public QObject {
    Q_OBJECT
private slots:
    void freshTable();
    void checks_data();
    void checks();
    void titlePickedFromTheList();
    void displayName();
    void loggedInUsers();
    void reindexShowsLoggedInUsers();
};

namespace {
const QString kTooShort = QStringLiteral("Meno užívateľa musí mať aspoň 3 znaky!");
const QString kDuplicate = QStringLiteral("Duplicita mena užívateľa!");

// A user table of another installation that marks logged-in users.
bool MakeTableWithLoginMarks(UsersFixture& f, const QStringList& rows) {
    TfUzivd& m = f.users();
    m.table().close();
    QString error;
    FieldDefs fields = TfUzivd::Schema().fields;
    fields.push_back({"PRIHLASENY", 'A', 1});
    if (!f.app.db->dropTable("uziv.db", &error))
        return false;
    return CreateTableWithRows(*f.app.db, "uziv.db", fields, TfUzivd::Schema().indexes, rows, &error) &&
           m.OpenTable();
}
} // namespace

void TestUserList::freshTable() {
    UsersFixture f;
    TfUzivd& m = f.users();
    QCOMPARE(m.windowTitle(), QString("Užívateľ"));
    QCOMPARE(m.table().recordCount(), 1);
    QVERIFY(FindByKey(m.table(), "KOD", 1));
    QCOMPARE(m.table().field("UZIVATEL").asString(), QString("Admin"));
    QCOMPARE(m.table().field("HESLO").asString(), QString());
    QCOMPARE(m.table().field("TITUL").asString(), QString());
    QCOMPARE(m.table().field("MENO").asString(), QString("Správca"));
    QCOMPARE(m.table().field("PRIEZVISK").asString(), QString("Administrátor"));
    QCOMPARE(m.list.listTitle, QString("Zoznam užívateľov"));
    QCOMPARE(m.list.orderTitles, QStringList({"Kód", "Užívateľ"}));
    QCOMPARE(m.list.printFields, QStringList({"KOD", "UZIVATEL", "HESLO"}));
    // The login name order ignores case before and after a reindex alike.
    for (int pass = 0; pass < 2; ++pass) {
        QVERIFY(FindByKey(m.table(), "UZIVATEL", "ADMIN"));
        QString error;
        QVERIFY2(m.DefineIndexes(m.table(), &error), qPrintable(error));
    }
}

void TestUserList::checks_data() {
    QTest::addColumn<int>("editCode"); // 0: add
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("message"); // "" saves
    QTest::addColumn<QString>("focus");   // field with the focus after a refusal

    QTest::newRow("new user") << 0 << "" << "novak" << "" << "";
    QTest::newRow("new user with a title") << 0 << "Ing." << "novak" << "" << "";
    QTest::newRow("three letters are enough") << 0 << "" << " abc " << "" << "";
    QTest::newRow("two letters") << 0 << "" << "ab" << kTooShort << "UZIVATEL";
    QTest::newRow("two letters between blanks") << 0 << "" << "  ab  " << kTooShort << "UZIVATEL";
    QTest::newRow("no login name") << 0 << "" << "" << kTooShort << "UZIVATEL";
    QTest::newRow("the initial user's name") << 0 << "" << "Admin" << kDuplicate << "UZIVATEL";
    QTest::newRow("the same in other case") << 0 << "" << "aDMIN" << kDuplicate << "UZIVATEL";
    QTest::newRow("editing keeps its own name") << 1 << "" << "Admin" << "" << "";
    QTest::newRow("editing takes another's name") << 2 << "" << "admin" << kDuplicate << "UZIVATEL";
    // The title is checked first: an unknown one opens the pick list, which is closed.
    QTest::newRow("unknown title first") << 0 << "Xyz." << "ab" << "" << "TITUL";
}

void TestUserList::checks() {
    QFETCH(int, editCode);
    QFETCH(QString, title);
    QFETCH(QString, login);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    UsersFixture f;
    QVERIFY(f.addRow(8, {{"KOD", "1"}, {"NAZOV", "Ing."}}));
    QVERIFY(f.addRow(19, {{"KOD", "2"}, {"UZIVATEL", "Druhy"}, {"MENO", "Eva"}}));
    TfUzivd& m = f.users();
    const bool titleRefused = focus == "TITUL";
    const bool saves = message.isEmpty() && !titleRefused;
    if (editCode)
        QVERIFY(FindByKey(m.table(), "KOD", editCode));
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = dynamic_cast<TfUzivd&>(d);
        QCOMPARE(form.eKod->text(), editCode ? QString::number(editCode) : QString("3"));
        QVERIFY(form.eKod->isReadOnly());
        QCOMPARE(QApplication::focusWidget(), form.eTitul);
        form.eTitul->setText(title);
        form.eUzivatel->setText(login);
        form.eHeslo->setText(" Moje 1 ");
        form.pressOk();
        QCOMPARE(form.isVisible(), !saves);
        if (!saves) {
            QCOMPARE(form.focusWidget(), form.controlOf(focus));
            form.pressBack();
        }
    });
    if (titleRefused)
        f.ui.queueDialog([](QDialog& d) {
            QCOMPARE(d.windowTitle(), QString("Zoznam titulov"));
            dynamic_cast<TfBrowse&>(d).commandBack();
        });
    if (!saves)
        f.ui.queueAnswer(1); // the form is left without saving
    const int result = editCode ? m.EditRecord() : m.AddRecord();
    QCOMPARE(result, saves ? 1 : 0);
    const QList<RecordedNotice> notices = f.ui.takeNotices();
    QCOMPARE(TextsOf(notices), message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty())
        QCOMPARE(notices[0].title, QString("Chyba"));
    QCOMPARE(m.table().recordCount(), 2 + (saves && !editCode ? 1 : 0));
    if (saves) {
        QVERIFY(FindByKey(m.table(), "KOD", editCode ? editCode : 3));
        QCOMPARE(m.table().field("UZIVATEL").asString(), login.trimmed());
        QCOMPARE(m.table().field("TITUL").asString(), title);
        QCOMPARE(m.table().field("HESLO").asString(), QString(" Moje 1 ")); // kept as typed
    }
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestUserList::titlePickedFromTheList() {
    UsersFixture f;
    QVERIFY(f.addRow(8, {{"KOD", "1"}, {"NAZOV", "Ing."}}));
    QVERIFY(f.addRow(8, {{"KOD", "2"}, {"NAZOV", "MUDr."}}));
    TfUzivd& m = f.users();
    Table& titles = f.app.registry.module(8)->table();
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = dynamic_cast<TfUzivd&>(d);
        form.eTitul->setText("Dr");
        form.eUzivatel->setText("lekar");
        // Leaving the title looks it up; not found, the list is offered.
        QTest::keyClick(form.eTitul, Qt::Key_Return);
        QCOMPARE(form.eTitul->text(), QString("MUDr."));
        form.pressOk();
        QVERIFY(!form.isVisible());
    });
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = dynamic_cast<TfBrowse&>(d);
        QVERIFY(FindByKey(titles, "NAZOV", "MUDr."));
        b.syncGridToTable();
        b.commandPick();
    });
    QCOMPARE(m.AddRecord(), 1);
    QVERIFY(FindByKey(m.table(), "KOD", 2));
    QCOMPARE(m.table().field("TITUL").asString(), QString("MUDr."));
}

void TestUserList::displayName() {
    UsersFixture f;
    QCOMPARE(UserDisplayName(f.app, "1"), QString("Správca Administrátor"));
    QCOMPARE(UserDisplayName(f.app, f.app.userCode), QString("Správca Administrátor"));
    QVERIFY(f.addRow(19, {{"KOD", "2"}, {"UZIVATEL", "novak"}, {"TITUL", "Ing."},
                          {"MENO", "Ján"}, {"PRIEZVISK", "Novák"}}));
    QVERIFY(f.addRow(19, {{"KOD", "3"}, {"UZIVATEL", "mala"}, {"PRIEZVISK", "Malá"}}));
    QCOMPARE(UserDisplayName(f.app, "2"), QString("Ing. Ján Novák"));
    QCOMPARE(UserDisplayName(f.app, "3"), QString("Malá"));
    QCOMPARE(UserDisplayName(f.app, "99"), QString());
    QCOMPARE(UserDisplayName(f.app, ""), QString());
}

void TestUserList::loggedInUsers() {
    UsersFixture f;
    QCOMPARE(LoggedInUsers(f.app), QString()); // only the initial user
    // Our own table has no login marks: nobody is listed, whoever is in it.
    QVERIFY(f.addRow(19, {{"KOD", "2"}, {"UZIVATEL", "novak"}, {"MENO", "Ján"}}));
    QCOMPARE(LoggedInUsers(f.app), QString());
    QVERIFY(MakeTableWithLoginMarks(
        f, {"4|velky||Ing.|Peter|Veľký|A", "1|Admin|||Správca|Administrátor|A",
            "3|mala|||Eva|Malá|N", "2|novak|||Ján|Novák|A", "5|bez|||Ivan|Bezznačky|"}));
    QVERIFY(f.users().table().setOrder("UZIVATEL"));
    // In code order, without the working user.
    QCOMPARE(LoggedInUsers(f.app), QString("Ján Novák | Peter Veľký"));
    QCOMPARE(f.users().table().order(), QString("KOD"));
}

void TestUserList::reindexShowsLoggedInUsers() {
    UsersFixture f;
    QVERIFY(MakeTableWithLoginMarks(f, {"1|Admin|||Správca|Administrátor|A",
                                        "2|novak|||Ján|Novák|A"}));
    QProcess other;
    other.start(QStringLiteral(ENGINE_WORKER), {"open", f.dataDir.path()});
    QVERIFY(other.waitForReadyRead(20000));
    QVERIFY(other.readAll().contains("READY"));
    f.ui.queueAnswer(1);
    QVERIFY(f.run(QStringLiteral("Systém/&Reindexácia ...")));
    other.kill();
    other.waitForFinished(20000);
    const QList<RecordedNotice> notices = f.ui.takeNotices();
    QCOMPARE(notices.size(), 2);
    QCOMPARE(notices[1].title, QString("Zoznam prihlásených užívateľov"));
    QCOMPARE(notices[1].text, QString("Ján Novák"));
    QVERIFY(f.ui.verifyNoSurprises());
}

VIDORAW_TEST(TestUserList)
#include "test_userlist.moc"

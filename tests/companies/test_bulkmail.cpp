#include "companiesfixture.h"
#include "localsmtp.h"
#include "testmain.h"

#include "framework/adrarch.h"
#include "invoicing/bulkmail.h"
#include "invoicing/hmd.h"

#include <QComboBox>
#include <QPushButton>
#include <QRegularExpression>

using namespace vidoraw;
using namespace vidoraw::test;

// Bulk mail: the mails as they leave, a real mail server receiving them, refusals, the stop
// button, drafts where no server is set, and where the server settings are kept.
class TestBulkMail : public QObject {
    Q_OBJECT
private slots:
    void mailAddresses_data();
    void mailAddresses();
    void quotedPrintable_data();
    void quotedPrintable();
    void subjectHeader();
    void templateFilledByField();
    void sentToListedCompaniesWithAddress_data();
    void sentToListedCompaniesWithAddress();
    void refusedRecipientReportedByAddress();
    void loginWithKeptPassword_data();
    void loginWithKeptPassword();
    void stopButton();
    void draftsWhereNoServer();
    void missingTemplateFile();
    void definitionChecks_data();
    void definitionChecks();
    void passwordKeptApart_data();
    void passwordKeptApart();
    void settingsWindow();
};

namespace {

const QString kTemplate = QString::fromUtf8("Vážený zákazník XXX_NAZOV,\n"
                                            "vaše IČO je XXX_ICO (XXX_ICOI).\n"
                                            ".bodka na začiatku riadku\n"
                                            "Ďakujeme, Optika Šošovka\n");
const QString kSubject = QString::fromUtf8("Jarná ponuka – zľava 20 % pre XXX_NAZOV");

// Five companies, two of them with an address (one a customer only).
void SeedCompanies(CompaniesFixture& f) {
    f.addCompany(1, "11111111", {{"NAZOV", "Alfa"}, {"JEODB", "A"}});
    f.addCompany(2, "22222222",
                 {{"NAZOV", "Beta s.r.o."}, {"MAIL", " beta@firma.sk "}, {"JEODB", "A"}});
    f.addCompany(3, "33333333", {{"NAZOV", "Gama"}, {"MAIL", "  "}, {"JEODB", "A"}});
    f.addCompany(4, "04444444",
                 {{"NAZOV", "Delta Žilina"}, {"MAIL", "delta@firma.sk"}, {"JEODB", "N"}});
    f.addCompany(5, "55555555", {{"NAZOV", "Epsilon"}, {"JEODB", "N"}});
}

void SeedDefinition(CompaniesFixture& f, const QString& file = "ponuka.txt") {
    f.addRow(module::kHm,
             {{"KOD", "1"}, {"POPIS", "Iná"}, {"MENOSUB", "ina.txt"}, {"SUBJECT", "x"}});
    f.addRow(module::kHm,
             {{"KOD", "2"}, {"POPIS", "Jarná ponuka"}, {"MENOSUB", file}, {"SUBJECT", kSubject}});
    QFile t(QDir(f.dataDir.path()).filePath("Ponuka.TXT"));
    QVERIFY(t.open(QIODevice::WriteOnly));
    t.write(kTemplate.toUtf8());
}

void UseServer(int port, const QString& user = {}, const QString& password = {}) {
    SmtpSettings s;
    s.host = "127.0.0.1";
    s.port = port;
    s.security = SmtpSecurity::None;
    s.user = user;
    s.password = password;
    s.from = "obchod@optika.sk";
    QString error;
    QVERIFY2(WriteSmtpSettings(s, &error), qPrintable(error));
}

// The pick list of the definitions: definition 2 is picked.
void QueuePickedDefinition(CompaniesFixture& f) {
    f.ui.queueDialog([&f](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        QCOMPARE(b.windowTitle(), QString("Zoznam hromadných mailov"));
        QVERIFY(FindByKey(f.table(module::kHm), "KOD", 2));
        b.syncGridToTable();
        b.commandPick();
    });
}

// A small decoder of quoted-printable, to see what a mail program will read.
QString DecodeQuotedPrintable(const QByteArray& encoded) {
    QByteArray out;
    const QByteArray joined = QByteArray(encoded).replace("=\r\n", "");
    for (int i = 0; i < joined.size(); ++i) {
        if (joined[i] == '=' && i + 2 < joined.size()) {
            out += char(joined.mid(i + 1, 2).toInt(nullptr, 16));
            i += 2;
        } else {
            out += joined[i];
        }
    }
    return QString::fromUtf8(out).replace("\r\n", "\n");
}

} // namespace

void TestBulkMail::mailAddresses_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("usable");
    QTest::newRow("plain") << "jan.novak@firma.sk" << true;
    QTest::newRow("with plus and dash") << "obchod+jar@moja-firma.sk" << true;
    QTest::newRow("no at") << "firma.sk" << false;
    QTest::newRow("two ats") << "a@b@firma.sk" << false;
    QTest::newRow("blank inside") << "jan novak@firma.sk" << false;
    QTest::newRow("a second recipient") << "a@firma.sk;b@firma.sk" << false;
    QTest::newRow("a header smuggled in") << "a@firma.sk\r\nBcc: all@x.sk" << false;
    QTest::newRow("brackets") << "<a@firma.sk>" << false;
    QTest::newRow("a letter outside ASCII") << "ján@firma.sk" << false;
    QTest::newRow("nothing after at") << "jan@" << false;
    QTest::newRow("domain with two dots") << "jan@firma..sk" << false;
}

void TestBulkMail::mailAddresses() {
    QFETCH(QString, address);
    QFETCH(bool, usable);
    QCOMPARE(IsUsableMailAddress(address), usable);
}

void TestBulkMail::quotedPrintable_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("Slovak letters") << QString::fromUtf8("Žltý kôň úpel ďábelské ódy – ľščťžýáíé");
    QTest::newRow("blanks at line ends") << "riadok s medzerou \ndruhý\t\n";
    QTest::newRow("equals sign") << "a=b =3D";
    QTest::newRow("a long line") << QString::fromUtf8("Dlhý riadok ") +
                                        QString::fromUtf8("čšž ").repeated(60);
    QTest::newRow("line breaks of any kind") << "prvý\r\ndruhý\rtretí\n\npiaty";
    QTest::newRow("empty") << "";
}

void TestBulkMail::quotedPrintable() {
    QFETCH(QString, text);
    const QByteArray encoded = QuotedPrintable(text);
    for (const QByteArray& line : encoded.split('\n')) {
        const QByteArray bare = line.endsWith('\r') ? line.chopped(1) : line;
        QVERIFY2(bare.size() <= 76, bare.constData());
        QVERIFY2(!bare.endsWith(' ') && !bare.endsWith('\t'), bare.constData());
        for (char c : bare)
            QVERIFY(c >= 32 && c < 127);
    }
    QString expected = text;
    expected.replace("\r\n", "\n").replace('\r', '\n');
    QCOMPARE(DecodeQuotedPrintable(encoded), expected);
}

void TestBulkMail::subjectHeader() {
    QCOMPARE(EncodedHeaderText("Plain subject"), QByteArray("Plain subject"));
    QCOMPARE(EncodedHeaderText("two\r\nlines"), QByteArray("two  lines")); // never a new header
    const QString slovak = QString::fromUtf8("Ponuka pre vás: ").repeated(5);
    const QByteArray encoded = EncodedHeaderText(slovak);
    QString decoded;
    for (const QByteArray& word : encoded.split('\n')) {
        const QByteArray w = word.trimmed();
        QVERIFY(w.size() <= 75);
        QVERIFY(w.startsWith("=?UTF-8?B?") && w.endsWith("?="));
        decoded += QString::fromUtf8(QByteArray::fromBase64(w.mid(10, w.size() - 12)));
    }
    QCOMPARE(decoded, slovak);
}

void TestBulkMail::templateFilledByField() {
    CompaniesFixture f;
    f.addCompany(1, "01234567", {{"NAZOV", "Alfa"}, {"DICO", "2020/1"}, {"DICON", "2020123"}});
    Table& t = f.table(module::kFirma);
    t.first();
    // Names that begin alike each get their own value, wherever and however often they stand.
    QCOMPARE(FillMailTemplate(t, "XXX_ICOI/XXX_ICO\nXXX_DICON, XXX_DICO; XXX_NAZOV XXX_NAZOV "
                                 "XXX_NEZNAME XXX_KOD"),
             QString("1234567/01234567\n2020123, 2020/1; Alfa Alfa XXX_NEZNAME 1"));
}

void TestBulkMail::sentToListedCompaniesWithAddress_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("addresses");
    QTest::newRow("all five listed") << "" << QStringList{"beta@firma.sk", "delta@firma.sk"};
    QTest::newRow("customers listed") << "&Odberatelia" << QStringList{"beta@firma.sk"};
}

void TestBulkMail::sentToListedCompaniesWithAddress() {
    QFETCH(QString, filter);
    QFETCH(QStringList, addresses);
    LocalSmtpServer server;
    if (!server.start()) QSKIP("python3-aiosmtpd is not installed");
    CompaniesFixture f;
    SeedCompanies(f);
    SeedDefinition(f);
    UseServer(server.port);
    TfFirmad& m = f.companies();
    if (!filter.isEmpty()) {
        QObject owner;
        for (QAction* a : m.filterCommands(nullptr, &owner))
            if (a->text() == filter) a->trigger();
    }
    QVERIFY(FindByKey(m.table(), "KOD", 2));
    QueuePickedDefinition(f);
    f.ui.queueAnswer(1);
    SendBulkMail(f.app, nullptr);
    QCOMPARE(f.ui.questions, QStringList{"Mám naozaj poslať mail všetkým?"});
    const QList<RecordedNotice> shown = f.ui.takeNotices();
    QCOMPARE(TextsOf(shown), QStringList{QString("Posielanie mailov ukončené. Poslali sme mail "
                                                 "pre: %1 klientov.")
                                             .arg(addresses.size())});
    QCOMPARE(shown[0].title, QString("Oznam"));
    QCOMPARE(m.table().field("KOD").asInteger(), 2); // the list stays where it was

    const QList<QJsonObject> mails = server.received();
    QCOMPARE(mails.size(), addresses.size());
    for (int i = 0; i < mails.size(); ++i) {
        const QJsonObject& mail = mails[i];
        QCOMPARE(mail["from"].toString(), QString("obchod@optika.sk"));
        QCOMPARE(mail["to"].toArray(), QJsonArray{addresses[i]});
        QCOMPARE(mail["headerTo"].toString(), addresses[i]);
        QCOMPARE(mail["subject"].toString(), kSubject); // the subject is sent as it stands
        QCOMPARE(mail["encoding"].toString(), QString("quoted-printable"));
        const QString name = i == 0 ? "Beta s.r.o." : "Delta Žilina";
        const QString ico = i == 0 ? "22222222 (22222222)" : "04444444 (4444444)";
        QCOMPARE(mail["body"].toString(),
                 QString::fromUtf8("Vážený zákazník %1,\nvaše IČO je %2.\n.bodka na začiatku "
                                   "riadku\nĎakujeme, Optika Šošovka\n")
                     .arg(name, ico));
    }
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestBulkMail::refusedRecipientReportedByAddress() {
    LocalSmtpServer server;
    if (!server.start({"delta@firma.sk"})) QSKIP("python3-aiosmtpd is not installed");
    CompaniesFixture f;
    SeedCompanies(f);
    f.addCompany(6, "66666666", {{"NAZOV", "Eta"}, {"MAIL", "eta@firma.sk"}});
    f.addCompany(7, "77777777", {{"NAZOV", "Théta"}, {"MAIL", "theta@firma.sk; x@y.sk"}});
    SeedDefinition(f);
    UseServer(server.port);
    QueuePickedDefinition(f);
    f.ui.queueAnswer(1);
    SendBulkMail(f.app, nullptr);
    const QList<RecordedNotice> shown = f.ui.takeNotices();
    QCOMPARE(TextsOf(shown),
             QStringList{"Posielanie mailov ukončené. Poslali sme mail pre: 2 klientov.\n"
                         "Nepodarilo sa poslať mail na tieto adresy:\n"
                         "delta@firma.sk: 550 5.1.1 <delta@firma.sk>: Recipient address "
                         "rejected: User unknown\n"
                         "theta@firma.sk; x@y.sk: Adresa nie je správna."});
    QCOMPARE(shown[0].kind, NoticeKind::Warning);
    // The mails after the refused one still went out.
    QStringList to;
    for (const QJsonObject& mail : server.received())
        to << mail["to"].toArray().first().toString();
    QCOMPARE(to, QStringList({"beta@firma.sk", "eta@firma.sk"}));
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestBulkMail::loginWithKeptPassword_data() {
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("right password") << QString::fromUtf8("tajné heslo") << true;
    QTest::newRow("wrong password") << "zle" << false;
}

void TestBulkMail::loginWithKeptPassword() {
    QFETCH(QString, password);
    QFETCH(bool, accepted);
    LocalSmtpServer server;
    if (!server.start({}, "obchod", QString::fromUtf8("tajné heslo")))
        QSKIP("python3-aiosmtpd is not installed");
    CompaniesFixture f;
    SeedCompanies(f);
    UseServer(server.port, "obchod", password);
    // What the settings keep is what the session uses.
    const SmtpSettings settings = ReadSmtpSettings();
    QCOMPARE(settings.password, password);
    QList<OutgoingMail> mails{
        {"beta@firma.sk", {"obchod@optika.sk", "beta@firma.sk", "Ahoj", "Text"}}};
    TfHmPriebeh progress;
    const BulkMailResult result = SendMailsOverSmtp(mails, settings, progress);
    QCOMPARE(result.sent, accepted ? 1 : 0);
    QCOMPARE(server.received().size(), accepted ? 1 : 0);
    if (accepted) {
        QCOMPARE(server.received().first()["login"].toString(), QString("obchod"));
    } else {
        QCOMPARE(result.failed.size(), 1);
        QVERIFY2(result.failed[0].second.startsWith("535"), qPrintable(result.failed[0].second));
    }
}

void TestBulkMail::stopButton() {
    LocalSmtpServer server;
    if (!server.start()) QSKIP("python3-aiosmtpd is not installed");
    CompaniesFixture f;
    UseServer(server.port);
    QList<OutgoingMail> mails;
    for (const char* address : {"a@firma.sk", "b@firma.sk", "c@firma.sk"})
        mails.append({address, {"obchod@optika.sk", address, "Ahoj", "Text"}});
    TfHmPriebeh progress;
    QStringList shown;
    QObject::connect(&progress, &TfHmPriebeh::stepped, [&](int index) {
        shown << progress.lText->text();
        QVERIFY(progress.isVisible());
        if (index == 1) progress.bZastav->click(); // while the second mail is about to leave
    });
    const BulkMailResult result = SendMailsOverSmtp(mails, ReadSmtpSettings(), progress);
    QCOMPARE(shown,
             QStringList({"Posielam mail 1 z 3: a@firma.sk", "Posielam mail 2 z 3: b@firma.sk"}));
    QVERIFY(result.stopped);
    QCOMPARE(result.sent, 1);
    QVERIFY(result.failed.isEmpty());
    QCOMPARE(server.received().size(), 1);
    QVERIFY(BulkMailReport(result).endsWith("Posielanie ste zastavili pred koncom zoznamu."));
    QVERIFY(!progress.isVisible());
}

void TestBulkMail::draftsWhereNoServer() {
    CompaniesFixture f;
    SeedCompanies(f);
    SeedDefinition(f);
    QTemporaryDir drafts;
    QueuePickedDefinition(f);
    f.ui.queueAnswer(1);
    f.ui.queueDialog([&](QDialog& d) {
        auto& dir = As<TfAdrarch>(d);
        QCOMPARE(dir.windowTitle(), QString("Adresár pre koncepty mailov"));
        dir.eAdresar->setText(drafts.path());
        dir.pressOk();
    });
    SendBulkMail(f.app, nullptr);
    QCOMPARE(f.ui.takeNoticeTexts(),
             QStringList{"Server pre hromadný mail nie je nastavený. Maily pre 2 klientov sme "
                         "uložili ako koncepty (súbory .eml) do adresára: " +
                         QDir::toNativeSeparators(drafts.path())});
    const QStringList files = QDir(drafts.path()).entryList({"*.eml"}, QDir::Files, QDir::Name);
    QCOMPARE(files, QStringList({"001 beta@firma.sk.eml", "002 delta@firma.sk.eml"}));
    QFile draft(QDir(drafts.path()).filePath(files[1]));
    QVERIFY(draft.open(QIODevice::ReadOnly));
    const QByteArray bytes = draft.readAll();
    const qsizetype split = bytes.indexOf("\r\n\r\n");
    const QByteArray headers = bytes.left(split);
    QVERIFY(headers.contains("\r\nTo: delta@firma.sk\r\n"));
    QVERIFY(headers.contains("\r\nX-Unsent: 1"));
    QVERIFY(!headers.contains("From:")); // no sender set: the mail program puts its own
    QVERIFY(DecodeQuotedPrintable(bytes.mid(split + 4))
                .startsWith(QString::fromUtf8("Vážený zákazník Delta Žilina,")));
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestBulkMail::missingTemplateFile() {
    CompaniesFixture f;
    SeedCompanies(f);
    SeedDefinition(f, "jesen.txt");
    UseServer(1); // never reached
    QueuePickedDefinition(f);
    f.ui.queueAnswer(1);
    SendBulkMail(f.app, nullptr);
    const QList<RecordedNotice> shown = f.ui.takeNotices();
    QCOMPARE(TextsOf(shown), QStringList{"Súbor s predlohou mailu pre všetkých sa nenach8dya v "
                                         "pracovnom adresári programu!"});
    QCOMPARE(shown[0].title, QString("Oznam"));
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestBulkMail::definitionChecks_data() {
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::newRow("description first")
        << QStringList{"POPIS= ", "MENOSUB=", "SUBJECT="} << "Pole Popis nesmie byť prázdne!"
        << "POPIS";
    QTest::newRow("file name") << QStringList{"POPIS=Jar", "MENOSUB=  ", "SUBJECT="}
                               << "Pole Menosub nesmie byť prázdne!"
                               << "MENOSUB";
    QTest::newRow("subject") << QStringList{"POPIS=Jar", "MENOSUB=a.txt", "SUBJECT= "}
                             << "Pole Subject nesmie byť prázdne!"
                             << "SUBJECT";
}

void TestBulkMail::definitionChecks() {
    QFETCH(QStringList, typed);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    CompaniesFixture f;
    auto& m = f.module<TfHmd>(module::kHm);
    f.ui.queueDialog([&](QDialog& d) {
        TfDbForm& form = Form(d);
        QCOMPARE(form.windowTitle(), QString("Hromadný mail - definícia"));
        QCOMPARE(QApplication::focusWidget(), Edit(form, "POPIS"));
        for (const QString& assignment : typed)
            Edit(form, assignment.section('=', 0, 0))->setText(assignment.section('=', 1));
        form.pressOk();
        QCOMPARE(QApplication::focusWidget(), Edit(form, focus));
        Edit(form, "POPIS")->setText("Jar");
        Edit(form, "MENOSUB")->setText("jar.txt");
        Edit(form, "SUBJECT")->setText("Jarná ponuka");
        form.pressOk();
        QVERIFY(!form.isVisible());
    });
    QCOMPARE(m.AddRecord(), 1);
    const QList<RecordedNotice> shown = f.ui.takeNotices();
    QCOMPARE(TextsOf(shown), QStringList{message});
    QCOMPARE(shown[0].title, QString("Chyba"));
    QVERIFY(FindByKey(m.table(), "KOD", 1));
    QCOMPARE(m.table().field("SUBJECT").asString(), QString("Jarná ponuka"));
}

void TestBulkMail::passwordKeptApart_data() {
    QTest::addColumn<bool>("secretStore");
    QTest::newRow("secret store of the desktop") << true;
    QTest::newRow("file of the user") << false;
}

void TestBulkMail::passwordKeptApart() {
    QFETCH(bool, secretStore);
    CompaniesFixture f;
    QTemporaryDir store;
    if (secretStore) {
        // A stand-in for secret-tool: one secret in a file of its own.
        const QString tool = store.filePath("secret-tool");
        QFile script(tool);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\nsecret='%1/secret'\n"
                                    "case \"$1\" in\n"
                                    "store) cat > \"$secret\"; echo \"$@\" > \"$secret.args\";;\n"
                                    "lookup) cat \"$secret\";;\n"
                                    "clear) rm -f \"$secret\";;\n"
                                    "esac\n")
                         .arg(store.path())
                         .toUtf8());
        script.close();
        script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                              QFileDevice::ExeOwner);
        SetSecretToolProgram(tool);
    }
    SmtpSettings s;
    s.host = "smtp.firma.sk";
    s.port = 465;
    s.security = SmtpSecurity::Tls;
    s.user = "obchod";
    s.password = QString::fromUtf8("heslo s medzerou a ď");
    s.from = "obchod@firma.sk";
    QString error;
    QVERIFY2(WriteSmtpSettings(s, &error), qPrintable(error));

    const SmtpSettings read = ReadSmtpSettings();
    QCOMPARE(read.host, s.host);
    QCOMPARE(read.port, 465);
    QCOMPARE(read.security, SmtpSecurity::Tls);
    QCOMPARE(read.user, s.user);
    QCOMPARE(read.from, s.from);
    QCOMPARE(read.password, s.password);
    // Never in the settings file.
    QFile ini(IniFile("VIDORAW.INI").filePath());
    QVERIFY(ini.open(QIODevice::ReadOnly));
    const QByteArray settingsText = ini.readAll();
    QVERIFY(!settingsText.contains("medzerou"));
    QVERIFY(settingsText.contains("SERVER=smtp.firma.sk"));
    QFile kept(SmtpPasswordFile());
    if (secretStore) {
        QVERIFY(!kept.exists());
        QFile args(store.filePath("secret.args"));
        QVERIFY(args.open(QIODevice::ReadOnly));
        QCOMPARE(args.readAll().trimmed(),
                 QByteArray("store --label vidoraw: server pre hromadný mail service vidoraw-smtp "
                            "server smtp.firma.sk user obchod"));
    } else {
        QVERIFY(kept.exists());
        QCOMPARE(kept.permissions() & ~(QFileDevice::ReadUser | QFileDevice::WriteUser),
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    // Another user on the same server does not get this password.
    IniFile("VIDORAW.INI").writeString("SMTP", "UZIVATEL", "iny");
    if (!secretStore) QCOMPARE(ReadSmtpSettings().password, QString());
    // An empty password leaves nothing behind.
    s.password.clear();
    QVERIFY(WriteSmtpSettings(s, &error));
    QVERIFY(!kept.exists());
    QCOMPARE(ReadSmtpSettings().password, QString());
}

void TestBulkMail::settingsWindow() {
    CompaniesFixture f;
    f.ui.queueDialog([](QDialog& d) {
        auto& w = As<TfPostaNastav>(d);
        QCOMPARE(w.windowTitle(), QString("Nastavenie pošty"));
        QCOMPARE(w.ePort->text(), QString("587"));
        QCOMPARE(w.cbZabezpecenie->currentText(), QString("STARTTLS"));
        w.eServer->setText(" smtp.firma.sk ");
        w.ePort->setText("0");
        w.pressOk();
        QVERIFY(w.isVisible());
        QCOMPARE(QApplication::focusWidget(), w.ePort);
        w.ePort->setText("25");
        w.eOdosielatel->setText("obchod firma.sk");
        w.pressOk();
        QCOMPARE(QApplication::focusWidget(), w.eOdosielatel);
        w.eOdosielatel->setText("obchod@firma.sk");
        w.cbZabezpecenie->setCurrentIndex(0);
        w.pressOk();
        QVERIFY(!w.isVisible());
    });
    QVERIFY(EditSmtpSettings(f.app, nullptr));
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList({"Port musí byť číslo od 1 do 65535!",
                                                  "Adresa odosielateľa nie je správna!"}));
    const SmtpSettings s = ReadSmtpSettings();
    QCOMPARE(s.host, QString("smtp.firma.sk"));
    QCOMPARE(s.port, 25);
    QCOMPARE(s.security, SmtpSecurity::None);
    QCOMPARE(s.from, QString("obchod@firma.sk"));
}

VIDORAW_TEST(TestBulkMail)
#include "test_bulkmail.moc"

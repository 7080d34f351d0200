#include "billing/batchexport.h"
#include "billing/maildraft.h"
#include "billing/vyberfakturyf.h"
#include "billingfixture.h"
#include "framework/adrarch.h"
#include "testmain.h"

#include <QFile>
#include <QImage>

using namespace vidoraw;
using namespace vidoraw::test;

// The export through its own dialogs and questions: which files go and when, what is written,
// a failure half way, the diskette folders and the mail.
class TestExport : public QObject {
    Q_OBJECT
private slots:
    void directoryExport_data();
    void directoryExport();
    void cancelledChoicesDeleteNothing_data();
    void cancelledChoicesDeleteNothing();
    void invoiceNumberMustExist();
    void writeFailureHalfWay();
    void printFailureAsksToGoOn_data();
    void printFailureAsksToGoOn();
    void disketteOffersToDropStaleFiles_data();
    void disketteOffersToDropStaleFiles();
    void mailDraft();
};

namespace {

struct ExportFixture : BillingFixture {
    QTemporaryDir target;
    QImage page{400, 600, QImage::Format_RGB32};

    ExportFixture() {
        addInvoice(1, "F1", "1", "2007");
        addInvoice(2, "F2", "1", "2007");
        addBatch(1, 1, 1);
        addBatch(3, 1, 3); // batch 2 was deleted
        addBatch(4, 2, 1);
        addVoucher(1, 1, 1);
        addVoucher(2, 1, 3);
        addVoucher(3, 2, 4);
        // Prints go to an image, not to a printer.
        app.reports.setPrintDevice(&page);
    }
    void touch(const QString& name) {
        QFile f(QDir(target.path()).filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("old");
    }
    QStringList files() { return QDir(target.path()).entryList(QDir::Files, QDir::Name); }
    void chooseDirectory() {
        ui.queueDialog([this](QDialog& d) {
            As<TfAdrarch>(d).eAdresar->setText(target.path() + "/");
            As<TfAdrarch>(d).pressOk();
        });
    }
    void chooseInvoice(const QString& number) {
        ui.queueDialog([number](QDialog& d) {
            As<TfVyberFaktury>(d).eCisfak->setText(number);
            As<TfVyberFaktury>(d).pressOk();
        });
    }
};

} // namespace

void TestExport::directoryExport_data() {
    QTest::addColumn<int>("answer"); // every question answered so
    QTest::newRow("all yes") << 1;
    QTest::newRow("all no") << 0;
}

// Older batch files go once the invoice is chosen (only DAVKA. and digits, any case); each
// batch file is named by its number; the questions come in their order; the choice is kept.
void TestExport::directoryExport() {
    QFETCH(int, answer);
    ExportFixture f;
    for (const char* name : {"DAVKA.01", "davka.07", "DAVKA.txt", "poznamky.txt"})
        f.touch(name);
    f.chooseDirectory();
    f.chooseInvoice("F1");
    for (int i = 0; i < 5; ++i)
        f.ui.queueAnswer(answer);
    const ExportResult r = ExportBatches(f.app, ExportTarget::Directory, nullptr);
    QVERIFY(r.finished);
    QCOMPARE(f.ui.questions, QStringList({" Mám vytlačiť sumár faktúry : SUMAR.FAK ?",
                                          " Mám vytlačiť sumár dávky : DAVKA.01 ?",
                                          " Mám vytlačiť sumár dávky : DAVKA.03 ?",
                                          " Mám vytlačiť Sprievodný protokol ?",
                                          "Mám pripraviť mail pre odoslanie dávok na poisťovňu?"}));
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList{"Export faktúry ukončený"});
    QStringList expected = {"DAVKA.01", "DAVKA.03", "DAVKA.txt", "poznamky.txt"};
    if (answer)
        expected << "davky.eml";
    expected.sort();
    QCOMPARE(f.files(), expected);
    QFile file(QDir(f.target.path()).filePath("DAVKA.03"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith("N|738|12345678|"));
    QCOMPARE(IniFile(kMainSettingsFile).readString("EXPORT", "CISFAK"), QString("F1"));
    QCOMPARE(r.written, QStringList({QDir(f.target.path()).filePath("DAVKA.01"),
                                     QDir(f.target.path()).filePath("DAVKA.03")}));
    if (answer) {
        // The mail client gets this export's files and the insurer's address.
        QCOMPARE(f.started.value(0), QString("xdg-email"));
        QVERIFY(f.started.contains("--attach"));
        QCOMPARE(f.started.count("--attach"), 2);
        QVERIFY(f.started.contains(r.written[0]));
        QVERIFY(f.started.contains(r.written[1]));
        QCOMPARE(f.started.last(), QString("davky@vszp.sk"));
    } else {
        QVERIFY(f.started.isEmpty());
    }
}

void TestExport::cancelledChoicesDeleteNothing_data() {
    QTest::addColumn<bool>("atDirectory");
    QTest::newRow("directory cancelled") << true;
    QTest::newRow("invoice choice cancelled") << false;
}

void TestExport::cancelledChoicesDeleteNothing() {
    QFETCH(bool, atDirectory);
    ExportFixture f;
    f.touch("DAVKA.01");
    if (atDirectory) {
        f.ui.queueDialog([](QDialog& d) { d.reject(); });
        f.ui.queueAnswer(1); // leaving the directory dialog asks first
    } else {
        f.chooseDirectory();
        f.ui.queueDialog([](QDialog& d) { d.reject(); });
    }
    const ExportResult r = ExportBatches(f.app, ExportTarget::Directory, nullptr);
    QVERIFY(!r.finished);
    QCOMPARE(f.files(), QStringList{"DAVKA.01"});
}

// A number that no invoice has opens the pick list and keeps the dialog open.
void TestExport::invoiceNumberMustExist() {
    ExportFixture f;
    f.ui.queueDialog([&](QDialog& d) {
        auto& v = As<TfVyberFaktury>(d);
        v.eCisfak->setText("nič");
        f.ui.queueDialog([](QDialog& list) { As<TfBrowse>(list).commandBack(); });
        v.pressOk();
        QVERIFY(v.isVisible());
        v.eCisfak->setText("F2");
        v.pressOk();
        QVERIFY(!v.isVisible());
        QCOMPARE(v.eObdobie->text(), QString("1.2007"));
        QCOMPARE(v.eCiszml->text(), QString("Z-1"));
        QCOMPARE(v.eIco->text(), QString("35937874"));
    });
    qint64 code = 0;
    QVERIFY(ChooseInsurerInvoice(f.app, nullptr, code));
    QCOMPARE(code, 2);
}

// A file that cannot be written stops the export: the files before it stay, the one that
// failed is not there at all, and the message names what was written.
void TestExport::writeFailureHalfWay() {
    ExportFixture f;
    QVERIFY(QDir(f.target.path()).mkdir("DAVKA.03")); // a directory where the file should go
    f.chooseDirectory();
    f.chooseInvoice("F1");
    f.ui.queueAnswer(0);
    f.ui.queueAnswer(0);
    f.ui.queueAnswer(0);
    const ExportResult r = ExportBatches(f.app, ExportTarget::Directory, nullptr);
    QVERIFY(!r.finished);
    QCOMPARE(f.ui.questions.size(), 3); // no protocol, no mail
    const QStringList notices = f.ui.takeNoticeTexts();
    QCOMPARE(notices.size(), 1);
    QVERIFY(notices[0].contains("DAVKA.03"));
    QVERIFY(notices[0].endsWith("Zapísané súbory: DAVKA.01"));
    QCOMPARE(f.files(), QStringList{"DAVKA.01"});
}

void TestExport::printFailureAsksToGoOn_data() {
    QTest::addColumn<int>("goOn");
    QTest::newRow("go on") << 1;
    QTest::newRow("stop") << 0;
}

// A summary that cannot be printed is said, and the export goes on only when the user wants.
void TestExport::printFailureAsksToGoOn() {
    QFETCH(int, goOn);
    ExportFixture f;
    QImage nothing; // a device no painter can begin on
    f.app.reports.setPrintDevice(&nothing);
    f.chooseDirectory();
    f.chooseInvoice("F1");
    f.ui.queueAnswer(1); // print the invoice summary
    f.ui.queueAnswer(goOn);
    if (goOn)
        for (int i = 0; i < 4; ++i)
            f.ui.queueAnswer(0); // two batch summaries, the protocol, the mail
    const ExportResult r = ExportBatches(f.app, ExportTarget::Directory, nullptr);
    QCOMPARE(f.ui.questions.value(1), QString("Tlač sa nepodarila. Mám pokračovať v exporte?"));
    QCOMPARE(r.finished, bool(goOn));
    QStringList notices = {"Tlač sa nedá začať !"};
    if (goOn)
        notices << "Export faktúry ukončený";
    QCOMPARE(f.ui.takeNoticeTexts(), notices);
    QCOMPARE(f.files(), goOn ? QStringList({"DAVKA.01", "DAVKA.03"}) : QStringList());
}

void TestExport::disketteOffersToDropStaleFiles_data() {
    QTest::addColumn<int>("drop");
    QTest::newRow("dropped") << 1;
    QTest::newRow("kept") << 0;
}

// A diskette folder keeps older files unless the user drops them; the mail attaches only this
// export's files either way.
void TestExport::disketteOffersToDropStaleFiles() {
    QFETCH(int, drop);
    ExportFixture f;
    IniFile(kMainSettingsFile).writeString("MECHANIKY", "B", f.target.path() + "/");
    f.touch("DAVKA.05");
    f.chooseInvoice("F2");
    f.ui.queueAnswer(drop); // older files
    f.ui.queueAnswer(0);    // invoice summary
    f.ui.queueAnswer(0);    // batch summary
    f.ui.queueAnswer(0);    // protocol
    f.ui.queueAnswer(1);    // mail
    const ExportResult r = ExportBatches(f.app, ExportTarget::DriveB, nullptr);
    QVERIFY(r.finished);
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList({" Vlož disketu do mechaniky B:\\",
                                                  "Export faktúry ukončený"}));
    QCOMPARE(f.ui.questions.first(),
             QString("Na diskete sú dávky z predchádzajúceho exportu (DAVKA.05). Mám ich vymazať?"));
    QCOMPARE(f.files().contains("DAVKA.05"), !drop);
    QCOMPARE(f.started.count("--attach"), 1);
    QVERIFY(f.started.contains(QDir(f.target.path()).filePath("DAVKA.01")));
}

// The draft: subject, recipient, body with the period and the owner, the files attached.
void TestExport::mailDraft() {
    ExportFixture f;
    f.touch("DAVKA.01");
    const QString file = QDir(f.target.path()).filePath("DAVKA.01");
    const MailDraft d = BatchMail(f.app, 1, {file});
    QCOMPARE(d.subject, QString("Dávky"));
    QCOMPARE(d.recipient, QString("davky@vszp.sk"));
    QCOMPARE(d.body, QString(20, ' ') + "\r\nDávky za obdobie: 1.2007\r\nOptika Šťastná");
    QByteArray bytes;
    QString error;
    QVERIFY(MailDraftBytes(d, bytes, &error));
    QVERIFY(bytes.contains("To: davky@vszp.sk\r\n"));
    QVERIFY(bytes.contains("Subject: =?UTF-8?B?" + QString("Dávky").toUtf8().toBase64() + "?=\r\n"));
    QVERIFY(bytes.contains("filename=\"DAVKA.01\""));
    QVERIFY(bytes.contains(QByteArray("old").toBase64()));
    QVERIFY(!MailDraftBytes({"x", "", "", {file + ".missing"}}, bytes, &error));

    // No mail client and no desktop program: the user is told where the draft is.
    f.app.startProgram = [](const QString&, const QStringList&) { return false; };
    f.app.openOnDesktop = [](const QUrl&) { return false; };
    QVERIFY(PrepareBatchMail(f.app, 1, f.target.path(), {file}, nullptr));
    const QStringList n = f.ui.takeNoticeTexts();
    QCOMPARE(n.size(), 1);
    QVERIFY(n[0].endsWith(QDir(f.target.path()).filePath("davky.eml")));
}

VIDORAW_TEST(TestExport)
#include "test_export.moc"

#include "invoicedata.h"
#include "invoicing/amountinwords.h"
#include "invoicing/fakd.h"
#include "invoicing/ppdm.h"
#include "invoicing/receipt.h"
#include "invoicing/receiptcommands.h"
#include "invoicing/vpdm.h"
#include "reports/format/reportformat.h"
#include "testmain.h"

#include <QAction>
#include <QCheckBox>
#include <QProcess>
#include <QRegularExpression>

using namespace vidoraw;
using namespace vidoraw::test;

// Cash receipts of an invoice: filled from the invoice, the owner and the customer company,
// the amount in words in the invoice's currency, printed one or two to a page, exported as RTF.
class TestReceipts : public QObject {
    Q_OBJECT
private slots:
    void filledFromInvoice_data();
    void filledFromInvoice();
    void amountInWordsInCurrency_data();
    void amountInWordsInCurrency();
    void twoOnOnePage();
    void listCommandsAndSettings();
    void exportedForWordProcessor();
};

namespace {

// The shop in Nitra, its person Eva Malá; the customer Optika Sever s.r.o. (IČO 0012345).
void Seed(InvoicingFixture& f) {
    SeedInvoicing(f, {{"ULICA", "Nová"}, {"CISLO", "5"}, {"OBEC", "Nitra"}, {"PSC", "94901"},
                      {"DODPOSTA", "Nitra 1"}, {"MENO", "Eva"}, {"PRIEZVISK", "Malá"},
                      {"TITUL", "Ing."}});
    f.app.vatRates = {5, 19, 23};
}

void Invoice(InvoicingFixture& f, qint64 code, const QStringList& bases, const QString& total,
             const QString& currency = "Sk", const QString& ico = "0012345") {
    AddStoredInvoice(f, code, "2024/0" + QString::number(code), ico, "15.6.2024", {},
                     {{"BEZDPH1", bases[0]}, {"BEZDPH2", bases[1]}, {"BEZDPH3", bases[2]},
                      {"SUMA", total}, {"MENA", currency}});
}

QString Value(const ReceiptValues& v, const QString& placeholder) {
    for (const auto& [p, text] : v)
        if (p == placeholder)
            return text;
    return "<none>";
}

QStringList TextsOn(const ReportPage& page) {
    QStringList out;
    for (const ReportObject& o : page.objects)
        if (o.isText())
            out << o.text;
    return out;
}

double TopOf(const ReportPage& page, const QString& text) {
    for (const ReportObject& o : page.objects)
        if (o.isText() && o.text == text)
            return o.y1;
    return -1;
}

const QString kTildes = ' ' + QString(56, '~');

} // namespace

void TestReceipts::filledFromInvoice_data() {
    QTest::addColumn<bool>("income");
    QTest::addColumn<QStringList>("bases");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("ico");
    QTest::addColumn<QStringList>("expected"); // placeholder=value
    QTest::newRow("income, level 1")
        << true << QStringList{"1000", "0", "0"} << "1230" << "0012345"
        << QStringList{"XXX_FIRMA=Očná optika Lúč", "XXX_ULICA=Nová 5 Nitra",
                       "XXX_POSTA=94901 Nitra 1", "XXX_ICDPH=SK1020304050", "XXX_ICO=31234567",
                       "XXX_CDOKLAD=", "XXX_DATUM=15.6.2024",
                       "XXX_ODBFIRMA=Optika Sever s.r.o., Hlavná 12 Nitra, 94901 Nitra 1",
                       "XXX_ODBICDPH=SK2020111222", "XXX_ODBICO=0012345",
                       "XXX_BEZDPH=1000,00", "XXX_PERC=5 %", "XXX_DPH=230,00",
                       "XXX_SDPH=1230,00", "XXX_UCEL=Príjem za fa č. 2024/01",
                       "XXX_VYHOTOVIL=Ing. Eva Malá", "XXX_SCHVALIL=Ing. Eva Malá"};
    QTest::newRow("expense, level 3 only, no VAT id")
        << false << QStringList{"0", "0", "100"} << "123" << "35697270"
        << QStringList{"XXX_FIRMA=Zrak a.s.", "XXX_ULICA=Žilina", "XXX_POSTA=01001 Žilina 1",
                       "XXX_ICDPH=", "XXX_ICO=35697270",
                       "XXX_ODBFIRMA=Očná optika Lúč, Nová 5 Nitra, 94901 Nitra 1",
                       "XXX_ODBICDPH=SK1020304050", "XXX_ODBICO=31234567", "XXX_PERC=23 %",
                       "XXX_DPH=23,00", "XXX_UCEL=Úhrada dod. fa č. 2024/02"};
    QTest::newRow("all bases 0, unknown customer")
        << true << QStringList{"0", "0", "0"} << "50,5" << "999"
        << QStringList{"XXX_PERC=", "XXX_BEZDPH=0,00", "XXX_DPH=50,50", "XXX_ODBICO=999",
                       "XXX_ODBFIRMA=", "XXX_ODBICDPH="};
}

void TestReceipts::filledFromInvoice() {
    QFETCH(bool, income);
    QFETCH(QStringList, bases);
    QFETCH(QString, total);
    QFETCH(QString, ico);
    QFETCH(QStringList, expected);
    InvoicingFixture f;
    Seed(f);
    const qint64 code = income ? 1 : 2;
    Invoice(f, code, bases, total, "Sk", ico);
    const ReceiptValues v = FillReceipt(f.app, income ? ReceiptKind::Income : ReceiptKind::Expense,
                                        code, QString(), QString());
    QCOMPARE(v.size(), ReceiptPlaceholders().size());
    for (const QString& e : expected)
        QCOMPARE(Value(v, e.section('=', 0, 0)), e.section('=', 1));
    // The typed names of the settings win over the owner's person.
    QCOMPARE(Value(FillReceipt(f.app, ReceiptKind::Income, code, "Jana", ""), "XXX_VYHOTOVIL"),
             QString("Jana"));
}

void TestReceipts::amountInWordsInCurrency_data() {
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("currency");
    QTest::addColumn<QString>("words");
    QTest::newRow("Sk") << "1230,5" << "Sk" << "jedentisícdvestotridsať korún a pätdesiat halierov";
    QTest::newRow("EUR") << "1230,5" << "EUR" << "jedentisícdvestotridsať eur a pätdesiat centov";
    QTest::newRow("eur whole") << "12" << "eur" << "dvanásť eur";
    QTest::newRow("too large") << "999999" << "EUR" << "Nedefinované";
}

void TestReceipts::amountInWordsInCurrency() {
    QFETCH(QString, total);
    QFETCH(QString, currency);
    QFETCH(QString, words);
    InvoicingFixture f;
    Seed(f);
    Invoice(f, 1, {"0", "0", "0"}, total, currency);
    const ReceiptValues v = FillReceipt(f.app, ReceiptKind::Income, 1, QString(), QString());
    QCOMPARE(Value(v, "XXX_SLOVOM"), words + kTildes);
}

void TestReceipts::twoOnOnePage() {
    InvoicingFixture f;
    Seed(f);
    Invoice(f, 1, {"1000", "0", "0"}, "1230");
    TfPpdm dialog(f.app);
    dialog.prepare(1);
    QVERIFY(dialog.cbDvakrat->isChecked()); // the default
    dialog.edit("XXX_CDOKLAD")->setText("P-17");
    f.ui.queueOutputDevice(0);
    dialog.commandPrint();
    ReportDocument doc;
    QString error;
    QVERIFY2(LoadReport(f.app.reports.ReportFileName(), doc, &error), qPrintable(error));
    QCOMPARE(doc.pages.size(), 1);
    const QStringList texts = TextsOn(doc.pages[0]);
    QCOMPARE(texts.count("pokladničný doklad č.: P-17"), 2);
    QCOMPARE(texts.count("Cena s DPH:"), 2);
    QCOMPARE(texts.count("1230,00"), 2);
    QCOMPARE(texts.count("Účel: Príjem za fa č. 2024/01"), 2);
    QVERIFY(texts.filter("XXX_").isEmpty());
    const QList<double> tops = [&] {
        QList<double> out;
        for (const ReportObject& o : doc.pages[0].objects)
            if (o.isText() && o.text == "PRÍJMOVÝ")
                out << o.y1;
        return out;
    }();
    QCOMPARE(tops.size(), 2);
    QCOMPARE(tops[1] - tops[0], 140.0);

    // One to a page: the second copy is gone.
    dialog.cbDvakrat->setChecked(false);
    f.ui.queueOutputDevice(0);
    dialog.commandPrint();
    QVERIFY(LoadReport(f.app.reports.ReportFileName(), doc, &error));
    QCOMPARE(TextsOn(doc.pages[0]).count("1230,00"), 1);
    QVERIFY(TopOf(doc.pages[0], "PRÍJMOVÝ") >= 0);

    // The viewer makes one PDF page of it.
    f.ui.queueOutputDevice(0);
    dialog.cbDvakrat->setChecked(true);
    dialog.commandPrint();
    QProcess zorode;
    const QString pdf = f.dataDir.filePath("doklad.pdf");
    zorode.start(ZORODE_BINARY, {f.app.reports.ReportFileName(), "--pdf", pdf});
    QVERIFY(zorode.waitForFinished(60000));
    QCOMPARE(zorode.exitCode(), 0);
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    static const QRegularExpression page("/Type\\s*/Page(?!s)");
    QCOMPARE(int(QString::fromLatin1(file.readAll()).count(page)), 1);
}

void TestReceipts::listCommandsAndSettings() {
    InvoicingFixture f;
    Seed(f);
    auto& m = f.module<TfFakd>(35);
    QObject parent;
    QAction* income = nullptr;
    QAction* expense = nullptr;
    for (QAction* a : m.otherCommands(nullptr, &parent)) {
        if (a->text() == "P&ríjmový pokladničný doklad")
            income = a;
        if (a->text() == "&Výdavkový pokladničný doklad")
            expense = a;
    }
    QVERIFY(income && expense);
    income->trigger(); // an empty list: nothing opens
    QCOMPARE(f.ui.pendingDialogs(), 0);

    Invoice(f, 1, {"100", "0", "0"}, "105");
    Invoice(f, 2, {"200", "0", "0"}, "210");
    QVERIFY(FindByKey(m.table(), "KOD", 2));
    f.ui.queueDialog([](QDialog& d) {
        auto& r = As<TfVpdm>(d);
        QCOMPARE(r.windowTitle(), QString("Výdavkový pokladničný doklad"));
        QCOMPARE(r.edit("XXX_SDPH")->text(), QString("210,00"));
        QCOMPARE(r.focusWidget(), r.edit("XXX_CDOKLAD"));
        r.edit("XXX_VYHOTOVIL")->setText("Peter Pokladník");
        r.cbDvakrat->setChecked(false);
        r.pressBack();
    });
    expense->trigger();
    // Kept for the next expense receipt, not for the income receipt.
    f.ui.queueDialog([](QDialog& d) {
        auto& r = As<TfVpdm>(d);
        QCOMPARE(r.edit("XXX_VYHOTOVIL")->text(), QString("Peter Pokladník"));
        QCOMPARE(r.edit("XXX_SCHVALIL")->text(), QString("Ing. Eva Malá"));
        QVERIFY(!r.cbDvakrat->isChecked());
        r.pressOk();
    });
    expense->trigger();
    f.ui.queueDialog([](QDialog& d) {
        auto& r = As<TfPpdm>(d);
        QCOMPARE(r.edit("XXX_VYHOTOVIL")->text(), QString("Ing. Eva Malá"));
        QVERIFY(r.cbDvakrat->isChecked());
        r.pressOk();
    });
    income->trigger();
}

void TestReceipts::exportedForWordProcessor() {
    InvoicingFixture f;
    Seed(f);
    Invoice(f, 7, {"1000", "0", "0"}, "1230");
    QTemporaryDir out;
    IniFile(QString::fromLatin1(kMainSettingsFile)).writeString("CESTY", "DATA", out.path());
    QStringList started;
    f.app.openOnDesktop = [&](const QUrl& url) {
        started << url.toLocalFile();
        return true;
    };
    TfPpdm dialog(f.app);
    dialog.prepare(7);
    dialog.edit("XXX_CDOKLAD")->setText("{7}");
    f.ui.queueAnswer(1);
    dialog.commandExport();
    const QString path = QDir(out.path()).filePath("PPD_7.rtf");
    QCOMPARE(started, QStringList{path});
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray rtf = file.readAll();
    QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1250"));
    QVERIFY(!rtf.contains("XXX_"));
    // Diacritics as code page 1250 escapes, braces of a value escaped.
    QVERIFY(rtf.contains("{\\b\\fs24 O\\'e8n\\'e1 optika L\\'fa\\'e8}"));
    QVERIFY(rtf.contains("\\'e8.: \\{7\\}}"));
    for (char c : rtf)
        QVERIFY(uchar(c) < 0x80);

    // A word processor that cannot start: the message, the file stays.
    f.app.openOnDesktop = [](const QUrl&) { return false; };
    f.ui.queueAnswer(1);
    dialog.commandExport();
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList{"Nepodarilo sa spustiť RTF editor (WinWord)!"});
    QVERIFY(QFile::exists(path));
}

VIDORAW_TEST(TestReceipts)
#include "test_receipts.moc"

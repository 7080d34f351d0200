#include "dostables.h"
#include "maintenance/importdos.h"
#include "maintenance/importdoswindow.h"
#include "maintenance/maintenance.h"
#include "maintenancefixture.h"
#include "shell/mainwindow.h"
#include "testmain.h"

#include <QAction>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>

using namespace vidoraw;
using namespace vidoraw::test;

Q_DECLARE_METATYPE(vidoraw::DosImport)
Q_DECLARE_METATYPE(QList<vidoraw::test::DosTableData>)

namespace {

const QString kAccountsFields = QStringLiteral("NAZOV C(30); UCET C(4); POBOCKA C(20); PB C(1); CISLO_UCTU C(30)");

const QString kInvoiceFields = QStringLiteral(
    "CIS_FAKTU N(7,0); CISFAKTU C(10); ICO_DOD N(10,0); KONSTS C(4); CIS_OBJED C(10); "
    "CIS_DODL C(10); ICO_ODB N(10,0); NAZOV_ODB C(30); SP_DOPR N(2,0); FORMA_UHR N(2,0); "
    "DAT_SPL D; DAT_VYS D; DAT_PLN D; BEZDPH1 N(12,2); BEZDPH2 N(12,2); BEZDPH3 N(12,2); "
    "SUMA N(12,2); MENA C(3); TYP C(1); CPOI C(4); UCET_DOD C(30)");

QJsonArray Invoice(int number, const char* customer, const char* insurer, const char* account,
                   double sum) {
    return {number, QStringLiteral("F%1").arg(number), 31234567, "0308", "", "", 35711111,
            QString::fromUtf8(customer), 1, 2, "2001-06-14", "2001-05-31", "2001-05-31", sum, 0,
            0, sum, "Sk", "F", QString::fromUtf8(insurer), QString::fromUtf8(account)};
}

const QString kItemFields =
    QStringLiteral("KODH N(7,0); TEXT C(70); MJ C(3); CENA N(12,2); MNOZSTVO N(8,2); DPH N(2,0); SPOLU N(12,2)");

QJsonArray Item(int invoice, const char* text, double price) {
    return {invoice, QString::fromUtf8(text), "ks", price, 1, 0, price};
}

// A shop with the data of a demo, and a folder for the DOS program's tables.
struct DosFixture {
    ShopFixture shop{10};
    QTemporaryDir dos;

    bool write(const QList<DosTableData>& tables) {
        QString error;
        const bool ok = WriteDosTables(dos.path(), tables, &error);
        if (!ok)
            qWarning("%s", qPrintable(error));
        return ok;
    }
    // One import through the window, its question answered yes.
    bool run(DosImport import) {
        TfImportDos window(*shop.app);
        window.eCesta->setText(dos.path() + QLatin1Char('/'));
        shop.ui.queueAnswer(1);
        return window.importOne(import);
    }
    QStringList rows(const char* file, const QStringList& fields) {
        return RowsOf(*shop.app->db, QString::fromLatin1(file), fields);
    }
};

} // namespace

// The imports of the DOS program's tables through their window: rows, conversions and splits
// of each mapping, the replacement of the target in one piece, and the window's questions.
class TestDosImport : public QObject {
    Q_OBJECT
private slots:
    void mappings_data();
    void mappings();
    void companiesTwiceKeepTheirCodes();
    void failureLeavesData_data();
    void failureLeavesData();
    void invoicesComeWithTheirItems();
    void creditNotesFollowTheInvoices();
    void menuCommandAndImportAll();
    void chooseFolderByATable();
};

void TestDosImport::mappings_data() {
    QTest::addColumn<DosImport>("import");
    QTest::addColumn<QList<DosTableData>>("tables");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QStringList>("rows");

    // Codes are row numbers of the records not deleted; the simple split takes the last run of
    // digits as the number; spaces leave the postal code; the file is found in any case.
    QTest::newRow("insurers")
        << DosImport::Poist
        << QList<DosTableData>{
               {"poist.dbf",
                "KOD N(3,0); CPOI C(4); ICO C(8); ODPOPOI C(2); NAZOV C(40); ICDPH C(20); "
                "ULICA C(30); MESTO C(30); PSC C(6); TEL1 C(30); TEL2 C(30); DICO C(20)",
                {QJsonArray{7, "2100", "12345678", "01", "Všeobecná zdravotná poisťovňa",
                            "SK2020", "Mamateyova 17", "Bratislava", "851 04", "02/1234",
                            "02/5678", "2020"},
                 QJsonArray{8, "2200", "", "", "Zrušená", "", "", "", "", "", "", ""},
                 QJsonArray{9, "2400", "87654321", "02", "Spoločná poisťovňa", "", "Nám. SNP 3/15",
                            "Košice", " 040 01", "", "", ""}},
                {1}}}
        << "POIST.DB"
        << QStringList{"KOD", "CPOI", "NAZOV", "ULICA", "CISLO", "DODPOSTA", "PSC", "TELEFON", "FAX", "DIC", "ICDPH"}
        << QStringList{"1|2100|Všeobecná zdravotná poisťovňa|Mamateyova|17|Bratislava|85104|02/1234|02/5678|2020|SK2020",
                       "2|2400|Spoločná poisťovňa|Nám. SNP 3/|15|Košice|04001||||"};

    // The title goes into the title list; a blank VAT number is no VAT payer; the account is
    // its number and bank code.
    QTest::newRow("companies")
        << DosImport::Firma
        << QList<DosTableData>{
               {"FIRMA.DBF",
                "TITUL C(10); MENO C(20); PRIEZVISK C(30); PSC C(5); DODPOSTA C(35); ICO C(10); "
                "DICO C(20); TELEFON C(30); FAX C(30); FOSOBA C(1); NAZOV C(40); ICDPH C(15); "
                "ULICA C(30); UCET C(17); NKOD C(4)",
                {QJsonArray{"Ing.", "Ján", "Šťastný", "01001", "Žilina", "31234567", "2020123456",
                            "041/123", "", "A", "Optika Šťastný", "SK2020123456", "Hlavná 12",
                            " 123456789", "0200 "},
                 QJsonArray{"", "", "", "", "", "", "", "", "", "N", "Ďaleký obchod", "",
                            "Lúčna", "", ""}}}}
        << "FIRMA.DB"
        << QStringList{"KOD", "TITUL", "PRIEZVISK", "NAZOV", "ULICA", "CISLO", "ICO", "ICOI", "DICON", "CISUCET", "PLATCADAN", "JEODB", "JEDOD", "STAT"}
        << QStringList{"1|Ing.|Šťastný|Optika Šťastný|Hlavná|12|31234567|31234567|2020123456|123456789/0200|A|A|N|Slovenská republika",
                       "2|||Ďaleký obchod|Lúčna||||||N|A|N|Slovenská republika"};

    // Clients split by the slash rule: the street keeps its trailing space.
    const QString clientFields =
        "KOD N(6,0); RODCIS C(11); STATPOI C(3); ICPOI C(20); POHLPOI C(1); KODPOI C(4); "
        "TITUL C(10); MENO C(15); PRIEZVISK C(20); OBEC C(30); DODPOSTA C(30); PSC C(5); "
        "TEL C(20); ZAMESTNAN C(40); ZAMESTNAV C(40); POZNAM1 C(60); POZNAM2 C(60); "
        "POZNAM3 C(60); DATUM D; DIALKY N(1,0); BLIZKO N(1,0); ULICA C(30); " + EyeFields();
    QJsonArray client{12, "7001011234", "", "", "", "2100", "Mgr.", "Ľudmila", "Čierna", "Ružomberok",
                      "Ružomberok", "03401", "", "", "", "Nosí ďalekohľad", "", "", "2001-05-12", 1, 0,
                      "Hlavná 12/3"};
    for (int i = 0; i < 20; ++i)
        client << (i == 0 ? "-1.25" : "");
    QTest::newRow("clients")
        << DosImport::Klient << QList<DosTableData>{{"KLIENT.DBF", clientFields, {client}}}
        << "KLIENT.DB"
        << QStringList{"KOD", "RODCIS", "TITUL", "MENO", "PRIEZVISK", "ULICA", "CISLO", "POZNAM1", "DATUM", "DIALKY", "POD1"}
        << QStringList{"12|7001011234|Mgr.|Ľudmila|Čierna|Hlavná |12/3|Nosí ďalekohľad|12.5.2001|1|-1.25"};

    QTest::newRow("accounts")
        << DosImport::Ucty
        << QList<DosTableData>{{"UCTY.DBF", kAccountsFields,
                                {QJsonArray{"Všeobecná úverová banka", "VUB", "Žilina", "A", "1234567 / 0200"},
                                 QJsonArray{"Pokladňa", "P", "", "N", "99887766"}}}}
        << "UCTY.DB" << QStringList{"KOD", "NAZOV", "UCET", "POBOCKA", "CISUCET", "KODBAN", "PBN"}
        << QStringList{"1|Všeobecná úverová banka|VUB|Žilina|1234567|0200|A",
                       "2|Pokladňa|P||99887766||N"};

    // Dates written with any separator; the simple split also for vouchers.
    const QString voucherFields =
        "KODFA N(5,0); KODDAV N(5,0); KODLEK N(5,0); KODKLIENT N(6,0); KODDIAG C(6); "
        "KODPEC C(11); KODPOILEK C(4); RODCIS C(11); KODPOIKL C(4); MENO C(20); "
        "PRIEZVISK C(30); OBEC C(30); DODPOSTA C(30); PSC C(5); DIALKY N(1,0); BLIZKO N(1,0); " +
        EyeFields() + "; " + FiveFields({"KODOP"}, "C(5)") + "; " +
        FiveFields({"SUMAPOI", "SUMAPAC"}, "N(10,2)") + "; " + FiveFields({"POCET"}, "N(3,0)") +
        "; KODODLEK C(13); STATPOI C(3); ICPOI C(20); POHLPOI C(1); DATUM C(10); "
        "DATUMVYD C(10); ULICA C(30)";
    QJsonArray voucher{3, 1, 4, 12, "H52.1", "", "2100", "7001011234", "2100", "Ľudmila", "Čierna",
                       "", "", "", 1, 0};
    for (int i = 0; i < 20; ++i)
        voucher << "";
    for (const QJsonValue& v : {QJsonValue("01234"), QJsonValue(""), QJsonValue(""), QJsonValue(""),
                               QJsonValue(""), QJsonValue(150.5), QJsonValue(0), QJsonValue(0),
                               QJsonValue(0), QJsonValue(0), QJsonValue(20), QJsonValue(0),
                               QJsonValue(0), QJsonValue(0), QJsonValue(0), QJsonValue(2),
                               QJsonValue(0), QJsonValue(0), QJsonValue(0), QJsonValue(0)})
        voucher << v;
    voucher << "" << "" << "" << "" << "12/05/2001" << "1-6-2001" << "Hlavná 12/3";
    QTest::newRow("vouchers")
        << DosImport::Poukaz << QList<DosTableData>{{"POUKAZ.DBF", voucherFields, {voucher}}}
        << "POUKAZ.DB"
        << QStringList{"KOD", "KODFA", "KODKLIENT", "PRIEZVISK", "ULICA", "CISLO", "DATUM", "DATUMVYD", "KODOP1", "SUMAPOI1", "SUMAPAC1", "POCET1"}
        << QStringList{"1|3|12|Čierna|Hlavná 12/|3|12.5.2001|1.6.2001|01234|150,5|20|2"};

    // Codes taken as they are, names converted.
    QTest::newRow("ways of transport")
        << DosImport::Doprava
        << QList<DosTableData>{{"DOPRAVA.DBF", "KOD N(2,0); NAZOV C(30)",
                                {QJsonArray{3, "Poštou"}, QJsonArray{7, "Kuriérom"}}}}
        << "DOPRAVA.DB" << QStringList{"KOD", "NAZOV"} << QStringList{"3|Poštou", "7|Kuriérom"};

    // The next code of an emptied table starts at 1.
    QTest::newRow("currencies")
        << DosImport::Mena
        << QList<DosTableData>{{"MENA.DBF", "KODMENY C(3); MENA C(30)",
                                {QJsonArray{"Sk", "Slovenská koruna"}, QJsonArray{"Kč", "Česká koruna"}}}}
        << "MENA.DB" << QStringList{"KOD", "KODMENY", "MENA"}
        << QStringList{"1|Sk|Slovenská koruna", "2|Kč|Česká koruna"};

    QTest::newRow("optical aids")
        << DosImport::Optpom
        << QList<DosTableData>{{"OPTPOM.DBF",
                                "KOD C(5); VYROBCA C(5); NAZOV C(50); DOPLNOK C(80); MJ C(3); "
                                "KRAJINA C(3); OBMEDZ C(50); OBMEDZ1 C(50); DOBA C(10); KATEG C(1); "
                                "JKPOV C(15); ODBORKOD C(7); DATUMPZ D; MODIF C(4); CENAMF N(10,2); "
                                "CENAPOI N(10,2); CENA N(10,2); DPH N(2,0)",
                                {QJsonArray{"01234", " S K", "Okuliarová šošovka", "", "ks", "SK", "",
                                            "", "2 roky", "A", "", "", "2000-01-01", "", 100.5,
                                            80, 100.5, 10}}}}
        << "OPTPOM.DB" << QStringList{"KOD", "KODPOM", "VYROBCA", "NAZOV", "DATUMPZ", "CENAMF", "DPH"}
        << QStringList{"1|01234|SK|Okuliarová šošovka|1.1.2000|100,5|10"};
}

void TestDosImport::mappings() {
    QFETCH(DosImport, import);
    QFETCH(QList<DosTableData>, tables);
    QFETCH(QString, target);
    QFETCH(QStringList, fields);
    QFETCH(QStringList, rows);
    DosFixture f;
    QVERIFY(f.write(tables));
    QVERIFY(f.run(import));
    QCOMPARE(f.shop.ui.takeNoticeTexts(), QStringList{QString::fromUtf8(DosImportTextOf(import).done)});
    QCOMPARE(f.rows(target.toLatin1().constData(), fields), rows);
}

// The target is emptied first and codes are row numbers: a second import gives the same codes.
// Titles are listed once, and no title makes no empty entry.
void TestDosImport::companiesTwiceKeepTheirCodes() {
    DosFixture f;
    const QString fields =
        "TITUL C(10); MENO C(20); PRIEZVISK C(30); PSC C(5); DODPOSTA C(35); ICO C(10); "
        "DICO C(20); TELEFON C(30); FAX C(30); FOSOBA C(1); NAZOV C(40); ICDPH C(15); "
        "ULICA C(30); UCET C(17); NKOD C(4)";
    QJsonArray records;
    for (const char* title : {"ThLic.", "ThLic.", "", "Doc. Ďuro"})
        records << QJsonArray{QString::fromUtf8(title), "", "", "", "", "", "", "", "", "", "Firma", "", "", "", ""};
    QVERIFY(f.write({{"FIRMA.DBF", fields, records}}));
    const QStringList before = f.rows("TITUL.DB", {"KOD", "NAZOV"});
    for (int round = 0; round < 2; ++round) {
        QVERIFY(f.run(DosImport::Firma));
        QCOMPARE(f.shop.ui.takeNoticeTexts(), QStringList{"Zoznam firiem bol úspešne naimportovaný!"});
        QCOMPARE(f.rows("FIRMA.DB", {"KOD", "TITUL"}),
                 (QStringList{"1|ThLic.", "2|ThLic.", "3|", "4|Doc. Ďuro"}));
    }
    // The new titles continue the codes of the list.
    const QStringList titles = f.rows("TITUL.DB", {"KOD", "NAZOV"});
    const int last = before.isEmpty() ? 0 : before.last().section('|', 0, 0).toInt();
    QCOMPARE(titles.mid(0, before.size()), before);
    QCOMPARE(titles.mid(before.size()),
             (QStringList{QStringLiteral("%1|ThLic.").arg(last + 1),
                          QStringLiteral("%1|Doc. Ďuro").arg(last + 2)}));
}

void TestDosImport::failureLeavesData_data() {
    QTest::addColumn<DosImport>("import");
    QTest::addColumn<QList<DosTableData>>("tables");
    QTest::addColumn<int>("cutBytes"); // taken off the end of the first table's file
    QTest::addColumn<QString>("notice"); // its beginning; %1 the folder

    const QString contracts = "KOD C(5); KODPOI C(4); PLATNOST C(10); ICOPOI C(10); CISZML C(25)";
    QTest::newRow("no table in the folder")
        << DosImport::Zmluva << QList<DosTableData>{} << 0
        << "V adresári %1 chýba tabuľka ZMLUVA.DBF. Údaje zostali nezmenené.";
    QTest::newRow("a field missing")
        << DosImport::Zmluva
        << QList<DosTableData>{{"ZMLUVA.DBF", "KOD C(5); KODPOI C(4); PLATNOST C(10); ICOPOI C(10)",
                                {QJsonArray{"1", "2100", "01.01.2001", "123"}}}}
        << 0 << "Tabuľka ZMLUVA.DBF, pole CISZML: tabuľka nemá toto pole. Údaje zostali nezmenené.";
    QTest::newRow("a code that is no number, in the third record")
        << DosImport::Zmluva
        << QList<DosTableData>{{"ZMLUVA.DBF", contracts,
                                {QJsonArray{"1", "2100", "01.01.2001", "1", "A"},
                                 QJsonArray{"2", "2100", "01.01.2001", "1", "B"},
                                 QJsonArray{"x", "2100", "01.01.2001", "1", "C"}}}}
        << 0 << "Tabuľka ZMLUVA.DBF, záznam 3, pole KOD: 'x' nie je platné číslo. Údaje zostali nezmenené.";
    QTest::newRow("an impossible date")
        << DosImport::Zmluva
        << QList<DosTableData>{{"ZMLUVA.DBF", contracts,
                                {QJsonArray{"1", "2100", "31.02.2001", "1", "A"}}}}
        << 0 << "Tabuľka ZMLUVA.DBF, záznam 1, pole PLATNOST: ";
    QTest::newRow("a code twice")
        << DosImport::Zmluva
        << QList<DosTableData>{{"ZMLUVA.DBF", contracts,
                                {QJsonArray{"1", "2100", "01.01.2001", "1", "A"},
                                 QJsonArray{"1", "2100", "01.01.2001", "1", "B"}}}}
        << 0 << "Tabuľka ZMLUVA.DBF, záznam 2: ";
    QTest::newRow("a table cut short")
        << DosImport::Zmluva
        << QList<DosTableData>{{"ZMLUVA.DBF", contracts,
                                {QJsonArray{"1", "2100", "01.01.2001", "1", "A"},
                                 QJsonArray{"2", "2100", "01.01.2001", "1", "B"}}}}
        << 30 << "Tabuľka %1ZMLUVA.DBF sa nedá prečítať: súbor je kratší, ako uvádza hlavička (počet záznamov 2).";
    // A client twice (the same birth number and insurance) is refused by the list's key.
    const QString clientFields =
        "KOD N(6,0); RODCIS C(11); STATPOI C(3); ICPOI C(20); POHLPOI C(1); KODPOI C(4); "
        "TITUL C(10); MENO C(15); PRIEZVISK C(20); OBEC C(30); DODPOSTA C(30); PSC C(5); "
        "TEL C(20); ZAMESTNAN C(40); ZAMESTNAV C(40); POZNAM1 C(60); POZNAM2 C(60); "
        "POZNAM3 C(60); DATUM D; DIALKY N(1,0); BLIZKO N(1,0); ULICA C(30); " + EyeFields();
    QJsonArray client{1, "7001011234", "", "", "", "2100", "Bc. Nový", "Ján", "Nový"};
    for (int i = client.size(); i < 42; ++i)
        client << QJsonValue();
    QJsonArray twin = client;
    twin[0] = 2;
    QTest::newRow("a client twice, with a new title")
        << DosImport::Klient << QList<DosTableData>{{"KLIENT.DBF", clientFields, {client, twin}}} << 0
        << "Tabuľka KLIENT.DBF, záznam 2: ";
}

// Whatever stops an import, the data stay as they were: the target, and the title list too.
void TestDosImport::failureLeavesData() {
    QFETCH(DosImport, import);
    QFETCH(QList<DosTableData>, tables);
    QFETCH(int, cutBytes);
    QFETCH(QString, notice);
    DosFixture f;
    if (!tables.isEmpty())
        QVERIFY(f.write(tables));
    if (cutBytes > 0) {
        const QString path = f.dos.filePath(tables.first().name);
        QVERIFY(QFile::resize(path, QFileInfo(path).size() - cutBytes));
    }
    const DataText before = f.shop.data();
    QVERIFY(!f.run(import));
    const QList<RecordedNotice> notices = f.shop.ui.takeNotices();
    QCOMPARE(notices.size(), 1);
    QCOMPARE(notices[0].title, QStringLiteral("Chyba"));
    const QString expected = notice.contains("%1")
                                 ? notice.arg(QDir::toNativeSeparators(f.dos.path() + '/'))
                                 : notice;
    QVERIFY2(notices[0].text.startsWith(expected), qPrintable(notices[0].text));
    QVERIFY2(notices[0].text.endsWith("Údaje zostali nezmenené."), qPrintable(notices[0].text));
    QString why;
    QVERIFY2(SameData(before, f.shop.data(), &why), qPrintable(why));
}

// All invoices and their items are replaced together: items never stay under invoices they
// did not belong to, and a missing or bad item table leaves the invoices too.
void TestDosImport::invoicesComeWithTheirItems() {
    DosFixture f;
    const QList<DosTableData> invoices{
        {"FAK.DBF", kInvoiceFields,
         {Invoice(2001015, "Očná klinika", "2100", "1234567/0200", 1200),
          Invoice(2001016, "Ján Šťastný", "", "999", 300)}},
        {"UCTY.DBF", kAccountsFields,
         {QJsonArray{"Prvá banka", "A1", "", "A", "1234567/0200"},
          QJsonArray{"Druhá banka", "B2", "", "N", "1234567/0200"},
          QJsonArray{"Tretia", "C3", "", "N", "7654321/0900"}}}};
    QVERIFY(f.write(invoices));
    // Without the items nothing changes.
    DataText before = f.shop.data();
    QVERIFY(!f.run(DosImport::Fak));
    QCOMPARE(f.shop.ui.takeNoticeTexts(),
             QStringList{"V adresári " + QDir::toNativeSeparators(f.dos.path() + '/') +
                         " chýba tabuľka POL.DBF. Údaje zostali nezmenené."});
    QString why;
    QVERIFY2(SameData(before, f.shop.data(), &why), qPrintable(why));

    // An item that cannot be stored leaves the invoices as they were.
    QVERIFY(f.write({{"POL.DBF", "KODH C(7); TEXT C(70); MJ C(3); CENA N(12,2); MNOZSTVO N(8,2); DPH N(2,0); SPOLU N(12,2)",
                      {QJsonArray{"2001015", "Rám", "ks", 1000, 1, 0, 1000},
                       QJsonArray{"?", "Puzdro", "ks", 200, 1, 0, 200}}}}));
    QVERIFY(!f.run(DosImport::Pol));
    QCOMPARE(f.shop.ui.takeNoticeTexts(),
             QStringList{"Tabuľka POL.DBF, záznam 2, pole KODH: '?' nie je platné číslo. Údaje zostali nezmenené."});
    QVERIFY2(SameData(before, f.shop.data(), &why), qPrintable(why));

    QVERIFY(f.write({{"POL.DBF", kItemFields,
                      {Item(2001015, "Rám", 1000), Item(2001015, "Puzdro", 200),
                       Item(2001016, "Šnúrka", 300)}}}));
    QVERIFY(f.run(DosImport::Pol));
    QCOMPARE(f.shop.ui.takeNoticeTexts(),
             (QStringList{"Zoznam faktúr všetkých bol úspešne naimportovaný!",
                          "Zoznam položiek faktúr bol úspešne naimportovaný!"}));
    // The last account of equal numbers wins; an account nobody has stays empty.
    QCOMPARE(f.rows("FAK.DB", {"KOD", "CISFAKTU", "NAZOV_ODB", "UCET_DOD", "KDEODB", "DOPLNOK",
                               "ICO_ODBA", "TYP", "SUMA", "DAT_VYS"}),
             (QStringList{"2001015|F2001015|Očná klinika|B2|1|2100|35711111|F|1200|31.5.2001",
                          "2001016|F2001016|Ján Šťastný||0||35711111|F|300|31.5.2001"}));
    QCOMPARE(f.rows("POL.DB", {"KOD", "KODH", "TEXT", "CENA"}),
             (QStringList{"1|2001015|Rám|1000", "2|2001015|Puzdro|200", "3|2001016|Šnúrka|300"}));
}

// Credit notes are appended after the invoices, with codes continuing from the largest one,
// each with its own items; nothing is emptied.
void TestDosImport::creditNotesFollowTheInvoices() {
    DosFixture f;
    QVERIFY(f.write({{"FAK.DBF", kInvoiceFields, {Invoice(70, "Prvý", "", "", 100)}},
                     {"POL.DBF", kItemFields, {Item(70, "Položka", 100)}},
                     {"UCTY.DBF", kAccountsFields, {QJsonArray{"Banka", "B1", "", "A", "55/0200"}}},
                     {"DOB.DBF", kInvoiceFields,
                      {Invoice(5, "Vrátené okuliare", "", "55/0200", -150),
                       Invoice(6, "Bez položiek", "", "", -10)}},
                     {"POLDOB.DBF", kItemFields,
                      {Item(5, "Rám späť", -100), Item(6, "", 0), Item(5, "Sklá späť", -50)}}}));
    QVERIFY(f.run(DosImport::Fak));
    f.shop.ui.takeNotices();
    // Item 6 belongs to the second note; the notes' numbers are the DOS program's own.
    QVERIFY(f.run(DosImport::Dobropisy));
    QCOMPARE(f.shop.ui.takeNoticeTexts(),
             QStringList{"Zoznam dobropisov dol doplnený do zoznamu faktúr všetkých!"});
    QCOMPARE(f.rows("FAK.DB", {"KOD", "NAZOV_ODB", "TYP", "UCET_DOD", "SUMA"}),
             (QStringList{"70|Prvý|F||100", "71|Vrátené okuliare|D|B1|-150", "72|Bez položiek|D||-10"}));
    QCOMPARE(f.rows("POL.DB", {"KOD", "KODH", "TEXT", "SPOLU"}),
             (QStringList{"1|70|Položka|100", "2|71|Rám späť|-100", "3|71|Sklá späť|-50", "4|72||0"}));
}

// The main menu's command asks first, then shows the window; "Importuj všetky údaje" asks
// before each import, goes on after a no and stops at a failure; the folder is remembered.
void TestDosImport::menuCommandAndImportAll() {
    DosFixture f;
    QVERIFY(f.write({{"POIST.DBF",
                      "KOD N(3,0); CPOI C(4); ICO C(8); ODPOPOI C(2); NAZOV C(40); ICDPH C(20); "
                      "ULICA C(30); MESTO C(30); PSC C(6); TEL1 C(30); TEL2 C(30); DICO C(20)",
                      {QJsonArray{1, "2100", "", "", "Dôvera", "", "", "", "", "", "", ""}}},
                     {"OPTPOM.DBF", "KOD C(5)", {}}}));
    ShopFixture& shop = f.shop;
    RegisterMaintenanceCommands(*shop.program, *shop.app);
    QAction* command = shop.program->mainWindow()->command("Import/Z pro&gramu Vidora pre DOS");
    QVERIFY(command && command->isEnabled());

    // No: no window.
    shop.ui.queueAnswer(0);
    command->trigger();
    QCOMPARE(shop.ui.questions.size(), 1);
    QVERIFY(shop.ui.questions[0].startsWith("Táto voľba umožňuje importovať údaje z programu VIDORA pre DOS."));

    const QString folder = f.dos.path() + '/';
    const QStringList contracts = f.rows("ZMLUVA.DB", {"KOD"});
    shop.ui.queueAnswer(1);
    shop.ui.queueDialog([&](QDialog& d) {
        auto* w = qobject_cast<TfImportDos*>(&d);
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QStringLiteral("Prevod údajov z programu VIDORA pre DOS"));
        QVERIFY2(w->eCesta->text().endsWith("/VIDORA/"), qPrintable(w->eCesta->text()));
        QCOMPARE(w->button(DosImport::Dobropisy)->text(), QStringLiteral("Doplnenie dobropisov"));
        w->eCesta->setText(folder);
        // Insurers yes, contracts no, optical aids yes (and refused: its table lacks fields).
        for (int answer : {1, 0, 1})
            shop.ui.queueAnswer(answer);
        w->bVsetky->click();
        QCOMPARE(w->lStav->text(), QStringLiteral("1 / 1"));
        w->bZatvor->click();
    });
    shop.ui.questions.clear();
    command->trigger();
    QCOMPARE(shop.ui.questions.size(), 4);
    QCOMPARE(shop.ui.questions[1], QString::fromUtf8(DosImportTextOf(DosImport::Poist).question));
    QCOMPARE(shop.ui.questions[2], QString::fromUtf8(DosImportTextOf(DosImport::Zmluva).question));
    QCOMPARE(shop.ui.questions[3], QString::fromUtf8(DosImportTextOf(DosImport::Optpom).question));
    const QStringList notices = shop.ui.takeNoticeTexts();
    QCOMPARE(notices.size(), 2);
    QCOMPARE(notices[0], QStringLiteral("Zoznam poisťovní bol úspešne naimportovaný!"));
    QVERIFY2(notices[1].startsWith("Tabuľka OPTPOM.DBF, pole VYROBCA: "), qPrintable(notices[1]));
    QCOMPARE(f.rows("POIST.DB", {"KOD", "NAZOV"}), QStringList{"1|Dôvera"});
    QCOMPARE(f.rows("ZMLUVA.DB", {"KOD"}), contracts);
    QCOMPARE(IniFile(QString::fromLatin1(kMainSettingsFile)).readString("CESTADOS", "CESTA"), folder);
}

// "..." takes the folder of the table chosen, and leaves the current directory as it was.
void TestDosImport::chooseFolderByATable() {
    DosFixture f;
    QVERIFY(f.write({{"poist.dbf", "KOD N(3,0)", {}}}));
    TfImportDos window(*f.shop.app);
    window.eCesta->setText(f.dos.path());
    const QString current = QDir::currentPath();
    f.shop.ui.queueDialog([&](QDialog& d) {
        auto* dialog = qobject_cast<QFileDialog*>(&d);
        QVERIFY(dialog);
        QCOMPARE(dialog->nameFilters(), QStringList{"DBF tabuľky (*.dbf)"});
        QCOMPARE(QDir(dialog->directory()).canonicalPath(), QDir(f.dos.path()).canonicalPath());
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        QVERIFY(name);
        name->setText("poist.dbf"); // typed, as the user would
        QMetaObject::invokeMethod(dialog, "accept"); // as the OK button does
    });
    window.bVyber->click();
    QCOMPARE(window.eCesta->text(), f.dos.path() + '/');
    QCOMPARE(QDir::currentPath(), current);
}

VIDORAW_TEST(TestDosImport)
#include "test_dosimport.moc"

#include "testmain.h"
#include "vouchersfixture.h"

#include "codelists/codelistimport.h"
#include "codelists/importfile.h"
#include "codelists/importsourcef.h"
#include "core/base/codepage.h"

#include <QDir>
#include <QFile>
#include <QRadioButton>

using namespace vidoraw;
using namespace vidoraw::test;

namespace {

// Writes a file of the folder: lines joined by CR LF, code page 1250 unless given as bytes.
void WriteFile(const QString& dir, const QString& name, const QByteArray& bytes) {
    QFile f(QDir(dir).filePath(name));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
QByteArray Lines(const QStringList& lines) { return ToCp1250(lines.join("\r\n") + "\r\n"); }

// A 268 line: code, name, then the other thirteen fields.
QString AidLine(const QString& code, const QString& name, const QString& date = "01.02.2024") {
    return QStringList{code, name, "doplnok", "x", "ks", "V1", "SK", "", "", "2r", "A", "J1", "O1",
                       date, "M"}
        .join('|');
}

// KODPOM → "NAZOV|CENA|CENAPOI|CENAMF|DPH|KOD" of every aid.
QMap<QString, QString> Aids(VouchersFixture& f) {
    QMap<QString, QString> out;
    Table& t = f.app.registry.module(13)->table();
    t.refresh();
    for (t.first(); !t.eof(); t.next()) {
        QStringList v;
        for (const char* n : {"NAZOV", "CENA", "CENAPOI", "CENAMF", "DPH", "KOD"})
            v << t.field(n).asString();
        out.insert(t.field("KODPOM").asString(), v.join('|'));
    }
    return out;
}

// KODD → "NAZOV|DLZKA|KOD" of every diagnosis.
QMap<QString, QString> Diagnoses(VouchersFixture& f) {
    QMap<QString, QString> out;
    Table& t = f.app.registry.module(9)->table();
    t.refresh();
    for (t.first(); !t.eof(); t.next())
        out.insert(t.field("KODD").asString(), QStringList{t.field("NAZOV").asString(),
                                                           t.field("DLZKA").asString(),
                                                           t.field("KOD").asString()}
                                                   .join('|'));
    return out;
}

const QString kAskContinue =
    " Pri tejto operácii dôjde k prepísaniu číselníka optických pomôcok. Odporúčame preto najprv "
    "vykonať archiváciu údajov. Mám pokračovať?";

} // namespace

// The imports of the insurers' code lists: files found by their kind, checked whole before the
// list changes, loaded in one go; diagnosis keys cut as stored; VAT rates kept over a reload.
class TestCodeListImport : public QObject {
    Q_OBJECT
private slots:
    void kindRecognised_data();
    void kindRecognised();
    void diagnoses();
    void refusedFileChangesNothing_data();
    void refusedFileChangesNothing();
    void aidsAndPricesWithEmptying();
    void pricesWithoutAidsDoNothing();
    void emptyingRefusedWhileOthersWork();
    void csvFiles_data();
    void csvFiles();
    void sourceDialog();
};

void TestCodeListImport::kindRecognised_data() {
    QTest::addColumn<QString>("firstLine");
    QTest::addColumn<QString>("kind");
    QTest::newRow("diagnoses") << "DG|228|20240101" << "228";
    QTest::newRow("aids") << "X|268|" << "268";
    QTest::newRow("prices") << "|335|a|b" << "335";
    QTest::newRow("one bar") << "DG|228" << "";
    QTest::newRow("no bar") << "228" << "";
    QTest::newRow("empty") << "" << "";
}

void TestCodeListImport::kindRecognised() {
    QFETCH(QString, firstLine);
    QFETCH(QString, kind);
    QCOMPARE(PublishedFileKind(firstLine), kind);
    // Found among other files of the folder, in name order; a file of one bar is none.
    QTemporaryDir dir;
    WriteFile(dir.path(), "A_OTHER.TXT", Lines({"Z|999|", "1|2|3"}));
    WriteFile(dir.path(), "B_FILE", Lines({firstLine, "1|2|3"}));
    WriteFile(dir.path(), "C_SAME.TXT", Lines({"Q|" + kind + "|", "1|2|3"}));
    const QString found = FindPublishedFile(dir.path(), kind.isEmpty() ? "228" : kind);
    QCOMPARE(QFileInfo(found).fileName(), kind.isEmpty() ? QString() : QString("B_FILE"));
}

void TestCodeListImport::diagnoses() {
    VouchersFixture f;
    f.seed(); // H52 with KOD 1
    QTemporaryDir dir;
    QByteArray file = Lines({"DG|228|2024", "H52.1|x|Krátkozrakosť", "H52.11|x|Iná",
                             "A00|x|Cholera"});
    file += QByteArray("H53|x|\xA9PECI\xA5NA\r\n\r\nB01|x|za prazdnym riadkom\r\n");
    WriteFile(dir.path(), "DG228.TXT", file);
    for (int round = 0; round < 2; ++round) {
        f.ui.queueAnswer(1);
        f.ui.queueAnswer(0); // not emptied
        ImportDiagnoses(f.app, dir.path(), nullptr);
        QCOMPARE(f.ui.takeNoticeTexts(),
                 QStringList{"Import diagnóz ukončený!\nKódov skrátených na 4 znaky: 1."});
        // H52.11 is stored as H521 and so found again: it overwrites H52.1, never repeats it.
        const QMap<QString, QString> want{{"H52", "Refrakčné chyby|3|1"},
                                          {"H521", "Iná|4|2"},
                                          {"A00", "Cholera|3|3"},
                                          {"H53", "ŠPECIĽNA|3|4"}};
        QCOMPARE(Diagnoses(f), want);
    }
    QCOMPARE(f.ui.questions.size(), 4);
}

void TestCodeListImport::refusedFileChangesNothing_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("files"); // each: the name, then its lines, split by "\n"
    QTest::addColumn<QString>("notice");
    QTest::newRow("228 short line")
        << "228" << QStringList{"DG.TXT\nD|228|\nA00|x|Cholera\nA01|x"}
        << "Súbor DG.TXT, riadok 3: Riadok má 2 polí, potrebných je aspoň 3. Číselník ostal bez "
           "zmeny.";
    QTest::newRow("268 broken off")
        << "268" << QStringList{"POM.TXT\nP|268|\n" + AidLine("20002", "Nová") + "\n20003|Zlom|"}
        << "Súbor POM.TXT, riadok 3: Riadok má 3 polí, potrebných je aspoň 15. Číselník ostal bez "
           "zmeny.";
    QTest::newRow("268 bad date")
        << "268" << QStringList{"POM.TXT\nP|268|\n" + AidLine("20002", "Nová", "1.2.24")}
        << "Súbor POM.TXT, riadok 2: '1.2.24' nie je platný dátum. Číselník ostal bez zmeny.";
    // The price file is checked before the aids are loaded.
    QTest::newRow("335 bad price")
        << "268"
        << QStringList{"POM.TXT\nP|268|\n" + AidLine("00001", "Okuliare"),
                       "CENY.TXT\nQ|335|\nh\n1|00001|2|10\n2|10001|1,5|drahá"}
        << "Súbor CENY.TXT, riadok 4: 'drahá' nie je platné číslo. Číselník ostal bez zmeny.";
    QTest::newRow("csv unknown column")
        << "csv" << QStringList{"OPTPOM.CSV\nKODPOM|NAZOV|FARBA\n00001|Iné|modrá"}
        << "Pole FARBA zo zoznamu polí sa v číselníku nenachádza. Nie je možné pokračovať.";
    QTest::newRow("csv without key")
        << "csv" << QStringList{"optpom.csv\nKOD|NAZOV\n1|Iné"}
        << "V zozname polí sa nenachádza pole KODPOM. Nie je možné pokračovať.";
    QTest::newRow("csv bad number")
        << "csv" << QStringList{"optpom.csv\nKODPOM|CENA\n00001|5\n00002|päť"}
        << "Súbor optpom.csv, riadok 3: 'päť' nie je platné číslo. Číselník ostal bez zmeny.";
}

void TestCodeListImport::refusedFileChangesNothing() {
    QFETCH(QString, command);
    QFETCH(QStringList, files);
    QFETCH(QString, notice);
    VouchersFixture f;
    f.seed();
    const QMap<QString, QString> aids = Aids(f);
    const QMap<QString, QString> diagnoses = Diagnoses(f);
    QTemporaryDir dir;
    for (const QString& file : files) {
        QStringList lines = file.split('\n');
        const QString name = lines.takeFirst();
        WriteFile(dir.path(), name, Lines(lines));
    }
    if (command == "228")
        ImportDiagnoses(f.app, dir.path(), nullptr);
    else if (command == "268")
        ImportOpticalAids(f.app, dir.path(), nullptr);
    else
        ImportOpticalAidsCsv(f.app, dir.path(), nullptr);
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList{notice});
    QVERIFY(f.ui.questions.isEmpty()); // refused before anything was asked or emptied
    QCOMPARE(Aids(f), aids);
    QCOMPARE(Diagnoses(f), diagnoses);
}

void TestCodeListImport::aidsAndPricesWithEmptying() {
    VouchersFixture f;
    f.seed(); // 00001 (KOD 1, CENA 10) and 10001 (KOD 2)
    {
        Table& t = f.app.registry.module(13)->table();
        QVERIFY(FindByKey(t, "KODPOM", "00001"));
        QVERIFY(t.edit() && t.field("DPH").setValue(20) && t.post());
    }
    QTemporaryDir dir;
    WriteFile(dir.path(), "1.TXT", Lines({"Q|335|", "hlavička", "1|00001|12,4|12.5", "2|99999|1|1",
                                          "3|20002|3|3,5"}));
    WriteFile(dir.path(), "2.TXT", Lines({"P|268|", AidLine("00001", "Okuliare nové"),
                                          AidLine("20002", "Šošovka")}));
    f.ui.queueAnswer(1);
    f.ui.queueAnswer(1);
    f.ui.queueAnswer(1);
    ImportOpticalAids(f.app, dir.path(), nullptr);
    QCOMPARE(f.ui.questions,
             (QStringList{kAskContinue, " Mám najpr vymazať obsah číselníka optických pomôcok? ",
                          " Mám naozaj vymazať obsah číselníka optických pomôcok? "}));
    QCOMPARE(f.ui.takeNoticeTexts(),
             (QStringList{"Import optických pomôcok ukončený!\nBez sadzby DPH ostali pomôcky (1): "
                          "20002. Na poukaze sa nedajú rozdeliť podľa DPH.",
                          "Import cien optických pomôcok ukončený!"}));
    // 10001 went with the emptying; the rate of 00001 came back; 99999 made no aid.
    const QMap<QString, QString> want{{"00001", "Okuliare nové|12,5|12,5|12,4|20|1"},
                                      {"20002", "Šošovka|3,5|3,5|3||2"}};
    QCOMPARE(Aids(f), want);
    Table& t = f.app.registry.module(13)->table();
    QVERIFY(FindByKey(t, "KODPOM", "20002"));
    QCOMPARE(t.field("DATUMPZ").asDate(), QDate(2024, 2, 1));
    QCOMPARE(t.field("MJ").asString(), QString("ks"));
    QCOMPARE(t.field("MODIF").asString(), QString("M"));
}

void TestCodeListImport::pricesWithoutAidsDoNothing() {
    VouchersFixture f;
    f.seed();
    const QMap<QString, QString> aids = Aids(f);
    QTemporaryDir dir;
    WriteFile(dir.path(), "1.TXT", Lines({"Q|335|", "h", "1|00001|99|99"}));
    ImportOpticalAids(f.app, dir.path(), nullptr);
    QVERIFY(f.ui.questions.isEmpty());
    QCOMPARE(Aids(f), aids);
}

void TestCodeListImport::emptyingRefusedWhileOthersWork() {
    VouchersFixture f;
    f.seed();
    QString error;
    std::unique_ptr<Database> other = Database::open(f.dataDir.path(), &error);
    QVERIFY2(other, qPrintable(error));
    QTemporaryDir dir;
    WriteFile(dir.path(), "2.TXT", Lines({"P|268|", AidLine("20002", "Šošovka")}));
    for (int answer : {1, 1, 1})
        f.ui.queueAnswer(answer);
    ImportOpticalAids(f.app, dir.path(), nullptr);
    QCOMPARE(f.ui.takeNoticeTexts(),
             (QStringList{"Pre vymazanie tabuľky je potrebný exkluzívny-výhradný prístup k tabuľke. "
                          "Všetci ostatní užívatelia musia ukončiť program.",
                          "Import optických pomôcok ukončený!\nBez sadzby DPH ostali pomôcky (3): "
                          "00001, 10001, 20002. Na poukaze sa nedajú rozdeliť podľa DPH."}));
    // Not emptied: the old aids stay beside the new one.
    QCOMPARE(Aids(f).keys(), (QList<QString>{"00001", "10001", "20002"}));
}

void TestCodeListImport::csvFiles_data() {
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("notice");
    QTest::addColumn<QStringList>("aids");
    // The KOD of the file is never taken over; a line with another number of fields is skipped.
    QTest::newRow("aids with KOD")
        << "OptPom.CSV"
        << QStringList{"KOD|KODPOM|NAZOV|CENA", "77|00001|Nové okuliare|11,5", "", "x|y",
                       "88|30003|Tretia|2"}
        << "Import číselníka optických pomôcok ukončený. Naimportovali sme: 2 záznamov!"
        << QStringList{"00001=Nové okuliare|11,5|||", "10001=Šošovka|5,5|||", "30003=Tretia|2|||"};
    QTest::newRow("missing file") << "" << QStringList{}
                                  << "Vo vami nastavenom adresári sa nenachádza súbor OPTPOM.CSV. "
                                     "Nie je možné pokračovať."
                                  << QStringList{"00001=Okuliare|10|||", "10001=Šošovka|5,5|||"};
}

void TestCodeListImport::csvFiles() {
    QFETCH(QString, fileName);
    QFETCH(QStringList, lines);
    QFETCH(QString, notice);
    QFETCH(QStringList, aids);
    VouchersFixture f;
    f.seed();
    QTemporaryDir dir;
    if (!fileName.isEmpty()) {
        WriteFile(dir.path(), fileName, Lines(lines));
        f.ui.queueAnswer(1);
        f.ui.queueAnswer(0);
    }
    ImportOpticalAidsCsv(f.app, dir.path(), nullptr);
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList{notice});
    QStringList got;
    const QMap<QString, QString> all = Aids(f);
    for (auto it = all.cbegin(); it != all.cend(); ++it)
        got << it.key() + '=' + it.value().section('|', 0, 4);
    QCOMPARE(got, aids);
    if (!fileName.isEmpty()) {
        Table& t = f.app.registry.module(13)->table();
        QVERIFY(FindByKey(t, "KODPOM", "30003"));
        QCOMPARE(t.field("KOD").asString(), QString("3"));
        QVERIFY(FindByKey(t, "KODPOM", "00001"));
        QCOMPARE(t.field("KOD").asString(), QString("1"));
    }
}

void TestCodeListImport::sourceDialog() {
    VouchersFixture f;
    f.seed();
    QTemporaryDir drive;
    QTemporaryDir folder;
    IniFile ini(QString::fromLatin1(kMainSettingsFile));
    ini.writeString("MECHANIKY", "A", drive.path());
    ini.writeString("IMPORT", "CESTA1", folder.path() + '/');
    ini.writeInteger("IMPORT", "CO1", 3);
    WriteFile(drive.path(), "dg.csv", Lines({"KODD|NAZOV", "Z99|Z mechaniky"}));
    f.ui.queueDialog([&](QDialog& d) {
        auto& s = As<TfImportf>(d);
        QCOMPARE(s.windowTitle(), QString("Import súboru"));
        QVERIFY(s.rbAdresar->isChecked());
        QCOMPARE(s.eCesta->text(), folder.path() + '/');
        QVERIFY(s.eCesta->isEnabled());
        s.rbA->setChecked(true);
        QVERIFY(!s.eCesta->isEnabled());
        QVERIFY(!s.bbVyber->isEnabled());
        s.pressOk();
    });
    f.ui.queueAnswer(1);
    f.ui.queueAnswer(0);
    RunDiagnosisCsvImport(f.app, nullptr);
    QCOMPARE(f.ui.takeNoticeTexts(),
             QStringList{"Import číselníka diagnóz ukončený. Naimportovali sme: 1 záznamov!"});
    QVERIFY(Diagnoses(f).contains("Z99"));
    // The choice is kept for the kind, also when the dialog is cancelled.
    QCOMPARE(IniFile(QString::fromLatin1(kMainSettingsFile)).readInteger("IMPORT", "CO1"), 1);
    f.ui.queueDialog([](QDialog& d) {
        auto& s = As<TfImportf>(d);
        QVERIFY(s.rbA->isChecked());
        s.rbB->setChecked(true);
        s.pressBack();
    });
    RunDiagnosisCsvImport(f.app, nullptr);
    QCOMPARE(IniFile(QString::fromLatin1(kMainSettingsFile)).readInteger("IMPORT", "CO1"), 2);
}

VIDORAW_TEST(TestCodeListImport)
#include "test_codelistimport.moc"

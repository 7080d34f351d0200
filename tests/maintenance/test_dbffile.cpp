#include "dostables.h"
#include "maintenance/dbffile.h"
#include "testmain.h"

using namespace vidoraw;
using namespace vidoraw::test;

namespace {

// KOD N(5,0); NAZOV C(12); CENA N(8,2); DATUM D; JE L: three records, the second deleted.
QByteArray SampleTable(QTemporaryDir& dir) {
    QString error;
    if (!WriteDosTables(dir.path(),
                        {{"T.DBF", "KOD N(5,0); NAZOV C(12); CENA N(8,2); DATUM D; JE L",
                          {QJsonArray{7, "Šošovka", 12.5, "2001-05-12", true},
                           QJsonArray{8, "preč", 1, QJsonValue(), false},
                           QJsonArray{QJsonValue(), "", QJsonValue(), QJsonValue(), QJsonValue()}},
                          {1}}},
                        &error)) {
        qWarning("%s", qPrintable(error));
        return {};
    }
    QFile f(dir.filePath("T.DBF"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void PutWord(QByteArray& b, int at, int value) {
    b[at] = char(value & 0xFF);
    b[at + 1] = char((value >> 8) & 0xFF);
}

} // namespace

// The reader of the DOS program's tables: values by their types, and damaged files refused
// with a reason instead of being read past their end.
class TestDbfFile : public QObject {
    Q_OBJECT
private slots:
    void values();
    void damaged_data();
    void damaged();
    void badValues_data();
    void badValues();
};

void TestDbfFile::values() {
    QTemporaryDir dir;
    const QByteArray bytes = SampleTable(dir);
    QVERIFY(!bytes.isEmpty());
    DbfFile t;
    QString error;
    QVERIFY2(t.open(dir.filePath("T.DBF"), &error), qPrintable(error));
    QCOMPARE(t.recordCount(), 3);
    QCOMPARE(t.fields().size(), 5);
    QCOMPARE(t.fieldIndex("nazov"), 1);
    QCOMPARE(t.fieldIndex("CISLO"), -1);
    QVERIFY(!t.isDeleted(0));
    QVERIFY(t.isDeleted(1));
    QVERIFY(t.isDeleted(3)); // beyond the table: nothing to see
    QStringList rows;
    for (int r = 0; r < t.recordCount(); ++r) {
        QStringList cells;
        for (int i = 0; i < t.fields().size(); ++i) {
            QByteArray text;
            QVERIFY2(t.text(r, i, text, &error), qPrintable(error));
            cells << QString::fromLatin1(text);
        }
        rows << cells.join('|');
    }
    // The text stays in the table's bytes: the Kamenický letters are converted by the import.
    const QString sosovka = QString::fromLatin1(QByteArray("\x9Bo\xA8ovka"));
    QCOMPARE(rows, (QStringList{"7|" + sosovka + "|12,5|12.05.2001|True",
                                QString::fromLatin1("8|pre\x87|1||False"), "||||"}));
    QByteArray out;
    QVERIFY(!t.text(3, 0, out, &error));
    QVERIFY(!t.text(0, 5, out, &error));
}

void TestDbfFile::damaged_data() {
    QTest::addColumn<int>("damage");
    QTest::addColumn<QString>("reason");
    QTest::newRow("shorter than the header") << 0 << "súbor je kratší ako hlavička tabuľky";
    QTest::newRow("no dBASE version") << 1 << "súbor nie je tabuľka dBASE";
    QTest::newRow("header beyond the file") << 2 << "hlavička tabuľky je poškodená";
    QTest::newRow("more records than the file holds") << 3 << "súbor je kratší, ako uvádza hlavička (počet záznamov 40000)";
    QTest::newRow("a huge record count") << 4 << "súbor je kratší, ako uvádza hlavička (počet záznamov 4294967295)";
    QTest::newRow("no end of the field list") << 5 << "hlavička tabuľky nemá koniec zoznamu polí";
    QTest::newRow("a field of no length") << 6 << "pole 1 tabuľky je poškodené";
    QTest::newRow("records shorter than their fields") << 7 << "dĺžka záznamu v hlavičke nezodpovedá poliam";
    QTest::newRow("no fields") << 8 << "hlavička tabuľky je poškodená";
}

void TestDbfFile::damaged() {
    QFETCH(int, damage);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QByteArray b = SampleTable(dir);
    QVERIFY(b.size() > 200);
    const int header = int(uchar(b[8])) | int(uchar(b[9])) << 8;
    switch (damage) {
    case 0: b.truncate(20); break;
    case 1: b[0] = 0x00; break;
    case 2: PutWord(b, 8, int(b.size()) + 1); break;
    case 3: PutWord(b, 4, 40000); break;
    case 4: b[4] = b[5] = b[6] = b[7] = char(0xFF); break;
    case 5: PutWord(b, 8, header - 1); break;
    case 6: b[32 + 16] = 0; break;
    case 7: PutWord(b, 10, 10); break;
    case 8: PutWord(b, 8, 33); break;
    }
    DbfFile t;
    QString error;
    QVERIFY(!t.load(b, &error));
    QCOMPARE(error, reason);
    QCOMPARE(t.recordCount(), 0);
    QCOMPARE(t.fields().size(), 0);
}

void TestDbfFile::badValues_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("reason");
    QTest::newRow("letters in a number") << 0 << QByteArray("  1a2") << "'1a2' nie je číslo";
    QTest::newRow("an overflowed number") << 2 << QByteArray("********") << "'********' nie je číslo";
    QTest::newRow("the 31st of February") << 3 << QByteArray("20010231") << "'20010231' nie je dátum";
    QTest::newRow("a date of letters") << 3 << QByteArray("2001ab12") << "'2001ab12' nie je dátum";
}

void TestDbfFile::badValues() {
    QFETCH(int, field);
    QFETCH(QByteArray, stored);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QByteArray b = SampleTable(dir);
    DbfFile t;
    QString error;
    QVERIFY(t.load(b, &error));
    const int header = int(uchar(b[8])) | int(uchar(b[9])) << 8;
    const DbfField& f = t.fields()[field];
    QCOMPARE(stored.size(), f.length);
    b.replace(header + f.offset, f.length, stored);
    QVERIFY(t.load(b, &error));
    QByteArray out;
    QVERIFY(!t.text(0, field, out, &error));
    QCOMPARE(error, reason);
}

VIDORAW_TEST(TestDbfFile)
#include "test_dbffile.moc"

#include "testmain.h"

#include "vouchers/birthnumber.h"

#include <QTest>

using namespace vidoraw;

// Birth numbers as typed: the slash put in, refusals with their messages, the numbers whose
// modulo 11 test asks whether to go on.
class TestBirthNumbers : public QObject {
    Q_OBJECT
private slots:
    void reading_data();
    void reading();
};

using Verdict = BirthNumberReading::Verdict;
Q_DECLARE_METATYPE(BirthNumberReading::Verdict)

void TestBirthNumbers::reading_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<Verdict>("verdict");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("message");

    const QString wrong = "Rodné číslo nie je správne!";
    const QString notADate =
        "Rodné číslo nie je správne. Časť pred lomítkom nepredstavuje reálny dátum !";
    const QString modulo = "Rodné číslo nie je správne, nie je splnená podmienka modulo 11. Mám aj "
                           "napriek tomu pokračovať?";
    const QString twoSlashes = "V rodnom čísle môže byť najviac jeden znak / !";

    // The slash after the sixth digit.
    QTest::newRow("ten digits without the slash") << "8001011007" << Verdict::Valid
                                                  << "800101/1007" << "";
    QTest::newRow("nine digits without the slash") << "520101123" << Verdict::Valid
                                                   << "520101/123" << "";
    QTest::newRow("eleven digits lose the eleventh") << "80010110079" << Verdict::Valid
                                                     << "800101/1007" << "";
    QTest::newRow("blanks around") << " 800101/1007 " << Verdict::Valid << "800101/1007" << "";
    // Too short, wrong characters.
    QTest::newRow("seven characters") << "8001011" << Verdict::Refused << "8001011" << wrong;
    QTest::newRow("empty") << "" << Verdict::Refused << "" << wrong;
    QTest::newRow("a dash for the slash, named")
        << "800101-1007" << Verdict::Refused << "800101-1007"
        << "Neprípustný znak v rodnom čísle: - !";
    QTest::newRow("a letter after the tenth character, named")
        << "8001011007x" << Verdict::Refused << "8001011007x"
        << "Neprípustný znak v rodnom čísle: x !";
    QTest::newRow("two slashes") << "800101//100" << Verdict::Refused << "800101//100" << twoSlashes;
    QTest::newRow("slash inside the date") << "80010/11007" << Verdict::Refused << "80010/11007"
                                           << wrong;
    // The date before the slash.
    QTest::newRow("month 34") << "803401/1234" << Verdict::Refused << "803401/1234" << notADate;
    QTest::newRow("day 0") << "800100/123" << Verdict::Refused << "800100/123" << notADate;
    QTest::newRow("woman's month 51") << "8051011001" << Verdict::Valid << "805101/1001" << "";
    QTest::newRow("woman's month 63") << "806301/1001" << Verdict::Refused << "806301/1001"
                                      << notADate;
    QTest::newRow("month 21 of numbers issued since 2004")
        << "8021011009" << Verdict::Valid << "802101/1009" << "";
    QTest::newRow("month 32 of numbers issued since 2004")
        << "803201/101" << Verdict::Valid << "803201/101" << "";
    QTest::newRow("woman's month 71 issued since 2004")
        << "8071011003" << Verdict::Valid << "807101/1003" << "";
    QTest::newRow("month 83") << "808301/1003" << Verdict::Refused << "808301/1003" << notADate;
    QTest::newRow("29 February 2000, ten digits")
        << "0002291003" << Verdict::Valid << "000229/1003" << "";
    QTest::newRow("29 February 1900, nine digits")
        << "000229/100" << Verdict::Refused << "000229/100" << notADate;
    // Modulo 11: ten digits whatever the year, nine digits never.
    QTest::newRow("ten digits not divisible") << "800101/1000" << Verdict::Doubtful
                                              << "800101/1000" << modulo;
    QTest::newRow("year 52, month 51, nine digits: no test")
        << "525101/123" << Verdict::Valid << "525101/123" << "";
    QTest::newRow("year 53, nine digits: no test")
        << "535101/123" << Verdict::Valid << "535101/123" << "";
    QTest::newRow("year 53, ten digits: tested")
        << "5351011000" << Verdict::Doubtful << "535101/1000" << modulo;
    QTest::newRow("year 52, ten digits: tested (2052)")
        << "5201011000" << Verdict::Doubtful << "520101/1000" << modulo;
    QTest::newRow("year 00, ten digits divisible") << "0001011010" << Verdict::Valid
                                                   << "000101/1010" << "";
    QTest::newRow("remainder 10 and a final 0 (1954-1985)")
        << "8001011030" << Verdict::Valid << "800101/1030" << "";
    QTest::newRow("remainder 10 without the final 0")
        << "8001011031" << Verdict::Doubtful << "800101/1031" << modulo;
}

void TestBirthNumbers::reading() {
    QFETCH(QString, typed);
    QFETCH(Verdict, verdict);
    QFETCH(QString, shown);
    QFETCH(QString, message);
    const BirthNumberReading r = ReadBirthNumber(typed);
    QCOMPARE(r.verdict, verdict);
    QCOMPARE(r.text, shown);
    QCOMPARE(r.message, message);
}

VIDORAW_TEST(TestBirthNumbers)
#include "test_birthnumbers.moc"

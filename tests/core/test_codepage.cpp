#include "core/base/codepage.h"

#include "testmain.h"

#include <QStringDecoder>
#include <QTest>

using namespace vidoraw;

namespace {
QByteArray AllBytes() {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    return all;
}
bool Undefined(int b) {
    return b == 0x81 || b == 0x83 || b == 0x88 || b == 0x90 || b == 0x98;
}
} // namespace

class TestCodepage : public QObject {
    Q_OBJECT
private slots:
    void roundTripOfAllBytes() {
        const QString text = FromCp1250(AllBytes());
        QCOMPARE(text.size(), 256);
        QString bad;
        QCOMPARE(ToCp1250(text, &bad), AllBytes());
        QVERIFY(bad.isEmpty());
        QVERIFY(IsCp1250Text(text));
    }

    // Our table against an independent one, so a typo in it cannot hide.
    void tableAgreesWithIcu() {
        QStringDecoder decoder("windows-1250");
        if (!decoder.isValid()) QSKIP("no windows-1250 decoder in this Qt build");
        for (int b = 0x80; b < 256; ++b) {
            if (Undefined(b)) continue;
            const QString theirs = decoder.decode(QByteArray(1, char(b)));
            QVERIFY2(QString(Cp1250Char(uchar(b))) == theirs, qPrintable(QString::number(b, 16)));
        }
    }

    void slovakLetters_data() {
        QTest::addColumn<int>("byte");
        QTest::addColumn<QString>("letter");
        QTest::newRow("Š") << 0x8A << u"Š"_qs;
        QTest::newRow("Ť") << 0x8D << u"Ť"_qs;
        QTest::newRow("ž") << 0x9E << u"ž"_qs;
        QTest::newRow("Ľ") << 0xBC << u"Ľ"_qs;
        QTest::newRow("ľ") << 0xBE << u"ľ"_qs;
        QTest::newRow("Ŕ") << 0xC0 << u"Ŕ"_qs;
        QTest::newRow("Č") << 0xC8 << u"Č"_qs;
        QTest::newRow("ô") << 0xF4 << u"ô"_qs;
        QTest::newRow("€") << 0x80 << u"€"_qs;
        QTest::newRow("undefined 0x98") << 0x98 << QString(QChar(0x98));
    }
    void slovakLetters() {
        QFETCH(int, byte);
        QFETCH(QString, letter);
        QCOMPARE(QString(Cp1250Char(uchar(byte))), letter);
        QCOMPARE(ToCp1250(letter), QByteArray(1, char(byte)));
    }

    void unrepresentableCharactersAreReported() {
        // ñ is not in code page 1250; the snowman appears twice but is reported once;
        // the emoji is one character, one '?'.
        const QString text = u"Grüße ñ ☃😀☃ Košice"_qs;
        QString bad;
        const QByteArray bytes = ToCp1250(text, &bad);
        QCOMPARE(bytes, QByteArray("Gr\xFC\xDF"
                                   "e ? ??? Ko\x9A"
                                   "ice"));
        QCOMPARE(bad, u"ñ☃😀"_qs);
        QVERIFY(!IsCp1250Text(text));
        QVERIFY(IsCp1250Text(u"Žltý kôň ľúbi ťavy"_qs));
    }

    void kamenicky() {
        QByteArray letters;
        for (int b = 128; b <= 171; ++b)
            letters.append(char(b));
        QCOMPARE(FromKamenicky(letters), u"ČüéďäĎŤčěĚĹÍľĺÄÁÉžŽôöÓůÚýÖÜŠĽÝŘťáíóúňŇŮÔšřŕŔ"_qs);
        // ASCII stays; bytes outside the letters read as code page 1250.
        QCOMPARE(FromKamenicky(QByteArray("Ko\xA8ice 12/3")), u"Košice 12/3"_qs);
        QCOMPARE(FromKamenicky(QByteArray("\xAC\xFF")), u"¬˙"_qs);
    }

    void latin2Capitals() {
        const QByteArray latin2("\xA5UBO\xA9 \xAB\xAE \xB9");
        QCOMPARE(FromLatin2Capitals(latin2), QByteArray("\xBCUBO\x8A \x8D\x8E \xB9"));
        // Text already decoded as code page 1250 gets the same repair.
        QCOMPARE(FromLatin2Capitals(FromCp1250(latin2)), u"ĽUBOŠ ŤŽ ą"_qs);
    }

    void diacritics() {
        QCOMPARE(StripDiacritics(u"Šťastný Ďuro Ľubomír Ŕ ř ů Ĺ ä ö ü, Łódź"_qs),
                 u"Stastny Duro Lubomir R r u L a o u, Łodź"_qs);
        QVERIFY(HasDiacritics(QChar(u'ä')));
        QVERIFY(HasDiacritics(QChar(u'Ů')));
        QVERIFY(!HasDiacritics(QChar(u'a')));
        QVERIFY(!HasDiacritics(QChar(u'ł'))); // Polish, not a Slovak or Czech letter
        QVERIFY(HasDiacritics(u"Novák"_qs));
        QVERIFY(!HasDiacritics(u"Novak"_qs));
    }

    void scrambling_data() {
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QString>("scrambled");
        QTest::newRow("letters") << u"abc"_qs << u"def"_qs;
        QTest::newRow("top of the moved range") << u"z{|"_qs << u"}~\x7f"_qs;
        QTest::newRow("control and digits") << u"\x01"
                                               "09"_qs
                                            << u"\x04"
                                               "3<"_qs;
        QTest::newRow("letters above 130 stay") << u"ŠťŽá"_qs << u"ŠťŽá"_qs;
        QTest::newRow("not in code page 1250 stays") << u"ñ"_qs << u"ñ"_qs;
        QTest::newRow("empty") << QString() << QString();
    }
    void scrambling() {
        QFETCH(QString, plain);
        QFETCH(QString, scrambled);
        QCOMPARE(ScramblePassword(plain), scrambled);
        QCOMPARE(UnscramblePassword(scrambled), plain);
    }

    // 122..124 scramble to 125..127 and must come back, as must the codes just above.
    void scramblingRoundTripOfAllSafeCodes() {
        QString text;
        for (int b = 0; b < 256; ++b)
            if (b <= 124 || b >= 131) text += Cp1250Char(uchar(b));
        QCOMPARE(UnscramblePassword(ScramblePassword(text)), text);
    }
};

VIDORAW_TEST(TestCodepage)
#include "test_codepage.moc"

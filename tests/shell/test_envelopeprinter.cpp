#include "shell/envelopeprinter.h"
#include "shellfixture.h"
#include "testmain.h"

using namespace vidoraw;
using namespace vidoraw::test;

class TestEnvelopePrinter : public QObject {
    Q_OBJECT
private slots:
    void unknownPrinterIsToldAndAnswered_data();
    void unknownPrinterIsToldAndAnswered();
};

void TestEnvelopePrinter::unknownPrinterIsToldAndAnswered_data() {
    QTest::addColumn<QString>("stored"); // empty: the key is not in the settings
    QTest::addColumn<QString>("code");
    QTest::newRow("default") << "" << "1";
    QTest::newRow("set") << "3" << "3";
}

void TestEnvelopePrinter::unknownPrinterIsToldAndAnswered() {
    QFETCH(QString, stored);
    QFETCH(QString, code);
    ShellFixture f([&] {
        if (!stored.isEmpty())
            IniFile("VIDORAW.INI").writeString("CESTY", "TLACIAREN", stored);
    });
    QCOMPARE(EnvelopePrinterCode(f.app), code);
    const QList<RecordedNotice> shown = f.ui.takeNotices();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].title, QString("Chyba"));
    QCOMPARE(shown[0].text,
             "Posuny zostáv pre tlaciareň s kódom :" + code + " nie sú definované!");
    QCOMPARE(shown[0].kind, NoticeKind::Information);
}

VIDORAW_TEST(TestEnvelopePrinter)
#include "test_envelopeprinter.moc"

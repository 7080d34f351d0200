#include "testmain.h"
#include "usersfixture.h"

using namespace vidoraw;
using namespace vidoraw::test;

// The masked entry of the password windows: only Latin letters become part of the password,
// the field shows one "*" for each, and every other change of the text is undone.
class TestMaskedEntry : public QObject {
    Q_OBJECT
private slots:
    void keys_data();
    void keys();
    void otherChangesUndone();
    void showingStartsEmpty();
};

void TestMaskedEntry::keys_data() {
    QTest::addColumn<QString>("keys"); // '<' Backspace, '#' Delete
    QTest::addColumn<QString>("typed");
    QTest::newRow("letters") << "heslo" << "heslo";
    QTest::newRow("case kept") << "HesLO" << "HesLO";
    QTest::newRow("all 52 letters") << "azAZmN" << "azAZmN";
    QTest::newRow("a digit is ignored") << "ab5c" << "abc";
    QTest::newRow("then Backspace") << "ab5c<" << "ab";
    QTest::newRow("Backspace after a digit") << "ab5<" << "a";
    QTest::newRow("Backspace on nothing") << "<<a" << "a";
    QTest::newRow("more Backspaces than letters") << "ab<<<c" << "c";
    QTest::newRow("space and punctuation") << "a b.c-d" << "abcd";
    QTest::newRow("letters with diacritics") << QString("ščaťb") << "ab";
    QTest::newRow("Delete on the display") << "ab#c" << "abc";
    QTest::newRow("only digits") << "1234" << "";
}

void TestMaskedEntry::keys() {
    QFETCH(QString, keys);
    QFETCH(QString, typed);
    QLineEdit field;
    MaskedEntry entry(&field);
    field.show();
    TypeKeys(&field, keys);
    QCOMPARE(entry.typed(), typed);
    QCOMPARE(field.text(), QString(typed.size(), u'*'));
    // The next key replaces the whole display.
    QCOMPARE(field.selectedText(), field.text());
}

void TestMaskedEntry::otherChangesUndone() {
    QLineEdit field;
    MaskedEntry entry(&field);
    field.show();
    TypeKeys(&field, "abc");
    field.insert("xyz"); // a paste
    QCOMPARE(field.text(), QString("***"));
    field.setText("heslo"); // any other change
    QCOMPARE(field.text(), QString("***"));
    QCOMPARE(entry.typed(), QString("abc"));
    // With the cursor at the end instead of a selection, keys still count once.
    field.deselect();
    field.end(false);
    TypeKeys(&field, "d<");
    QCOMPARE(entry.typed(), QString("abc"));
    // Well past the 20 characters of the field: nothing is cut.
    TypeKeys(&field, QString("x").repeated(30));
    QCOMPARE(entry.typed().size(), 33);
    QCOMPARE(field.text().size(), 33);
    entry.clear();
    QCOMPARE(entry.typed(), QString());
    QCOMPARE(field.text(), QString());
}

void TestMaskedEntry::showingStartsEmpty() {
    UsersFixture f;
    QVERIFY(f.created);
    QVERIFY(f.setPassword("abc"));
    TfHeslo w(f.app, &f.window());
    // Letters left from an earlier showing are forgotten.
    f.ui.queueDialog([](QDialog& d) {
        auto& h = dynamic_cast<TfHeslo&>(d);
        TypeKeys(h.eHeslo, "ab");
        h.pressBack();
    });
    w.showModal();
    f.ui.queueDialog([](QDialog& d) {
        auto& h = dynamic_cast<TfHeslo&>(d);
        QCOMPARE(h.eHeslo->text(), QString());
        QCOMPARE(h.typed(), QString());
        QCOMPARE(QApplication::focusWidget(), h.eHeslo);
        TypeKeys(h.eHeslo, "c");
        QVERIFY(!h.matches());
        h.pressBack();
    });
    w.showModal();
    QCOMPARE(f.ui.pendingNotices(), 0);
}

VIDORAW_TEST(TestMaskedEntry)
#include "test_maskedentry.moc"

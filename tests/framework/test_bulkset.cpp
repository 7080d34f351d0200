#include "filterfixture.h"
#include "testmain.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

using namespace vidoraw;
using namespace vidoraw::test;

namespace {

// A field of the people 1..4, by code, whatever the list's order and filter.
QStringList ByCode(FilterFixture& f, const QString& field) {
    Table t(f.db.get(), "TITUL.DB");
    if (!t.open())
        return {"not open"};
    QStringList out;
    for (t.first(); !t.eof(); t.next())
        out << t.field(field).asString();
    return out;
}

const QString kDone = "Hromadné dosadenie je ukončené! Dosadili sme hodnotu pre: %1 záznamov!";

} // namespace

class TestBulkSet : public QObject {
    Q_OBJECT
private slots:
    void everyListedRecordOnce_data();
    void everyListedRecordOnce();
    void randomChoicesRepeatAfterStart();
    void refused_data();
    void refused();
    void failureChangesNothing();
    void modesExcludeEachOther();
};

void TestBulkSet::everyListedRecordOnce_data() {
    QTest::addColumn<QString>("order");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("condition"); // "-": no condition
    QTest::addColumn<int>("set");
    QTest::addColumn<QStringList>("after"); // the field of the people 1..4
    // Each set value moves the record to the other end of the list.
    QTest::newRow("order by the field, to the end") << "CENA" << "" << "CENA" << "10" << "-" << 4
                                                    << QStringList{"10", "10", "10", "10"};
    QTest::newRow("order by the field, to the front") << "PRIEZ" << "" << "PRIEZ" << "Adam" << "-"
                                                      << 4
                                                      << QStringList{"Adam", "Adam", "Adam", "Adam"};
    // Set records leave the filtered list; none of the others is set.
    QTest::newRow("filter on the field") << "PRIEZ" << "POCET > 0" << "POCET" << "0" << "-" << 2
                                         << QStringList{"0", "0", "0", "0"};
    QTest::newRow("filter on another field") << "CENA" << "OBEC = 'Nitra'" << "CENA" << "0,5"
                                             << "-" << 2
                                             << QStringList{"0,5", "2", "0,5", "0"};
    QTest::newRow("condition 0") << "KOD" << "" << "POCET" << "9" << "0" << 2
                                 << QStringList{"2", "9", "5", "9"};
    QTest::newRow("condition on a text") << "PRIEZ" << "" << "OBEC" << "Levice" << "Nitra" << 2
                                         << QStringList{"Levice", "Trnava", "Levice", "Žilina"};
    QTest::newRow("condition matches nothing") << "KOD" << "" << "OBEC" << "Levice" << "nitra"
                                               << 0
                                               << QStringList{"Nitra", "Trnava", "Nitra", "Žilina"};
    QTest::newRow("empty value, blank field") << "KOD" << "" << "DATNAR" << "" << "-" << 4
                                              << QStringList{"", "", "", ""};
}

// The keys are taken before anything changes: a field that drives the list's order or filter
// is set in every listed record exactly once.
void TestBulkSet::everyListedRecordOnce() {
    QFETCH(QString, order);
    QFETCH(QString, filter);
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, condition);
    QFETCH(int, set);
    QFETCH(QStringList, after);
    FilterFixture f;
    TfLudiad& m = f.people();
    QVERIFY(m.table().setOrder(order));
    if (!filter.isEmpty())
        QVERIFY(m.applyFilterText(filter, QString()));
    TfBulkSet dialog(m);
    dialog.eMeno->setText(field);
    dialog.eHodnota->setText(value);
    if (condition != "-") {
        dialog.cbPodmienka->setChecked(true);
        dialog.ePodmienka->setText(condition);
    }
    f.ui.queueAnswer(1);
    QCOMPARE(dialog.execute(), set);
    QCOMPARE(f.ui.questions, QStringList{"Mám naozaj vykonať hromadné dosadenie hodnôt?"});
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList{kDone.arg(set)});
    QCOMPARE(ByCode(f, field), after);
    QVERIFY(f.ui.verifyNoSurprises());
}

// One sequence per run, starting the same way each time the program starts.
void TestBulkSet::randomChoicesRepeatAfterStart() {
    QStringList first, second;
    for (int run = 0; run < 2; ++run) {
        FilterFixture f;
        TfLudiad& m = f.people();
        for (int use = 0; use < 2; ++use) {
            TfBulkSet dialog(m);
            dialog.cbNahodne->setChecked(true);
            QVERIFY(!dialog.cbJednoznacne->isChecked());
            dialog.eMenoNahodne->setText("OBEC");
            dialog.mHodnoty->setPlainText("X\nY\nZ\n");
            f.ui.queueAnswer(1);
            QCOMPARE(dialog.execute(), 4);
            QCOMPARE(f.ui.takeNoticeTexts(), QStringList{kDone.arg(4)});
            (run == 0 ? first : second) << ByCode(f, "OBEC").join("");
        }
    }
    QCOMPARE(first, (QStringList{"XXZX", "XZXX"}));
    QCOMPARE(second, first);
}

void TestBulkSet::refused_data() {
    QTest::addColumn<bool>("exact");
    QTest::addColumn<bool>("random");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("candidates");
    QTest::addColumn<int>("answer"); // -2: no question
    QTest::addColumn<QStringList>("notices");
    QTest::newRow("no mode") << false << false << "OBEC" << "" << -2
                             << QStringList{"Zaškrtnite jedno zo zaškrtávacích polí, aby bolo "
                                            "jasné, ktorý spôsob dosadenia treba vykonať!"};
    QTest::newRow("no such field") << true << false << "MESTO" << "" << -2
                                   << QStringList{"Tabuľka TITUL.DB nemá pole \"MESTO\"!"};
    QTest::newRow("no candidates") << false << true << "OBEC" << "\n" << -2
                                   << QStringList{"Zadajte hodnoty, z ktorých sa má náhodne "
                                                  "vyberať!"};
    QTest::newRow("answered no") << true << false << "OBEC" << "" << 0 << QStringList{};
    QTest::newRow("cancelled") << false << true << "OBEC" << "A" << -1 << QStringList{};
}

void TestBulkSet::refused() {
    QFETCH(bool, exact);
    QFETCH(bool, random);
    QFETCH(QString, field);
    QFETCH(QString, candidates);
    QFETCH(int, answer);
    QFETCH(QStringList, notices);
    FilterFixture f;
    TfBulkSet dialog(f.people());
    dialog.cbJednoznacne->setChecked(exact);
    dialog.cbNahodne->setChecked(random);
    dialog.eMeno->setText(field);
    dialog.eMenoNahodne->setText(field);
    dialog.eHodnota->setText("Levice");
    dialog.mHodnoty->setPlainText(candidates);
    if (answer != -2)
        f.ui.queueAnswer(answer);
    QCOMPARE(dialog.execute(), 0);
    QCOMPARE(f.ui.takeNoticeTexts(), notices);
    QCOMPARE(ByCode(f, "OBEC"), (QStringList{"Nitra", "Trnava", "Nitra", "Žilina"}));
    QCOMPARE(f.app.randomSeed, quint32(0));
    QVERIFY(f.ui.verifyNoSurprises());
}

// The second record refuses the value (a duplicate code): the first one is not kept either,
// and the random sequence goes on as if the run had not been.
void TestBulkSet::failureChangesNothing() {
    FilterFixture f;
    TfLudiad& m = f.people();
    TfBulkSet dialog(m);
    dialog.eMeno->setText("KOD");
    dialog.eHodnota->setText("7");
    f.ui.queueAnswer(1);
    QCOMPARE(dialog.execute(), 0);
    const QStringList notices = f.ui.takeNoticeTexts();
    QCOMPARE(notices.size(), 1);
    QVERIFY2(notices[0].startsWith("Hromadné dosadenie sa nepodarilo, nezmenili sme žiadny záznam."),
             qPrintable(notices[0]));
    QCOMPARE(ByCode(f, "KOD"), (QStringList{"1", "2", "3", "4"}));
    QCOMPARE(Codes(m.table()), (QList<int>{1, 2, 3, 4}));

    dialog.cbNahodne->setChecked(true);
    dialog.eMenoNahodne->setText("POCET");
    dialog.mHodnoty->setPlainText("1\n2\nnie je číslo"); // the third record gets it
    f.ui.queueAnswer(1);
    QCOMPARE(dialog.execute(), 0);
    QCOMPARE(f.ui.takeNoticeTexts().size(), 1);
    QCOMPARE(ByCode(f, "POCET"), (QStringList{"2", "0", "5", "0"}));
    QCOMPARE(f.app.randomSeed, quint32(0));
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestBulkSet::modesExcludeEachOther() {
    FilterFixture f;
    TfBulkSet dialog(f.people());
    QVERIFY(dialog.cbJednoznacne->isChecked());
    QVERIFY(!dialog.ePodmienka->isVisibleTo(&dialog));
    dialog.cbNahodne->setChecked(true);
    QVERIFY(!dialog.cbJednoznacne->isChecked());
    dialog.cbJednoznacne->setChecked(true);
    QVERIFY(!dialog.cbNahodne->isChecked());
    dialog.cbJednoznacne->setChecked(false);
    QVERIFY(!dialog.cbNahodne->isChecked());
    dialog.cbPodmienka->setChecked(true);
    QVERIFY(dialog.ePodmienka->isVisibleTo(&dialog));
}

VIDORAW_TEST(TestBulkSet)
#include "test_bulkset.moc"

#include "companiesfixture.h"
#include "testmain.h"

#include "codelists/heslod.h"
#include "codelists/heslov.h"
#include "codelists/keywords.h"
#include "codelists/prihesf.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

using namespace vidoraw;
using namespace vidoraw::test;

// Keywords: their form, the window that assigns them to a company, and the choice of one.
class TestKeywords : public QObject {
    Q_OBJECT
private slots:
    void keywordChecks_data();
    void keywordChecks();
    void keywordBackAsks();
    void assignedAnew();
    void assignedNothingRemovesAll();
    void keywordsFromAnotherCompany_data();
    void keywordsFromAnotherCompany();
    void missingKeywordReported();
    void newKeywordFromTheWindow();
    void backAsksOnlyAfterChanges();
    void chooseKeyword();
};

namespace {

// Five keywords in no order; company 1 without any, company 2 with two.
void Seed(CompaniesFixture& f) {
    f.addCompany(1, "35697270",
                 {{"NAZOV", "Optika Lux"},
                  {"TITUL", "Ing."},
                  {"MENO", "Ján"},
                  {"PRIEZVISK", "Novák"},
                  {"ULICA", "Hlavná"},
                  {"CISLO", "5"},
                  {"OBEC", "Košice"},
                  {"PSC", "04001"},
                  {"DICO", "2020/1"}});
    f.addCompany(2, "44", {{"NAZOV", "Druhá"}});
    const char* names[] = {"hotel", "Chata", "čistiareň", "Cukráreň", "dodávateľ"};
    for (int i = 0; i < 5; ++i)
        f.addRow(module::kHesla,
                 {{"KOD", QString::number(i + 1)}, {"NAZOV", QString::fromUtf8(names[i])}});
    f.addRow(module::kPrihesf, {{"KOD", "1"}, {"KODF", "2"}, {"KODH", "2"}});
    f.addRow(module::kPrihesf, {{"KOD", "2"}, {"KODF", "2"}, {"KODH", "5"}});
}

// The keyword codes of company c, sorted.
QStringList KeywordsOf(CompaniesFixture& f, int company) {
    QStringList out;
    Table& t = f.table(module::kPrihesf);
    for (t.first(); !t.eof(); t.next())
        if (t.field("KODF").asInteger() == company) out << t.field("KODH").asString();
    out.sort();
    return out;
}

void Select(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(found.size() == 1, qPrintable(text));
    list->setCurrentItem(found.first());
}

} // namespace

void TestKeywords::keywordChecks_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message"); // empty: saved
    QTest::newRow("empty") << "   "
                           << "Heslo nesmie byť prázdne!";
    QTest::newRow("taken") << " hotel "
                           << "Duplicitné heslo!";
    QTest::newRow("differs in letter case") << "Hotel"
                                            << "";
    QTest::newRow("new") << "optika"
                         << "";
}

void TestKeywords::keywordChecks() {
    QFETCH(QString, typed);
    QFETCH(QString, message);
    CompaniesFixture f;
    Seed(f);
    auto& m = f.module<TfHeslod>(module::kHesla);
    if (!message.isEmpty()) f.ui.queueAnswer(1);
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfHeslod>(d);
        QCOMPARE(form.windowTitle(), QString("Heslo"));
        QCOMPARE(form.eKod->text(), QString("6"));
        QCOMPARE(QApplication::focusWidget(), form.eNazov);
        form.eNazov->setText(typed);
        form.pressOk();
        QCOMPARE(form.isVisible(), !message.isEmpty());
        if (form.isVisible()) form.pressBack();
    });
    QCOMPARE(m.AddRecord(), message.isEmpty() ? 1 : 0);
    QCOMPARE(f.ui.takeNoticeTexts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(m.table().recordCount(), message.isEmpty() ? 6 : 5);
    if (message.isEmpty()) QCOMPARE(m.table().field("NAZOV").asString(), typed.trimmed());
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestKeywords::keywordBackAsks() {
    CompaniesFixture f;
    Seed(f);
    auto& m = f.module<TfHeslod>(module::kHesla);
    f.ui.queueAnswer(0);
    f.ui.queueAnswer(1);
    f.ui.queueDialog([](QDialog& d) {
        auto& form = As<TfHeslod>(d);
        form.pressBack();
        QVERIFY(form.isVisible());
        form.pressBack();
        QVERIFY(!form.isVisible());
    });
    QCOMPARE(m.AddRecord(), 0);
    QCOMPARE(f.ui.questions, QStringList(2, "Mám ukončiť editáciu bez uchovania?"));
}

void TestKeywords::assignedAnew() {
    CompaniesFixture f;
    Seed(f);
    QVERIFY(FindByKey(f.table(module::kFirma), "KOD", 2));
    f.ui.queueDialog([](QDialog& d) {
        auto& w = As<TfPrihesf>(d);
        QCOMPARE(w.windowTitle(), QString("Priradené heslá"));
        QCOMPARE(w.eKodf->text(), QString("1"));
        QCOMPARE(w.eFirma->text(), QString("Optika Lux"));
        QCOMPARE(w.eOsoba->text(), QString("Ing. Ján Novák"));
        QCOMPARE(w.eAdresa->text(), QString("Hlavná 5 Košice 04001"));
        QCOMPARE(w.eIco->text(), QString("35697270"));
        QCOMPARE(w.eDico->text(), QString("2020/1"));
        QCOMPARE(QApplication::focusWidget(), w.lbVsetky);
        // Sorted as Slovak sorts: "ch" after "h", "č" after "c".
        QCOMPARE(TfPrihesf::names(w.lbVsetky),
                 QStringList({"Cukráreň", "čistiareň", "dodávateľ", "hotel", "Chata"}));
        QVERIFY(w.lbPriradene->count() == 0);
        Select(w.lbVsetky, "hotel");
        QTest::keyClick(w.lbVsetky, Qt::Key_Space);
        Select(w.lbVsetky, "Cukráreň");
        w.bPriradit->click();
        Select(w.lbVsetky, "dodávateľ");
        w.bPriradit->click();
        Select(w.lbPriradene, "dodávateľ");
        QTest::keyClick(w.lbPriradene, Qt::Key_Space); // back again
        QCOMPARE(TfPrihesf::names(w.lbPriradene), QStringList({"Cukráreň", "hotel"}));
        QCOMPARE(TfPrihesf::names(w.lbVsetky), QStringList({"čistiareň", "dodávateľ", "Chata"}));
        w.pressOk();
    });
    QVERIFY(AssignKeywords(f.app, 1, nullptr));
    QCOMPARE(KeywordsOf(f, 1), QStringList({"1", "4"}));
    QCOMPARE(KeywordsOf(f, 2), QStringList({"2", "5"}));
    QVERIFY(CompanyHasKeyword(f.app, 1, "4"));
    QVERIFY(!CompanyHasKeyword(f.app, 1, "2"));
    // The company list is where it was.
    QCOMPARE(f.table(module::kFirma).field("KOD").asInteger(), 2);

    // Opened again: the company's own on the right.
    f.ui.queueDialog([](QDialog& d) {
        auto& w = As<TfPrihesf>(d);
        QCOMPARE(TfPrihesf::names(w.lbPriradene), QStringList({"Cukráreň", "hotel"}));
        w.pressBack();
    });
    QVERIFY(!AssignKeywords(f.app, 1, nullptr));
    QVERIFY(f.ui.questions.isEmpty());
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestKeywords::assignedNothingRemovesAll() {
    CompaniesFixture f;
    Seed(f);
    f.ui.queueDialog([](QDialog& d) {
        auto& w = As<TfPrihesf>(d);
        QCOMPARE(TfPrihesf::names(w.lbPriradene), QStringList({"dodávateľ", "Chata"}));
        while (w.lbPriradene->count() > 0) {
            w.lbPriradene->setCurrentRow(0);
            w.releaseSelected();
        }
        w.pressOk();
    });
    QVERIFY(AssignKeywords(f.app, 2, nullptr));
    QCOMPARE(KeywordsOf(f, 2), QStringList());
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestKeywords::keywordsFromAnotherCompany_data() {
    QTest::addColumn<bool>("ok");
    QTest::newRow("then Ok") << true;
    QTest::newRow("then Späť, without a question") << false;
}

void TestKeywords::keywordsFromAnotherCompany() {
    QFETCH(bool, ok);
    CompaniesFixture f;
    Seed(f);
    f.addRow(module::kPrihesf, {{"KOD", "3"}, {"KODF", "1"}, {"KODH", "1"}});
    f.ui.queueDialog([&](QDialog& d) {
        auto& w = As<TfPrihesf>(d);
        w.bHeslaOd->click();
        QCOMPARE(w.eKodf->text(), QString("1")); // still the company being edited
        QCOMPARE(TfPrihesf::names(w.lbPriradene), QStringList({"dodávateľ", "Chata"}));
        QVERIFY(!w.modified);
        ok ? w.pressOk() : w.pressBack();
    });
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        QCOMPARE(b.windowTitle(), QString("Zoznam firiem"));
        QVERIFY(!b.button(TfBrowse::sPridaj)->isEnabled());
        QVERIFY(!b.button(TfBrowse::sKopia)->isEnabled());
        QVERIFY(!b.button(TfBrowse::sZmaz)->isEnabled());
        QVERIFY(!b.button(TfBrowse::sFilter)->isEnabled());
        QVERIFY(b.button(TfBrowse::sOprav)->isEnabled());
        QVERIFY(b.button(TfBrowse::sVyber)->isEnabled());
        QVERIFY(FindByKey(f.table(module::kFirma), "KOD", 2));
        b.syncGridToTable();
        b.commandPick();
    });
    QCOMPARE(AssignKeywords(f.app, 1, nullptr), ok);
    QCOMPARE(KeywordsOf(f, 1), ok ? QStringList({"2", "5"}) : QStringList({"1"}));
    QCOMPARE(KeywordsOf(f, 2), QStringList({"2", "5"}));
    QVERIFY(f.companies().filtersAllowed);
    QVERIFY(f.ui.questions.isEmpty());
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestKeywords::missingKeywordReported() {
    CompaniesFixture f;
    Seed(f);
    f.addRow(module::kPrihesf, {{"KOD", "3"}, {"KODF", "2"}, {"KODH", "9"}});
    f.ui.queueDialog([](QDialog& d) {
        auto& w = As<TfPrihesf>(d);
        QCOMPARE(TfPrihesf::names(w.lbPriradene), QStringList({"dodávateľ", "Chata"}));
        w.pressOk();
    });
    QVERIFY(AssignKeywords(f.app, 2, nullptr));
    const QList<RecordedNotice> shown = f.ui.takeNotices();
    QCOMPARE(TextsOf(shown), QStringList{"Neexistujúce heslo."});
    QCOMPARE(shown[0].kind, NoticeKind::Information);
    QCOMPARE(KeywordsOf(f, 2), QStringList({"2", "5"})); // the row without a keyword is gone
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestKeywords::newKeywordFromTheWindow() {
    CompaniesFixture f;
    Seed(f);
    for (int i = 6; i <= 12; ++i)
        f.addRow(module::kHesla, {{"KOD", QString::number(i)}, {"NAZOV", QString("a%1").arg(i)}});
    f.ui.queueDialog([](QDialog& d) {
        auto& w = As<TfPrihesf>(d);
        QTest::keyClick(w.lbVsetky, Qt::Key_F2);
        QCOMPARE(w.lbVsetky->currentItem()->text(), QString("optika"));
        QCOMPARE(w.lbVsetky->currentRow(), 12); // after a10 ... a9, Cukráreň ... hotel, Chata
        QVERIFY(!w.modified);
        w.pressOk();
    });
    f.ui.queueDialog([](QDialog& d) {
        auto& form = As<TfHeslod>(d);
        form.eNazov->setText("optika");
        form.pressOk();
    });
    QVERIFY(AssignKeywords(f.app, 1, nullptr));
    QVERIFY(FindByKey(f.table(module::kHesla), "NAZOV", "optika"));
    QCOMPARE(KeywordsOf(f, 1), QStringList());
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestKeywords::backAsksOnlyAfterChanges() {
    CompaniesFixture f;
    Seed(f);
    f.ui.queueAnswer(0);
    f.ui.queueAnswer(1);
    f.ui.queueDialog([](QDialog& d) {
        auto& w = As<TfPrihesf>(d);
        Select(w.lbVsetky, "hotel");
        w.assignSelected();
        QVERIFY(w.modified);
        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(w.isVisible());
        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(!w.isVisible());
    });
    QVERIFY(!AssignKeywords(f.app, 2, nullptr));
    QCOMPARE(f.ui.questions, QStringList(2, " Ukončiť prácu bez uchovnia zmien? "));
    QCOMPARE(KeywordsOf(f, 2), QStringList({"2", "5"}));
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestKeywords::chooseKeyword() {
    CompaniesFixture f;
    QString code = "unchanged";
    QVERIFY(!ChooseKeyword(f.app, nullptr, code)); // no keywords: nothing shown
    QCOMPARE(code, QString("unchanged"));
    Seed(f);
    f.ui.queueDialog([](QDialog& d) {
        auto& w = As<TfHeslov>(d);
        QStringList items;
        for (int i = 0; i < w.cbHeslo->count(); ++i)
            items << w.cbHeslo->itemText(i);
        QCOMPARE(items,
                 QStringList({"1-hotel", "2-Chata", "3-čistiareň", "4-Cukráreň", "5-dodávateľ"}));
        QCOMPARE(w.cbHeslo->currentIndex(), 0);
        w.cbHeslo->setCurrentIndex(2);
        QTest::keyClick(&w, Qt::Key_Return);
    });
    QVERIFY(ChooseKeyword(f.app, nullptr, code));
    QCOMPARE(code, QString("3"));
    f.ui.queueDialog([](QDialog& d) { As<TfHeslov>(d).pressBack(); });
    QVERIFY(!ChooseKeyword(f.app, nullptr, code));
    QVERIFY(f.ui.verifyNoSurprises());
}

VIDORAW_TEST(TestKeywords)
#include "test_keywords.moc"

#include "companiesfixture.h"
#include "testmain.h"

#include "framework/notes.h"
#include "invoicing/komentfd.h"

#include <QFontDialog>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace vidoraw;
using namespace vidoraw::test;

// Comments of any length: their rows, a failed rewrite, and the comment window of a company.
class TestComments : public QObject {
    Q_OBJECT
private slots:
    void notesChunks_data();
    void notesChunks();
    void longCommentSurvives();
    void failedRewriteKeepsTheOldText();
    void companyCommentWindow();
    void memoFontKept();
};

namespace {

QString LongComment() {
    QString text = QString::fromUtf8("Prvý riadok komentára, ktorý je dosť dlhý na to, aby sa "
                                     "nezmestil do jedného kúska.\nDruhý riadok\n\n"
                                     "  odsadený riadok");
    while (text.size() < 200)
        text += QString::fromUtf8(" ďalšie slová");
    return text.left(200);
}

} // namespace

void TestComments::notesChunks_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("chunks");
    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("blanks stored as tildes") << "a b  c" << QStringList{"a~b~~c"};
    QTest::newRow("one full row") << QString(76, 'x') << QStringList{QString(76, 'x')};
    QTest::newRow("one more character") << QString(77, 'x') << QStringList{QString(76, 'x'), "x"};
    QTest::newRow("line breaks are characters")
        << "a\nb" + QString(74, 'c') + "\nd" << QStringList{"a\nb" + QString(73, 'c'), "c\nd"};
}

void TestComments::notesChunks() {
    QFETCH(QString, text);
    QFETCH(QStringList, chunks);
    QCOMPARE(NotesChunks(text), chunks);
}

void TestComments::longCommentSurvives() {
    CompaniesFixture f;
    f.addCompany(1, "11");
    f.addCompany(2, "22");
    QString error;
    QVERIFY(SaveNotes(f.table(module::kKomentf), 2, "iná firma", &error));
    const QString text = LongComment();
    f.ui.queueDialog([&](QDialog& d) {
        auto& w = As<TfKomentfd>(d);
        QCOMPARE(w.mKomentar->toPlainText(), QString());
        w.mKomentar->setPlainText(text);
        w.pressOk();
    });
    QVERIFY(EditCompanyComment(f.app, 1, nullptr));
    QCOMPARE(f.countWhere(module::kKomentf, "KODH", "1"), 3);

    // Read again by a program started afresh, then shortened.
    f.app.registry.ReleaseAll();
    QCOMPARE(LoadNotes(f.table(module::kKomentf), 1), text);
    f.ui.queueDialog([&](QDialog& d) {
        auto& w = As<TfKomentfd>(d);
        QCOMPARE(w.mKomentar->toPlainText(), text);
        w.mKomentar->setPlainText(text.left(80) + "\nkoniec");
        w.pressOk();
    });
    QVERIFY(EditCompanyComment(f.app, 1, nullptr));
    QCOMPARE(f.countWhere(module::kKomentf, "KODH", "1"), 2);
    QCOMPARE(LoadNotes(f.table(module::kKomentf), 1), text.left(80) + "\nkoniec");
    QCOMPARE(LoadNotes(f.table(module::kKomentf), 2), QString::fromUtf8("iná firma"));
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestComments::failedRewriteKeepsTheOldText() {
    // Rows that may not repeat their text: the second of two equal rows is refused.
    QTemporaryDir dir;
    QString error;
    std::unique_ptr<Database> db = Database::open(dir.path(), &error);
    QVERIFY2(db, qPrintable(error));
    IndexDef unique = IndexDef::Secondary("Text", {"TEXT"});
    unique.unique = true;
    QVERIFY(db->createTable(
        "koment.db", {{"KOD", 'F', 0}, {"KODH", 'F', 0}, {"TEXT", 'A', 76}},
        {IndexDef::Primary({"KOD"}), IndexDef::Secondary("Kodh", {"KODH"}, true), unique}, &error));
    Table chunks(db.get(), "koment.db");
    QVERIFY(chunks.open());
    QVERIFY(SaveNotes(chunks, 5, "pôvodný text, ktorý má zostať celý", &error));
    QVERIFY(!SaveNotes(chunks, 5, QString(152, 'x'), &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(LoadNotes(chunks, 5), QString::fromUtf8("pôvodný text, ktorý má zostať celý"));
    QCOMPARE(chunks.recordCount(), 1);
    QVERIFY(!db->inWrite());
}

void TestComments::companyCommentWindow() {
    CompaniesFixture f;
    f.addCompany(1, "35697270",
                 {{"NAZOV", "Optika Lux"},
                  {"TITUL", "Ing."},
                  {"MENO", "Ján"},
                  {"PRIEZVISK", "Novák"},
                  {"ULICA", "Hlavná"},
                  {"CISLO", "5"},
                  {"OBEC", "Košice"},
                  {"PSC", "04001"},
                  {"DODPOSTA", "Košice 1"},
                  {"STAT", "Slovensko"}});
    QString error;
    QVERIFY(SaveNotes(f.table(module::kKomentf), 1, "pôvodný", &error));
    f.ui.queueAnswer(0);
    f.ui.queueAnswer(1);
    f.ui.queueDialog([](QDialog& d) {
        auto& w = As<TfKomentfd>(d);
        QCOMPARE(w.windowTitle(), QString("Komentár (Firma)"));
        const QStringList shown = {w.eIco->text(),      w.eNazov->text(),     w.eTitul->text(),
                                   w.eMeno->text(),     w.ePriezvisk->text(), w.eUlica->text(),
                                   w.eCislo->text(),    w.eObec->text(),      w.ePsc->text(),
                                   w.eDodposta->text(), w.eStat->text()};
        QCOMPARE(shown, QStringList({"35697270", "Optika Lux", "Ing.", "Ján", "Novák", "Hlavná",
                                     "5", "Košice", "04001", "Košice 1", "Slovensko"}));
        QVERIFY(w.eNazov->isReadOnly());
        QCOMPARE(QApplication::focusWidget(), w.mKomentar);
        // Enter and the arrows work inside the memo.
        w.mKomentar->moveCursor(QTextCursor::End);
        QTest::keyClick(w.mKomentar, Qt::Key_Return);
        w.mKomentar->insertPlainText(QString::fromUtf8("dopísané"));
        QTest::keyClick(w.mKomentar, Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), w.mKomentar);
        QCOMPARE(w.mKomentar->toPlainText(), QString::fromUtf8("pôvodný\ndopísané"));
        w.pressBack(); // no: stays
        QVERIFY(w.isVisible());
        w.pressBack(); // yes: closes without saving
        QVERIFY(!w.isVisible());
    });
    QVERIFY(!EditCompanyComment(f.app, 1, nullptr));
    QCOMPARE(f.ui.questions, QStringList(2, " Mám naozaj ukončiť editáciu bez uchovania?"));
    QCOMPARE(LoadNotes(f.table(module::kKomentf), 1), QString::fromUtf8("pôvodný"));
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestComments::memoFontKept() {
    CompaniesFixture f;
    f.addCompany(1, "11");
    f.ui.queueDialog([](QDialog& d) {
        auto& w = As<TfKomentfd>(d);
        QCOMPARE(w.memoFont().pointSize(), 8);
        w.bFont->click();
        QCOMPARE(w.memoFont().pointSize(), 14);
        QVERIFY(w.memoFont().bold());
        w.pressOk();
    });
    f.ui.queueDialog([](QDialog& d) {
        auto& font = As<QFontDialog>(d);
        QFont chosen("Liberation Serif", 14);
        chosen.setBold(true);
        font.setCurrentFont(chosen);
        font.accept();
    });
    QVERIFY(EditCompanyComment(f.app, 1, nullptr));
    IniFile ini("VIDORAW.INI");
    QCOMPARE(ini.readInteger("VIDORAWFIRMA", "HEIGHT"), 14);
    QVERIFY(ini.readBool("VIDORAWFIRMA", "BOLD"));
    QVERIFY(!ini.contains("VIDORAWOSOBA", "HEIGHT")); // the persons' memo keeps its own
    // The next showing starts with it.
    f.ui.queueDialog([](QDialog& d) {
        auto& w = As<TfKomentfd>(d);
        QCOMPARE(w.memoFont().pointSize(), 14);
        QVERIFY(w.memoFont().bold());
        w.pressOk();
    });
    QVERIFY(EditCompanyComment(f.app, 1, nullptr));
    QVERIFY(f.ui.verifyNoSurprises());
}

VIDORAW_TEST(TestComments)
#include "test_comments.moc"

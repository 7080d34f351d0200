#include "filterfixture.h"
#include "testmain.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

using namespace vidoraw;
using namespace vidoraw::test;

namespace {

int RowOf(TfFilterd& b, const QString& field) {
    for (int r = 0; r < b.sgFilter->rowCount(); ++r)
        if (b.sgFilter->item(r, 1)->text() == field)
            return r;
    return -1;
}

QString PartOf(TfFilterd& b, const QString& field) {
    const int r = RowOf(b, field);
    return r < 0 ? QString("?") : b.sgFilter->item(r, 2)->text();
}

// In the builder: the operator on the row of field, with value typed into "Konštanta"
// (ok false: "Späť" there).
void Condition(FilterFixture& f, TfFilterd& b, const QString& field, const QString& op,
               const QString& value, bool ok = true) {
    b.sgFilter->setCurrentCell(RowOf(b, field), 0);
    f.ui.queueDialog([value, ok](QDialog& d) {
        auto& k = As<TfKonst>(d);
        QCOMPARE(k.windowTitle(), QString("Konštanta"));
        k.eKonst->setText(value);
        ok ? k.pressOk() : k.pressBack();
    });
    QAction* a = Command(b.gridCommands, op);
    QVERIFY2(a, qPrintable(op));
    a->trigger();
}

void Interval(FilterFixture& f, TfFilterd& b, const QString& field, const QString& from,
              const QString& to) {
    b.sgFilter->setCurrentCell(RowOf(b, field), 0);
    f.ui.queueDialog([from, to](QDialog& d) {
        auto& k = As<TfKoddom>(d);
        k.eOd->setText(from);
        k.eDo->setText(to);
        k.pressOk();
    });
    Command(b.gridCommands, "V intervale od - do")->trigger();
}

// "&Nový filter" on the people's list with the builder run by script; save answers the
// question whether to keep the filter.
void NewPeopleFilter(FilterFixture& f, std::function<void(TfFilterd&)> script, int save = 0) {
    f.ui.queueDialog([&f, script, save](QDialog& d) {
        auto& b = As<TfFilterd>(d);
        QCOMPARE(b.windowTitle(), QString("Filter"));
        script(b);
        if (b.isVisible()) {
            f.ui.queueAnswer(save);
            b.pressOk();
        }
    });
    NewFilter(f.people(), nullptr);
}

} // namespace

class TestFilters : public QObject {
    Q_OBJECT
private slots:
    void builderOffersTheListsFields();
    void conditions_data();
    void conditions();
    void rowsAndConnectives();
    void cancelledValueAndDelete();
    void readBack_data();
    void readBack();
    void tooLongIsNeitherSavedNorCut();
    void savedPickedAndReapplied();
    void savedFilterEditedAndCopied();
    void placeholders_data();
    void placeholders();
    void filterState_data();
    void filterState();
    void fieldTypes_data();
    void fieldTypes();
    void browserCaptionAndButton();
};

void TestFilters::builderOffersTheListsFields() {
    FilterFixture f;
    QStringList described, fields;
    QString key;
    NewPeopleFilter(f, [&](TfFilterd& b) {
        key = b.cbTabulka->currentText();
        QVERIFY(!b.cbTabulka->isEnabled());
        for (int r = 0; r < b.sgFilter->rowCount(); ++r) {
            described << b.sgFilter->item(r, 0)->text();
            fields << b.sgFilter->item(r, 1)->text();
        }
        QCOMPARE(b.cbRiadok->currentText(), QString("a"));
        QCOMPARE(b.cbRiadky->currentText(), QString("a"));
        b.pressBack();
    });
    QCOMPARE(key, kPeopleKey);
    QCOMPARE(described, (QStringList{"Priezvisko", "Obec", "Dátum narodenia", "Počet", "Cena"}));
    QCOMPARE(fields, (QStringList{"PRIEZ", "OBEC", "DATNAR", "POCET", "CENA"}));
    // Back leaves the list as it was.
    QVERIFY(!f.people().table().isFiltered());
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestFilters::conditions_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("op"); // "od-do": the interval
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("value2");
    QTest::addColumn<QString>("part");
    QTest::addColumn<QList<int>>("codes");
    QTest::newRow("text =") << "PRIEZ" << "=" << "Novák" << "" << "(PRIEZ = 'Novák')"
                            << QList<int>{1};
    QTest::newRow("text <>") << "PRIEZ" << "<>" << "Novák" << "" << "(PRIEZ <> 'Novák')"
                             << QList<int>{2, 3, 4};
    QTest::newRow("text with a quote") << "PRIEZ" << "=" << "O'Neil" << ""
                                       << "(PRIEZ = 'O''Neil')" << QList<int>{4};
    QTest::newRow("text >") << "OBEC" << ">" << "Nitra" << "" << "(OBEC > 'Nitra')"
                            << QList<int>{2, 4};
    QTest::newRow("date >= with slashes") << "DATNAR" << ">=" << " 1/1/1960 " << ""
                                          << "(DATNAR >= '1.1.1960')" << QList<int>{2, 3};
    QTest::newRow("date < nothing typed") << "DATNAR" << "<" << "" << ""
                                          << "(DATNAR < '01.01.1900')" << QList<int>{};
    QTest::newRow("whole number <=") << "POCET" << "<=" << "0" << "" << "(POCET <= 0)"
                                     << QList<int>{2, 4};
    QTest::newRow("decimal with comma >") << "CENA" << ">" << "1,5" << "" << "(CENA > 1,5)"
                                          << QList<int>{2, 3};
    QTest::newRow("decimal <") << "CENA" << "<" << "2" << "" << "(CENA < 2)"
                               << QList<int>{1, 4};
    QTest::newRow("text interval") << "PRIEZ" << "od-do" << "K" << "Nováka"
                                   << "(PRIEZ >= 'K') and (PRIEZ <= 'Nováka')"
                                   << QList<int>{1, 3};
    QTest::newRow("date interval") << "DATNAR" << "od-do" << "1.1.1950" << "31-12-1960"
                                   << "(DATNAR >= '1.1.1950') and (DATNAR <= '31.12.1960')"
                                   << QList<int>{1, 3};
    QTest::newRow("number interval") << "POCET" << "od-do" << "1" << "2"
                                     << "(POCET >= 1) and (POCET <= 2)" << QList<int>{1};
}

// Each operator and field type: the part written, and the records the applied filter keeps.
void TestFilters::conditions() {
    QFETCH(QString, field);
    QFETCH(QString, op);
    QFETCH(QString, value);
    QFETCH(QString, value2);
    QFETCH(QString, part);
    QFETCH(QList<int>, codes);
    FilterFixture f;
    QString written, expression;
    NewPeopleFilter(f, [&](TfFilterd& b) {
        if (op == "od-do")
            Interval(f, b, field, value, value2);
        else
            Condition(f, b, field, op, value);
        written = PartOf(b, field);
        expression = b.eFilter->text();
        b.eNazov->setText("Skúška");
    });
    QCOMPARE(written, part);
    QCOMPARE(expression, "(" + part + ")");
    TfLudiad& m = f.people();
    QVERIFY(m.table().isFiltered());
    QCOMPARE(m.table().filterText(), expression);
    QCOMPARE(m.filterDescription, QString("Skúška"));
    QCOMPARE(Codes(m.table()), codes);
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestFilters::rowsAndConnectives() {
    FilterFixture f;
    QString expression;
    NewPeopleFilter(f, [&](TfFilterd& b) {
        Condition(f, b, "PRIEZ", "=", "Novák");
        QCOMPARE(PartOf(b, "PRIEZ"), QString("(PRIEZ = 'Novák')"));
        b.cbRiadok->setCurrentText("alebo");
        Condition(f, b, "PRIEZ", "=", "Nováková");
        QCOMPARE(PartOf(b, "PRIEZ"), QString("(PRIEZ = 'Novák')or(PRIEZ = 'Nováková')"));
        QCOMPARE(b.eFilter->text(), QString("((PRIEZ = 'Novák')or(PRIEZ = 'Nováková'))"));
        Interval(f, b, "DATNAR", "1.1.1950", "31.12.1960");
        expression = b.eFilter->text();
    });
    QCOMPARE(expression, QString("((PRIEZ = 'Novák')or(PRIEZ = 'Nováková'))and((DATNAR >= "
                                 "'1.1.1950') and (DATNAR <= '31.12.1960'))"));
    QCOMPARE(Codes(f.people().table()), QList<int>{1});

    // "alebo" between the rows joins them by "or", also when chosen after the rows were made.
    NewPeopleFilter(f, [&](TfFilterd& b) {
        Condition(f, b, "OBEC", "=", "Žilina");
        Condition(f, b, "POCET", ">", "4");
        b.cbRiadky->setCurrentText("alebo");
        expression = b.eFilter->text();
    });
    QCOMPARE(expression, QString("((OBEC = 'Žilina'))or((POCET > 4))"));
    QCOMPARE(Codes(f.people().table()), (QList<int>{3, 4}));
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestFilters::cancelledValueAndDelete() {
    FilterFixture f;
    QStringList seen;
    NewPeopleFilter(f, [&](TfFilterd& b) {
        Condition(f, b, "OBEC", "=", "Nitra");
        Condition(f, b, "OBEC", "<>", "Trnava", false);
        seen << PartOf(b, "OBEC") << b.eFilter->text();
        Condition(f, b, "CENA", ">", "1");
        Command(b.gridCommands, "&Zmaž")->trigger(); // on the row of CENA
        seen << PartOf(b, "CENA") << b.eFilter->text();
        Command(b.gridCommands, "&Zmaž")->trigger(); // already empty
        seen << b.eFilter->text();
    });
    QCOMPARE(seen, (QStringList{"(OBEC = 'Nitra')", "((OBEC = 'Nitra'))", "",
                                "((OBEC = 'Nitra'))", "((OBEC = 'Nitra'))"}));
    QCOMPARE(Codes(f.people().table()), (QList<int>{1, 3}));
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestFilters::readBack_data() {
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QStringList>("parts"); // PRIEZ, OBEC, CENA
    QTest::addColumn<QString>("rowsConnective");
    QTest::addColumn<QStringList>("notices");
    const QString why = "Nepredpokladaná cesta pri rozložení filtra! ";
    QTest::newRow("two rows") << "((PRIEZ = '1'))and((OBEC = '2'))"
                              << QStringList{"(PRIEZ = '1')", "(OBEC = '2')", ""} << "a"
                              << QStringList{};
    QTest::newRow("rows joined by or")
        << "((PRIEZ = 'a')or(PRIEZ = 'b'))or((CENA >= 1) and (CENA <= 2))"
        << QStringList{"(PRIEZ = 'a')or(PRIEZ = 'b')", "", "(CENA >= 1) and (CENA <= 2)"}
        << "alebo" << QStringList{};
    QTest::newRow("no end") << "((PRIEZ = '1'))and((OBEC = '2')"
                            << QStringList{"(PRIEZ = '1')", "", ""} << "a"
                            << QStringList{why + "Nenašiel som koniec časti!"};
    QTest::newRow("unknown field") << "((XYZ = '1'))and((CENA > 1))"
                                   << QStringList{"", "", "(CENA > 1)"} << "a"
                                   << QStringList{why + "Nenašiel som meno poľa!"};
    QTest::newRow("no separator") << "((PRIEZ='1'))" << QStringList{"", "", ""} << "a"
                                  << QStringList{why + "Nenašiel som oddeľovač"};
    QTest::newRow("typed by hand") << "PRIEZ = 'Novák'" << QStringList{"", "", ""} << "a"
                                   << QStringList{};
}

// An expression read back into the rows; building again gives the same text.
void TestFilters::readBack() {
    QFETCH(QString, expression);
    QFETCH(QStringList, parts);
    QFETCH(QString, rowsConnective);
    QFETCH(QStringList, notices);
    FilterFixture f;
    f.storeFilter(1, kPeopleKey, "Uložený", expression);
    QStringList read;
    QString connective, rebuilt;
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfFilterd>(d);
        read << PartOf(b, "PRIEZ") << PartOf(b, "OBEC") << PartOf(b, "CENA");
        connective = b.cbRiadky->currentText();
        QCOMPARE(b.eFilter->text(), expression);
        QCOMPARE(b.eNazov->text(), QString("Uložený"));
        b.rebuildExpression();
        rebuilt = b.eFilter->text();
        b.pressBack();
    });
    TfNastavd& saved = f.saved();
    QVERIFY(FindByKey(saved.table(), "KOD", 1));
    QCOMPARE(saved.EditRecord(), 0);
    QCOMPARE(read, parts);
    QCOMPARE(connective, rowsConnective);
    QCOMPARE(f.ui.takeNoticeTexts(), notices);
    if (notices.isEmpty() && expression.startsWith("(("))
        QCOMPARE(rebuilt, expression);
}

void TestFilters::tooLongIsNeitherSavedNorCut() {
    FilterFixture f;
    // ((PRIEZ = '...')) with 241 letters: 255 characters.
    const QString value(241, QChar(u'x'));
    QStringList notices;
    NewPeopleFilter(f, [&](TfFilterd& b) {
        Condition(f, b, "PRIEZ", "=", value);
        QCOMPARE(b.eFilter->text().size(), 255);
        notices << f.ui.takeNoticeTexts();
        // Saving it is refused, the builder stays open; back gives up.
        f.ui.queueAnswer(1);
        b.pressOk();
        QVERIFY(b.isVisible());
        notices << f.ui.takeNoticeTexts();
        b.pressBack();
    });
    QCOMPARE(notices, (QStringList{"Filter je pridlhý", "Filter je pridlhý"}));
    QVERIFY(IsTableEmpty(f.saved().table()));
    QVERIFY(!f.people().table().isFiltered());
    // One character less is kept as it is.
    NewPeopleFilter(
        f, [&](TfFilterd& b) { Condition(f, b, "PRIEZ", "=", value.left(240)); }, 1);
    QCOMPARE(f.saved().table().field("FILTER").asString(), "((PRIEZ = '" + value.left(240) + "'))");
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestFilters::savedPickedAndReapplied() {
    FilterFixture f;
    f.storeFilter(1, "INY", "Iný zoznam", "(NAZOV = 'x')");
    NewPeopleFilter(
        f,
        [&](TfFilterd& b) {
            Condition(f, b, "OBEC", "=", "Nitra");
            b.eNazov->setText("Z Nitry");
        },
        1);
    QCOMPARE(f.ui.questions, QStringList{"Mám uložiť filter pre možnosť ďalšieho použitia?"});
    Table& saved = f.saved().table();
    QVERIFY(FindByKey(saved, "KOD", 2));
    QCOMPARE(saved.field("TABULKA").asString(), kPeopleKey);
    QCOMPARE(saved.field("POPIS").asString(), QString("Z Nitry"));
    QCOMPARE(saved.field("FILTER").asString(), QString("((OBEC = 'Nitra'))"));

    TfLudiad& m = f.people();
    QObject owner;
    Command(m.filterCommands(nullptr, &owner), "&Zruš filter")->trigger();
    QVERIFY(!m.table().isFiltered());
    QCOMPARE(m.filterDescription, QString());
    QCOMPARE(Codes(m.table()), (QList<int>{1, 2, 3, 4}));

    // Picked from the saved filters of this list only.
    QStringList listed;
    QString heading;
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        heading = b.extraHeading;
        for (int r = 0; r < b.model->rowCount(); ++r)
            listed << b.model->data(b.model->index(r, 2), Qt::DisplayRole).toString();
        b.commandPick();
    });
    Command(m.filterCommands(nullptr, &owner), "&Výber z existujúcich")->trigger();
    QCOMPARE(heading, "Filtre pre tabuľku : " + kPeopleKey);
    QCOMPARE(listed, QStringList{"Z Nitry"});
    QCOMPARE(m.table().filterText(), QString("((OBEC = 'Nitra'))"));
    QCOMPARE(m.filterDescription, QString("Z Nitry"));
    QCOMPARE(Codes(m.table()), (QList<int>{1, 3}));

    // Back in the pick list changes nothing.
    f.ui.queueDialog([](QDialog& d) { As<TfBrowse>(d).commandBack(); });
    Command(m.filterCommands(nullptr, &owner), "&Výber z existujúcich")->trigger();
    QCOMPARE(Codes(m.table()), (QList<int>{1, 3}));
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestFilters::savedFilterEditedAndCopied() {
    FilterFixture f;
    f.storeFilter(1, kPeopleKey, "Nitra", "((OBEC = 'Nitra'))");
    TfNastavd& saved = f.saved();
    Table& t = saved.table();
    // The filter menu set the table of field types; the saved list opens from there.
    f.people();
    dynamic_cast<TfFilterd*>(f.app.registry.module(module::kFilter))->typeTable = kPeopleKey;

    QVERIFY(FindByKey(t, "KOD", 1));
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfFilterd>(d);
        Condition(f, b, "POCET", ">", "1");
        b.eNazov->setText("Nitra, viac kusov");
        f.ui.queueAnswer(1);
        b.pressOk();
    });
    QCOMPARE(saved.EditRecord(), 1);
    QCOMPARE(t.recordCount(), 1);
    QVERIFY(FindByKey(t, "KOD", 1));
    QCOMPARE(t.field("FILTER").asString(), QString("((OBEC = 'Nitra'))and((POCET > 1))"));
    QCOMPARE(t.field("POPIS").asString(), QString("Nitra, viac kusov"));

    // A copy through the builder is a new saved filter.
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfFilterd>(d);
        b.eNazov->setText("Kópia");
        f.ui.queueAnswer(1);
        b.pressOk();
    });
    QCOMPARE(saved.CopyRecord(), 1);
    QCOMPARE(t.recordCount(), 2);
    QVERIFY(FindByKey(t, "KOD", 2));
    QCOMPARE(t.field("FILTER").asString(), QString("((OBEC = 'Nitra'))and((POCET > 1))"));

    // A copy through the form: list key and expression typed by hand, then read-only again.
    QObject owner;
    bool editable = false;
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfNastavd>(d);
        editable = !form.eTabulka->isReadOnly() && !form.eFilter->isReadOnly();
        QCOMPARE(form.eKod->text(), QString("3"));
        form.eFilter->setText("(OBEC = $OBEC)");
        form.ePopis->setText("Podľa obce");
        form.pressOk();
    });
    Command(saved.otherCommands(nullptr, &owner), "Kópia cez formulár")->trigger();
    QVERIFY(editable);
    QVERIFY(saved.eTabulka->isReadOnly() && saved.eFilter->isReadOnly());
    QVERIFY(FindByKey(t, "KOD", 3));
    QCOMPARE(t.field("FILTER").asString(), QString("(OBEC = $OBEC)"));
    QCOMPARE(t.field("TABULKA").asString(), kPeopleKey);

    QCOMPARE(saved.AddRecord(), 0);
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList{"Pridávanie záznamov tu nie je možné."});
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestFilters::placeholders_data() {
    QTest::addColumn<QString>("saved");
    QTest::addColumn<QString>("answer"); // "<späť>": "Späť" in the prompt
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("applied");
    QTest::addColumn<QList<int>>("codes");
    QTest::newRow("municipality") << "(OBEC = $OBEC)" << "Nitra" << "Obec" << "(OBEC = 'Nitra')"
                                  << QList<int>{1, 3};
    QTest::newRow("every occurrence")
        << "(OBEC = $OBEC) or (PRIEZ = $OBEC)" << "Nováková" << "Obec"
        << "(OBEC = 'Nováková') or (PRIEZ = 'Nováková')" << QList<int>{2};
    QTest::newRow("district") << "(OBEC = $OKRES)" << " Trnava " << "Okres"
                              << "(OBEC = 'Trnava')" << QList<int>{2};
    QTest::newRow("quote in the answer") << "(PRIEZ = $OBEC)" << "O'Neil" << "Obec"
                                         << "(PRIEZ = 'O''Neil')" << QList<int>{4};
    QTest::newRow("back") << "(OBEC = $OKRES)" << "<späť>" << "Okres" << "(OBEC = '')"
                          << QList<int>{};
    QTest::newRow("none") << "(CENA > 2)" << "" << "" << "(CENA > 2)" << QList<int>{3};
}

void TestFilters::placeholders() {
    QFETCH(QString, saved);
    QFETCH(QString, answer);
    QFETCH(QString, caption);
    QFETCH(QString, applied);
    QFETCH(QList<int>, codes);
    FilterFixture f;
    f.storeFilter(1, kPeopleKey, "S otázkou", saved);
    f.ui.queueDialog([](QDialog& d) { As<TfBrowse>(d).commandPick(); });
    QString asked;
    if (!caption.isEmpty())
        f.ui.queueDialog([&](QDialog& d) {
            auto& r = As<TfRetazec>(d);
            asked = r.windowTitle();
            if (answer == "<späť>") {
                r.pressBack();
            } else {
                r.eRetazec->setText(answer);
                r.pressOk();
            }
        });
    TfLudiad& m = f.people();
    QObject owner;
    Command(m.filterCommands(nullptr, &owner), "&Výber z existujúcich")->trigger();
    QCOMPARE(asked, caption);
    QCOMPARE(m.table().filterText(), applied);
    QCOMPARE(Codes(m.table()), codes);
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestFilters::filterState_data() {
    QTest::addColumn<QString>("how"); // "", "text", "code"
    QTest::addColumn<QString>("notice");
    QTest::newRow("none") << "" << "Reťazec: \"\" Popis: \"\" OnFilterRecord: \"Nie\"";
    QTest::newRow("expression") << "text"
                                << "Reťazec: \"CENA > 2\" Popis: \"Drahé\" OnFilterRecord: \"Nie\"";
    QTest::newRow("by code") << "code" << "Reťazec: \"\" Popis: \"Párne\" OnFilterRecord: \"=Ano\"";
}

void TestFilters::filterState() {
    QFETCH(QString, how);
    QFETCH(QString, notice);
    FilterFixture f;
    TfLudiad& m = f.people();
    if (how == "text")
        QVERIFY(m.applyFilterText("CENA > 2", "Drahé"));
    else if (how == "code")
        m.applyFilterByCode([](Table& t) { return t.field("KOD").asInteger() % 2 == 0; }, "Párne");
    QObject owner;
    Command(m.filterCommands(nullptr, &owner), "&Filtrovací reťazec")->trigger();
    const QList<RecordedNotice> shown = f.ui.takeNotices();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].title, QString("Oznam"));
    QCOMPARE(shown[0].kind, NoticeKind::Information);
    QCOMPARE(shown[0].text, notice);
}

void TestFilters::fieldTypes_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("size");
    QTest::newRow("text, any case") << "titul" << "priez" << true << "A" << 30;
    QTest::newRow("date") << "TITUL" << "DATNAR" << true << "D" << 0;
    QTest::newRow("another module's table") << "OKRES" << "CENA" << true << "F" << 0;
    QTest::newRow("no such field") << "TITUL" << "NAZOV" << false << "" << 0;
    QTest::newRow("no such table") << "TITUL.DB" << "PRIEZ" << false << "" << 0;
}

void TestFilters::fieldTypes() {
    QFETCH(QString, table);
    QFETCH(QString, field);
    QFETCH(bool, found);
    QFETCH(QString, type);
    QFETCH(int, size);
    FilterFixture f;
    f.people();
    f.fruit();
    char t = 0;
    int s = 0;
    QCOMPARE(FindFieldType(f.app, table, field, t, s), found);
    if (found) {
        QCOMPARE(QString(QChar(t)), type);
        QCOMPARE(s, size);
    }
}

// The browser's caption says whether a filter is on; the filter menu works from the list.
void TestFilters::browserCaptionAndButton() {
    FilterFixture f;
    TfLudiad& m = f.people();
    m.filtersAllowed = true;
    TfBrowse browser(f.app);
    QStringList captions;
    QList<int> rows;
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        QVERIFY(b.button(TfBrowse::sFilter)->isEnabled());
        QObject owner;
        const QList<QAction*> menu = m.filterCommands(&b, &owner);
        for (QAction* a : menu)
            QVERIFY2(a->isEnabled(), qPrintable(a->text()));
        f.ui.queueDialog([&](QDialog& builder) {
            auto& bb = As<TfFilterd>(builder);
            Condition(f, bb, "POCET", "=", "0");
            f.ui.queueAnswer(0);
            bb.pressOk();
        });
        Command(menu, "&Nový filter")->trigger();
        captions << b.windowTitle();
        rows << b.model->rowCount();
        Command(menu, "&Zruš filter")->trigger();
        captions << b.windowTitle();
        rows << b.model->rowCount();
        b.commandBack();
    });
    browser.Browse(kPeople, TfBrowse::DefaultButtons(), false);
    QCOMPARE(captions, (QStringList{"Zoznam ľudí - Použitý filter", "Zoznam ľudí"}));
    QCOMPARE(rows, (QList<int>{2, 4}));
    QVERIFY(f.ui.verifyNoSurprises());
}

VIDORAW_TEST(TestFilters)
#include "test_filters.moc"

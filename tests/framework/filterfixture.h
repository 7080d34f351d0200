#pragma once
// The framework fixture with the filter modules and a list of people whose fields cover the
// field types a filter treats differently (text, date, whole number, decimal number).
#include "frameworkfixture.h"
#include "framework/bulkset.h"
#include "framework/filter1d.h"
#include "framework/filterd.h"
#include "framework/filterdialogs.h"
#include "framework/filtermenu.h"
#include "framework/nastavd.h"

#include <QAction>

namespace vidoraw::test {

class TfLudiad : public TfDbForm {
    Q_OBJECT
public:
    explicit TfLudiad(AppContext& app, int number) : TfDbForm(app, number) {
        addCodeRow("Kód :");
        ePriez = rows().addRow("Priezvisko :", 30);
        finishLayout();
        bind(ePriez, "PRIEZ");
        DefineList();
    }
    static TableSchema Schema() {
        TableSchema s;
        s.fields = {{"KOD", 'N', 0},  {"PRIEZ", 'A', 30}, {"OBEC", 'A', 30},
                    {"DATNAR", 'D', 0}, {"POCET", 'N', 0}, {"CENA", 'F', 0}};
        s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("Priez", {"PRIEZ"}),
                     IndexDef::Secondary("Cena", {"CENA"})};
        s.initialRows = {"1|Novák|Nitra|15.03.1955|2|1,5", "2|Nováková|Trnava|01.01.1970|0|2",
                         "3|Kováč|Nitra|31.12.1960|5|4,75", "4|O'Neil|Žilina||0|0"};
        return s;
    }
    void DefineList() override {
        TfDbForm::DefineList();
        list.clear();
        list.orderFields = {"KOD", "PRIEZ", "CENA"};
        list.orderTitles = {"Kód", "Priezvisko", "Cena"};
        list.printFields = {"KOD", "PRIEZ", "OBEC"};
        list.printTitles = {"Kód", "Priezvisko", "Obec"};
        list.listTitle = "Zoznam ľudí";
        list.printHeading = {list.listTitle};
        list.finish();
    }
    QLineEdit* ePriez;
};

// Module 8's table is TITUL.DB: the people's list key is "TITUL".
constexpr int kPeople = 8;
inline const QString kPeopleKey = "TITUL";

struct FilterFixture : FrameworkFixture {
    FilterFixture() {
        app.registry.setFactory(
            kPeople, [this] { return std::make_unique<TfLudiad>(app, kPeople); },
            &TfLudiad::Schema);
        RegisterModule<TfNastavd>(app);
        RegisterModule<TfFilterd>(app);
        RegisterModule<TfFilter1d>(app);
        // The fields offered for the people's filters, and one of another list.
        Table& fields = filterFields().table();
        const QList<QStringList> rows = {{kPeopleKey, "Priezvisko", "PRIEZ"},
                                         {"INY", "Iné pole", "NAZOV"},
                                         {kPeopleKey, "Obec", "OBEC"},
                                         {kPeopleKey, "Dátum narodenia", "DATNAR"},
                                         {kPeopleKey, "Počet", "POCET"},
                                         {kPeopleKey, "Cena", "CENA"}};
        int code = 0;
        for (const QStringList& r : rows) {
            [&] {
                QVERIFY(fields.append());
                QVERIFY(fields.field("KOD").setValue(++code));
                QVERIFY(fields.field("TABULKA").setAsString(r[0]));
                QVERIFY(fields.field("POPIS").setAsString(r[1]));
                QVERIFY(fields.field("POLE").setAsString(r[2]));
                QVERIFY(fields.post());
            }();
        }
    }

    TfLudiad& people() {
        auto* m = static_cast<TfLudiad*>(app.registry.module(kPeople));
        (void)m->OpenTable();
        return *m;
    }
    TfFilter1d& filterFields() {
        auto* m = static_cast<TfFilter1d*>(app.registry.module(module::kFilter1));
        (void)m->OpenTable();
        return *m;
    }
    TfNastavd& saved() {
        auto* m = static_cast<TfNastavd*>(app.registry.module(module::kNastav));
        (void)m->OpenTable();
        return *m;
    }
    // Stores a saved filter directly.
    void storeFilter(int code, const QString& listKey, const QString& description,
                     const QString& expression) {
        Table& t = saved().table();
        QVERIFY(t.append());
        QVERIFY(t.field("KOD").setValue(code));
        QVERIFY(t.field("TABULKA").setAsString(listKey));
        QVERIFY(t.field("POPIS").setAsString(description));
        QVERIFY(t.field("FILTER").setAsString(expression));
        QVERIFY(t.post());
    }
};

// The codes of the records the table shows, in its order.
inline QList<int> Codes(Table& t) {
    QList<int> out;
    for (t.first(); !t.eof(); t.next())
        out << int(t.field("KOD").asInteger());
    return out;
}

inline QAction* Command(const QList<QAction*>& actions, const QString& text) {
    for (QAction* a : actions)
        if (a->text() == text)
            return a;
    return nullptr;
}

} // namespace vidoraw::test

#include "shell/systemd.h"

#include "core/interaction.h"

#include <QDate>
#include <QLineEdit>

namespace vidoraw {

TfSystemd::TfSystemd(AppContext& app, QWidget* parent) : TfDbForm(app, kNumber, parent) {
    eMenoFontB = rows().addRow(QStringLiteral("Písmo zoznamov :"), 40, 30);
    eMenoFont = rows().addRow(QStringLiteral("Písmo tlače :"), 40, 30);
    finishLayout();
    bind(eMenoFontB, QStringLiteral("MENOFONTB"));
    bind(eMenoFont, QStringLiteral("MENOFONT"));
    codeField = QString(); // one record, no codes
    DefineList();
}

TableSchema TfSystemd::Schema() {
    // One record, no indexes: the record itself is written by EnsureSystemRecord.
    TableSchema s;
    s.fields = {{"VERZIA", 'F', 0},   {"DATUM", 'D', 0},     {"STAV", 'A', 1},
                {"UZIVATEL", 'N', 0}, {"HESLOP", 'A', 30},   {"HESLO", 'A', 30},
                {"MENOFONTB", 'A', 40}, {"MENOFONT", 'A', 40}, {"OKRAJL", 'F', 0},
                {"OKRAJP", 'F', 0},   {"OKRAJH", 'F', 0},    {"OKRAJD", 'F', 0},
                {"PACNIE", 'A', 1},   {"RCMOD11", 'A', 1},   {"KODPZS", 'A', 12},
                {"IDENTPZS", 'A', 6}, {"TYPTR", 'N', 0},     {"PRACOVNIK", 'A', 30}};
    return s;
}

void TfSystemd::DefineList() {
    TfDbForm::DefineList();
    list.clear();
    list.printFields = {"VERZIA", "STAV", "UZIVATEL"};
    list.printTitles = {"Verzia", "Stav", "Užívateľ"};
    list.listTitle = QStringLiteral("Systémové nastavenie");
    list.finish();
}

bool EnsureSystemRecord(AppContext& app) {
    Table* t = SystemTable(app);
    if (!t)
        return false;
    if (!IsTableEmpty(*t))
        return true;
    WriteLock lock(*t->database());
    if (!lock.ok())
        return false;
    if (!IsTableEmpty(*t))
        return true; // another workstation was quicker
    if (!t->append()) {
        ShowNotice(QStringLiteral("Chyba"), t->lastError());
        return false;
    }
    t->field("VERZIA").setValue(kNewestDataVersion);
    t->field("DATUM").setValue(QDate::currentDate());
    t->field("STAV").setAsString(QStringLiteral("A"));
    t->field("UZIVATEL").setValue(1);
    t->field("HESLOP").setAsString(QString());
    t->field("MENOFONTB").setAsString(QStringLiteral("MS Sans Serif"));
    t->field("MENOFONT").setAsString(QStringLiteral("Arial"));
    for (const char* m : {"OKRAJL", "OKRAJP", "OKRAJH", "OKRAJD"})
        t->field(QString::fromLatin1(m)).setValue(10.0);
    t->field("PACNIE").setAsString(QStringLiteral("N"));
    t->field("RCMOD11").setAsString(QStringLiteral("N"));
    if (!t->post() || !lock.commit()) {
        ShowNotice(QStringLiteral("Chyba"), t->lastError());
        return false;
    }
    t->first();
    return true;
}

bool SetRunState(AppContext& app, const QString& state) {
    return WriteSystemFields(app, {{QStringLiteral("STAV"), state}});
}

} // namespace vidoraw

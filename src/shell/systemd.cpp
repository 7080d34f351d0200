#include "shell/systemd.h"

#include "core/interaction.h"

#include <QDate>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace vidoraw {

TfSystemd::TfSystemd(AppContext& app, QWidget* parent) : TfDbForm(app, 1, parent) {
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    eMenoFontB = new QLineEdit(this);
    eMenoFont = new QLineEdit(this);
    form->addRow(QStringLiteral("Písmo zoznamov :"), eMenoFontB);
    form->addRow(QStringLiteral("Písmo tlače :"), eMenoFont);
    layout->addLayout(form);
    layout->addWidget(makeButtonStrip());
    bind(eMenoFontB, QStringLiteral("MENOFONTB"));
    bind(eMenoFont, QStringLiteral("MENOFONT"));
    codeField = QString(); // one record, no codes
    DefineList();
}

FieldDefs TfSystemd::tableFields() const {
    return {{"VERZIA", 'F', 0},   {"DATUM", 'D', 0},     {"STAV", 'A', 1},
            {"UZIVATEL", 'N', 0}, {"HESLOP", 'A', 30},   {"HESLO", 'A', 30},
            {"MENOFONTB", 'A', 40}, {"MENOFONT", 'A', 40}, {"OKRAJL", 'F', 0},
            {"OKRAJP", 'F', 0},   {"OKRAJH", 'F', 0},    {"OKRAJD", 'F', 0},
            {"PACNIE", 'A', 1},   {"RCMOD11", 'A', 1},   {"KODPZS", 'A', 12},
            {"IDENTPZS", 'A', 6}, {"TYPTR", 'N', 0},     {"PRACOVNIK", 'A', 30}};
}

void TfSystemd::DefineList() {
    TfDbForm::DefineList();
    list.clear();
    list.printFields = {"VERZIA", "STAV", "UZIVATEL"};
    list.printTitles = {"Verzia", "Stav", "Užívateľ"};
    list.listTitle = QStringLiteral("Systémové nastavenie");
    list.finish();
}

namespace {
Table* SystemTable(AppContext& app) {
    auto* m = dynamic_cast<TfDbForm*>(app.registry.module(1));
    if (!m || !m->OpenTable())
        return nullptr;
    m->table().first();
    return &m->table();
}
} // namespace

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

QString SystemField(AppContext& app, const QString& field) {
    Table* t = SystemTable(app);
    return t && t->hasField(field) ? t->field(field).asString() : QString();
}

bool WriteSystemFields(AppContext& app, const QList<std::pair<QString, QVariant>>& values,
                       QWidget* owner) {
    Table* t = SystemTable(app);
    if (!t)
        return false;
    WriteLock lock(*t->database());
    bool ok = lock.ok() && t->edit();
    for (const auto& [field, value] : values)
        ok = ok && t->field(field).setValue(value);
    ok = ok && t->post() && lock.commit();
    if (!ok) {
        t->cancel();
        ShowNotice(QStringLiteral("Chyba!"), TfDbForm::saveErrorText(), NoticeKind::Error, owner);
    }
    return ok;
}

bool SetRunState(AppContext& app, const QString& state) {
    return WriteSystemFields(app, {{QStringLiteral("STAV"), state}});
}

} // namespace vidoraw

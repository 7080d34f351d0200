#include "users/uzivd.h"

#include "core/engine/tableops.h"
#include "core/interaction.h"
#include "framework/tfbrowse.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace vidoraw {

namespace {
constexpr int kTitles = 8;

QLineEdit* NewEdit(QWidget* parent, int maxLength, int width) {
    auto* e = new QLineEdit(parent);
    if (maxLength > 0)
        e->setMaxLength(maxLength);
    e->setFixedWidth(std::max(48, e->fontMetrics().averageCharWidth() * (width + 1) + 14));
    return e;
}

QString Trimmed(QLineEdit* edit) {
    const QString t = edit->text().trimmed();
    if (t != edit->text())
        edit->setText(t);
    return t;
}
} // namespace

TfUzivd::TfUzivd(AppContext& app) : TfDbForm(app, 19) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 4, 4);
    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setHorizontalSpacing(8);
    form->setVerticalSpacing(6);
    eKod = NewEdit(this, 0, 8);
    eKod->setReadOnly(true);
    eKod->setAlignment(Qt::AlignRight);
    eTitul = NewEdit(this, 10, 12);
    eMeno = NewEdit(this, 15, 16);
    ePriezvisk = NewEdit(this, 20, 20);
    eUzivatel = NewEdit(this, 20, 20);
    eHeslo = NewEdit(this, 20, 20);
    form->addRow(QStringLiteral("Kód:"), eKod);
    form->addRow(QStringLiteral("Titul:"), eTitul);
    form->addRow(QStringLiteral("Meno:"), eMeno);
    form->addRow(QStringLiteral("Priezvisko:"), ePriezvisk);
    form->addRow(QStringLiteral("Prihlasovacie meno (LOGIN):"), eUzivatel);
    form->addRow(QStringLiteral("Heslo:"), eHeslo);
    layout->addLayout(form);
    layout->addSpacing(6);
    layout->addWidget(makeButtonStrip());
    layout->setSizeConstraint(QLayout::SetFixedSize);

    codeControl = eKod;
    bind(eKod, QStringLiteral("KOD"));
    bind(eTitul, QStringLiteral("TITUL"));
    bind(eMeno, QStringLiteral("MENO"));
    bind(ePriezvisk, QStringLiteral("PRIEZVISK"));
    bind(eUzivatel, QStringLiteral("UZIVATEL"));
    bind(eHeslo, QStringLiteral("HESLO"));
    checkedFields = {eTitul, eUzivatel};
    onPickKeys(eTitul, [this] {
        LookupOrPick(this->app(), kTitles, QStringLiteral("NAZOV"), QStringLiteral("NAZOV"), 1,
                     eTitul, eTitul);
    });
    DefineList();
}

FieldDefs TfUzivd::tableFields() const {
    return {{"KOD", 'F', 0},   {"UZIVATEL", 'A', 20}, {"HESLO", 'A', 20},
            {"TITUL", 'A', 10}, {"MENO", 'A', 15},     {"PRIEZVISK", 'A', 20}};
}

IndexDefs TfUzivd::tableIndexes() const {
    // The reindex rebuilds the same case-insensitive index, so "admin" stays a duplicate of
    // "Admin" after it as before.
    return {IndexDef::Primary({"KOD"}), IndexDef::Secondary("Uzivatel", {"UZIVATEL"}, true)};
}

QStringList TfUzivd::initialRows() const {
    return {QStringLiteral("1|Admin|||Správca|Administrátor")};
}

void TfUzivd::DefineList() {
    TfDbForm::DefineList();
    list.clear();
    list.orderFields = {"KOD", "UZIVATEL"};
    list.orderTitles = {"Kód", "Užívateľ"};
    list.printFields = {"KOD", "UZIVATEL", "HESLO"};
    list.printTitles = {"Kód", "Užívateľ", "Heslo"};
    list.listTitle = QStringLiteral("Zoznam užívateľov");
    list.printHeading = {list.listTitle};
    list.finish();
}

void TfUzivd::StoreFields() {
    TfDbForm::StoreFields();
    table_.field(QStringLiteral("HESLO")).setAsString(eHeslo->text());
}

void TfUzivd::complain(const QString& text) {
    ShowNotice(QStringLiteral("Chyba"), text, NoticeKind::Error, this);
}

bool TfUzivd::checkOnLeave(QWidget* control) {
    if (control == eUzivatel)
        return true;
    return TfDbForm::checkOnLeave(control);
}

bool TfUzivd::checkField(QWidget* control) {
    if (control == eTitul) {
        // The first user has no title, and a fresh title list is empty: no title is fine.
        if (Trimmed(eTitul).isEmpty())
            return true;
        return LookupOrPick(app(), kTitles, QStringLiteral("NAZOV"), QStringLiteral("NAZOV"), 0,
                            eTitul, eTitul);
    }
    if (control == eUzivatel) {
        const QString login = Trimmed(eUzivatel);
        if (login.size() < 3) {
            complain(QStringLiteral("Meno užívateľa musí mať aspoň 3 znaky!"));
            return false;
        }
        QString code;
        if (LookupFieldIn(table_, QStringLiteral("UZIVATEL"), {login}, QStringLiteral("KOD"),
                          code) &&
            (recordMode == ModeAdd || code != eKod->text().trimmed())) {
            complain(QStringLiteral("Duplicita mena užívateľa!"));
            return false;
        }
    }
    return true;
}

} // namespace vidoraw

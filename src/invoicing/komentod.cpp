#include "invoicing/komentod.h"

#include <QLineEdit>

namespace vidoraw {

TfKomentod::TfKomentod(AppContext& app) : TfKomentar(app, kNumber, QStringLiteral("VIDORAWOSOBA")) {
    eTitul = rows().addRow(QStringLiteral("Titul:"), 10);
    eMeno = rows().addRow(QStringLiteral("Meno:"), 15);
    ePriezvisk = rows().addRow(QStringLiteral("Priezvisko:"), 20);
    for (QLineEdit* e : {eTitul, eMeno, ePriezvisk})
        FormRows::makeDisplayOnly(e);
    finishComment();
    DefineList();
}

void TfKomentod::DefineList() {
    TfDbForm::DefineList();
    list.defineSimple({"KOD", "KODH", "TEXT"}, {"Kód", "Kód osoby", "Text"},
                      QStringLiteral("Komentáre k osobám"));
}

void TfKomentod::showOwner(qint64 personCode) {
    QStringList values;
    LookupFields(app(), module::kOsobaf, QStringLiteral("KOD"), {personCode},
                 {"TITUL", "MENO", "PRIEZVISK"}, values);
    eTitul->setText(values.value(0));
    eMeno->setText(values.value(1));
    ePriezvisk->setText(values.value(2));
}

bool EditPersonComment(AppContext& app, qint64 personCode, QWidget* over) {
    auto* form = dynamic_cast<TfKomentod*>(app.registry.module(module::kKomento));
    return form && form->EditComment(personCode, over) == 1;
}

} // namespace vidoraw

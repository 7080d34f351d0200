#include "invoicing/komentfd.h"

#include <QLineEdit>

namespace vidoraw {

TfKomentfd::TfKomentfd(AppContext& app) : TfKomentar(app, kNumber, QStringLiteral("VIDORAWFIRMA")) {
    auto shown = [this](const QString& label, int chars) {
        QLineEdit* e = rows().addRow(label, chars);
        FormRows::makeDisplayOnly(e);
        return e;
    };
    eIco = shown(QStringLiteral("IČO:"), 10);
    eNazov = shown(QStringLiteral("Názov:"), 40);
    eTitul = shown(QStringLiteral("Titul:"), 10);
    eMeno = shown(QStringLiteral("Meno:"), 20);
    ePriezvisk = shown(QStringLiteral("Priezvisko:"), 30);
    eUlica = rows().newEdit(30, 24);
    eCislo = rows().newEdit(10, 8);
    FormRows::makeDisplayOnly(eUlica);
    FormRows::makeDisplayOnly(eCislo);
    rows().addPairRow(QStringLiteral("Ulica:"), eUlica, QStringLiteral("Číslo:"), eCislo);
    eObec = shown(QStringLiteral("Obec:"), 30);
    ePsc = rows().newEdit(5, 6);
    eDodposta = rows().newEdit(35, 20);
    FormRows::makeDisplayOnly(ePsc);
    FormRows::makeDisplayOnly(eDodposta);
    rows().addPairRow(QStringLiteral("PSČ:"), ePsc, QStringLiteral("Dodávacia pošta:"), eDodposta);
    eStat = shown(QStringLiteral("Štát:"), 30);
    finishComment();
    DefineList();
}

void TfKomentfd::DefineList() {
    TfDbForm::DefineList();
    list.defineSimple({"KOD", "KODH", "TEXT"}, {"Kód", "Kód firmy", "Text"},
                      QStringLiteral("Komentáre k firmám"));
}

void TfKomentfd::showOwner(qint64 companyCode) {
    const QList<QLineEdit*> shown = {eIco,   eNazov, eTitul, eMeno,     ePriezvisk, eUlica,
                                     eCislo, eObec,  ePsc,   eDodposta, eStat};
    QStringList values;
    LookupFields(app(), module::kFirma, QStringLiteral("KOD"), {companyCode},
                 {"ICO", "NAZOV", "TITUL", "MENO", "PRIEZVISK", "ULICA", "CISLO", "OBEC", "PSC",
                  "DODPOSTA", "STAT"},
                 values);
    for (int i = 0; i < shown.size(); ++i) {
        shown[i]->setText(values.value(i));
        shown[i]->setCursorPosition(0);
    }
}

bool EditCompanyComment(AppContext& app, qint64 companyCode, QWidget* over) {
    auto* form = dynamic_cast<TfKomentfd*>(app.registry.module(module::kKomentf));
    return form && form->EditComment(companyCode, over) == 1;
}

} // namespace vidoraw

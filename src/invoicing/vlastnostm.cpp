#include "invoicing/vlastnostm.h"

#include "core/interaction.h"
#include "core/values.h"
#include "framework/tfbrowse.h"
#include "shell/vlastnikd.h"

#include <QCheckBox>
#include <QLineEdit>

namespace vidoraw {

namespace {

// Text of a number edit with "." taken as the decimal separator too.
QString DecimalText(QLineEdit* e) {
    const QString text = NormalizeDecimal(e->text().trimmed());
    if (text != e->text())
        e->setText(text);
    return text;
}

} // namespace

TfVlastnostm::TfVlastnostm(AppContext& app, QWidget* parent) : TfMojForm(app, parent) {
    setWindowTitle(QStringLiteral("Parametre fakturácie"));
    eKs = addCode(QStringLiteral("Prednastavený konštantný symbol:"), 4, module::kKs, "KODKS",
                  "NAZOV", eKsNazov);
    eSplat = rows().addRow(QStringLiteral("Splatnosť vystavených faktúr (dní):"), 5, 6);
    eUcet = addCode(QStringLiteral("Prednastavený účet:"), 4, module::kUcty, "UCET", "CISUCET",
                    eCisucet);
    eKodd = addCode(QStringLiteral("Prednastavený spôsob dopravy:"), 4, module::kDoprava, "KOD",
                    "NAZOV", eDoprava);
    eKodu = addCode(QStringLiteral("Prednastavená forma úhrady:"), 4, module::kUhrada, "KOD",
                    "NAZOV", eUhrada);
    eDolnyokraj = rows().addRow(QStringLiteral("Dolný okraj faktúry (mm):"), 3, 4);
    ePdm = rows().addRow(
        QStringLiteral("Počet desat. miest zaokrúhľovať (v položkách faktúry):"), 1, 2);
    ePdmz = rows().addRow(QStringLiteral("Počet desat. miest zobrazovať:"), 1, 2);
    cbAjsdph = new QCheckBox(QStringLiteral("V položkách faktúry uvádzaj aj celkom s DPH "), this);
    rows().addRow(QString(), cbAjsdph);
    ePosunxf = rows().addRow(QStringLiteral("Posun fakúry v smere x (mm):"), 10, 8);
    ePosunyf = rows().addRow(QStringLiteral("Posun fakúry v smere y (mm):"), 10, 8);
    eKodzaok = addCode(QStringLiteral("Spôsob zaokrúhľovania (celkovej sumy faktúry):"), 4,
                       module::kZaokruh, "KOD", "POPIS", eZaokruh);
    eMena = addCode(QStringLiteral("Prednastavená mena:"), 3, module::kMena, "KODMENY", "MENA",
                    eMenaNazov);
    eDmena = addCode(QStringLiteral("Doplnková mena:"), 3, module::kMena, "KODMENY", "MENA",
                     eDmenaNazov);
    eKurz = rows().addRow(QStringLiteral("Konverný kurz:"), 12, 10);
    cbZobrazdm = new QCheckBox(
        QStringLiteral("Vo faktúre zobraz aj celkovú sumu v doplnkovej mene"), this);
    rows().addRow(QString(), cbZobrazdm);
    finishLayout();
    for (QLineEdit* e : {eSplat, eDolnyokraj, ePdm, ePdmz, ePosunxf, ePosunyf, eKurz})
        e->setAlignment(Qt::AlignRight);
    // The item totals with VAT concern only a VAT payer's invoices.
    cbAjsdph->setVisible(app.vatPayer == QLatin1String("A"));

    // The codes first, then the numbers.
    order_ = {eKs, eUcet, eKodd, eKodu, eKodzaok, eMena, eDmena, eKurz, eSplat,
              eDolnyokraj, ePosunxf, ePosunyf, ePdm, ePdmz};

    auto field = [&](const char* name) { return OwnerField(app, QString::fromLatin1(name)); };
    const std::pair<QLineEdit*, const char*> loaded[] = {
        {eKs, "KS"},          {eSplat, "SPLAT"},     {eUcet, "UCET"},   {eKodd, "KODD"},
        {eKodu, "KODU"},      {eDolnyokraj, "DOLNYOKRAJ"}, {ePdm, "PDM"}, {ePdmz, "PDMZ"},
        {ePosunxf, "POSUNXF"}, {ePosunyf, "POSUNYF"}, {eKodzaok, "KODZAOK"}, {eMena, "MENA"},
        {eDmena, "DMENA"},    {eKurz, "KURZ"}};
    for (const auto& [edit, name] : loaded)
        edit->setText(field(name));
    cbAjsdph->setChecked(field("AJSDPH") == QLatin1String("A"));
    cbZobrazdm->setChecked(field("ZOBRAZDM") == QLatin1String("A"));
    for (const CodeField& f : codes_) {
        QString name;
        if (!f.code->text().trimmed().isEmpty())
            LookupField(app, f.module, QString::fromLatin1(f.keyField), {f.code->text().trimmed()},
                        QString::fromLatin1(f.nameField), name);
        f.name->setText(name);
    }
}

QLineEdit* TfVlastnostm::addCode(const QString& label, int maxLength, int module,
                                 const char* keyField, const char* nameField, QLineEdit*& name) {
    QLineEdit* code = rows().newEdit(maxLength, 5); // one width: the names beside line up
    name = rows().newEdit(0, 30);
    FormRows::makeDisplayOnly(name);
    rows().addPairRow(label, code, QString(), name);
    const CodeField f{code, name, module, keyField, nameField};
    codes_ << f;
    onPickKeys(code, [this, f] { lookUp(f, true); });
    return code;
}

bool TfVlastnostm::lookUp(const CodeField& f, bool mayPick) {
    trimmedText(f.code);
    if (LookupOrPick(app(), f.module, QString::fromLatin1(f.keyField),
                     QString::fromLatin1(f.nameField), mayPick ? PickMode::Pick : PickMode::LookUp,
                     f.name, f.code))
        return true;
    f.name->clear();
    return false;
}

bool TfVlastnostm::check(QWidget* control) {
    for (const CodeField& f : codes_)
        if (f.code == control)
            return lookUp(f, false);
    auto* e = qobject_cast<QLineEdit*>(control);
    if (e == eKurz) {
        const QString text = DecimalText(eKurz);
        if (!CheckDecimal(text, this))
            return false;
        double rate = 0;
        DecimalFromText(text, rate);
        if (rate < 0.0001 || rate > 10000) {
            complain(QStringLiteral("Prípustná hodnota pre kurz : 0,0001 - 10000 !"));
            return false;
        }
    } else if (e == eSplat) {
        return CheckInteger(trimmedText(eSplat), this);
    } else if (e == eDolnyokraj || e == ePdm || e == ePdmz) {
        const QString text = trimmedText(e);
        if (!CheckInteger(text, this))
            return false;
        qint64 v = 0;
        IntegerFromText(text, v);
        const bool margin = e == eDolnyokraj;
        if (v < 0 || v > (margin ? 30 : 5)) {
            complain(margin ? QStringLiteral("Prípustná hodnota pre dolný okraj je : 0 - 30 mm!")
                            : QStringLiteral(
                                  "Prípustná hodnota pre počet desatinných miest je : 0 - 5 !"));
            return false;
        }
    } else if (e == ePosunxf || e == ePosunyf) {
        return CheckDecimal(DecimalText(e), this);
    }
    return true;
}

bool TfVlastnostm::checkOnLeave(QWidget* control) {
    return !order_.contains(control) || check(control);
}

bool TfVlastnostm::closeWithOk() {
    for (QWidget* c : order_) {
        if (!check(c)) {
            failField(c);
            return false;
        }
    }
    auto text = [](QLineEdit* e) { return QVariant(e->text().trimmed()); };
    auto flag = [](QCheckBox* c) { return QVariant(QString::fromLatin1(c->isChecked() ? "A" : "N")); };
    return WriteOwnerFields(app(),
                            {{QStringLiteral("KS"), text(eKs)},
                             {QStringLiteral("SPLAT"), text(eSplat)},
                             {QStringLiteral("UCET"), text(eUcet)},
                             {QStringLiteral("KODD"), text(eKodd)},
                             {QStringLiteral("KODU"), text(eKodu)},
                             {QStringLiteral("DOLNYOKRAJ"), text(eDolnyokraj)},
                             {QStringLiteral("PDM"), text(ePdm)},
                             {QStringLiteral("PDMZ"), text(ePdmz)},
                             {QStringLiteral("AJSDPH"), flag(cbAjsdph)},
                             {QStringLiteral("POSUNXF"), text(ePosunxf)},
                             {QStringLiteral("POSUNYF"), text(ePosunyf)},
                             {QStringLiteral("KODZAOK"), text(eKodzaok)},
                             {QStringLiteral("MENA"), text(eMena)},
                             {QStringLiteral("DMENA"), text(eDmena)},
                             {QStringLiteral("KURZ"), text(eKurz)},
                             {QStringLiteral("ZOBRAZDM"), flag(cbZobrazdm)}},
                            this);
}

bool TfVlastnostm::closeWithBack() {
    return AskConfirm(QStringLiteral(" Mám naozaj ukončiť editáciu bez uchovania?"), this) == 1;
}

int EditInvoicingParameters(AppContext& app, QWidget* owner) {
    TfVlastnostm dialog(app, owner);
    dialog.centreOver(owner);
    return dialog.showModal() == QDialog::Accepted ? 1 : 0;
}

} // namespace vidoraw

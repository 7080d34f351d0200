#include "billing/vyberfakturyf.h"

#include "billing/batchlist.h"
#include "core/settings.h"
#include "core/values.h"
#include "framework/tfbrowse.h"
#include "framework/tfdbform.h"

#include <QLineEdit>

namespace vidoraw {

TfVyberFaktury::TfVyberFaktury(AppContext& app, QWidget* parent) : TfMojForm(app, parent) {
    setWindowTitle(QStringLiteral("Výber faktúry"));
    eCisfak = rows().addRow(QStringLiteral("Číslo faktúry:"), 10, 12);
    auto shown = [this](const QString& label, int width) {
        QLineEdit* e = rows().addRow(label, 0, width);
        FormRows::makeDisplayOnly(e);
        return e;
    };
    eObdobie = shown(QStringLiteral("Účtovné obdobie:"), 8);
    ePoistovna = shown(QStringLiteral("Poisťovňa:"), 40);
    eCiszml = shown(QStringLiteral("Číslo zmluvy:"), 25);
    eIco = shown(QStringLiteral("IČO:"), 12);
    finishLayout();
    eCisfak->setText(IniFile(QString::fromLatin1(kMainSettingsFile))
                         .readString(QStringLiteral("EXPORT"), QStringLiteral("CISFAK")));
    onPickKeys(eCisfak, [this] { lookUp(true); });
    // The invoice shows as its number is typed; leaving the field or OK also offers the list.
    connect(eCisfak, &QLineEdit::textEdited, this, [this] { showQuietly(); });
    showQuietly();
}

void TfVyberFaktury::showQuietly() {
    QString code;
    const QString number = eCisfak->text().trimmed();
    const bool found = !number.isEmpty() &&
                       LookupField(app(), module::kFaktura, QStringLiteral("CISFAK"), {number},
                                   QStringLiteral("KOD"), code);
    code_ = found ? code.toLongLong() : 0;
    show(found);
}

void TfVyberFaktury::show(bool found) {
    const InvoiceHeader h = found ? InvoiceHeaderOf(app(), code_) : InvoiceHeader{};
    eObdobie->setText(found ? h.obdmm + '.' + h.obdrr : QString());
    ePoistovna->setText(found ? h.insurer + ' ' + h.insurerName : QString());
    eCiszml->setText(h.contractNumber);
    eIco->setText(h.ico);
}

bool TfVyberFaktury::lookUp(bool pick) {
    trimmedText(eCisfak);
    bool found = LookupOrPick(app(), module::kFaktura, QStringLiteral("CISFAK"), QString(),
                              pick ? PickMode::Pick : PickMode::LookUp, nullptr, eCisfak);
    QString code;
    found = found && LookupField(app(), module::kFaktura, QStringLiteral("CISFAK"),
                                 {eCisfak->text().trimmed()}, QStringLiteral("KOD"), code);
    code_ = found ? code.toLongLong() : 0;
    show(found);
    paintField(eCisfak, found ? Colour::Normal : Colour::Incorrect);
    return found;
}

bool TfVyberFaktury::checkOnLeave(QWidget* control) {
    if (control == eCisfak)
        return lookUp(false);
    return true;
}

bool TfVyberFaktury::closeWithOk() {
    if (!lookUp(false)) {
        failField(eCisfak);
        return false;
    }
    IniFile(QString::fromLatin1(kMainSettingsFile))
        .writeString(QStringLiteral("EXPORT"), QStringLiteral("CISFAK"), eCisfak->text().trimmed());
    return true;
}

bool ChooseInsurerInvoice(AppContext& app, QWidget* owner, qint64& invoiceCode) {
    TfVyberFaktury dialog(app, owner);
    dialog.centreOver(owner);
    if (dialog.showModal() != QDialog::Accepted)
        return false;
    invoiceCode = dialog.invoiceCode();
    return invoiceCode != 0;
}

} // namespace vidoraw

#include "framework/coderange.h"

#include "core/interaction.h"
#include "core/values.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vidoraw {

TfCodeRange::TfCodeRange(AppContext& app, QWidget* parent) : TfMojForm(app, parent) {
    setWindowTitle(QStringLiteral("Výmaz záznamov"));
    auto* layout = new QVBoxLayout(this);
    auto* text =
        new QLabel(QStringLiteral("Táto operácia vymaže záznamy s kódom v danom intervale"), this);
    layout->addWidget(text);
    auto* form = new QFormLayout;
    eOd = new QLineEdit(QStringLiteral("0"), this);
    eDo = new QLineEdit(QStringLiteral("0"), this);
    form->addRow(QStringLiteral("Kód záznamu od (spodná hranica):"), eOd);
    form->addRow(QStringLiteral("Kód záznamu do (horná hranica):"), eDo);
    layout->addLayout(form);
    layout->addWidget(makeButtonStrip());
    bbOk->setText(QStringLiteral("&Ok"));
}

qint64 TfCodeRange::from() const {
    qint64 v = 0;
    IntegerFromText(eOd->text(), v);
    return v;
}

qint64 TfCodeRange::to() const {
    qint64 v = 0;
    IntegerFromText(eDo->text(), v);
    return v;
}

bool TfCodeRange::checkBox(QLineEdit* box) {
    box->setText(box->text().trimmed());
    const bool ok = CheckInteger(box->text(), this);
    paintField(box, ok ? Colour::Normal : Colour::Incorrect);
    return ok;
}

bool TfCodeRange::checkOnLeave(QWidget* control) {
    // Leaving a box paints it; only OK sends the user back to a wrong one.
    if (control != eOd && control != eDo)
        return true;
    return checkBox(static_cast<QLineEdit*>(control));
}

bool TfCodeRange::closeWithOk() {
    for (QLineEdit* box : {eOd, eDo}) {
        if (!checkBox(box)) {
            failField(box);
            return false;
        }
    }
    return true;
}

bool TfCodeRange::closeWithBack() {
    return AskConfirm(QStringLiteral(" Mám naozaj ukončiť editáciu bez uchovania?"), this) == 1;
}

bool AskCodeRange(AppContext& app, qint64& from, qint64& to) {
    TfCodeRange dialog(app);
    dialog.centreOver(app.mainWindow);
    if (dialog.showModal() != QDialog::Accepted)
        return false;
    from = dialog.from();
    to = dialog.to();
    return true;
}

} // namespace vidoraw

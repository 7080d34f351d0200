#include "shell/okraje.h"

#include "core/interaction.h"
#include "core/values.h"
#include "shell/systemd.h"

#include <QLineEdit>

namespace vidoraw {

namespace {

double Millimetres(const QString& text) {
    double value = 0;
    return DecimalFromText(NormalizeDecimal(text), value) ? value : 0;
}

} // namespace

TfOkraje::TfOkraje(AppContext& app, QWidget* parent) : TfMojForm(app, parent) {
    setWindowTitle(QStringLiteral("Okraje stránky pre tlač"));
    auto add = [&](const QString& label, const char* field) {
        QLineEdit* e = rows().addRow(label, 12, 10);
        e->setAlignment(Qt::AlignRight);
        e->setText(SystemField(app, QString::fromLatin1(field)));
        return e;
    };
    eLavy = add(QStringLiteral("Ľavý okraj :"), "OKRAJL");
    ePravy = add(QStringLiteral("Pravý okraj :"), "OKRAJP");
    eHorny = add(QStringLiteral("Horný okraj :"), "OKRAJH");
    eDolny = add(QStringLiteral("Dolný okraj :"), "OKRAJD");
    finishLayout();
}

bool TfOkraje::checkMargin(QLineEdit* edit) {
    const QString text = NormalizeDecimal(edit->text().trimmed());
    if (text != edit->text())
        edit->setText(text);
    return CheckDecimal(text, this);
}

bool TfOkraje::checkOnLeave(QWidget* control) {
    auto* edit = qobject_cast<QLineEdit*>(control);
    if (!edit || !QList<QWidget*>{eLavy, ePravy, eHorny, eDolny}.contains(edit))
        return true;
    if (checkMargin(edit))
        return true;
    failField(edit);
    return false;
}

bool TfOkraje::closeWithOk() {
    for (QLineEdit* e : {eLavy, ePravy, eHorny, eDolny}) {
        if (!checkMargin(e)) {
            failField(e);
            return false;
        }
    }
    return WriteSystemFields(app(),
                             {{QStringLiteral("OKRAJL"), Millimetres(eLavy->text())},
                              {QStringLiteral("OKRAJP"), Millimetres(ePravy->text())},
                              {QStringLiteral("OKRAJH"), Millimetres(eHorny->text())},
                              {QStringLiteral("OKRAJD"), Millimetres(eDolny->text())}},
                             this);
}

bool TfOkraje::closeWithBack() {
    return AskConfirm(QStringLiteral(" Mám naozaj ukončiť editáciu bez uchovania?"), this) == 1;
}

void EditPageMargins(AppContext& app, QWidget* owner) {
    {
        TfOkraje dialog(app, owner);
        dialog.centreOver(owner);
        dialog.showModal();
    }
    ReportSettings s = app.reports.settings();
    s.left = Millimetres(SystemField(app, QStringLiteral("OKRAJL")));
    s.right = Millimetres(SystemField(app, QStringLiteral("OKRAJP")));
    s.top = Millimetres(SystemField(app, QStringLiteral("OKRAJH")));
    s.bottom = Millimetres(SystemField(app, QStringLiteral("OKRAJD")));
    app.reports.applySettings(s);
}

} // namespace vidoraw

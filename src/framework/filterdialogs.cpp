#include "framework/filterdialogs.h"

#include "core/values.h"
#include "framework/obd.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vidoraw {

TfKonst::TfKonst(AppContext& app, QWidget* parent) : TfMojForm(app, parent) {
    setWindowTitle(QStringLiteral("Konštanta"));
    eKonst = rows().addRow(QStringLiteral("Konštanta :"), 0, 30);
    finishLayout();
    bbPomoc = new QPushButton(QStringLiteral("&Pomoc"), bbOk->parentWidget());
    bbPomoc->setAutoDefault(false);
    bbPomoc->setMinimumWidth(90);
    bbOk->parentWidget()->layout()->addWidget(bbPomoc);
    enterConfirms = true;
}

TfKoddom::TfKoddom(AppContext& app, char fieldType, QWidget* parent)
    : TfMojForm(app, parent), type_(fieldType) {
    setWindowTitle(QStringLiteral("Interval hodnôt"));
    eOd = rows().addRow(QStringLiteral("Hodnota od:"), 0, 20);
    eDo = rows().addRow(QStringLiteral("Hodnota do:"), 0, 20);
    bCasovy = new QPushButton(QStringLiteral("Časový &interval"), this);
    bCasovy->setAutoDefault(false);
    bCasovy->setEnabled(fieldType == 'D');
    rows().addRow(QString(), bCasovy);
    finishLayout();
    connect(bCasovy, &QPushButton::clicked, this, &TfKoddom::choosePeriod);
}

bool TfKoddom::boxFits(QLineEdit* box) {
    const QString text = box->text();
    switch (type_) {
    case 'I':
    case 'N': {
        qint64 v = 0;
        return IntegerFromText(text.trimmed(), v);
    }
    case 'F': {
        double v = 0;
        return DecimalFromText(NormalizeDecimal(text.trimmed()), v);
    }
    case 'D':
        return IsDateText(NormalizeDateSeparators(text.trimmed()), true);
    default:
        return true;
    }
}

bool TfKoddom::checkOnLeave(QWidget* control) {
    if (control == eOd || control == eDo) {
        auto* box = static_cast<QLineEdit*>(control);
        paintField(box, boxFits(box) ? Colour::Normal : Colour::Incorrect);
    }
    return true; // only a colour: the user may go on
}

void TfKoddom::choosePeriod() {
    QDate first, last;
    if (!AskPeriod(app(), first, last))
        return;
    eOd->setText(FormatDate(DaysFromDate(first)));
    eDo->setText(FormatDate(DaysFromDate(last)));
    paintField(eOd, Colour::Normal);
    paintField(eDo, Colour::Normal);
}

TfRetazec::TfRetazec(AppContext& app, QWidget* parent) : TfMojForm(app, parent) {
    setWindowTitle(QStringLiteral("Reťazec"));
    eRetazec = rows().addRow(QStringLiteral("Reťazec:"), 0, 30);
    finishLayout();
    enterConfirms = true;
}

void TfRetazec::prepare(const QString& caption, const QString& label) {
    setWindowTitle(caption);
    if (auto* l = qobject_cast<QLabel*>(rows().form->labelForField(eRetazec)))
        l->setText(label);
}

bool TfRetazec::checkOnLeave(QWidget* control) {
    if (control == eRetazec)
        trimmedText(eRetazec);
    return true;
}

QString AskText(AppContext& app, QWidget* owner, const QString& caption, const QString& label) {
    auto* prompt = qobject_cast<TfRetazec*>(app.textPrompt.window.data());
    if (!prompt) {
        prompt = new TfRetazec(app, app.mainWindow);
        app.textPrompt.window = prompt;
    }
    prompt->prepare(caption, label);
    prompt->centreOver(owner ? owner : app.mainWindow);
    if (prompt->showModal() != QDialog::Accepted)
        return QString();
    return TfMojForm::trimmedText(prompt->eRetazec);
}

} // namespace vidoraw

#include "framework/casintem.h"

#include "core/interaction.h"
#include "core/values.h"
#include "framework/obd.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vidoraw {

namespace {

void SetDateText(QLineEdit* box, QDate date) {
    box->setText(date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")) : QString());
}

QLineEdit* MakeDateBox(QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setInputMask(QStringLiteral("00.00.0000; "));
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00.00.00000")) + 12);
    return box;
}

// The box's date; invalid unless it passes the date check.
QDate BoxDate(const QLineEdit* box) {
    const QString text = NormalizeDateSeparators(box->text());
    double days = 0;
    if (!IsDateText(text, false) || !ParseDate(text, days))
        return {};
    return DateFromDays(days);
}

} // namespace

TfCasintem::TfCasintem(AppContext& app, QDate from, QDate to, QWidget* parent)
    : TfMojForm(app, parent) {
    setWindowTitle(QStringLiteral("Časový interval"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    eOd = MakeDateBox(this);
    eDo = MakeDateBox(this);
    form->addRow(QStringLiteral("Od :"), eOd);
    form->addRow(QStringLiteral("Do :"), eDo);
    bbObdobie = new QPushButton(QStringLiteral("Voľba obdobia"), this);
    bbObdobie->setAutoDefault(false);
    // A click fills the boxes: it must not first check the box it would leave.
    bbObdobie->setFocusPolicy(Qt::TabFocus);
    form->addRow(QString(), bbObdobie);
    layout->addLayout(form);
    layout->addWidget(makeButtonStrip());
    connect(bbObdobie, &QPushButton::clicked, this, &TfCasintem::choosePeriod);
    SetDateText(eOd, from);
    SetDateText(eDo, to);
}

QDate TfCasintem::from() const { return BoxDate(eOd); }

QDate TfCasintem::to() const { return BoxDate(eDo); }

void TfCasintem::choosePeriod() {
    QDate first, last;
    if (!AskPeriod(app(), first, last))
        return;
    SetDateText(eOd, first);
    SetDateText(eDo, last);
    paintField(eOd, Colour::Normal);
    paintField(eDo, Colour::Normal);
}

bool TfCasintem::checkBox(QLineEdit* box) {
    box->setText(NormalizeDateSeparators(box->text()));
    if (BoxDate(box).isValid()) {
        paintField(box, Colour::Normal);
        return true;
    }
    ShowNotice(QStringLiteral("Chyba"),
               box == eOd ? QStringLiteral("Hodnota dátumu od nie je prípustná !")
                          : QStringLiteral("Hodnota dátumu do nie je prípustná !"),
               NoticeKind::Error, this);
    failField(box);
    return false;
}

bool TfCasintem::checkOnLeave(QWidget* control) {
    if (control == eOd || control == eDo)
        return checkBox(static_cast<QLineEdit*>(control));
    return true;
}

bool TfCasintem::closeWithOk() {
    if (!checkBox(eOd) || !checkBox(eDo))
        return false;
    if (from() > to()) {
        ShowNotice(QStringLiteral("Chyba"), QStringLiteral("Nesprávna postupnosť dátumov !"),
                   NoticeKind::Error, this);
        failField(eOd);
        return false;
    }
    return true;
}

bool AskDateRange(AppContext& app, QDate& from, QDate& to) {
    TfCasintem dialog(app, from, to);
    dialog.centreOver(app.mainWindow);
    if (dialog.showModal() != QDialog::Accepted)
        return false;
    from = dialog.from();
    to = dialog.to();
    return true;
}

} // namespace vidoraw

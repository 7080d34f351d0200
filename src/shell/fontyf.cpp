#include "shell/fontyf.h"

#include "shell/systemd.h"

#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vidoraw {

TfFontyf::TfFontyf(AppContext& app, QWidget* parent) : TfMojForm(app, parent) {
    setWindowTitle(QStringLiteral("Fonty"));
    pickFont = [this](const QFont& initial, const QString& title) -> std::optional<QFont> {
        bool ok = false;
        const QFont f = QFontDialog::getFont(&ok, initial, this, title);
        return ok ? std::optional<QFont>(f) : std::nullopt;
    };

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* group = new QGroupBox(this);
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(12, 10, 12, 10);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(8);
    auto row = [&](int at, const QString& caption, QLineEdit*& edit, QPushButton*& button) {
        auto* label = new QLabel(caption, group);
        edit = new QLineEdit(group);
        edit->setReadOnly(true);
        edit->setMinimumWidth(220);
        label->setBuddy(edit);
        button = new QPushButton(QStringLiteral("Zmeniť ..."), group);
        button->setAutoDefault(false);
        grid->addWidget(label, at, 0, Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(edit, at, 1);
        grid->addWidget(button, at, 2);
    };
    row(0, QStringLiteral("Písmo zoznamov :"), eMenoFontB, bMenoFontB);
    row(1, QStringLiteral("Písmo tlače :"), eMenoFont, bMenoFont);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(8, 8, 8, 0);
    body->addWidget(group);
    layout->addLayout(body);
    layout->addWidget(makeButtonStrip());
    layout->setSizeConstraint(QLayout::SetFixedSize);

    eMenoFontB->setText(SystemField(app, QStringLiteral("MENOFONTB")));
    eMenoFont->setText(SystemField(app, QStringLiteral("MENOFONT")));
    connect(bMenoFontB, &QPushButton::clicked, this, &TfFontyf::chooseListFont);
    connect(bMenoFont, &QPushButton::clicked, this, &TfFontyf::choosePrintFont);
}

void TfFontyf::choose(QLineEdit* edit, const QString& title) {
    QFont initial = font();
    if (!edit->text().isEmpty())
        initial.setFamily(edit->text());
    if (const std::optional<QFont> f = pickFont(initial, title))
        edit->setText(f->family());
}

void TfFontyf::chooseListFont() { choose(eMenoFontB, QStringLiteral("Písmo zoznamov")); }

void TfFontyf::choosePrintFont() { choose(eMenoFont, QStringLiteral("Písmo tlače")); }

bool TfFontyf::closeWithOk() {
    if (!WriteSystemFields(app(),
                           {{QStringLiteral("MENOFONTB"), eMenoFontB->text()},
                            {QStringLiteral("MENOFONT"), eMenoFont->text()}},
                           this))
        return false;
    ReportSettings s = app().reports.settings();
    s.fontName = eMenoFont->text();
    app().reports.applySettings(s);
    app().listFont = eMenoFontB->text();
    return true;
}

} // namespace vidoraw

#include "shell/nastavf.h"

#include "shell/systemd.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QVBoxLayout>

namespace vidoraw {

namespace {
QString Flag(const QCheckBox* box) { return box->isChecked() ? QStringLiteral("A") : QStringLiteral("N"); }
} // namespace

TfNastavf::TfNastavf(AppContext& app, QWidget* parent) : TfMojForm(app, parent) {
    setWindowTitle(QStringLiteral("Nastavenia"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* group = new QGroupBox(this);
    auto* options = new QVBoxLayout(group);
    options->setContentsMargins(12, 10, 12, 10);
    options->setSpacing(8);
    cbPacnie = new QCheckBox(QStringLiteral("Úhrada pacienta v poukaze sa nenačítava"), group);
    cbRcmod11 = new QCheckBox(
        QStringLiteral("Farebne označí rodné čísla, ktoré nevyhovujú podmienke modulo 11"), group);
    options->addWidget(cbPacnie);
    options->addWidget(cbRcmod11);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(8, 8, 8, 0);
    body->addWidget(group);
    layout->addLayout(body);
    layout->addWidget(makeButtonStrip());
    layout->setSizeConstraint(QLayout::SetFixedSize);

    cbPacnie->setChecked(SystemField(app, QStringLiteral("PACNIE")) == QLatin1String("A"));
    cbRcmod11->setChecked(SystemField(app, QStringLiteral("RCMOD11")) == QLatin1String("A"));
}

bool TfNastavf::closeWithOk() {
    return WriteSystemFields(app(),
                             {{QStringLiteral("PACNIE"), Flag(cbPacnie)},
                              {QStringLiteral("RCMOD11"), Flag(cbRcmod11)}},
                             this);
}

} // namespace vidoraw

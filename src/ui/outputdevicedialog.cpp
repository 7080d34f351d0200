#include "ui/outputdevicedialog.h"

#include "core/interaction.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vidoraw {

namespace {
const char* const kExplanation =
    "Môžete vybrať výstupné zariadenie. V prípade, že zvolíte Obrazovka, môžete prezerať "
    "zostavu v okne na obrazovke. V prípade, že zvolíte Tlačiareň, zostava sa vytlačí na "
    "tlačiarni.";
}

TfVolbazar::TfVolbazar(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fVolbazar"));
    setWindowTitle(QStringLiteral("Voľba zariadenia"));
    setModal(true);

    rgZariadenie = new QGroupBox(QStringLiteral("Zariadenie"), this);
    rgZariadenie->setObjectName(QStringLiteral("rgZariadenie"));
    rbObrazovka = new QRadioButton(QStringLiteral("Obrazovka"), rgZariadenie);
    rbTlaciaren = new QRadioButton(QStringLiteral("Tlačiareň"), rgZariadenie);
    skupina = new QButtonGroup(this);
    skupina->addButton(rbObrazovka, 0);
    skupina->addButton(rbTlaciaren, 1);
    rbObrazovka->setChecked(true);
    auto* items = new QVBoxLayout(rgZariadenie);
    items->addWidget(rbObrazovka);
    items->addWidget(rbTlaciaren);

    lVysvetlenie = new QLabel(QString::fromUtf8(kExplanation), this);
    lVysvetlenie->setTextFormat(Qt::PlainText);
    lVysvetlenie->setWordWrap(true);
    lVysvetlenie->setMinimumWidth(260);

    bbOk = new QPushButton(QStringLiteral("&Ok"), this);
    bbSpat = new QPushButton(QStringLiteral("&Späť"), this);
    bbPomoc = new QPushButton(QStringLiteral("&Pomoc"), this);
    bbOk->setDefault(true);
    connect(bbOk, &QPushButton::clicked, this, &TfVolbazar::accept);
    connect(bbSpat, &QPushButton::clicked, this, &TfVolbazar::reject);
    connect(bbPomoc, &QPushButton::clicked, this, &TfVolbazar::showHelp);

    auto* top = new QHBoxLayout;
    top->addWidget(rgZariadenie);
    top->addWidget(lVysvetlenie, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bbOk);
    buttons->addWidget(bbSpat);
    buttons->addWidget(bbPomoc);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    rbObrazovka->setFocus();
}

int TfVolbazar::selected() const {
    return rbTlaciaren->isChecked() ? 1 : 0;
}

void TfVolbazar::accept() {
    odpoved = selected();
    QDialog::accept();
}

void TfVolbazar::reject() {
    odpoved = -1;
    QDialog::reject();
}

void TfVolbazar::showHelp() {
    // No help file belongs to this window; the explanation is all there is to say.
    ShowNotice(QStringLiteral("Pomoc"), QString::fromUtf8(kExplanation), NoticeKind::Information,
               bbPomoc, true);
}

} // namespace vidoraw

#include "shell/farbyzoznamovf.h"

#include "core/settings.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace vidoraw {

namespace {

struct Scheme {
    const char* name;
    QRgb background1;
    QRgb background2;
};
const Scheme kSchemes[10] = {
    {"Modré farby", qRgb(247, 247, 255), qRgb(196, 196, 255)},
    {"Zelené farby", qRgb(247, 255, 247), qRgb(196, 255, 196)},
    {"Červené farby", qRgb(255, 247, 247), qRgb(255, 196, 196)},
    {"Tyrkysové farby", qRgb(239, 255, 255), qRgb(128, 255, 255)},
    {"Fialové farby", qRgb(255, 239, 255), qRgb(255, 128, 255)},
    {"Žlté farby", qRgb(255, 255, 239), qRgb(255, 255, 128)},
    {"Sivé farby", qRgb(239, 239, 239), qRgb(196, 196, 196)},
    {"Biele farby", qRgb(255, 255, 255), qRgb(239, 239, 239)},
    {"Štandardné farby", qRgb(255, 255, 255), qRgb(255, 255, 255)},
    {"Vlastné farby ...", 0, 0},
};
const char* const kColourCaptions[4] = {"Podklad 1", "Písmo 1", "Podklad 2", "Písmo 2"};
const QString kSection = QStringLiteral("BROWSE");
const QString kFile = QString::fromLatin1(kMainSettingsFile);

QColor& ColourOf(ListColours& c, int which) {
    switch (which) {
    case 0: return c.background1;
    case 1: return c.text1;
    case 2: return c.background2;
    default: return c.text2;
    }
}

} // namespace

QString ListSchemeName(int scheme) {
    return scheme >= 0 && scheme < 10 ? QString::fromUtf8(kSchemes[scheme].name) : QString();
}

std::optional<ListColours> ListSchemeColours(int scheme) {
    if (scheme < 0 || scheme >= kOwnListColours)
        return std::nullopt;
    ListColours c;
    c.background1 = QColor(kSchemes[scheme].background1);
    c.background2 = QColor(kSchemes[scheme].background2);
    c.text1 = c.text2 = QColor(0, 0, 0);
    c.scheme = scheme;
    return c;
}

ListColours ReadListColours() {
    IniFile ini(kFile);
    ListColours c;
    c.background1 = ini.readColor(kSection, QStringLiteral("PODKLAD1"));
    c.text1 = ini.readColor(kSection, QStringLiteral("PISMO1"));
    c.background2 = ini.readColor(kSection, QStringLiteral("PODKLAD2"));
    c.text2 = ini.readColor(kSection, QStringLiteral("PISMO2"));
    const int scheme = ini.readInteger(kSection, QStringLiteral("INDEX"));
    c.scheme = scheme >= 0 && scheme <= kOwnListColours ? scheme : 8;
    return c;
}

void WriteListColours(const ListColours& c) {
    IniFile ini(kFile);
    ini.writeColor(kSection, QStringLiteral("PODKLAD1"), c.background1);
    ini.writeColor(kSection, QStringLiteral("PISMO1"), c.text1);
    ini.writeColor(kSection, QStringLiteral("PODKLAD2"), c.background2);
    ini.writeColor(kSection, QStringLiteral("PISMO2"), c.text2);
    ini.writeInteger(kSection, QStringLiteral("INDEX"), c.scheme);
}

TfFarbyZoznamovf::TfFarbyZoznamovf(AppContext& app, QWidget* parent)
    : TfMojForm(app, parent), colours_(app.listColours), opened_(app.listColours) {
    setWindowTitle(QStringLiteral("Nastavenia"));
    pickColour = [this](const QColor& initial, const QString& title) {
        return QColorDialog::getColor(initial, this, title);
    };

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* body = new QHBoxLayout;
    body->setContentsMargins(8, 8, 8, 0);
    body->setSpacing(8);

    auto* schemes = new QGroupBox(QStringLiteral(" Farebná schéma "), this);
    auto* schemesLayout = new QVBoxLayout(schemes);
    lbSchemy = new QListWidget(schemes);
    for (int i = 0; i < 10; ++i)
        lbSchemy->addItem(ListSchemeName(i));
    lbSchemy->setFixedWidth(170);
    lbSchemy->setFixedHeight(lbSchemy->sizeHintForRow(0) * 10 + 2 * lbSchemy->frameWidth() + 4);
    schemesLayout->addWidget(lbSchemy);
    schemesLayout->addStretch(1);
    body->addWidget(schemes);

    auto* pairs = new QGroupBox(QStringLiteral(" Farby zoznamu "), this);
    auto* grid = new QGridLayout(pairs);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(8);
    auto sample = [&](const QString& text) {
        auto* l = new QLabel(text, pairs);
        l->setAlignment(Qt::AlignCenter);
        l->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        l->setAutoFillBackground(true);
        l->setMinimumSize(200, 44);
        return l;
    };
    lFarba1 = sample(QStringLiteral("Farba 1"));
    lFarba2 = sample(QStringLiteral("Farba 2"));
    for (int i = 0; i < 4; ++i) {
        bFarby[i] = new QPushButton(QString::fromUtf8(kColourCaptions[i]), pairs);
        bFarby[i]->setAutoDefault(false);
        connect(bFarby[i], &QPushButton::clicked, this, [this, i] { choose(i); });
    }
    grid->addWidget(lFarba1, 0, 0, 1, 2);
    grid->addWidget(bFarby[0], 1, 0);
    grid->addWidget(bFarby[1], 1, 1);
    grid->addWidget(lFarba2, 2, 0, 1, 2);
    grid->addWidget(bFarby[2], 3, 0);
    grid->addWidget(bFarby[3], 3, 1);
    grid->setRowStretch(4, 1);
    bStandard = new QPushButton(QStringLiteral("Š&tandardné"), pairs);
    bStandard->setAutoDefault(false);
    grid->addWidget(bStandard, 5, 0, 1, 2);
    connect(bStandard, &QPushButton::clicked, this, &TfFarbyZoznamovf::setStandard);
    body->addWidget(pairs, 1);

    layout->addLayout(body);
    layout->addWidget(makeButtonStrip());
    layout->setSizeConstraint(QLayout::SetFixedSize);

    {
        const QSignalBlocker quiet(lbSchemy);
        lbSchemy->setCurrentRow(colours_.scheme);
    }
    connect(lbSchemy, &QListWidget::currentRowChanged, this, &TfFarbyZoznamovf::selectScheme);
    showColours();
}

void TfFarbyZoznamovf::selectScheme(int scheme) {
    if (scheme < 0 || scheme > kOwnListColours)
        return;
    if (lbSchemy->currentRow() != scheme) {
        const QSignalBlocker quiet(lbSchemy);
        lbSchemy->setCurrentRow(scheme);
    }
    if (const std::optional<ListColours> c = ListSchemeColours(scheme))
        colours_ = *c;
    colours_.scheme = scheme; // the user's own scheme starts from the colours shown
    showColours();
}

void TfFarbyZoznamovf::setStandard() {
    colours_.background1 = colours_.background2 = QColor(255, 255, 255);
    colours_.text1 = colours_.text2 = QColor(0, 0, 0);
    if (colours_.scheme != kOwnListColours)
        selectScheme(8);
    showColours();
}

void TfFarbyZoznamovf::choose(int which) {
    if (which < 0 || which > 3 || colours_.scheme != kOwnListColours)
        return;
    const QColor c = pickColour(ColourOf(colours_, which), QString::fromUtf8(kColourCaptions[which]));
    if (!c.isValid())
        return;
    ColourOf(colours_, which) = c;
    showColours();
}

void TfFarbyZoznamovf::showColours() {
    const auto paint = [](QLabel* l, const QColor& background, const QColor& text) {
        QPalette p = l->palette();
        p.setColor(QPalette::Window, background);
        p.setColor(QPalette::WindowText, text);
        l->setPalette(p);
    };
    paint(lFarba1, colours_.background1, colours_.text1);
    paint(lFarba2, colours_.background2, colours_.text2);
    for (QPushButton* b : bFarby)
        b->setEnabled(colours_.scheme == kOwnListColours);
}

bool TfFarbyZoznamovf::closeWithOk() {
    app().listColours = colours_;
    return true;
}

bool TfFarbyZoznamovf::closeWithBack() {
    app().listColours = opened_;
    return true;
}

} // namespace vidoraw

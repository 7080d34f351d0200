#include "shell/farbyprvkovf.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vidoraw {

namespace {
const char* const kCaptions[3] = {"Bežný prvok :", "Aktuálny prvok :", "Nesprávne vyplnený prvok :"};
} // namespace

TfFarbyPrvkovf::TfFarbyPrvkovf(AppContext& app, QWidget* parent)
    : TfMojForm(app, parent), chosen_(app.colours) {
    setWindowTitle(QStringLiteral("Farby editačných prvkov formulára"));
    pickColour = [this](const QColor& initial, const QString& title) {
        return QColorDialog::getColor(initial, this, title);
    };

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* group = new QGroupBox(this);
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(12, 10, 12, 10);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(8);
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(QString::fromUtf8(kCaptions[i]), group);
        // A sample looks like an edit control in that colour.
        auto* sample = new QLabel(QStringLiteral(" Ukážka textu"), group);
        sample->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        sample->setAutoFillBackground(true);
        sample->setMinimumSize(160, sample->sizeHint().height() + 6);
        auto* button = new QPushButton(QStringLiteral("Zmeniť ..."), group);
        button->setAutoDefault(false);
        grid->addWidget(label, i, 0, Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(sample, i, 1);
        grid->addWidget(button, i, 2);
        samples[i] = sample;
        buttons[i] = button;
        connect(button, &QPushButton::clicked, this, [this, i] { choose(Which(i)); });
        showSample(Which(i));
    }
    auto* body = new QVBoxLayout;
    body->setContentsMargins(8, 8, 8, 0);
    body->addWidget(group);
    layout->addLayout(body);
    layout->addWidget(makeButtonStrip());
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QColor TfFarbyPrvkovf::colour(Which which) const {
    return which == Normal ? chosen_.normal : which == Current ? chosen_.current : chosen_.incorrect;
}

void TfFarbyPrvkovf::showSample(Which which) {
    QPalette p = samples[which]->palette();
    p.setColor(QPalette::Window, colour(which));
    p.setColor(QPalette::WindowText, Qt::black);
    samples[which]->setPalette(p);
}

void TfFarbyPrvkovf::choose(Which which) {
    const QColor c = pickColour(colour(which), QString::fromUtf8(kCaptions[which]).remove(" :"));
    if (!c.isValid())
        return;
    (which == Normal ? chosen_.normal : which == Current ? chosen_.current : chosen_.incorrect) = c;
    showSample(which);
}

bool TfFarbyPrvkovf::closeWithOk() {
    app().colours = chosen_;
    return true;
}

} // namespace vidoraw

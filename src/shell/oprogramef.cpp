#include "shell/oprogramef.h"

#include "core/values.h"
#include "shell/systemd.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vidoraw {

QString VersionText(AppContext& app) {
    return QStringLiteral("Verzia: ") +
           FormatDecimals(SystemField(app, QStringLiteral("VERZIA")), 2).replace(u',', u'.');
}

QString VersionDateText(AppContext& app) {
    return QStringLiteral("Zo dňa: ") + SystemField(app, QStringLiteral("DATUM"));
}

TfOProgramef::TfOProgramef(AppContext& app, QWidget* parent) : TfMojForm(app, parent) {
    setWindowTitle(QStringLiteral("O programe"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    auto* texts = new QVBoxLayout(panel);
    texts->setContentsMargins(24, 16, 24, 16);
    texts->setSpacing(6);
    panel->setMinimumWidth(300);
    auto* name = new QLabel(QStringLiteral("Vidora pre Windows"), panel);
    QFont big = name->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.4);
    name->setFont(big);
    lVerzia = new QLabel(VersionText(app), panel);
    lDatum = new QLabel(VersionDateText(app), panel);
    for (QLabel* l : {name, lVerzia, lDatum}) {
        l->setAlignment(Qt::AlignCenter);
        texts->addWidget(l);
    }
    texts->insertSpacing(1, 6);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(8, 8, 8, 0);
    body->addWidget(panel);
    layout->addLayout(body);
    layout->addWidget(makeButtonStrip());
    bbSpat->hide(); // nothing to take back
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace vidoraw

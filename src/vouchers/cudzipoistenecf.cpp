#include "vouchers/cudzipoistenecf.h"

#include <QLineEdit>

namespace vidoraw {

TfCudziPoistenecf::TfCudziPoistenecf(AppContext& app, QWidget* parent) : TfMojForm(app, parent) {
    setWindowTitle(QStringLiteral("Cudzí poistenec"));
    eStat = rows().addRow(QStringLiteral("Štát:"), 3, 5);
    eIc = rows().addRow(QStringLiteral("Identifikačné číslo:"), 20);
    ePohlavie = rows().addRow(QStringLiteral("Pohlavie:"), 1, 3);
    finishLayout();
}

} // namespace vidoraw

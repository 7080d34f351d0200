#include "vouchers/poskytovatelf.h"

#include "core/interaction.h"
#include "framework/systemrecord.h"

#include <QLineEdit>

namespace vidoraw {

TfPoskytovatelf::TfPoskytovatelf(AppContext& app, QWidget* parent) : TfMojForm(app, parent) {
    setWindowTitle(QStringLiteral("Poskytovateľ"));
    eKodpzs = rows().addRow(QStringLiteral("Kód PZS:"), 12, 14);
    eIdentpzs = rows().addRow(QStringLiteral("Identifikátor PZS:"), 6, 8);
    finishLayout();
    eKodpzs->setText(SystemField(app, QStringLiteral("KODPZS")));
    eIdentpzs->setText(SystemField(app, QStringLiteral("IDENTPZS")));
}

bool TfPoskytovatelf::closeWithOk() {
    const QString code = trimmedText(eKodpzs);
    if (code.size() != 12) {
        ShowNotice(QStringLiteral("Oznam"), QStringLiteral("Kód PZS musí byť dlhý 12 znakov!"),
                   NoticeKind::Information, this);
        failField(eKodpzs);
        return false;
    }
    if (trimmedText(eIdentpzs).isEmpty())
        eIdentpzs->setText(code.left(6));
    const QString ident = trimmedText(eIdentpzs);
    if (ident.size() != 6) {
        ShowNotice(QStringLiteral("Oznam"), QStringLiteral("Kód PZS musí byť dlhý 6 znakov!"),
                   NoticeKind::Information, this);
        failField(eIdentpzs);
        return false;
    }
    return WriteSystemFields(app(),
                             {{QStringLiteral("KODPZS"), code}, {QStringLiteral("IDENTPZS"), ident}},
                             this);
}

} // namespace vidoraw

#include "codelists/importsourcef.h"

#include "core/interaction.h"
#include "core/settings.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace vidoraw {

namespace {
const QString kSection = QStringLiteral("IMPORT");
IniFile MainSettings() { return IniFile(QString::fromLatin1(kMainSettingsFile)); }
} // namespace

TfImportf::TfImportf(AppContext& app, QWidget* parent)
    : TfSourceChoice(app, QStringLiteral("Import súboru"), parent) {}

void TfImportf::prepare(int kind) {
    kind_ = kind;
    const IniFile ini = MainSettings();
    const QString n = QString::number(kind);
    eCesta->setText(ini.readString(kSection, QStringLiteral("CESTA") + n));
    const int co = ini.readInteger(kSection, QStringLiteral("CO") + n);
    setChoice(co);
    focusField(co == 3 ? static_cast<QWidget*>(eCesta) : (co == 2 ? rbB : rbA));
}

void TfImportf::remember() const {
    IniFile ini = MainSettings();
    const QString n = QString::number(kind_);
    ini.writeString(kSection, QStringLiteral("CESTA") + n, eCesta->text());
    ini.writeInteger(kSection, QStringLiteral("CO") + n, choice());
}

QString TfImportf::sourceDirectory() const {
    switch (choice()) {
    case 2:
        return MainSettings().readString(QStringLiteral("MECHANIKY"), QStringLiteral("B"));
    case 3:
        return eCesta->text().trimmed();
    default:
        return MainSettings().readString(QStringLiteral("MECHANIKY"), QStringLiteral("A"));
    }
}

void TfImportf::browse() { browseFolder(QStringLiteral("Všetky súbory (*)"), QString()); }

bool ChooseImportSource(AppContext& app, int kind, QWidget* owner, QString& directory) {
    TfImportf dialog(app, owner);
    dialog.prepare(kind);
    if (owner)
        dialog.centreOver(owner);
    const bool ok = dialog.showModal() == QDialog::Accepted;
    dialog.remember();
    if (ok)
        directory = dialog.sourceDirectory();
    return ok;
}

} // namespace vidoraw

#include "maintenance/newversiondialog.h"

#include "core/interaction.h"
#include "core/settings.h"
#include "maintenance/newversionarchive.h"

#include <QButtonGroup>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vidoraw {

namespace {
const QString kSection = QStringLiteral("NOVAVER");
IniFile MainSettings() {
    return IniFile(QString::fromLatin1(kMainSettingsFile));
}
} // namespace

TfInstnv::TfInstnv(AppContext& app, QWidget* parent)
    : TfSourceChoice(app, QStringLiteral("Inštalácia novej verzie programu"), parent) {
    const IniFile ini = MainSettings();
    eCesta->setText(ini.readString(kSection, QStringLiteral("CESTA")));
    setChoice(int(InstallKindOf(ini.readInteger(kSection, QStringLiteral("CO")))));
}

TfInstnv::~TfInstnv() {
    IniFile ini = MainSettings();
    ini.writeString(kSection, QStringLiteral("CESTA"), eCesta->text());
    ini.writeInteger(kSection, QStringLiteral("CO"), int(kind()));
}

InstallKind TfInstnv::kind() const { return InstallKind(choice()); }

QString TfInstnv::source() const {
    const QString name = QString::fromLatin1(kVersionArchive);
    return kind() == InstallKind::Directory ? eCesta->text() + name : name;
}

void TfInstnv::browse() {
    browseFolder(QStringLiteral("Kompresované súbory *.ARJ (*.ARJ *.arj)"),
                 QString::fromLatin1(kVersionArchive));
}

bool TfInstnv::closeWithOk() {
    QString question;
    switch (kind()) {
    case InstallKind::DriveA:
        question = QStringLiteral("Mám naozaj vykonať inštaláciu novej verzie programu z diskety v "
                                  "mechanike A ?");
        break;
    case InstallKind::DriveB:
        question = QStringLiteral("Mám naozaj vykonať inštaláciu novej verzie programu z diskety v "
                                  "mechanike B ?");
        break;
    case InstallKind::Directory:
        question = QStringLiteral("Mám naozaj vykonať inštaláciu novej verzie programu z Vami "
                                  "nastaveného adresára ?");
        break;
    }
    confirmed_ = AskConfirm(question, this) == 1;
    return true; // the window closes whatever the answer
}

bool TfInstnv::ask(QWidget* owner) {
    confirmed_ = false;
    if (owner)
        centreOver(owner);
    focusField(kind() == InstallKind::Directory ? static_cast<QWidget*>(eCesta)
               : kind() == InstallKind::DriveB  ? rbB
                                                : rbA);
    showModal();
    return confirmed_;
}

} // namespace vidoraw

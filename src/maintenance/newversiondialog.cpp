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

TfInstnv::TfInstnv(AppContext& app, QWidget* parent) : TfMojForm(app, parent) {
    setWindowTitle(QStringLiteral("Inštalácia novej verzie programu"));
    auto* layout = new QVBoxLayout(this);
    auto* box = new QGroupBox(this);
    auto* choices = new QVBoxLayout(box);
    rbA = new QRadioButton(QStringLiteral("Mechanika A"), box);
    rbB = new QRadioButton(QStringLiteral("Mechanika B"), box);
    rbAdresar = new QRadioButton(QStringLiteral("Adresár na disku"), box);
    auto* group = new QButtonGroup(this);
    for (QRadioButton* b : {rbA, rbB, rbAdresar}) {
        group->addButton(b);
        choices->addWidget(b);
        connect(b, &QRadioButton::toggled, this, [this] { enablePath(); });
    }
    layout->addWidget(box);
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("Cesta :"), this);
    eCesta = new QLineEdit(this);
    eCesta->setMinimumWidth(300);
    label->setBuddy(eCesta);
    bbVyber = new QPushButton(QStringLiteral("..."), this);
    bbVyber->setAutoDefault(false);
    bbVyber->setFixedWidth(bbVyber->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 16);
    row->addWidget(label);
    row->addWidget(eCesta, 1);
    row->addWidget(bbVyber);
    layout->addLayout(row);
    layout->addWidget(makeButtonStrip());
    connect(bbVyber, &QPushButton::clicked, this, &TfInstnv::browse);

    rbA->setChecked(true);
    const IniFile ini = MainSettings();
    eCesta->setText(ini.readString(kSection, QStringLiteral("CESTA")));
    switch (InstallKindOf(ini.readInteger(kSection, QStringLiteral("CO")))) {
    case InstallKind::DriveA:
        rbA->setChecked(true);
        break;
    case InstallKind::DriveB:
        rbB->setChecked(true);
        break;
    case InstallKind::Directory:
        rbAdresar->setChecked(true);
        break;
    }
    enablePath();
}

TfInstnv::~TfInstnv() {
    IniFile ini = MainSettings();
    ini.writeString(kSection, QStringLiteral("CESTA"), eCesta->text());
    ini.writeInteger(kSection, QStringLiteral("CO"), int(kind()));
}

InstallKind TfInstnv::kind() const {
    return rbB->isChecked()         ? InstallKind::DriveB
           : rbAdresar->isChecked() ? InstallKind::Directory
                                    : InstallKind::DriveA;
}

QString TfInstnv::source() const {
    const QString name = QString::fromLatin1(kVersionArchive);
    return kind() == InstallKind::Directory ? eCesta->text() + name : name;
}

void TfInstnv::enablePath() {
    const bool on = rbAdresar->isChecked();
    eCesta->setEnabled(on);
    bbVyber->setEnabled(on);
}

void TfInstnv::browse() {
    QFileDialog dialog(this, windowTitle());
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(QStringLiteral("Kompresované súbory *.ARJ (*.ARJ *.arj)"));
    const QFileInfo typed(eCesta->text().trimmed());
    dialog.setDirectory(typed.isDir()                     ? typed.absoluteFilePath()
                        : QFileInfo(typed.path()).isDir() ? typed.absolutePath()
                                                          : QDir::homePath());
    dialog.selectFile(QString::fromLatin1(kVersionArchive));
    if (RunDialog(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    // Only the folder counts: the archive is always VERZIA.ARJ.
    QString folder = QFileInfo(dialog.selectedFiles().constFirst()).absolutePath();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    eCesta->setText(folder);
    focusField(eCesta);
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

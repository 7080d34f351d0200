#include "codelists/importsourcef.h"

#include "core/interaction.h"
#include "core/settings.h"

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
const QString kSection = QStringLiteral("IMPORT");
IniFile MainSettings() { return IniFile(QString::fromLatin1(kMainSettingsFile)); }
} // namespace

TfImportf::TfImportf(AppContext& app, QWidget* parent) : TfMojForm(app, parent) {
    setWindowTitle(QStringLiteral("Import súboru"));
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
    connect(bbVyber, &QPushButton::clicked, this, &TfImportf::browse);
}

void TfImportf::prepare(int kind) {
    kind_ = kind;
    const IniFile ini = MainSettings();
    const QString n = QString::number(kind);
    eCesta->setText(ini.readString(kSection, QStringLiteral("CESTA") + n));
    const int co = ini.readInteger(kSection, QStringLiteral("CO") + n);
    (co == 2 ? rbB : co == 3 ? rbAdresar : rbA)->setChecked(true);
    enablePath();
    focusField(co == 3 ? static_cast<QWidget*>(eCesta) : (co == 2 ? rbB : rbA));
}

void TfImportf::remember() const {
    IniFile ini = MainSettings();
    const QString n = QString::number(kind_);
    ini.writeString(kSection, QStringLiteral("CESTA") + n, eCesta->text());
    ini.writeInteger(kSection, QStringLiteral("CO") + n, choice());
}

int TfImportf::choice() const { return rbB->isChecked() ? 2 : rbAdresar->isChecked() ? 3 : 1; }

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

void TfImportf::enablePath() {
    const bool on = rbAdresar->isChecked();
    eCesta->setEnabled(on);
    bbVyber->setEnabled(on);
}

void TfImportf::browse() {
    QFileDialog dialog(this, windowTitle());
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(QStringLiteral("Všetky súbory (*)"));
    const QString start = eCesta->text().trimmed();
    dialog.setDirectory(QFileInfo(start).isDir() ? start : QDir::homePath());
    if (RunDialog(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    QString folder = QFileInfo(dialog.selectedFiles().constFirst()).absolutePath();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    eCesta->setText(folder);
    focusField(eCesta);
}

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

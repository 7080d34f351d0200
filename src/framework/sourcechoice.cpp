#include "framework/sourcechoice.h"

#include "core/interaction.h"

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

TfSourceChoice::TfSourceChoice(AppContext& app, const QString& title, QWidget* parent)
    : TfMojForm(app, parent) {
    setWindowTitle(title);
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
    connect(bbVyber, &QPushButton::clicked, this, [this] { browse(); });
    setChoice(1);
}

int TfSourceChoice::choice() const { return rbB->isChecked() ? 2 : rbAdresar->isChecked() ? 3 : 1; }

void TfSourceChoice::setChoice(int choice) {
    (choice == 2 ? rbB : choice == 3 ? rbAdresar : rbA)->setChecked(true);
    enablePath();
}

void TfSourceChoice::enablePath() {
    const bool on = rbAdresar->isChecked();
    eCesta->setEnabled(on);
    bbVyber->setEnabled(on);
}

void TfSourceChoice::browseFolder(const QString& nameFilter, const QString& fileName) {
    QFileDialog dialog(this, windowTitle());
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(nameFilter);
    const QFileInfo typed(eCesta->text().trimmed());
    dialog.setDirectory(typed.filePath().isEmpty()         ? QDir::homePath()
                        : typed.isDir()                   ? typed.absoluteFilePath()
                        : QFileInfo(typed.path()).isDir() ? typed.absolutePath()
                                                          : QDir::homePath());
    if (!fileName.isEmpty())
        dialog.selectFile(fileName);
    if (RunDialog(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    QString folder = QFileInfo(dialog.selectedFiles().constFirst()).absolutePath();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    eCesta->setText(folder);
    focusField(eCesta);
}

} // namespace vidoraw

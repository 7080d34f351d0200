#include "framework/adrarch.h"

#include "core/interaction.h"
#include "core/settings.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vidoraw {

namespace {

const QString kSection = QStringLiteral("CESTY");
const QString kKey = QStringLiteral("ADRARCH");

struct PurposeTexts {
    const char* caption;
    const char* label;
};

PurposeTexts TextsOf(int purpose) {
    switch (purpose) {
    case kDirRestore:
        return {"Adresár pre obnovu údajov", "Adresár s archivovanými údajmi:"};
    case kDirBatchExport:
        return {"Adresár pre export dávok", "Adresár, do ktorého exportujeme dávky:"};
    case kDirMailDrafts:
        return {"Adresár pre koncepty mailov", "Adresár, do ktorého uložíme maily:"};
    default:
        return {"Adresár pre archiváciu údajov", "Adresár pre archiváciu údajov:"};
    }
}

} // namespace

TfAdrarch::TfAdrarch(AppContext& app, QWidget* parent) : TfMojForm(app, parent) {
    auto* layout = new QVBoxLayout(this);
    lAdresar = new QLabel(this);
    layout->addWidget(lAdresar);
    auto* row = new QHBoxLayout;
    eAdresar = new QLineEdit(this);
    eAdresar->setMinimumWidth(320);
    bbVyber = new QPushButton(QStringLiteral("..."), this);
    bbVyber->setAutoDefault(false);
    bbVyber->setFixedWidth(bbVyber->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 16);
    // A click on "..." leaves the focus in the field: it is how a wrong directory gets mended,
    // so it must not run the field's check first.
    bbVyber->setFocusPolicy(Qt::TabFocus);
    row->addWidget(eAdresar, 1);
    row->addWidget(bbVyber);
    layout->addLayout(row);
    layout->addWidget(makeButtonStrip());
    bbOk->setText(QStringLiteral("&Ok"));
    lAdresar->setBuddy(eAdresar);
    connect(bbVyber, &QPushButton::clicked, this, &TfAdrarch::browse);
}

void TfAdrarch::prepare(int purpose) {
    const PurposeTexts t = TextsOf(purpose);
    setWindowTitle(QString::fromUtf8(t.caption));
    lAdresar->setText(QString::fromUtf8(t.label));
    eAdresar->setText(IniFile(QString::fromLatin1(kMainSettingsFile)).readString(kSection, kKey));
    checkWhenLeft_ = false;
    focusField(eAdresar);
}

bool TfAdrarch::IsUsableDirectory(const QString& path) {
    if (path.trimmed().isEmpty())
        return false;
    const QFileInfo info(path);
    return info.isDir() && info.isExecutable();
}

void TfAdrarch::browse() {
    QFileDialog dialog(this, windowTitle());
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    const QString start = eAdresar->text();
    dialog.setDirectory(IsUsableDirectory(start) ? start : QDir::homePath());
    if (RunDialog(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    QString chosen = QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
    if (!chosen.endsWith(QDir::separator()))
        chosen += QDir::separator();
    eAdresar->setText(chosen);
    paintField(eAdresar, Colour::Current);
    focusField(eAdresar);
}

bool TfAdrarch::checkDirectory() {
    if (IsUsableDirectory(eAdresar->text()))
        return true;
    ShowNotice(QStringLiteral("CHyba"), QStringLiteral("Vami zadaný adresár je nesprávny!"),
               NoticeKind::Error, this);
    failField(eAdresar);
    return false;
}

bool TfAdrarch::checkOnLeave(QWidget* control) {
    if (control != eAdresar || !checkWhenLeft_)
        return true;
    return checkDirectory();
}

bool TfAdrarch::closeWithOk() {
    IniFile(QString::fromLatin1(kMainSettingsFile)).writeString(kSection, kKey, eAdresar->text());
    if (checkDirectory())
        return true;
    checkWhenLeft_ = true;
    return false;
}

bool TfAdrarch::closeWithBack() {
    return AskConfirm(QStringLiteral(" Mám naozaj ukončiť editáciu bez uchovania?"), this) == 1;
}

TfAdrarch& DirectoryDialog(AppContext& app) {
    auto* d = qobject_cast<TfAdrarch*>(app.directoryChoice.window.data());
    if (!d) {
        d = new TfAdrarch(app);
        app.directoryChoice.window = d;
    }
    return *d;
}

bool ChooseDirectory(AppContext& app, int purpose, QString& directory) {
    TfAdrarch& d = DirectoryDialog(app);
    d.prepare(purpose);
    if (d.showModal() != QDialog::Accepted)
        return false;
    directory = d.eAdresar->text();
    return true;
}

} // namespace vidoraw

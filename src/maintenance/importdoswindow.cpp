#include "maintenance/importdoswindow.h"

#include "core/interaction.h"
#include "core/settings.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace vidoraw {

namespace {

const QString kSection = QStringLiteral("CESTADOS");
const QString kKey = QStringLiteral("CESTA");
constexpr int kColumns = 3;

IniFile MainSettings() { return IniFile(QString::fromLatin1(kMainSettingsFile)); }

void CentreOver(QWidget& window, QWidget* owner) {
    if (!owner)
        return;
    window.adjustSize();
    const QRect o = owner->frameGeometry();
    const QSize me = window.frameGeometry().size();
    int left = o.left() + (o.width() - me.width()) / 2;
    int top = o.top() + (o.height() - me.height()) / 2;
    const QRect screen = owner->screen()->availableGeometry();
    left = std::min(left, screen.right() - me.width());
    top = std::min(top, screen.bottom() - me.height());
    window.move(std::max(0, left), std::max(0, top));
}

} // namespace

TfImportDos::TfImportDos(AppContext& app, QWidget* parent) : QDialog(parent), app_(app) {
    setWindowTitle(QStringLiteral("Prevod údajov z programu VIDORA pre DOS"));
    auto* layout = new QVBoxLayout(this);

    auto* path = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("Cesta k údajom programu vidora pre DOS:"), this);
    eCesta = new QLineEdit(this);
    eCesta->setMinimumWidth(280);
    label->setBuddy(eCesta);
    bVyber = new QPushButton(QStringLiteral("..."), this);
    bVyber->setAutoDefault(false);
    bVyber->setFixedWidth(bVyber->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 16);
    path->addWidget(label);
    path->addWidget(eCesta, 1);
    path->addWidget(bVyber);
    layout->addLayout(path);
    connect(bVyber, &QPushButton::clicked, this, &TfImportDos::browse);

    auto* grid = new QGridLayout;
    int at = 0;
    for (const DosImportText& t : DosImports()) {
        auto* b = new QPushButton(QString::fromUtf8(t.button), this);
        b->setAutoDefault(false);
        grid->addWidget(b, at / kColumns, at % kColumns);
        ++at;
        buttons_.insert(t.import, b);
        const DosImport import = t.import;
        connect(b, &QPushButton::clicked, this, [this, import] { importOne(import); });
    }
    layout->addLayout(grid);

    auto* strip = new QHBoxLayout;
    bVsetky = new QPushButton(QStringLiteral("Importuj všetky údaje"), this);
    bVsetky->setToolTip(bVsetky->text());
    bVsetky->setAutoDefault(false);
    bZatvor = new QPushButton(QStringLiteral("Zatvor okno"), this);
    bZatvor->setAutoDefault(false);
    strip->addWidget(bVsetky);
    strip->addStretch(1);
    strip->addWidget(bZatvor);
    layout->addLayout(strip);
    connect(bVsetky, &QPushButton::clicked, this, &TfImportDos::importAll);
    connect(bZatvor, &QPushButton::clicked, this, &QDialog::accept);

    pbPriebeh = new QProgressBar(this);
    pbPriebeh->setRange(0, 1);
    pbPriebeh->setValue(0);
    pbPriebeh->setTextVisible(false);
    lStav = new QLabel(this);
    lStav->setAlignment(Qt::AlignCenter);
    layout->addWidget(pbPriebeh);
    layout->addWidget(lStav);

    eCesta->setText(MainSettings().readString(kSection, kKey));
}

TfImportDos::~TfImportDos() { MainSettings().writeString(kSection, kKey, eCesta->text()); }

QString TfImportDos::sourceDirectory() const { return eCesta->text().trimmed(); }

void TfImportDos::showProgress(int done, int count) {
    pbPriebeh->setRange(0, std::max(1, count));
    pbPriebeh->setValue(std::min(done, std::max(1, count)));
    lStav->setText(QString::number(done) + QStringLiteral(" / ") + QString::number(count));
    // Repainted as the records go, without spending the import on painting.
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (done == 0 || done == count || now - lastPaint_ >= 40) {
        lastPaint_ = now;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

void TfImportDos::setBusy(bool busy) {
    for (QPushButton* b : buttons_)
        b->setEnabled(!busy);
    for (QWidget* w : {static_cast<QWidget*>(bVsetky), static_cast<QWidget*>(bZatvor),
                       static_cast<QWidget*>(bVyber), static_cast<QWidget*>(eCesta)})
        w->setEnabled(!busy);
}

bool TfImportDos::importOne(DosImport import) {
    if (AskConfirm(QString::fromUtf8(DosImportTextOf(import).question), this) != 1)
        return false;
    setBusy(true);
    const bool ok = RunDosImport(app_, import, sourceDirectory(), this,
                                 [this](int done, int count) { showProgress(done, count); });
    setBusy(false);
    return ok;
}

void TfImportDos::importAll() {
    for (DosImport import : DosImportsOfAll()) {
        if (AskConfirm(QString::fromUtf8(DosImportTextOf(import).question), this) != 1)
            continue;
        setBusy(true);
        const bool ok = RunDosImport(app_, import, sourceDirectory(), this,
                                     [this](int done, int count) { showProgress(done, count); });
        setBusy(false);
        if (!ok)
            return; // the rest would stand on what did not come over
    }
}

void TfImportDos::browse() {
    const QString current = QDir::currentPath();
    QFileDialog dialog(this, windowTitle());
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(QStringLiteral("DBF tabuľky (*.dbf)"));
    const QString start = sourceDirectory();
    dialog.setDirectory(QFileInfo(start).isDir() ? start : QDir::homePath());
    const bool chosen = RunDialog(dialog) == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    QDir::setCurrent(current);
    if (!chosen)
        return;
    QString folder = QFileInfo(dialog.selectedFiles().constFirst()).absolutePath();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    eCesta->setText(folder);
}

void ShowDosImport(AppContext& app, QWidget* owner) {
    if (AskConfirm(QStringLiteral("Táto voľba umožňuje importovať údaje z programu VIDORA pre DOS. "
                                  "Preto je vhodné ju použiť pri prechode z dosovského programu "
                                  "VIDORA na Program Vidoraw pre Windows. Pri importe dochádza k "
                                  "prepísaniu vybraných resp. všetkých tabuliek. Preto buďte "
                                  "opatrní!"),
                   owner) != 1)
        return;
    TfImportDos window(app, owner);
    CentreOver(window, owner);
    RunDialog(window);
}

} // namespace vidoraw

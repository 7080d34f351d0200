#include "maintenance/tfadres.h"

#include "core/engine/table.h"
#include "core/interaction.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace vidoraw {

TfAdres::TfAdres(AppContext& app, const QString& pattern, const QString& directory,
                 QWidget* parent)
    : QDialog(parent), app_(app), pattern_(pattern), directory_(directory) {
    setObjectName(QStringLiteral("TfAdres"));
    setWindowTitle(QStringLiteral("Obsah adresára: ") + QDir::toNativeSeparators(directory));
    setMinimumSize(611, 500);
    auto* layout = new QVBoxLayout(this);
    sgSubory = new QTableWidget(0, 4, this);
    sgSubory->setHorizontalHeaderLabels(
        {QStringLiteral("Názov súboru"), QStringLiteral("Veľkosť"), QStringLiteral("Dátum"),
         QStringLiteral("Čas")});
    sgSubory->setColumnWidth(0, 320);
    for (int c = 1; c < 4; ++c)
        sgSubory->setColumnWidth(c, 80);
    sgSubory->verticalHeader()->hide();
    sgSubory->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgSubory->setSelectionBehavior(QAbstractItemView::SelectRows);
    sgSubory->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(sgSubory, 1);
    auto* buttons = new QHBoxLayout;
    bZobraz = new QPushButton(QStringLiteral("Zobraz"), this);
    bZmaz = new QPushButton(QStringLiteral("Zmaž súbory"), this);
    bbOk = new QPushButton(QStringLiteral("OK"), this);
    buttons->addWidget(bZobraz);
    buttons->addWidget(bZmaz);
    buttons->addStretch(1);
    buttons->addWidget(bbOk);
    layout->addLayout(buttons);
    connect(bZobraz, &QPushButton::clicked, this, &TfAdres::showCurrent);
    connect(bZmaz, &QPushButton::clicked, this, &TfAdres::deleteFiles);
    connect(bbOk, &QPushButton::clicked, this, &QDialog::accept);
    resize(611, 500);
    reload();
}

void TfAdres::reload() {
    QDir dir(directory_);
    // "*.*" of the old system meant every entry, names without an extension too.
    QStringList filters;
    if (pattern_ != QLatin1String("*.*") && !pattern_.isEmpty())
        filters << pattern_;
    dir.setNameFilters(filters);
    dir.setFilter(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    dir.setSorting(QDir::Name | QDir::IgnoreCase | QDir::DirsFirst);
    const QFileInfoList entries = dir.entryInfoList();
    sgSubory->setRowCount(int(entries.size()));
    for (int r = 0; r < entries.size(); ++r) {
        const QFileInfo& fi = entries[r];
        const QDateTime when = fi.lastModified();
        const QString cells[4] = {fi.fileName(),
                                  fi.isDir() ? QStringLiteral("DIR") : QString::number(fi.size()),
                                  when.date().toString(QStringLiteral("d.M.yyyy")),
                                  when.time().toString(QStringLiteral("HH:mm:ss"))};
        const ListColours& lc = app_.listColours;
        for (int c = 0; c < 4; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c > 0)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            item->setBackground(r % 2 ? lc.background2 : lc.background1);
            item->setForeground(r % 2 ? lc.text2 : lc.text1);
            item->setData(Qt::UserRole, fi.isDir());
            sgSubory->setItem(r, c, item);
        }
    }
    if (sgSubory->rowCount() > 0)
        sgSubory->setCurrentCell(0, 0);
}

void TfAdres::showCurrent() {
    const int r = sgSubory->currentRow();
    if (r < 0 || sgSubory->item(r, 0)->data(Qt::UserRole).toBool())
        return;
    const QString path = QDir(directory_).filePath(sgSubory->item(r, 0)->text());
    if (app_.openOnDesktop)
        app_.openOnDesktop(QUrl::fromLocalFile(path));
}

void TfAdres::deleteFiles() {
    if (AskConfirm(QStringLiteral("Mám naozaj vymazať všetky súbory v danom adresári?"), this) != 1)
        return;
    int deleted = 0;
    QStringList failed;
    for (int r = sgSubory->rowCount() - 1; r >= 0; --r) {
        if (sgSubory->item(r, 0)->data(Qt::UserRole).toBool())
            continue;
        const QString name = sgSubory->item(r, 0)->text();
        if (QFile::remove(QDir(directory_).filePath(name)))
            ++deleted;
        else
            failed << name;
    }
    reload();
    if (!failed.isEmpty())
        ShowNotice(QStringLiteral("Chyba"),
                   QStringLiteral("Tieto súbory sa nepodarilo vymazať: %1").arg(failed.join(QStringLiteral(", "))),
                   NoticeKind::Error, this);
    ShowNotice(QStringLiteral("Oznam"),
               QStringLiteral("Mazanie súborov ukončené! Počet zmazaných súborov: %1 !").arg(deleted),
               NoticeKind::Information, this);
}

void ShowDirectory(AppContext& app, const QString& pattern, const QString& directory,
                   QWidget* owner) {
    TfAdres window(app, pattern, directory, owner);
    RunDialog(window);
}

} // namespace vidoraw

#include "maintenance/upgradewindow.h"

#include "core/base/codepage.h"
#include "core/engine/database.h"
#include "core/interaction.h"

#include <QCoreApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

namespace vidoraw {

TfNovaVerzia::TfNovaVerzia(AppContext& app, QWidget* owner) : QDialog(owner), app_(app) {
    setObjectName(QStringLiteral("TfNovaVerzia"));
    setWindowTitle(QStringLiteral("Nová verzia programu"));
    auto* layout = new QVBoxLayout(this);
    lVerzia = new QLabel(this);
    lbProtokol = new QListWidget(this);
    lbProtokol->setMinimumSize(520, 300);
    layout->addWidget(lVerzia);
    layout->addWidget(lbProtokol, 1);
    auto* buttons = new QHBoxLayout;
    bOdloz = new QPushButton(QStringLiteral("Odlož protokol"), this);
    bTlac = new QPushButton(QStringLiteral("Tlač protokol"), this);
    bbOk = new QPushButton(QStringLiteral("OK"), this);
    buttons->addWidget(bOdloz);
    buttons->addWidget(bTlac);
    buttons->addStretch(1);
    buttons->addWidget(bbOk);
    layout->addLayout(buttons);
    connect(bOdloz, &QPushButton::clicked, this, &TfNovaVerzia::saveProtocol);
    connect(bTlac, &QPushButton::clicked, this, &TfNovaVerzia::printProtocol);
    connect(bbOk, &QPushButton::clicked, this, &QDialog::accept);
    if (owner) {
        adjustSize();
        move(owner->geometry().center() - rect().center());
    }
}

void TfNovaVerzia::start() {
    for (QPushButton* b : {bOdloz, bTlac, bbOk})
        b->setEnabled(false);
    show();
}

void TfNovaVerzia::showVersion(const QString& version) {
    lVerzia->setText(QStringLiteral("Prevod údajov na verziu : ") + version);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TfNovaVerzia::addLine(const QString& line, bool replaceLast) {
    if (replaceLast && lbProtokol->count() > 0)
        lbProtokol->item(lbProtokol->count() - 1)->setText(line);
    else
        lbProtokol->addItem(line);
    lbProtokol->scrollToBottom();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QStringList TfNovaVerzia::protocol() const {
    QStringList out;
    for (int i = 0; i < lbProtokol->count(); ++i)
        out << lbProtokol->item(i)->text();
    return out;
}

void TfNovaVerzia::finish() {
    for (QPushButton* b : {bOdloz, bTlac, bbOk})
        b->setEnabled(true);
    hide();
    RunDialog(*this);
}

void TfNovaVerzia::saveProtocol() {
    QSaveFile f(QDir(app_.db->directory()).filePath(QStringLiteral("Protokol.TXT")));
    const QByteArray text = ToCp1250(protocol().join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size() || !f.commit()) {
        ShowNotice(QStringLiteral("Chyba"),
                   QStringLiteral("Protokol sa nepodarilo uložiť: %1").arg(f.errorString()),
                   NoticeKind::Error, this);
        return;
    }
    ShowNotice(QStringLiteral("Oznam "), QStringLiteral("Protokol bol uložený do súboru PROTOKOL.TXT"),
               NoticeKind::Information, this);
}

void TfNovaVerzia::printProtocol() {
    const QStringList lines = protocol();
    RunReport(
        app_.reports,
        [&](ReportWriter& w, const QString& fileName) {
            return w.ReportTextLines(lines, fileName, 5, 5, 5, 5);
        },
        this);
}

} // namespace vidoraw

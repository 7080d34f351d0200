#include "billing/batchexport.h"

#include "billing/batches.h"
#include "billing/batchfile.h"
#include "billing/billingreports.h"
#include "billing/maildraft.h"
#include "billing/vyberfakturyf.h"
#include "core/interaction.h"
#include "core/settings.h"
#include "framework/adrarch.h"
#include "framework/appcontext.h"
#include "framework/info.h"

#include <QDir>
#include <QFile>

namespace vidoraw {

QStringList BatchFilesIn(const QString& directory) {
    QStringList out;
    const QStringList names = QDir(directory).entryList(QDir::Files, QDir::Name);
    for (const QString& n : names)
        if (IsBatchFileName(n))
            out << n;
    return out;
}

namespace {

// Printing during the export goes straight to the printer; a failure asks whether to go on.
bool PrintOrAsk(bool printed, QWidget* owner) {
    if (printed)
        return true;
    return AskConfirm(QStringLiteral("Tlač sa nepodarila. Mám pokračovať v exporte?"), owner) == 1;
}

bool RemoveFiles(const QString& directory, const QStringList& names, QWidget* owner) {
    for (const QString& n : names) {
        QFile f(QDir(directory).filePath(n));
        if (!f.remove()) {
            ShowNotice(QStringLiteral("Chyba"),
                       QStringLiteral("Súbor %1 sa nepodarilo vymazať: %2").arg(f.fileName(), f.errorString()),
                       NoticeKind::Error, owner);
            return false;
        }
    }
    return true;
}

} // namespace

ExportResult ExportBatches(AppContext& app, ExportTarget target, QWidget* owner) {
    ExportResult result;
    QString directory;
    QString shown; // the target as the user knows it
    if (target == ExportTarget::Directory) {
        if (!ChooseDirectory(app, kDirBatchExport, directory))
            return result;
    } else {
        const bool a = target == ExportTarget::DriveA;
        directory = IniFile(QString::fromLatin1(kMainSettingsFile))
                        .readString(QStringLiteral("MECHANIKY"), a ? QStringLiteral("A") : QStringLiteral("B"));
        shown = a ? QStringLiteral("A:\\") : QStringLiteral("B:\\");
    }
    qint64 invoice = 0;
    if (!ChooseInsurerInvoice(app, owner, invoice))
        return result;

    // Only now that the invoice is chosen do older batch files go.
    const QStringList stale = BatchFilesIn(directory);
    if (target == ExportTarget::Directory) {
        if (!RemoveFiles(directory, stale, owner))
            return result;
    } else {
        if (!QDir(directory).exists() && !QDir().mkpath(directory)) {
            ShowNotice(QStringLiteral("Chyba"),
                       QStringLiteral("Adresár %1 sa nedá vytvoriť.").arg(directory),
                       NoticeKind::Error, owner);
            return result;
        }
        ShowNotice(QStringLiteral("Oznam"), QStringLiteral(" Vlož disketu do mechaniky ") + shown,
                   NoticeKind::Information, owner);
        // Files of an earlier export would travel with this one's mail.
        const QStringList older = BatchFilesIn(directory);
        if (!older.isEmpty() &&
            AskConfirm(QStringLiteral("Na diskete sú dávky z predchádzajúceho exportu (%1). Mám ich vymazať?")
                           .arg(older.join(QStringLiteral(", "))),
                       owner) == 1 &&
            !RemoveFiles(directory, older, owner))
            return result;
    }

    if (AskConfirm(QStringLiteral(" Mám vytlačiť sumár faktúry : SUMAR.FAK ?"), owner) == 1 &&
        !PrintOrAsk(PrintInvoiceSummary(app, invoice, QString()), owner))
        return result;

    BatchReader reader(app);
    for (const BatchRef& b : BatchesOf(app, invoice)) {
        const QString name = BatchFileName(b.number);
        if (AskConfirm(QStringLiteral(" Mám vytlačiť sumár dávky : ") + name + QStringLiteral(" ?"), owner) == 1 &&
            !PrintOrAsk(PrintBatchSummary(app, b.code, QString()), owner))
            return result;
        ShowInfo(app, QStringLiteral(" Vytváram dávku : ") + name, owner);
        QString error;
        const bool ok = reader.writeFile(invoice, b.code, directory, name, &error);
        HideInfo(app);
        if (!ok) {
            QStringList names;
            for (const QString& w : result.written)
                names << QDir(w).dirName();
            ShowNotice(QStringLiteral("Chyba"),
                       QStringLiteral("Súbor %1 sa nepodarilo zapísať: %2\nExport je prerušený. "
                                      "Zapísané súbory: %3")
                           .arg(QDir(directory).filePath(name), error,
                                names.isEmpty() ? QStringLiteral("žiadne") : names.join(QStringLiteral(", "))),
                       NoticeKind::Error, owner);
            return result;
        }
        result.written << QDir(directory).filePath(name);
    }
    result.finished = true;

    if (AskConfirm(QStringLiteral(" Mám vytlačiť Sprievodný protokol ?"), owner) == 1 &&
        !PrintOrAsk(PrintBatchProtocol(app, invoice, QString()), owner))
        return result;
    ShowNotice(QStringLiteral("Oznam"), QStringLiteral("Export faktúry ukončený"),
               NoticeKind::Information, owner);
    if (AskConfirm(QStringLiteral("Mám pripraviť mail pre odoslanie dávok na poisťovňu?"), owner) == 1)
        PrepareBatchMail(app, invoice, directory, result.written, owner);
    return result;
}

} // namespace vidoraw

#pragma once
// The mail that takes the batch files to the insurer: written as a standard .eml draft beside
// the files and handed to the desktop's mail client. Nothing is sent by the program.
#include <QByteArray>
#include <QString>
#include <QStringList>

class QWidget;

namespace vidoraw {

struct AppContext;

struct MailDraft {
    QString subject;
    QString recipient;     // empty: none
    QString body;          // lines joined by CR LF
    QStringList attachments; // full paths
};

// The draft as an RFC 5322 message (MIME, UTF-8 texts, base64 attachments, marked unsent);
// false with *error when an attachment cannot be read.
bool MailDraftBytes(const MailDraft& draft, QByteArray& bytes, QString* error);
// Subject "Dávky", the insurer's MAIL, the period and the owner's name in the body.
MailDraft BatchMail(AppContext& app, qint64 invoiceCode, const QStringList& files);
// Name of the draft beside the batch files.
inline constexpr const char* kMailDraftName = "davky.eml";
// Writes the draft into directory and offers it to the mail client (xdg-email with the
// attachments, else the draft opened on the desktop, else a notice where it lies).
bool PrepareBatchMail(AppContext& app, qint64 invoiceCode, const QString& directory,
                      const QStringList& files, QWidget* owner);

} // namespace vidoraw

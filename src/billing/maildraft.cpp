#include "billing/maildraft.h"

#include "billing/batchfile.h"
#include "billing/batchlist.h"
#include "core/interaction.h"
#include "framework/appcontext.h"
#include "framework/desktopfile.h"
#include "shell/vlastnikd.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

namespace vidoraw {

namespace {

// An RFC 2047 encoded word when the text is not plain ASCII.
QByteArray HeaderText(const QString& text) {
    bool ascii = true;
    for (QChar c : text)
        ascii = ascii && c.unicode() >= 32 && c.unicode() < 127;
    if (ascii)
        return text.toLatin1();
    return "=?UTF-8?B?" + text.toUtf8().toBase64() + "?=";
}

QByteArray Base64Lines(const QByteArray& data) {
    const QByteArray b = data.toBase64();
    QByteArray out;
    for (qsizetype i = 0; i < b.size(); i += 76)
        out += b.mid(i, 76) + "\r\n";
    return out;
}

} // namespace

bool MailDraftBytes(const MailDraft& draft, QByteArray& bytes, QString* error) {
    const QByteArray boundary = "----=_vidoraw_" + QUuid::createUuid().toString(QUuid::Id128).toLatin1();
    QByteArray m;
    m += "X-Unsent: 1\r\n";
    if (!draft.recipient.isEmpty())
        m += "To: " + draft.recipient.toUtf8() + "\r\n";
    m += "Subject: " + HeaderText(draft.subject) + "\r\n";
    m += "Date: " + QDateTime::currentDateTime().toString(Qt::RFC2822Date).toLatin1() + "\r\n";
    m += "MIME-Version: 1.0\r\n";
    m += "Content-Type: multipart/mixed; boundary=\"" + boundary + "\"\r\n\r\n";
    m += "--" + boundary + "\r\n";
    m += "Content-Type: text/plain; charset=UTF-8\r\nContent-Transfer-Encoding: base64\r\n\r\n";
    m += Base64Lines(draft.body.toUtf8());
    for (const QString& path : draft.attachments) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) {
            if (error)
                *error = f.errorString();
            return false;
        }
        const QByteArray name = HeaderText(QFileInfo(path).fileName());
        m += "--" + boundary + "\r\n";
        m += "Content-Type: application/octet-stream; name=\"" + name + "\"\r\n";
        m += "Content-Transfer-Encoding: base64\r\n";
        m += "Content-Disposition: attachment; filename=\"" + name + "\"\r\n\r\n";
        m += Base64Lines(f.readAll());
    }
    m += "--" + boundary + "--\r\n";
    bytes = m;
    return true;
}

MailDraft BatchMail(AppContext& app, qint64 invoiceCode, const QStringList& files) {
    const InvoiceHeader h = InvoiceHeaderOf(app, invoiceCode);
    MailDraft d;
    d.subject = QStringLiteral("Dávky");
    QString mail;
    if (!h.insurer.trimmed().isEmpty())
        LookupField(app, module::kPoist, QStringLiteral("CPOI"), {h.insurer}, QStringLiteral("MAIL"),
                    mail);
    d.recipient = mail.trimmed();
    d.body = QString(20, u' ') + QStringLiteral("\r\nDávky za obdobie: ") + h.obdmm + '.' + h.obdrr +
             QStringLiteral("\r\n") + OwnerField(app, QStringLiteral("NAZOV"));
    d.attachments = files;
    return d;
}

bool PrepareBatchMail(AppContext& app, qint64 invoiceCode, const QString& directory,
                      const QStringList& files, QWidget* owner) {
    const MailDraft draft = BatchMail(app, invoiceCode, files);
    QByteArray bytes;
    QString error;
    const QString path = QDir(directory).filePath(QString::fromLatin1(kMailDraftName));
    if (!MailDraftBytes(draft, bytes, &error) || !WriteFileWhole(path, bytes, &error)) {
        ShowNotice(QStringLiteral("Chyba"),
                   QStringLiteral("Mail sa nepodarilo pripraviť: %1").arg(error), NoticeKind::Error,
                   owner);
        return false;
    }
    QStringList args = {QStringLiteral("--utf8"), QStringLiteral("--subject"), draft.subject,
                        QStringLiteral("--body"), draft.body};
    for (const QString& f : files)
        args << QStringLiteral("--attach") << f;
    if (!draft.recipient.isEmpty())
        args << draft.recipient;
    if (StartProgram(app, QStringLiteral("xdg-email"), args) || ShowOnDesktop(app, path))
        return true;
    ShowNotice(QStringLiteral("Oznam"),
               QStringLiteral("Mailový program sa nenašiel. Pripravený mail je uložený v súbore %1")
                   .arg(QDir::toNativeSeparators(path)),
               NoticeKind::Information, owner);
    return true;
}

} // namespace vidoraw

#pragma once
// A mail as mail servers and mail programs take it: ASCII headers, the subject encoded for any
// letters, the text in UTF-8 as quoted-printable, lines ended by CR LF. The same bytes go to
// the server and into a draft file.
#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace vidoraw {

struct MailMessage {
    QString from;
    QString to;
    QString subject;
    QString body;
};

// One plain address "name@domain" in ASCII: no blanks, no control characters, no brackets,
// quotes, commas or semicolons (nothing a header or the server's envelope could be misled by).
bool IsUsableMailAddress(const QString& address);
// The whole message. A draft carries "X-Unsent: 1", so mail programs open it for sending.
QByteArray ComposeMail(const MailMessage& mail, bool draft,
                       const QDateTime& date = QDateTime::currentDateTime());
// Text as quoted-printable UTF-8, lines of at most 76 characters ended by CR LF.
QByteArray QuotedPrintable(const QString& text);
// A header text: as it is when plain ASCII, else UTF-8 encoded words (folded when long).
QByteArray EncodedHeaderText(const QString& text);

} // namespace vidoraw

#include "invoicing/mailmessage.h"

#include <QUuid>

namespace vidoraw {

namespace {

constexpr int kLineLimit = 76;

bool IsPlainAscii(const QString& text) {
    for (QChar c : text)
        if (c.unicode() < 32 || c.unicode() > 126) return false;
    return true;
}

QByteArray Hex(unsigned char byte) {
    static const char digits[] = "0123456789ABCDEF";
    QByteArray out("=");
    out += digits[byte >> 4];
    out += digits[byte & 15];
    return out;
}

} // namespace

bool IsUsableMailAddress(const QString& address) {
    const qsizetype at = address.indexOf(u'@');
    if (at <= 0 || at != address.lastIndexOf(u'@') || at == address.size() - 1) return false;
    for (QChar c : address) {
        if (c.unicode() <= 32 || c.unicode() >= 127) return false;
        if (QStringLiteral("<>()[]\\,;:\"").contains(c)) return false;
    }
    const QString domain = address.mid(at + 1);
    return !domain.startsWith(u'.') && !domain.endsWith(u'.') &&
           !domain.contains(QStringLiteral(".."));
}

QByteArray QuotedPrintable(const QString& text) {
    QString normal = text;
    normal.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normal.replace(u'\r', u'\n');
    QByteArray out;
    const QList<QByteArray> lines = normal.toUtf8().split('\n');
    for (int l = 0; l < lines.size(); ++l) {
        const QByteArray& line = lines[l];
        QByteArray current;
        for (int i = 0; i < line.size(); ++i) {
            const auto byte = static_cast<unsigned char>(line[i]);
            const bool last = i == line.size() - 1;
            QByteArray piece;
            if ((byte == ' ' || byte == '\t') && !last)
                piece = QByteArray(1, char(byte));
            else if (byte >= 33 && byte <= 126 && byte != '=')
                piece = QByteArray(1, char(byte));
            else
                piece = Hex(byte);
            // A soft break ("=") keeps every line within the limit.
            const int room = last ? kLineLimit : kLineLimit - 1;
            if (current.size() + piece.size() > room) {
                out += current + "=\r\n";
                current.clear();
            }
            current += piece;
        }
        out += current;
        if (l < lines.size() - 1) out += "\r\n";
    }
    return out;
}

QByteArray EncodedHeaderText(const QString& text) {
    QString flat = text;
    flat.replace(u'\r', u' ').replace(u'\n', u' ');
    if (IsPlainAscii(flat)) return flat.toLatin1();
    // Encoded words of at most 75 characters, never splitting a letter's bytes.
    QList<QByteArray> words;
    QByteArray chunk;
    for (qsizetype i = 0; i < flat.size(); ++i) {
        qsizetype n = flat[i].isHighSurrogate() && i + 1 < flat.size() ? 2 : 1;
        const QByteArray letter = flat.mid(i, n).toUtf8();
        i += n - 1;
        if (chunk.size() + letter.size() > 45) {
            words << "=?UTF-8?B?" + chunk.toBase64() + "?=";
            chunk.clear();
        }
        chunk += letter;
    }
    if (!chunk.isEmpty()) words << "=?UTF-8?B?" + chunk.toBase64() + "?=";
    return words.join("\r\n ");
}

QByteArray ComposeMail(const MailMessage& mail, bool draft, const QDateTime& date) {
    QByteArray out;
    auto header = [&](const char* name, const QByteArray& value) {
        out += name;
        out += ": ";
        out += value;
        out += "\r\n";
    };
    header("Date", date.toString(Qt::RFC2822Date).toLatin1());
    if (!mail.from.isEmpty()) header("From", mail.from.toLatin1());
    header("To", mail.to.toLatin1());
    header("Subject", EncodedHeaderText(mail.subject));
    header("Message-ID",
           "<" + QUuid::createUuid().toString(QUuid::WithoutBraces).toLatin1() + "@vidoraw>");
    header("MIME-Version", "1.0");
    header("Content-Type", "text/plain; charset=UTF-8");
    header("Content-Transfer-Encoding", "quoted-printable");
    if (draft) header("X-Unsent", "1");
    out += "\r\n";
    out += QuotedPrintable(mail.body);
    if (!out.endsWith("\r\n")) out += "\r\n";
    return out;
}

} // namespace vidoraw

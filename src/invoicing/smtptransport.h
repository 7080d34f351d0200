#pragma once
// Sending mails through an SMTP server (libcurl): one session per bulk mail, one call per
// mail and recipient. A refused mail answers the server's own reason.
#include "invoicing/smtpsettings.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace vidoraw {

class SmtpSession {
public:
    explicit SmtpSession(const SmtpSettings& settings);
    ~SmtpSession();
    SmtpSession(const SmtpSession&) = delete;
    SmtpSession& operator=(const SmtpSession&) = delete;

    // Sends the message from `from` to `to`; false with the server's reply (or why the
    // server could not be reached, or that it was stopped).
    bool send(const QString& from, const QString& to, const QByteArray& message, QString* reason);

    // Asked again and again while a mail is on its way (the window stays alive meanwhile);
    // true stops the mail.
    std::function<bool()> stopRequested;

    // What the library calls back with (kept here so that its callbacks reach them).
    struct Upload {
        const QByteArray* data = nullptr;
        qsizetype at = 0;
    };
    QString lastRefusal; // the last 4xx or 5xx reply line of the server
    bool stopped = false;

private:
    void* handle_ = nullptr;
    SmtpSettings settings_;
};

} // namespace vidoraw

#include "invoicing/smtptransport.h"

#include <QCoreApplication>

#include <curl/curl.h>

#include <cstring>

namespace vidoraw {

namespace {

size_t ReadMessage(char* buffer, size_t size, size_t count, void* user) {
    auto* upload = static_cast<SmtpSession::Upload*>(user);
    const qsizetype left = upload->data->size() - upload->at;
    const qsizetype n = std::min<qsizetype>(left, qsizetype(size * count));
    if (n <= 0) return 0;
    std::memcpy(buffer, upload->data->constData() + upload->at, size_t(n));
    upload->at += n;
    return size_t(n);
}

int Progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    auto* session = static_cast<SmtpSession*>(user);
    QCoreApplication::processEvents();
    if (session->stopRequested && session->stopRequested()) {
        session->stopped = true;
        return 1;
    }
    return 0;
}

// The server's replies pass here: the last refusal is the reason a mail failed.
int Trace(CURL*, curl_infotype type, char* data, size_t size, void* user) {
    if (type != CURLINFO_HEADER_IN) return 0;
    auto* session = static_cast<SmtpSession*>(user);
    const QString text = QString::fromUtf8(data, qsizetype(size)).trimmed();
    for (const QString& line : text.split(u'\n')) {
        const QString reply = line.trimmed();
        if (!reply.isEmpty() && (reply[0] == u'4' || reply[0] == u'5'))
            session->lastRefusal = reply;
    }
    return 0;
}

void GlobalInit() {
    static const bool done = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    (void)done;
}

} // namespace

SmtpSession::SmtpSession(const SmtpSettings& settings) : settings_(settings) {
    GlobalInit();
    handle_ = curl_easy_init();
}

SmtpSession::~SmtpSession() {
    if (handle_) curl_easy_cleanup(static_cast<CURL*>(handle_));
}

bool SmtpSession::send(const QString& from, const QString& to, const QByteArray& message,
                       QString* reason) {
    auto fail = [&](const QString& why) {
        if (reason) *reason = why;
        return false;
    };
    auto* h = static_cast<CURL*>(handle_);
    if (!h) return fail(QStringLiteral("Knižnica pre poštu sa nedá použiť."));
    QString host = settings_.host;
    if (host.contains(u':') && !host.startsWith(u'[')) host = u'[' + host + u']';
    const QString scheme =
        settings_.security == SmtpSecurity::Tls ? QStringLiteral("smtps") : QStringLiteral("smtp");
    const QByteArray url =
        QStringLiteral("%1://%2:%3").arg(scheme, host).arg(settings_.port).toUtf8();
    const QByteArray user = settings_.user.toUtf8();
    const QByteArray password = settings_.password.toUtf8();
    const QByteArray sender = ('<' + from + '>').toUtf8();
    const QByteArray recipient = ('<' + to + '>').toUtf8();
    char error[CURL_ERROR_SIZE] = {0};
    Upload upload{&message, 0};
    lastRefusal.clear();
    stopped = false;

    curl_slist* recipients = curl_slist_append(nullptr, recipient.constData());
    curl_easy_setopt(h, CURLOPT_URL, url.constData());
    curl_easy_setopt(h, CURLOPT_USE_SSL,
                     settings_.security == SmtpSecurity::StartTls ? long(CURLUSESSL_ALL)
                                                                  : long(CURLUSESSL_NONE));
    if (!user.isEmpty()) {
        curl_easy_setopt(h, CURLOPT_USERNAME, user.constData());
        curl_easy_setopt(h, CURLOPT_PASSWORD, password.constData());
    }
    curl_easy_setopt(h, CURLOPT_MAIL_FROM, sender.constData());
    curl_easy_setopt(h, CURLOPT_MAIL_RCPT, recipients);
    curl_easy_setopt(h, CURLOPT_READFUNCTION, ReadMessage);
    curl_easy_setopt(h, CURLOPT_READDATA, &upload);
    curl_easy_setopt(h, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(h, CURLOPT_ERRORBUFFER, error);
    curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, Progress);
    curl_easy_setopt(h, CURLOPT_XFERINFODATA, this);
    curl_easy_setopt(h, CURLOPT_VERBOSE, 1L); // the replies reach Trace, nothing is printed
    curl_easy_setopt(h, CURLOPT_DEBUGFUNCTION, Trace);
    curl_easy_setopt(h, CURLOPT_DEBUGDATA, this);
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, 30L);
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, 60L);
    const CURLcode result = curl_easy_perform(h);
    curl_slist_free_all(recipients);
    // The buffers above go out of scope: nothing of them may stay in the handle.
    curl_easy_setopt(h, CURLOPT_ERRORBUFFER, nullptr);
    curl_easy_setopt(h, CURLOPT_MAIL_RCPT, nullptr);
    curl_easy_setopt(h, CURLOPT_READDATA, nullptr);
    if (result == CURLE_OK) return true;
    if (stopped || result == CURLE_ABORTED_BY_CALLBACK)
        return fail(QStringLiteral("Posielanie bolo zastavené."));
    if (!lastRefusal.isEmpty()) return fail(lastRefusal);
    const QString why = QString::fromUtf8(error).trimmed();
    return fail(why.isEmpty() ? QString::fromUtf8(curl_easy_strerror(result)) : why);
}

} // namespace vidoraw

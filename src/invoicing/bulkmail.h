#pragma once
// Bulk mail: one mail to every listed company with an address, the subject of a picked
// definition and the text of its template file filled with the company's fields. Sent through
// the mail server of the settings, or written as drafts (.eml) when no server is set.
#include "invoicing/mailmessage.h"
#include "invoicing/smtpsettings.h"

#include <QDialog>
#include <QList>

#include <utility>

class QLabel;
class QProgressBar;
class QPushButton;

namespace vidoraw {

struct AppContext;
class Table;

// The command "H&romadný mail" of the company list (the company table as filtered now).
void SendBulkMail(AppContext& app, QWidget* owner);

// The text of a mail template: every "XXX_" + field name (in capitals) of the company
// table replaced, wherever it stands, by the field's value of the current company.
QString FillMailTemplate(Table& companies, const QString& text);
// The template file: a name relative to the data directory (its case does not matter) or a
// whole path; empty when there is no such file.
QString FindMailTemplate(const QString& dataDirectory, const QString& name);
// The file's text: UTF-8 when it is valid UTF-8, else code page 1250.
QString ReadMailTemplate(const QString& path);

struct OutgoingMail {
    QString address;
    MailMessage message;
};

struct BulkMailResult {
    int sent = 0;                              // sent, or written as drafts
    QList<std::pair<QString, QString>> failed; // address and why
    bool stopped = false;
    QString draftDirectory; // where the drafts went
};

// The window that shows how far the sending is, with its stop button.
class TfHmPriebeh : public QDialog {
    Q_OBJECT
public:
    explicit TfHmPriebeh(QWidget* parent = nullptr);
    // Shows mail `index` (from 0) of `count` going to `address`.
    void step(int index, int count, const QString& address);
    bool stopped = false;

    QLabel* lText = nullptr;
    QProgressBar* pbPriebeh = nullptr;
    QPushButton* bZastav = nullptr;

signals:
    void stepped(int index);

protected:
    void reject() override; // Escape stops too
};

// Sends the mails one by one through the server, the window showing each; a stop ends before
// the next mail.
BulkMailResult SendMailsOverSmtp(const QList<OutgoingMail>& mails, const SmtpSettings& settings,
                                 TfHmPriebeh& progress);
// Writes the mails as draft files into the directory; false with the reason when a file
// could not be written (the ones before it stay).
bool WriteMailDrafts(const QList<OutgoingMail>& mails, const QString& directory,
                     BulkMailResult& result, QString* error);
// The closing message of a bulk mail.
QString BulkMailReport(const BulkMailResult& result);

} // namespace vidoraw

#include "invoicing/bulkmail.h"

#include "core/base/codepage.h"
#include "core/engine/table.h"
#include "core/files.h"
#include "core/interaction.h"
#include "core/values.h"
#include "framework/adrarch.h"
#include "framework/tfbrowse.h"
#include "framework/tfdbform.h"
#include "invoicing/smtptransport.h"
#include "shell/vlastnikd.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QStringDecoder>
#include <QVBoxLayout>

namespace vidoraw {

namespace {

const QString kWrongAddress = QStringLiteral("Adresa nie je správna.");

// A file name that any file system takes, made from the address.
QString DraftName(int index, const QString& address) {
    QString safe;
    for (QChar c : address)
        safe += (c.isLetterOrNumber() && c.unicode() < 128) || QStringLiteral("@._-").contains(c)
                    ? c
                    : QChar(u'_');
    return QStringLiteral("%1 %2.eml").arg(index + 1, 3, 10, QChar(u'0')).arg(safe);
}

// The sender: the one set, else the user when it is an address, else the shop's own address.
QString SenderAddress(AppContext& app, const SmtpSettings& s) {
    for (const QString& candidate :
         {s.from, s.user, OwnerField(app, QStringLiteral("MAIL")).trimmed()})
        if (IsUsableMailAddress(candidate)) return candidate;
    return QString();
}

} // namespace

QString FillMailTemplate(Table& companies, const QString& text) {
    QList<std::pair<QString, QString>> values;
    for (int i = 0; i < companies.tableFieldCount(); ++i)
        values.append({QStringLiteral("XXX_") + companies.fieldDefs()[i].name.toUpper(),
                       companies.field(i).asString()});
    QStringList lines = text.split(u'\n');
    FillPlaceholders(lines, values, true);
    return lines.join(u'\n');
}

QString FindMailTemplate(const QString& dataDirectory, const QString& name) {
    const QString wanted = name.trimmed();
    if (wanted.isEmpty()) return QString();
    const QFileInfo whole(wanted);
    if (whole.isAbsolute()) return whole.isFile() ? whole.absoluteFilePath() : QString();
    const QFileInfo here(QDir(dataDirectory).filePath(wanted));
    if (here.isFile()) return here.absoluteFilePath();
    // The name as the user wrote it, in whatever case the file has.
    if (wanted.contains(u'*') || wanted.contains(u'?')) return QString();
    const QStringList found = MatchingFiles(here.absolutePath(), here.fileName());
    return found.isEmpty() ? QString() : found.first();
}

QString ReadMailTemplate(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return QString();
    const QByteArray bytes = f.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) text = FromCp1250(bytes);
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

TfHmPriebeh::TfHmPriebeh(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Posielanie mailov"));
    auto* layout = new QVBoxLayout(this);
    lText = new QLabel(this);
    lText->setMinimumWidth(lText->fontMetrics().averageCharWidth() * 50);
    pbPriebeh = new QProgressBar(this);
    bZastav = new QPushButton(QStringLiteral("&Zastav"), this);
    bZastav->setAutoDefault(false);
    layout->addWidget(lText);
    layout->addWidget(pbPriebeh);
    layout->addWidget(bZastav, 0, Qt::AlignHCenter);
    connect(bZastav, &QPushButton::clicked, this, [this] { stopped = true; });
    // Nothing else may be touched while the mails go out.
    setWindowModality(Qt::ApplicationModal);
}

void TfHmPriebeh::step(int index, int count, const QString& address) {
    pbPriebeh->setRange(0, count);
    pbPriebeh->setValue(index);
    lText->setText(
        QStringLiteral("Posielam mail %1 z %2: %3").arg(index + 1).arg(count).arg(address));
    emit stepped(index);
}

void TfHmPriebeh::reject() {
    stopped = true;
}

BulkMailResult SendMailsOverSmtp(const QList<OutgoingMail>& mails, const SmtpSettings& settings,
                                 TfHmPriebeh& progress) {
    BulkMailResult result;
    SmtpSession session(settings);
    session.stopRequested = [&progress] { return progress.stopped; };
    progress.show();
    for (int i = 0; i < mails.size(); ++i) {
        QApplication::processEvents();
        if (progress.stopped) {
            result.stopped = true;
            break;
        }
        const OutgoingMail& mail = mails[i];
        progress.step(i, int(mails.size()), mail.address);
        QApplication::processEvents();
        if (!IsUsableMailAddress(mail.address)) {
            result.failed.append({mail.address, kWrongAddress});
            continue;
        }
        QString reason;
        if (session.send(mail.message.from, mail.address, ComposeMail(mail.message, false),
                         &reason))
            ++result.sent;
        else if (session.stopped)
            result.stopped = true;
        else
            result.failed.append({mail.address, reason});
        if (result.stopped) break;
    }
    progress.pbPriebeh->setValue(int(mails.size()));
    progress.hide();
    return result;
}

bool WriteMailDrafts(const QList<OutgoingMail>& mails, const QString& directory,
                     BulkMailResult& result, QString* error) {
    result.draftDirectory = QDir::toNativeSeparators(QDir(directory).absolutePath());
    for (int i = 0; i < mails.size(); ++i) {
        const OutgoingMail& mail = mails[i];
        if (!IsUsableMailAddress(mail.address)) {
            result.failed.append({mail.address, kWrongAddress});
            continue;
        }
        QSaveFile f(QDir(directory).filePath(DraftName(i, mail.address)));
        if (!f.open(QIODevice::WriteOnly) || f.write(ComposeMail(mail.message, true)) < 0 ||
            !f.commit()) {
            if (error)
                *error = QStringLiteral("Súbor %1 sa nedá zapísať: %2")
                             .arg(QDir::toNativeSeparators(f.fileName()), f.errorString());
            return false;
        }
        ++result.sent;
    }
    return true;
}

QString BulkMailReport(const BulkMailResult& result) {
    QString text;
    if (result.draftDirectory.isEmpty())
        text = QStringLiteral("Posielanie mailov ukončené. Poslali sme mail pre: %1 klientov.")
                   .arg(result.sent);
    else
        text =
            QStringLiteral("Server pre hromadný mail nie je nastavený. Maily pre %1 klientov sme "
                           "uložili ako koncepty (súbory .eml) do adresára: %2")
                .arg(result.sent)
                .arg(result.draftDirectory);
    if (result.stopped) text += QStringLiteral("\nPosielanie ste zastavili pred koncom zoznamu.");
    if (!result.failed.isEmpty()) {
        text += QStringLiteral("\nNepodarilo sa poslať mail na tieto adresy:");
        for (const auto& [address, why] : result.failed)
            text += u'\n' + address + QStringLiteral(": ") + why;
    }
    return text;
}

void SendBulkMail(AppContext& app, QWidget* owner) {
    auto* companies = dynamic_cast<TfDbForm*>(app.registry.module(module::kFirma));
    if (!companies || !companies->OpenTable() || !app.db) return;
    // 1. The definition, picked from its list.
    QLineEdit pickedCode(owner);
    pickedCode.hide();
    pickedCode.setText(QStringLiteral("0"));
    if (!LookupOrPick(app, module::kHm, QStringLiteral("KOD"), QStringLiteral("KOD"),
                      PickMode::Pick, nullptr, &pickedCode))
        return;
    QStringList definition;
    if (!LookupFields(app, module::kHm, QStringLiteral("KOD"), {pickedCode.text()},
                      {QStringLiteral("MENOSUB"), QStringLiteral("SUBJECT")}, definition))
        return;
    // 2. Asked, and the template found.
    if (AskConfirm(QStringLiteral("Mám naozaj poslať mail všetkým?"), owner) != 1) return;
    const QString templatePath = FindMailTemplate(app.db->directory(), definition[0]);
    if (templatePath.isEmpty()) {
        ShowNotice(QStringLiteral("Oznam"),
                   QStringLiteral("Súbor s predlohou mailu pre všetkých sa nenach8dya v pracovnom "
                                  "adresári programu!"),
                   NoticeKind::Information, owner);
        return;
    }
    const QString text = ReadMailTemplate(templatePath);

    // 3. One mail per listed company with an address; the list stays where it was.
    const SmtpSettings settings = ReadSmtpSettings();
    const QString from = SenderAddress(app, settings);
    Table& t = companies->table();
    const qint64 place = t.bookmark();
    QList<OutgoingMail> mails;
    for (t.first(); !t.eof(); t.next()) {
        const QString address = t.field(QStringLiteral("MAIL")).asString().trimmed();
        if (address.isEmpty()) continue;
        mails.append(
            {address, MailMessage{from, address, definition[1], FillMailTemplate(t, text)}});
    }
    (void)t.gotoBookmark(place);

    // 4. Through the server, or as drafts where there is none.
    BulkMailResult result;
    if (settings.host.isEmpty()) {
        QString directory;
        if (!ChooseDirectory(app, kDirMailDrafts, directory)) return;
        QString error;
        if (!WriteMailDrafts(mails, directory, result, &error)) {
            ShowNotice(QStringLiteral("Chyba"), error, NoticeKind::Error, owner);
            return;
        }
    } else {
        if (from.isEmpty()) {
            ShowNotice(QStringLiteral("Chyba"),
                       QStringLiteral("Adresa odosielateľa nie je nastavená (Nastavenie pošty)."),
                       NoticeKind::Error, owner);
            return;
        }
        TfHmPriebeh progress(owner);
        result = SendMailsOverSmtp(mails, settings, progress);
    }
    ShowNotice(QStringLiteral("Oznam"), BulkMailReport(result),
               result.failed.isEmpty() ? NoticeKind::Information : NoticeKind::Warning, owner);
}

} // namespace vidoraw

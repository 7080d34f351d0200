#include "invoicing/smtpsettings.h"

#include "core/interaction.h"
#include "core/settings.h"
#include "invoicing/mailmessage.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>
#include <optional>

namespace vidoraw {

namespace {

const QString kSection = QStringLiteral("SMTP");
const QString kService = QStringLiteral("vidoraw-smtp");
constexpr int kSecretToolWait = 10000;

std::optional<QString>& SecretToolOverride() {
    static std::optional<QString> program;
    return program;
}

QString SecretTool() {
    if (SecretToolOverride()) return *SecretToolOverride();
    return QStandardPaths::findExecutable(QStringLiteral("secret-tool"));
}

QStringList Attributes(const QString& host, const QString& user) {
    return {QStringLiteral("service"), kService, QStringLiteral("server"), host,
            QStringLiteral("user"),    user};
}

// Runs the secret tool; true when it ended well, with its output.
bool RunSecretTool(const QStringList& arguments, const QByteArray& input, QByteArray* output) {
    const QString program = SecretTool();
    if (program.isEmpty()) return false;
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForStarted(kSecretToolWait)) return false;
    if (!input.isNull()) p.write(input);
    p.closeWriteChannel();
    if (!p.waitForFinished(kSecretToolWait)) {
        p.kill();
        p.waitForFinished();
        return false;
    }
    if (output) *output = p.readAllStandardOutput();
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// The file holds "server user" on its first line and the password on the second.
QString PasswordFromFile(const QString& host, const QString& user) {
    QFile f(SmtpPasswordFile());
    if (!f.open(QIODevice::ReadOnly)) return QString();
    const QList<QByteArray> lines = f.readAll().split('\n');
    if (lines.size() < 2 || QString::fromUtf8(lines[0]) != host + u' ' + user) return QString();
    return QString::fromUtf8(lines[1]);
}

bool PasswordToFile(const QString& host, const QString& user, const QString& password,
                    QString* error) {
    QDir().mkpath(SettingsDirectory());
    QSaveFile f(SmtpPasswordFile());
    // Only the user may read it, from the first byte on.
    if (!f.open(QIODevice::WriteOnly) ||
        !f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        if (error) *error = f.errorString();
        return false;
    }
    f.write((host + u' ' + user).toUtf8() + '\n' + password.toUtf8() + '\n');
    if (!f.commit()) {
        if (error) *error = f.errorString();
        return false;
    }
    return true;
}

} // namespace

void SetSecretToolProgram(const QString& program) {
    SecretToolOverride() = program;
}

QString SmtpPasswordFile() {
    return SettingsDirectory() + QStringLiteral("SMTP.HESLO");
}

SmtpSettings ReadSmtpSettings() {
    const IniFile ini(QString::fromLatin1(kMainSettingsFile));
    SmtpSettings s;
    s.host = ini.readString(kSection, QStringLiteral("SERVER")).trimmed();
    s.port = ini.readInteger(kSection, QStringLiteral("PORT"));
    s.security = SmtpSecurity(ini.readInteger(kSection, QStringLiteral("TLS")));
    s.user = ini.readString(kSection, QStringLiteral("UZIVATEL")).trimmed();
    s.from = ini.readString(kSection, QStringLiteral("ODOSIELATEL")).trimmed();
    if (!s.host.isEmpty() && !s.user.isEmpty()) {
        QByteArray secret;
        if (RunSecretTool(QStringList{QStringLiteral("lookup")} + Attributes(s.host, s.user), {},
                          &secret) &&
            !secret.isEmpty())
            s.password = QString::fromUtf8(secret);
        else
            s.password = PasswordFromFile(s.host, s.user);
    }
    return s;
}

bool WriteSmtpSettings(const SmtpSettings& s, QString* error) {
    IniFile ini(QString::fromLatin1(kMainSettingsFile));
    if (!ini.writeString(kSection, QStringLiteral("SERVER"), s.host) ||
        !ini.writeInteger(kSection, QStringLiteral("PORT"), s.port) ||
        !ini.writeInteger(kSection, QStringLiteral("TLS"), int(s.security)) ||
        !ini.writeString(kSection, QStringLiteral("UZIVATEL"), s.user) ||
        !ini.writeString(kSection, QStringLiteral("ODOSIELATEL"), s.from)) {
        if (error)
            *error = QStringLiteral("Nastavenia sa nedajú zapísať do %1.").arg(ini.filePath());
        return false;
    }
    const QStringList attributes = Attributes(s.host, s.user);
    if (s.password.isEmpty()) {
        RunSecretTool(QStringList{QStringLiteral("clear")} + attributes, {}, nullptr);
        QFile::remove(SmtpPasswordFile());
        return true;
    }
    if (RunSecretTool(QStringList{QStringLiteral("store"), QStringLiteral("--label"),
                                  QStringLiteral("vidoraw: server pre hromadný mail")} +
                          attributes,
                      s.password.toUtf8(), nullptr)) {
        QFile::remove(SmtpPasswordFile()); // no copy left behind in a file
        return true;
    }
    return PasswordToFile(s.host, s.user, s.password, error);
}

TfPostaNastav::TfPostaNastav(AppContext& app, QWidget* parent) : TfMojForm(app, parent) {
    setWindowTitle(QStringLiteral("Nastavenie pošty"));
    eServer = rows().addRow(QStringLiteral("Server SMTP:"), 80, 40);
    ePort = rows().addRow(QStringLiteral("Port:"), 5, 6);
    cbZabezpecenie = new QComboBox(this);
    cbZabezpecenie->addItems(
        {QStringLiteral("žiadne"), QStringLiteral("STARTTLS"), QStringLiteral("SSL/TLS")});
    rows().addRow(QStringLiteral("Zabezpečenie:"), cbZabezpecenie);
    eUzivatel = rows().addRow(QStringLiteral("Užívateľ:"), 80, 40);
    eHeslo = rows().addRow(QStringLiteral("Heslo:"), 80, 40);
    eHeslo->setEchoMode(QLineEdit::Password);
    eOdosielatel = rows().addRow(QStringLiteral("Adresa odosielateľa:"), 80, 40);
    auto* note = new QLabel(QStringLiteral("Bez servera sa maily uložia ako koncepty (súbory .eml) "
                                           "do adresára, ktorý vyberiete."),
                            this);
    note->setWordWrap(true);
    rows().addWide(note);
    finishLayout();
}

void TfPostaNastav::load(const SmtpSettings& s) {
    eServer->setText(s.host);
    ePort->setText(QString::number(s.port));
    cbZabezpecenie->setCurrentIndex(std::clamp(int(s.security), 0, 2));
    eUzivatel->setText(s.user);
    eHeslo->setText(s.password);
    eOdosielatel->setText(s.from);
    focusField(eServer);
}

bool TfPostaNastav::closeWithOk() {
    bool ok = false;
    const int port = trimmedText(ePort).toInt(&ok);
    if (!ok || port < 1 || port > 65535) {
        complain(QStringLiteral("Port musí byť číslo od 1 do 65535!"));
        failField(ePort);
        return false;
    }
    const QString from = trimmedText(eOdosielatel);
    if (!from.isEmpty() && !IsUsableMailAddress(from)) {
        complain(QStringLiteral("Adresa odosielateľa nie je správna!"));
        failField(eOdosielatel);
        return false;
    }
    SmtpSettings s;
    s.host = trimmedText(eServer);
    s.port = port;
    s.security = SmtpSecurity(cbZabezpecenie->currentIndex());
    s.user = trimmedText(eUzivatel);
    s.password = eHeslo->text();
    s.from = from;
    QString error;
    if (!WriteSmtpSettings(s, &error)) {
        complain(error);
        return false;
    }
    return true;
}

bool TfPostaNastav::closeWithBack() {
    return AskConfirm(QStringLiteral(" Mám naozaj ukončiť editáciu bez uchovania?"), this) == 1;
}

bool EditSmtpSettings(AppContext& app, QWidget* owner) {
    TfPostaNastav window(app, owner);
    window.load(ReadSmtpSettings());
    window.centreOver(owner);
    return window.showModal() == QDialog::Accepted;
}

} // namespace vidoraw

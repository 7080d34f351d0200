#pragma once
// The mail server bulk mail sends through: host, port, security, user and sender in the
// settings file (section SMTP); the password in the desktop's secret store when there is one,
// else in a file of the settings directory that only the user may read.
#include "framework/tfmojform.h"

class QComboBox;

namespace vidoraw {

enum class SmtpSecurity { None = 0, StartTls = 1, Tls = 2 };

struct SmtpSettings {
    QString host; // empty: no server, mails become drafts
    int port = 587;
    SmtpSecurity security = SmtpSecurity::StartTls;
    QString user;
    QString password;
    QString from;
};

SmtpSettings ReadSmtpSettings();
// False with the reason when the settings or the password could not be written.
bool WriteSmtpSettings(const SmtpSettings& settings, QString* error);

// The secret store is reached through this program (secret-tool of libsecret); empty: no
// secret store (tests). By default the one found on the path.
void SetSecretToolProgram(const QString& program);
// The file that keeps the password where no secret store takes it.
QString SmtpPasswordFile();

// The window "Nastavenie pošty".
class TfPostaNastav : public TfMojForm {
    Q_OBJECT
public:
    explicit TfPostaNastav(AppContext& app, QWidget* parent = nullptr);
    void load(const SmtpSettings& settings);

    QLineEdit* eServer = nullptr;
    QLineEdit* ePort = nullptr;
    QComboBox* cbZabezpecenie = nullptr;
    QLineEdit* eUzivatel = nullptr;
    QLineEdit* eHeslo = nullptr;
    QLineEdit* eOdosielatel = nullptr;

protected:
    bool closeWithOk() override;
    bool closeWithBack() override;
};

// Opens the window over owner; answers whether the settings were saved.
bool EditSmtpSettings(AppContext& app, QWidget* owner);

} // namespace vidoraw

#pragma once
// A real mail server on 127.0.0.1 for the bulk mail tests (the Python package aiosmtpd, run by
// smtpserver.py beside this file). Whatever it receives is read back as JSON.
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace vidoraw::test {

class LocalSmtpServer {
public:
    // A Python that has aiosmtpd; empty when there is none (the tests then skip).
    static QString Python() {
        for (const QString& candidate :
             {QStringLiteral("/usr/bin/python3"), QStandardPaths::findExecutable("python3")}) {
            if (candidate.isEmpty() || !QFile::exists(candidate)) continue;
            QProcess p;
            p.start(candidate, {"-c", "import aiosmtpd"});
            if (p.waitForFinished(20000) && p.exitStatus() == QProcess::NormalExit &&
                p.exitCode() == 0)
                return candidate;
        }
        return QString();
    }

    // Starts the server: refused addresses get a 550, a user makes it ask for a login.
    bool start(const QStringList& refused = {}, const QString& user = {},
               const QString& password = {}) {
        const QString python = Python();
        if (python.isEmpty()) return false;
        QStringList arguments{SMTP_SERVER_SCRIPT, folder.path(), refused.join(',')};
        if (!user.isEmpty()) arguments << user << password;
        process.start(python, arguments);
        if (!process.waitForStarted(10000)) return false;
        for (int i = 0; i < 200 && port == 0; ++i) {
            if (process.canReadLine() || process.waitForReadyRead(100)) {
                const QByteArray line = process.readLine().trimmed();
                if (line.startsWith("READY ")) port = line.mid(6).toInt();
            }
            if (process.state() == QProcess::NotRunning) break;
        }
        return port > 0;
    }
    ~LocalSmtpServer() {
        if (process.state() != QProcess::NotRunning) {
            process.closeWriteChannel();
            if (!process.waitForFinished(10000)) {
                process.kill();
                process.waitForFinished();
            }
        }
    }

    // The mails received so far, in the order they came.
    QList<QJsonObject> received() const {
        QList<QJsonObject> out;
        const QStringList files =
            QDir(folder.path()).entryList({"*.json"}, QDir::Files, QDir::Name);
        for (const QString& name : files) {
            QFile f(QDir(folder.path()).filePath(name));
            if (f.open(QIODevice::ReadOnly)) out << QJsonDocument::fromJson(f.readAll()).object();
        }
        return out;
    }

    QProcess process;
    QTemporaryDir folder;
    int port = 0;
};

} // namespace vidoraw::test

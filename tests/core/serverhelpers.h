#pragma once
// Helpers of the tests that need a database server or must avoid one.
#include "core/engine/serversettings.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

namespace vidoraw::test {

// Sets (or with a null text removes) the test server for this process and the processes it
// starts; the previous value comes back at the end of the scope.
class TestServerOverride {
public:
    explicit TestServerOverride(const QByteArray& value)
        : had_(qEnvironmentVariableIsSet("VIDORAW_TEST_PG")), old_(qgetenv("VIDORAW_TEST_PG")) {
        if (value.isNull())
            qunsetenv("VIDORAW_TEST_PG");
        else
            qputenv("VIDORAW_TEST_PG", value);
    }
    ~TestServerOverride() {
        if (had_)
            qputenv("VIDORAW_TEST_PG", old_);
        else
            qunsetenv("VIDORAW_TEST_PG");
    }
    TestServerOverride(const TestServerOverride&) = delete;
    TestServerOverride& operator=(const TestServerOverride&) = delete;

private:
    bool had_;
    QByteArray old_;
};

// A server of the test's own, which it may stop and restart without disturbing other tests.
class PrivateServer {
public:
    PrivateServer() {
        // The server runs as an unprivileged user where the tests run as root: it must reach
        // its folder inside this one.
        QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner |
                                               QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
    }
    ~PrivateServer() {
        if (started_)
            script({"stop", folder()});
    }
    bool start(QString* error) {
        for (int attempt = 0; attempt < 3 && !started_; ++attempt) {
            const int port = 20000 + int(QRandomGenerator::global()->bounded(20000));
            QProcess p;
            p.start(QStringLiteral(VIDORAW_PG_SCRIPT), {"start", folder(), QString::number(port)});
            p.waitForFinished(120000);
            conninfo_ = p.readAllStandardOutput().trimmed();
            *error = QString::fromLocal8Bit(p.readAllStandardError());
            started_ = p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
            if (!started_)
                script({"stop", folder()});
        }
        return started_;
    }
    bool restart() { return script({"restart", folder()}); }
    QByteArray conninfo() const { return conninfo_; }

private:
    QString folder() const { return dir_.path() + "/server"; }
    static bool script(const QStringList& args) {
        QProcess p;
        p.start(QStringLiteral(VIDORAW_PG_SCRIPT), args);
        return p.waitForFinished(120000) && p.exitCode() == 0;
    }
    QTemporaryDir dir_;
    QByteArray conninfo_;
    bool started_ = false;
};

} // namespace vidoraw::test

#include "testmain.h"

#include "core/engine/serversettings.h"

#include <QApplication>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <cstdio>
#include <cstring>

namespace vidoraw::test {
std::vector<TestEntry>& Registry() {
    static std::vector<TestEntry> entries;
    return entries;
}
} // namespace vidoraw::test

namespace {

QtMessageHandler qtTestHandler = nullptr;

// A warning from our own code (it carries its source file; Qt's own messages do not) fails the
// running test, unless the test expects it with QTest::ignoreMessage, which QtTest lets win.
void FailOnOurWarnings(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if ((type == QtWarningMsg || type == QtCriticalMsg) && context.file &&
        QTest::currentTestFunction() && !QTest::currentTestFailed())
        QTest::failOnWarning(
            QRegularExpression(QLatin1Char('^') + QRegularExpression::escape(text) + u'$'));
    qtTestHandler(type, context, text);
}

} // namespace

// CTest runs each suite twice: VIDORAW_TEST_BACKEND=sqlite on database files, =postgres on the
// test server named by VIDORAW_TEST_PG (without it that run is skipped).
constexpr int kSkipped = 77;

// Usage: test_x [ClassName] [QtTest options...]
int main(int argc, char** argv) {
    const QByteArray backend = qgetenv("VIDORAW_TEST_BACKEND");
    if (backend == "sqlite") {
        qunsetenv("VIDORAW_TEST_PG"); // also for the worker processes
    } else if (backend == "postgres" && !vidoraw::TestServerConfigured()) {
        std::printf("No test server: set VIDORAW_TEST_PG (tools/test.sh starts one).\n");
        return kSkipped;
    }
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    const char* only = nullptr;
    std::vector<char*> rest{argv[0]};
    for (int i = 1; i < argc; ++i) {
        if (!only && argv[i][0] != '-' && i == 1)
            only = argv[i];
        else
            rest.push_back(argv[i]);
    }
    int failed = 0, run = 0;
    for (auto& e : vidoraw::test::Registry()) {
        if (only ? std::strcmp(only, e.name) != 0 : e.onRequestOnly)
            continue;
        auto obj = e.make();
        ++run;
        // qExec in its three steps: QtTest installs its message handler in the first.
        QTest::qInit(obj.get(), int(rest.size()), rest.data());
        qtTestHandler = qInstallMessageHandler(FailOnOurWarnings);
        const int result = QTest::qRun();
        qInstallMessageHandler(qtTestHandler);
        QTest::qCleanup();
        if (result != 0)
            ++failed;
    }
    vidoraw::DropTestSchemas();
    std::printf("%d passed, %d failed\n", run - failed, failed);
    return failed == 0 && run > 0 ? 0 : 1;
}

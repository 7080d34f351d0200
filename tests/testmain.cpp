#include "testmain.h"

#include <QApplication>
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

// Usage: test_x [ClassName] [QtTest options...]
int main(int argc, char** argv) {
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
        if (only && std::strcmp(only, e.name) != 0)
            continue;
        auto obj = e.make();
        ++run;
        if (QTest::qExec(obj.get(), int(rest.size()), rest.data()) != 0)
            ++failed;
    }
    std::printf("%d passed, %d failed\n", run - failed, failed);
    return failed == 0 && run > 0 ? 0 : 1;
}

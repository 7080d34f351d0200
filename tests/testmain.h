#pragma once
// Several QtTest classes share one executable: each registers itself here and
// main() runs them all (or the one named on the command line).
#include <QObject>
#include <functional>
#include <memory>
#include <vector>

namespace vidoraw::test {

struct TestEntry {
    const char* name;
    std::function<std::unique_ptr<QObject>()> make;
};

std::vector<TestEntry>& Registry();

struct Registrar {
    Registrar(const char* name, std::function<std::unique_ptr<QObject>()> make) {
        Registry().push_back({name, std::move(make)});
    }
};

} // namespace vidoraw::test

#define VIDORAW_TEST(Class)                                                                        \
    static ::vidoraw::test::Registrar registrar_##Class(                                           \
        #Class, [] { return std::unique_ptr<QObject>(new Class); });

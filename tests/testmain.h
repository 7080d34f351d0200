#pragma once
// Several QtTest classes share one executable: each registers itself here and
// main() runs them all (or the one named on the command line).
#include <QDate>
#include <QObject>
#include <functional>
#include <memory>
#include <vector>

namespace vidoraw::test {

struct TestEntry {
    const char* name;
    std::function<std::unique_ptr<QObject>()> make;
    bool onRequestOnly = false; // runs only when named on the command line
};

std::vector<TestEntry>& Registry();

// The day of a test step, for code that reads the clock itself: made before the step, it
// accepts that day and the current one, so that a test running over midnight still passes.
class TestDay {
public:
    TestDay() : first_(QDate::currentDate()) {}
    template <class Check> bool either(Check check) const {
        return check(first_) || check(QDate::currentDate());
    }
    bool is(const QDate& date) const {
        return either([&](const QDate& day) { return day == date; });
    }

private:
    QDate first_;
};

struct Registrar {
    Registrar(const char* name, std::function<std::unique_ptr<QObject>()> make,
              bool onRequestOnly = false) {
        Registry().push_back({name, std::move(make), onRequestOnly});
    }
};

} // namespace vidoraw::test

#define VIDORAW_TEST(Class)                                                                        \
    static ::vidoraw::test::Registrar registrar_##Class(                                           \
        #Class, [] { return std::unique_ptr<QObject>(new Class); });

// A class that fails on purpose, for a test of the runner itself: run only when named.
#define VIDORAW_TEST_ON_REQUEST(Class)                                                             \
    static ::vidoraw::test::Registrar registrar_##Class(                                           \
        #Class, [] { return std::unique_ptr<QObject>(new Class); }, true);

#pragma once
// A demo shop: every table of the program filled with believable rows, written through the
// table engine so that every index and counter is right. The same seed gives the same shop.
#include <QString>

#include <iterator>

namespace vidoraw {

struct AppContext;

struct DemoOptions {
    quint32 seed = 1;
    int aids = 300;      // optical aids with prices
    int doctors = 40;
    int clients = 300;
    int vouchers = 600;  // spread over the months of the billing
};

// Fills an empty data directory's tables; the modules must be registered and the database
// open in app. False with a reason when a table could not be written.
bool MakeDemoShop(AppContext& app, const DemoOptions& options, QString* error);

// A small deterministic generator (the standard distributions differ between libraries).
class DemoRandom {
public:
    explicit DemoRandom(quint32 seed) : state_(seed * 2654435761u + 0x9E3779B9u) {}
    quint32 next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    int below(int n) { return n <= 0 ? 0 : int(next() % quint32(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    template <class List> const auto& pick(const List& list) { return list[below(int(std::size(list)))]; }

private:
    quint32 state_;
};

} // namespace vidoraw

#pragma once
// A small seeded generator (splitmix64) whose sequence is the same with every
// compiler and library, so that a seed names the same schedule everywhere. (A run
// in another build can still part ways later, where the rounding of virtual time
// differs: i686 code may compute it with the x87's wider registers.)

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lantern::faults {

class SeededRandom {
public:
    explicit SeededRandom(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // A whole number in [0, count); 0 when count is 0.
    std::size_t below(std::size_t count) { return count == 0 ? 0 : static_cast<std::size_t>(next() % count); }

    // A real number in [low, high).
    double between(double low, double high) {
        const double unit = static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0);
        return low + (high - low) * unit;
    }

    bool chance(double probability) { return between(0, 1) < probability; }

    template <typename T>
    const T& pick(const std::vector<T>& items) {
        return items[below(items.size())];
    }

private:
    std::uint64_t state_;
};

}  // namespace lantern::faults

#pragma once

#include <cstdint>
#include <random>

namespace olvani {

// The random source of the question choice: uniform values 0 <= r < 1.
class Zufallsquelle {
public:
    virtual ~Zufallsquelle() = default;
    virtual double r() = 0;
};

// The program's source, seeded once per run: reseeding from the clock at
// every question would repeat the same pick within a second.
class Zufallsgenerator : public Zufallsquelle {
public:
    explicit Zufallsgenerator(std::uint64_t seed) : generator_(seed) {}

    // 53 random bits scaled into [0, 1): never 1, unlike some distributions.
    double r() override { return static_cast<double>(generator_() >> 11) * 0x1.0p-53; }

private:
    std::mt19937_64 generator_;
};

} // namespace olvani

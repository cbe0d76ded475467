#pragma once

// A random source with a fixed seed, so that every run draws the same
// questions. Standard C++ only: tests of the run use it without the windows.
#include "quiz/zufallsquelle.h"

#include <random>

namespace olvani {

class Testzufall : public Zufallsquelle {
public:
    explicit Testzufall(unsigned seed = 1) : generator_(seed) {}

    double r() override
    {
        ++gezogeneZufallswerte;
        return std::uniform_real_distribution<double>(0.0, 1.0)(generator_);
    }

    long long gezogeneZufallswerte = 0;

private:
    std::mt19937_64 generator_;
};

} // namespace olvani

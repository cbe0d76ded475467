#pragma once

namespace olvani {

// The random source of the question choice: uniform values 0 <= r < 1.
class Zufallsquelle {
public:
    virtual ~Zufallsquelle() = default;
    virtual double r() = 0;
};

} // namespace olvani

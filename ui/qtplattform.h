#pragma once

#include "plattform.h"
#include "quiz/zufallsquelle.h"

#include <random>

namespace olvani {

// The desktop behind the seam: Qt message boxes, the system beep, a clock-
// seeded generator and the end of the event loop.
class QtPlattform : public Plattform, public Zufallsquelle {
public:
    QtPlattform();

    void meldung(const std::string& text, Symbol symbol) override;
    void signalton() override;
    void beenden(int status) override;
    double r() override;

private:
    std::mt19937_64 generator_;
};

} // namespace olvani

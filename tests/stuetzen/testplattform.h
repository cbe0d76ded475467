#pragma once

#include "quiz/plattform.h"

#include <deque>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace olvani {

// Stands in for the desktop in tests: messages are recorded and dismissed at
// once, beeps counted, the end of the program recorded. Random values come
// from a queue of scripted values first, then from a seeded generator.
class Testplattform : public Plattform {
public:
    struct Meldung {
        std::string text;
        Symbol symbol;
    };

    explicit Testplattform(unsigned seed = 1) : generator_(seed) {}

    void meldung(const std::string& text, Symbol symbol) override;
    void signalton() override { ++signaltoene; }
    void beenden(int status) override { beendetMit.push_back(status); }
    double r() override;

    std::vector<Meldung> meldungen;
    int signaltoene = 0;
    std::vector<int> beendetMit;
    std::deque<double> vorgegebeneZufallswerte;
    long long gezogeneZufallswerte = 0;
    // Runs while a message is "open", to look at the windows at that moment.
    std::function<void(const Meldung&)> beiMeldung;

private:
    std::mt19937_64 generator_;
};

} // namespace olvani

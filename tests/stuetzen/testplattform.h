#pragma once

// The one stand-in for the desktop, used by the window tests, the benchmark
// and the screenshot tool. Standard C++ only, so checks without Qt can use it too.
#include "ui/plattform.h"

#include <functional>
#include <string>
#include <vector>

namespace olvani {

// Messages are recorded and dismissed at once, so no modal box ever blocks;
// beeps are counted and the end of the program recorded.
class Testplattform : public Plattform {
public:
    using Meldung = olvani::Meldung;

    void meldung(const std::string& text, Symbol symbol) override
    {
        meldungen.push_back({text, symbol});
        if (beiMeldung)
            beiMeldung(meldungen.back());
    }
    void signalton() override { ++signaltoene; }
    void beenden(int status) override { beendetMit.push_back(status); }

    std::vector<Meldung> meldungen;
    int signaltoene = 0;
    std::vector<int> beendetMit;
    // Runs while a message is "open", to look at the windows at that moment.
    std::function<void(const Meldung&)> beiMeldung;
};

} // namespace olvani

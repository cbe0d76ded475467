#include "testplattform.h"

namespace olvani {

void Testplattform::meldung(const std::string& text, Symbol symbol)
{
    meldungen.push_back({text, symbol});
    if (beiMeldung)
        beiMeldung(meldungen.back());
}

double Testplattform::r()
{
    ++gezogeneZufallswerte;
    if (!vorgegebeneZufallswerte.empty()) {
        const double wert = vorgegebeneZufallswerte.front();
        vorgegebeneZufallswerte.pop_front();
        return wert;
    }
    return std::uniform_real_distribution<double>(0.0, 1.0)(generator_);
}

} // namespace olvani

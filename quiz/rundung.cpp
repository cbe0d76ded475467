#include "rundung.h"

#include <cmath>

namespace olvani {

double rundeHalbGerade(double wert, int stellen)
{
    const double faktor = std::pow(10.0, stellen);
    const double skaliert = wert * faktor;
    const double unten = std::floor(skaliert);
    const double rest = skaliert - unten;
    double gerundet = unten;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(unten, 2.0) != 0.0))
        gerundet = unten + 1.0;
    return gerundet / faktor;
}

} // namespace olvani

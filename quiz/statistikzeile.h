#pragma once

#include "vocab/vokabeltabelle.h"

#include <string>

namespace olvani {

enum class Form { Lang, Kurz };

// Rounds to the given number of decimals, a half going to the even neighbour.
double rundeHalbGerade(double wert, int stellen);

// A rounded rate without trailing zeros, using the given decimal separator.
std::string formatiereProzent(double wert, int stellen, const std::string& dezimaltrennzeichen);

// The caption of lblInfo2 from the run counters and entry Nummer.
std::string Statistikzeile(const Vokabeltabelle& tabelle, Form form, const std::string& dezimaltrennzeichen);

} // namespace olvani

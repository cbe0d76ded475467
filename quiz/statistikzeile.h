#pragma once

#include "durchlauf.h"

#include <string>

namespace olvani {

enum class Form { Lang, Kurz };

// A rounded rate without trailing zeros, using the given decimal separator.
std::string formatiereProzent(double wert, int stellen, const std::string& dezimaltrennzeichen);

// The statistics line from the run's counters and those of entry Nummer.
std::string Statistikzeile(const Durchlauf& lauf, Form form, const std::string& dezimaltrennzeichen);

} // namespace olvani

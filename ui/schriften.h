#pragma once

#include <QFont>

namespace olvani {

// The layouts name Windows fonts; they are mapped once to installed faces
// with the same metrics (Liberation Sans stands in for Arial).
void richteSchriftenEin();

QFont schrift(const char* familie, double punkte, bool fett);

} // namespace olvani

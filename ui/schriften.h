#pragma once

#include <QFont>

namespace olvani {

// The layouts name Windows fonts; they are mapped once to installed faces
// with the same metrics (Liberation Sans stands in for Arial), and the
// application's default font becomes "MS Sans Serif" 8.25 pt. Call it once
// the QApplication exists.
void richteSchriftenEin();

QFont schrift(const char* familie, double punkte, bool fett);

} // namespace olvani

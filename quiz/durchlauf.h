#pragma once

#include "vocab/zaehler16.h"

namespace olvani {

// The state of one run that is not vocabulary: the entry asked last and the
// answers judged so far. It starts at zero with the main window and is never
// saved.
struct Durchlauf {
    Zaehler16 Nummer;  // the entry asked last, 0 before the first question
    Zaehler16 Erfolge; // correct answers, including corrected ones
    Zaehler16 Fehler;  // wrong answers; corrections can take it below zero
};

} // namespace olvani

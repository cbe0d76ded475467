#pragma once

#include "durchlauf.h"
#include "vocab/vokabeltabelle.h"

#include <string>

namespace olvani {

struct Pruefung {
    bool richtig = false;
    std::string loesung; // the entry text of the entry asked, and of every other entry holding the meaning shown
};

// Judges `getippt` as the answer to `frage` about entry n; with no question
// open (`frage` null) the answer is wrong. Counts nothing.
Pruefung pruefe(const Vokabeltabelle& tabelle, int n, const Frage* frage, const std::string& getippt);

} // namespace olvani

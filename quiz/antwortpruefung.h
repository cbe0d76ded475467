#pragma once

#include "durchlauf.h"
#include "vocab/vokabeltabelle.h"

#include <cstddef>
#include <string>
#include <vector>

namespace olvani {

// What joins the entries of a solution.
inline constexpr const char* LoesungsTrenner = " oder ";

struct Pruefung {
    bool richtig = false;
    std::string loesung; // the entry text of the entry asked, and of every other entry holding the meaning shown
    std::vector<std::size_t> eintraege; // where each entry text begins in loesung, the first at 0
};

// Judges `getippt` as the answer to `frage` about entry n; with no question
// open (`frage` null) the answer is wrong. Counts nothing.
Pruefung pruefe(const Vokabeltabelle& tabelle, int n, const Frage* frage, const std::string& getippt);

} // namespace olvani

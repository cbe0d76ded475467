#pragma once

#include "fragewahl.h"
#include "vocab/vokabeltabelle.h"

#include <cstddef>
#include <string>
#include <vector>

namespace olvani {

inline constexpr const char* FuenfmalRichtigMeldung = "Sie haben dieses Wort 5 x richtig beantwortet!";
// What joins the entries of a solution.
inline constexpr const char* LoesungsTrenner = " oder ";

// The two boxes of a question: the German side and the foreign side.
enum class Seite { Deutsch, Olvani };

// A question as the learner sees it: the direction and the foreign word or
// German meaning shown.
struct Frage {
    Richtung richtung = Richtung::Deutsch;
    std::string gezeigt;

    // The foreign word shown asks for a German meaning, and the other way round.
    Seite antwortseite() const { return richtung == Richtung::Fremdsprache ? Seite::Deutsch : Seite::Olvani; }
    Seite frageseite() const { return richtung == Richtung::Fremdsprache ? Seite::Olvani : Seite::Deutsch; }
};

struct Pruefung {
    bool richtig = false;
    std::string loesung; // the entry text of the entry asked, and of every other entry holding the meaning shown
    std::vector<std::size_t> eintraege; // where each entry text begins in loesung, the first at 0
};

// Judges `getippt` as the answer to `frage` about entry n; with no question
// open (`frage` null) the answer is wrong. Counts nothing.
Pruefung pruefe(const Vokabeltabelle& tabelle, int n, const Frage* frage, const std::string& getippt);

} // namespace olvani

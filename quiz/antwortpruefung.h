#pragma once

#include "fragewahl.h"
#include "vocab/vokabeltabelle.h"

#include <string>

namespace olvani {

inline constexpr const char* FuenfmalRichtigMeldung = "Sie haben dieses Wort 5 x richtig beantwortet!";

// A question as the learner sees it: the direction and the foreign word or
// German meaning shown.
struct Frage {
    Richtung richtung = Richtung::Deutsch;
    std::string gezeigt;
};

struct Pruefung {
    bool richtig = false;
    std::string loesung; // the entry text of the entry asked, and of every other entry holding the meaning shown
};

// Judges `getippt` as the answer to `frage` about entry n; with no question
// open (`frage` null) the answer is wrong. Counts nothing.
Pruefung pruefe(const Vokabeltabelle& tabelle, int n, const Frage* frage, const std::string& getippt);

} // namespace olvani

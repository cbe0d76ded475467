#pragma once

#include "vocab/vokabeltabelle.h"

#include <string>

namespace olvani {

inline constexpr const char* FuenfmalRichtigMeldung = "Sie haben dieses Wort 5 x richtig beantwortet!";

// The two answer boxes as the learner left them.
struct Antwortfelder {
    std::string txtDeutsch;
    bool deutschAktiv = false;
    std::string txtOlvani;
    bool olvaniAktiv = false;
};

struct Urteil {
    bool richtig = false;
    std::string lblInfo;            // "Richtig! " or "Falsch! Richtig ist " and the solution
    bool fuenftesMalRichtig = false; // show FuenfmalRichtigMeldung after lblInfo is set
    std::string lblInfo2;           // the long statistics line
};

// "Richtig?": judges the answer against entry Nummer, counts it for the entry
// and the run. The caller writes the texts, beeps on a wrong verdict and
// clears the boxes.
Urteil pruefeAntwort(Vokabeltabelle& tabelle, const Antwortfelder& felder, const std::string& dezimaltrennzeichen);

// "Doch Richtig!": moves one answer from Fehler to Erfolge and returns the
// short statistics line.
std::string DochRichtig(Vokabeltabelle& tabelle, const std::string& dezimaltrennzeichen);

// The entry text: Wort, ": " and the five meaning columns, separated by blanks.
std::string Eintragstext(const Vokabeltabelle& tabelle, int i);

} // namespace olvani

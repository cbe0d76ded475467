#pragma once

#include "durchlauf.h"
#include "vocab/vokabeltabelle.h"

#include <string>

namespace olvani {

inline constexpr const char* FuenfmalRichtigMeldung = "Sie haben dieses Wort 5 x richtig beantwortet!";

// The two sides of the question as the learner left them. The side that
// takes the answer is open; the other one holds what was shown. After a
// verdict neither side is open.
struct Antwort {
    std::string deutsch;       // German side: the meaning typed or shown
    bool deutschOffen = false; // a German meaning is the answer
    std::string olvani;        // foreign side: the word typed or shown
    bool olvaniOffen = false;  // the foreign word is the answer
};

struct Urteil {
    bool richtig = false;
    std::string verdikt;             // "Richtig! " or "Falsch! Richtig ist " and the solution
    bool fuenftesMalRichtig = false; // show FuenfmalRichtigMeldung after the verdict is shown
    std::string statistikzeile;      // the long statistics line
};

// "Richtig?": judges the answer against entry Nummer, counts it for the entry
// and the run. The caller shows the texts, beeps on a wrong verdict and
// clears the answer.
Urteil pruefeAntwort(Vokabeltabelle& tabelle, Durchlauf& lauf, const Antwort& antwort,
                     const std::string& dezimaltrennzeichen);

// "Doch Richtig!": moves one answer from Fehler to Erfolge and returns the
// short statistics line.
std::string DochRichtig(const Vokabeltabelle& tabelle, Durchlauf& lauf, const std::string& dezimaltrennzeichen);

} // namespace olvani

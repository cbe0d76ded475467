#pragma once

#include "vocab/vokabeltabelle.h"
#include "zufallsquelle.h"

#include <string>
#include <vector>

namespace olvani {

// The two sides of an entry and the two boxes that show them: the German
// meanings and the foreign word. A question shows one side and takes the
// other as its answer.
enum class Seite { Deutsch, Olvani };

// The learner's choice of the side shown, in the order of the option
// buttons: always one of the two, or each question drawn at random.
enum class Richtungswahl { Deutsch, Olvani, Zufall };

// The options of the word choice, true when ticked.
struct Optionen {
    bool ohneFuenfmalRichtige = false; // leave out entries answered correctly five times
    bool jedesWortEinmal = false;      // each entry once per round (only ohneKennung marks them)
    bool ohneKennung = false;          // leave out entries with Kennung, mark the asked ones
    bool nurVerben = false;            // verbs only
    bool klugesTraining = false;       // favour entries often answered wrongly
};

inline constexpr const char* RundenendeMeldung =
    "Alle Wörter wurden nun einmal gefragt, es beginnt nun wieder von Anfang!";
inline constexpr const char* KeineVokabelMeldung = "Keine Vokabel passt zu den gewählten Optionen!";

// R of smart training: (Fehler + Erfolge) / 50 + 1, a half rounded to the
// even neighbour. An entry with f wrong answers is accepted at a pick with
// probability min(f + 1, R + 1) / (R + 1).
int klugesTrainingR(int erfolge, int fehler);

// The side the next question shows: one draw, whatever the choice.
Seite waehleSeite(Richtungswahl wahl, Zufallsquelle& zufall);

// An entry that passes the options, drawn with the weights of smart training
// (R = r); 0, without a draw, when none passes. `gefragt` holds the asked
// marks by entry, 0..Anzahl. With the German side shown an entry without any
// meaning cannot be shown, so it does not pass either.
int waehleEintrag(const Vokabeltabelle& tabelle, const std::vector<bool>& gefragt, const Optionen& optionen,
                  Seite gezeigt, int r, Zufallsquelle& zufall);

// A uniform choice among the non-empty meaning columns of entry i, which has
// at least one.
int waehleSpalte(const Vokabeltabelle& tabelle, int i, Zufallsquelle& zufall);

} // namespace olvani

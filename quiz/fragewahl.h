#pragma once

#include "vocab/vokabeltabelle.h"
#include "zufallsquelle.h"

#include <string>
#include <vector>

namespace olvani {

// Direction of one question. Fremdsprache: the foreign word is shown and a
// German meaning is the answer; Deutsch: a German meaning is shown and the
// foreign word is the answer.
enum class Richtung { Fremdsprache, Deutsch };

// The learner's choice of direction: always one of the two, or each question
// drawn at random.
enum class Richtungswahl { Deutsch, Fremdsprache, Zufall };

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

// The direction of the next question: one draw, whatever the choice.
Richtung waehleRichtung(Richtungswahl wahl, Zufallsquelle& zufall);

// An entry that passes the options, drawn with the weights of smart training
// (R = r); 0, without a draw, when none passes. `gefragt` holds the asked
// marks by entry, 0..Anzahl. In the Deutsch direction
// an entry without any meaning cannot be shown, so it does not pass either.
int waehleEintrag(const Vokabeltabelle& tabelle, const std::vector<bool>& gefragt, const Optionen& optionen,
                  Richtung richtung, int r, Zufallsquelle& zufall);

// A uniform choice among the non-empty meaning columns of entry i, which has
// at least one.
int waehleSpalte(const Vokabeltabelle& tabelle, int i, Zufallsquelle& zufall);

} // namespace olvani

#pragma once

#include "durchlauf.h"
#include "vocab/vokabeltabelle.h"
#include "zufallsquelle.h"

#include <string>

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
    bool jedesWortEinmal = false;      // each entry once per round (needs ohneMarkierte to mark them)
    bool ohneMarkierte = false;        // leave out flagged entries, mark the asked ones
    bool nurVerben = false;            // verbs only
    bool klugesTraining = false;       // favour entries often answered wrongly
};

inline constexpr const char* RundenendeMeldung =
    "Alle Wörter wurden nun einmal gefragt, es beginnt nun wieder von Anfang!";
inline constexpr const char* KeineVokabelMeldung = "Keine Vokabel passt zu den gewählten Optionen!";

struct Frage {
    Richtung richtung = Richtung::Deutsch;
    // The round ended while choosing: show RundenendeMeldung before the
    // question is written (Gefragt has already been reset).
    bool rundeVorbei = false;
    // False when no entry passes the options: show KeineVokabelMeldung and
    // ask nothing; Nummer is unchanged.
    bool gefunden = false;
    std::string deutsch; // the German side: the meaning shown, or "" for the answer
    std::string olvani;  // the foreign side: the word shown, or "" for the answer
};

// R of smart training: (Fehler + Erfolge) / 50 + 1, a half rounded to the
// even neighbour. An entry with f wrong answers is accepted at a pick with
// probability min(f + 1, R + 1) / (R + 1).
int klugesTrainingR(const Durchlauf& lauf);

// Picks the direction and the entry of the next question, sets Nummer and,
// while ohneMarkierte is ticked, Gefragt of the entry asked.
Frage NeueAbfrage(Vokabeltabelle& tabelle, Durchlauf& lauf, Richtungswahl wahl, const Optionen& optionen,
                  Zufallsquelle& zufall);

} // namespace olvani

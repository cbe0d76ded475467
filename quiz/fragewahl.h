#pragma once

#include "vocab/vokabeltabelle.h"
#include "plattform.h"

#include <string>

namespace olvani {

// The option buttons: which side of an entry is shown.
enum class Richtungswahl { Deutsch, Olvani, Zufall }; // radDeutsch, radOlvani, radZufall

// Direction of one question. Fremdsprache: the foreign word is shown in
// txtOlvani and the German answer goes into txtDeutsch; Deutsch: a German
// meaning is shown in txtDeutsch and the foreign answer goes into txtOlvani.
enum class Richtung { Fremdsprache, Deutsch };

// The check boxes of the main window, true when checked.
struct Optionen {
    bool chkRichtig = false;        // leave out entries answered correctly five times
    bool chkWort = false;           // each entry once per round
    bool chkNeu = false;            // leave out flagged entries, mark the asked ones
    bool chkNurVerben = false;      // verbs only
    bool chkKlugesTraining = false; // favour entries often answered wrongly
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
    std::string txtDeutsch; // the new texts of the two boxes
    std::string txtOlvani;
};

// R of smart training: (Fehler + Erfolge) / 50 + 1, a half rounded to the
// even neighbour. An entry with f wrong answers is accepted at a pick with
// probability min(f + 1, R + 1) / (R + 1).
int klugesTrainingR(const Vokabeltabelle& tabelle);

// Picks the direction and the entry of the next question, sets Nummer and,
// while chkNeu is checked, Gefragt of the entry asked. Never loops without end.
Frage NeueAbfrage(Vokabeltabelle& tabelle, Richtungswahl wahl, const Optionen& optionen, Zufallsquelle& zufall);

} // namespace olvani

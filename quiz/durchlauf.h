#pragma once

#include "fragewahl.h"
#include "meldung.h"
#include "vocab/vokabeltabelle.h"
#include "vocab/zaehler16.h"
#include "zufallsquelle.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace olvani {

inline constexpr const char* FuenfmalRichtigMeldung = "Sie haben dieses Wort 5 x richtig beantwortet!";

// A question as the learner sees it: the side shown, in its box, and the
// foreign word or German meaning shown there.
struct Frage {
    Seite seite = Seite::Deutsch;
    std::string gezeigt;

    // The box that takes the answer: the side not shown.
    Seite antwortseite() const { return seite == Seite::Olvani ? Seite::Deutsch : Seite::Olvani; }
};

// What "Abfragen" brought about. The window opens the answer box of the
// question, shows the messages, then writes the question or, when none was
// found, closes both boxes again.
struct Abfrage {
    Frage frage;                    // the side shown is drawn even when nothing is found
    bool rundeVorbei = false;       // the marks were reset: RundenendeMeldung comes first
    bool gefunden = false;          // false: KeineVokabelMeldung, and no question is open
    bool beurteilbar = false;       // "Richtig?" and "Doch Richtig!" have an entry to work on
    std::vector<Meldung> meldungen; // in this order, before the question is written
};

// What "Richtig?" brought about; the window shows it in this order.
struct Urteil {
    bool richtig = false;           // false: the beep sounds after the verdict is shown
    std::string verdikt;            // "Richtig! " or "Falsch! Richtig ist " and the solution
    std::vector<std::size_t> eintraege; // where each entry of the solution begins in verdikt
    std::vector<Meldung> meldungen; // FuenfmalRichtigMeldung, after the verdict
    std::string statistikzeile;     // the long statistics line, last
};

// One learner's run over the table loaded for it, which it holds: the
// question in progress, the entries asked this round (Gefragt) and the
// answers judged (Erfolge, Fehler). Each answer is also counted for its entry
// in the table; nothing of the run is ever saved.
class Durchlauf {
public:
    // Where a run stands. Tests and measurements start from a state that
    // would take thousands of answers to reach; the program starts at zero.
    struct Stand {
        int erfolge = 0;
        int fehler = 0;
        std::vector<int> gefragt;   // entries asked this round
        int nummer = 0;             // the entry asked last
        std::optional<Frage> frage; // the question about it, still open

        Stand& mitAntworten(int e, int f) { erfolge = e; fehler = f; return *this; }
        Stand& mitGefragt(std::vector<int> g) { gefragt = std::move(g); return *this; }
        Stand& mitFrage(int n, std::optional<Frage> f) { nummer = n; frage = std::move(f); return *this; }
    };

    // Questions are drawn from `zufall`, which must outlive the run. The rate
    // in the statistics lines is written with this decimal separator, the
    // learner's regional one; tests take the German comma.
    Durchlauf(Vokabeltabelle tabelle, Zufallsquelle& zufall, std::string dezimaltrennzeichen = ",")
        : Durchlauf(std::move(tabelle), zufall, Stand(), std::move(dezimaltrennzeichen))
    {
    }
    Durchlauf(Vokabeltabelle tabelle, Zufallsquelle& zufall, const Stand& stand, std::string dezimaltrennzeichen = ",");

    // "Abfragen": draws the side shown and the entry under the options, ends
    // the round when it is due and opens the question. With ohneKennung the
    // entry is marked as asked.
    Abfrage NeueAbfrage(Richtungswahl wahl, const Optionen& optionen);
    // "Richtig?": judges the typed text as the answer to the open question
    // (wrong when none is open), counts it for entry Nummer and the run, and
    // closes the question.
    Urteil pruefeAntwort(const std::string& getippt);
    // "Doch Richtig!": moves one answer from Fehler to Erfolge and returns the
    // short statistics line.
    std::string DochRichtig();

    // The question waiting for its answer, or null.
    const Frage* offeneFrage() const { return frage_ ? &*frage_ : nullptr; }
    int Nummer() const { return nummer_; } // the entry asked last, 0 before the first question
    int Erfolge() const { return erfolge_; }
    int Fehler() const { return fehler_; }
    int Gefragt(int i) const;
    const Vokabeltabelle& tabelle() const { return tabelle_; }
    // Ends the run and hands its table back, counters and all, so that a
    // measurement can start many short runs over one large table.
    Vokabeltabelle abgeben() && { return std::move(tabelle_); }

private:
    // Side shown and entry of the next question, without what the learner is told.
    Abfrage waehle(Richtungswahl wahl, const Optionen& optionen);
    void setzeGefragtZurueck();

    Vokabeltabelle tabelle_;
    Zufallsquelle* zufall_;
    std::string dezimaltrennzeichen_;
    Zaehler16 nummer_;
    Zaehler16 erfolge_; // correct answers, including corrected ones
    Zaehler16 fehler_;  // wrong answers; corrections can take it below zero
    std::optional<Frage> frage_;
    std::vector<bool> gefragt_; // by entry, 0..Anzahl
};

} // namespace olvani

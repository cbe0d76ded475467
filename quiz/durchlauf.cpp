#include "durchlauf.h"

#include "antwortpruefung.h"
#include "statistikzeile.h"
#include "vocab/abbruch.h"

#include <algorithm>
#include <utility>

namespace olvani {

Durchlauf::Durchlauf(Vokabeltabelle tabelle, Zufallsquelle& zufall, const Stand& stand, std::string dezimaltrennzeichen)
    : tabelle_(std::move(tabelle)), zufall_(&zufall), dezimaltrennzeichen_(std::move(dezimaltrennzeichen)),
      frage_(stand.frage), gefragt_(static_cast<std::size_t>(tabelle_.Anzahl()) + 1)
{
    erfolge_ = stand.erfolge;
    fehler_ = stand.fehler;
    const auto geladen = [&](int i) {
        if (i < 1 || i > tabelle_.Anzahl())
            throw Abbruch("Interner Fehler: Vokabel Nr. " + std::to_string(i) + " ist nicht geladen.");
        return i;
    };
    if (stand.nummer != 0 || stand.frage)
        nummer_ = geladen(stand.nummer);
    for (const int i : stand.gefragt)
        gefragt_[static_cast<std::size_t>(geladen(i))] = true;
}

int Durchlauf::Gefragt(int i) const
{
    // Slots past the entries read as not asked, as the table's read as empty.
    Vokabeltabelle::pruefeIndex(i);
    return i <= tabelle_.Anzahl() && gefragt_[static_cast<std::size_t>(i)] ? 1 : 0;
}

void Durchlauf::setzeGefragtZurueck()
{
    gefragt_.assign(gefragt_.size(), false);
}

Abfrage Durchlauf::NeueAbfrage(Richtungswahl wahl, const Optionen& optionen)
{
    Abfrage abfrage = waehle(wahl, optionen);
    // Once an entry has been asked, there is one to judge and correct, with
    // or without a question open now.
    abfrage.beurteilbar = nummer_ != 0;
    if (abfrage.rundeVorbei)
        abfrage.meldungen.push_back({RundenendeMeldung, Symbol::Ausruf});
    if (!abfrage.gefunden)
        abfrage.meldungen.push_back({KeineVokabelMeldung, Symbol::Information});
    return abfrage;
}

Abfrage Durchlauf::waehle(Richtungswahl wahl, const Optionen& optionen)
{
    const Vokabeltabelle& t = tabelle_;
    Zufallsquelle& zufall = *zufall_;
    Abfrage abfrage;
    abfrage.frage.seite = waehleSeite(wahl, zufall);
    frage_.reset();
    const int anzahl = t.Anzahl();
    if (anzahl < 1)
        return abfrage;

    // Entries done this round; with "Kennung left out" and "verbs only"
    // together the non-verbs count as done too, although they are never
    // asked. Nothing changes this count while one question is chosen, so
    // checking it once here is the same as checking it at every pick, minus
    // the repeated message.
    auto erledigt = std::count(gefragt_.begin() + 1, gefragt_.end(), true);
    if (optionen.ohneKennung && optionen.nurVerben) {
        for (int i = 1; i <= anzahl; ++i)
            erledigt += t.istVerb(i) ? 0 : 1;
    }
    if (erledigt >= anzahl - 1) {
        setzeGefragtZurueck();
        abfrage.rundeVorbei = true;
    }

    const int r = klugesTrainingR(erfolge_, fehler_);
    int nummer = waehleEintrag(t, gefragt_, optionen, abfrage.frage.seite, r, zufall);
    if (nummer == 0 && optionen.jedesWortEinmal) {
        // Entries with Kennung are never asked, so with two of them the count
        // above cannot reach its mark once every other entry has been asked.
        // When the marks alone keep every entry out, the round ends here.
        std::vector<bool> vorher = std::exchange(gefragt_, std::vector<bool>(gefragt_.size()));
        nummer = waehleEintrag(t, gefragt_, optionen, abfrage.frage.seite, r, zufall);
        if (nummer != 0)
            abfrage.rundeVorbei = true;
        else
            gefragt_ = std::move(vorher);
    }
    if (nummer == 0)
        return abfrage;

    abfrage.gefunden = true;
    nummer_ = nummer;
    abfrage.frage.gezeigt = abfrage.frage.seite == Seite::Olvani
                                ? t.Wort(nummer)
                                : t.Bedeutung(nummer, waehleSpalte(t, nummer, zufall));
    if (optionen.ohneKennung)
        gefragt_[static_cast<std::size_t>(nummer)] = true;
    frage_ = abfrage.frage;
    return abfrage;
}

Urteil Durchlauf::pruefeAntwort(const std::string& getippt)
{
    const int n = nummer_;
    const Pruefung b = pruefe(tabelle_, n, offeneFrage(), getippt);
    frage_.reset();
    Urteil urteil;
    urteil.richtig = b.richtig;
    if (b.richtig) {
        tabelle_.zaehleRichtig(n);
        urteil.verdikt = "Richtig! " + b.loesung;
        ++erfolge_;
        if (tabelle_.RichtigZaehler(n) == 5)
            urteil.meldungen.push_back({FuenfmalRichtigMeldung, Symbol::Information});
    } else {
        urteil.verdikt = "Falsch! Richtig ist " + b.loesung;
        ++fehler_;
        tabelle_.zaehleFalsch(n);
    }
    const std::size_t vorspann = urteil.verdikt.size() - b.loesung.size();
    for (const std::size_t anfang : b.eintraege)
        urteil.eintraege.push_back(vorspann + anfang);
    urteil.statistikzeile = Statistikzeile(*this, Form::Lang, dezimaltrennzeichen_);
    return urteil;
}

std::string Durchlauf::DochRichtig()
{
    --fehler_;
    ++erfolge_;
    return Statistikzeile(*this, Form::Kurz, dezimaltrennzeichen_);
}

} // namespace olvani

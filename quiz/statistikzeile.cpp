#include "statistikzeile.h"

#include "rundung.h"

#include <charconv>

namespace olvani {

namespace {

// A count after a blank that stands where a minus sign would go.
std::string mitVorzeichenstelle(int wert)
{
    std::string text = wert < 0 ? "" : " ";
    text += std::to_string(wert);
    return text;
}

} // namespace

std::string formatiereProzent(double wert, int stellen, const std::string& dezimaltrennzeichen)
{
    // Adding 0.0 turns a negative zero into a plain one, so no "-0" appears.
    const double gerundet = rundeHalbGerade(wert, stellen) + 0.0;
    char puffer[64];
    const auto [ende, fehler] = std::to_chars(puffer, puffer + sizeof puffer, gerundet, std::chars_format::fixed, stellen);
    std::string text(puffer, fehler == std::errc{} ? ende : puffer);

    const std::size_t punkt = text.find('.');
    if (punkt == std::string::npos)
        return text;
    text.erase(text.find_last_not_of('0') + 1);
    if (text.size() == punkt + 1) {
        text.erase(punkt);
        return text;
    }
    return text.substr(0, punkt) + dezimaltrennzeichen + text.substr(punkt + 1);
}

std::string Statistikzeile(const Durchlauf& lauf, Form form, const std::string& dezimaltrennzeichen)
{
    const Vokabeltabelle& tabelle = lauf.tabelle();
    // Erfolge + Fehler is itself a 16-bit count of answers and must not wrap.
    Zaehler16 versuche;
    versuche = lauf.Erfolge() + lauf.Fehler();
    // "Doch Richtig!" before any answer leaves nothing to divide by; the
    // rate then reads 0.
    const double prozent = versuche == 0 ? 0.0 : 100.0 / versuche * lauf.Erfolge();
    const int stellen = form == Form::Lang ? 0 : 2;

    std::string zeile = "Versuche: " + std::to_string(versuche) + " / Erfolge: " + std::to_string(lauf.Erfolge())
                        + " (" + formatiereProzent(prozent, stellen, dezimaltrennzeichen)
                        + "%) / Fehler: " + std::to_string(lauf.Fehler())
                        + " / Wörter: " + std::to_string(tabelle.Anzahl());
    if (form == Form::Lang) {
        const int nummer = lauf.Nummer();
        zeile += " / letztes Wort richtig " + mitVorzeichenstelle(tabelle.RichtigZaehler(nummer))
                 + " / letztes Wort falsch " + mitVorzeichenstelle(tabelle.FalschZaehler(nummer));
    }
    return zeile;
}

} // namespace olvani

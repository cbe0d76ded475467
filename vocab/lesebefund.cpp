// Every sentence the file reader says to the learner is written here.
#include "lesebefund.h"

#include "textquelle.h"
#include "vokabeltabelle.h"

#include <algorithm>

namespace olvani {

namespace {

constexpr const char* Feldnamen[FelderJeDatensatz] = {
    "Wort", "erste Bedeutung", "zweite Bedeutung", "dritte Bedeutung", "vierte Bedeutung", "Kennung",
};

// How the learner is told which file is meant.
std::string dieDatei(const std::string& dateiname)
{
    return "Die Vokabel-Datei " + dateiname;
}

// "1 Feld", "7 Felder".
std::string felderText(std::size_t anzahl)
{
    return std::to_string(anzahl) + (anzahl == 1 ? " Feld" : " Felder");
}

// At most `laenge` bytes of UTF-8 text, cut before a whole character, with
// "…" when something was cut.
std::string gekuerzt(std::string text, std::size_t laenge)
{
    if (text.size() <= laenge)
        return text;
    std::size_t ende = laenge;
    while (ende > 0 && (static_cast<unsigned char>(text[ende]) & 0xC0) == 0x80)
        --ende;
    text.resize(ende);
    return text + "…";
}

// "in Zeile 3 steht im Datensatz 2 im Feld 4 (dritte Bedeutung)"
std::string stelle(Zeilennummer zeile, int satz, int feld)
{
    return "in Zeile " + std::to_string(zeile) + " steht im Datensatz " + std::to_string(satz) + " im Feld "
           + std::to_string(feld) + " (" + Feldnamen[feld - 1] + ")";
}

} // namespace

Lesebefund::Lesebefund(const std::string& dateiname) : datei_(dieDatei(dateiname)) {}

void Lesebefund::anfang(std::string_view vorschau, char trenner)
{
    trenner_ = trenner;
    const std::string_view erste = ersteZeileMitText(vorschau, &ersteZeile_.zeile);
    for (std::size_t k = 0; k < Trenner.size(); ++k)
        ersteZeile_.felder[k] = zaehleFelder(erste, Trenner[k].zeichen);
}

void Lesebefund::zeile(Zeilennummer nummer, std::string_view zeile)
{
    if (!tabzeile_ && !istLeerzeile(zeile, trenner_) && istLeerzeile(zeile, '\0'))
        tabzeile_ = Tabzeile{nummer, static_cast<std::size_t>(std::count(zeile.begin(), zeile.end(), '\t'))};
}

void Lesebefund::ungeradeZeile(Zeilennummer nummer, std::string_view ganz, std::size_t felder, bool amSatzanfang)
{
    if (amSatzanfang)
        merkeVerrutscht(nummer, felder, false);
    if (andererTrenner_ || ganz.empty())
        return;
    for (std::size_t k = 0; k < Trenner.size(); ++k)
        if (Trenner[k].zeichen != trenner_ && zaehleFelder(ganz, Trenner[k].zeichen) == FelderJeDatensatz)
            andererTrenner_ = AndererTrenner{nummer, k};
}

void Lesebefund::leerzeileAlsFeld(Zeilennummer nummer)
{
    merkeVerrutscht(nummer, 1, true);
}

void Lesebefund::merkeStreuquote(std::string_view text, Zeilennummer zeile, int satz, int feld)
{
    streuquote_ = Streuquote{zeile, satz, feld, std::string(text.substr(0, 64))};
}

void Lesebefund::merkeVerrutscht(Zeilennummer zeile, std::size_t felder, bool leer)
{
    if (!verrutscht_)
        verrutscht_ = Verrutscht{zeile, felder, leer};
}

std::string Lesebefund::leer() const
{
    return datei_ + " ist leer: sie enthält keinen einzigen Datensatz.";
}

std::string Lesebefund::unvollstaendig(Zeilennummer zeile, int satz, int feld) const
{
    return datei_ + " ist unvollständig: in Zeile " + std::to_string(zeile) + " fehlt dem Datensatz "
           + std::to_string(satz) + " das Feld " + std::to_string(feld) + " (" + Feldnamen[feld - 1] + ")."
           + hinweis(zeile);
}

std::string Lesebefund::zuViele(Zeilennummer zeile) const
{
    return datei_ + " enthält mehr als " + std::to_string(Kapazitaet) + " Vokabeln: der Datensatz "
           + std::to_string(Kapazitaet + 1) + " beginnt in Zeile " + std::to_string(zeile) + "." + hinweis(zeile);
}

std::string Lesebefund::keinText(Zeilennummer zeile, int satz, int feld, bool wieUtf16OhneBom) const
{
    std::string meldung = datei_ + " ist keine Textdatei: " + stelle(zeile, satz, feld) + " ein Nullzeichen.";
    if (wieUtf16OhneBom)
        meldung += " Sie sieht aus wie UTF-16 ohne Byte-Order-Mark (BOM); UTF-16 liest der Trainer nur mit BOM, "
                   "wie „Unicode-Text“ ihn schreibt.";
    return meldung;
}

std::string Lesebefund::streuquoteMeldung(bool cp1252) const
{
    const Streuquote& q = *streuquote_;
    std::string gesehen;
    if (cp1252)
        haengeCp1252An(gesehen, q.text);
    else
        gesehen = q.text;
    return datei_ + " ist fehlerhaft: " + stelle(q.zeile, q.satz, q.feld)
           + " nach dem schließenden Anführungszeichen noch „" + gekuerzt(gesehen, 40)
           + "“. Ein Anführungszeichen in einem Feld in Anführungszeichen wird doppelt geschrieben: "
             "\"sagen \"\"ja\"\"\" steht für sagen \"ja\"."
           + zelleMitUmbruch(q.zeile - 1);
}

std::string Lesebefund::nichtGeoeffnet(const std::string& pfad)
{
    return dieDatei(pfad) + " kann nicht geöffnet werden.";
}

std::string Lesebefund::nichtGelesen(const std::string& pfad)
{
    return dieDatei(pfad) + " kann nicht gelesen werden.";
}

// More sentences for a message about line `zeile`: where the records first
// stopped matching the lines, a line that looks blank but holds tabs, a
// quoted field that went on past its line, and which separator would have
// fitted.
std::string Lesebefund::hinweis(Zeilennummer zeile) const
{
    std::string text;
    if (verrutscht_ && verrutscht_->zeile < zeile) {
        const Verrutscht& v = *verrutscht_;
        text += " Verrutscht ist das schon in Zeile " + std::to_string(v.zeile) + ": ";
        if (v.leer) {
            text += "eine Leerzeile zählt als ein leeres Feld.";
        } else if (andererTrenner_ && v.zeile == ersteZeile_.zeile) {
            // The separator was chosen from this line: count its fields with
            // the one the file seems to use.
            const std::size_t n = ersteZeile_.felder[andererTrenner_->trenner];
            text += std::string(n == 1 ? "dort steht mit " : "dort stehen mit ")
                    + Trenner[andererTrenner_->trenner].name + " " + felderText(n) + " statt sechs.";
        } else {
            text += std::string(v.felder == 1 ? "dort steht " : "dort stehen ") + felderText(v.felder)
                    + " statt sechs.";
        }
    }
    if (tabzeile_ && tabzeile_->zeile <= zeile) {
        const std::size_t n = tabzeile_->tabs;
        text += " Zeile " + std::to_string(tabzeile_->zeile) + " sieht leer aus, enthält aber "
                + (n == 1 ? std::string("einen Tabulator") : std::to_string(n) + " Tabulatoren")
                + ": das sind " + std::to_string(n + 1) + " leere Felder.";
    }
    text += zelleMitUmbruch(zeile);
    if (andererTrenner_) {
        text += std::string(" Mit ") + Trenner[andererTrenner_->trenner].name + " als Trenner hätte Zeile "
                + std::to_string(andererTrenner_->zeile)
                + " sechs Felder; der Trenner richtet sich nach der ersten Zeile";
        text += ersteZeile_.zeile > 1 ? " mit Text, Zeile " + std::to_string(ersteZeile_.zeile) + "," : ",";
        text += std::string(" und die wird mit ") + trennerName(trenner_) + " gelesen.";
    }
    return text;
}

// A quoted field that reached its line end, at or before line `zeile`: a
// cell that holds a line break.
std::string Lesebefund::zelleMitUmbruch(Zeilennummer zeile) const
{
    if (!offeneQuote_ || *offeneQuote_ > zeile)
        return {};
    return " In Zeile " + std::to_string(*offeneQuote_)
           + " beginnt ein Feld in Anführungszeichen, das erst nach dem Zeilenende schließt: wohl eine "
             "Tabellenzelle mit Zeilenumbruch. Der Trainer liest jede Zeile für sich; schreib den Text der "
             "Zelle in eine Zeile.";
}

} // namespace olvani

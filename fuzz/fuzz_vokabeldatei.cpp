// libFuzzer target for the vocabulary file reader. Beyond not crashing, every
// input must give either a table that keeps the reader's promises or one
// Abbruch that points into the input; for text files (no null character, no
// Ctrl-Z, whole UTF-16), a predictor written apart from the reader knows the
// table or the kind of refusal exactly. The rules it follows are in the
// README, section "The file reader's rules"; the comments below name which.
#include "vocab/abbruch.h"
#include "vocab/vokabeldatei.h"
#include "vocab/vokabeltabelle.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

void verlange(bool bedingung, const char* was, std::string_view zusatz = {})
{
    if (bedingung)
        return;
    std::fprintf(stderr, "Verletzt: %s %.*s\n", was, static_cast<int>(zusatz.size()), zusatz.data());
    std::abort();
}

// Plain UTF-8 check, written apart from the reader's own so that the two do
// not share a mistake.
bool istUtf8(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t n;
        char32_t cp;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            n = 2, cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            n = 3, cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            n = 4, cp = c & 0x07;
        } else {
            return false;
        }
        if (s.size() - i < n)
            return false;
        for (std::size_t k = 1; k < n; ++k) {
            const auto f = static_cast<unsigned char>(s[i + k]);
            if ((f & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (f & 0x3F);
        }
        const char32_t kleinster[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < kleinster[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += n;
    }
    return true;
}

// Windows-1252 to UTF-8; the five bytes the code page leaves open keep their
// value as C1 controls.
std::string ausCp1252(std::string_view s)
{
    static constexpr char16_t obere[32] = {
        0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
    std::string aus;
    for (const char z : s) {
        const auto b = static_cast<unsigned char>(z);
        const char32_t cp = b >= 0x80 && b < 0xA0 ? obere[b - 0x80] : b;
        if (cp < 0x80) {
            aus += static_cast<char>(cp);
        } else if (cp < 0x800) {
            aus += static_cast<char>(0xC0 | (cp >> 6));
            aus += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            aus += static_cast<char>(0xE0 | (cp >> 12));
            aus += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            aus += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return aus;
}

void alsUtf8(std::string& aus, char32_t cp)
{
    if (cp < 0x80) {
        aus += static_cast<char>(cp);
    } else if (cp < 0x800) {
        aus += static_cast<char>(0xC0 | (cp >> 6));
        aus += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        aus += static_cast<char>(0xE0 | (cp >> 12));
        aus += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        aus += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        aus += static_cast<char>(0xF0 | (cp >> 18));
        aus += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        aus += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        aus += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool istUtf16(std::string_view s) { return s.starts_with("\xFF\xFE") || s.starts_with("\xFE\xFF"); }

// A UTF-16 file (mark first) as UTF-8; `heil` tells whether every unit was
// whole: no unpaired surrogate, no lone last byte (each becomes U+FFFD).
std::string ausUtf16(std::string_view s, bool& heil)
{
    const bool gross = s.starts_with("\xFE\xFF");
    s.remove_prefix(2);
    std::vector<char32_t> einheiten;
    for (std::size_t i = 0; i + 1 < s.size(); i += 2) {
        const auto a = static_cast<unsigned char>(s[i]), b = static_cast<unsigned char>(s[i + 1]);
        einheiten.push_back(gross ? (a << 8 | b) : (b << 8 | a));
    }
    heil = s.size() % 2 == 0;
    std::string aus;
    for (std::size_t k = 0; k < einheiten.size(); ++k) {
        const char32_t u = einheiten[k];
        if (u >= 0xD800 && u < 0xDC00 && k + 1 < einheiten.size() && einheiten[k + 1] >= 0xDC00
            && einheiten[k + 1] < 0xE000) {
            alsUtf8(aus, 0x10000 + ((u - 0xD800) << 10) + (einheiten[k + 1] - 0xDC00));
            ++k;
        } else if (u >= 0xD800 && u < 0xE000) {
            heil = false;
            alsUtf8(aus, 0xFFFD);
        } else {
            alsUtf8(aus, u);
        }
    }
    if (s.size() % 2 != 0)
        alsUtf8(aus, 0xFFFD);
    return aus;
}

// The text the lines are counted in: UTF-16 decoded, any other mark dropped.
std::string textDerDatei(std::string_view s)
{
    bool heil = true;
    if (istUtf16(s))
        return ausUtf16(s, heil);
    if (s.starts_with("\xEF\xBB\xBF"))
        s.remove_prefix(3);
    return std::string(s);
}

bool istZeilenende(char c) { return c == '\r' || c == '\n'; }

// The lines of the input (the rule on line ends).
std::vector<std::string_view> zeilen(std::string_view s)
{
    std::vector<std::string_view> aus;
    std::size_t anfang = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (!istZeilenende(s[i]))
            continue;
        aus.push_back(s.substr(anfang, i - anfang));
        if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n')
            ++i;
        anfang = i + 1;
    }
    aus.push_back(s.substr(anfang));
    return aus;
}

struct Datensatz {
    std::array<std::string, 6> felder;
};

bool istBlank(char c, char trenner) { return (c == ' ' || c == '\t') && c != trenner; }

// The fields of one line with separator `trenner` (the rules on blanks,
// quoted and unquoted fields); text after a closing quote sets `streu`.
std::vector<std::string> felderDerZeile(std::string_view zeile, char trenner, bool& streu)
{
    std::vector<std::string> aus;
    std::size_t i = 0;
    for (;;) {
        while (i < zeile.size() && istBlank(zeile[i], trenner))
            ++i;
        std::string wert;
        if (i < zeile.size() && zeile[i] == '"') {
            for (++i; i < zeile.size(); ++i) {
                if (zeile[i] != '"') {
                    wert += zeile[i];
                } else if (i + 1 < zeile.size() && zeile[i + 1] == '"') {
                    wert += '"';
                    ++i;
                } else {
                    ++i;
                    break;
                }
            }
            for (; i < zeile.size() && zeile[i] != trenner; ++i)
                streu = streu || !istBlank(zeile[i], trenner);
        } else {
            const std::size_t anfang = i;
            while (i < zeile.size() && zeile[i] != trenner)
                ++i;
            std::size_t ende = i;
            while (ende > anfang && istBlank(zeile[ende - 1], trenner))
                --ende;
            wert = zeile.substr(anfang, ende - anfang);
        }
        aus.push_back(std::move(wert));
        if (i >= zeile.size())
            return aus;
        ++i;
    }
}

std::size_t anzahlFelder(std::string_view zeile, char trenner)
{
    bool streu = false;
    return felderDerZeile(zeile, trenner, streu).size();
}

bool istLeer(std::string_view zeile, char trenner)
{
    for (const char c : zeile)
        if (!istBlank(c, trenner))
            return false;
    return true;
}

// The separator the first line chooses (the first rule).
char trennerDerErstenZeile(const std::vector<std::string_view>& zeilen)
{
    if (zeilen.empty())
        return ',';
    std::string_view zeile = zeilen.front();
    for (const std::string_view z : zeilen)
        if (!istLeer(z, '\0')) {
            zeile = z;
            break;
        }
    if (anzahlFelder(zeile, ',') % 6 == 0)
        return ',';
    if (anzahlFelder(zeile, ';') == 6)
        return ';';
    if (anzahlFelder(zeile, '\t') == 6)
        return '\t';
    return ',';
}

enum class Ausgang { Geladen, Leer, Unvollstaendig, ZuViele, Streuquote };

struct Lesart {
    Ausgang ausgang = Ausgang::Geladen;
    std::vector<Datensatz> saetze;
};

// One reading of the lines with one separator (the rules on records and
// blank lines).
Lesart lies(const std::vector<std::string_view>& zeilen, char trenner)
{
    Lesart l;
    Datensatz offen;
    std::size_t felder = 0, zurueck = 0;
    bool streu = false;
    const auto feld = [&](std::string wert) {
        if (felder == 0 && l.saetze.size() == static_cast<std::size_t>(olvani::Kapazitaet))
            return false;
        offen.felder[felder] = std::move(wert);
        if (++felder == 6) {
            l.saetze.push_back(offen);
            felder = 0;
        }
        return true;
    };
    for (const std::string_view zeile : zeilen) {
        if (felder == 0 && istLeer(zeile, trenner)) {
            ++zurueck;
            continue;
        }
        for (; zurueck > 0; --zurueck)
            if (!feld({}))
                return {Ausgang::ZuViele, {}};
        for (std::string& wert : felderDerZeile(zeile, trenner, streu))
            if (!feld(std::move(wert)))
                return {Ausgang::ZuViele, {}};
    }
    if (l.saetze.empty() && felder == 0)
        l.ausgang = Ausgang::Leer;
    else if (streu)
        l.ausgang = Ausgang::Streuquote;
    else if (felder != 0)
        l.ausgang = Ausgang::Unvollstaendig;
    return l;
}

struct Vorhersage {
    Lesart lesart;
    bool mitKomma = false; // the first line's separator refused, the comma read it
};

// The reading of a decoded text, with the comma after a refused semicolon or
// tab reading (the second rule).
Vorhersage sage(std::string_view text)
{
    std::vector<std::string_view> z = zeilen(text);
    if (!z.empty() && z.back().empty())
        z.pop_back(); // a line end as the very last character
    const char trenner = trennerDerErstenZeile(z);
    Vorhersage v{lies(z, trenner)};
    if (v.lesart.ausgang != Ausgang::Geladen && v.lesart.ausgang != Ausgang::Leer && trenner != ',') {
        Lesart komma = lies(z, ',');
        if (komma.ausgang == Ausgang::Geladen) {
            v.lesart = std::move(komma);
            v.mitKomma = true;
        }
    }
    return v;
}

// The text the predictor knows the outcome for, decoded to UTF-8, and
// whether its bytes were Windows-1252; nothing for a file with a null
// character, a Ctrl-Z, broken UTF-16 or a mark before broken UTF-8.
std::optional<std::string> vorhersagbarerText(std::string_view eingabe)
{
    if (eingabe.find('\x1A') != std::string_view::npos)
        return std::nullopt;
    std::string text;
    if (istUtf16(eingabe)) {
        bool heil = true;
        text = ausUtf16(eingabe, heil);
        if (!heil)
            return std::nullopt;
    } else if (eingabe.starts_with("\xEF\xBB\xBF")) {
        text = eingabe.substr(3);
        if (!istUtf8(text))
            return std::nullopt;
    } else {
        text = istUtf8(eingabe) ? std::string(eingabe) : ausCp1252(eingabe);
    }
    if (text.find('\0') != std::string::npos || text.find('\x1A') != std::string::npos)
        return std::nullopt;
    return text;
}

void pruefeTabelle(std::string_view eingabe, const olvani::Vokabeltabelle& t)
{
    const int anzahl = t.Anzahl();
    verlange(anzahl >= 1 && anzahl <= olvani::Kapazitaet, "Anzahl ausserhalb 1..10000");

    // Every record takes six fields, and every field but the last ends at a
    // comma or a line end.
    std::size_t trenner = 0, einsen = 0;
    for (const char c : eingabe) {
        trenner += c == ',' || c == ';' || c == '\t' || c == '\n' || c == '\r';
        einsen += c == '1';
    }
    verlange(6 * static_cast<std::size_t>(anzahl) <= trenner + 1, "mehr Datensaetze als Felder");

    std::size_t kennungen = 0;
    for (int i = 1; i <= anzahl; ++i) {
        verlange(istUtf8(t.Wort(i)), "Wort kein UTF-8");
        verlange(t.Bedeutung(i, 0).empty(), "Spalte 0 nicht leer");
        verlange(t.Bedeutung(i, 5).empty(), "Spalte 5 nicht leer");
        for (int spalte = 1; spalte <= 4; ++spalte) {
            const std::string& b = t.Bedeutung(i, spalte);
            verlange(b != "@", "Bedeutung ist \"@\"");
            verlange(istUtf8(b), "Bedeutung kein UTF-8");
            verlange(b.find_first_of("\r\n") == std::string::npos, "Zeilenende in einer Bedeutung");
        }
        verlange(t.Wort(i).find_first_of("\r\n") == std::string::npos, "Zeilenende im Wort");
        for (int spalte = 0; spalte <= 4; ++spalte) {
            const std::string& text = spalte == 0 ? t.Wort(i) : t.Bedeutung(i, spalte);
            verlange(text.find('\0') == std::string::npos, "Nullzeichen in einem Text");
        }
        verlange(t.RichtigZaehler(i) == 0 && t.FalschZaehler(i) == 0, "Zaehler nicht 0");
        kennungen += t.Kennung(i) ? 1 : 0;
    }
    // A flag is set only by a field "1", so never more often than there are
    // ones in the file.
    verlange(kennungen <= einsen, "Kennung ohne eine 1 in der Datei");

    // For text files the result is known exactly.
    const auto text = vorhersagbarerText(eingabe);
    if (!text)
        return;
    const Vorhersage v = sage(*text);
    verlange(v.lesart.ausgang == Ausgang::Geladen, "geladen, die Vorhersage lehnt ab");
    verlange(static_cast<std::size_t>(anzahl) == v.lesart.saetze.size(), "Anzahl der Vorhersage");
    for (int i = 1; i <= anzahl; ++i) {
        const Datensatz& d = v.lesart.saetze[static_cast<std::size_t>(i - 1)];
        verlange(t.Wort(i) == d.felder[0], "Wort der Vorhersage", d.felder[0]);
        for (std::size_t k = 1; k <= 4; ++k) {
            const std::string erwartet = d.felder[k] == "@" ? std::string() : d.felder[k];
            verlange(t.Bedeutung(i, static_cast<int>(k)) == erwartet, "Bedeutung der Vorhersage", d.felder[k]);
        }
        verlange(t.Kennung(i) == (d.felder[5] == "1"), "Kennung der Vorhersage", d.felder[5]);
    }
}

void pruefeFehler(std::string_view eingabe, std::string_view meldung)
{
    verlange(istUtf8(meldung), "Meldung kein UTF-8");
    verlange(meldung.find("olvani.txt") != std::string_view::npos, "Meldung ohne Dateinamen", meldung);
    const std::size_t z = meldung.find("Zeile ");
    if (z == std::string_view::npos) {
        // Only a file without any field may fail without a line: nothing
        // but blanks and line ends besides a mark and a closing Ctrl-Z.
        const std::string text = textDerDatei(eingabe);
        std::string_view rest = text;
        if (rest.ends_with('\x1A'))
            rest.remove_suffix(1);
        verlange(rest.find_first_not_of(" \t\r\n") == std::string_view::npos, "Fehler ohne Zeile", meldung);
        return;
    }
    std::size_t p = z + 6;
    long zeile = 0;
    while (p < meldung.size() && meldung[p] >= '0' && meldung[p] <= '9' && zeile < 100'000'000)
        zeile = zeile * 10 + (meldung[p++] - '0');
    verlange(p > z + 6, "Zeile ohne Zahl", meldung);
    const long letzte = static_cast<long>(zeilen(textDerDatei(eingabe)).size());
    verlange(zeile >= 1 && zeile <= letzte, "Zeile ausserhalb der Eingabe", meldung);

    // For text files the kind of refusal is known.
    const auto text = vorhersagbarerText(eingabe);
    if (!text)
        return;
    const auto enthaelt = [&](const char* teil) { return meldung.find(teil) != std::string_view::npos; };
    switch (sage(*text).lesart.ausgang) {
    case Ausgang::Geladen:
        verlange(false, "abgelehnt, die Vorhersage laedt:", meldung);
        break;
    case Ausgang::Leer:
        verlange(enthaelt(" ist leer:"), "nicht leer, wie vorhergesagt:", meldung);
        break;
    case Ausgang::Unvollstaendig:
        verlange(enthaelt(" ist unvollständig:"), "nicht unvollstaendig, wie vorhergesagt:", meldung);
        break;
    case Ausgang::ZuViele:
        verlange(enthaelt(" mehr als 10000 Vokabeln"), "nicht zu viele, wie vorhergesagt:", meldung);
        break;
    case Ausgang::Streuquote:
        verlange(enthaelt("nach dem schließenden Anführungszeichen"), "keine Streuquote, wie vorhergesagt:", meldung);
        break;
    }
}

// Blank lines after the last complete record are no data: appending some to
// a file that loads changes nothing. (After a closing Ctrl-Z they would be
// data, so such files are left out.)
// A file read with commas because its first line's separator refused it is
// left out too: blank lines at its end may complete the last record of that
// other reading, which then stands.
void pruefeLeerzeilenAmEnde(std::string_view eingabe, const olvani::Vokabeltabelle& t)
{
    if (eingabe.find('\x1A') != std::string_view::npos)
        return;
    const auto text = vorhersagbarerText(eingabe);
    if (text ? sage(*text).mitKomma : trennerDerErstenZeile(zeilen(textDerDatei(eingabe))) != ',')
        return;
    std::string anhang = "\r\n \r\n";
    if (istUtf16(eingabe)) {
        if (eingabe.size() % 2 != 0)
            return;
        const bool gross = eingabe.starts_with("\xFE\xFF");
        std::string breit;
        for (const char c : anhang)
            breit += gross ? std::string{'\0', c} : std::string{c, '\0'};
        anhang = breit;
    }
    const std::string laenger = std::string(eingabe) + anhang;
    olvani::Vokabeltabelle u;
    try {
        u = olvani::liesVokabeln(laenger, "olvani.txt");
    } catch (const olvani::Abbruch& fehler) {
        verlange(false, "Leerzeilen am Ende machen die Datei kaputt:", fehler.what());
    }
    const int n = t.Anzahl();
    verlange(u.Anzahl() == n, "Leerzeilen am Ende aendern die Anzahl");
    verlange(u.Wort(n) == t.Wort(n) && u.Bedeutung(n, 4) == t.Bedeutung(n, 4) && u.Kennung(n) == t.Kennung(n),
             "Leerzeilen am Ende aendern den letzten Datensatz");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse)
{
    const std::string_view eingabe(reinterpret_cast<const char*>(daten), groesse);
    // A null character is no text: such a file never loads. (Too short here
    // for another refusal, a 10001st record, to come first.)
    const bool mitNull = textDerDatei(eingabe).find('\0') != std::string::npos;
    try {
        const olvani::Vokabeltabelle t = olvani::liesVokabeln(eingabe, "olvani.txt");
        verlange(!mitNull, "Datei mit Nullzeichen geladen");
        pruefeTabelle(eingabe, t);
        pruefeLeerzeilenAmEnde(eingabe, t);
    } catch (const olvani::Abbruch& fehler) {
        pruefeFehler(eingabe, fehler.what());
        verlange(!mitNull || std::string_view(fehler.what()).find("keine Textdatei") != std::string_view::npos,
                 "Nullzeichen nicht als solches gemeldet:", fehler.what());
    }
    // Any other exception escapes and counts as a finding.
    return 0;
}

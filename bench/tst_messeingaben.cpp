// The generated vocabulary files must have the form a learner's file has and
// must make the situations the measurements claim to measure; otherwise the
// figures mean nothing. Each check also reads them back through the loader.

#include "quiz/durchlauf.h"
#include "vocab/vokabeldatei.h"
#include "eingaben.h"
#include "tests/stuetzen/testzufall.h"

#include <cstdio>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace olvani;

int fehler = 0;

void pruefe(bool bedingung, const std::string& was)
{
    if (!bedingung) {
        std::fprintf(stderr, "FAIL: %s\n", was.c_str());
        ++fehler;
    }
}

struct Satz {
    std::string wort;
    std::vector<std::string> bedeutungen; // four fields, "@" kept
    std::string kennung;
};

// Splits the file in the one form it is meant to have, and fails on any other.
std::vector<Satz> zerlege(const std::string& datei)
{
    std::vector<Satz> saetze;
    std::size_t pos = 0;
    while (pos < datei.size()) {
        const std::size_t ende = datei.find("\r\n", pos);
        if (ende == std::string::npos) {
            pruefe(false, "last line ends in CR LF");
            break;
        }
        std::string_view zeile(datei.data() + pos, ende - pos);
        pos = ende + 2;
        std::vector<std::string> felder;
        while (!zeile.empty()) {
            const std::size_t zu = zeile.find('"', 1);
            if (zeile.front() != '"' || zu == std::string_view::npos) {
                pruefe(false, "every field quoted: " + std::string(zeile));
                break;
            }
            felder.emplace_back(zeile.substr(1, zu - 1));
            zeile.remove_prefix(zu + 1);
            if (!zeile.empty() && zeile.front() == ',')
                zeile.remove_prefix(1);
        }
        if (felder.size() != 6) {
            pruefe(false, "six fields in line " + std::to_string(saetze.size() + 1));
            continue;
        }
        saetze.push_back({felder[0], {felder.begin() + 1, felder.begin() + 5}, felder[5]});
    }
    return saetze;
}

// The umlauts of the file are Windows-1252 bytes; the table holds UTF-8.
std::string utf8(const std::string& cp1252)
{
    std::string text;
    for (const char c : cp1252) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            text += c;
        } else {
            text += static_cast<char>(0xC0 | (b >> 6));
            text += static_cast<char>(0x80 | (b & 0x3F));
        }
    }
    return text;
}

void formUndInhalt()
{
    const std::string datei = messung::vokabeldatei(10000);
    pruefe(datei == messung::vokabeldatei(10000), "the same bytes on every call");
    const std::vector<Satz> saetze = zerlege(datei);
    pruefe(saetze.size() == 10000, "10000 records");

    int verben = 0, mitKennung = 0, umlaute = 0;
    std::map<int, int> nachBelegung;
    for (const Satz& s : saetze) {
        verben += s.wort.starts_with('-') ? 1 : 0;
        mitKennung += s.kennung == "1" ? 1 : 0;
        pruefe(s.kennung == "1" || s.kennung == "0", "Kennung is \"0\" or \"1\"");
        pruefe(s.wort.size() >= 4 && s.wort.size() <= 13, "word of realistic length: " + s.wort);
        int belegt = 0;
        for (const std::string& b : s.bedeutungen) {
            if (b == "@")
                continue;
            pruefe(belegt == static_cast<int>(&b - s.bedeutungen.data()), "absent meanings come last");
            ++belegt;
            pruefe(b.size() >= 2 && b.size() <= 40, "meaning of realistic length: " + b);
            for (const char c : b) {
                const auto byte = static_cast<unsigned char>(c);
                if (byte >= 0x80) {
                    ++umlaute;
                    pruefe(std::string_view("\xE4\xF6\xFC\xDF\xC4\xD6\xDC").find(c) != std::string_view::npos,
                           "only Windows-1252 umlauts");
                }
            }
        }
        ++nachBelegung[belegt];
    }
    pruefe(verben > 1500 && verben < 2500, "about a fifth are verbs: " + std::to_string(verben));
    pruefe(mitKennung > 1000 && mitKennung < 2000, "about 15 % with Kennung: " + std::to_string(mitKennung));
    pruefe(umlaute > 2000, "umlauts are common: " + std::to_string(umlaute));
    for (int k = 1; k <= 4; ++k)
        pruefe(nachBelegung[k] > 500, "records with " + std::to_string(k) + " meanings");
    pruefe(nachBelegung.size() == 4, "1 to 4 meanings, nothing else");

    // Read back: the loader sees what was written, umlauts decoded.
    const Vokabeltabelle t = liesVokabeln(datei, "olvani.txt");
    pruefe(t.Anzahl() == static_cast<int>(saetze.size()), "all records loaded");
    for (int i = 1; i <= t.Anzahl() && i <= static_cast<int>(saetze.size()); ++i) {
        const Satz& s = saetze[static_cast<std::size_t>(i - 1)];
        bool gleich = t.Wort(i) == utf8(s.wort) && t.Kennung(i) == (s.kennung == "1")
                      && t.istVerb(i) == s.wort.starts_with('-') && t.Bedeutung(i, 5).empty();
        for (int k = 1; k <= 4; ++k) {
            const std::string& b = s.bedeutungen[static_cast<std::size_t>(k - 1)];
            gleich = gleich && t.Bedeutung(i, k) == (b == "@" ? std::string() : utf8(b));
        }
        pruefe(gleich, "entry " + std::to_string(i) + " as written");
    }

    // The usual question: a meaning is shared by few entries, but by some.
    std::map<std::string, int> haeufigkeit;
    int bedeutungen = 0;
    for (int i = 1; i <= t.Anzahl(); ++i)
        for (int k = 1; k <= 4; ++k)
            if (!t.Bedeutung(i, k).empty()) {
                ++haeufigkeit[t.Bedeutung(i, k)];
                ++bedeutungen;
            }
    double mitgeteilt = 0;
    for (const auto& [text, anzahl] : haeufigkeit)
        mitgeteilt += static_cast<double>(anzahl) * (anzahl - 1);
    mitgeteilt /= bedeutungen;
    pruefe(mitgeteilt > 0.5 && mitgeteilt < 5, "a shown meaning is shared by a few entries: "
                                                   + std::to_string(mitgeteilt));
}

void einzigesVerb()
{
    const std::string datei = messung::vokabeldateiMitEinemVerb(10000, 5017);
    pruefe(datei != messung::vokabeldatei(10000), "a file of its own");
    Vokabeltabelle t = liesVokabeln(datei, "olvani.txt");
    int verben = 0;
    for (int i = 1; i <= t.Anzahl(); ++i)
        verben += t.istVerb(i) ? 1 : 0;
    pruefe(verben == 1 && t.istVerb(5017), "exactly one verb, entry 5017");

    Testzufall zufall;
    Durchlauf lauf(t);
    Optionen nurVerben;
    nurVerben.nurVerben = true;
    for (int k = 0; k < 50; ++k) {
        const Abfrage a = lauf.NeueAbfrage(Richtungswahl::Zufall, nurVerben, zufall);
        pruefe(a.gefunden && lauf.Nummer() == 5017, "verbs only asks the one verb");
    }
}

void alleTeilen()
{
    Vokabeltabelle t = liesVokabeln(messung::vokabeldateiAlleMit(10000, "Haus"), "olvani.txt");
    int andere = 0;
    for (int i = 1; i <= t.Anzahl(); ++i) {
        int spalten = 0;
        for (int k = 1; k <= 4; ++k)
            spalten += t.Bedeutung(i, k) == "Haus" ? 1 : 0;
        pruefe(spalten >= 1, "entry " + std::to_string(i) + " holds the shared meaning");
        andere += i == 1 ? 0 : spalten;
    }

    // Entry 1 asked with "Haus" shown; the word of entry 2 is right too.
    Durchlauf lauf(t, Durchlauf::Stand().mitFrage(1, Frage{Richtung::Deutsch, "Haus"}));
    const Urteil u = lauf.pruefeAntwort(t.Wort(2), ",");
    std::size_t oder = 0;
    for (std::size_t p = u.verdikt.find(" oder "); p != std::string::npos; p = u.verdikt.find(" oder ", p + 1))
        ++oder;
    pruefe(u.richtig, "another entry's word is right");
    pruefe(oder >= static_cast<std::size_t>(andere), "the solution lists every other entry: "
                                                         + std::to_string(oder) + " of " + std::to_string(andere));
}

} // namespace

int main()
{
    formUndInhalt();
    einzigesVerb();
    alleTeilen();
    if (fehler == 0)
        std::puts("tst_messeingaben: all checks passed");
    return fehler == 0 ? 0 : 1;
}

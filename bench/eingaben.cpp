// Vocabulary files for the measurements, made from a fixed seed so every run
// measures the same bytes. They have the form a learner's file has: one
// record a line, six quoted fields, "@" for absent meanings, CR LF, and
// Windows-1252 umlauts.

#include "eingaben.h"

#include "vocab/vokabeltabelle.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace olvani::messung {

namespace {

// xorshift64*: cheap, and the same on every machine.
class Zufall {
public:
    explicit Zufall(std::uint64_t seed) : zustand_(seed ? seed : 1) {}

    std::uint64_t naechste()
    {
        zustand_ ^= zustand_ >> 12;
        zustand_ ^= zustand_ << 25;
        zustand_ ^= zustand_ >> 27;
        return zustand_ * 0x2545F4914F6CDD1DULL;
    }
    // 0 <= wert < grenze
    int bis(int grenze) { return static_cast<int>(naechste() % static_cast<std::uint64_t>(grenze)); }
    bool mitAnteil(double anteil) { return static_cast<double>(naechste() >> 11) * 0x1.0p-53 < anteil; }

    template <std::size_t N>
    std::string_view aus(const std::array<std::string_view, N>& liste)
    {
        return liste[static_cast<std::size_t>(bis(static_cast<int>(N)))];
    }

private:
    std::uint64_t zustand_;
};

// Windows-1252 bytes of the umlauts, as an editor on Windows writes them.
#define AE "\xE4"
#define OE "\xF6"
#define UE "\xFC"
#define SZ "\xDF"
#define OE_GROSS "\xD6"

constexpr std::array<std::string_view, 24> Silben = {
    "ka", "lo", "vra", "mi", "tse", "orn", "ul", "bek", "zai", "ru", "fen", "dro",
    "is", "ma", "ven", "tho", "qua", "el", "sar", "ny", "gor", "ash", "pel", "ik",
};

constexpr std::array<std::string_view, 40> Stamm = {
    "Haus", "T" UE "r", "Garten", "B" AE "cker", "Stra" SZ "e", "Br" UE "cke", "Wasser", "H" UE "tte",
    "K" UE "hl", "Schrank", "M" UE "ll", OE_GROSS "l", "Fu" SZ, "Ball", "Gem" UE "se", "Sprache",
    "Zeit", "W" OE "rter", "Buch", "Lehrer", "Sch" UE "ler", "Fahrt", "Zug", "Bahn",
    "Blume", "Fr" UE "hling", "K" AE "se", "Br" OE "tchen", "Schl" UE "ssel", "M" AE "dchen", "Feuer", "Stein",
    "Wald", "B" AE "r", "Vogel", "Gr" OE SZ "e", "Himmel", "Kirche", "Stadt", "Fl" UE "gel",
};

constexpr std::array<std::string_view, 24> Nachsilbe = {
    "t" UE "r", "haus", "garten", "stra" SZ "e", "wasser", "zeit", "buch", "fahrt",
    "zug", "stein", "wald", "feuer", "k" OE "nig", "st" UE "ck", "l" AE "nge", "platz",
    "ger" AE "t", "m" UE "tze", "schl" UE "ssel", "lehrer", "bahn", "h" UE "tte", "kreis", "feld",
};

constexpr std::array<std::string_view, 8> Endung = {"", "", "", "e", "en", "er", "chen", "s"};

constexpr std::array<std::string_view, 32> Verbstamm = {
    "gehen", "laufen", "h" OE "ren", "z" AE "hlen", "setzen", "schlie" SZ "en", "f" UE "hlen", "tr" AE "umen",
    "gr" UE SZ "en", "l" OE "sen", "sprechen", "fahren", "kochen", "lesen", "schreiben", "tragen",
    "bauen", "w" AE "hlen", "f" UE "hren", "k" AE "mpfen", "singen", "nehmen", "geben", "rufen",
    "drehen", "brechen", "stellen", "legen", "ziehen", "sto" SZ "en", "halten", "sehen",
};

constexpr std::array<std::string_view, 22> Vorsilbe = {
    "", "", "", "ab", "an", "auf", "aus", "ein", "mit", "nach", "vor",
    "zu", UE "ber", "zur" UE "ck", "be", "ver", "ent", "zer", "um", "weg", "her", "hin",
};

constexpr std::array<std::string_view, 12> Beiwort = {
    "gro" SZ, "klein", "sch" OE "n", "m" UE "de", "gr" UE "n", "hei" SZ,
    "s" UE SZ, "dunkel", "fr" OE "hlich", "sp" AE "t", "leise", "b" OE "se",
};

std::string olvaniWort(Zufall& z, bool verb)
{
    std::string wort = verb ? "-" : "";
    const int silben = 2 + z.bis(3); // 4 to 12 letters
    for (int s = 0; s < silben; ++s)
        wort += z.aus(Silben);
    return wort;
}

std::string bedeutung(Zufall& z, bool verb)
{
    std::string text;
    if (verb) {
        if (z.mitAnteil(0.1))
            text = "sich ";
        text += z.aus(Vorsilbe);
        text += z.aus(Verbstamm);
        return text;
    }
    const int art = z.bis(20);
    if (art < 1) { // a plain word, shared by many entries
        text = z.aus(Stamm);
    } else if (art < 2) {
        text = std::string(z.aus(Beiwort)) + " " + std::string(z.aus(Stamm));
    } else { // a compound, shared by few
        text = z.aus(Stamm);
        text += z.aus(Nachsilbe);
        if (z.mitAnteil(0.5)) {
            const std::string_view zweite = z.aus(Nachsilbe);
            if (!text.ends_with(zweite))
                text += zweite;
        }
        text += z.aus(Endung);
    }
    return text;
}

// 1 to 4 meanings, fewer ones being more common.
int anzahlBedeutungen(Zufall& z)
{
    const int w = z.bis(10);
    return w < 4 ? 1 : w < 7 ? 2 : w < 9 ? 3 : 4;
}

// `einzigesVerb` > 0: that entry is the only verb. `gemeinsam` not empty:
// it is every entry's only meaning.
std::string erzeuge(int anzahl, int einzigesVerb, std::string_view gemeinsam, std::uint64_t seed)
{
    Zufall z(seed);
    std::string datei;
    datei.reserve(static_cast<std::size_t>(anzahl) * 72);
    for (int i = 1; i <= anzahl; ++i) {
        const bool verb = einzigesVerb > 0 ? i == einzigesVerb : z.mitAnteil(0.2);
        const bool kennung = z.mitAnteil(0.15);
        const int belegt = gemeinsam.empty() ? anzahlBedeutungen(z) : 0;
        std::array<std::string, Bedeutungen> bedeutungen;
        for (int k = 0; k < belegt; ++k) {
            std::string b = bedeutung(z, verb);
            const auto davor = bedeutungen.begin() + k;
            for (int versuch = 0; versuch < 4 && std::find(bedeutungen.begin(), davor, b) != davor; ++versuch)
                b = bedeutung(z, verb); // a meaning twice in one entry is a typo
            bedeutungen[static_cast<std::size_t>(k)] = std::move(b);
        }
        if (!gemeinsam.empty())
            bedeutungen[0] = gemeinsam;

        datei += '"';
        datei += olvaniWort(z, verb);
        datei += '"';
        for (const std::string& b : bedeutungen) {
            datei += ",\"";
            datei += b.empty() ? "@" : b;
            datei += '"';
        }
        datei += kennung ? ",\"1\"\r\n" : ",\"0\"\r\n";
    }
    return datei;
}

#undef AE
#undef OE
#undef UE
#undef SZ
#undef OE_GROSS

} // namespace

std::string vokabeldatei(int anzahl) { return erzeuge(anzahl, 0, {}, 20240611); }

std::string vokabeldateiMitEinemVerb(int anzahl, int verb) { return erzeuge(anzahl, verb, {}, 20240612); }

std::string vokabeldateiAlleMit(int anzahl, const std::string& bedeutungCp1252)
{
    return erzeuge(anzahl, 0, bedeutungCp1252, 20240613);
}

} // namespace olvani::messung

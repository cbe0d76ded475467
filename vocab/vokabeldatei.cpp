#include "vokabeldatei.h"

#include "fehler.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

namespace olvani {

namespace {

constexpr int FelderJeDatensatz = 6;
constexpr const char* Feldnamen[FelderJeDatensatz] = {
    "Wort", "erste Bedeutung", "zweite Bedeutung", "dritte Bedeutung", "vierte Bedeutung", "Kennung",
};

// Blanks before a field and after an unquoted one are dropped.
bool istBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Code points of the bytes 0x80..0x9F in Windows-1252; the five bytes the code
// page leaves undefined keep their own value, as Windows itself maps them.
constexpr std::array<char16_t, 32> Cp1252Steuerbereich = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The UTF-8 form of every byte 0x80..0xFF of Windows-1252 (two or three bytes).
struct Utf8Form {
    std::array<char, 3> bytes{};
    std::uint8_t laenge = 0;
};

constexpr std::array<Utf8Form, 128> Cp1252Formen = [] {
    std::array<Utf8Form, 128> formen{};
    for (unsigned b = 0x80; b <= 0xFF; ++b) {
        const unsigned cp = b < 0xA0 ? Cp1252Steuerbereich[b - 0x80] : b;
        Utf8Form& f = formen[b - 0x80];
        if (cp < 0x800) {
            f.bytes = {static_cast<char>(0xC0 | (cp >> 6)), static_cast<char>(0x80 | (cp & 0x3F)), 0};
            f.laenge = 2;
        } else {
            f.bytes = {static_cast<char>(0xE0 | (cp >> 12)), static_cast<char>(0x80 | ((cp >> 6) & 0x3F)),
                       static_cast<char>(0x80 | (cp & 0x3F))};
            f.laenge = 3;
        }
    }
    return formen;
}();

constexpr std::string_view Ersatzzeichen = "\xEF\xBF\xBD"; // U+FFFD

// Length of the well-formed UTF-8 sequence starting at text[i], or 0 when the
// byte there does not start one (overlong forms and surrogates are rejected).
std::size_t gueltigeSequenz(std::string_view text, std::size_t i)
{
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char c = b(i);
    if (c < 0x80)
        return 1;
    std::size_t laenge = 0;
    unsigned char min = 0x80, max = 0xBF; // allowed range of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
        laenge = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        laenge = 3;
        if (c == 0xE0) min = 0xA0;
        if (c == 0xED) max = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        laenge = 4;
        if (c == 0xF0) min = 0x90;
        if (c == 0xF4) max = 0x8F;
    } else {
        return 0;
    }
    if (text.size() - i < laenge || b(i + 1) < min || b(i + 1) > max)
        return 0;
    for (std::size_t k = 2; k < laenge; ++k)
        if ((b(i + k) & 0xC0) != 0x80)
            return 0;
    return laenge;
}

// Index of the first byte at or after i that is not ASCII, or text.size();
// checks eight bytes at a time, as most files are plain ASCII.
std::size_t asciiBis(std::string_view text, std::size_t i)
{
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t wort;
        std::memcpy(&wort, text.data() + i, 8);
        if (wort & 0x8080808080808080u)
            break;
    }
    while (i < text.size() && static_cast<unsigned char>(text[i]) < 0x80)
        ++i;
    return i;
}

enum class Kodierung { Ascii, Cp1252, Utf8 };

bool istGueltigesUtf8(std::string_view text)
{
    for (std::size_t i = asciiBis(text, 0); i < text.size(); i = asciiBis(text, i)) {
        const std::size_t n = gueltigeSequenz(text, i);
        if (n == 0)
            return false;
        i += n;
    }
    return true;
}

// A UTF-8 text with each byte that starts no valid sequence replaced by
// U+FFFD; runs of ASCII are copied whole.
std::string mitErsatzzeichen(std::string_view roh)
{
    std::string ziel;
    ziel.reserve(roh.size());
    for (std::size_t i = 0; i < roh.size();) {
        const std::size_t ascii = asciiBis(roh, i);
        ziel.append(roh.substr(i, ascii - i));
        if (ascii == roh.size())
            break;
        const std::size_t n = gueltigeSequenz(roh, ascii);
        ziel.append(n == 0 ? Ersatzzeichen : roh.substr(ascii, n));
        i = ascii + (n == 0 ? 1 : n);
    }
    return ziel;
}

// The whole text from Windows-1252 to UTF-8. No character takes more than
// three bytes, which bounds the size; runs of ASCII are copied eight bytes at
// a time, as most of a German vocabulary is ASCII.
std::string ausCp1252(std::string_view roh)
{
    constexpr std::uint64_t Hoch = 0x8080808080808080u;
    std::size_t hohe = 0;
    std::size_t i = 0;
    for (; i + 8 <= roh.size(); i += 8) {
        std::uint64_t wort;
        std::memcpy(&wort, roh.data() + i, 8);
        // Sums the eight high bits in the top byte (std::popcount would be a
        // library call on the baseline x86-64 target).
        hohe += static_cast<std::size_t>((((wort & Hoch) >> 7) * 0x0101010101010101u) >> 56);
    }
    for (; i < roh.size(); ++i)
        hohe += static_cast<unsigned char>(roh[i]) >> 7;

    std::string ziel(roh.size() + 2 * hohe, '\0');
    char* schreiben = ziel.data();
    const auto einzeln = [&](char c) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            *schreiben++ = c;
            return;
        }
        const Utf8Form& form = Cp1252Formen[b - 0x80];
        for (std::uint8_t k = 0; k < form.laenge; ++k)
            *schreiben++ = form.bytes[k];
    };
    for (i = 0; i + 8 <= roh.size(); i += 8) {
        std::uint64_t wort;
        std::memcpy(&wort, roh.data() + i, 8);
        if (wort & Hoch) {
            for (std::size_t k = i; k < i + 8; ++k)
                einzeln(roh[k]);
        } else {
            std::memcpy(schreiben, &wort, 8);
            schreiben += 8;
        }
    }
    for (; i < roh.size(); ++i)
        einzeln(roh[i]);
    ziel.resize(static_cast<std::size_t>(schreiben - ziel.data()));
    return ziel;
}

// Index of the first of the bytes a, b, c at or after i, or text.size().
// Fields are short, so eight bytes are tested at a time with the usual
// zero-byte trick instead of one call to memchr per delimiter.
std::size_t findeErstes(std::string_view text, std::size_t i, char a, char b, char c)
{
    constexpr std::uint64_t Einsen = 0x0101010101010101u;
    constexpr std::uint64_t Hoch = 0x8080808080808080u;
    const auto null = [](std::uint64_t x) { return (x - Einsen) & ~x & Hoch; };
    const std::uint64_t ma = Einsen * static_cast<unsigned char>(a);
    const std::uint64_t mb = Einsen * static_cast<unsigned char>(b);
    const std::uint64_t mc = Einsen * static_cast<unsigned char>(c);
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t wort;
        std::memcpy(&wort, text.data() + i, 8);
        // The lowest flagged byte is always a true match (little-endian).
        const std::uint64_t treffer = null(wort ^ ma) | null(wort ^ mb) | null(wort ^ mc);
        if (treffer)
            return i + static_cast<std::size_t>(std::countr_zero(treffer) / 8);
    }
    while (i < text.size() && text[i] != a && text[i] != b && text[i] != c)
        ++i;
    return i;
}

class Feldleser {
public:
    explicit Feldleser(std::string_view text) : text_(text)
    {
        // Everything after the last byte that is neither a blank nor a line
        // end is trailing empty lines, which count as the end of the file.
        datenEnde_ = text_.find_last_not_of(" \t\r\n");
        datenEnde_ = datenEnde_ == std::string_view::npos ? 0 : datenEnde_ + 1;
    }

    // True when only blank lines are left and the last field did not end
    // with a comma (a comma always opens another field).
    bool amEnde() const { return pos_ >= datenEnde_ && !nachKomma_; }

    // The raw bytes of the next field; the caller checks amEnde() first.
    std::string_view naechstesFeld()
    {
        while (pos_ < text_.size() && istBlank(text_[pos_]))
            ++pos_;
        std::string_view wert;
        if (pos_ < text_.size() && text_[pos_] == '"') {
            // A missing closing quote ends the value at the line end, so one
            // stray quote does not swallow the rest of the file.
            const std::size_t anfang = ++pos_;
            pos_ = findeErstes(text_, pos_, '"', '\r', '\n');
            wert = text_.substr(anfang, pos_ - anfang);
            if (pos_ < text_.size() && text_[pos_] == '"')
                ++pos_;
            // Whatever follows the closing quote up to the delimiter is ignored
            // (usually there is nothing, and the delimiter comes at once).
            if (pos_ < text_.size() && text_[pos_] != ',' && text_[pos_] != '\r' && text_[pos_] != '\n')
                pos_ = findeErstes(text_, pos_, ',', '\r', '\n');
        } else {
            const std::size_t anfang = pos_;
            pos_ = findeErstes(text_, pos_, ',', '\r', '\n');
            std::size_t ende = pos_;
            while (ende > anfang && istBlank(text_[ende - 1]))
                --ende;
            wert = text_.substr(anfang, ende - anfang);
        }
        feldZeile_ = zeile_;
        ueberspringeTrenner();
        return wert;
    }

    // Line of the read position, and line on which the last field ended.
    int zeile() const { return zeile_; }
    int feldZeile() const { return feldZeile_; }

private:
    void ueberspringeTrenner()
    {
        nachKomma_ = false;
        if (pos_ >= text_.size())
            return;
        const char c = text_[pos_++];
        if (c == ',') {
            nachKomma_ = true;
            return;
        }
        // CR LF, lone LF and lone CR are each one line end.
        if (c == '\r' && pos_ < text_.size() && text_[pos_] == '\n')
            ++pos_;
        ++zeile_;
    }

    std::string_view text_;
    std::size_t datenEnde_ = 0;
    std::size_t pos_ = 0;
    bool nachKomma_ = false;
    int zeile_ = 1;
    int feldZeile_ = 1;
};

Kodierung bestimmeKodierung(std::string_view& inhalt)
{
    constexpr std::string_view Bom = "\xEF\xBB\xBF";
    if (inhalt.starts_with(Bom)) {
        inhalt.remove_prefix(Bom.size());
        return Kodierung::Utf8;
    }
    if (asciiBis(inhalt, 0) == inhalt.size())
        return Kodierung::Ascii;
    return istGueltigesUtf8(inhalt) ? Kodierung::Utf8 : Kodierung::Cp1252;
}

} // namespace

Vokabeltabelle liesVokabeln(std::string_view inhalt, const std::string& dateiname)
{
    // The whole text is made UTF-8 once, before it is split: the delimiters
    // are ASCII and no converted character contains an ASCII byte, so the
    // fields and line numbers are the same, and each field is then a plain copy.
    const Kodierung kodierung = bestimmeKodierung(inhalt);
    std::string umgewandelt;
    if (kodierung == Kodierung::Cp1252) {
        umgewandelt = ausCp1252(inhalt);
        inhalt = umgewandelt;
    } else if (kodierung == Kodierung::Utf8 && !istGueltigesUtf8(inhalt)) {
        umgewandelt = mitErsatzzeichen(inhalt); // possible only after a byte-order mark
        inhalt = umgewandelt;
    }
    // DOS editors end a text file with Ctrl-Z.
    if (inhalt.ends_with('\x1A'))
        inhalt.remove_suffix(1);

    const std::string datei = "Die Vokabel-Datei " + dateiname;
    Feldleser leser(inhalt);
    if (leser.amEnde())
        throw FatalerFehler(datei + " ist leer: sie enthält keinen einzigen Datensatz.");

    // Room for as many entries as the file has lines, so the table does not
    // move its entries while it grows.
    Vokabeltabelle tabelle;
    int zeilen = 1;
    const char* const ende = inhalt.data() + inhalt.size();
    for (const char* p = inhalt.data(); p < ende && zeilen < Kapazitaet; ++zeilen) {
        p = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(ende - p)));
        if (!p)
            break;
        ++p;
    }
    tabelle.reserviere(zeilen);
    std::array<std::string_view, FelderJeDatensatz> roh;
    do {
        if (tabelle.Anzahl() >= Kapazitaet)
            throw FatalerFehler(datei + " enthält mehr als " + std::to_string(Kapazitaet) + " Vokabeln: der Datensatz "
                                + std::to_string(Kapazitaet + 1) + " beginnt in Zeile "
                                + std::to_string(leser.zeile()) + ".");
        for (int feld = 0; feld < FelderJeDatensatz; ++feld) {
            if (leser.amEnde())
                throw FatalerFehler(datei + " ist unvollständig: in Zeile " + std::to_string(leser.feldZeile())
                                    + " fehlt dem Datensatz " + std::to_string(tabelle.Anzahl() + 1) + " das Feld "
                                    + std::to_string(feld + 1) + " (" + Feldnamen[feld] + ").");
            roh[static_cast<std::size_t>(feld)] = leser.naechstesFeld();
        }
        std::array<std::string_view, 4> bedeutungen;
        for (std::size_t k = 0; k < bedeutungen.size(); ++k)
            if (roh[k + 1] != "@") // "@" marks an absent meaning
                bedeutungen[k] = roh[k + 1];
        tabelle.neuerEintrag(roh[0], bedeutungen, roh[5] == "1");
    } while (!leser.amEnde());
    return tabelle;
}

Vokabeltabelle ladeVokabeldatei(const std::string& pfad)
{
    std::string inhalt;
    {
        std::ifstream datei(pfad, std::ios::binary);
        if (!datei)
            throw FatalerFehler("Die Vokabel-Datei " + pfad + " kann nicht geöffnet werden.");
        // Sized once from the file's length, then read to its real end: the
        // file may change meanwhile, and a directory has no length to speak of.
        std::error_code fehler;
        const auto laenge = std::filesystem::file_size(pfad, fehler);
        if (!fehler)
            inhalt.reserve(static_cast<std::size_t>(laenge));
        std::array<char, 64 * 1024> puffer;
        while (datei.read(puffer.data(), puffer.size()) || datei.gcount() > 0)
            inhalt.append(puffer.data(), static_cast<std::size_t>(datei.gcount()));
        // A directory opens but fails on reading.
        if (datei.bad())
            throw FatalerFehler("Die Vokabel-Datei " + pfad + " kann nicht gelesen werden.");
    }
    return liesVokabeln(inhalt, pfad);
}

} // namespace olvani

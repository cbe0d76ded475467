#include "vokabeldatei.h"

#include "dateisuche.h"
#include "fehler.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <filesystem>
#include <fstream>

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
// Every other byte is its own code point.
constexpr std::array<char16_t, 32> Cp1252Steuerbereich = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr std::string_view Ersatzzeichen = "\xEF\xBF\xBD"; // U+FFFD

unsigned char bytewert(std::string_view text, std::size_t i)
{
    return static_cast<unsigned char>(text[i]);
}

// Appends the UTF-8 form of a code point below U+10000.
void haengeUtf8An(std::string& ziel, unsigned cp)
{
    if (cp < 0x80) {
        ziel += static_cast<char>(cp);
    } else if (cp < 0x800) {
        ziel += static_cast<char>(0xC0 | (cp >> 6));
        ziel += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        ziel += static_cast<char>(0xE0 | (cp >> 12));
        ziel += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        ziel += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Length of the well-formed UTF-8 sequence starting at text[i], or 0 when the
// byte there does not start one (overlong forms and surrogates are rejected).
std::size_t gueltigeSequenz(std::string_view text, std::size_t i)
{
    const unsigned char c = bytewert(text, i);
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
    if (text.size() - i < laenge || bytewert(text, i + 1) < min || bytewert(text, i + 1) > max)
        return 0;
    for (std::size_t k = 2; k < laenge; ++k)
        if (bytewert(text, i + k) < 0x80 || bytewert(text, i + k) > 0xBF)
            return 0;
    return laenge;
}

bool istGueltigesUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = gueltigeSequenz(text, i);
        if (n == 0)
            return false;
        i += n;
    }
    return true;
}

// A UTF-8 text with each byte that starts no valid sequence replaced by U+FFFD.
std::string mitErsatzzeichen(std::string_view roh)
{
    std::string ziel;
    ziel.reserve(roh.size());
    for (std::size_t i = 0; i < roh.size();) {
        const std::size_t n = gueltigeSequenz(roh, i);
        if (n == 0) {
            ziel += Ersatzzeichen;
            ++i;
        } else {
            ziel += roh.substr(i, n);
            i += n;
        }
    }
    return ziel;
}

// The whole text from Windows-1252 to UTF-8.
std::string ausCp1252(std::string_view roh)
{
    std::string ziel;
    ziel.reserve(roh.size());
    for (const char c : roh) {
        const unsigned char b = static_cast<unsigned char>(c);
        if (b < 0x80)
            ziel += c;
        else
            haengeUtf8An(ziel, b < 0xA0 ? Cp1252Steuerbereich[b - 0x80] : b);
    }
    return ziel;
}

bool istZeilenende(char c)
{
    return c == '\r' || c == '\n';
}

// Splits the text into fields. A comma and a line end (CR LF, lone LF or
// lone CR) both end a field, so a blank line is an empty field like any
// other; only what follows the last complete record is not read at all.
class Feldleser {
public:
    explicit Feldleser(std::string_view text) : text_(text) {}

    // Between records: true when nothing but blanks and line ends is left
    // and the last field did not end with a comma (a comma always opens
    // another field). Such a rest is trailing empty lines, not a record.
    bool nurNochLeerzeilen() const
    {
        if (nachKomma_)
            return false;
        for (std::size_t i = pos_; i < text_.size(); ++i)
            if (!istBlank(text_[i]) && !istZeilenende(text_[i]))
                return false;
        return true;
    }

    // Within a record: true when no byte is left for another field.
    bool amEnde() const { return pos_ >= text_.size() && !nachKomma_; }

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
            while (pos_ < text_.size() && text_[pos_] != '"' && !istZeilenende(text_[pos_]))
                ++pos_;
            wert = text_.substr(anfang, pos_ - anfang);
            if (pos_ < text_.size() && text_[pos_] == '"')
                ++pos_;
            // Whatever follows the closing quote up to the delimiter is
            // ignored (usually there is nothing).
            geheZumTrenner();
        } else {
            const std::size_t anfang = pos_;
            geheZumTrenner();
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
    void geheZumTrenner()
    {
        while (pos_ < text_.size() && text_[pos_] != ',' && !istZeilenende(text_[pos_]))
            ++pos_;
    }

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
        if (c == '\r' && pos_ < text_.size() && text_[pos_] == '\n')
            ++pos_;
        ++zeile_;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    bool nachKomma_ = false;
    int zeile_ = 1;
    int feldZeile_ = 1;
};

// The text as UTF-8: a file with a byte-order mark is UTF-8 (a broken byte
// becomes U+FFFD), one without is UTF-8 when it is valid UTF-8 (plain ASCII
// included) and Windows-1252 otherwise. `umgewandelt` holds a converted text.
std::string_view alsUtf8(std::string_view inhalt, std::string& umgewandelt)
{
    constexpr std::string_view Bom = "\xEF\xBB\xBF";
    const bool mitBom = inhalt.starts_with(Bom);
    if (mitBom)
        inhalt.remove_prefix(Bom.size());
    if (istGueltigesUtf8(inhalt))
        return inhalt;
    umgewandelt = mitBom ? mitErsatzzeichen(inhalt) : ausCp1252(inhalt);
    return umgewandelt;
}

// How the learner is told which file is meant.
std::string dieDatei(const std::string& dateiname)
{
    return "Die Vokabel-Datei " + dateiname;
}

} // namespace

Vokabeltabelle liesVokabeln(std::string_view inhalt, const std::string& dateiname)
{
    // The whole text is made UTF-8 once, before it is split: the delimiters
    // are ASCII and no converted character contains an ASCII byte, so the
    // fields and line numbers are the same, and each field is then a plain copy.
    std::string umgewandelt;
    inhalt = alsUtf8(inhalt, umgewandelt);
    // DOS editors end a text file with Ctrl-Z.
    if (inhalt.ends_with('\x1A'))
        inhalt.remove_suffix(1);

    const std::string datei = dieDatei(dateiname);
    Feldleser leser(inhalt);
    if (leser.nurNochLeerzeilen())
        throw FatalerFehler(datei + " ist leer: sie enthält keinen einzigen Datensatz.");

    // Room for as many entries as the file has lines, so the table does not
    // move its entries while it grows.
    Vokabeltabelle tabelle;
    const std::ptrdiff_t zeilen = std::count(inhalt.begin(), inhalt.end(), '\n') + 1;
    tabelle.reserviere(static_cast<int>(std::min<std::ptrdiff_t>(zeilen, Kapazitaet)));
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
    } while (!leser.nurNochLeerzeilen());
    return tabelle;
}

Vokabeltabelle ladeVokabeldatei(const std::string& pfad)
{
    std::string inhalt;
    {
        std::ifstream datei(alsPfad(pfad), std::ios::binary);
        if (!datei)
            throw FatalerFehler(dieDatei(pfad) + " kann nicht geöffnet werden.");
        // Sized once from the file's length, then read to its real end: the
        // file may change meanwhile, and a directory has no length to speak of.
        std::error_code fehler;
        const auto laenge = std::filesystem::file_size(alsPfad(pfad), fehler);
        if (!fehler)
            inhalt.reserve(static_cast<std::size_t>(laenge));
        std::array<char, 64 * 1024> puffer;
        while (datei.read(puffer.data(), puffer.size()) || datei.gcount() > 0)
            inhalt.append(puffer.data(), static_cast<std::size_t>(datei.gcount()));
        // A directory opens but fails on reading.
        if (datei.bad())
            throw FatalerFehler(dieDatei(pfad) + " kann nicht gelesen werden.");
    }
    return liesVokabeln(inhalt, pfad);
}

} // namespace olvani

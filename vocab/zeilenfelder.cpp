#include "zeilenfelder.h"

namespace olvani {

void Feldzerleger::geheZumTrenner()
{
    while (pos_ < zeile_.size() && zeile_[pos_] != trenner_)
        ++pos_;
}

bool Feldzerleger::naechstes(std::string_view& wert)
{
    if (fertig_)
        return false;
    offen_ = false;
    nachQuote_ = {};
    while (pos_ < zeile_.size() && istBlank(zeile_[pos_]))
        ++pos_;
    if (pos_ < zeile_.size() && zeile_[pos_] == '"') {
        const std::size_t anfang = ++pos_;
        std::size_t ende = zeile_.find('"', anfang);
        if (ende == std::string_view::npos || ende + 1 >= zeile_.size() || zeile_[ende + 1] != '"') {
            // The common case: no doubled quote, the value is part of the line.
            ende = ende == std::string_view::npos ? zeile_.size() : ende;
            wert = zeile_.substr(anfang, ende - anfang);
            pos_ = ende;
        } else {
            entdoppelt_.clear();
            pos_ = anfang;
            while (pos_ < zeile_.size()) {
                const char c = zeile_[pos_];
                if (c == '"') {
                    if (pos_ + 1 >= zeile_.size() || zeile_[pos_ + 1] != '"')
                        break;
                    ++pos_;
                }
                entdoppelt_ += c;
                ++pos_;
            }
            wert = entdoppelt_;
        }
        offen_ = pos_ >= zeile_.size();
        const std::size_t nachQuote = pos_ + 1;
        geheZumTrenner();
        std::size_t schluss = pos_;
        while (schluss > nachQuote && istBlank(zeile_[schluss - 1]))
            --schluss;
        if (schluss > nachQuote)
            nachQuote_ = zeile_.substr(nachQuote, schluss - nachQuote);
    } else {
        const std::size_t anfang = pos_;
        geheZumTrenner();
        std::size_t ende = pos_;
        while (ende > anfang && istBlank(zeile_[ende - 1]))
            --ende;
        wert = zeile_.substr(anfang, ende - anfang);
    }
    if (pos_ < zeile_.size())
        ++pos_; // the separator: another field follows, if only an empty one
    else
        fertig_ = true;
    return true;
}

std::size_t zaehleFelder(std::string_view zeile, char trenner)
{
    Feldzerleger zerleger(zeile, trenner);
    std::string_view wert;
    std::size_t anzahl = 0;
    while (zerleger.naechstes(wert))
        ++anzahl;
    return anzahl;
}

bool istLeerzeile(std::string_view zeile, char trenner)
{
    for (const char c : zeile)
        if ((c != ' ' && c != '\t') || c == trenner)
            return false;
    return true;
}

std::string_view ersteZeileMitText(std::string_view anfang, long long* nummer)
{
    long long n = 1;
    for (std::string_view rest = anfang; !rest.empty(); ++n) {
        const std::size_t ende = rest.find_first_of("\r\n");
        const std::string_view kandidat = rest.substr(0, ende);
        if (!istLeerzeile(kandidat, '\0')) {
            if (nummer)
                *nummer = n;
            return kandidat;
        }
        if (ende == std::string_view::npos)
            break;
        // CR LF is one line end.
        rest.remove_prefix(ende + (rest[ende] == '\r' && ende + 1 < rest.size() && rest[ende + 1] == '\n' ? 2 : 1));
    }
    if (nummer)
        *nummer = 1;
    return anfang.substr(0, anfang.find_first_of("\r\n"));
}

char erkenneTrenner(std::string_view anfang)
{
    // The first line that is not blank decides; with none, the first line, so
    // that blank lines appended to a file never change its separator.
    const std::string_view zeile = ersteZeileMitText(anfang);
    for (const Trennzeichen& trenner : Trenner) {
        const std::size_t felder = zaehleFelder(zeile, trenner.zeichen);
        // With commas a line may hold several records.
        if (trenner.zeichen == ',' ? felder % FelderJeDatensatz == 0 : felder == FelderJeDatensatz)
            return trenner.zeichen;
    }
    return ',';
}

const char* trennerName(char trenner)
{
    for (const Trennzeichen& t : Trenner)
        if (t.zeichen == trenner)
            return t.name;
    return Trenner.front().name;
}

} // namespace olvani

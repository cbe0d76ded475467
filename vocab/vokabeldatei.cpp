#include "vokabeldatei.h"

#include "abbruch.h"
#include "dateisuche.h"
#include "lader.h"
#include "lesebefund.h"
#include "textquelle.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

namespace olvani {

namespace {

// Reads the text that `oeffne` hands out, from its start each time it is
// called. A reading with semicolons or tabs refused for its records is
// followed by one with commas, as the README's section "The file reader's
// rules" says; when that is refused too, the first refusal is reported.
Vokabeltabelle lade(const std::function<Bytequelle()>& oeffne, const std::string& dateiname, std::uintmax_t groesse)
{
    std::string meldung;
    {
        Textquelle quelle(oeffne());
        Lader lader(quelle, dateiname, groesse);
        try {
            return lader.lies();
        } catch (const Abbruch& fehler) {
            if (lader.trenner() == ',' || !lader.verwerfbar())
                throw;
            meldung = fehler.what();
        }
    }
    Textquelle quelle(oeffne());
    try {
        return Lader(quelle, dateiname, groesse).lies(',');
    } catch (const Abbruch&) {
    }
    throw Abbruch(meldung);
}

} // namespace

Vokabeltabelle liesVokabeln(std::string_view inhalt, const std::string& dateiname)
{
    const auto oeffne = [inhalt]() -> Bytequelle {
        return [rest = inhalt](char* ziel, std::size_t platz) mutable {
            const std::size_t n = std::min(platz, rest.size());
            std::memcpy(ziel, rest.data(), n);
            rest.remove_prefix(n);
            return n;
        };
    };
    return lade(oeffne, dateiname, inhalt.size());
}

Vokabeltabelle ladeVokabeldatei(const std::string& pfad)
{
    const auto oeffne = [&pfad]() -> Bytequelle {
        auto datei = std::make_shared<std::ifstream>(alsPfad(pfad), std::ios::binary);
        if (!*datei)
            throw Abbruch(Lesebefund::nichtGeoeffnet(pfad));
        return [datei, &pfad](char* ziel, std::size_t platz) {
            datei->read(ziel, static_cast<std::streamsize>(platz));
            // A directory opens but fails on reading.
            if (datei->bad())
                throw Abbruch(Lesebefund::nichtGelesen(pfad));
            return static_cast<std::size_t>(datei->gcount());
        };
    };
    Bytequelle erste = oeffne();
    std::error_code fehler;
    const std::uintmax_t groesse = std::filesystem::file_size(alsPfad(pfad), fehler);
    bool schonOffen = true;
    return lade(
        [&]() -> Bytequelle {
            if (schonOffen) {
                schonOffen = false;
                return std::move(erste);
            }
            return oeffne();
        },
        pfad, fehler ? 0 : groesse);
}

} // namespace olvani

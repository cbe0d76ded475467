#include "dateisuche.h"

#include <filesystem>
#include <string_view>
#include <system_error>

namespace olvani {

namespace {

#ifdef _WIN32
constexpr char Trenner = '\\';
#else
constexpr char Trenner = '/';
#endif

std::string verbinde(const std::string& verzeichnis, std::string_view name)
{
    std::string pfad = verzeichnis;
    // A root directory ("/", "C:\") already ends in a separator.
    if (!pfad.empty() && pfad.back() != '/' && pfad.back() != Trenner)
        pfad += Trenner;
    pfad += name;
    return pfad;
}

bool gleichOhneGrossKlein(std::string_view name, std::string_view gesucht)
{
    if (name.size() != gesucht.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        char c = name[i];
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (c != gesucht[i])
            return false;
    }
    return true;
}

} // namespace

std::filesystem::path alsPfad(const std::string& text)
{
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::string alsText(const std::filesystem::path& pfad)
{
    const std::u8string text = pfad.u8string();
    return std::string(text.begin(), text.end());
}

std::string aktuellesVerzeichnis()
{
    std::error_code fehler;
    const std::filesystem::path aktuell = std::filesystem::current_path(fehler);
    return fehler ? std::string(".") : alsText(aktuell);
}

std::string erwarteterPfad(const std::string& verzeichnis) { return verbinde(verzeichnis, Vokabeldateiname); }

std::string findeVokabeldatei(const std::string& verzeichnis)
{
    namespace fs = std::filesystem;
    try {
        std::error_code fehler;
        std::string gefunden;
        for (fs::directory_iterator it(alsPfad(verzeichnis), fehler), ende; !fehler && it != ende; it.increment(fehler)) {
            std::string name = alsText(it->path().filename());
            if (!gleichOhneGrossKlein(name, "OLVANI.TXT"))
                continue;
            std::error_code typFehler; // a dangling link is simply no match
            if (!it->is_regular_file(typFehler))
                continue;
            if (name == Vokabeldateiname)
                return verbinde(verzeichnis, name);
            // Among other spellings the smallest name wins, so the choice does
            // not depend on the order the directory lists its entries in.
            if (gefunden.empty() || name < gefunden)
                gefunden = std::move(name);
        }
        return gefunden.empty() ? std::string() : verbinde(verzeichnis, gefunden);
    } catch (...) {
        // Looking for the file must not end the program; not finding it is
        // reported to the learner by the caller.
        return {};
    }
}

std::string fehltMeldung(const std::string& pfad) { return "Kann die Vokabel-Datei " + pfad + " nicht finden!"; }

} // namespace olvani

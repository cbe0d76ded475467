#pragma once

#include <filesystem>
#include <string>

namespace olvani {

inline constexpr const char* Vokabeldateiname = "olvani.txt";

// Paths are held as UTF-8 text, the form the windows show. On Windows the
// standard library would otherwise convert them through the ANSI code page,
// which garbles or loses letters outside it (a user folder "C:\Users\Jürgen").
std::filesystem::path alsPfad(const std::string& text);
std::string alsText(const std::filesystem::path& pfad);

// The process's current directory as the system writes it (on Windows with
// backslashes), or "." when it cannot be known.
std::string aktuellesVerzeichnis();

// The path the learner is told about: verzeichnis, the system's separator
// ("\" on Windows, "/" elsewhere) and "olvani.txt".
std::string erwarteterPfad(const std::string& verzeichnis);

// The vocabulary file in `verzeichnis`, its name compared without regard to
// letter case; "olvani.txt" itself wins when several names match. Returns the
// full path of the file found, or "" when there is none.
std::string findeVokabeldatei(const std::string& verzeichnis);

// The message shown when the file is missing.
std::string fehltMeldung(const std::string& pfad);

} // namespace olvani

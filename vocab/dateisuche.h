#pragma once

#include <string>

namespace olvani {

inline constexpr const char* Vokabeldateiname = "olvani.txt";

// The path the learner is told about: verzeichnis + "/" + "olvani.txt".
std::string erwarteterPfad(const std::string& verzeichnis);

// The vocabulary file in `verzeichnis`, its name compared without regard to
// letter case; "olvani.txt" itself wins when several names match. Returns the
// full path of the file found, or "" when there is none.
std::string findeVokabeldatei(const std::string& verzeichnis);

// The message shown when the file is missing.
std::string fehltMeldung(const std::string& pfad);

} // namespace olvani

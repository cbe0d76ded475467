#pragma once

#include <string>

// Vocabulary files made up for measuring, in the file's meant form
// (quoted fields, "@" for absent meanings, Windows-1252, CR LF); the same
// bytes on every run.
namespace olvani::messung {

std::string vokabeldatei(int anzahl);
// Only entry `verb` is a verb.
std::string vokabeldateiMitEinemVerb(int anzahl, int verb);
// This meaning (given in Windows-1252) is every entry's only one.
std::string vokabeldateiAlleMit(int anzahl, const std::string& bedeutungCp1252);

} // namespace olvani::messung

#pragma once

#include <string>

// Vocabulary files made up for measuring, in the file's meant form
// (quoted fields, "@" for absent meanings, Windows-1252, CR LF); the same
// bytes on every run.
namespace olvani::messung {

std::string vokabeldatei(int anzahl);
// Only entry `verb` is a verb.
std::string vokabeldateiMitEinemVerb(int anzahl, int verb);
// Every entry holds this meaning (given in Windows-1252) among its own.
std::string vokabeldateiAlleMit(int anzahl, const std::string& bedeutungCp1252);

} // namespace olvani::messung

#pragma once

#include "vokabeltabelle.h"

#include <string>
#include <string_view>

namespace olvani {

// Reads the contents of a vocabulary file into a table: six delimited fields
// a record (foreign word, four meanings with "@" for none, flag), separated
// by commas, semicolons or tabs, in Windows-1252, UTF-8 or UTF-16. Throws
// Abbruch naming `dateiname`, the line, the record and the field where
// the file is broken or holds a null character, or when it holds more than
// Kapazitaet records.
Vokabeltabelle liesVokabeln(std::string_view inhalt, const std::string& dateiname);

// Reads the file at `pfad`, opened and closed within this call, piece by
// piece: it stops at the first fault, and never holds much more than the
// records it has read.
Vokabeltabelle ladeVokabeldatei(const std::string& pfad);

} // namespace olvani

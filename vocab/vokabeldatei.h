#pragma once

#include "vokabeltabelle.h"

#include <string>
#include <string_view>

namespace olvani {

// Reads the contents of a vocabulary file into a table: six delimited fields
// a record (foreign word, four meanings with "@" for none, flag). Throws
// Abbruch naming `dateiname`, the line, the record and the field where
// the file is broken, or when it holds more than Kapazitaet records.
Vokabeltabelle liesVokabeln(std::string_view inhalt, const std::string& dateiname);

// Reads the file at `pfad`: opened, read whole and closed within this call.
Vokabeltabelle ladeVokabeldatei(const std::string& pfad);

} // namespace olvani

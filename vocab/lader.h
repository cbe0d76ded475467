#pragma once

#include "lesebefund.h"
#include "textquelle.h"
#include "vokabeltabelle.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace olvani {

// Builds the records from the lines as they come, by the rules in the
// README, section "The file reader's rules"; what it meets on the way that a
// refusal should name goes to its Lesebefund.
class Lader {
public:
    // `groesse`: the file's length where known (else 0), to make room at once.
    Lader(Textquelle& quelle, const std::string& dateiname, std::uintmax_t groesse);

    // Reads the records with `trenner`, or with the separator the first line
    // suggests when it is '\0'. Throws Abbruch when the file is refused.
    Vokabeltabelle lies(char trenner = '\0');

    char trenner() const { return trenner_; }
    // The refusal came from the records read with this separator (an
    // incomplete record, a 10001st or a quote that was not doubled), not
    // from the bytes: another separator may read the file.
    bool verwerfbar() const { return verwerfbar_; }

private:
    void holeLeerzeilenNach();
    std::size_t nimmZeile(std::string_view zeile, bool teil, bool zeilenende);
    void pruefeSchluss();
    void feld(std::string_view wert, Zeilennummer zeile);
    Vokabeltabelle tabelle() const;
    bool cp1252() const;

    Textquelle& quelle_;
    Lesebefund befund_;
    char trenner_ = ',';
    Zeilennummer zeile_ = 0;     // the line being read
    Zeilennummer feldZeile_ = 1; // the line on which the last field ended
    int feldImSatz_ = 0; // fields of the unfinished record
    int saetze_ = 0;     // complete records
    Zeilennummer leerzeilen_ = 0; // blank lines held back
    Zeilennummer ersteLeerzeile_ = 0;
    bool fortsetzung_ = false;       // the text read last was part of a long line
    bool zeileAmSatzanfang_ = false; // the current line began a record
    std::size_t felderDerZeile_ = 0;
    bool verwerfbar_ = false;
    // The texts of the records as read, word and four meanings each, one
    // after another: where each ends, and the flags.
    std::string texte_;
    std::vector<std::size_t> enden_;
    std::vector<bool> kennungen_;
    int roheSaetze_ = 0;  // the first records, kept as read: UTF-8 or not was open
    bool satzRoh_ = true; // the current record is kept as read
};

} // namespace olvani

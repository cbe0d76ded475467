#include "plattform.h"

#include <iostream>

namespace olvani {

void meldeFatalenFehler(Plattform& plattform, const std::string& text)
{
    std::cerr << "Olvani: " << text << std::endl;
    plattform.meldung(text, Symbol::Kritisch);
    plattform.beenden(1);
}

} // namespace olvani

#pragma once

#include <QRect>

namespace olvani {

// Window layouts are given in twips, 1440 to the inch: 15 twips are one
// device-independent pixel at 96 dpi. Qt's high-dpi scaling does the rest.
constexpr int px(int twips)
{
    return (twips + 7) / 15;
}

constexpr QRect twipsRechteck(int links, int oben, int breite, int hoehe)
{
    return QRect(px(links), px(oben), px(breite), px(hoehe));
}

} // namespace olvani

#include "fragefeld.h"

#include <QEvent>

namespace olvani {

Fragefeld::Fragefeld(QWidget* parent) : QLineEdit(parent)
{
    folgeDerPalette();
}

void Fragefeld::changeEvent(QEvent* ereignis)
{
    // A theme or colour scheme switched at run time arrives as one of these;
    // the own colour must follow the palette now in force.
    switch (ereignis->type()) {
    case QEvent::PaletteChange:
    case QEvent::ApplicationPaletteChange:
    case QEvent::StyleChange:
        folgeDerPalette();
        break;
    default:
        break;
    }
    QLineEdit::changeEvent(ereignis);
}

void Fragefeld::folgeDerPalette()
{
    // Only the disabled text colour is the box's own; every other colour,
    // the normal text colour among them, is still inherited from the window
    // and the application, so it is the one of the palette in force.
    const QColor normal = palette().color(QPalette::Active, QPalette::Text);
    if (palette().color(QPalette::Disabled, QPalette::Text) == normal)
        return; // also ends the PaletteChange that setPalette() sends back
    QPalette eigene;
    eigene.setColor(QPalette::Disabled, QPalette::Text, normal);
    setPalette(eigene);
}

} // namespace olvani

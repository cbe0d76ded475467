#include "seitenfeld.h"

#include <QApplication>
#include <QEvent>

namespace olvani {

Seitenfeld::Seitenfeld(QWidget* parent) : QLineEdit(parent)
{
    folgeDerPalette();
}

void Seitenfeld::changeEvent(QEvent* ereignis)
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

void Seitenfeld::folgeDerPalette()
{
    // The palette in force without this box's own colours is its parent's.
    // Only the disabled text colour is the box's own, and the disabled
    // background where the palette gives none of its own; everything else
    // stays inherited (Qt's Windows styles draw a box whose background is
    // left alone in the system's way).
    const QPalette geerbt = parentWidget() ? parentWidget()->palette() : QApplication::palette(this);
    QPalette eigene;
    const QColor normal = geerbt.color(QPalette::Active, QPalette::Text);
    eigene.setColor(QPalette::Disabled, QPalette::Text, normal);
    // Some palettes (GTK's on Qt 6.8, Windows' high contrast) give a disabled
    // box the background of an enabled one; a tenth of the text colour in it
    // still shows the learner which box takes the answer.
    const QColor offen = geerbt.color(QPalette::Active, QPalette::Base);
    if (geerbt.color(QPalette::Disabled, QPalette::Base) == offen)
        eigene.setColor(QPalette::Disabled, QPalette::Base,
                        QColor::fromRgbF(offen.redF() * 0.9f + normal.redF() * 0.1f,
                                         offen.greenF() * 0.9f + normal.greenF() * 0.1f,
                                         offen.blueF() * 0.9f + normal.blueF() * 0.1f));
    if (eigene == eigene_ && eigene.resolveMask() == eigene_.resolveMask())
        return; // also ends the PaletteChange that setPalette() sends back
    eigene_ = eigene;
    setPalette(eigene);
}

} // namespace olvani

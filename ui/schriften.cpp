#include "schriften.h"

#include <QStringList>

namespace olvani {

void richteSchriftenEin()
{
    const QStringList ersatz{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"), QStringLiteral("DejaVu Sans")};
    for (const char* familie : {"MS Sans Serif", "Arial"})
        QFont::insertSubstitutions(QLatin1String(familie), ersatz);
}

QFont schrift(const char* familie, double punkte, bool fett)
{
    QFont f(familie);
    f.setPointSizeF(punkte);
    f.setWeight(fett ? QFont::Bold : QFont::Normal);
    return f;
}

} // namespace olvani

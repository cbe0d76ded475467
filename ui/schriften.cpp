#include "schriften.h"

#include <QApplication>
#include <QStringList>

namespace olvani {

void richteSchriftenEin()
{
    const QStringList ersatz{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"), QStringLiteral("DejaVu Sans")};
    for (const char* familie : {"MS Sans Serif", "Arial"})
        QFont::insertSubstitutions(QLatin1String(familie), ersatz);
    // Message boxes and every control without a font of its own use the
    // windows' font. Qt's own default would be left to fontconfig, which
    // picks a monospace face where only the Liberation fonts are installed.
    QApplication::setFont(schrift("MS Sans Serif", 8.25, false));
}

QFont schrift(const char* familie, double punkte, bool fett)
{
#ifdef Q_OS_WIN
    // Windows' "MS Sans Serif" is a bitmap font in a few sizes only: at 150
    // or 200 % the next size up is taken and captions no longer fit their
    // boxes. Its outline version, with the same metrics, scales.
    if (qstrcmp(familie, "MS Sans Serif") == 0)
        familie = "Microsoft Sans Serif";
#endif
    QFont f(familie);
    f.setPointSizeF(punkte);
    f.setWeight(fett ? QFont::Bold : QFont::Normal);
    return f;
}

} // namespace olvani

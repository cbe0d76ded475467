#include "sichtbarertext.h"

#include <QFontMetrics>
#include <QTextLayout>

namespace olvani {

namespace {

// Lines of `text` wrapped at `breite`, counting no further than `hoechstens`.
int zeilen(const QString& text, const QFont& font, int breite, int hoechstens)
{
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    int anzahl = 0;
    for (QTextLine zeile = layout.createLine(); zeile.isValid() && anzahl < hoechstens; zeile = layout.createLine()) {
        zeile.setLineWidth(breite);
        ++anzahl;
    }
    layout.endLayout();
    return anzahl;
}

} // namespace

QString sichtbarerText(const QString& text, const QFont& font, QSize groesse)
{
    const int zeilenhoehe = qMax(1, QFontMetrics(font).lineSpacing());
    // A margin of lines beyond the last visible one, so that small differences
    // between this layout and the label's own cannot show.
    const int genug = groesse.height() / zeilenhoehe + 4;
    for (qsizetype laenge = 1024; laenge < text.size(); laenge *= 2) {
        const qsizetype schnitt = text.indexOf(QLatin1Char(' '), laenge);
        if (schnitt < 0)
            break;
        const QString teil = text.left(schnitt);
        if (zeilen(teil, font, groesse.width(), genug) >= genug)
            return teil;
        laenge = schnitt;
    }
    return text;
}

} // namespace olvani

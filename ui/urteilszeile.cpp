#include "urteilszeile.h"

#include "sichtbarertext.h"

#include "quiz/antwortpruefung.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QScreen>
#include <QStringList>
#include <QTextLayout>
#include <QToolTip>
#include <QtMath>

#include <algorithm>

namespace olvani {

namespace {

constexpr QChar Auslassung(0x2026);

struct Zeile {
    qsizetype anfang = 0;
    qsizetype laenge = 0;
};

// The lines of a text as the label wraps it, and how many of them it shows
// whole.
struct Umbruch {
    std::vector<Zeile> zeilen;
    std::size_t ganz = 0;
};

// The text as QPainter::drawText lays it out for a label without mnemonics:
// a line feed breaks the line, carriage returns and tabs are blanks. The
// length stays, so positions stay too.
QString wieGemalt(QString text)
{
    for (QChar& c : text) {
        if (c == u'\n')
            c = QChar::LineSeparator;
        else if (c == u'\r' || c == u'\t')
            c = u' ';
    }
    return text;
}

// Wraps as drawText does: word wrap at the label's width, each line on a whole
// pixel below the last one and the font's leading.
Umbruch umbrich(const QString& text, const QFont& font, QSize groesse)
{
    Umbruch u;
    QTextLayout layout(wieGemalt(text), font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    const qreal zwischenraum = QFontMetricsF(font).leading();
    qreal unten = -zwischenraum;
    layout.beginLayout();
    for (QTextLine zeile = layout.createLine(); zeile.isValid(); zeile = layout.createLine()) {
        zeile.setLineWidth(groesse.width());
        unten = qCeil(unten + zwischenraum) + zeile.ascent() + zeile.descent();
        u.zeilen.push_back({zeile.textStart(), zeile.textLength()});
        if (unten <= groesse.height())
            u.ganz = u.zeilen.size();
    }
    layout.endLayout();
    return u;
}

// How much of the start of `zeile` fits into `breite` with "…" after it,
// without the blanks before the "…".
qsizetype platzVorAuslassung(const QString& zeile, const QFont& font, qreal breite)
{
    QTextLayout layout(wieGemalt(zeile), font);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine l = layout.createLine();
    l.setLineWidth(breite);
    layout.endLayout();
    // The character under the point where "…" must begin is the first to go.
    qsizetype laenge =
        l.xToCursor(breite - QFontMetricsF(font).horizontalAdvance(Auslassung), QTextLine::CursorOnCharacter);
    laenge = std::clamp<qsizetype>(laenge, 0, zeile.size());
    while (laenge > 0 && zeile.at(laenge - 1).isSpace())
        --laenge;
    return laenge;
}

// Where the entries begin in the verdict as UTF-16 text, the first `wieviele`
// of them: the table's texts are valid UTF-8, so each byte that does not
// continue a sequence begins a character, two UTF-16 units from four bytes on.
std::vector<qsizetype> positionen(const std::string& verdikt, const std::vector<std::size_t>& eintraege,
                                  std::size_t wieviele)
{
    std::vector<qsizetype> pos;
    std::size_t byte = 0;
    qsizetype zeichen = 0;
    for (std::size_t i = 0; i < std::min(wieviele, eintraege.size()); ++i) {
        for (; byte < eintraege[i] && byte < verdikt.size(); ++byte) {
            const auto c = static_cast<unsigned char>(verdikt[byte]);
            if ((c & 0xC0) != 0x80)
                zeichen += c >= 0xF0 ? 2 : 1;
        }
        pos.push_back(zeichen);
    }
    return pos;
}

// "… und 61 weitere": how many entries follow what was shown or said.
QString undWeitere(std::size_t anzahl)
{
    return anzahl == 1 ? QStringLiteral("… und 1 weiteres") : QStringLiteral("… und %1 weitere").arg(anzahl);
}

// A verdict with the positions of its first entries; each ends where the
// next one's separator begins.
struct Verdikt {
    QString text;
    std::vector<qsizetype> anfaenge; // of the first entries, one more than is ever shown
    std::size_t anzahl = 0;          // of all of them
    qsizetype trenner = QString::fromLatin1(LoesungsTrenner).size();

    // Entry i without the blanks it ends in.
    QStringView eintrag(std::size_t i) const
    {
        const qsizetype ende = i + 1 < anfaenge.size() ? anfaenge[i + 1] - trenner : text.size();
        QStringView e = QStringView(text).mid(anfaenge[i], ende - anfaenge[i]);
        while (!e.isEmpty() && e.back().isSpace())
            e.chop(1);
        return e;
    }
    // The caption before the first entry.
    QStringView vorspann() const { return QStringView(text).left(anfaenge.front()).trimmed(); }
};

// The whole verdict for the tooltip: the caption, then one entry a line,
// as many lines as the screen holds.
QString tooltip(const Verdikt& v, const QLabel* label)
{
    const QScreen* schirm = label->screen();
    const QRect platz = schirm ? schirm->availableGeometry() : QRect(0, 0, 800, 600);
    const QFont font(QToolTip::font(), label);
    const QFontMetricsF fm(font);
    // Lines start on whole pixels; two lines' height and width are left for
    // the tooltip's frame and margin.
    const int zeilenhoehe = qCeil(fm.lineSpacing());
    const qreal breite = platz.width() - 2 * zeilenhoehe;
    const auto zeilenPlatz = std::max<qsizetype>(3, platz.height() / zeilenhoehe - 2);
    const std::size_t gezeigt = 1 + v.anzahl <= std::size_t(zeilenPlatz) ? v.anzahl : std::size_t(zeilenPlatz) - 2;
    const QString oder = QString::fromLatin1(LoesungsTrenner).trimmed() + u' ';
    // A line wider than the screen is cut; each character takes a pixel at least.
    auto passend = [&](const QString& zeile) {
        return fm.elidedText(zeile.left(platz.width()), Qt::ElideRight, breite);
    };
    // The caption has a line of its own: a tooltip takes its text for markup
    // by the first line alone, and the caption holds none, so no word from
    // the file is ever taken for markup.
    QStringList zeilen{v.vorspann().toString()};
    for (std::size_t i = 0; i < gezeigt; ++i)
        zeilen << passend((i ? oder : QString()) + v.eintrag(i).toString());
    if (gezeigt < v.anzahl)
        zeilen << undWeitere(v.anzahl - gezeigt);
    return zeilen.join(u'\n');
}

// What a screen reader says of a cut verdict: the entries shown whole and how
// many follow; when not even the first is shown whole, what is shown of it.
QString ansage(const Verdikt& v, qsizetype sichtbarBis)
{
    std::size_t ganz = 0;
    qsizetype ende = 0;
    while (ganz < v.anfaenge.size()) {
        const QStringView e = v.eintrag(ganz);
        const qsizetype eEnde = e.data() - v.text.data() + e.size();
        if (eEnde > sichtbarBis)
            break;
        ende = eEnde;
        ++ganz;
    }
    if (ganz == v.anzahl)
        return v.text.left(ende);
    if (ganz == 0)
        return v.text.left(sichtbarBis) + Auslassung
               + (v.anzahl > 1 ? undWeitere(v.anzahl - 1).mid(1) : QString());
    return v.text.left(ende) + u' ' + undWeitere(v.anzahl - ganz);
}

void setzeZusatz(QLabel* label, const QString& tipp, const QString& name)
{
    label->setToolTip(tipp);
    // Only a change is told: the label never has the focus, and a screen
    // reader need not hear about it.
    if (label->accessibleName() != name)
        label->setAccessibleName(name);
}

} // namespace

void zeigeUrteil(QLabel* label, const std::string& verdikt, const std::vector<std::size_t>& eintraege)
{
    const QFont font(label->font(), label);
    const QSize groesse = label->contentsRect().size();
    Verdikt v;
    v.text = QString::fromStdString(verdikt);
    // A solution may list thousands of entries; only what the label shows is
    // laid out, and only the entries the tooltip shows are looked at.
    const QString teil = sichtbarerText(v.text, font, groesse);
    const Umbruch u = umbrich(teil, font, groesse);
    if (teil.size() == v.text.size() && u.ganz == u.zeilen.size()) {
        label->setText(v.text);
        setzeZusatz(label, QString(), QString());
        return;
    }

    // The lines that fit whole; the last of them ends in "…", which takes the
    // place of what would stand there. Its text reaches into the next line,
    // so that there is always something for the "…" to replace.
    const std::size_t k = std::clamp<std::size_t>(u.ganz, 1, u.zeilen.size());
    QString kopf;
    for (std::size_t i = 0; i + 1 < k; ++i) {
        kopf += teil.mid(u.zeilen[i].anfang, u.zeilen[i].laenge);
        if (!kopf.endsWith(u'\n'))
            kopf += u'\n';
    }
    const Zeile letzte = u.zeilen[k - 1];
    const qsizetype bis = k < u.zeilen.size() ? u.zeilen[k].anfang + u.zeilen[k].laenge : teil.size();
    const QString rest = teil.mid(letzte.anfang, bis - letzte.anfang);
    QString anzeige;
    qsizetype platz = 0;
    // The label wraps the shortened text itself; should the last line come
    // out a hair too wide, it is made a pixel narrower.
    for (int weniger = 0; weniger <= 8; ++weniger) {
        platz = platzVorAuslassung(rest, font, groesse.width() - weniger);
        anzeige = kopf + rest.left(platz) + Auslassung;
        const Umbruch probe = umbrich(anzeige, font, groesse);
        if (probe.zeilen.size() == k && probe.ganz == k)
            break;
    }
    label->setText(anzeige);

    // The tooltip shows fewer entries than the screen has pixels in height.
    const std::size_t hoechstens =
        label->screen() ? std::size_t(label->screen()->availableGeometry().height()) + 1 : std::size_t(1000);
    v.anzahl = std::max<std::size_t>(eintraege.size(), 1);
    v.anfaenge = eintraege.empty() ? std::vector<qsizetype>{0} : positionen(verdikt, eintraege, hoechstens);
    setzeZusatz(label, tooltip(v, label), ansage(v, letzte.anfang + platz));
}

void leereUrteil(QLabel* label)
{
    label->clear();
    setzeZusatz(label, QString(), QString());
}

} // namespace olvani

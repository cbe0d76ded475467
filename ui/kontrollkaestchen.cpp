#include "kontrollkaestchen.h"

#include <QFontMetrics>
#include <QPainterPath>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace olvani {

namespace {

// Whether the caption, wrapped at word boundaries, stands whole in the field;
// the descenders of its last line may reach the edge.
bool passtGanz(const QFontMetrics& metrik, const QRect& feld, const QString& text)
{
    const QRect noetig = metrik.boundingRect(QRect(0, 0, feld.width(), 1 << 20), Qt::AlignLeft | Qt::TextWordWrap, text);
    return noetig.width() <= feld.width() && noetig.height() - metrik.descent() <= feld.height();
}

} // namespace

Kontrollkaestchen::Kontrollkaestchen(const QString& text, QWidget* parent) : QCheckBox(text, parent) {}

QRect Kontrollkaestchen::stilquadrat() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
}

QRect Kontrollkaestchen::quadrat() const
{
    // The boxes were sized for a square of 13 pixels. A style with a wider
    // one (Windows 11: 16) would push the caption out of its box; there the
    // square takes the width it was sized for.
    constexpr int ueblich = 13;
    const QRect stil = stilquadrat();
    if (stil.width() <= ueblich || passtGanz(QFontMetrics(font()), textfeld(stil.right() + 1), text()))
        return stil;
    QRect klein(stil.left(), 0, ueblich, ueblich);
    klein.moveCenter(QPoint(klein.center().x(), stil.center().y()));
    return klein;
}

QRect Kontrollkaestchen::textfeld(int rechtsVomQuadrat) const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    return rect().adjusted(rechtsVomQuadrat + style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, this), 0, 0, 0);
}

QRect Kontrollkaestchen::beschriftungsfeld() const
{
    // And where the caption still would not stand whole (Windows' fonts), the
    // gap between square and caption gives way too, down to two pixels.
    constexpr int engster = 2;
    const int rechtsVomQuadrat = quadrat().right() + 1;
    QRect feld = textfeld(rechtsVomQuadrat);
    const QFontMetrics metrik(font());
    const int links = rechtsVomQuadrat + engster;
    while (feld.left() > links && !passtGanz(metrik, feld, text()))
        feld.setLeft(feld.left() - 1);
    return feld;
}

void Kontrollkaestchen::paintEvent(QPaintEvent*)
{
    QStylePainter maler(this);
    QStyleOptionButton option;
    initStyleOption(&option);

    const QRect kaestchen = quadrat();
    const QRect stil = stilquadrat();
    QStyleOptionButton kaestchenOption = option;
    kaestchenOption.rect = stil;
    maler.save();
    if (kaestchen != stil) {
        // The style draws its own square, shrunk to the smaller one.
        maler.translate(kaestchen.topLeft());
        maler.scale(qreal(kaestchen.width()) / stil.width(), qreal(kaestchen.height()) / stil.height());
        maler.translate(-stil.topLeft());
    }
    maler.drawPrimitive(QStyle::PE_IndicatorCheckBox, kaestchenOption);
    maler.restore();
    // Some styles edge the square in a grey that is barely seen against the
    // window (Fusion: under 2 : 1, light or dark); in the window's text
    // colour it stands out in every palette, as the check mark does.
    // A frame one logical pixel wide, filled rather than stroked, so that at
    // 150 % it covers the style's edge too and its corners stay solid.
    QPainterPath rahmen;
    rahmen.addRect(QRectF(kaestchen));
    rahmen.addRect(QRectF(kaestchen).adjusted(1, 1, -1, -1));
    maler.save();
    maler.setRenderHint(QPainter::Antialiasing);
    maler.fillPath(rahmen, option.palette.color(QPalette::WindowText));
    maler.restore();

    const QRect textFeld = beschriftungsfeld();
    maler.drawItemText(textFeld, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, palette(), isEnabled(), text(),
                       QPalette::WindowText);

    if (hasFocus()) {
        QStyleOptionFocusRect fokus;
        fokus.initFrom(this);
        fokus.rect = maler.boundingRect(textFeld, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, text())
                         .intersected(textFeld);
        maler.drawPrimitive(QStyle::PE_FrameFocusRect, fokus);
    }
}

bool Kontrollkaestchen::hitButton(const QPoint& punkt) const
{
    return rect().contains(punkt);
}

} // namespace olvani

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

QRect Kontrollkaestchen::quadrat() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
}

QRect Kontrollkaestchen::beschriftungsfeld() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    const int links = quadrat().right() + 1;
    // The style's gap between square and caption, unless the caption would
    // then not stand whole in the box: Windows 11's square is wider than the
    // squares the boxes were sized for, so there the gap gives way, down to
    // two pixels.
    constexpr int engster = 2;
    const int ueblich = style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, this);
    const QFontMetrics metrik(font());
    int luecke = ueblich;
    while (luecke > engster && !passtGanz(metrik, rect().adjusted(links + luecke, 0, 0, 0), text()))
        --luecke;
    return rect().adjusted(links + luecke, 0, 0, 0);
}

void Kontrollkaestchen::paintEvent(QPaintEvent*)
{
    QStylePainter maler(this);
    QStyleOptionButton option;
    initStyleOption(&option);

    const QRect kaestchen = quadrat();
    QStyleOptionButton kaestchenOption = option;
    kaestchenOption.rect = kaestchen;
    maler.drawPrimitive(QStyle::PE_IndicatorCheckBox, kaestchenOption);
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

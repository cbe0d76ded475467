#include "kontrollkaestchen.h"

#include <QPainterPath>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace olvani {

Kontrollkaestchen::Kontrollkaestchen(const QString& text, QWidget* parent) : QCheckBox(text, parent) {}

void Kontrollkaestchen::paintEvent(QPaintEvent*)
{
    QStylePainter maler(this);
    QStyleOptionButton option;
    initStyleOption(&option);

    const QRect kaestchen = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
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

    const int abstand = style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, this);
    const QRect textFeld = rect().adjusted(kaestchen.right() + 1 + abstand, 0, 0, 0);
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

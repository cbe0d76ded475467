#pragma once

#include <QCheckBox>

namespace olvani {

// A check box whose caption wraps at word boundaries inside its fixed
// rectangle (QCheckBox draws one line only) and is cut off below. A click
// anywhere in the rectangle toggles it.
class Kontrollkaestchen : public QCheckBox {
    Q_OBJECT

public:
    Kontrollkaestchen(const QString& text, QWidget* parent);

    // Where the caption stands, right of the square.
    QRect beschriftungsfeld() const;

protected:
    void paintEvent(QPaintEvent* ereignis) override;
    bool hitButton(const QPoint& punkt) const override;

private:
    QRect stilquadrat() const;
    QRect quadrat() const;
    QRect textfeld(int rechtsVomQuadrat) const;
};

} // namespace olvani

#pragma once

#include <QLineEdit>

namespace olvani {

// One of the two answer boxes. Disabled, it shows the question, the one text
// the learner must read on every turn: a disabled box still takes no focus, no
// typing and no Tab, and is reported as not enabled, but its text is drawn in
// the palette's normal text colour instead of greyed out. The disabled
// background stays (or, where the palette has none of its own, a shade of
// it), so the box that takes the answer still looks different.
class Fragefeld : public QLineEdit {
    Q_OBJECT

public:
    explicit Fragefeld(QWidget* parent);

protected:
    void changeEvent(QEvent* ereignis) override;

private:
    void folgeDerPalette();

    QPalette eigene_; // the colours last given to the box itself
};

} // namespace olvani

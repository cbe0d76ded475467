#pragma once

#include <QLineEdit>

namespace olvani {

// The box of one side, German or foreign; the window has one of each. Enabled,
// it takes the answer. Disabled, it shows the question, the one text the
// learner must read on every turn: a disabled box still takes no focus, no
// typing and no Tab, and is reported as not enabled, but its text is drawn in
// the palette's normal text colour instead of greyed out. The disabled
// background stays (or, where the palette has none of its own, a shade of
// it), so the box that takes the answer still looks different.
class Seitenfeld : public QLineEdit {
    Q_OBJECT

public:
    explicit Seitenfeld(QWidget* parent);

protected:
    void changeEvent(QEvent* ereignis) override;

private:
    void folgeDerPalette();

    QPalette eigene_; // the colours last given to the box itself
};

} // namespace olvani

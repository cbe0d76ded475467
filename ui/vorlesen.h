#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace olvani::vorlesen {

// Gives a control this accessible description. A screen reader speaks the
// description together with name and role when the focus arrives, and again
// when it changes while the focus is there; an unchanged, non-empty text is
// announced anyway, so that asking the same word twice is heard twice.
void beschreibe(QWidget* feld, const QString& text);

enum class Dringlichkeit { Hoeflich, Sofort };

// Has the screen reader speak the label's text once, without the focus
// moving there. Needs Qt 6.8; older Qt has no announcement, and only the
// label's own name change (which screen readers skip for a label without
// the focus) goes out.
void sagAn(const QLabel* zeile, Dringlichkeit dringlichkeit);

} // namespace olvani::vorlesen

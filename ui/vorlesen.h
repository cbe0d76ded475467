#pragma once

#include <QString>

#include <initializer_list>

class QLabel;
class QWidget;

namespace olvani::vorlesen {

// Gives a control this accessible description. A screen reader speaks the
// description together with name and role when the focus arrives, and again
// when it changes while the focus is there; an unchanged, non-empty text is
// announced anyway, so that asking the same word twice is heard twice.
void beschreibe(QWidget* feld, const QString& text);

// Has the screen reader speak the texts of these labels, in this order, once,
// without the focus moving there. They go out as one polite announcement from
// the first label: Orca drops a second announcement that follows within a
// tenth of a second, and a polite one does not cut off the report of where
// the focus went. Qt before 6.8 has no announcement, and screen readers skip
// name changes of a label without the focus; there the texts become the
// description of the window's focused control (nothing when none has it),
// until the focus leaves it or vergissAnsage() is called.
void sagAn(std::initializer_list<const QLabel*> zeilen);

// Gives the focused control back the description it had before sagAn(), so
// that an old verdict is not read out with the next question.
void vergissAnsage();

} // namespace olvani::vorlesen

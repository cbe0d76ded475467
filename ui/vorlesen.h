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
// without the focus moving there. fokusVorher is the control that had the
// focus when the learner's action began.
//
// They go out as one polite announcement from the first label: Orca drops a
// second announcement that follows within a tenth of a second, and a polite
// one does not cut off the report of where the focus went. Qt before 6.8 has
// no announcement, screen readers skip name changes of a label without the
// focus, and Orca 43 cannot read the description change of a control that
// already has the focus. So there, when the focus has moved since the action
// began or the window is waiting for it to come back from a message box, the
// texts become the description of the window's focused control, heard with
// it, until the focus leaves it or vergissAnsage() is called; when the focus
// stayed, they are shown as a notification in a status bar that has no size.
void sagAn(std::initializer_list<const QLabel*> zeilen, const QWidget* fokusVorher);

// Gives the focused control back the description it had before sagAn(), and
// takes the notification away, so that an old verdict is not read out with
// the next question.
void vergissAnsage();

// Keeps Qt's AT-SPI bridge from writing to stderr: with a screen reader
// running it reports every question about a window that is gone, such as
// the closed start window. Its other logging categories stay as they are,
// and QT_LOGGING_RULES can still switch it on.
void schweigeBruecke();

} // namespace olvani::vorlesen

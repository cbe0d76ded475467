#pragma once

#include <QString>

#include <initializer_list>

class QLabel;
class QWidget;

// What a learner who listens hears of the main window. The window says what
// happened; how it reaches the screen reader depends on the Qt version and
// lives behind these few calls (vorlesen_qt64.cpp or vorlesen_qt68.cpp, as
// CMake chooses).
namespace olvani::vorlesen {

// A new question, before the answer box gets the focus: what was told
// before goes, and the word shown becomes the answer box's description, so
// that it is heard when the focus arrives (again, when the same word is
// asked twice). The box showing the question describes nothing.
void neueFrage(QWidget* antwortfeld, QWidget* fragefeld, const QString& gezeigt);

// No question is open: neither box describes one.
void keineFrage(QWidget* txtDeutsch, QWidget* txtOlvani);

// Has the screen reader speak the texts of these labels, in this order, once,
// without the focus moving there. fokusVorher is the control that had the
// focus when the learner's action began.
void sagAn(std::initializer_list<const QLabel*> zeilen, const QWidget* fokusVorher);

// What is said of a label: its accessible name where it has one (the verdict
// label has one while its text is cut), else its text.
QString gesagt(const QLabel* zeile);

// Takes back what sagAn() left with the focused control, so that an old
// verdict is not read out with the next question.
void vergissAnsage();

// Gives a control this accessible description. A screen reader speaks it
// together with name and role when the focus arrives, and again when it
// changes while the focus is there; an unchanged, non-empty text is
// announced anyway, so that asking the same word twice is heard twice.
void beschreibe(QWidget* feld, const QString& text);

// Keeps Qt's AT-SPI bridge from writing to stderr: with a screen reader
// running it reports every question about a window that is gone, such as
// the closed start window. Its other logging categories stay as they are,
// and QT_LOGGING_RULES can still switch it on.
void schweigeBruecke();

} // namespace olvani::vorlesen

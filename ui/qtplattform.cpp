#include "qtplattform.h"

#include <QApplication>
#include <QMessageBox>

namespace olvani {

namespace {

QMessageBox::Icon bild(Symbol symbol)
{
    switch (symbol) {
    case Symbol::Ausruf:
        return QMessageBox::Warning;
    case Symbol::Information:
        return QMessageBox::Information;
    case Symbol::Kritisch:
        return QMessageBox::Critical;
    case Symbol::Keins:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void QtPlattform::meldung(const std::string& text, Symbol symbol)
{
    QMessageBox box(bild(symbol), QStringLiteral("Olvani"), QString::fromStdString(text), QMessageBox::Ok, fenster_);
    box.setTextFormat(Qt::PlainText); // paths and words from the file are never markup
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void QtPlattform::signalton()
{
    QApplication::beep();
}

void QtPlattform::beenden(int status)
{
    // No window may stay on screen, and no queued event may run after this.
    for (QWidget* fenster : QApplication::topLevelWidgets())
        fenster->hide();
    QCoreApplication::exit(status);
}

} // namespace olvani

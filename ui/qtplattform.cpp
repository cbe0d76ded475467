#include "qtplattform.h"

#include <QApplication>
#include <QMessageBox>

namespace olvani {

void QtPlattform::meldung(const std::string& text, Symbol symbol)
{
    static constexpr QMessageBox::Icon symbole[] = {QMessageBox::NoIcon, QMessageBox::Warning,
                                                    QMessageBox::Information, QMessageBox::Critical};
    QMessageBox box(symbole[static_cast<int>(symbol)], QStringLiteral("Olvani"), QString::fromStdString(text),
                    QMessageBox::Ok, fenster_);
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

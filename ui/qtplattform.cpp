#include "qtplattform.h"

#include <QApplication>
#include <QMessageBox>
#include <QTime>

namespace olvani {

QtPlattform::QtPlattform()
    // Seeded once per run: reseeding from the clock at every question would
    // repeat the same pick within a second.
    : generator_(static_cast<std::uint64_t>(QTime::currentTime().msecsSinceStartOfDay()) ^ std::random_device{}())
{
}

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

double QtPlattform::r()
{
    // 53 random bits scaled into [0, 1): never 1, unlike some distributions.
    return static_cast<double>(generator_() >> 11) * 0x1.0p-53;
}

} // namespace olvani

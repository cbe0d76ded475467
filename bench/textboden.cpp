// The floor of start-up: a Qt window of the start window's size that shows
// one line of bold Liberation Sans, so that fonts are loaded as well.
#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLabel fenster(QStringLiteral("Olvani-Trainer"));
    fenster.setFont(QFont(QStringLiteral("Liberation Sans"), 26, QFont::Bold));
    fenster.resize(492, 346);
    fenster.show();
    return app.exec();
}

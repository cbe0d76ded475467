#pragma once

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

namespace olvani {

// A temporary folder made the current directory, holding an olvani.txt with
// the given bytes (or none); the old current directory comes back at the end.
class Vokabelordner {
public:
    explicit Vokabelordner(const QByteArray* inhalt)
    {
        QDir::setCurrent(ordner_.path());
        if (inhalt) {
            QFile datei(ordner_.filePath(QStringLiteral("olvani.txt")));
            if (datei.open(QIODevice::WriteOnly))
                datei.write(*inhalt);
        }
    }
    ~Vokabelordner() { QDir::setCurrent(vorher_); }
    QString pfad() const { return ordner_.path(); }

private:
    QString vorher_ = QDir::currentPath();
    QTemporaryDir ordner_;
};

// No window may outlive a test.
inline int sichtbareFenster()
{
    int anzahl = 0;
    for (const QWidget* w : QApplication::topLevelWidgets())
        anzahl += w->isVisible() ? 1 : 0;
    return anzahl;
}

} // namespace olvani

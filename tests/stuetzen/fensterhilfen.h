#pragma once

#include "steuerelement.h"
#include "ui/hauptfenster.h"

#include <QApplication>
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QPushButton>
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

// The learner's first click: the start window's button, over a folder
// whose olvani.txt holds these bytes. The start window is gone afterwards.
inline void startknopfUeber(frmHauptfenster& fenster, const QByteArray& inhalt)
{
    Vokabelordner ordner(&inhalt);
    steuerelement<QPushButton>(fenster.startfenster(), "Command1")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Sets the window's counters directly, for states no click sequence can
// reach in a test's time or at all: the limits near 32767 answers, or an
// entry answered before in a run that has just begun (both start at zero
// when the file is loaded). The entry counters move by the table's own
// steps, so they keep the table's checks.
class Zaehlerstand {
public:
    static void setzeLauf(frmHauptfenster& fenster, int erfolge, int fehler)
    {
        fenster.lauf_.Erfolge = erfolge;
        fenster.lauf_.Fehler = fehler;
    }
    static void zaehleEintrag(frmHauptfenster& fenster, int eintrag, int richtige, int falsche)
    {
        for (int k = 0; k < richtige; ++k)
            fenster.tabelle_.zaehleRichtig(eintrag);
        for (int k = 0; k < falsche; ++k)
            fenster.tabelle_.zaehleFalsch(eintrag);
    }
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

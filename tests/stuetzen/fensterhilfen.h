#pragma once

#include "steuerelement.h"
#include "testplattform.h"
#include "testzufall.h"
#include "ui/hauptfenster.h"

#include <QApplication>
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QPushButton>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <memory>

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

// Asks `mal` questions and answers each correctly, as a learner would, so
// that the entries asked have been answered before.
inline void antworteRichtig(frmHauptfenster& fenster, int mal)
{
    for (int k = 0; k < mal; ++k) {
        steuerelement<QPushButton>(&fenster, "cmdStart")->click();
        QVERIFY(fenster.lauf());
        const Durchlauf& lauf = *fenster.lauf();
        const Frage* frage = lauf.offeneFrage();
        QVERIFY(frage);
        const int n = lauf.Nummer();
        if (frage->seite == Seite::Deutsch) {
            steuerelement<QLineEdit>(&fenster, "txtOlvani")->setText(QString::fromStdString(lauf.tabelle().Wort(n)));
        } else {
            int spalte = 1;
            while (spalte < Bedeutungen && lauf.tabelle().Bedeutung(n, spalte).empty())
                ++spalte;
            steuerelement<QLineEdit>(&fenster, "txtDeutsch")
                ->setText(QString::fromStdString(lauf.tabelle().Bedeutung(n, spalte)));
        }
        steuerelement<QPushButton>(&fenster, "cmdRichtig1")->click();
    }
}

// No window may outlive a test.
inline int sichtbareFenster()
{
    int anzahl = 0;
    for (const QWidget* w : QApplication::topLevelWidgets())
        anzahl += w->isVisible() ? 1 : 0;
    return anzahl;
}

// The main window as the window tests start it: over the test desktop and a
// seeded random source, its controls at hand by name.
class Fensterprobe {
public:
    explicit Fensterprobe(unsigned seed = 1, frmHauptfenster::Aufbau aufbau = frmHauptfenster::Aufbau::Sofort)
        : zufall(seed), fenster(plattform, zufall, aufbau)
    {
    }

    template <class T = QWidget>
    T* element(const char* name) const { return steuerelement<T>(&fenster, name); }
    QLineEdit* txtDeutsch() const { return element<QLineEdit>("txtDeutsch"); }
    QLineEdit* txtOlvani() const { return element<QLineEdit>("txtOlvani"); }
    QPushButton* cmdStart() const { return element<QPushButton>("cmdStart"); }
    QPushButton* cmdRichtig1() const { return element<QPushButton>("cmdRichtig1"); }
    QPushButton* cmdRichtig2() const { return element<QPushButton>("cmdRichtig2"); }
    QLabel* lblInfo() const { return element<QLabel>("lblInfo"); }
    QLabel* lblInfo2() const { return element<QLabel>("lblInfo2"); }
    void klick(const char* name) const { element<QPushButton>(name)->click(); }
    // The answer box that is enabled, or none.
    QLineEdit* offenesFeld() const
    {
        return txtDeutsch()->isEnabled() ? txtDeutsch() : txtOlvani()->isEnabled() ? txtOlvani() : nullptr;
    }

    // The main window shown and active, so that keys and focus behave.
    void zeigeAktiv()
    {
        fenster.show();
        fenster.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&fenster));
    }
    // Start-up as a learner goes it: the start window, its button over an
    // olvani.txt with these bytes, then the main window active.
    void lade(const QByteArray& inhalt)
    {
        fenster.laden();
        startknopfUeber(fenster, inhalt);
        QVERIFY(fenster.isVisible());
        zeigeAktiv();
    }

    Testplattform plattform;
    Testzufall zufall;
    frmHauptfenster fenster;
};

// The end of every window test: the window goes, and nothing stays on screen.
inline void raeumeAuf(std::unique_ptr<Fensterprobe>& probe)
{
    probe.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(sichtbareFenster(), 0);
}

} // namespace olvani

// "Richtig?" in the main window over 10000 entries, up to the verdict label
// as the learner sees it: the usual question, and the one whose meaning every
// entry holds, so the solution lists them all.

#include "ui/hauptfenster.h"

#include "eingaben.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <string>

namespace {

using namespace olvani;

// The desktop behind the seam, without message boxes: one would hold the
// measurement up (the fifth right answer of an entry brings one).
class Messplattform : public Plattform {
public:
    void meldung(const std::string&, Symbol) override {}
    void signalton() override {}
    void beenden(int) override { beendet = true; }

    bool beendet = false;
};

// Lets the toolkit finish what a click started: layout and paint.
void abarbeiten()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
}

template <typename T>
T* element(const QWidget* fenster, const char* name)
{
    return fenster->findChild<T*>(QLatin1String(name));
}

// Loads the file as the program does: olvani.txt in the current folder,
// read when the start window's button is pressed. Also starts a fresh run.
bool ladeUeberStartfenster(frmHauptfenster& fenster, const std::string& datei)
{
    QTemporaryDir ordner;
    QFile olvani(ordner.filePath(QStringLiteral("olvani.txt")));
    if (!olvani.open(QIODevice::WriteOnly) || olvani.write(datei.data(), qint64(datei.size())) != qint64(datei.size()))
        return false;
    olvani.close();
    const QString vorher = QDir::currentPath();
    QDir::setCurrent(ordner.path());
    fenster.laden();
    element<QPushButton>(fenster.startfenster(), "Command1")->click();
    QDir::setCurrent(vorher);
    abarbeiten();
    return fenster.isVisible() && fenster.lauf() && fenster.lauf()->tabelle().Anzahl() == 10000;
}

// Asking the question ("Abfragen", a German meaning shown) and typing are
// not timed; half the answers are right.
void BM_RichtigMitAnzeige(benchmark::State& state, bool alleTeilen)
{
    const std::string datei =
        alleTeilen ? messung::vokabeldateiAlleMit(10000, "Haus") : messung::vokabeldatei(10000);
    Messplattform plattform;
    messung::Zufall zufall;
    frmHauptfenster fenster(plattform, zufall);
    if (!ladeUeberStartfenster(fenster, datei)) {
        state.SkipWithError("vocabulary not loaded");
        return;
    }
    auto* txtOlvani = element<QLineEdit>(&fenster, "txtOlvani");
    auto* cmdStart = element<QPushButton>(&fenster, "cmdStart");
    auto* cmdRichtig1 = element<QPushButton>(&fenster, "cmdRichtig1");
    bool richtig = false;
    for (auto _ : state) {
        state.PauseTiming();
        // The run's counters would pass 32767 in a long measurement.
        if (fenster.lauf()->Erfolge() + fenster.lauf()->Fehler() > 32000)
            ladeUeberStartfenster(fenster, datei);
        cmdStart->click();
        richtig = !richtig;
        txtOlvani->setText(richtig ? QString::fromStdString(fenster.lauf()->tabelle().Wort(fenster.lauf()->Nummer()))
                                   : QStringLiteral("falsch"));
        abarbeiten();
        state.ResumeTiming();

        cmdRichtig1->click();
        abarbeiten();
    }
    if (plattform.beendet)
        state.SkipWithError("the program ended");
}
BENCHMARK_CAPTURE(BM_RichtigMitAnzeige, Deutsch_gezeigt, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RichtigMitAnzeige, alle_teilen, true)->Unit(benchmark::kMillisecond);

} // namespace

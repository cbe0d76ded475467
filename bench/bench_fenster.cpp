// "Richtig?" in the main window over 10000 entries, up to the verdict label
// as the learner sees it: the usual question, and the one whose meaning every
// entry holds, so the solution lists them all; and the tooltip of that
// verdict, cut in the label, opening.

#include "stuetzen/fensterhilfen.h"
#include "stuetzen/testzufall.h"
#include "ui/hauptfenster.h"

#include "eingaben.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolTip>

#include <string>

namespace {

using namespace olvani;

// Lets the toolkit finish what a click started: layout and paint.
void abarbeiten()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
}

// Loads the file as the program does, through the start window; also starts
// a fresh run.
bool lade(frmHauptfenster& fenster, const std::string& datei)
{
    fenster.laden();
    startknopfUeber(fenster, QByteArray::fromStdString(datei));
    abarbeiten();
    return fenster.isVisible() && fenster.lauf() && fenster.lauf()->tabelle().Anzahl() == 10000;
}

// The main window over the test desktop with the file loaded; messages are
// recorded, not shown, since a box would hold the measurement up (the fifth
// right answer of an entry brings one).
struct Messfenster {
    Testplattform plattform;
    Testzufall zufall{42};
    frmHauptfenster fenster{plattform, zufall};
};

// Asking the question ("Abfragen", a German meaning shown) and typing are
// not timed; half the answers are right.
void BM_RichtigMitAnzeige(benchmark::State& state, bool alleTeilen)
{
    const std::string datei =
        alleTeilen ? messung::vokabeldateiAlleMit(10000, "Haus") : messung::vokabeldatei(10000);
    Messfenster m;
    auto& fenster = m.fenster;
    if (!lade(fenster, datei)) {
        state.SkipWithError("vocabulary not loaded");
        return;
    }
    auto* txtOlvani = steuerelement<QLineEdit>(&fenster, "txtOlvani");
    auto* cmdStart = steuerelement<QPushButton>(&fenster, "cmdStart");
    auto* cmdRichtig1 = steuerelement<QPushButton>(&fenster, "cmdRichtig1");
    bool richtig = false;
    for (auto _ : state) {
        state.PauseTiming();
        // The run's counters would pass 32767 in a long measurement.
        if (fenster.lauf()->Erfolge() + fenster.lauf()->Fehler() > 32000)
            lade(fenster, datei);
        cmdStart->click();
        richtig = !richtig;
        txtOlvani->setText(richtig ? QString::fromStdString(fenster.lauf()->tabelle().Wort(fenster.lauf()->Nummer()))
                                   : QStringLiteral("falsch"));
        abarbeiten();
        state.ResumeTiming();

        cmdRichtig1->click();
        abarbeiten();
    }
    if (!m.plattform.beendetMit.empty())
        state.SkipWithError("the program ended");
}
BENCHMARK_CAPTURE(BM_RichtigMitAnzeige, Deutsch_gezeigt, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RichtigMitAnzeige, alle_teilen, true)->Unit(benchmark::kMillisecond);

// The mouse resting on the verdict of a meaning all 10000 entries hold.
void BM_TooltipDesUrteils(benchmark::State& state)
{
    const std::string datei = messung::vokabeldateiAlleMit(10000, "Haus");
    Messfenster m;
    auto& fenster = m.fenster;
    if (!lade(fenster, datei)) {
        state.SkipWithError("vocabulary not loaded");
        return;
    }
    auto* lblInfo = steuerelement<QLabel>(&fenster, "lblInfo");
    const QPoint mitte = lblInfo->rect().center();
    // The offscreen platform cannot raise the tooltip and says so each time.
    static QtMessageHandler vorher = nullptr;
    vorher = qInstallMessageHandler([](QtMsgType art, const QMessageLogContext& ort, const QString& text) {
        if (text != QLatin1String("This plugin does not support raise()"))
            vorher(art, ort, text);
    });
    for (auto _ : state) {
        state.PauseTiming();
        if (fenster.lauf()->Fehler() > 32000)
            lade(fenster, datei);
        // A new verdict each time, so that the tooltip is laid out anew.
        steuerelement<QPushButton>(&fenster, "cmdStart")->click();
        steuerelement<QPushButton>(&fenster, "cmdRichtig1")->click();
        QToolTip::hideText();
        abarbeiten();
        state.ResumeTiming();

        QHelpEvent ereignis(QEvent::ToolTip, mitte, lblInfo->mapToGlobal(mitte));
        QCoreApplication::sendEvent(lblInfo, &ereignis);
        abarbeiten();
    }
    if (!QToolTip::isVisible())
        state.SkipWithError("no tooltip");
    qInstallMessageHandler(vorher);
}
BENCHMARK(BM_TooltipDesUrteils)->Unit(benchmark::kMillisecond);

} // namespace

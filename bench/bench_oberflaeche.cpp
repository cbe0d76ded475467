// The windows: the "Richtig?" cycle with the verdict label as the learner sees
// it, and building and showing the two windows against the toolkit's floor.

#include "ui/hauptfenster.h"
#include "ui/startfenster.h"

#include "eingaben.h"
#include "version.h"
#include "tests/stuetzen/steuerelement.h"
#include "tests/stuetzen/testplattform.h"

#include <benchmark/benchmark.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QWidget>
#include <QWindow>

#include <chrono>
#include <memory>
#include <string>
#include <utility>

namespace {

using namespace olvani;

constexpr int Eintraege = 10000;

// Lets the toolkit finish what showing, changing or closing windows started:
// expose, layout and paint.
void abarbeiten()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QString qs(const std::string& text) { return QString::fromStdString(text); }

// Loads the file as the program does: olvani.txt in the current directory,
// read when the start window's button is pressed. Also starts a fresh run.
void ladeUeberStartfenster(frmHauptfenster& fenster, const std::string& datei)
{
    QTemporaryDir ordner;
    QFile olvani(ordner.filePath(QStringLiteral("olvani.txt")));
    if (!olvani.open(QIODevice::WriteOnly))
        return;
    olvani.write(datei.data(), static_cast<qint64>(datei.size()));
    olvani.close();
    const QString vorher = QDir::currentPath();
    QDir::setCurrent(ordner.path());
    fenster.laden();
    steuerelement<QPushButton>(fenster.startfenster(), "Command1")->click();
    QDir::setCurrent(vorher);
    abarbeiten();
}

// One "Richtig?" press at a time, with `gezeigt` (UTF-8) as the meaning
// shown, or the entry's first meaning when it is empty; half the answers are
// right. Asking the question ("Abfragen") is not timed.
void richtigZyklus(benchmark::State& state, const std::string& datei, const std::string& gezeigt)
{
    Testplattform plattform;
    frmHauptfenster fenster(plattform, plattform);
    ladeUeberStartfenster(fenster, datei);
    if (!fenster.windowHandle() || !fenster.windowHandle()->isExposed() || fenster.tabelle().Anzahl() != Eintraege) {
        state.SkipWithError("main window not exposed or vocabulary not loaded");
        return;
    }
    const Vokabeltabelle& t = fenster.tabelle();
    auto* txtDeutsch = steuerelement<QLineEdit>(&fenster, "txtDeutsch");
    auto* txtOlvani = steuerelement<QLineEdit>(&fenster, "txtOlvani");
    auto* cmdStart = steuerelement<QPushButton>(&fenster, "cmdStart");
    auto* cmdRichtig1 = steuerelement<QPushButton>(&fenster, "cmdRichtig1");
    const QLabel* lblInfo = steuerelement<QLabel>(&fenster, "lblInfo");

    bool richtig = false;
    std::size_t laenge = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // The run's counters would pass 32767 in a long measurement.
        if (fenster.lauf().Erfolge() + fenster.lauf().Fehler() > 32000)
            ladeUeberStartfenster(fenster, datei);
        cmdStart->click(); // a German meaning shown, the foreign word asked for
        const int n = fenster.lauf().Nummer();
        txtDeutsch->setText(qs(gezeigt.empty() ? t.Bedeutung(n, 1) : gezeigt));
        richtig = !richtig;
        txtOlvani->setText(qs(richtig ? t.Wort(n) : std::string("falsch")));
        abarbeiten();
        state.ResumeTiming();

        cmdRichtig1->click();
        abarbeiten();
        laenge += static_cast<std::size_t>(lblInfo->text().size());
    }
    state.counters["label_chars"] = static_cast<double>(laenge) / static_cast<double>(state.iterations());
}

void BM_RichtigMitAnzeige_Deutsch_gezeigt(benchmark::State& state)
{
    richtigZyklus(state, messung::vokabeldatei(Eintraege), {});
}
BENCHMARK(BM_RichtigMitAnzeige_Deutsch_gezeigt)->Unit(benchmark::kMillisecond);

void BM_RichtigMitAnzeige_alle_teilen(benchmark::State& state)
{
    richtigZyklus(state, messung::vokabeldateiAlleMit(Eintraege, "Haus"), "Haus");
}
BENCHMARK(BM_RichtigMitAnzeige_alle_teilen)->Unit(benchmark::kMillisecond);

// Creating, showing and destroying one empty window: what any window costs.
void leeresFenster()
{
    auto w = std::make_unique<QWidget>();
    w->show();
    abarbeiten();
    w.reset();
    abarbeiten();
}

// Start-up as the program does it: the main window loads (showing the start
// window), then the main window is shown; both are destroyed again.
void beideFenster(Testplattform& plattform)
{
    auto fenster = std::make_unique<frmHauptfenster>(plattform, plattform);
    fenster->laden();
    fenster->show();
    abarbeiten();
    fenster.reset(); // takes the start window with it
    abarbeiten();
}

// The same kinds and numbers of controls, captions, fonts and sizes in two
// plain windows, without any of the program's code: what the toolkit needs
// for this content, to tell its cost from the program's.
void nackteFenster()
{
    const auto r = [](int x, int y, int b, int h) {
        return QRect((x + 7) / 15, (y + 7) / 15, (b + 7) / 15, (h + 7) / 15); // twips to pixels
    };
    const auto font = [](double punkte, bool fett) {
        QFont f(QStringLiteral("Liberation Sans"));
        f.setPointSizeF(punkte);
        f.setBold(fett);
        return f;
    };
    const auto setze = [](QWidget* w, QRect g, const QFont& f) { w->setGeometry(g); w->setFont(f); };

    auto haupt = std::make_unique<QWidget>();
    haupt->resize(321, 454);
    QWidget* h = haupt.get();
    const QFont normal = font(8.25, false);
    for (int oben : {240, 840})
        setze(new QLineEdit(h), r(1200, oben, 3495, 375), font(12, true));
    setze(new QGroupBox(QStringLiteral("Abfrage"), h), r(120, 3600, 4575, 855), normal);
    for (const char* text : {"Deutsch", "Olvni", "Zufall"})
        setze(new QRadioButton(QLatin1String(text), h), r(180, 3960, 1215, 255), normal);
    for (const QString& text : {QString(), QString(), QStringLiteral("Deutsch"), QStringLiteral("Olvani"),
                                QStringLiteral("Olvani-Trainer, Version ") + QLatin1String(versionsnummer)}) {
        auto* l = new QLabel(text, h);
        l->setWordWrap(true);
        setze(l, r(120, 1440, 4575, 855), normal);
    }
    for (const char* text : {"Abfragen", "Richtig?", "Doch Richtig!"})
        setze(new QPushButton(QLatin1String(text), h), r(120, 2520, 1455, 495), normal);
    for (const char* text : {"jedes Wort nur einmal", "nur markierte W\u00f6rter abfragen", "nur Verben abfragen",
                             "kluges Training (fr\u00e4gt W\u00f6rter, die oft falsch beantwotet werden \u00f6fter)",
                             "W\u00f6rter, die f\u00fcnfmal richtig beantwortet wurden, nicht mehr fragen"})
        setze(new QCheckBox(QString::fromUtf8(text), h), r(240, 4560, 2415, 615), normal);
    auto* linie = new QFrame(h);
    linie->setFrameShape(QFrame::HLine);

    auto start = std::make_unique<QWidget>(nullptr, Qt::Window | Qt::FramelessWindowHint);
    start->setFixedSize(492, 346);
    auto* rahmen = new QFrame(start.get());
    rahmen->setFrameShape(QFrame::Box);
    rahmen->setGeometry(r(150, 60, 7080, 4995));
    const std::pair<QString, QFont> beschriftungen[] = {
        {QStringLiteral("Betaversion"), font(8.25, true)},
        {QStringLiteral("Bemoka!"), font(18, true)},
        {QStringLiteral("Olvani-Trainer"), font(32.25, true)},
        {QStringLiteral("Version ") + QLatin1String(versionsnummer), font(12, true)},
        {QStringLiteral("Der Olvani-Trainer versucht nun, die Textdatei \"olvni.txt\" zu laden!"), font(9.75, true)}};
    for (const auto& [text, f] : beschriftungen)
        setze(new QLabel(text, rahmen), r(120, 1560, 6855, 765), f);
    setze(new QPushButton(QStringLiteral("olvani.txt laden und starten"), rahmen), r(2123, 4320, 3135, 495),
          font(8.25, true));

    start->show();
    haupt->show();
    abarbeiten();
    start.reset();
    haupt.reset();
    abarbeiten();
}

void BM_Fenster_leeres_QWidget(benchmark::State& state)
{
    for (auto _ : state)
        leeresFenster();
}
BENCHMARK(BM_Fenster_leeres_QWidget)->Unit(benchmark::kMillisecond);

void BM_Fenster_nackt_gleiche_Steuerelemente(benchmark::State& state)
{
    for (auto _ : state)
        nackteFenster();
}
BENCHMARK(BM_Fenster_nackt_gleiche_Steuerelemente)->Unit(benchmark::kMillisecond);

// Timed by hand: the floor and the plain windows are measured in the same
// iterations, interleaved, so that the ratios compare them under the same
// conditions (x_floor: against one empty window; x_plain_same: against the
// same controls without the program's code).
void BM_Fenster_beide(benchmark::State& state)
{
    using Uhr = std::chrono::steady_clock;
    Testplattform plattform;
    {
        // Both windows must really appear, or the figure means nothing.
        frmHauptfenster probe(plattform, plattform);
        probe.laden();
        probe.show();
        abarbeiten();
        if (!probe.startfenster() || !probe.startfenster()->isVisible() || !probe.isVisible())
            state.SkipWithError("the windows did not appear");
    }
    double boden = 0;
    double nackt = 0;
    double fenster = 0;
    for (auto _ : state) {
        const auto t0 = Uhr::now();
        leeresFenster();
        const auto t1 = Uhr::now();
        nackteFenster();
        const auto t2 = Uhr::now();
        beideFenster(plattform);
        const auto t3 = Uhr::now();
        const double dauer = std::chrono::duration<double>(t3 - t2).count();
        boden += std::chrono::duration<double>(t1 - t0).count();
        nackt += std::chrono::duration<double>(t2 - t1).count();
        fenster += dauer;
        state.SetIterationTime(dauer);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["floor_ms"] = boden * 1e3 / n;
    state.counters["x_floor"] = fenster / boden;
    state.counters["plain_same_ms"] = nackt * 1e3 / n;
    state.counters["x_plain_same"] = fenster / nackt;
}
BENCHMARK(BM_Fenster_beide)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

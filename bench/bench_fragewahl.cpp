// Choosing the next question over a full table, under each option and in the
// cases where almost nothing qualifies.

#include "quiz/durchlauf.h"
#include "vocab/vokabeldatei.h"

#include "eingaben.h"
#include "tests/stuetzen/testzufall.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

namespace {

using namespace olvani;

constexpr int Eintraege = 10000;

const Vokabeltabelle& grundtabelle()
{
    static const Vokabeltabelle tabelle = liesVokabeln(messung::vokabeldatei(Eintraege), "olvani.txt");
    return tabelle;
}

enum class Fall {
    KeineOption,
    Richtig,          // half the entries answered correctly five times
    Wort,             // half the entries asked this round
    Neu,              // entries with Kennung left out, asked ones marked
    NurVerben,        // about a fifth are verbs
    KlugesTraining,   // fresh run: R = 1
    EinzigesVerb,     // verbs only, and there is exactly one
    KlugesTrainingR600, // 30000 answers given, one entry ever answered wrongly
};

struct Aufbau {
    Vokabeltabelle tabelle;
    Durchlauf::Stand stand;
    Optionen optionen;
};

Aufbau baue(Fall fall)
{
    Aufbau a{fall == Fall::EinzigesVerb
                 ? liesVokabeln(messung::vokabeldateiMitEinemVerb(Eintraege, Eintraege / 2 + 17), "olvani.txt")
                 : grundtabelle(),
             {},
             {}};
    Vokabeltabelle& t = a.tabelle;
    switch (fall) {
    case Fall::KeineOption:
        break;
    case Fall::Richtig:
        a.optionen.ohneFuenfmalRichtige = true;
        for (int i = 1; i <= Eintraege; i += 2)
            for (int k = 0; k < 5; ++k)
                t.zaehleRichtig(i);
        break;
    case Fall::Wort:
        a.optionen.jedesWortEinmal = true;
        for (int i = 2; i <= Eintraege; i += 2)
            a.stand.gefragt.push_back(i);
        break;
    case Fall::Neu:
        a.optionen.ohneKennung = true;
        break;
    case Fall::NurVerben:
    case Fall::EinzigesVerb:
        a.optionen.nurVerben = true;
        break;
    case Fall::KlugesTraining:
        a.optionen.klugesTraining = true;
        break;
    case Fall::KlugesTrainingR600:
        a.optionen.klugesTraining = true;
        a.stand.erfolge = 15000;
        a.stand.fehler = 15000;
        for (int k = 0; k < 3; ++k)
            t.zaehleFalsch(Eintraege / 3);
        break;
    }
    return a;
}

// Entries that pass the check boxes as the run starts (before any question).
int passende(const Durchlauf& lauf, const Optionen& o)
{
    const Vokabeltabelle& t = lauf.tabelle();
    int anzahl = 0;
    for (int i = 1; i <= t.Anzahl(); ++i) {
        const bool raus = (o.ohneFuenfmalRichtige && t.RichtigZaehler(i) > 4) || (o.jedesWortEinmal && lauf.Gefragt(i) == 1)
                          || (o.ohneKennung && t.Kennung(i)) || (o.nurVerben && !t.istVerb(i));
        anzahl += raus ? 0 : 1;
    }
    return anzahl;
}

void BM_NeueAbfrage(benchmark::State& state, Fall fall)
{
    Aufbau a = baue(fall);
    Durchlauf lauf(a.tabelle, a.stand);
    Testzufall zufall(42);
    const int vorher = passende(lauf, a.optionen);
    int nichtGefunden = 0;
    int rundenenden = 0;
    for (auto _ : state) {
        Abfrage abfrage = lauf.NeueAbfrage(Richtungswahl::Zufall, a.optionen, zufall);
        nichtGefunden += abfrage.gefunden ? 0 : 1;
        rundenenden += abfrage.rundeVorbei ? 1 : 0;
        benchmark::DoNotOptimize(abfrage);
    }
    if (nichtGefunden > 0)
        state.SkipWithError("an entry qualifies, yet none was found");
    state.counters["qualifying"] = vorher;
    state.counters["R"] = klugesTrainingR(lauf.Erfolge(), lauf.Fehler());
    state.counters["round_ends"] = rundenenden;
}

BENCHMARK_CAPTURE(BM_NeueAbfrage, keine_Option, Fall::KeineOption)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_NeueAbfrage, chkRichtig, Fall::Richtig)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_NeueAbfrage, chkWort, Fall::Wort)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_NeueAbfrage, chkNeu, Fall::Neu)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_NeueAbfrage, chkNurVerben, Fall::NurVerben)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_NeueAbfrage, chkKlugesTraining, Fall::KlugesTraining)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_NeueAbfrage, worst_chkNurVerben_one_verb, Fall::EinzigesVerb)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_NeueAbfrage, worst_chkKlugesTraining_R601, Fall::KlugesTrainingR600)
    ->Unit(benchmark::kMicrosecond);

} // namespace

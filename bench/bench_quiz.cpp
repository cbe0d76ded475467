// The run over a full table of 10000 entries, the logic alone: choosing the
// next question under each option and where almost nothing qualifies, and
// judging an answer.

#include "quiz/durchlauf.h"
#include "stuetzen/testzufall.h"
#include "vocab/vokabeldatei.h"

#include "eingaben.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

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
    Richtig,            // half the entries answered correctly five times
    Wort,               // half the entries asked this round
    Neu,                // entries with Kennung left out, asked ones marked
    NurVerben,          // about a fifth are verbs
    KlugesTraining,     // fresh run: R = 1
    EinzigesVerb,       // verbs only, and there is exactly one
    KlugesTrainingR601, // 30000 answers given, one entry ever answered wrongly
};

void BM_NeueAbfrage(benchmark::State& state, Fall fall)
{
    Vokabeltabelle t = fall == Fall::EinzigesVerb
                           ? liesVokabeln(messung::vokabeldateiMitEinemVerb(Eintraege, Eintraege / 2 + 17), "olvani.txt")
                           : grundtabelle();
    Durchlauf::Stand stand;
    Optionen o;
    switch (fall) {
    case Fall::KeineOption:
        break;
    case Fall::Richtig:
        o.ohneFuenfmalRichtige = true;
        for (int i = 1; i <= Eintraege; i += 2)
            for (int k = 0; k < 5; ++k)
                t.zaehleRichtig(i);
        break;
    case Fall::Wort:
        o.jedesWortEinmal = true;
        for (int i = 2; i <= Eintraege; i += 2)
            stand.gefragt.push_back(i);
        break;
    case Fall::Neu:
        o.ohneKennung = true;
        break;
    case Fall::NurVerben:
    case Fall::EinzigesVerb:
        o.nurVerben = true;
        break;
    case Fall::KlugesTraining:
        o.klugesTraining = true;
        break;
    case Fall::KlugesTrainingR601:
        o.klugesTraining = true;
        stand.mitAntworten(15000, 15000);
        for (int k = 0; k < 3; ++k)
            t.zaehleFalsch(Eintraege / 3);
        break;
    }
    Testzufall zufall(42);
    Durchlauf lauf(std::move(t), zufall, stand);
    for (auto _ : state) {
        Abfrage abfrage = lauf.NeueAbfrage(Richtungswahl::Zufall, o);
        if (!abfrage.gefunden)
            state.SkipWithError("an entry qualifies, yet none was found");
        benchmark::DoNotOptimize(abfrage);
    }
    state.counters["R"] = klugesTrainingR(lauf.Erfolge(), lauf.Fehler());
}
BENCHMARK_CAPTURE(BM_NeueAbfrage, keine_Option, Fall::KeineOption)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_NeueAbfrage, chkRichtig, Fall::Richtig)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_NeueAbfrage, chkWort, Fall::Wort)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_NeueAbfrage, chkNeu, Fall::Neu)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_NeueAbfrage, chkNurVerben, Fall::NurVerben)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_NeueAbfrage, chkKlugesTraining, Fall::KlugesTraining)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_NeueAbfrage, worst_chkNurVerben_one_verb, Fall::EinzigesVerb)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_NeueAbfrage, worst_chkKlugesTraining_R601, Fall::KlugesTrainingR601)
    ->Unit(benchmark::kMicrosecond);

// "Richtig?" on questions spread over the table, an entry and one of its
// meanings; the learner types the right word every second time.
void BM_PruefeAntwort(benchmark::State& state, Seite richtung, bool alleTeilen)
{
    Vokabeltabelle t =
        alleTeilen ? liesVokabeln(messung::vokabeldateiAlleMit(Eintraege, "Haus"), "olvani.txt") : grundtabelle();
    struct Aufgabe {
        int nummer;
        Frage frage;
        std::string getippt;
    };
    std::vector<Aufgabe> liste;
    std::uint32_t z = 12345;
    for (int k = 0; k < 1024; ++k) {
        z = z * 1664525u + 1013904223u;
        const int i = 1 + static_cast<int>((z >> 8) % Eintraege);
        const std::string& bedeutung = t.Bedeutung(i, 1 + static_cast<int>((z >> 4) % t.belegteBedeutungen(i)));
        const bool richtig = k % 2 == 0;
        if (richtung == Seite::Deutsch)
            liste.push_back({i, {richtung, bedeutung}, richtig ? t.Wort(i) : t.Wort(i) + "x"});
        else
            liste.push_back({i, {richtung, t.Wort(i)}, richtig ? bedeutung : "falsch"});
    }
    Testzufall zufall(42);
    std::size_t k = 0;
    for (auto _ : state) {
        const Aufgabe& a = liste[k++ % liste.size()];
        // A fresh run each time over the same table: a run's counters would
        // pass 32767 in a long measurement.
        Durchlauf lauf(std::move(t), zufall, Durchlauf::Stand().mitFrage(a.nummer, a.frage));
        benchmark::DoNotOptimize(lauf.pruefeAntwort(a.getippt));
        t = std::move(lauf).abgeben();
    }
}
BENCHMARK_CAPTURE(BM_PruefeAntwort, Deutsch_gezeigt, Seite::Deutsch, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PruefeAntwort, Olvani_gezeigt, Seite::Olvani, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PruefeAntwort, alle_teilen, Seite::Deutsch, true)->Unit(benchmark::kMicrosecond);

} // namespace

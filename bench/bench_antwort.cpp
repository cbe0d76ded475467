// Judging an answer over a full table, the logic alone: the usual question,
// and the one where every entry holds the meaning shown.

#include "quiz/durchlauf.h"
#include "vocab/vokabeldatei.h"

#include "eingaben.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using namespace olvani;

constexpr int Eintraege = 10000;

struct Aufgabe {
    int nummer;
    Frage frage;
    std::string getippt;
};

// Questions as the quiz asks them: an entry and one of its meanings, spread
// over the table; the learner types the right word every second time.
std::vector<Aufgabe> fragen(const Vokabeltabelle& t, bool deutschGezeigt)
{
    std::vector<Aufgabe> liste;
    std::uint32_t z = 12345;
    for (int k = 0; k < 1024; ++k) {
        z = z * 1664525u + 1013904223u;
        const int i = 1 + static_cast<int>((z >> 8) % static_cast<std::uint32_t>(t.Anzahl()));
        const int spalte = 1 + static_cast<int>((z >> 4) % static_cast<std::uint32_t>(t.belegteBedeutungen(i)));
        const bool richtig = k % 2 == 0;
        Aufgabe f{i, {}, {}};
        if (deutschGezeigt) {
            f.frage = {Richtung::Deutsch, t.Bedeutung(i, spalte)};
            f.getippt = richtig ? t.Wort(i) : t.Wort(i) + "x";
        } else {
            f.frage = {Richtung::Fremdsprache, t.Wort(i)};
            f.getippt = richtig ? t.Bedeutung(i, spalte) : "falsch";
        }
        liste.push_back(std::move(f));
    }
    return liste;
}

// Other entries listed with the solution: how many share the meaning shown.
double mittlereTeiler(const Vokabeltabelle& t, const std::vector<Aufgabe>& liste)
{
    double summe = 0;
    for (const Aufgabe& f : liste) {
        if (f.frage.richtung != Richtung::Deutsch)
            continue;
        for (int j = 1; j <= t.Anzahl(); ++j)
            for (int spalte = 1; spalte <= Spalten; ++spalte)
                summe += j != f.nummer && t.Bedeutung(j, spalte) == f.frage.gezeigt ? 1 : 0;
    }
    return summe / static_cast<double>(liste.size());
}

void pruefeReihum(benchmark::State& state, Vokabeltabelle& tabelle, const std::vector<Aufgabe>& liste)
{
    std::size_t k = 0;
    std::size_t laenge = 0;
    for (auto _ : state) {
        const Aufgabe& f = liste[k++ % liste.size()];
        // A fresh run each time: its counters would pass 32767 in a long
        // measurement.
        Durchlauf lauf(tabelle, Durchlauf::Stand().mitFrage(f.nummer, f.frage));
        Urteil urteil = lauf.pruefeAntwort(f.getippt, ",");
        laenge += urteil.verdikt.size();
        benchmark::DoNotOptimize(urteil);
    }
    state.counters["verdict_bytes"] = static_cast<double>(laenge) / static_cast<double>(state.iterations());
}

const Vokabeltabelle& grundtabelle()
{
    static const Vokabeltabelle tabelle = liesVokabeln(messung::vokabeldatei(Eintraege), "olvani.txt");
    return tabelle;
}

void BM_PruefeAntwort_Deutsch_gezeigt(benchmark::State& state)
{
    Vokabeltabelle tabelle = grundtabelle();
    const std::vector<Aufgabe> liste = fragen(tabelle, true);
    pruefeReihum(state, tabelle, liste);
    state.counters["sharing_entries"] = mittlereTeiler(tabelle, liste);
}
BENCHMARK(BM_PruefeAntwort_Deutsch_gezeigt)->Unit(benchmark::kMicrosecond);

void BM_PruefeAntwort_Olvani_gezeigt(benchmark::State& state)
{
    Vokabeltabelle tabelle = grundtabelle();
    pruefeReihum(state, tabelle, fragen(tabelle, false));
}
BENCHMARK(BM_PruefeAntwort_Olvani_gezeigt)->Unit(benchmark::kMicrosecond);

void BM_PruefeAntwort_alle_teilen(benchmark::State& state)
{
    Vokabeltabelle tabelle = liesVokabeln(messung::vokabeldateiAlleMit(Eintraege, "Haus"), "olvani.txt");
    const std::vector<Aufgabe> liste = fragen(tabelle, true);
    // Every question shows the shared meaning.
    std::vector<Aufgabe> geteilt;
    for (Aufgabe f : liste) {
        f.frage.gezeigt = "Haus";
        geteilt.push_back(std::move(f));
    }
    pruefeReihum(state, tabelle, geteilt);
    state.counters["sharing_entries"] = mittlereTeiler(tabelle, {geteilt.front()});
}
BENCHMARK(BM_PruefeAntwort_alle_teilen)->Unit(benchmark::kMicrosecond);

} // namespace

// Loading the vocabulary file, and what the loaded table costs in memory.

#include "vocab/vokabeldatei.h"

#include "eingaben.h"

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>

namespace {

using namespace olvani;

const std::string& datei(int anzahl)
{
    static std::string zehntausend = messung::vokabeldatei(10000);
    static std::string tausend = messung::vokabeldatei(1000);
    return anzahl == 10000 ? zehntausend : anzahl == 1000 ? tausend : throw std::invalid_argument("anzahl");
}

// The file on disk for the whole run; removed when the process ends.
class Temporaerdatei {
public:
    explicit Temporaerdatei(const std::string& inhalt)
    {
        const char* tmp = std::getenv("TMPDIR");
        pfad_ = std::string(tmp && *tmp ? tmp : "/tmp") + "/olvani-messung-XXXXXX";
        const int fd = mkstemp(pfad_.data());
        if (fd < 0)
            throw std::runtime_error("no temporary file");
        close(fd);
        std::ofstream(pfad_, std::ios::binary) << inhalt;
    }
    ~Temporaerdatei() { std::remove(pfad_.c_str()); }
    const std::string& pfad() const { return pfad_; }

private:
    std::string pfad_;
};

long seitenfehler()
{
    rusage nutzung{};
    getrusage(RUSAGE_SELF, &nutzung);
    return nutzung.ru_minflt;
}

const std::string& pfad(int anzahl)
{
    static const Temporaerdatei zehntausend(datei(10000));
    static const Temporaerdatei tausend(datei(1000));
    return anzahl == 10000 ? zehntausend.pfad() : tausend.pfad();
}

// `kalt`: the freed heap goes back to the system before each load, so the
// load has to fault its memory in afresh, as the one load of a run does.
void ladenVonPlatte(benchmark::State& state, bool kalt)
{
    const int anzahl = static_cast<int>(state.range(0));
    const std::string& inhalt = datei(anzahl);
    long fehler = 0;
    for (auto _ : state) {
        if (kalt) {
            state.PauseTiming();
            malloc_trim(0);
            state.ResumeTiming();
        }
        const long vorher = seitenfehler();
        Vokabeltabelle tabelle = ladeVokabeldatei(pfad(anzahl));
        fehler += seitenfehler() - vorher;
        benchmark::DoNotOptimize(tabelle);
        if (tabelle.Anzahl() != anzahl)
            state.SkipWithError("wrong number of records loaded");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(inhalt.size()));
    state.counters["records"] = anzahl;
    state.counters["page_faults"] = static_cast<double>(fehler) / static_cast<double>(state.iterations());
}

void BM_LadenVonPlatte(benchmark::State& state) { ladenVonPlatte(state, false); }
BENCHMARK(BM_LadenVonPlatte)->Arg(10000)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_LadenVonPlatte_kalt(benchmark::State& state) { ladenVonPlatte(state, true); }
BENCHMARK(BM_LadenVonPlatte_kalt)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_LadenAusSpeicher(benchmark::State& state)
{
    const std::string& inhalt = datei(static_cast<int>(state.range(0)));
    long fehler = 0;
    for (auto _ : state) {
        const long vorher = seitenfehler();
        Vokabeltabelle tabelle = liesVokabeln(inhalt, "olvani.txt");
        fehler += seitenfehler() - vorher;
        benchmark::DoNotOptimize(tabelle);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(inhalt.size()));
    state.counters["records"] = static_cast<double>(state.range(0));
    state.counters["page_faults"] = static_cast<double>(fehler) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_LadenAusSpeicher)->Arg(10000)->Arg(1000)->Unit(benchmark::kMillisecond);

// Heap in use, including the blocks glibc maps on their own (large ones).
std::size_t belegterSpeicher()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

std::size_t nutzlast(const Vokabeltabelle& tabelle)
{
    std::size_t bytes = 0;
    for (int i = 1; i <= tabelle.Anzahl(); ++i) {
        bytes += tabelle.Wort(i).size();
        for (int spalte = 1; spalte <= Spalten; ++spalte)
            bytes += tabelle.Bedeutung(i, spalte).size();
    }
    return bytes;
}

// Not a speed figure: the heap the loaded table holds against the bytes of
// its texts (UTF-8, as stored). The time shown is that of building it.
void BM_SpeicherDerTabelle(benchmark::State& state)
{
    const std::string& inhalt = datei(static_cast<int>(state.range(0)));
    std::size_t tabelle_bytes = 0;
    std::size_t nutz_bytes = 0;
    for (auto _ : state) {
        const std::size_t vorher = belegterSpeicher();
        Vokabeltabelle tabelle = liesVokabeln(inhalt, "olvani.txt");
        tabelle_bytes = belegterSpeicher() - vorher;
        state.PauseTiming();
        nutz_bytes = nutzlast(tabelle);
        state.ResumeTiming();
    }
    state.counters["records"] = static_cast<double>(state.range(0));
    state.counters["file_bytes"] = static_cast<double>(inhalt.size());
    state.counters["payload_bytes"] = static_cast<double>(nutz_bytes);
    state.counters["table_bytes"] = static_cast<double>(tabelle_bytes);
    state.counters["ratio"] = static_cast<double>(tabelle_bytes) / static_cast<double>(nutz_bytes);
    state.counters["bytes_per_record"] = static_cast<double>(tabelle_bytes) / static_cast<double>(state.range(0));
}
BENCHMARK(BM_SpeicherDerTabelle)->Arg(10000)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace

// Loading the vocabulary file, and what the loaded table costs in memory.

#include "vocab/vokabeldatei.h"

#include "eingaben.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <malloc.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
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

// A folder for the run's large files; removed with everything in it when
// the process ends.
class Temporaerordner {
public:
    Temporaerordner()
    {
        const char* tmp = std::getenv("TMPDIR");
        pfad_ = std::string(tmp && *tmp ? tmp : "/tmp") + "/olvani-gross-XXXXXX";
        if (!mkdtemp(pfad_.data()))
            throw std::runtime_error("no temporary folder");
    }
    ~Temporaerordner() { std::filesystem::remove_all(pfad_); }
    const std::string& pfad() const { return pfad_; }

private:
    std::string pfad_;
};

// What a learner meets who names the wrong file olvani.txt. Each load runs
// in a process of its own (olvani-ladeprobe), which reports the time of the
// load and its peak resident memory; the time shown is that of the load.
//   0: 2 GiB that are no text: 1 MiB of random bytes without a zero byte
//      (read as Windows-1252 records, as a damaged file would be), then
//      zeros, sparse on disk; refused at the first zero.
//   1: 200 MB of records in the meant form; refused at record 10001.
//   2: for comparison, the 10000 records the trainer holds at most (loads).
const std::string& grosseDatei(int art)
{
    static const Temporaerordner ordner;
    static const std::string keinText = [] {
        const std::string pfad = ordner.pfad() + "/video.olvani.txt";
        std::mt19937 zufall(17);
        std::string kopf(1 << 20, '\0');
        for (char& c : kopf)
            c = static_cast<char>(1 + zufall() % 255);
        kopf[0] = 'M'; // no byte-order mark by chance
        std::ofstream(pfad, std::ios::binary) << kopf;
        std::filesystem::resize_file(pfad, std::uintmax_t{2} << 30);
        return pfad;
    }();
    static const std::string viele = [] {
        const std::string pfad = ordner.pfad() + "/viele.olvani.txt";
        std::ofstream aus(pfad, std::ios::binary);
        const std::string& stueck = datei(10000);
        for (std::size_t n = 0; n < 200'000'000; n += stueck.size())
            aus << stueck;
        return pfad;
    }();
    switch (art) {
    case 0:
        return keinText;
    case 1:
        return viele;
    default:
        return pfad(10000);
    }
}

struct Probe {
    double sekunden = 0; // the load alone, as the probe measured it
    double mitStart = 0; // from spawn to exit
    long spitzeKiB = 0;
    int status = -1;
};

Probe probiere(const std::string& datei)
{
    const std::string programm =
        std::filesystem::read_symlink("/proc/self/exe").parent_path().string() + "/olvani-ladeprobe";
    int rohr[2];
    if (pipe(rohr) != 0)
        return {};
    posix_spawn_file_actions_t aktionen;
    posix_spawn_file_actions_init(&aktionen);
    posix_spawn_file_actions_adddup2(&aktionen, rohr[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&aktionen, rohr[0]);
    char* argv[] = {const_cast<char*>(programm.c_str()), const_cast<char*>(datei.c_str()), nullptr};
    const auto anfang = std::chrono::steady_clock::now();
    pid_t pid = 0;
    Probe probe;
    const bool gestartet = posix_spawn(&pid, programm.c_str(), &aktionen, nullptr, argv, environ) == 0;
    posix_spawn_file_actions_destroy(&aktionen);
    close(rohr[1]);
    std::string ausgabe;
    char puffer[4096];
    for (ssize_t n; (n = read(rohr[0], puffer, sizeof puffer)) > 0;)
        ausgabe.append(puffer, static_cast<std::size_t>(n));
    close(rohr[0]);
    int status = 0;
    if (gestartet && waitpid(pid, &status, 0) == pid) {
        probe.mitStart = std::chrono::duration<double>(std::chrono::steady_clock::now() - anfang).count();
        probe.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        const std::size_t zahlen = ausgabe.rfind("seconds ");
        if (zahlen == std::string::npos
            || std::sscanf(ausgabe.c_str() + zahlen, "seconds %lf peak_kib %ld", &probe.sekunden, &probe.spitzeKiB)
                   != 2)
            probe.status = -1;
    }
    return probe;
}

void BM_FremdeDateiImEigenenProzess(benchmark::State& state)
{
    const std::string& datei = grosseDatei(static_cast<int>(state.range(0)));
    const int erwartet = state.range(0) == 2 ? 0 : 1;
    Probe probe;
    for (auto _ : state) {
        probe = probiere(datei);
        if (probe.status != erwartet) {
            state.SkipWithError("olvani-ladeprobe did not end as expected");
            break;
        }
        state.SetIterationTime(probe.sekunden);
    }
    state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(datei)) / 1e6;
    state.counters["peak_rss_MB"] = static_cast<double>(probe.spitzeKiB) / 1024.0;
    state.counters["with_process_start_ms"] = probe.mitStart * 1e3;
    state.counters["exit_status"] = probe.status;
}
BENCHMARK(BM_FremdeDateiImEigenenProzess)->Arg(0)->Arg(1)->Arg(2)->UseManualTime()->Iterations(3)->Unit(
    benchmark::kMillisecond);

} // namespace

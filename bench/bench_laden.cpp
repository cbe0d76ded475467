// Loading the vocabulary file: 10000 records from memory and from disk, and
// files that are no word list, each in a process of its own.

#include "vocab/vokabeldatei.h"

#include "eingaben.h"

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace {

using namespace olvani;
namespace fs = std::filesystem;

const std::string& zehntausend()
{
    static const std::string datei = messung::vokabeldatei(10000);
    return datei;
}

// The run's files, in a folder removed with everything in it at the end.
class Ordner {
public:
    Ordner()
    {
        const char* tmp = std::getenv("TMPDIR");
        pfad_ = std::string(tmp && *tmp ? tmp : "/tmp") + "/olvani-messung-XXXXXX";
        if (!mkdtemp(pfad_.data()))
            std::abort();
    }
    ~Ordner() { fs::remove_all(pfad_); }
    std::string datei(const std::string& name, const std::string& inhalt) const
    {
        std::ofstream(pfad_ + "/" + name, std::ios::binary) << inhalt;
        return pfad_ + "/" + name;
    }

private:
    std::string pfad_;
};
const Ordner ordner;

long seitenfehler()
{
    rusage nutzung{};
    getrusage(RUSAGE_SELF, &nutzung);
    return nutzung.ru_minflt;
}

// `kalt`: the freed heap goes back to the system first, so the load faults
// its memory in afresh, as the one load of a run does.
void laden(benchmark::State& state, bool vonPlatte, bool kalt)
{
    static const std::string pfad = ordner.datei("olvani.txt", zehntausend());
    long fehler = 0;
    for (auto _ : state) {
        if (kalt) {
            state.PauseTiming();
            malloc_trim(0);
            state.ResumeTiming();
        }
        const long vorher = seitenfehler();
        Vokabeltabelle tabelle = vonPlatte ? ladeVokabeldatei(pfad) : liesVokabeln(zehntausend(), "olvani.txt");
        fehler += seitenfehler() - vorher;
        if (tabelle.Anzahl() != 10000)
            state.SkipWithError("not 10000 records loaded");
        benchmark::DoNotOptimize(tabelle);
    }
    state.counters["page_faults"] = static_cast<double>(fehler) / static_cast<double>(state.iterations());
}
BENCHMARK_CAPTURE(laden, aus_Speicher, false, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(laden, von_Platte, true, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(laden, von_Platte_kalt, true, true)->Unit(benchmark::kMillisecond);

// What a learner meets who names the wrong file olvani.txt, against the
// 10000 records the trainer holds at most. olvani-ladeprobe loads the file
// and reports the load's time and its peak resident memory.
//   0: 2 GiB that are no text: 1 MiB of random bytes without a zero byte
//      (read as Windows-1252 records), then zeros, sparse on disk; refused
//      at the first zero.
//   1: 200 MB of records; refused at record 10001.
//   2: 10000 records; loads.
std::string fremdeDatei(int art)
{
    if (art == 0) {
        std::mt19937 zufall(17);
        std::string kopf(1 << 20, 'M'); // no byte-order mark by chance
        for (std::size_t i = 1; i < kopf.size(); ++i)
            kopf[i] = static_cast<char>(1 + zufall() % 255);
        const std::string pfad = ordner.datei("video.txt", kopf);
        fs::resize_file(pfad, std::uintmax_t{2} << 30);
        return pfad;
    }
    if (art == 2)
        return ordner.datei("zehntausend.txt", zehntausend());
    const std::string pfad = ordner.datei("viele.txt", "");
    std::ofstream aus(pfad, std::ios::binary);
    for (std::size_t n = 0; n < 200'000'000; n += zehntausend().size())
        aus << zehntausend();
    return pfad;
}

void BM_FremdeDateiImEigenenProzess(benchmark::State& state)
{
    const std::string datei = fremdeDatei(static_cast<int>(state.range(0)));
    const std::string befehl = fs::read_symlink("/proc/self/exe").parent_path().string() + "/olvani-ladeprobe '" + datei + "'";
    double sekunden = 0;
    long spitzeKiB = 0;
    for (auto _ : state) {
        FILE* probe = popen(befehl.c_str(), "r");
        char zeile[4096];
        while (probe && std::fgets(zeile, sizeof zeile, probe))
            std::sscanf(zeile, "seconds %lf peak_kib %ld", &sekunden, &spitzeKiB);
        const int status = probe ? pclose(probe) : -1;
        if (!WIFEXITED(status) || WEXITSTATUS(status) != (state.range(0) == 2 ? 0 : 1) || spitzeKiB <= 0) {
            state.SkipWithError("olvani-ladeprobe did not end as expected");
            break;
        }
        state.SetIterationTime(sekunden);
    }
    state.counters["file_MB"] = static_cast<double>(fs::file_size(datei)) / 1e6;
    state.counters["peak_rss_MB"] = static_cast<double>(spitzeKiB) / 1024.0;
}
BENCHMARK(BM_FremdeDateiImEigenenProzess)->Arg(0)->Arg(1)->Arg(2)->UseManualTime()->Iterations(3)->Unit(
    benchmark::kMillisecond);

} // namespace

// Loads one vocabulary file and prints, after what came of it, the time the
// load took and the process's peak resident memory. The benchmark starts it
// as a process of its own, untouched by anything else the benchmark holds.
// (The peak is read here, from /proc: the rusage of a spawned child still
// carries the parent's peak from before the exec.)
#include "vocab/abbruch.h"
#include "vocab/vokabeldatei.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

long spitzeKiB()
{
    std::ifstream status("/proc/self/status");
    for (std::string zeile; std::getline(status, zeile);)
        if (zeile.starts_with("VmHWM:"))
            return std::stol(zeile.substr(6));
    return -1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: olvani-ladeprobe FILE\n");
        return 2;
    }
    int status = 0;
    const auto anfang = std::chrono::steady_clock::now();
    try {
        const int anzahl = olvani::ladeVokabeldatei(argv[1]).Anzahl();
        std::printf("%d records\n", anzahl);
    } catch (const olvani::Abbruch& fehler) {
        std::printf("%s\n", fehler.what());
        status = 1;
    }
    const std::chrono::duration<double> dauer = std::chrono::steady_clock::now() - anfang;
    std::printf("seconds %.6f peak_kib %ld\n", dauer.count(), spitzeKiB());
    return status;
}

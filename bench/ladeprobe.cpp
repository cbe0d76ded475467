// Loads one vocabulary file and says what came of it. The benchmark starts
// it as a process of its own, to measure its time and peak memory from
// outside, untouched by anything else the benchmark holds.
#include "vocab/fehler.h"
#include "vocab/vokabeldatei.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: olvani-ladeprobe FILE\n");
        return 2;
    }
    try {
        std::printf("%d records\n", olvani::ladeVokabeldatei(argv[1]).Anzahl());
        return 0;
    } catch (const olvani::FatalerFehler& fehler) {
        std::printf("%s\n", fehler.what());
        return 1;
    }
}

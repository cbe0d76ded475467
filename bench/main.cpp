// The benchmark runner. The windows are drawn offscreen, so it runs on a
// machine without a display and its figures do not depend on one.

#include "ui/schriften.h"

#include <benchmark/benchmark.h>

#include <QApplication>

int main(int argc, char* argv[])
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    olvani::richteSchriftenEin(); // as the program does at start
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

#!/usr/bin/env bash
# Builds the benchmark (Release, in build-bench/) and prints its figures as
# medians of five runs. Extra arguments go to the benchmark, for example
#   scripts/benchmark.sh --benchmark_filter=NeueAbfrage
set -euo pipefail
wurzel=$(cd "$(dirname "$0")/.." && pwd)
ordner="$wurzel/build-bench"

# The build's packages and Google Benchmark; a Release build without tests.
OLVANI_MEHR_PAKETE="libbenchmark-dev libx11-dev xvfb" "$wurzel/scripts/bauen.sh" "$ordner" \
    -DCMAKE_BUILD_TYPE=Release -DOLVANI_BENCHMARK=ON -DBUILD_TESTING=OFF >&2

# Figures from inputs that are not what they claim to be would mislead.
"$ordner/bench/tst_messeingaben" >&2

# Start-up, timed from outside under a private X server: exec to the start
# window, against a Qt window that shows one line of text.
anzeige=:$((70 + RANDOM % 20))
Xvfb "$anzeige" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${anzeige#:}" ] && break; sleep 0.1; done
DISPLAY=$anzeige XDG_RUNTIME_DIR=$(mktemp -d) "$ordner/bench/olvani-startzeit" "$ordner/olvani-trainer" \
    "$ordner/bench/olvani-textboden" 15

"$ordner/bench/olvani-benchmark" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_display_aggregates_only=true "$@"

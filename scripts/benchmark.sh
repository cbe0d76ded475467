#!/usr/bin/env bash
# Builds the benchmark (Release, in build-bench/) and prints its figures as
# medians of five runs. Extra arguments go to the benchmark, for example
#   scripts/benchmark.sh --benchmark_filter=NeueAbfrage
set -euo pipefail
wurzel=$(cd "$(dirname "$0")/.." && pwd)
ordner="$wurzel/build-bench"

# The build's packages and Google Benchmark; a Release build without tests.
OLVANI_MEHR_PAKETE=libbenchmark-dev "$wurzel/scripts/bauen.sh" "$ordner" \
    -DCMAKE_BUILD_TYPE=Release -DOLVANI_BENCHMARK=ON -DBUILD_TESTING=OFF >&2

# Figures from inputs that are not what they claim to be would mislead.
"$ordner/bench/tst_messeingaben" >&2

exec "$ordner/bench/olvani-benchmark" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_display_aggregates_only=true "$@"

#!/usr/bin/env bash
# Builds the benchmark (Release, in build-bench/) and prints its figures:
# first the start-up, timed with the shared start-up tool ($OLVANI_STARTUP,
# default ../shared/startup beside this repository) under Xvfb, then loading,
# choosing and judging as medians of five runs. Extra arguments go to the
# benchmark, for example
#   scripts/benchmark.sh --benchmark_filter=NeueAbfrage
set -euo pipefail
wurzel=$(cd "$(dirname "$0")/.." && pwd)
ordner="$wurzel/build-bench"
werkzeug=${OLVANI_STARTUP:-$wurzel/../shared/startup}

# The build's packages, Google Benchmark and what the start-up tool builds
# itself from; a Release build without tests.
OLVANI_MEHR_PAKETE="libbenchmark-dev libx11-dev libxtst-dev xvfb" "$wurzel/scripts/bauen.sh" "$ordner" \
    -DCMAKE_BUILD_TYPE=Release -DOLVANI_BENCHMARK=ON -DBUILD_TESTING=OFF >&2

if [ -x "$werkzeug/ratio" ]; then
    arbeit=$(mktemp -d)
    xvfb=
    trap '[ -z "$xvfb" ] || { kill "$xvfb"; wait "$xvfb"; } 2>/dev/null; rm -rf "$arbeit"' EXIT
    # Exec to the start window, against an empty Qt widget and a Qt window
    # that shows one line of text (the ratio's floor). An X server resets
    # when its last client leaves and refuses the next one meanwhile, so
    # the tool's Xvfb gets -noreset.
    mkdir "$arbeit/bin"
    printf '#!/bin/sh\nexec /usr/bin/Xvfb "$@" -noreset\n' >"$arbeit/bin/Xvfb"
    chmod +x "$arbeit/bin/Xvfb"
    PATH=$arbeit/bin:$PATH "$werkzeug/ratio" "$ordner/olvani-trainer" 15

    # Return on the start window to the main window, 10000 entries loaded.
    awk 'BEGIN { for (i = 1; i <= 10000; i++) printf "\"wort%d\",\"Bedeutung %d\",\"Haus\",\"@\",\"@\",\"0\"\r\n", i, i }' \
        >"$arbeit/olvani.txt"
    mkfifo "$arbeit/anzeige"
    Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 3>"$arbeit/anzeige" >/dev/null 2>&1 &
    xvfb=$!
    read -r nummer <"$arbeit/anzeige" || { echo "FAIL: Xvfb did not start" >&2; exit 1; }
    zeiten=()
    for _ in $(seq 9); do
        zeiten+=("$(cd "$arbeit" && DISPLAY=:$nummer XDG_RUNTIME_DIR=$arbeit \
            "${TMPDIR:-/tmp}/startupfloor/readywait" "$ordner/olvani-trainer")")
    done
    echo "Return on the start window to the main window with 10000 entries:" \
        "median $(printf '%s\n' "${zeiten[@]}" | sort -n | sed -n 5p) ms of 9 runs (${zeiten[*]})"
else
    echo "No start-up figures: the shared start-up tool is not at $werkzeug (set OLVANI_STARTUP)" >&2
fi

"$ordner/bench/olvani-benchmark" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_display_aggregates_only=true "$@"

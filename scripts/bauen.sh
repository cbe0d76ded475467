#!/usr/bin/env bash
# Installs what the build needs and builds into the given folder (default
# build/). Extra arguments go to CMake's configure step.
set -euo pipefail
wurzel=$(cd "$(dirname "$0")/.." && pwd)
ordner=${1:-"$wurzel/build"}
shift || true

# What the build and the tests need, plus any packages a caller names in
# OLVANI_MEHR_PAKETE (the benchmark adds Google Benchmark).
"$wurzel/scripts/pakete.sh" cmake g++ make pkg-config qt6-base-dev qt6-base-dev-tools qt6-base-private-dev libgl-dev fonts-liberation \
    desktop-file-utils appstream dpkg-dev ${OLVANI_MEHR_PAKETE:-}

if [ ! -f "$ordner/CMakeCache.txt" ]; then
    cmake -S "$wurzel" -B "$ordner" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
fi
cmake --build "$ordner" -j"$(nproc)"

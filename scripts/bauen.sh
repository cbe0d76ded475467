#!/usr/bin/env bash
# Installs what the build needs, configures and builds into the given folder
# (default build/). Extra arguments go to CMake's configure step; the
# configure step runs every time, so options given now always apply.
# OLVANI_ZIEL names a single target to build (default: all of them).
set -euo pipefail
wurzel=$(cd "$(dirname "$0")/.." && pwd)
ordner=${1:-"$wurzel/build"}
shift || true

# What the build and the tests need, plus any packages a caller names in
# OLVANI_MEHR_PAKETE (the benchmark adds Google Benchmark). CPack's Debian
# generator needs `file` to find the libraries the program links.
"$wurzel/scripts/pakete.sh" cmake g++ make pkg-config qt6-base-dev qt6-base-dev-tools qt6-base-private-dev libgl-dev fonts-liberation \
    desktop-file-utils appstream dpkg-dev file ${OLVANI_MEHR_PAKETE:-}

cmake -S "$wurzel" -B "$ordner" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
ziel=()
[ -n "${OLVANI_ZIEL:-}" ] && ziel=(--target "$OLVANI_ZIEL")
cmake --build "$ordner" -j"$(nproc)" "${ziel[@]}"

#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole test suite; exits
# non-zero on any failure. The windows are tested offscreen.
set -euo pipefail
wurzel=$(cd "$(dirname "$0")" && pwd)
"$wurzel/scripts/bauen.sh" "$wurzel/build"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$wurzel/build" --output-on-failure -j"$(nproc)"

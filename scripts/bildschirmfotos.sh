#!/usr/bin/env bash
# Renders the pictures of the README anew into docs/, from the sample vocabulary.
set -euo pipefail
wurzel=$(cd "$(dirname "$0")/.." && pwd)
OLVANI_ZIEL=olvani-bildschirmfotos "$wurzel/scripts/bauen.sh" "$wurzel/build" -DOLVANI_BILDSCHIRMFOTOS=ON >&2
mkdir -p "$wurzel/docs"
QT_QPA_PLATFORM=offscreen "$wurzel/build/olvani-bildschirmfotos" "$wurzel/examples" "$wurzel/docs"

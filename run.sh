#!/usr/bin/env bash
# Builds the trainer if needed (the program only; the tests are built by
# ./test.sh) and starts it: over the olvani.txt of the current folder, or
# over the sample vocabulary when there is none.
set -euo pipefail
wurzel=$(cd "$(dirname "$0")" && pwd)
OLVANI_ZIEL=olvani-trainer "$wurzel/scripts/bauen.sh" >&2
if [ -z "$(find . -maxdepth 1 -iname olvani.txt -print -quit 2>/dev/null)" ]; then
    echo "Keine olvani.txt hier: das Beispiel aus examples/ wird geladen." >&2
    cd "$wurzel/examples"
fi
exec "$wurzel/build/olvani-trainer"

#!/usr/bin/env bash
# Shows what a screen reader receives from the trainer: starts a virtual X
# server, a session bus and the AT-SPI bus, drives a few questions with
# xdotool and prints the accessibility events that arrive.
# Usage: scripts/vorlesen-pruefen.sh [BUILD-FOLDER]   (default build/)
# Needs: xvfb xdotool at-spi2-core python3-pyatspi dbus dbus-x11; when orca
# is installed it runs too, and what it speaks is printed at the end.
# OLVANI_ABLAEUFE replaces the sessions (e.g. "zwei:DK", see the .py for the
# letters), OLVANI_ANZEIGE the first X display number tried (99),
# OLVANI_ORCA_ORDNER keeps Orca's debug logs in that folder.
set -euo pipefail
wurzel=$(cd "$(dirname "$0")/.." && pwd)
ordner=$(cd "${1:-$wurzel/build}" && pwd)
cmake --build "$ordner" --target olvani-trainer -j2 >&2

arbeit=$(mktemp -d)
trap 'rm -rf "$arbeit"' EXIT
# Two words for the plain cycle (right; wrong, then "Doch Richtig!" by a
# click; the same by its key; wrong, judged by a click; wrong);
# one word alone ends the round at every question and is right the fifth
# time, which brings up both kinds of message box; 61 words that share their
# meaning give a verdict too long for its label (wrong by Enter and by a click).
mkdir "$arbeit/zwei" "$arbeit/eins" "$arbeit/viele"
printf '"dorva","Haus","@","@","@","0"\r\n"blek","Baum","@","@","@","0"\r\n' >"$arbeit/zwei/olvani.txt"
printf '"dorva","Haus","@","@","@","0"\r\n' >"$arbeit/eins/olvani.txt"
{ printf '"dorva","Haus","@","@","@","0"\r\n'; for i in $(seq 60); do printf '"wort%d","Haus","@","@","@","0"\r\n' "$i"; done; } \
    >"$arbeit/viele/olvani.txt"

# Without a sound device Orca waits for the speech server for ever; with
# none to reach it logs every text it would speak.
export SPEECHD_ADDRESS=${SPEECHD_ADDRESS:-unix_socket:/nonexistent}
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0 LC_ALL=C.UTF-8
unset QT_QPA_PLATFORM
for lauf in ${OLVANI_ABLAEUFE:-zwei:RDKMF eins:RRRRR viele:FM}; do
    woerter=${lauf%%:*} ablauf=${lauf#*:}
    echo "==== olvani.txt with $woerter word(s), sequence $ablauf"
    if command -v orca >/dev/null; then export ORCA_PROTOKOLL="${OLVANI_ORCA_ORDNER:-$arbeit}/orca-$woerter.log"; fi
    xvfb-run -a -n "${OLVANI_ANZEIGE:-99}" -s "-screen 0 1024x768x24" \
        dbus-run-session -- /usr/bin/python3 "$wurzel/scripts/vorlesen-pruefen.py" \
        "$ordner/olvani-trainer" "$arbeit/$woerter" "$ablauf" 2>&1 | grep -v -e "^dbus-daemon" -e "SpiRegistry daemon" -e "XDG_RUNTIME_DIR"
done

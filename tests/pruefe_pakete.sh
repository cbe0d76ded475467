#!/usr/bin/env bash
# Checks scripts/pakete.sh as a user who is not root, with stand-ins for id,
# dpkg-query, sudo and apt-get on an otherwise empty PATH:
#
#   pruefe_pakete.sh SOURCE_DIR
#
# Where packages are missing and cannot be installed, the script must name
# them and the one command that installs them, and exit 1 (never 127).
set -uo pipefail

skript=$1/scripts/pakete.sh
fehler=0
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
falsch() { echo "FAIL: $*" >&2; fehler=1; }

# A machine for one case: SUDO is none, passwort (asks for one) or frei.
maschine() { # name installed sudo
    local bin=$tmp/$1
    mkdir -p "$bin"
    ln -s "$(command -v grep)" "$bin/grep"
    printf '#!/bin/bash\necho 1000\n' >"$bin/id"
    printf '#!/bin/bash\n[ "%s" = ja ] && echo "install ok installed"\nexit 0\n' "$2" >"$bin/dpkg-query"
    printf '#!/bin/bash\necho "$*" >>"%s/apt.log"\n' "$bin" >"$bin/apt-get"
    printf '#!/bin/bash\nshift\nexec "$@"\n' >"$bin/env" # drops DEBIAN_FRONTEND=...
    case $3 in
        passwort) printf '#!/bin/bash\n[ "$1" = -n ] && { echo "sudo: a password is required" >&2; exit 1; }\nexit 1\n' >"$bin/sudo" ;;
        frei) printf '#!/bin/bash\n[ "$1" = -n ] && shift\n"$@"\n' >"$bin/sudo" ;;
    esac
    chmod +x "$bin"/*
    echo "$bin"
}

# name installed sudo | expected status | expected text in the output
while read -r name installiert sudo erwartet text; do
    bin=$(maschine "$name" "$installiert" "$sudo")
    status=0
    ausgabe=$(PATH=$bin "$BASH" "$skript" paket-a paket-b 2>&1 </dev/null) || status=$?
    [ "$status" -eq "$erwartet" ] || falsch "$name: exit status $status, expected $erwartet: $ausgabe"
    if [ "$text" != - ]; then
        grep -qF -- "${text//_/ }" <<<"$ausgabe" || falsch "$name: no '${text//_/ }' in: $ausgabe"
    fi
    if grep -q 'command not found' <<<"$ausgabe"; then falsch "$name: $ausgabe"; fi
    if [ "$erwartet" -ne 0 ] && [ -e "$bin/apt.log" ]; then falsch "$name: apt-get ran: $(cat "$bin/apt.log")"; fi
done <<'EOF'
alles_da       ja   none     0 -
ohne_sudo      nein none     1 apt-get_install_--no-install-recommends_paket-a_paket-b
sudo_passwort  nein passwort 1 no_terminal
sudo_frei      nein frei     0 Installing:_paket-a_paket-b
EOF

# sudo without a password installs both packages.
grep -q 'install -y -qq --no-install-recommends paket-a paket-b' "$tmp/sudo_frei/apt.log" 2>/dev/null \
    || falsch "sudo_frei: apt-get install not called with both packages"
[ -e "$tmp/alles_da/apt.log" ] && falsch "alles_da: apt-get ran although everything is installed"
[ $fehler -eq 0 ] && echo "pakete.sh: all well"
exit $fehler

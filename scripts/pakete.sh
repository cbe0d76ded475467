#!/usr/bin/env bash
# Installs the Debian packages named as arguments that are not installed yet;
# does nothing (and asks no server) when all are there.
set -euo pipefail

fehlend=()
for paket in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$paket" 2>/dev/null | grep -q 'install ok installed'; then
        fehlend+=("$paket")
    fi
done
[ ${#fehlend[@]} -eq 0 ] && exit 0

als_root=()
if [ "$(id -u)" -ne 0 ]; then
    als_root=(sudo)
fi
echo "Installing: ${fehlend[*]}"
"${als_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${als_root[@]}" apt-get install -y -qq --no-install-recommends "${fehlend[@]}"

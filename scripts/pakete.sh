#!/usr/bin/env bash
# Installs the Debian packages named as arguments that are not installed yet;
# does nothing (and asks no server) when all are there. Every script that
# needs packages comes through here.
#
# Root installs directly; anyone else through sudo, which may ask for the
# password only on a terminal, so an unattended run never hangs. When neither
# works the script says which packages are missing and how to install them.
set -euo pipefail

fehlend=()
for paket in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$paket" 2>/dev/null | grep -q 'install ok installed'; then
        fehlend+=("$paket")
    fi
done
[ ${#fehlend[@]} -eq 0 ] && exit 0

befehl="apt-get install --no-install-recommends ${fehlend[*]}"
aufhoeren() { # reason
    echo "FAIL: missing Debian packages: ${fehlend[*]}" >&2
    echo "      $1" >&2
    echo "      Install them as root, then run this again:" >&2
    echo "      $befehl" >&2
    exit 1
}

als_root=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || aufhoeren "You are not root and sudo is not installed."
    if sudo -n true 2>/dev/null; then
        als_root=(sudo -n)
    elif [ -t 0 ]; then
        als_root=(sudo) # asks for the password on the terminal
    else
        aufhoeren "sudo needs a password and there is no terminal to ask for it."
    fi
fi
echo "Installing: ${fehlend[*]}"
"${als_root[@]}" apt-get update -qq || aufhoeren "apt-get update failed."
"${als_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${fehlend[@]}" \
    || aufhoeren "apt-get install failed."

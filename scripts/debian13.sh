#!/usr/bin/env bash
# Runs a command on Debian 13 (trixie), as root: directly when this machine is
# Debian 13; on Debian 12 in a trixie chroot of its own, made with debootstrap
# the first time (about a minute) and kept in the cache folder
# $OLVANI_WINDOWS_CACHE (default ~/.cache/olvani-windows)/debian13.
#
#   scripts/debian13.sh COMMAND [ARGUMENT...]
#
# The Windows build needs Debian 13's MinGW-w64, Qt host tools and Wine 10.
# In the chroot, the repository and the cache folder appear at the same paths
# as outside, so every path a script prints is valid on both sides. The
# mounts live in a mount namespace of this command alone: they go when it
# ends, and removing the cache folder never reaches through to the repository.
# The command runs from the current folder, with a clean environment but for
# PATH, LANG, HOME, TERM and the OLVANI_* variables (Debian's Wine 10 crashes
# when TMPDIR is set). Exits with the command's status.
set -euo pipefail
wurzel=$(cd "$(dirname "$0")/.." && pwd)
[ $# -ge 1 ] || { echo "usage: $0 COMMAND [ARGUMENT...]" >&2; exit 2; }

. /etc/os-release
if [ "${ID:-}" = debian ] && [ "${VERSION_ID:-}" = 13 ]; then
    exec "$@"
fi
if [ "${ID:-}" != debian ] || [ "${VERSION_ID:-}" != 12 ]; then
    echo "FAIL: the Windows build runs on Debian 13, or on Debian 12 in a Debian 13 chroot;" \
         "this is ${PRETTY_NAME:-unknown}" >&2
    exit 1
fi
[ "$(id -u)" -eq 0 ] || { echo "FAIL: debootstrap and chroot need root" >&2; exit 1; }

cache=${OLVANI_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/olvani-windows}
ziel=$cache/debian13

. "$wurzel/scripts/spiegel.sh"

chroot_machen() {
    local archiv sicherheit protokoll=$cache/debian13-debootstrap.log
    archiv=$(spiegel debian)
    sicherheit=$(spiegel debian-security)
    echo "Making the Debian 13 chroot $ziel from $archiv (log: $protokoll)"
    "$wurzel/scripts/pakete.sh" debootstrap
    rm -rf "$ziel"
    mkdir -p "$cache/debootstrap-cache"
    debootstrap --variant=minbase --include=ca-certificates --cache-dir="$cache/debootstrap-cache" \
        trixie "$ziel" "$archiv" >"$protokoll" 2>&1 \
        || { tail -n 20 "$protokoll" >&2; echo "FAIL: debootstrap trixie from $archiv" >&2; exit 1; }
    # deb-src too: the static Qt is built from Debian's own qt6-base source.
    cat >"$ziel/etc/apt/sources.list" <<EOF
deb $archiv trixie main
deb $archiv trixie-updates main
deb $sicherheit trixie-security main
deb-src $archiv trixie main
deb-src $archiv trixie-updates main
deb-src $sicherheit trixie-security main
EOF
    touch "$ziel/.fertig"
}

[ -f "$ziel/.fertig" ] || chroot_machen
cp /etc/resolv.conf "$ziel/etc/resolv.conf" 2>/dev/null || true

# What the command is handed: the folder it runs in and its environment.
ordner=$(pwd)
umgebung=(PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 HOME=/root "TERM=${TERM:-dumb}")
while IFS= read -r name; do
    umgebung+=("$name=${!name}")
done < <(compgen -e | grep '^OLVANI_' || true)

export ziel wurzel cache ordner
exec unshare --mount --propagation private -- bash -euc '
    mount -t proc proc "$ziel/proc"
    mount -t sysfs sys "$ziel/sys"
    mount -t devpts -o newinstance,ptmxmode=0666 devpts "$ziel/dev/pts"
    mount -t tmpfs shm "$ziel/dev/shm"
    mount -t tmpfs tmp "$ziel/tmp"
    for pfad in "$wurzel" "$cache"; do
        mkdir -p "$ziel$pfad"
        mount --bind "$pfad" "$ziel$pfad"
    done
    # The chroot itself lies inside the cache: hide it there (and with it
    # any way back out).
    mount -t tmpfs leer "$ziel$ziel"
    exec chroot "$ziel" /usr/bin/env -i "$@"
' debian13 "${umgebung[@]}" bash -c 'cd "$1" && shift && exec "$@"' debian13 "$ordner" "$@"

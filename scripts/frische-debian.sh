#!/usr/bin/env bash
# Tries the trainer as a newcomer would on a fresh, minimal Debian: makes a
# minbase chroot of RELEASE with debootstrap (plus git and ca-certificates, as
# on a cloud image), clones the repository into it and runs ./test.sh there,
# first as a user with sudo (who installs the packages), then as root. Last
# it starts the program under Xvfb and waits for the start window.
#
#   scripts/frische-debian.sh RELEASE [REPOSITORY]
#
# RELEASE is a Debian suite (bookworm, trixie, ...); REPOSITORY defaults to
# the repository this script lives in (its checked-out branch; uncommitted
# changes are not part of the clone). The chroot goes to
# $OLVANI_CHROOTS/RELEASE (default /var/tmp/olvani-chroots), made anew each
# time. Needs root and Debian's mirror; takes many minutes. Prints the
# minutes and the number of packages installed; exits non-zero on any failure.
set -euo pipefail
wurzel=$(cd "$(dirname "$0")/.." && pwd)

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
    echo "usage: $0 RELEASE [REPOSITORY]" >&2
    exit 2
fi
release=$1
quelle=$(cd "${2:-$wurzel}" && pwd)
ordner=${OLVANI_CHROOTS:-/var/tmp/olvani-chroots}
ziel=$ordner/$release
[ "$(id -u)" -eq 0 ] || { echo "FAIL: debootstrap and chroot need root" >&2; exit 1; }
"$wurzel/scripts/pakete.sh" debootstrap git

. "$wurzel/scripts/spiegel.sh"
archiv=$(spiegel debian)
sicherheit=$(spiegel debian-security)

start=$(date +%s)
schritt() { echo "== $(( ($(date +%s) - start) / 60 )) min: $*"; }

aushaengen() {
    local m
    for m in dev/shm dev/pts sys proc; do
        mountpoint -q "$ziel/$m" 2>/dev/null && umount -l "$ziel/$m"
    done
    return 0
}
trap aushaengen EXIT

schritt "debootstrap --variant=minbase $release from $archiv"
aushaengen
rm -rf "$ziel"
mkdir -p "$ordner/cache-$release" "$ziel"
debootstrap --variant=minbase --include=git,ca-certificates --cache-dir="$ordner/cache-$release" \
    "$release" "$ziel" "$archiv" >"$ordner/$release-debootstrap.log" 2>&1 \
    || { tail -n 30 "$ordner/$release-debootstrap.log" >&2
         echo "FAIL: debootstrap $release from $archiv (is Debian's mirror reachable? log: $ordner/$release-debootstrap.log)" >&2
         exit 1; }
cat >"$ziel/etc/apt/sources.list" <<EOF
deb $archiv $release main
deb $archiv $release-updates main
deb $sicherheit $release-security main
EOF
cp /etc/resolv.conf "$ziel/etc/resolv.conf" 2>/dev/null || true
mount -t proc proc "$ziel/proc"
mount -t sysfs sys "$ziel/sys"
mount -t devpts -o newinstance,ptmxmode=0666 devpts "$ziel/dev/pts"
mount -t tmpfs shm "$ziel/dev/shm"
basis=$(chroot "$ziel" dpkg-query -W | wc -l)
echo "packages after debootstrap: $basis"

drinnen() { # user command...: runs a login-like shell in the chroot
    local wer=$1
    shift
    chroot "$ziel" /usr/bin/env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        LANG=C.UTF-8 TERM=dumb runuser -u "$wer" -- /bin/bash -c "cd ~ && $*" </dev/null
}

# A learner's account that may use sudo without a password; sudo is the one
# package added by hand, as a user with sudo has it.
schritt "user with sudo"
drinnen root "apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends sudo >/dev/null" \
    || { echo "FAIL: apt-get in the $release chroot (is Debian's mirror $archiv reachable?)" >&2; exit 1; }
drinnen root "useradd -m -s /bin/bash lerner && echo 'lerner ALL=(ALL) NOPASSWD: ALL' >/etc/sudoers.d/lerner && chmod 440 /etc/sudoers.d/lerner"
zweig=$(git -C "$quelle" rev-parse --abbrev-ref HEAD)
git clone -q --branch "$zweig" "$quelle" "$ziel/home/lerner/olvani-trainer"
drinnen root "chown -R lerner:lerner /home/lerner/olvani-trainer"

# Once the chroot stands, every step runs; the failures are listed at the end.
fehlschlaege=()
scheitern() { echo "FAIL: $*" >&2; fehlschlaege+=("$*"); }

status=0
schritt "./test.sh as lerner (installs through sudo)"
drinnen lerner "cd olvani-trainer && ./test.sh" >"$ordner/$release-test-lerner.log" 2>&1 || status=$?
tail -n 25 "$ordner/$release-test-lerner.log"
[ "$status" -eq 0 ] || scheitern "./test.sh as lerner exited $status (log: $ordner/$release-test-lerner.log)"
# Compiler and Qt deprecation warnings would show in the build's output.
if grep -E '[0-9]: warning:|CMake (Deprecation )?Warning' "$ordner/$release-test-lerner.log"; then
    scheitern "the build printed warnings (log: $ordner/$release-test-lerner.log)"
fi

status=0
schritt "./test.sh as root"
drinnen root "cd /home/lerner/olvani-trainer && ./test.sh" >"$ordner/$release-test-root.log" 2>&1 || status=$?
tail -n 5 "$ordner/$release-test-root.log"
[ "$status" -eq 0 ] || scheitern "./test.sh as root exited $status (log: $ordner/$release-test-root.log)"
nach_tests=$(chroot "$ziel" dpkg-query -W | wc -l)

# The program on an X server: the start window must appear.
schritt "start under Xvfb"
drinnen root "DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends xvfb xdotool >/dev/null" \
    || { echo "FAIL: apt-get install xvfb xdotool in the $release chroot (is Debian's mirror $archiv reachable?)" >&2; exit 1; }
cat >"$ziel/tmp/fenster.sh" <<'EOF'
set -u
exec 3>/tmp/anzeige
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >/tmp/xvfb.log 2>&1 &
xvfb=$!
for _ in $(seq 50); do [ -s /tmp/anzeige ] && break; sleep 0.2; done
export DISPLAY=:$(cat /tmp/anzeige)
cd olvani-trainer/examples
QT_QPA_PLATFORM=xcb ../build/olvani-trainer >/tmp/programm.log 2>&1 &
programm=$!
gefunden=1
for _ in $(seq 60); do
    if xdotool search --onlyvisible --name '^Olvani-Trainer$' >/dev/null 2>&1; then gefunden=0; break; fi
    sleep 0.5
done
kill "$programm" "$xvfb" 2>/dev/null
wait 2>/dev/null
cat /tmp/programm.log
exit $gefunden
EOF
if drinnen lerner "bash /tmp/fenster.sh"; then
    echo "start window shown"
else
    scheitern "no start window under Xvfb"
fi

ende=$(chroot "$ziel" dpkg-query -W | wc -l)
echo "release $release: minutes $(( ($(date +%s) - start + 30) / 60 )), packages $basis after debootstrap," \
     "$((nach_tests - basis)) more after sudo and ./test.sh, $ende at the end with Xvfb"
if [ ${#fehlschlaege[@]} -gt 0 ]; then
    printf 'FAIL: %s\n' "${fehlschlaege[@]}" >&2
    exit 1
fi
echo "PASS: $release"

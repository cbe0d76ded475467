#!/usr/bin/env bash
# Builds the trainer for 64-bit Windows and tries it under Wine 10.
#
#   scripts/windows.sh          everything below
#   scripts/windows.sh qt       only the static Qt for Windows (step 1)
#
# Runs on Debian 13; on Debian 12 it runs itself in a Debian 13 chroot of its
# own (scripts/debian13.sh, as root), since the build needs Debian 13's
# MinGW-w64, Qt 6.8 host tools and Wine 10.
# 1. The static Qt 6.8 for Windows, made by scripts/qt-windows.sh from Debian
#    13's own qt6-base source and kept in the cache folder
#    $OLVANI_WINDOWS_CACHE (default ~/.cache/olvani-windows). The first run
#    takes about an hour on 2 cores; later runs reuse the cache.
# 2. The program and the test programs, cross-compiled into build-windows/,
#    where CTest runs each test program under Wine (CMake's cross-compiling
#    emulator, build-windows/wine-emulator.sh); beside them a small UI
#    Automation client, scripts/uia-zuhoerer.c.
# 3. ctest in build-windows/: the same test programs as on Linux, offscreen;
#    a failure fails the script at its end, once steps 4 to 7 have been tried.
# 4. The .exe under Wine in Xvfb, in a folder with the sample file: the start
#    window must appear and Enter must bring the main window.
# 5. The same with the UI Automation client listening: after "Richtig?" the
#    verdict and the statistics line, after Alt+D the short statistics line
#    must reach UI Automation as notifications (Wine prints them with
#    WINEDEBUG=fixme+uiautomation).
# 6. What a learner gets, in build-windows/ausgabe/: a portable zip and the
#    installer Olvani-Trainer-VERSION-setup.exe (NSIS).
# 7. The installer under Wine: installed silently, started from its
#    Start-menu folder and removed again.
#
# Wine runs in a prefix of its own under the cache ($OLVANI_WINDOWS_CACHE/wine),
# the windows on display :$OLVANI_DISPLAY (default 19); the script waits for
# the processes of that prefix only. With the static Qt in the cache, steps 2
# to 7 take about 4 minutes from an empty build-windows/. Prints the minutes
# of each step and the sizes of the deliverables; exits non-zero on any
# failure.
set -euo pipefail
wurzel=$(cd "$(dirname "$0")/.." && pwd)
nur_qt=0
case "${1:-}" in
    "") ;;
    qt) nur_qt=1 ;;
    *) echo "usage: $0 [qt]" >&2; exit 2 ;;
esac

. /etc/os-release
if [ "${VERSION_ID:-}" != 13 ]; then
    exec "$wurzel/scripts/debian13.sh" "$wurzel/scripts/windows.sh" "$@"
fi

cache=${OLVANI_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/olvani-windows}
jobs=${OLVANI_JOBS:-$(nproc)}
anzeige=${OLVANI_DISPLAY:-19}
bau=$wurzel/build-windows
mkdir -p "$cache"

start=$(date +%s)
schritt() { echo "== $(( ($(date +%s) - start) / 60 )) min: $*"; }
minuten() { echo $(( ($(date +%s) - $1 + 30) / 60 )); }

# --- 1. The static Qt for Windows -------------------------------------------

schritt "static Qt for Windows (scripts/qt-windows.sh)"
qt=$("$wurzel/scripts/qt-windows.sh" | tail -n 1)
echo "static Qt: $qt"
[ "$nur_qt" -eq 1 ] && exit 0

"$wurzel/scripts/pakete.sh" cmake ninja-build imagemagick \
    wine wine64 fonts-wine xvfb xdotool nsis zip unzip

# --- 2. The program and the test programs -----------------------------------

t_rest=$(date +%s)
schritt "olvani-trainer and the test programs for Windows into $bau"
mkdir -p "$bau"
protokoll=$bau/bauen.log
# A prefix of our own; its home folder too, so that Wine's links from
# Documents and the like point into the cache, not into the user's home.
# No Mono or Gecko prompts, and no menu entries of the installed program
# on the host. CTest's wrapper (cmake/wine-emulator.sh.in) sets the same.
export WINEPREFIX=$cache/wine WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export HOME=$cache/wine-home LC_ALL=C.UTF-8
unset DISPLAY WAYLAND_DISPLAY XDG_CONFIG_HOME XDG_DATA_HOME XDG_DESKTOP_DIR XDG_DOCUMENTS_DIR
mkdir -p "$HOME"
# qt.toolchain.cmake loads the MinGW toolchain file Qt was built with and
# makes the static Qt the one find_package() sees. Debian's Qt 6.8 turns off
# the automatic import of a static Qt's plugins (its own Qt is shared); a
# static program without them has no platform plugin and does not start.
# At -O3 (Release) GCC warns falsely about std::string's insert
# (-Wrestrict, GCC bug 105329); that one warning is off here.
cmake -S "$wurzel" -B "$bau" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS="-Wno-restrict" -DBUILD_TESTING=ON \
    -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" -DQT_SKIP_AUTO_PLUGIN_INCLUSION=OFF \
    -DOLVANI_WINEPREFIX="$WINEPREFIX" >"$protokoll" 2>&1 \
    && nice -n 5 cmake --build "$bau" -j "$jobs" >>"$protokoll" 2>&1 \
    || { tail -n 30 "$protokoll" >&2; echo "FAIL: building for Windows, see $protokoll" >&2; exit 1; }
# The UI Automation client of step 5, a plain Windows C program.
x86_64-w64-mingw32-gcc-posix -O2 -Wall -Wextra -o "$bau/uia-zuhoerer.exe" "$wurzel/scripts/uia-zuhoerer.c" \
    -lole32 -loleaut32 -luuid >>"$protokoll" 2>&1 \
    || { tail -n 30 "$protokoll" >&2; echo "FAIL: building scripts/uia-zuhoerer.c, see $protokoll" >&2; exit 1; }
if grep -q 'warning:' "$protokoll"; then
    grep 'warning:' "$protokoll" | sort -u >&2
    echo "FAIL: the Windows build gives compiler warnings" >&2
    exit 1
fi
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$bau/CMakeCache.txt")
# Qt's own build string, as QLibraryInfo::build() gives it.
qt_bau=$(grep -a -o -m1 'Qt 6\.[0-9.]* ([^)]*build[^)]*)' "$bau/olvani-trainer.exe" | head -n 1 || true)
echo "olvani-trainer $version on ${qt_bau:-an unknown Qt}"
case "$qt_bau" in
    "Qt 6.8."*) ;;
    *) echo "FAIL: olvani-trainer.exe is not built on Qt 6.8" >&2; exit 1 ;;
esac

# One self-contained file: Windows' own DLLs and nothing else.
exe=$bau/olvani-trainer.exe
dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
echo "olvani-trainer.exe imports: $(echo $dlls)"
fremd=$(echo "$dlls" | grep -Evx '(kernel32|user32|gdi32|shell32|ole32|oleaut32|advapi32|comdlg32|imm32|winmm|ws2_32|uxtheme|dwmapi|version|netapi32|userenv|shlwapi|setupapi|mpr|authz|d3d9|d3d11|d3d12|dxgi|dwrite|d2d1|msvcrt|rpcrt4|wtsapi32|comctl32|bcrypt|crypt32|ntdll|secur32|shcore|api-ms-win-[a-z0-9-]*)\.dll|winspool\.drv' || true)
[ -z "$fremd" ] || { echo "FAIL: olvani-trainer.exe needs DLLs Windows does not have: $fremd" >&2; exit 1; }

# Waits for every process in our prefix to end, and for its wineserver;
# another Wine session on the machine has a prefix and server of its own.
wine_ende() { # seconds
    timeout "$1" wineserver -w || { echo "FAIL: Wine in $WINEPREFIX did not end within $1 s" >&2; exit 1; }
}

# --- 3. The test programs under Wine -----------------------------------------

# On the way out: what is left in our prefix, and our X server.
xvfb_pid=
aufraeumen() {
    wineserver -k 2>/dev/null || true
    [ -z "$xvfb_pid" ] || { kill "$xvfb_pid"; wait "$xvfb_pid"; } 2>/dev/null || true
    rm -f "$bau/xvfb-bereit"
}
trap aufraeumen EXIT

schritt "ctest under Wine $(wine --version), prefix $WINEPREFIX"
wine wineboot -i >/dev/null 2>&1 || { echo "FAIL: wineboot" >&2; exit 1; }
wine_ende 120
# A failed test fails the script at its end, after the program, the zip and
# the installer have been tried too.
tests_ok=1
ctest --test-dir "$bau" --output-on-failure -j "$jobs" || tests_ok=0
wine_ende 60

# --- 4. The program under Wine -------------------------------------------------

# The windows need an X server: Xvfb on our display, which says through the
# pipe when it takes clients.
if [ -e "/tmp/.X11-unix/X$anzeige" ]; then
    echo "FAIL: display :$anzeige is in use; choose another with OLVANI_DISPLAY" >&2
    exit 1
fi
rm -f "$bau/xvfb-bereit"
mkfifo "$bau/xvfb-bereit"
Xvfb ":$anzeige" -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 3>"$bau/xvfb-bereit" >/dev/null 2>&1 &
xvfb_pid=$!
read -r _ <"$bau/xvfb-bereit" || { echo "FAIL: Xvfb :$anzeige did not start" >&2; exit 1; }
export DISPLAY=:$anzeige

windows_pfad() { wine cmd /c echo "$1" 2>/dev/null | tr -d '\r'; }

warte_auf() { # seconds description command...: polls the command until it succeeds
    local sekunden=$1 was=$2 i
    shift 2
    for ((i = 0; i < sekunden * 5; i++)); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.2
    done
    echo "FAIL: $was (waited $sekunden s)" >&2
    exit 1
}

sichtbar() { # xdotool search arguments: a visible window of the trainer matches
    xdotool search --onlyvisible "$@" 2>/dev/null | grep -q .
}
# The windows of the trainer that are on our display, by X window id.
fenster_des_trainers() { xdotool search --onlyvisible --classname 'olvani-trainer' 2>/dev/null || true; }
ein_fenster() { [ "$(fenster_des_trainers | wc -l)" -eq 1 ]; }

# What a window shows, as a checksum of its pixels.
bild() { import -window "$1" rgb:- 2>/dev/null | md5sum; }
# Something drawn: more than the background's one colour.
gezeichnet() { [ "$(import -window "$1" png:- 2>/dev/null | identify -format %k - 2>/dev/null)" -gt 1 ]; }
anders_als() { [ "$(bild "$1")" != "$2" ]; }
# Changed, and the same in two pictures in a row: done drawing.
neu_und_ruhig() { local jetzt; jetzt=$(bild "$1"); [ "$jetzt" != "$2" ] && [ "$(bild "$1")" = "$jetzt" ]; }

# Gives the window the keyboard (there is no window manager) and types.
tippe() { # window xdotool-arguments...
    local fenster=$1
    shift
    timeout 10 xdotool mousemove --window "$fenster" 20 20 windowfocus --sync "$fenster" >/dev/null 2>&1 || true
    xdotool "$@"
}

# Starts a trainer (command...), waits for the start window, presses Enter,
# waits for the main window without a message box, asks one question and
# judges a wrong answer, each time until the window has changed, takes pictures
# into $bilder when that is set, closes the program with Alt+F4 and wants
# exit status 0 from the command and every process in our prefix ended.
# When set, $beim_hauptfenster runs once the main window is there and
# $nach_dem_urteil once the verdict is shown (with the window's id); with
# $status_unbekannt set, the command's exit status is not the program's.
probiere_aus() {
    local pid start haupt vorher status=0
    "$@" >>"$bau/wine-programm.log" 2>&1 &
    pid=$!
    warte_auf 60 "the start window did not appear" sichtbar --classname 'olvani-trainer'
    start=$(fenster_des_trainers | head -n 1)
    warte_auf 10 "the start window shows nothing" gezeichnet "$start"
    [ -z "${bilder:-}" ] || import -window "$start" "$bilder/start.png"
    tippe "$start" key Return
    warte_auf 30 "Enter on the start window did not bring the main window" sichtbar --name '^Olvani Vokabeltrainer$'
    warte_auf 10 "the start window is still open" ein_fenster
    if sichtbar --name '^Olvani$'; then
        echo "FAIL: a message box came up instead of the loaded word list" >&2
        exit 1
    fi
    haupt=$(xdotool search --onlyvisible --name '^Olvani Vokabeltrainer$' | head -n 1)
    warte_auf 10 "the main window shows nothing" gezeichnet "$haupt"
    [ -z "${beim_hauptfenster:-}" ] || "$beim_hauptfenster" "$haupt"
    vorher=$(bild "$haupt")
    tippe "$haupt" key Return
    warte_auf 10 "Enter brought no question" anders_als "$haupt" "$vorher"
    [ -z "${bilder:-}" ] || import -window "$haupt" "$bilder/frage.png"
    vorher=$(bild "$haupt")
    tippe "$haupt" type --delay 50 'Hause'
    warte_auf 10 "the typed answer did not show" neu_und_ruhig "$haupt" "$vorher"
    vorher=$(bild "$haupt")
    tippe "$haupt" key Return
    warte_auf 10 "Enter brought no verdict" anders_als "$haupt" "$vorher"
    [ -z "${bilder:-}" ] || import -window "$haupt" "$bilder/urteil.png"
    [ -z "${nach_dem_urteil:-}" ] || "$nach_dem_urteil" "$haupt"
    tippe "$haupt" key alt+F4
    wait "$pid" || status=$?
    [ "$status" -eq 0 ] || [ -n "${status_unbekannt:-}" ] || { echo "FAIL: the trainer ended with status $status" >&2; exit 1; }
    # Started through the Start menu the trainer is not the process waited for.
    wine_ende 30
}

schritt "olvani-trainer.exe under Wine in Xvfb :$anzeige, in a folder with the sample olvani.txt"
probe=$bau/wine-probe
rm -rf "$probe"
mkdir -p "$probe"
cp "$exe" "$wurzel/examples/olvani.txt" "$probe/"
bilder=$bau/wine-bilder
mkdir -p "$bilder"
# Wine passes a Wayland session on: the program must still take Windows' own platform.
(cd "$probe" && probiere_aus env WAYLAND_DISPLAY=wayland-0 XDG_SESSION_TYPE=wayland wine ./olvani-trainer.exe)
echo "start window, Enter, main window, one question, exit status 0; pictures in $bilder"
bilder=

# --- 5. What a screen reader gets --------------------------------------------------

# Qt hands events to UI Automation only once a client has asked a window for
# its element: the client does that as soon as the main window is there.
uia_log=$bau/uia-zuhoerer.log
uia_spur=$bau/uia-spur.log
zuhoerer_starten() { # main window
    wine "$bau/uia-zuhoerer.exe" 'Olvani Vokabeltrainer' 120 >"$uia_log" 2>&1 &
    warte_auf 30 "the UI Automation client did not get the main window's element" grep -qx 'bereit.*' "$uia_log"
}
# Wine's stub of UiaRaiseNotificationEvent prints each text it is given.
meldungen() { grep -c 'UiaRaiseNotificationEvent' "$uia_spur" 2>/dev/null || true; }
mehr_meldungen_als() { [ "$(meldungen)" -gt "$1" ]; }
doch_richtig() { # main window
    local vorher
    warte_auf 10 "no UI Automation notification after the verdict" mehr_meldungen_als 0
    vorher=$(meldungen)
    tippe "$1" key alt+d
    warte_auf 10 "no UI Automation notification after Alt+D" mehr_meldungen_als "$vorher"
}

schritt "the verdict and the statistics lines through UI Automation (Wine's trace: $uia_spur)"
: >"$uia_spur"
(cd "$probe" && beim_hauptfenster=zuhoerer_starten nach_dem_urteil=doch_richtig \
    probiere_aus env WINEDEBUG=-all,fixme+uiautomation sh -c 'exec wine ./olvani-trainer.exe 2>>"$0"' "$uia_spur")
# Each notification is one line of the trace; the texts come escaped (\n).
urteil=$(grep -m1 'UiaRaiseNotificationEvent' "$uia_spur" || true)
kurz=$(grep 'UiaRaiseNotificationEvent' "$uia_spur" | sed -n 2p)
for probe_text in 'Richtig' 'Versuche: ' 'letztes Wort richtig'; do
    [[ "$urteil" == *"$probe_text"* ]] \
        || { cat "$uia_spur" >&2; echo "FAIL: the verdict's notification lacks \"$probe_text\"" >&2; exit 1; }
done
[[ "$kurz" == *'Versuche: '* && "$kurz" != *'letztes Wort'* ]] \
    || { cat "$uia_spur" >&2; echo "FAIL: no short statistics line through UI Automation after Alt+D" >&2; exit 1; }
echo "through UI Automation, after the verdict: ${urteil#*UiaRaiseNotificationEvent}"
echo "                       after Alt+D:       ${kurz#*UiaRaiseNotificationEvent}"
echo "the UI Automation client saw the focus (name, description, help text):"
sed 's/^/    /' "$uia_log"

# --- 6. What a learner gets --------------------------------------------------------

ausgabe=$bau/ausgabe
portabel=Olvani-Trainer-$version
schritt "the portable zip and the installer into $ausgabe"
rm -rf "$ausgabe"
mkdir -p "$ausgabe/$portabel"
x86_64-w64-mingw32-strip -o "$ausgabe/$portabel/olvani-trainer.exe" "$exe"
cp "$wurzel/examples/olvani.txt" "$ausgabe/$portabel/"
crlf() { sed 's/$/\r/' "$1"; }
{ printf '\357\273\277'; crlf "$wurzel/dist/windows/LIESMICH.txt"; } >"$ausgabe/$portabel/LIESMICH.txt"
crlf "$wurzel/LICENSE" >"$ausgabe/$portabel/LICENSE.txt"
zip_datei=$ausgabe/$portabel-windows.zip
(cd "$ausgabe" && zip -q -X -r "$zip_datei" "$portabel")
cp "$bau/olvani.ico" "$ausgabe/$portabel/olvani.ico"
setup=$ausgabe/Olvani-Trainer-$version-setup.exe
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DQUELLE="$ausgabe/$portabel" -DZIEL="$setup" \
    "$wurzel/dist/windows/installer.nsi" >"$bau/makensis.log" 2>&1 \
    || { cat "$bau/makensis.log" >&2; echo "FAIL: makensis" >&2; exit 1; }
rm "$ausgabe/$portabel/olvani.ico"

# --- 7. The installer under Wine ------------------------------------------------------

schritt "installing silently under Wine, starting from the Start menu, uninstalling"
programme=$(winepath -u "$(windows_pfad '%LOCALAPPDATA%')\\Programs\\Olvani-Trainer")
startmenue=$(winepath -u "$(windows_pfad '%APPDATA%')\\Microsoft\\Windows\\Start Menu\\Programs\\Olvani-Trainer.lnk")
daten=$(winepath -u "$(windows_pfad '%USERPROFILE%')\\Documents\\Olvani-Trainer")
rm -rf "$programme" "$startmenue" "$daten"
wine "$setup" /S || { echo "FAIL: the installer ended with an error" >&2; exit 1; }
for datei in "$programme/olvani-trainer.exe" "$programme/Deinstallieren.exe" "$startmenue" "$daten/olvani.txt"; do
    [ -f "$datei" ] || { echo "FAIL: the installer did not make $datei" >&2; exit 1; }
done
cmp -s "$daten/olvani.txt" "$wurzel/examples/olvani.txt" || { echo "FAIL: the sample in $daten differs" >&2; exit 1; }
# The learner's own list survives installing again.
printf '"zelmar","Spiegel","@","@","@","0"\r\n' >>"$daten/olvani.txt"
cp "$daten/olvani.txt" "$bau/eigene-olvani.txt"
wine "$setup" /S || { echo "FAIL: installing a second time ended with an error" >&2; exit 1; }
cmp -s "$daten/olvani.txt" "$bau/eigene-olvani.txt" || { echo "FAIL: installing again changed the learner's olvani.txt" >&2; exit 1; }
# Wine 10's start gives 4 for a shortcut whatever the program ended with (seen
# with the start window closed by a key, which ends the program with 0).
status_unbekannt=1 probiere_aus wine start /wait /unix "$startmenue"
echo "installed, started from the Start menu in $(windows_pfad '%USERPROFILE%')\\Documents\\Olvani-Trainer"
wine "$programme/Deinstallieren.exe" /S
# The uninstaller runs on as a copy of itself.
wine_ende 60
for datei in "$programme" "$startmenue"; do
    [ ! -e "$datei" ] || { echo "FAIL: the uninstaller left $datei" >&2; exit 1; }
done
if wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Olvani-Trainer' >/dev/null 2>&1; then
    echo "FAIL: the uninstall entry is still in the registry" >&2
    exit 1
fi
cmp -s "$daten/olvani.txt" "$bau/eigene-olvani.txt" || { echo "FAIL: uninstalling touched the learner's olvani.txt" >&2; exit 1; }
echo "uninstalled; the learner's olvani.txt stays"

groesse() { echo "$(( ($(stat -c %s "$1") + 524288) / 1048576 )) MB ($(stat -c %s "$1") bytes)"; }
echo
echo "Windows build done in $(minuten "$t_rest") min (the static Qt not counted)."
echo "  olvani-trainer.exe, stripped: $(groesse "$ausgabe/$portabel/olvani-trainer.exe")"
echo "  $(basename "$zip_datei"): $(groesse "$zip_datei")"
echo "  $(basename "$setup"): $(groesse "$setup")"
[ "$tests_ok" -eq 1 ] || { echo "FAIL: ctest under Wine (output above; ctest --test-dir $bau reruns it)" >&2; exit 1; }

#!/usr/bin/env bash
# Makes the static Qt for 64-bit Windows that scripts/windows.sh builds the
# trainer with, and prints its folder as the last line of its output.
#
#   scripts/qt-windows.sh
#
# Qt is built on Debian 13 (on Debian 12 through scripts/debian13.sh, in a
# chroot) from Debian's own qt6-base source, the very version of the
# installed host tools (moc, rcc, uic), with Debian 13's MinGW-w64: Core,
# Gui, Widgets, Test, the windows and offscreen platform plugins. The source
# gets one patch of ours, dist/windows/qt-ohne-direct2d.patch (its header
# says why). The result goes to the cache folder $OLVANI_WINDOWS_CACHE
# (default ~/.cache/olvani-windows), in qt-VERSION/windows, and is reused
# while that source version is Debian 13's; the build log stays beside it.
# The first run takes about an hour on 2 cores ($OLVANI_JOBS jobs, default
# all cores). Exits non-zero on any failure.
set -euo pipefail
wurzel=$(cd "$(dirname "$0")/.." && pwd)
. /etc/os-release
if [ "${VERSION_ID:-}" != 13 ]; then
    exec "$wurzel/scripts/debian13.sh" "$wurzel/scripts/qt-windows.sh" "$@"
fi

cache=${OLVANI_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/olvani-windows}
jobs=${OLVANI_JOBS:-$(nproc)}
minuten() { echo $(( ($(date +%s) - $1 + 30) / 60 )); }

# Fails with the end of the log.
fehlschlag() { # log what-failed
    tail -n 30 "$1" >&2
    echo "FAIL: $2, see $1" >&2
    exit 1
}

qt_bauen() { # version folder
    local version=$1 ordner=$2 quelle protokoll=$2/qt-build.log t0
    t0=$(date +%s)
    echo "Building the static Qt $version for Windows into $ordner/windows (log: $protokoll)" >&2
    rm -rf "$ordner"
    mkdir -p "$ordner/build"
    (cd "$ordner" && apt-get source -qq --only-source "qt6-base=$version") >"$protokoll" 2>&1 \
        || fehlschlag "$protokoll" "apt-get source qt6-base=$version"
    quelle=$(find "$ordner" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
    patch -d "$quelle" -p1 <"$wurzel/dist/windows/qt-ohne-direct2d.patch" >>"$protokoll" 2>&1 \
        || fehlschlag "$protokoll" "the patch dist/windows/qt-ohne-direct2d.patch"
    # Qt keeps the toolchain file's path and reads it again whenever a
    # project is configured: a copy in the cache outlives the source tree.
    cp "$wurzel/cmake/mingw-w64-x86_64.cmake" "$ordner/toolchain.cmake"
    # Debian's source lacks src/3rdparty/wintab: no tablet events. Without
    # Direct2D the DirectWrite 3 font database does not build, so that goes
    # too (the GDI one is the default anyway). Bundled zlib, PCRE, libpng,
    # HarfBuzz and FreeType: nothing else to cross-build.
    (cd "$ordner/build" && nice -n 10 "$quelle/configure" -prefix "$ordner/windows" \
        -release -static -static-runtime -qt-host-path /usr \
        -nomake examples -nomake tests -opengl no -no-dbus -no-icu \
        -qt-zlib -qt-pcre -qt-libpng -qt-libjpeg -qt-harfbuzz -qt-freetype \
        -no-feature-tabletevent -no-direct2d -no-feature-directwrite3 \
        -no-feature-sql -no-feature-network -no-feature-printsupport -no-feature-xml \
        -no-feature-concurrent -no-feature-vulkan \
        -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ordner/toolchain.cmake" \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake) >>"$protokoll" 2>&1 \
        || fehlschlag "$protokoll" "configuring the static Qt"
    echo "configured in $(minuten "$t0") min; building with $jobs jobs" >&2
    nice -n 10 cmake --build "$ordner/build" -j "$jobs" >>"$protokoll" 2>&1 \
        || fehlschlag "$protokoll" "building the static Qt"
    cmake --install "$ordner/build" >>"$protokoll" 2>&1 || fehlschlag "$protokoll" "installing the static Qt"
    # Sources and objects are no longer needed; the log stays.
    rm -rf "$ordner/build" "$quelle"
    touch "$ordner/windows/.fertig"
    echo "static Qt $version: $(minuten "$t0") min, $(du -sm "$ordner/windows" | cut -f1) MB" >&2
}

"$wurzel/scripts/pakete.sh" dpkg-dev patch xz-utils perl cmake ninja-build \
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
    qt6-base-dev qt6-base-dev-tools >&2
version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
ordner=$cache/qt-${version//[:+~]/_}
if [ -f "$ordner/windows/.fertig" ]; then
    echo "static Qt $version for Windows from the cache" >&2
else
    qt_bauen "$version" "$ordner"
fi
echo "$ordner/windows"

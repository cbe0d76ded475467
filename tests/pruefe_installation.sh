#!/usr/bin/env bash
# Checks what `cmake --install` and `cpack -G DEB` deliver.
#
#   pruefe_installation.sh dateien|paket SOURCE_DIR BUILD_DIR APP_ID VERSION
#
# dateien: the desktop entry and the AppStream file pass their validators and
#          agree with each other; a staged install holds every file in place.
# paket:   the .deb has the right name, version, section, dependencies and
#          contents; lintian, when installed, finds no error and no warning.
# A missing tool is a failure, not a skip: scripts/bauen.sh installs them.
set -euo pipefail

modus=$1 quelle=$2 bau=$3 id=$4 version=$5
fehler=0
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

falsch() { echo "FAIL: $*" >&2; fehler=1; }

brauche() { # tool package
    command -v "$1" >/dev/null || { echo "FAIL: $1 is missing (Debian package $2)" >&2; exit 1; }
}

# Value of KEY in the [Desktop Entry] group of a desktop file.
eintrag() { awk -v k="$2" 'index($0, k "=") == 1 { print substr($0, length(k) + 2); exit }' "$1"; }

pruefe_png_16() { # file: PNG signature, then width and height in IHDR
    local kopf
    kopf=$(od -An -tx1 -N24 "$1" | tr -d ' \n')
    [ "${kopf:0:16}" = 89504e470d0a1a0a ] || { falsch "$1 is not a PNG"; return; }
    [ "${kopf:24:8}" = 49484452 ] || { falsch "$1: no IHDR chunk"; return; }
    [ "${kopf:32:16}" = 0000001000000010 ] || falsch "$1 is not 16x16 (IHDR ${kopf:32:16})"
}

dateien() {
    brauche desktop-file-validate desktop-file-utils
    brauche appstreamcli appstream
    local desktop=$quelle/dist/$id.desktop meta=$bau/$id.metainfo.xml

    # Validators: errors fail; desktop-file-validate warnings fail too.
    local ausgabe
    if ! ausgabe=$(desktop-file-validate "$desktop" 2>&1); then falsch "desktop-file-validate: $ausgabe"; fi
    if grep -q 'warning:' <<<"$ausgabe"; then falsch "desktop-file-validate warns: $ausgabe"; fi
    # appstreamcli: errors and warnings fail; its infos count as warnings too.
    if ! ausgabe=$(appstreamcli validate --no-net --explain "$meta" 2>&1); then falsch "appstreamcli validate: $ausgabe"; fi
    if grep -Eq '^[EWI]: ' <<<"$ausgabe"; then falsch "appstreamcli validate reports: $ausgabe"; fi

    # The desktop entry and the AppStream data must name the same things.
    [ "$(eintrag "$desktop" Icon)" = "$id" ] || falsch "Icon= is not $id"
    [ "$(eintrag "$desktop" Exec)" = olvani-trainer ] || falsch "Exec= is not olvani-trainer"
    [ "$(eintrag "$desktop" Terminal)" = false ] || falsch "Terminal= is not false"
    if grep -q '^Path=' "$desktop"; then falsch "Path= is set: the trainer must read ~/olvani.txt"; fi
    for k in Name 'Name\[de\]' 'Comment' 'Comment\[de\]' GenericName Keywords; do
        grep -q "^$k=." "$desktop" || falsch "$k= is missing"
    done
    [[ "$(eintrag "$desktop" Categories)" == *Education\;*Languages\;* ]] || falsch "Categories= without Education;Languages;"
    grep -q "<id>$id</id>" "$meta" || falsch "metainfo <id> is not $id"
    grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$meta" || falsch "launchable is not $id.desktop"
    local neueste
    neueste=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$meta" | sed -n 1p)
    [ "$neueste" = "$version" ] || falsch "newest release in the metainfo is $neueste, the project has $version"

    # Staged install: every file where menus, icon themes and software centres look.
    cmake --install "$bau" --prefix "$tmp/usr" >"$tmp/install.log" || { cat "$tmp/install.log" >&2; falsch "cmake --install"; return; }
    local w=$tmp/usr
    [ -x "$w/bin/olvani-trainer" ] || falsch "bin/olvani-trainer is missing or not executable"
    for f in "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml" \
             "share/icons/hicolor/16x16/apps/$id.png" "share/icons/hicolor/scalable/apps/$id.svg" \
             share/doc/olvani-trainer/copyright share/doc/olvani-trainer/examples/olvani.txt \
             share/doc/olvani-trainer/changelog.Debian.gz share/man/man1/olvani-trainer.1.gz \
             share/man/de/man1/olvani-trainer.1.gz share/lintian/overrides/olvani-trainer; do
        [ -s "$w/$f" ] || falsch "$f is missing from the installed tree"
    done
    [ -s "$w/share/icons/hicolor/16x16/apps/$id.png" ] && pruefe_png_16 "$w/share/icons/hicolor/16x16/apps/$id.png"
    cmp -s "$quelle/ui/olvani.svg" "$w/share/icons/hicolor/scalable/apps/$id.svg" || falsch "the SVG icon differs from ui/olvani.svg"
    cmp -s "$quelle/examples/olvani.txt" "$w/share/doc/olvani-trainer/examples/olvani.txt" || falsch "the sample vocabulary differs"
    # Nothing else may land in the prefix (a stray library or test program).
    local fremd
    fremd=$(cd "$w" && find . -type f | grep -Ev "^\./(bin/olvani-trainer|share/(applications|metainfo|icons/hicolor/(16x16|scalable)/apps)/$id\.|share/doc/olvani-trainer/|share/man/(de/)?man1/olvani-trainer\.1\.gz$|share/lintian/overrides/olvani-trainer$)" || true)
    [ -z "$fremd" ] || falsch "unexpected files installed: $fremd"
    # AppStream's view of the installed tree (desktop entry, icon, metainfo together).
    if ! ausgabe=$(appstreamcli validate-tree --no-net --explain "$tmp" 2>&1); then falsch "appstreamcli validate-tree: $ausgabe"; fi
    if grep -Eq '^[EWI]: ' <<<"$ausgabe"; then falsch "appstreamcli validate-tree reports: $ausgabe"; fi
}

paket() {
    brauche dpkg-deb dpkg
    brauche dpkg-shlibdeps dpkg-dev
    local cpack=${CPACK:-cpack}
    brauche "$cpack" cmake
    "$cpack" -G DEB --config "$bau/CPackConfig.cmake" -B "$tmp/paket" >"$tmp/cpack.log" 2>&1 \
        || { cat "$tmp/cpack.log" >&2; falsch "cpack -G DEB"; return; }
    local deb
    deb=$(find "$tmp/paket" -maxdepth 1 -name "olvani-trainer_${version}-*_$(dpkg --print-architecture).deb" | sed -n 1p)
    [ -n "$deb" ] || { ls -R "$tmp/paket" >&2; falsch "no olvani-trainer_${version}-REVISION .deb was made"; return; }

    [ "$(dpkg-deb -f "$deb" Package)" = olvani-trainer ] || falsch "Package is not olvani-trainer"
    local paketversion
    paketversion=$(dpkg-deb -f "$deb" Version)
    [[ "$paketversion" =~ ^${version//./\\.}-[0-9]+$ ]] || falsch "Version $paketversion is not $version-REVISION"
    [ "$(dpkg-deb -f "$deb" Section)" = education ] || falsch "Section is not education"
    [[ "$(dpkg-deb -f "$deb" Maintainer)" == *@* ]] || falsch "Maintainer without an address"
    [ -n "$(dpkg-deb -f "$deb" Description)" ] || falsch "Description is missing"
    local abh
    abh=$(dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//')
    # By library, not by package name: Debian 13 calls some of them
    # libqt6core6t64 and the like (the 64-bit time_t transition).
    for p in libqt6widgets6 libqt6gui6 libqt6core6 libc6 'libstdc++6' fonts-liberation; do
        grep -q "^$(sed 's/+/[+]/g' <<<"$p")" <<<"$abh" || falsch "Depends without $p*: $(dpkg-deb -f "$deb" Depends)"
    done

    local inhalt
    inhalt=$(dpkg-deb -c "$deb" | awk '{print $NF}')
    for f in ./usr/bin/olvani-trainer "./usr/share/applications/$id.desktop" \
             "./usr/share/metainfo/$id.metainfo.xml" "./usr/share/icons/hicolor/16x16/apps/$id.png" \
             "./usr/share/icons/hicolor/scalable/apps/$id.svg" ./usr/share/doc/olvani-trainer/copyright \
             ./usr/share/doc/olvani-trainer/examples/olvani.txt ./usr/share/doc/olvani-trainer/changelog.Debian.gz \
             ./usr/share/man/man1/olvani-trainer.1.gz ./usr/share/man/de/man1/olvani-trainer.1.gz; do
        grep -qx "$f" <<<"$inhalt" || falsch "$f is missing from the package"
    done
    local aussen
    aussen=$(grep -v '^\./usr/' <<<"$inhalt" | grep -vx '\./\|\./usr/\?' || true)
    [ -z "$aussen" ] || falsch "files outside /usr: $aussen"
    if grep -q '^\./usr/local/' <<<"$inhalt"; then falsch "the package installs into /usr/local"; fi
    dpkg-deb -x "$deb" "$tmp/inhalt"
    [ -x "$tmp/inhalt/usr/bin/olvani-trainer" ] || falsch "/usr/bin/olvani-trainer is not executable"
    # Every library comes from the system: no RPATH into a build or /usr/lib.
    brauche readelf binutils
    local dyn abschnitte
    dyn=$(readelf -d "$tmp/inhalt/usr/bin/olvani-trainer")
    abschnitte=$(readelf -S "$tmp/inhalt/usr/bin/olvani-trainer")
    if grep -E 'R(UN)?PATH' <<<"$dyn"; then falsch "/usr/bin/olvani-trainer has an RPATH"; fi
    if grep -q '\.debug_info' <<<"$abschnitte"; then falsch "/usr/bin/olvani-trainer is not stripped"; fi

    # The Debian changelog's newest entry is this package's version.
    local eintrag
    eintrag=$(gzip -dc "$tmp/inhalt/usr/share/doc/olvani-trainer/changelog.Debian.gz" | sed -n 1p)
    [[ "$eintrag" == "olvani-trainer ($paketversion) "* ]] || falsch "changelog.Debian.gz begins '$eintrag', the package is $paketversion"

    # Debian's own checks, where lintian is installed: no error, no warning.
    if command -v lintian >/dev/null; then
        local befund status=0
        befund=$(lintian "$deb" 2>"$tmp/lintian.log") || status=$?
        [ "$status" -le 1 ] || { cat "$tmp/lintian.log" >&2; falsch "lintian could not run (status $status)"; }
        if grep -E '^[EW]: ' <<<"$befund"; then falsch "lintian: errors or warnings (above)"; fi
    fi
}

case $modus in
    dateien) dateien ;;
    paket) paket ;;
    *) echo "unknown mode: $modus" >&2; exit 2 ;;
esac
[ $fehler -eq 0 ] && echo "installation ($modus): all well"
exit $fehler

#!/usr/bin/env bash
# Contrast in a picture of a window, as a reader of the screen meets it: for
# each region the commonest colour (the background) and the colour that
# stands out most against it (the text, edge or mark drawn there), with the
# WCAG contrast ratio of the two.
#
#   scripts/kontrast.sh PICTURE NAME=WxH+X+Y [NAME=WxH+X+Y ...]
#
# Prints one line per region: name, background, foreground, ratio. Needs
# ImageMagick. Exits non-zero when a region cannot be read.
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: $0 PICTURE NAME=WxH+X+Y..." >&2; exit 2; }
bild=$1
shift
for region in "$@"; do
    name=${region%%=*}
    geometrie=${region#*=}
    # "   123: (r,g,b) #RRGGBB srgb(...)" per colour, counted.
    convert "$bild" -crop "$geometrie" +repage -alpha off -format %c histogram:info:- \
        | awk -v name="$name" '
            function hex(s,   i, w) { w = 0; for (i = 1; i <= length(s); i++) w = w * 16 + index("0123456789abcdef", tolower(substr(s, i, 1))) - 1; return w }
            function kanal(x) { x /= 255; return x <= 0.04045 ? x / 12.92 : exp(2.4 * log((x + 0.055) / 1.055)) }
            function hell(farbe_) {
                return 0.2126 * kanal(hex(substr(farbe_, 2, 2))) + 0.7152 * kanal(hex(substr(farbe_, 4, 2))) \
                     + 0.0722 * kanal(hex(substr(farbe_, 6, 2)))
            }
            function verhaeltnis(a, b) { return a > b ? (a + 0.05) / (b + 0.05) : (b + 0.05) / (a + 0.05) }
            match($0, /#[0-9A-Fa-f]{6}/) {
                farbe = substr($0, RSTART, 7); anzahl = $1 + 0
                n++; farben[n] = farbe; anzahlen[n] = anzahl
                if (anzahl > meiste) { meiste = anzahl; grund = farbe }
            }
            END {
                if (!n) { print name ": no pixels" > "/dev/stderr"; exit 1 }
                g = hell(grund); best = 1; vorne = grund
                for (i = 1; i <= n; i++) { r = verhaeltnis(hell(farben[i]), g); if (r > best) { best = r; vorne = farben[i] } }
                printf "%-22s background %s  foreground %s  %5.2f : 1\n", name, grund, vorne, best
            }'
done

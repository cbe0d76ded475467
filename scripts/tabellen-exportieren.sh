#!/usr/bin/env bash
# Exports the test spreadsheet tests/daten/tabellen/olvani.fods with the real
# spreadsheet programs into every form a learner may save olvani.txt in, and
# writes the files beside it (tests/daten/tabellen/), overwriting them.
# tst_vokabeldatei loads each and compares it with the sheet; INHALT lists how
# each was made. Run it after changing the sheet, then commit the results.
#
#   scripts/tabellen-exportieren.sh
set -euo pipefail
wurzel=$(cd "$(dirname "$0")/.." && pwd)
ordner="$wurzel/tests/daten/tabellen"
"$wurzel/scripts/pakete.sh" libreoffice-calc-nogui gnumeric

arbeit=$(mktemp -d)
trap 'rm -rf "$arbeit"' EXIT
# A profile of its own, so no running LibreOffice and no user settings interfere.
profil="file://$arbeit/profil"

# LibreOffice's CSV filter, "Text - txt - csv (StarCalc)", with its option tokens:
#   1 field separator (ASCII code: 44 comma, 59 semicolon, 9 tab)
#   2 text delimiter (34, the double quote)
#   3 character set (76 UTF-8, 1 Windows-1252, 65535 Unicode = UTF-16 with BOM)
#   4 first line (1)
#   5 cell formats (empty: none on export)
#   6 language (0: the default)
#   7 quote all text cells (true / false: only where needed)
#   8 detect special numbers (true; used on import only)
#   9 save cell contents as shown (true: the flag as "0" and "1")
lo() { # NAME SEPARATOR CHARSET QUOTE_ALL
    local filter="Text - txt - csv (StarCalc):$2,34,$3,1,,0,$4,true,true"
    rm -rf "$arbeit/lo" && mkdir "$arbeit/lo"
    soffice -env:UserInstallation="$profil" --headless --convert-to "csv:$filter" --outdir "$arbeit/lo" \
        "$ordner/olvani.fods" >/dev/null 2>&1
    mv "$arbeit/lo/olvani.csv" "$ordner/$1"
    echo "$1: soffice --convert-to 'csv:$filter' (LibreOffice $(soffice --version | awk '{print $2}'))" >>"$arbeit/INHALT"
}

# gnumeric reads no flat ODF (.fods): it gets the sheet as .ods from LibreOffice.
soffice -env:UserInstallation="$profil" --headless --convert-to ods --outdir "$arbeit" "$ordner/olvani.fods" >/dev/null 2>&1
gn() { # NAME OPTIONS (ssconvert's text exporter "Gnumeric_stf:stf_assistant")
    ssconvert --export-type=Gnumeric_stf:stf_assistant -O "$2" "$arbeit/olvani.ods" "$ordner/$1" 2>/dev/null
    echo "$1: ssconvert --export-type=Gnumeric_stf:stf_assistant -O '${2//$'\t'/\\t}' olvani.ods ($(ssconvert --version | sed -n 's/.*version .\([0-9.]*\).*/\1/p'))" \
        >>"$arbeit/INHALT"
}

lo lo-komma-utf8.csv 44 76 false
lo lo-komma-utf8-alle-quotes.csv 44 76 true
lo lo-komma-cp1252.csv 44 1 false
lo lo-komma-cp1252-alle-quotes.csv 44 1 true
lo lo-semikolon-utf8.csv 59 76 false
lo lo-semikolon-cp1252.csv 59 1 false
lo lo-tab-utf8.txt 9 76 false
lo lo-unicode-text.txt 9 65535 false
gn gn-komma-utf8.csv 'separator=, quoting-mode=auto charset=UTF-8 eol=unix'
gn gn-komma-cp1252-alle-quotes.csv 'separator=, quoting-mode=always charset=Windows-1252 eol=windows'
gn gn-semikolon-cp1252.csv 'separator=; quoting-mode=auto charset=Windows-1252 eol=windows'
# A tab has to be quoted: blanks separate the options.
gn gn-tab-utf8.txt "separator=\"$(printf '\t')\" quoting-mode=auto charset=UTF-8 eol=unix"

# UTF-16 big-endian, which no spreadsheet offers to save: the LibreOffice
# "Unicode text" file with its bytes swapped by iconv, mark included.
iconv -f UTF-16LE -t UTF-16BE "$ordner/lo-unicode-text.txt" >"$ordner/utf16-be.txt"
echo "utf16-be.txt: lo-unicode-text.txt through iconv -f UTF-16LE -t UTF-16BE (the mark swapped too)" >>"$arbeit/INHALT"

{
    echo "# How each file here was made from olvani.fods by scripts/tabellen-exportieren.sh"
    cat "$arbeit/INHALT"
} >"$ordner/INHALT"
echo "exported $(($(wc -l <"$ordner/INHALT") - 1)) files into $ordner"

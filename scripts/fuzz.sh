#!/usr/bin/env bash
# Fuzzes the vocabulary file reader for SECONDS (default 60) with libFuzzer,
# AddressSanitizer and UndefinedBehaviorSanitizer; exits non-zero on a finding.
#
#   scripts/fuzz.sh [SECONDS] [--merge]
#
# The run works on a temporary copy of fuzz/korpus/; with --merge the inputs
# that reach new code are added to fuzz/korpus/ afterwards. Crashing inputs
# are kept in build-fuzz/funde/.
set -euo pipefail
wurzel=$(cd "$(dirname "$0")/.." && pwd)
sekunden=${1:-60}
uebernehmen=false
[ "${2:-}" = "--merge" ] && uebernehmen=true
case $sekunden in
    '' | *[!0-9]*) echo "usage: $0 [SECONDS] [--merge]" >&2; exit 2 ;;
esac

# libFuzzer and the sanitizer runtimes come with the clang runtime package of
# the installed clang's major version (14 on Debian 12, 19 on Debian 13).
"$wurzel/scripts/pakete.sh" cmake make clang
clang_major=$(clang --version | sed -n 's/.*clang version \([0-9][0-9]*\).*/\1/p' | sed -n 1p)
[ -n "$clang_major" ] || { echo "FAIL: cannot tell the version of clang: $(clang --version | sed -n 1p)" >&2; exit 1; }
"$wurzel/scripts/pakete.sh" "libclang-rt-$clang_major-dev"

ordner="$wurzel/build-fuzz"
cmake -S "$wurzel/fuzz" -B "$ordner" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$ordner" -j"$(nproc)"

arbeit=$(mktemp -d)
trap 'rm -rf "$arbeit"' EXIT
mkdir -p "$arbeit/korpus" "$ordner/funde"
cp "$wurzel"/fuzz/korpus/* "$arbeit/korpus/"

# The tokens of the format, so mutations build records rather than noise.
cat >"$arbeit/woerter.dict" <<'EOF'
komma=","
quote="\""
crlf="\x0d\x0a"
lf="\x0a"
cr="\x0d"
leer="\"@\""
kennung="\"1\""
feld=",\"x\""
satz="\"w\",\"a\",\"@\",\"@\",\"@\",\"0\"\x0d\x0a"
bom="\xef\xbb\xbf"
strgz="\x1a"
umlaut="\xe4"
semikolon=";"
tab="\x09"
quotepaar="\"\""
null="\x00"
bom16le="\xff\xfe"
bom16be="\xfe\xff"
EOF

export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
status=0
"$ordner/fuzz_vokabeldatei" "$arbeit/korpus" -dict="$arbeit/woerter.dict" \
    -max_total_time="$sekunden" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$ordner/funde/" -print_final_stats=1 2>"$arbeit/log" || status=$?

grep -E '^(==[0-9]+==|SUMMARY|Verletzt|Done [0-9]+ runs)' "$arbeit/log" || true
ausfuehrungen=$(sed -n 's/^stat::number_of_executed_units: *//p' "$arbeit/log")
echo "executions: ${ausfuehrungen:-?}, corpus: $(find "$arbeit/korpus" -type f | wc -l) files" \
    "(seeded with $(find "$wurzel/fuzz/korpus" -type f | wc -l))"

if [ "$status" -ne 0 ]; then
    echo "FINDING: libFuzzer stopped with status $status; the input is in $ordner/funde/" >&2
    tail -n 60 "$arbeit/log" >&2
    exit "$status"
fi
if $uebernehmen; then
    "$ordner/fuzz_vokabeldatei" -merge=1 "$wurzel/fuzz/korpus" "$arbeit/korpus" 2>/dev/null
    echo "fuzz/korpus now holds $(find "$wurzel/fuzz/korpus" -type f | wc -l) files"
fi

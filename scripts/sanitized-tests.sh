#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ (or the folder given) and runs the whole test suite there. Any
# finding stops the test that made it, so the run exits non-zero.
set -euo pipefail
wurzel=$(cd "$(dirname "$0")/.." && pwd)
ordner=${1:-"$wurzel/build-asan"}

"$wurzel/scripts/bauen.sh" "$ordner" -DOLVANI_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug

# Leaks are checked too (LeakSanitizer comes with AddressSanitizer); Qt and
# the font libraries report none here, so nothing is suppressed.
export ASAN_OPTIONS="halt_on_error=1:abort_on_error=0:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:print_summary=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:report_error_type=1"
export QT_QPA_PLATFORM=offscreen

ctest --test-dir "$ordner" --output-on-failure -j"$(nproc)"

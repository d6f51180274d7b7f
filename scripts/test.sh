#!/usr/bin/env bash
# Sets everything up on a Debian 12 machine, builds Calidor and runs the whole test suite.
#   scripts/test.sh          optimised build in build/
#   scripts/test.sh tsan     ThreadSanitizer build in build-tsan/
#   scripts/test.sh asan     AddressSanitizer + UBSan build in build-asan/
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-default}"

scripts/install-deps.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j2

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 0700 "$XDG_RUNTIME_DIR"
case "$preset" in
  # Accesses made inside uninstrumented Qt are left out (see tests/tsan.supp).
  tsan) export TSAN_OPTIONS="suppressions=$PWD/tests/tsan.supp ignore_noninstrumented_modules=1 halt_on_error=1 second_deadlock_stack=1" ;;
  asan) export ASAN_OPTIONS="detect_leaks=1 abort_on_error=1"
        export UBSAN_OPTIONS="print_stacktrace=1 halt_on_error=1"
        export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp" ;;
esac
case "$preset" in
  tsan) ctest --preset "$preset" --label-exclude long ;;
  *)    ctest --preset "$preset" ;;
esac
# Whatever this machine holds, a fresh one gets every package that the build
# and the tests took files from.
if [ "$preset" = default ]; then
  scripts/check-deps.sh build
fi

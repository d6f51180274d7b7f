# Sourced by the test scripts. skip <reason>: a missing tool skips the test
# (exit 77), except under CI (CI=true), where a skipped test would hide what it
# checks: there it fails.
skip() {
  if [ "${CI:-}" = true ]; then
    echo "FAILED: $1; under CI this test must run"
    exit 1
  fi
  echo "SKIPPED: $1"
  exit 77
}

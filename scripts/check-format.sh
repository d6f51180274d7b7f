#!/usr/bin/env bash
# Checks that every C++ file follows the committed .clang-format, with the
# pinned clang-format of Debian 12 (another version formats a few constructs
# differently). `scripts/check-format.sh fix` rewrites the files instead.
set -euo pipefail
cd "$(dirname "$0")/.."
tool=clang-format-14
if ! command -v "$tool" >/dev/null; then
  echo "$tool is missing: scripts/install-deps.sh installs it" >&2
  exit 1
fi
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = fix ]; then
  "$tool" -i "${files[@]}"
else
  "$tool" --dry-run --Werror "${files[@]}"
  echo "clang-format: ${#files[@]} files follow .clang-format"
fi

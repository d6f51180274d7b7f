#!/usr/bin/env bash
# Builds the Debian package the way Debian builds its own: with the compiler
# and linker flags that dpkg-buildflags gives (hardening: stack protector,
# fortified calls, read-only relocations bound at start), and reproducibly
# (SOURCE_DATE_EPOCH: the last commit's time, unless already set), in a build
# of its own. Prints the package's path on its last line.
#   scripts/make-deb.sh [build dir]     (default build-deb)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-deb}

scripts/install-deps.sh >&2
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || echo 0)}
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
eval "$(dpkg-buildflags --export=sh)"
# CMake takes CXXFLAGS and LDFLAGS from the environment; the preprocessor's
# flags (the fortify level) go with the compiler's.
export CXXFLAGS="$CPPFLAGS $CXXFLAGS"
# A build type of None adds no flags of its own to Debian's.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=None -DBUILD_TESTING=OFF -DCALIDOR_BENCHMARKS=OFF >&2
cmake --build "$build" -j2 >&2
(cd "$build" && rm -f calidor_*.deb && cpack -G DEB >&2)
ls "$PWD/$build"/calidor_*.deb

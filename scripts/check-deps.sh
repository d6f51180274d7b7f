#!/usr/bin/env bash
# Proves that a fresh Debian 12 machine gets every package Calidor needs, even
# on a machine that already holds many more (a developer's, or CI's).
#
#   scripts/check-deps.sh [build dir]      the build, the tests and the scripts
#   scripts/check-deps.sh --deb FILE.deb   the installed program
#   scripts/check-deps.sh --without PACKAGE [build dir]
#                                          as if the list lacked PACKAGE (the
#                                          check of the check: it must fail)
#
# The first form takes every file the configured build and the test suite take
# from the system: the CMake package configurations CMake found (the *_DIR
# entries of CMakeCache.txt), the programs and libraries it found (its
# FILEPATH entries, Qt's moc, rcc, lrelease and lupdate), the shared libraries
# of every program built, the Qt plugins the tests load, the programs that the
# scripts and tests call, and the fonts the windows name. It asks dpkg which
# package owns each one, and fails, naming the file and its package, when that
# package is neither in scripts/install-deps.sh's list nor brought in by it.
#
# The second form does the same for the Debian package: what the installed
# program loads (its libraries, the platform plugins for X11 and Wayland, the
# GIF reader, Qt's French texts, the fonts, the desktop's opener) must come from
# a package that it depends on or recommends, or one of theirs.
#
# "Brought in" is what apt itself would install on a machine that has nothing:
# apt-get --simulate against an empty package status, so the alternatives
# ("a | b") and virtual packages are resolved as apt resolves them; the
# packages that every Debian system has (Essential: yes) count as present.
set -euo pipefail
cd "$(dirname "$0")/.."

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null || gcc -print-multiarch)
qtplugins=/usr/lib/$multiarch/qt6/plugins
failures=0
checked=0

# What apt would install, with its dependencies and no recommends, on a
# machine whose package status is empty; plus the essential packages.
closure_of() {
  : >"$work/status"
  apt-get --simulate -o Dir::State::status="$work/status" -o Debug::NoLocking=1 \
    install --no-install-recommends "$@" 2>"$work/apt.err" |
    awk '$1 == "Inst" { print $2 }' >"$work/closure" || true
  if [ ! -s "$work/closure" ]; then
    echo "check-deps: apt could not resolve the list: $(tail -n 3 "$work/apt.err")" >&2
    exit 2
  fi
  # A fresh Debian 12 system has its essential packages and apt.
  { dpkg-query -W -f='${Package} ${Essential}\n' | awk '$2 == "yes" { print $1 }'; echo apt; } >>"$work/closure"
  sed 's/:.*//' "$work/closure" | sort -u >"$work/accepted"
}

# The packages that own a file, one per line, with no architecture, from an
# index of every installed package's file list (one dpkg-query -S per file
# would take minutes). The file is tried as named, then with its links
# resolved, then without the /usr of the merged /usr (dpkg records /lib/...
# for what lands in /usr/lib/...).
index_owners() {
  (cd /var/lib/dpkg/info && grep -H '' -- *.list) |
    sed -E 's|^(.*)\.list:(/.*)$|\2\t\1|; s/:[a-z0-9_]+$//' | sort -u >"$work/owners"
}
owners_of() {
  local path=$1 real found
  real=$(readlink -f "$path" 2>/dev/null || echo "$path")
  for candidate in "$path" "$real" "${real#/usr}"; do
    found=$(grep -F -- "$candidate"$'\t' "$work/owners" | awk -F'\t' -v path="$candidate" '$1 == path { print $2 }')
    if [ -n "$found" ]; then
      echo "$found"
      return 0
    fi
  done
  return 1
}

# check <file> <why it is needed>: its package must be accepted.
check() {
  local file=$1 why=$2 owners
  checked=$((checked + 1))
  if ! owners=$(owners_of "$file"); then
    echo "MISSING PACKAGE: $file ($why) belongs to no Debian package: a fresh machine would not have it"
    failures=$((failures + 1))
    return
  fi
  if ! grep -qxF -f <(printf '%s\n' "$owners") "$work/accepted"; then
    echo "MISSING PACKAGE: $file ($why) comes from $(echo "$owners" | paste -sd' '), which $where does not bring in"
    failures=$((failures + 1))
  fi
}

# Every shared library a program or plugin loads, resolved as the loader would.
libraries_of() {
  ldd "$@" 2>/dev/null | awk '$2 == "=>" && $3 ~ /^\// { print $3 }' | sort -u
}

# The faces the windows and the document name, and the family each must
# resolve to (fontconfig answers every request with some face, so the family
# is compared too).
check_fonts() {
  local request family file
  while IFS='|' read -r request family; do
    file=$(fc-match -f '%{file}' "$request" 2>/dev/null || true)
    if ! fc-match -f '%{family}\n' "$request" 2>/dev/null | grep -qF "$family"; then
      echo "MISSING PACKAGE: the font \"$request\" resolves to $(fc-match -f '%{family}' "$request" 2>/dev/null), not $family"
      failures=$((failures + 1))
    elif [ -n "$file" ]; then
      check "$file" "font \"$request\""
    fi
  done <<'EOF'
DejaVu Sans Condensed|DejaVu Sans Condensed
DejaVu Sans|DejaVu Sans
DejaVu Serif|DejaVu Serif
Comic Neue|Comic Neue
Comic Sans MS:bold|Comic Neue
EOF
}

# The programs that the scripts and the tests call: those named here, and
# every one that they look for with "command -v" or "for tool in". (The
# scripts that remake the pictures and icons, and the one that makes a fresh
# root, are the developers' and need tools of their own.)
called_programs() {
  printf '%s\n' cmake ctest cpack gzip fakeroot dpkg-shlibdeps dpkg-deb lintian hardening-check \
    clang-format-14 git Xvfb xdotool xwd /usr/bin/convert desktop-file-validate appstreamcli \
    apt-get fc-match ldd
  local sources=(tests .ci scripts/test.sh scripts/run.sh scripts/install-deps.sh scripts/check-deps.sh
                 scripts/check-deb.sh scripts/check-format.sh scripts/make-deb.sh)
  grep -rhoE 'command -v [A-Za-z0-9_.+-]+' "${sources[@]}" | awk '{ print $3 }'
  grep -rhoE 'for tool in [A-Za-z0-9_. +-]+' "${sources[@]}" | cut -d' ' -f4-
}

check_build() {
  local build=$1 entry dir name config program file
  [ -f "$build/CMakeCache.txt" ] || { echo "check-deps: no CMakeCache.txt in $build (configure first)" >&2; exit 2; }
  where="scripts/install-deps.sh"
  mapfile -t packages < <(scripts/install-deps.sh --list | grep -vxF "${without:-/}")
  closure_of "${packages[@]}"
  index_owners

  # The CMake package configurations found.
  while IFS= read -r entry; do
    name=${entry%%_DIR:PATH=*}
    dir=${entry#*=}
    [ -d "$dir" ] || continue
    config=$(find "$dir" -maxdepth 1 \( -name "${name}Config.cmake" -o -iname "${name}-config.cmake" \) | head -n 1)
    check "${config:-$dir}" "CMake package $name"
  done < <(grep -E '^[A-Za-z0-9_]+_DIR:PATH=/' "$build/CMakeCache.txt")

  # The programs and libraries found: the toolchain, and whatever else the
  # generated build, install or test steps use (CMake also records optional finds,
  # such as valgrind for ctest's memory check, that nothing here runs).
  find "$build" \( -name build.make -o -name link.txt -o -name flags.make -o -name cmake_install.cmake \
    -o -name CTestTestfile.cmake \) \
    -exec cat {} + >"$work/buildfiles"
  local name file
  while IFS='=' read -r name file; do
    case "$file" in "$PWD"/* | "$(cd "$build" && pwd)"/*) continue ;; esac
    [ -e "$file" ] || continue
    if [[ $name == CMAKE_* ]] || grep -qF -- "$file" "$work/buildfiles"; then
      check "$file" "found by CMake as ${name%%:*}"
    fi
  done < <(grep -E '^[A-Za-z0-9_]+:FILEPATH=/' "$build/CMakeCache.txt")
  if [ -f "$build/external-programs.txt" ]; then
    while IFS= read -r program; do check "$program" "Qt build tool"; done <"$build/external-programs.txt"
  fi

  # The shared libraries of every program built, and the plugins the tests load.
  mapfile -t built < <(find "$build" -type f -perm -u+x -exec sh -c 'head -c 4 "$1" | grep -q ELF' _ {} \; -print)
  for plugin in platforms/libqoffscreen.so platforms/libqxcb.so imageformats/libqgif.so; do
    check "$qtplugins/$plugin" "Qt plugin"
    built+=("$qtplugins/$plugin")
  done
  while IFS= read -r file; do check "$file" "shared library"; done < <(libraries_of "${built[@]}")

  # The programs the scripts and tests call.
  while IFS= read -r program; do
    [ "$program" = sudo ] && continue # used only where it is there
    if file=$(command -v "$program"); then
      check "$file" "program called by the scripts or tests"
    else
      echo "MISSING PACKAGE: the program $program, called by the scripts or tests, is not installed"
      failures=$((failures + 1))
    fi
  done < <(called_programs | tr ' ' '\n' | grep . | sort -u)

  check_fonts
}

# Depends and Recommends of the package, one package name a line: the
# versions dropped, and the first of each set of alternatives (apt's choice).
relations_of() {
  dpkg-deb -f "$1" Depends Recommends | sed 's/^[A-Za-z-]*: //' | tr ',' '\n' |
    sed 's/|.*//; s/(.*)//; s/^ *//; s/ *$//' | grep .
}

check_deb() {
  local deb=$1 program file
  [ -f "$deb" ] || { echo "check-deps: no package $deb" >&2; exit 2; }
  where="the package's Depends and Recommends"
  mapfile -t relations < <(relations_of "$deb")
  closure_of "${relations[@]}"
  index_owners

  dpkg-deb -x "$deb" "$work/root"
  program=$work/root/usr/bin/calidor
  [ -x "$program" ] || { echo "check-deps: $deb holds no usr/bin/calidor" >&2; exit 2; }
  local plugins=(platforms/libqxcb.so platforms/libqwayland-generic.so platforms/libqwayland-egl.so
                 imageformats/libqgif.so)
  for plugin in "${plugins[@]}"; do check "$qtplugins/$plugin" "Qt plugin the program loads"; done
  while IFS= read -r file; do
    check "$file" "shared library"
  done < <(libraries_of "$program" "${plugins[@]/#/$qtplugins/}")
  check /usr/share/qt6/translations/qtbase_fr.qm "Qt's French texts"
  check "$(command -v xdg-open || echo /usr/bin/xdg-open)" "opens the model document and the links"
  check_fonts
}

without=""
if [ "${1:-}" = "--without" ]; then
  without=${2:?usage: check-deps.sh --without PACKAGE [build dir]}
  shift 2
fi
if [ "${1:-}" = "--deb" ]; then
  check_deb "${2:?usage: check-deps.sh --deb FILE.deb}"
else
  check_build "${1:-build}"
fi
if [ "$failures" -gt 0 ]; then
  echo "check-deps: $failures file(s) would be missing on a fresh Debian 12 machine (see above)"
  exit 1
fi
echo "check-deps: all $checked files checked come from packages that a fresh machine gets"

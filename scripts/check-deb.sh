#!/usr/bin/env bash
# Makes the Debian package (scripts/make-deb.sh) and checks it as a
# distribution would: lintian; Debian's hardening in the program
# (hardening-check); its Depends and Recommends against what the installed
# program loads (scripts/check-deps.sh --deb); and that making it again,
# document included, gives the same bytes.
#   scripts/check-deb.sh [build dir]     (default build-deb)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-deb}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

deb=$(scripts/make-deb.sh "$build" | tail -n 1)
echo "check-deb: $deb"
lintian --fail-on error "$deb"

dpkg-deb -x "$deb" "$work/root"
# --nocfprotection: the x86 control-flow protection that hardening-check also
# reads is not one of the three Debian asks of every package.
hardening-check --nocfprotection "$work/root/usr/bin/calidor"

scripts/check-deps.sh --deb "$deb"

# Nothing of the machine it was built on: neither the build's folder nor the
# prefix of a default install (a package lives in /usr).
for path in "$PWD" /usr/local; do
  if grep -qaF "$path" "$work/root/usr/bin/calidor"; then
    echo "check-deb: the packaged program carries the path $path" >&2
    exit 1
  fi
done

# Reproducible: print the document and pack again; the package must not change.
cp "$deb" "$work/first.deb"
rm -f "$build/docs/calidor-modele.pdf"
scripts/make-deb.sh "$build" >/dev/null
if ! cmp -s "$deb" "$work/first.deb"; then
  echo "check-deb: making the package twice gave different bytes; what differs:" >&2
  mkdir "$work/a" "$work/b"
  dpkg-deb -R "$work/first.deb" "$work/a"
  dpkg-deb -R "$deb" "$work/b"
  diff -r "$work/a" "$work/b" >&2 || true
  diff <(dpkg-deb -c "$work/first.deb") <(dpkg-deb -c "$deb") >&2 || true
  exit 1
fi
echo "check-deb: the package is the same when made again"

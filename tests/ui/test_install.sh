#!/usr/bin/env bash
# The installed tree: installs the build into a temporary DESTDIR under
# /usr, checks the exact list of files, runs the two desktop validators and
# the installed program's --version with an empty environment.
#   test_install.sh <build dir> <application id>
set -euo pipefail
build=$1
id=$2

source "$(dirname "$0")/../common/skip.sh"

for tool in desktop-file-validate appstreamcli; do
  if ! command -v "$tool" >/dev/null; then
    skip "$tool is missing (scripts/install-deps.sh installs it)"
  fi
done

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null

expected=(
  usr/bin/calidor
  "usr/share/applications/$id.desktop"
  usr/share/doc/calidor/calidor-modele.pdf
  usr/share/doc/calidor/changelog.Debian.gz
  usr/share/doc/calidor/copyright
)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$id.png")
done
expected+=(
  "usr/share/icons/hicolor/scalable/apps/$id.svg"
  usr/share/man/fr/man1/calidor.1.gz
  usr/share/man/man1/calidor.1.gz
  "usr/share/metainfo/$id.metainfo.xml"
)
status=0
if ! diff -u <(printf '%s\n' "${expected[@]}" | LC_ALL=C sort) \
             <(cd "$root" && find . -type f | sed 's|^\./||' | LC_ALL=C sort); then
  echo "FAILED: the installed files differ from the expected list (-expected +installed)"
  status=1
fi

desktop-file-validate "$root/usr/share/applications/$id.desktop" || status=1
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" || status=1
for page in man1/calidor.1.gz fr/man1/calidor.1.gz; do
  gzip -t "$root/usr/share/man/$page" || status=1
done

version=$(env -i "$root/usr/bin/calidor" --version | head -n 1)
if [ "$version" != "calidor 1.2" ]; then
  echo "FAILED: the installed program's --version printed '$version'"
  status=1
fi
exit $status

#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Calidor need.
# Does nothing when they are all present already, so it is cheap to call every time.
set -euo pipefail

packages=(
  cmake make g++ pkg-config
  qt6-base-dev libxkbcommon-dev
  googletest libgtest-dev libbenchmark-dev
  fonts-comic-neue fonts-dejavu-core fonts-dejavu-extra
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null

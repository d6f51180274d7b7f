#!/usr/bin/env bash
# Installs the Debian 12 packages that configuring, building, running, testing
# and packaging Calidor need, on a machine that has nothing but the clone.
# Does nothing when they are all present already, so it is cheap to call every
# time. Neither root nor able to use sudo: prints the command to run and fails.
#   scripts/install-deps.sh          install what is missing
#   scripts/install-deps.sh --list   print the list, one package a line
# scripts/check-deps.sh proves the list complete: every file the build, the
# tests and the scripts take from a Debian package must come from it.
set -euo pipefail

packages=(
  cmake make g++ pkg-config git
  qt6-base-dev libxkbcommon-dev libeigen3-dev
  # lrelease and lupdate, and their CMake configuration
  qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
  googletest libgtest-dev libbenchmark-dev
  fonts-comic-neue fonts-dejavu-core fonts-dejavu-extra
  # running on a Wayland desktop, and opening the model document and the links
  qt6-wayland xdg-utils
  # the end-to-end test on a real X server; the CSV files read back by Python
  xvfb xdotool x11-apps imagemagick python3
  # the installed tree's validators, the Debian package and its checks
  desktop-file-utils appstream dpkg-dev fakeroot lintian devscripts
  clang-format-14
)

if [ "${1:-}" = "--list" ]; then
  printf '%s\n' "${packages[@]}"
  exit 0
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

install_line="apt-get install -y --no-install-recommends ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  # sudo without a password, or with a terminal to ask for one.
  if command -v sudo >/dev/null && { sudo -n true 2>/dev/null || [ -t 0 ]; }; then
    sudo="sudo"
  else
    echo "Calidor needs Debian packages that are missing, and this script can neither act as root nor use sudo." >&2
    echo "Ask an administrator to run, as root:" >&2
    echo "  apt-get update && $install_line" >&2
    exit 1
  fi
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null

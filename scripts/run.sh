#!/usr/bin/env bash
# Sets everything up on a Debian 12 machine, builds Calidor and starts the simulator.
set -euo pipefail
cd "$(dirname "$0")/.."

# No window system to show the windows on: say so before installing or
# building anything (the program would say the same, but only at the end).
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "scripts/run.sh : aucun affichage (ni DISPLAY ni WAYLAND_DISPLAY) / no display (neither DISPLAY nor WAYLAND_DISPLAY)" >&2
  exit 1
fi

scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j2 --target calidor
exec build/ui/calidor "$@"

#!/usr/bin/env bash
# Sets everything up on a Debian 12 machine, builds Calidor and starts the simulator.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j2 --target calidor
exec build/ui/calidor "$@"

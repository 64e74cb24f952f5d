#!/usr/bin/env bash
# Installs what is missing, builds Velmaris and its sample data, and starts the game (on a machine
# without a display: on a virtual one, keeping a picture of the main menu in build/screenshot.png).
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build/release -j "$(nproc)"
program=build/release/bin/velmaris
if [ ! -x "$program" ]; then
  echo "The program is not built yet: this checkout has no program entry." >&2
  exit 1
fi
# Without a display, the game is shown on a virtual one and a picture of its menu is kept.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec ./tools/run-virtual-display.sh "$program" "$PWD/build/screenshot.png"
fi
exec "$program" "$@"

#!/usr/bin/env bash
# Installs what is missing, builds the game, its content tool and its data (the tests and the
# benchmarks are ./test.sh's), and starts the game. On a machine without a display it plays the
# start on a virtual one, giving the first player's name where the game asks for it, and keeps a
# picture of the main menu in build/screenshot.png.
# Usage: ./run.sh [--player NAME] [-lang CODE] [other program arguments...]
set -euo pipefail
cd "$(dirname "$0")"
player=Player
if [ "${1:-}" = --player ]; then
  [ $# -ge 2 ] || { echo "usage: ./run.sh [--player NAME] [program arguments...]" >&2; exit 2; }
  player=$2
  shift 2
fi
./tools/install-deps.sh
# Configured once; later runs only build what changed.
if [ ! -f build/release/build.ninja ]; then
  cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release > /dev/null
fi
cmake --build build/release -j "$(nproc)" --target velmaris game_content velmaris-screenshot velmaris-keys
program=build/release/bin/velmaris
# Without a display, the game is shown on a virtual one and a picture of its menu is kept.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec ./tools/run-virtual-display.sh "$program" "$PWD/build/screenshot.png" "$player" "$@"
fi
exec "$program" "$@"

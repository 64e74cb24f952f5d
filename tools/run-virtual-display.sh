#!/usr/bin/env bash
# Runs the game on a virtual display (for a machine without one): starts it, skips the logos
# with clicks as a player would, lets it reach the main menu, keeps a picture of it, closes the
# window and says where the picture is. Usage: run-virtual-display.sh PROGRAM PICTURE
set -euo pipefail
program=$1
picture=$2
shot=$(dirname "$program")/velmaris-screenshot

if [ -z "${VELMARIS_INSIDE_VIRTUAL_DISPLAY:-}" ]; then
  VELMARIS_INSIDE_VIRTUAL_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

"$program" &
game=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --all --pid "$game" --name '^Velmaris$' | head -n 1 || true)
if [ -z "$window" ]; then
  echo "The game did not open its window on the virtual display." >&2
  kill "$game" 2> /dev/null || true
  exit 1
fi
sleep 3
xdotool mousemove --window "$window" 900 80
for _ in 1 2 3 4; do  # each click skips one splash screen or logo (held a moment, as a hand does)
  xdotool mousedown 1 sleep 0.15 mouseup 1
  sleep 0.8
done
sleep 2
status=0
"$shot" "$window" "$picture" --close || status=$?
wait "$game" || status=$?
if [ "$status" -eq 0 ]; then
  echo "The game reached its main menu on a virtual display; its picture is in $picture"
fi
exit "$status"

#!/usr/bin/env bash
# Runs the game on a virtual display (for a machine without one) and plays its start as a player
# would: waits until the logos are gone (clicking each away), gives the first player's name where
# the game asks for it, waits for the main menu, keeps a picture of it, closes the window and says
# what happened. It waits on the screens the game itself names in its log ("screen in front: ...").
# When the menu is not reached it says where the game stopped and ends with status 1.
# Usage: run-virtual-display.sh PROGRAM PICTURE [PLAYER-NAME [PROGRAM-ARGUMENT...]]
#   VELMARIS_WAIT_SECONDS: how long each screen is waited for (default 180).
set -euo pipefail
program=$1
picture=$2
player=${3:-Player}
shift $(( $# < 3 ? $# : 3 ))
shot=$(dirname "$program")/velmaris-screenshot
wait_limit=${VELMARIS_WAIT_SECONDS:-180}

if [ -z "${VELMARIS_INSIDE_VIRTUAL_DISPLAY:-}" ]; then
  VELMARIS_INSIDE_VIRTUAL_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$0" "$program" "$picture" \
    "$player" "$@"
fi

# The game's log entries also go to its standard error: they are kept beside the picture.
trace=${picture%.*}.log
rm -f "$trace" "$picture"
VELMARIS_DEBUG_OUTPUT=1 "$program" "$@" 2> "$trace" &
game=$!

stop() {  # stop MESSAGE: says where the game stopped, ends it and the script
  echo "$1; its log is in $trace" >&2
  kill "$game" 2> /dev/null || true
  # A game that does not end within ten seconds (stopped, or stuck) is killed.
  for _ in $(seq 20); do running || break; sleep 0.5; done
  kill -KILL "$game" 2> /dev/null || true
  wait "$game" 2> /dev/null || true
  exit 1
}
running() { kill -0 "$game" 2> /dev/null; }
# The screen the game last reported in front; empty before its first frame.
front() { sed -n 's/.*screen in front: \([A-Za-z0-9_]*\).*/\1/p' "$trace" | tail -n 1; }

# Polls until the screen in front is not $1 any more (or, with $1 empty, until there is one);
# answers through $screen.
screen=
wait_while_front_is() {
  local deadline=$((SECONDS + wait_limit))
  while [ "$SECONDS" -lt "$deadline" ]; do
    running || stop "The game ended before its main menu (last screen: ${screen:-none})"
    screen=$(front)
    if [ -n "$screen" ] && [ "$screen" != "$1" ]; then return 0; fi
    [ "$screen" = logo_window ] && [ -n "$window" ] && click_away_from_menu
    sleep 0.5
  done
  return 1
}

window=
# A click where no menu button or dialog lies: it skips a logo as a player's would.
click_away_from_menu() {
  xdotool mousemove --window "$window" "$((width * 15 / 16))" "$((height / 16))" \
    mousedown 1 sleep 0.1 mouseup 1 > /dev/null 2>&1 || true
}
# Moves to a point given on the game's 1024 x 768 screen (y upward) and clicks.
click_at() {
  xdotool mousemove --window "$window" "$(($1 * width / 1024))" "$(((768 - $2) * height / 768))" \
    sleep 0.2 mousedown 1 sleep 0.2 mouseup 1 > /dev/null 2>&1 || true
}

wait_while_front_is "" || stop "The game showed no frame within $wait_limit s"
# The window may be shown a moment after the first frame is drawn into it.
window=$(timeout "$wait_limit" xdotool search --sync --onlyvisible --name '^Velmaris$' 2> /dev/null | head -n 1 || true)
[ -n "$window" ] || stop "The game drew a frame but showed no window titled Velmaris on the virtual display"
eval "$(xdotool getwindowgeometry --shell "$window" | grep -E '^(WIDTH|HEIGHT)=')"
width=$WIDTH
height=$HEIGHT

if [ "$screen" = logo_window ]; then
  wait_while_front_is logo_window || stop "The game stopped at its logos"
  echo "The logos are over."
fi
if [ "$screen" = GameEnterName ]; then
  echo "The game asks for the first player's name: \"$player\" is given."
  xdotool windowfocus --sync "$window" > /dev/null 2>&1 || true
  # Letters the keyboard map lacks are put on spare keys for good before they are pressed.
  keys=$("$(dirname "$program")/velmaris-keys" "$player") || stop "The name \"$player\" cannot be typed here"
  while IFS= read -r key; do
    xdotool key --delay 100 -- "$key" > /dev/null 2>&1 || stop "xdotool could not press \"$key\""
  done <<< "$keys"
  click_at 402 303  # the prompt's OK
  wait_while_front_is GameEnterName || stop "The game stopped at the first player's name prompt"
  given=1
fi
[ "$screen" = MainMenu ] || stop "The game stopped at the screen \"$screen\", not its main menu"
echo "The game reached its main menu."

if [ -n "${given:-}" ]; then
  # The players' list holds the name in UTF-16: was it taken whole?
  profiles=${XDG_DATA_HOME:-$HOME/.local/share}/Moskelt/tarvel/usersdata/profiles.pmf
  hex() { od -An -tx1 -v | tr -d ' \n'; }
  if [[ "$(hex < "$profiles" 2> /dev/null)" == *"$(printf '%s' "$player" | iconv -f UTF-8 -t UTF-16LE | hex)"* ]]; then
    echo "The player \"$player\" is in the players' list."
  else
    echo "The players' list does not hold \"$player\" as it was typed (see $profiles)." >&2
    lost_name=1
  fi
fi

status=0
"$shot" "$window" "$picture" --close || status=$?
wait "$game" || status=$?
[ "$status" -eq 0 ] || { echo "Keeping the picture or closing the game failed (status $status)." >&2; exit 1; }
echo "A picture of the main menu is in $picture"
[ -z "${lost_name:-}" ] || exit 1

#!/usr/bin/env bash
# Plays the built game as a careless player for a while, on a virtual display of its own, and
# says what went wrong. Run after run it starts the program, gives it random input over whatever
# screen is in front (clicks, double and right clicks, drags, wheel turns, keys, typed names) and
# ends the run in one of several ways: the window's close request, the window destroyed by another
# program, SIGTERM, SIGINT or SIGHUP, or kill -9 at a random moment (in play or still starting).
# It fails when:
#   - the program crashes: a status other than the run's end expects, a signal it was not sent,
#     or a sanitizer report, crash report or failed assertion on its standard error;
#   - the program stops answering: a close request or a signal that asks it to end does not end it
#     within VELMARIS_SOAK_END_SECONDS (default 120), or it shows no window within
#     VELMARIS_SOAK_START_SECONDS (default 300);
#   - a player's game is lost or emptied: after every run, velmaris-profile-check (the game's own
#     readers) must find each listed player's file or backup whole, and no file kept aside as
#     damaged.
# Most runs start from a player standing at a stage of the story (written by velmaris-profile-seed),
# some with the town map, the lens and hints, the items that end the stage or a diary with every
# tab, so that random play is a click or two from every screen; the others go on from the user
# folder the last run left. A share of the clicks goes to the places a player reaches for on the
# screen in front: a place's or close-up's objects (read from the sample game's content beside
# this script), the panel's buttons, the diary's tabs, the maps' places and offers; most of those
# go to the ones that lead to a screen this soak has not yet seen.
# It samples the program's resident memory every second and writes, in the output folder:
# runs.txt (each run's seed, end and the screens it showed, with when), summary.txt (runs,
# restarts, ends by kind, how many times each screen came to the front and which of the game's
# screens never did, peak memory by ten minutes of soak and by minute of a run's life,
# findings), memory.tsv (the samples) and, for each run with a finding, its standard error and
# user folder; for a run that does not end, every thread's stack (gdb, when installed) too.
# Status 0 when nothing was found, 1 otherwise, 2 on a wrong call.
#
# Usage: tools/soak.sh BIN-FOLDER SECONDS [OUTPUT-FOLDER]
#   BIN-FOLDER holds velmaris, velmaris-profile-check, velmaris-profile-seed and the sample game's
#   data (build/*/bin).
#   VELMARIS_SOAK_SEED makes the input repeatable (default: the clock).
set -euo pipefail

if [ $# -lt 2 ] || ! [[ $2 =~ ^[0-9]+$ ]]; then
  echo "usage: tools/soak.sh BIN-FOLDER SECONDS [OUTPUT-FOLDER]" >&2
  exit 2
fi
bin=$(cd "$1" && pwd)
seconds=$2
out=${3:-$PWD/soak-$(date -u +%Y%m%d-%H%M%S)}
content=$(cd "$(dirname "$0")/../content" && pwd)
for needed in "$bin/velmaris" "$bin/velmaris-profile-check" "$bin/velmaris-profile-seed" "$bin/velmaris-screenshot" \
  "$bin/data" "$content/levels" "$content/stages/stage.xml"; do
  [ -e "$needed" ] || { echo "soak: $needed is not built" >&2; exit 2; }
done
for tool in xdotool xvfb-run; do
  command -v "$tool" > /dev/null || { echo "soak: $tool is not installed (tools/install-deps.sh)" >&2; exit 2; }
done

# The random input goes to a display of the soak's own, never to a desktop in use.
if [ -z "${VELMARIS_SOAK_INSIDE:-}" ]; then
  mkdir -p "$out"
  out=$(cd "$out" && pwd)
  VELMARIS_SOAK_INSIDE=1 exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$bin" "$seconds" "$out"
fi

start_limit=${VELMARIS_SOAK_START_SECONDS:-300}
end_limit=${VELMARIS_SOAK_END_SECONDS:-120}
seed=${VELMARIS_SOAK_SEED:-$(date +%s)}
RANDOM=$seed
echo "soak: seed $seed, for $seconds s; findings and summary in $out"

work=$(mktemp -d "${TMPDIR:-/tmp}/velmaris-soak.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/data" "$work/run" "$work/home" "$work/bin"
chmod 700 "$work/run"
# The soak plays copies, so that a build made meanwhile changes nothing under it.
cp "$bin/velmaris" "$bin/velmaris-profile-check" "$bin/velmaris-profile-seed" "$bin/velmaris-screenshot" "$work/bin/"
for group in data localization fsdata splash; do
  [ -e "$bin/$group" ] && cp -r "$bin/$group" "$work/bin/"
done
built=$bin
bin=$work/bin
user=$work/data/Moskelt/tarvel
# The system's libraries keep some memory for the life of the process: not ours to free.
printf '%s\n' leak:libSDL2-2.0.so leak:libX11.so leak:libdbus-1 leak:libEGL leak:libGLX leak:swrast_dri \
  leak:libgallium leak:libLLVM leak:libglapi > "$work/lsan.supp"
echo "interceptor_via_lib:swrast_dri.so" > "$work/asan.supp"
export XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/run HOME=$work/home
export VELMARIS_DESKTOP_RECORD=$work/desktop.txt VELMARIS_DEBUG_OUTPUT=1 SDL_AUDIODRIVER=dummy
export LSAN_OPTIONS=print_suppressions=0:suppressions=$work/lsan.supp
export ASAN_OPTIONS=detect_leaks=1:suppressions=$work/asan.supp UBSAN_OPTIONS=print_stacktrace=1
# Mesa's compiling rasteriser deadlocks under the address sanitizer's unwinding; this one draws the same.
if nm -D "$bin/velmaris" 2> /dev/null | grep -q __asan_init; then export GALLIUM_DRIVER=softpipe; fi

summary=$out/summary.txt memory=$out/memory.tsv findings=$out/findings.txt runs_log=$out/runs.txt
: > "$findings"
: > "$runs_log"
printf 'soak_s\trun\trun_s\trss_kb\n' > "$memory"
runs=0 finding_count=0
declare -A ends=() screens=() seen=()
front_line='s/.*screen in front: \([^[:space:]<]*\).*/\1/p'  # the names of the screens a run's log brought to the front

finding() {  # finding RUN TEXT: records it and keeps the run's traces
  echo "run $1: $2" | tee -a "$findings" >&2
  finding_count=$((finding_count + 1))
  local keep=$out/run-$1
  if [ ! -d "$keep" ]; then
    mkdir -p "$keep"
    cp "$work/stderr.txt" "$work/last.png" "$keep/" 2> /dev/null || true
    cp -r "$user" "$keep/user" 2> /dev/null || true
  fi
}

# Every thread's stack of a program that does not end, kept with the run before it is killed.
keep_stacks() {  # keep_stacks RUN PID
  command -v gdb > /dev/null || return 0
  timeout 300 gdb -batch -p "$2" -ex "set pagination off" -ex "thread apply all bt" > "$out/run-$1/stacks.txt" 2>&1 || true
}

# Places of the game's 1024 x 768 screen (y upward) a player reaches for anywhere: the name
# prompt's OK, Play, the panel's first slot, first hint, menu, get-hint, map and diary buttons,
# the paused game's Back and Exit, the search's exit, beside the book and the middle.
places=("402 303" "512 523" "234 40" "807 57" "152 59" "826 24" "901 24" "980 24" "512 463" "512 253" "892 39"
  "20 740" "512 400")
# ... and on one kind of screen: the menus' and boxes' buttons, the diary's tabs and comics
# arrows, the town map's places, the small map's search offers. An aim is "X Y" and then the
# screens it leads to, if the soak knows them ("search/*": any search).
declare -A aims=(
  [message_box]="402 303;402 303;512 303;622 303"  # mostly "yes": a mini-game skipped, a search left
  [GameProfile]="680 543 GameEnterName;680 473 GameEnterName;680 403;680 173"
  [GameHelp]="512 223"
  [GameRecords]="512 223"
  [GameOptions]="342 173;682 173;512 463;512 463;512 393 help;512 253"
  [help]="512 223"
  [MainMenu]="512 523 place/*;512 453 GameProfile;512 383;512 313;512 243 help"
  [diary]="966 633 diary/comics;966 573 diary/picture;966 513 diary/petition;966 453 diary/scheme;966 393;543 157;684 157;825 157;980 24"
  [map/town]="170 208;300 358;480 158;560 328;420 478;650 468;770 318;980 24;901 24"
  [map/small]="$(for xy in "236 240" "313 352" "488 202" "548 330" "443 442" "576 435" "686 322" "726 322" "276 240" "353 352" \
    "393 352" "616 435" "750 502" "807 229" "656 435"; do printf '%s search/*;' "$xy"; done)980 24"
)
# The stages in play order, what ends each (the items its script asks the inventory for, given to
# a seeded player) and the screens its end brings: its stop pages, then the town map or, after the
# last, the credits.
stages=$(sed -n 's/.*<location name="\([^"]*\)".*/\1/p' "$content/stages/stage.xml")
declare -A end_items=() end_screens=()
while read -r stage stops; do
  end_items[$stage]=$(grep -ho '\(isininventory\|dropinventory\) [a-z_0-9]*' "$content/scripts/levels/$stage/$stage.script" 2> /dev/null |
    sed 's/.* //' | sort -u | paste -sd, - || true)
  screens_after=""
  for stop in ${stops//\\/ }; do
    case $stop in map_*) screens_after+=" map/travel" ;; gui | comics) ;; *) screens_after+=" comics/$stop" ;; esac
  done
  [ "$stage" = "$(tail -n 1 <<< "$stages")" ] && screens_after+=" credits" || screens_after+=" map/town"
  end_screens[$stage]=${screens_after# }
done < <(sed -n 's/.*<location name="\([^"]*\)"\( stop="\([^"]*\)"\)\{0,1\}.*/\1 \3/p' "$content/stages/stage.xml")
# What clicking an object starts, from the scripts ("OBJECT: game NAME", "OBJECT: showlocation
# NAME"); the objects that end a stage lead to the screens of its end.
declare -A leads=()
while read -r scene object kind name; do
  case $kind in
    game) leads[$scene/$object]=minigame/$name ;;
    showlocation) leads[$scene/$object]=closeup/$name ;;
    *) leads[$scene/$object]=${end_screens[$scene]:-} ;;
  esac
done < <(for file in "$content"/scripts/levels/*/*.script; do
  scene=$(basename "$file" .script)
  sed -n 's/^[[:space:]]*\([a-z_0-9]*\): \(game\|showlocation\|isininventory\) \([A-Za-z0-9_]*\).*/\1 \2 \3/p' "$file" | sed "s/^/$scene /"
  # An item used on an object ("click ITEM { OBJECT: ...") ends the stage when the block says so.
  awk '/^[[:space:]]*click [a-z_0-9]+ \{/ { inside = 1; next } inside && /^[[:space:]]*[a-z_0-9]+:/ { sub(/:.*/, ""); gsub(/[[:space:]]/, ""); object = $0 }
    inside && /endlocation/ && object != "" { print object; object = "" } /^  \}/ { inside = 0 }' "$file" | sed "s/^/$scene /; s/\$/ used -/"
done)
# A place's or close-up's objects, from the sample game's scenes (x, y from the top): the middle of
# each object a player may click ("_a" names its highlight), with what it leads to.
while read -r scene name x y w h; do
  aims[$scene]="${aims[$scene]:+${aims[$scene]};}$((x + w / 2)) $((768 - y - h / 2)) ${leads[$scene/$name]:-}"
done < <(for file in "$content"/levels/*.xml; do
  scene=$(sed -n 's/.*<location [^>]*name="\([^"]*\)".*/\1/p' "$file" | head -n 1)
  sed -n 's/.*<object name="\([^"]*\)" kind="i" x="\([0-9]*\)" y="\([0-9]*\)" width="\([0-9]*\)" height="\([0-9]*\)".*/\1 \2 \3 \4 \5/p' "$file" |
    grep -v '^[^ ]*_a ' | sed "s/^/$scene /"
done)
# The game's screens a soak should bring to the front: the menus', each place and close-up, the
# diary's pages, the maps, a search ("*": any of the kind), each mini-game a script starts, each
# comics page between stages. Two pages of the diary no player can bring up are left out, with why.
unreachable="diary/goals (its tab is never shown), diary/history (its tab opens the comics page over it: diary/comics)"
game_screens="logo_window GameEnterName GameProfile MainMenu loading GameOptions credits map/town map/small map/travel search/*
  diary/petition diary/picture diary/scheme diary/comics
  $(for file in "$content"/levels/*.xml; do
    scene=$(sed -n 's/.*<location [^>]*name="\([^"]*\)".*/\1/p' "$file" | head -n 1)
    folder=$(sed -n 's/.*<location [^>]*folder="\([^"]*\)".*/\1/p' "$file" | head -n 1)
    if grep -qx "$scene" <<< "$stages"; then echo "place/$scene"; elif [ "$folder" != inventory ]; then echo "closeup/$scene"; fi
  done)
  $(sed -n 's/.*: game \([A-Za-z0-9_]*\).*/minigame\/\1/p' "$content"/scripts/levels/*/*.script | sort -u)
  $(grep -o 'gui\\comics\\[A-Za-z0-9_]*' "$content/stages/stage.xml" | sed 's/.*\\/comics\//')"
keys=(Escape Return space BackSpace Tab Delete Left Right Up Down Home End F1 F4 F10 a b z 1 2 9
  shift+a ctrl+z alt+F4 alt+Return ctrl+c KP_Enter minus period)

# A click held long enough for a frame of a loaded machine to see it, after the pointer has rested
# there a moment (a button takes a press only once it knows the pointer is over it).
click() {  # click WINDOW X Y [BUTTON]
  xdotool mousemove --window "$1" "$2" "$3" sleep 0.2 mousedown "${4:-1}" sleep 0.1 mouseup "${4:-1}"
}

# The targets of the screen in front ("x y [screen...];..."), if the soak knows any. In a place or
# close-up the panel's menu, get-hint, map and diary buttons count among them, and in a place the
# inventory's first slot (its item in hand ends some stages).
aims_of() {  # aims_of FRONT
  # The diary's tabs show only for a player who has something on them: a seeded full diary.
  local tabs=
  [[ " ${seed_args[*]:-} " == *" diary "* ]] && [ -n "$seeded" ] && tabs=" diary/picture diary/petition diary/scheme"
  local panel="152 59 GameOptions;826 24 search/*;901 24 map/small;980 24 diary/comics$tabs"
  case $1 in
    diary/*) echo "${aims[diary]}" ;;
    place/*) echo "${aims[${1#*/}]:+${aims[${1#*/}]};}$panel;234 40 ${end_screens[${1#*/}]:-}" ;;
    closeup/*) echo "${aims[${1#*/}]:+${aims[${1#*/}]};}$panel" ;;
    logo_window) echo "512 384" ;;  # a click passes a logo
    *) echo "${aims[$1]:-}" ;;
  esac
}

# Whether any of the screens named is one this soak has not yet seen in front.
leads_somewhere_new() {  # leads_somewhere_new SCREEN...
  local screen name
  for screen in "$@"; do
    if [[ $screen == *'*' ]]; then
      local found=
      for name in "${!seen[@]}"; do [[ $name == ${screen%'*'}* ]] && found=1 && break; done
      [ -z "$found" ] && return 0
    elif [ -z "${seen[$screen]:-}" ]; then
      return 0
    fi
  done
  return 1
}

# How many screens not yet seen a scene's objects lead to, its close-ups' included.
unseen_from() {  # unseen_from SCENE
  local aim count=0 leads screen
  IFS=';' read -r -a aim_list <<< "${aims[$1]:-}"
  for aim in "${aim_list[@]}"; do
    read -r -a leads <<< "$aim"
    for screen in "${leads[@]:2}"; do
      if leads_somewhere_new "$screen"; then
        count=$((count + 1))
        [[ $screen == closeup/* ]] && count=$((count + $(unseen_from "${screen#closeup/}")))
      elif [[ $screen == closeup/* ]]; then
        count=$((count + $(unseen_from "${screen#closeup/}")))
      fi
    done
  done
  echo "$count"
}

# One piece of input to the window (its size in $width x $height), given the screen in front.
random_input() {  # random_input WINDOW FRONT
  local w=$1 x=$((RANDOM % width)) y=$((RANDOM % height)) x2=$((RANDOM % width)) y2=$((RANDOM % height))
  local name="Pl$((RANDOM % 1000))ayer$((RANDOM % 100))"
  name=${name:0:$((1 + RANDOM % 12))}
  local aimed aim fresh=() leads
  if [ "$2" = MainMenu ] && [ $((RANDOM % 4)) -lt $((${seeded:-0} + 2)) ]; then
    click "$w" $((512 * width / 1024)) $(((768 - 523) * height / 768))  # Play, most often for a seeded player
    return
  fi
  if [[ $2 == minigame/* ]] && [ $((RANDOM % 4)) = 0 ]; then
    click "$w" $((892 * width / 1024)) $(((768 - 39) * height / 768))  # skip it: a game once seen has no more to show
    return
  fi
  aimed=$(aims_of "$2")
  if [ -n "$aimed" ] && [ $((RANDOM % 4)) != 0 ]; then
    IFS=';' read -r -a aimed <<< "$aimed"
    # Two in three go to what leads to a screen not yet seen, when anything here does.
    for aim in "${aimed[@]}"; do
      read -r -a leads <<< "$aim"
      [ "${#leads[@]}" -gt 2 ] && leads_somewhere_new "${leads[@]:2}" && fresh+=("$aim")
    done
    [ "${#fresh[@]}" -gt 0 ] && [ $((RANDOM % 3)) != 0 ] && aimed=("${fresh[@]}")
    read -r x y _ <<< "${aimed[$((RANDOM % ${#aimed[@]}))]}"
    click "$w" $((x * width / 1024)) $(((768 - y) * height / 768))
    return
  fi
  if [ "$2" = GameEnterName ] && [ $((RANDOM % 3)) = 0 ]; then
    xdotool windowfocus "$w" type --delay 50 "$name"
    click "$w" $((402 * width / 1024)) $(((768 - 303) * height / 768))
    return
  fi
  case $((RANDOM % 12)) in
    0 | 1 | 2 | 3)
      read -r x y <<< "${places[$((RANDOM % ${#places[@]}))]}"
      click "$w" $((x * width / 1024)) $(((768 - y) * height / 768)) ;;
    4 | 5) click "$w" "$x" "$y" ;;
    6) xdotool mousemove --window "$w" "$x" "$y" click --repeat 2 --delay 80 1 ;;
    7) click "$w" "$x" "$y" 3 ;;
    8) xdotool mousemove --window "$w" "$x" "$y" mousedown 1 mousemove --window "$w" $(((x + x2) / 2)) $(((y + y2) / 2)) \
      sleep 0.1 mousemove --window "$w" "$x2" "$y2" mouseup 1 ;;
    9) xdotool mousemove --window "$w" "$x" "$y" click "$((4 + RANDOM % 2))" ;;
    10) xdotool windowfocus "$w" key --clearmodifiers "${keys[$((RANDOM % ${#keys[@]}))]}" ;;
    11) xdotool windowfocus "$w" type --delay 30 "$name" ;;
  esac
}

# The program's resident memory (kB), or nothing once it is gone.
resident() { sed -n 's/^VmRSS:[[:space:]]*\([0-9]*\).*/\1/p' "/proc/$1/status" 2> /dev/null || true; }

# Waits until the program ends, sampling its memory; false when it does not end within $2 seconds.
wait_for_end() {  # wait_for_end PID SECONDS RUN RUN-START
  local deadline=$((SECONDS + $2)) rss
  while kill -0 "$1" 2> /dev/null; do
    [ "$(awk '{print $3}' "/proc/$1/stat" 2> /dev/null)" = Z ] && break
    [ "$SECONDS" -ge "$deadline" ] && return 1
    rss=$(resident "$1")
    [ -n "$rss" ] && printf '%d\t%d\t%d\t%s\n' "$((SECONDS - soak_start))" "$3" "$((SECONDS - $4))" "$rss" >> "$memory"
    sleep 1
  done
}

# A signal ignored where the soak was started (nohup, or "&" in a script) stays ignored in the
# program, which rightly keeps a signal its caller ignores: such runs end with SIGTERM instead.
endings=(close close destroy term int hup kill kill)
ignored=$((16#$(sed -n 's/^SigIgn:[[:space:]]*//p' /proc/$$/status)))
for kind in hup:1 int:2; do
  name=${kind%:*}
  if (((ignored >> (${kind#*:} - 1)) & 1)); then
    endings=("${endings[@]/$name/term}")
    echo "soak: SIG${name^^} is ignored here, and so in the program: its runs end with SIGTERM instead"
  fi
done

soak_start=$SECONDS
while [ $((SECONDS - soak_start)) -lt "$seconds" ]; do
  runs=$((runs + 1))
  run=$runs
  run_start=$SECONDS
  # How the run ends, and after how long of random input (a kill may come while it is starting).
  ending=${endings[$((RANDOM % ${#endings[@]}))]}
  play=$((20 + RANDOM % 70))
  [ "$ending" = kill ] && [ "$((RANDOM % 3))" = 0 ] && play=$((RANDOM % 5))
  left=$((seconds - (SECONDS - soak_start)))
  [ "$play" -gt "$left" ] && play=$((left > 1 ? left : 1))
  rm -f "$work/last.png"
  path= last_front=
  # Two runs in three begin with a player standing at a stage of the story, one or two clicks from
  # the screens still unseen: the stage's end in hand, the map, the lens for a search, a full diary;
  # the others go on from the user folder as the last run left it. The first run is a first start.
  seeded=
  if [ "$run" -gt 1 ] && [ $((RANDOM % 3)) != 0 ]; then
    seeded=1
    read -r -a stage_list <<< "$(tr '\n' ' ' <<< "$stages")"
    stage=${stage_list[$((RANDOM % ${#stage_list[@]}))]}
    # Two in three go to a stage drawn by how many screens not yet seen its place leads to.
    if [ $((RANDOM % 3)) != 0 ]; then
      weights=() total=0
      for candidate in "${stage_list[@]}"; do
        count=$(($(unseen_from "$candidate") + 1))
        weights+=("$count") total=$((total + count))
      done
      draw=$((RANDOM % total))
      for i in "${!stage_list[@]}"; do
        [ "$draw" -lt "${weights[$i]}" ] && stage=${stage_list[$i]} && break
        draw=$((draw - weights[i]))
      done
    fi
    # Three hints pay for skipping a mini-game; five leave no room for a search's reward.
    hints=$((RANDOM % 6))
    [ $((RANDOM % 3)) != 0 ] && hints=$((3 + RANDOM % 2))
    seed_args=("$stage" "hints=$hints")
    [ -n "${end_items[$stage]}" ] && [ $((RANDOM % 3)) != 0 ] && seed_args+=("items=${end_items[$stage]}")
    [ $((RANDOM % 3)) != 0 ] && seed_args+=(map)
    [ $((RANDOM % 2)) = 0 ] && seed_args+=(lens)
    if leads_somewhere_new diary/picture diary/petition diary/scheme; then
      [ $((RANDOM % 3)) != 0 ] && seed_args+=(diary)
    else
      [ $((RANDOM % 2)) = 0 ] && seed_args+=(diary)
    fi
    "$bin/velmaris-profile-seed" "$user" "Soak$((RANDOM % 3))" "${seed_args[@]}" > /dev/null 2>&1 ||
      finding "$run" "the game's writers refused to seed a player at ${seed_args[*]}"
  fi
  (cd "$work" && exec "$bin/velmaris") 2> "$work/stderr.txt" &
  pid=$!
  window=
  while [ -z "$window" ] && kill -0 "$pid" 2> /dev/null && [ $((SECONDS - run_start)) -lt "$start_limit" ]; do
    [ "$ending" = kill ] && [ $((SECONDS - run_start)) -ge "$play" ] && break
    window=$(xdotool search --all --pid "$pid" --onlyvisible --name '^Velmaris$' 2> /dev/null | head -n 1 || true)
    [ -n "$window" ] || sleep 0.2
  done
  if [ -n "$window" ]; then
    eval "$(xdotool getwindowgeometry --shell "$window" 2> /dev/null | grep -E '^(WIDTH|HEIGHT)=')" || true
    width=${WIDTH:-1024} height=${HEIGHT:-768}
    play_end=$((SECONDS + play))
    path+=" window@$((SECONDS - run_start))s"
    while [ "$SECONDS" -lt "$play_end" ] && kill -0 "$pid" 2> /dev/null; do
      fronts=$(sed -n "$front_line" "$work/stderr.txt")
      front=$(tail -n 1 <<< "$fronts")
      [ -n "$front" ] && [ "$front" != "$last_front" ] && path+=" $front@$((SECONDS - run_start))s" && last_front=$front
      while read -r screen; do [ -n "$screen" ] && seen[$screen]=1; done < <(sort -u <<< "$fronts")
      random_input "$window" "$front" > /dev/null 2>&1 || true
      rss=$(resident "$pid")
      [ -n "$rss" ] && printf '%d\t%d\t%d\t%s\n' "$((SECONDS - soak_start))" "$run" "$((SECONDS - run_start))" "$rss" >> "$memory"
      sleep "0.$((RANDOM % 3))"
    done
  elif [ "$ending" != kill ]; then
    if kill -0 "$pid" 2> /dev/null; then
      finding "$run" "no window within $start_limit s"
      keep_stacks "$run" "$pid"
    fi
    ending=kill
  fi

  # The end: what the program was asked, and what it must answer with.
  expected=0
  if ! kill -0 "$pid" 2> /dev/null; then
    ending=gone  # it ended by itself (a random Alt+F4 or the menu's Quit): it must have ended well
  else
    case $ending in
      close) "$bin/velmaris-screenshot" "$window" "$work/last.png" --close > /dev/null 2>&1 || true ;;
      destroy) xdotool windowclose "$window" > /dev/null 2>&1 || true ;;
      term) kill -TERM "$pid" ;;
      int) kill -INT "$pid" ;;
      hup) kill -HUP "$pid" ;;
      kill) kill -KILL "$pid"; expected=137 ;;
    esac
  fi
  ends[$ending]=$((${ends[$ending]:-0} + 1))
  if ! wait_for_end "$pid" "$end_limit" "$run" "$run_start"; then
    finding "$run" "still running $end_limit s after it was asked to end ($ending); killed"
    keep_stacks "$run" "$pid"
    kill -KILL "$pid" 2> /dev/null || true
    expected=137
  fi
  status=0
  { wait "$pid"; } 2> /dev/null || status=$?  # no word from the shell about the run it killed
  [ "$status" -eq "$expected" ] || finding "$run" "ended with status $status after \"$ending\" (expected $expected)"
  if grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer)|runtime error:|SUMMARY: UndefinedBehaviorSanitizer|Assertion .* failed|crash report' \
    "$work/stderr.txt"; then
    finding "$run" "a sanitizer or crash report on standard error: $(grep -m 1 -E 'ERROR:|runtime error:|Assertion|crash report' "$work/stderr.txt")"
  fi
  while read -r screen; do
    [ -n "$screen" ] && screens[$screen]=$((${screens[$screen]:-0} + 1)) && seen[$screen]=1
  done < <(sed -n "$front_line" "$work/stderr.txt")
  if ! check=$("$bin/velmaris-profile-check" "$user" 2>&1); then
    finding "$run" "player files after \"$ending\": $(grep FINDING <<< "$check" | tr '\n' ' ')"
    # The damage is kept with the run; the next runs start from the files the game keeps.
    find "$user" -name '*.bad*' -delete
  fi
  players=$(grep -c '^player ' <<< "$check" || true)
  echo "run $run (${seeded:+seeded: ${seed_args[*]}; }$ending after ${play} s):$path" >> "$runs_log"
done

{
  echo "Soak of $built for $((SECONDS - soak_start)) s (asked: $seconds s)"
  echo "runs: $runs (restarts: $((runs > 0 ? runs - 1 : 0)))"
  printf 'ends:'; for kind in "${!ends[@]}"; do printf ' %s %d' "$kind" "${ends[$kind]}"; done; echo
  echo "players listed at the end: ${players:-0}"
  echo "screens brought to the front (times):"
  for screen in "${!screens[@]}"; do printf '  %s %d\n' "$screen" "${screens[$screen]}"; done | sort
  never=$(set -f; for screen in $game_screens; do  # no file names: "search/*" is a kind
    reached=${screens[$screen]:-}
    if [[ $screen == *'*' ]]; then  # any screen of that kind
      for seen in "${!screens[@]}"; do [[ $seen == ${screen%'*'}* ]] && reached=1; done
    fi
    [ -n "$reached" ] || printf ' %s' "$screen"
  done)
  echo "screens of the game never brought to the front:${never:- none}"
  echo "screens no player can bring to the front (not counted): $unreachable"
  awk -F'\t' 'NR > 1 && $4 > peak { peak = $4 } END { printf "peak resident memory: %.1f MB\n", peak / 1024 }' "$memory"
  echo "peak resident memory by ten minutes of soak (MB):"
  awk -F'\t' 'NR > 1 { b = int($1 / 600); if ($4 > p[b]) p[b] = $4; if (b > n) n = b }
    END { for (b = 0; b <= n; ++b) printf "  %3d-%3d min: %.1f\n", b * 10, b * 10 + 10, p[b] / 1024 }' "$memory"
  echo "peak resident memory by minute of a run's life (MB):"
  awk -F'\t' 'NR > 1 { b = int($3 / 60); if ($4 > p[b]) p[b] = $4; if (b > n) n = b }
    END { for (b = 0; b <= n; ++b) printf "  minute %d: %.1f\n", b + 1, p[b] / 1024 }' "$memory"
  echo "findings: $finding_count"
  cat "$findings"
} > "$summary"
cat "$summary"
[ "$finding_count" -eq 0 ]

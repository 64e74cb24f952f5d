#!/usr/bin/env bash
# run-case.sh FRAMES-ROOT TEST-PROGRAM ARGUMENTS...: runs one end-to-end case on a virtual display
# of its own, so that cases run side by side, and keeps each try apart: the case's frames, its
# output and the programs' logs go to FRAMES-ROOT/<case>/try-N (N counts the tries kept there), with
# the word "passed" or "failed" in its file "result". A listing of the cases runs as it is.
set -uo pipefail
root=$1
shift
case_name=
for argument in "$@"; do
  case $argument in
    --gtest_list_tests) exec "$@" ;;
    --gtest_filter=*) case_name=${argument#--gtest_filter=} ;;
  esac
done
[ -n "$case_name" ] || case_name=all
case_name=${case_name//\//_}
tries=$root/$case_name
mkdir -p "$tries"
n=1
while ! mkdir "$tries/try-$n" 2> /dev/null; do n=$((n + 1)); done
try=$tries/try-$n

server=
stop_display() {
  if [ -n "$server" ]; then
    kill "$server" 2> /dev/null
    wait "$server" 2> /dev/null
    server=
  fi
}
trap 'stop_display; exit 143' TERM INT
if command -v Xvfb > /dev/null; then
  # The server writes its number once it accepts connections; -noreset: it would reset whenever its
  # last client leaves and refuse a program that connects in that moment.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3> "$try/display" > "$try/xvfb.log" 2>&1 &
  server=$!
  for _ in $(seq 600); do
    grep -q '^[0-9]' "$try/display" 2> /dev/null && break
    kill -0 "$server" 2> /dev/null || break
    sleep 0.1
  done
  number=$(head -n 1 "$try/display" 2> /dev/null)
  rm -f "$try/display"
  if [ -z "$number" ]; then
    echo "run-case: the virtual display did not start; its log:" >&2
    cat "$try/xvfb.log" >&2
    echo failed > "$try/result"
    stop_display
    exit 1
  fi
  export DISPLAY=:$number
  unset XAUTHORITY
fi

export VELMARIS_E2E_FRAMES=$try
"$@" 2>&1 | tee "$try/output.txt"
status=${PIPESTATUS[0]}
stop_display
if [ "$status" -eq 0 ]; then
  echo passed > "$try/result"
else
  echo failed > "$try/result"
  echo "run-case: try $n of $case_name failed; its frames and log are in $try"
fi
exit "$status"

#!/usr/bin/env bash
# Runs every fuzz target for a while and adds what it found that covers new code to the seed
# corpora in tests/fuzz/corpus (minimized by libFuzzer's merge). A crash is kept in
# build/fuzz/findings/<target>/ and named at the end; the script then ends with status 1.
# Usage: tools/fuzz-corpora.sh [SECONDS-PER-TARGET (300)] [TARGETS-AT-ONCE (3)] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}
at_once=${2:-3}
shift $(( $# > 2 ? 2 : $# ))
build=build/fuzz

if [ "${VELMARIS_FUZZ_NO_BUILD:-}" != 1 ]; then
  CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELMARIS_FUZZ=ON \
    > "$build.configure.log" 2>&1 || { cat "$build.configure.log"; exit 1; }
  cmake --build "$build" -j "$(nproc)" > "$build.build.log" 2>&1 || { tail -n 40 "$build.build.log"; exit 1; }
fi

targets=()
if [ $# -gt 0 ]; then
  for name in "$@"; do targets+=("$build/bin/fuzz_$name"); done
else
  shopt -s nullglob
  targets=("$build"/bin/fuzz_*)
fi
[ ${#targets[@]} -gt 0 ] || { echo "No fuzz targets in $build/bin." >&2; exit 1; }

# One target: fuzz into a scratch corpus seeded by the kept one, then merge what is new back.
fuzz_one() {  # fuzz_one TARGET
  local target=$1 name
  name=$(basename "$target")
  name=${name#fuzz_}
  local kept=tests/fuzz/corpus/$name work=$build/long/$name findings=$build/findings/$name
  local log=$build/long/$name.log
  rm -rf "$work" && mkdir -p "$work" "$kept" "$findings"
  local before status=0
  before=$(find "$kept" -type f | wc -l)
  # The seeds are read but not written: new inputs land in the scratch corpus only.
  "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -close_fd_mask=1 \
    -artifact_prefix="$findings/" -print_final_stats=1 "$work" "$kept" > "$log" 2>&1 || status=$?
  # Keep only what widens the kept corpus: -merge=1 copies into the first folder the inputs of the
  # others that cover something new, smallest first. New code counts, not new hit counts of code
  # already covered (-use_counters=0): the kept corpus stays small.
  "$target" -merge=1 -use_counters=0 -rss_limit_mb=2048 -timeout=10 -close_fd_mask=1 "$kept" "$work" \
    > "$log.merge" 2>&1 || true
  local after runs
  after=$(find "$kept" -type f | wc -l)
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  if [ "$status" -ne 0 ]; then
    echo "$name: FOUND A FAULT after ${runs:-?} runs (status $status); input and log in $findings/, $log"
    grep -m 3 -E '^==[0-9]+==ERROR|runtime error|^SUMMARY' "$log" | sed 's/^/    /' || true
    return 1
  fi
  echo "$name: ${runs:-?} runs in ${seconds} s, corpus $before -> $after files"
}

failed=0
running=0
for target in "${targets[@]}"; do
  fuzz_one "$target" &
  running=$((running + 1))
  if [ "$running" -ge "$at_once" ]; then
    wait -n || failed=1
    running=$((running - 1))
  fi
done
while [ "$running" -gt 0 ]; do
  wait -n || failed=1
  running=$((running - 1))
done
exit "$failed"

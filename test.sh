#!/usr/bin/env bash
# Builds Velmaris twice (Release with warnings as errors; Debug with AddressSanitizer and
# UndefinedBehaviorSanitizer), runs every test on both, then runs each fuzz target briefly.
# Each stage says how long it took, and the end the whole. VELMARIS_FUZZ_SECONDS is how long each
# fuzz target runs (default 20; the targets run as many at once as there are cores), and
# VELMARIS_SOAK_SECONDS how long the sanitized program is soaked (default 120; see tools/soak.sh).
set -euo pipefail
cd "$(dirname "$0")"
started=$SECONDS
stage_name=
stage_start=$SECONDS
stage() {  # stage NAME: ends the stage running (saying how long it took) and starts the next
  local now=$SECONDS
  [ -n "$stage_name" ] && printf '== %s took %dm%02ds\n' "$stage_name" $(((now - stage_start) / 60)) $(((now - stage_start) % 60))
  stage_name=$1
  stage_start=$now
  [ -n "$stage_name" ] && echo "== $stage_name"
  return 0
}
./tools/install-deps.sh

jobs=$(nproc)
fuzz_seconds=${VELMARIS_FUZZ_SECONDS:-20}
soak_seconds=${VELMARIS_SOAK_SECONDS:-120}

# Tests that open a real window or a GL context need a display: give them a virtual one. Each
# end-to-end case starts a display of its own (tests/e2e/run-case.sh), so they run side by side.
run_ctest() {  # run_ctest DIR [env...]
  local dir=$1; shift
  local display=()
  if [ -z "${DISPLAY:-}" ] && command -v xvfb-run > /dev/null; then
    # -noreset: the server would reset whenever its last client leaves and refuse a program that
    # connects in that moment.
    display=(xvfb-run -a -s "-screen 0 1280x1024x24 -noreset")
  fi
  env "$@" "${display[@]}" ctest --test-dir "$dir" --output-on-failure -j "$jobs" -E '^e2e' 2>&1 | tee "$dir.ctest.log"
  local status=${PIPESTATUS[0]}
  [ "$status" -eq 0 ] || exit "$status"
  # The end-to-end cases drive real windows with a pointer and the keyboard: a failed case is tried
  # once more, alone; each try keeps its frames and log in e2e-frames/<case>/try-N.
  rm -rf "$dir/e2e-frames"
  env "$@" ctest --test-dir "$dir" --output-on-failure -j "$jobs" -R '^e2e' --repeat until-pass:2 2>&1 \
    | tee "$dir.e2e.ctest.log"
  status=${PIPESTATUS[0]}
  note_retries "$dir"
  [ "$status" -eq 0 ] || { report_retries; exit "$status"; }
}

# Notes each end-to-end case of DIR that failed a try (passed on the next or not) in
# build/retried.txt, with where its first try is kept; a case that needed a retry in an earlier
# phase as well has needed one twice in a row, and fails the run.
note_retries() {  # note_retries DIR
  local dir=$1 try case_name again=0
  for try in "$dir"/e2e-frames/*/try-2; do
    [ -d "$try" ] || continue
    case_name=$(basename "$(dirname "$try")")
    if [ -f build/retried.txt ] && awk -v c="$case_name" '$1 == c { seen = 1 } END { exit !seen }' build/retried.txt; then
      echo "== $case_name needed a retry again in $dir: it fails"
      again=1
    fi
    echo "$case_name $(dirname "$try")/try-1" >> build/retried.txt
  done
  [ "$again" -eq 0 ] || exit 1
}

# Names every case that passed only on a retry, for the closing lines.
report_retries() {
  if [ -s build/retried.txt ]; then
    echo "== Passed only on a retry (first try's frames and log):$(printf ' %s (%s);' $(cat build/retried.txt))"
  else
    echo "== No end-to-end case needed a retry"
  fi
}

# Adds up what every ctest run counted, for the closing line.
count_tests() {
  local passed=0 total=0 n
  for log in build/*.ctest.log; do
    n=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\2/p' "$log" | tail -n 1)
    [ -n "$n" ] && total=$((total + n)) && passed=$((passed + n))
  done
  echo "$passed passed, 0 failed"
}

build() {  # build DIR cmake-args...
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@" > "$dir.configure.log" 2>&1 || { cat "$dir.configure.log"; return 1; }
  cmake --build "$dir" -j "$jobs"
}

echo "== Layers point one way"
./tools/check-layers.sh

mkdir -p build
rm -f build/*.ctest.log build/retried.txt
stage "Release build (warnings are errors)"
build build/release -DCMAKE_BUILD_TYPE=Release -DVELMARIS_WERROR=ON
stage "Release tests"
run_ctest build/release

stage "Debug build with AddressSanitizer and UndefinedBehaviorSanitizer"
build build/asan -DCMAKE_BUILD_TYPE=Debug -DVELMARIS_WERROR=ON -DVELMARIS_SANITIZE=address,undefined \
  -DVELMARIS_BENCH=OFF
stage "Sanitized tests"
run_ctest build/asan ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1

# Two minutes of a careless player on the sanitized program: crashes, hangs, sanitizer reports and
# lost player files fail CI. Its limits are generous: a slow sanitized program on a loaded machine
# must not read as a hung one.
stage "Soak of the sanitized program (${soak_seconds} s)"
VELMARIS_SOAK_START_SECONDS=600 VELMARIS_SOAK_END_SECONDS=300 ./tools/soak.sh build/asan/bin "$soak_seconds" build/asan-soak

stage "Threaded code under ThreadSanitizer"
cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELMARIS_WERROR=ON -DVELMARIS_SANITIZE=thread \
  -DVELMARIS_BENCH=OFF > build/tsan.configure.log 2>&1 || { cat build/tsan.configure.log; exit 1; }
cmake --build build/tsan -j "$jobs" --target test_core test_platform_os test_resources test_sound
TSAN_OPTIONS=halt_on_error=1 build/tsan/bin/test_core --gtest_filter='*Thread*:*Stream*:*Log*'
TSAN_OPTIONS=halt_on_error=1 build/tsan/bin/test_platform_os --gtest_filter='*Thread*:*Lock*'
TSAN_OPTIONS=halt_on_error=1 build/tsan/bin/test_resources --gtest_filter='*Thread*'
TSAN_OPTIONS=halt_on_error=1 build/tsan/bin/test_sound

stage "Fuzz build"
CC=clang CXX=clang++ build build/fuzz -DCMAKE_BUILD_TYPE=Debug -DVELMARIS_FUZZ=ON -DVELMARIS_WERROR=ON
stage "Fuzz targets (${fuzz_seconds} s each, $jobs at once)"
fuzz_one() {  # fuzz_one TARGET: a short run from the kept seeds; its log is shown when it fails
  local target=$1 name
  name=$(basename "$target")
  local corpus=tests/fuzz/corpus/${name#fuzz_} work=build/fuzz/corpus-${name#fuzz_}
  mkdir -p "$work"
  local seeds=()
  [ -d "$corpus" ] && seeds=("$corpus")
  if "$target" -max_total_time="$fuzz_seconds" -rss_limit_mb=2048 -timeout=10 -print_final_stats=0 -close_fd_mask=1 \
    "$work" "${seeds[@]}" > "build/fuzz/$name.log" 2>&1; then
    echo "-- $name"
  else
    echo "-- $name FAILED"
    tail -n 40 "build/fuzz/$name.log"
    return 1
  fi
}
export -f fuzz_one
export fuzz_seconds
shopt -s nullglob
targets=(build/fuzz/bin/fuzz_*)
if [ ${#targets[@]} -gt 0 ]; then
  printf '%s\n' "${targets[@]}" | xargs -P "$jobs" -I{} bash -c 'fuzz_one "$1"' _ {}
fi
stage ""
report_retries
count_tests
printf '== Everything took %dm%02ds\n' $(((SECONDS - started) / 60)) $(((SECONDS - started) % 60))

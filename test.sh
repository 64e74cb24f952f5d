#!/usr/bin/env bash
# Builds Velmaris twice (Release with warnings as errors; Debug with AddressSanitizer and
# UndefinedBehaviorSanitizer), runs every test on both, then runs each fuzz target briefly.
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh

jobs=$(nproc)
fuzz_seconds=${VELMARIS_FUZZ_SECONDS:-20}

build() {  # build DIR cmake-args...
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@" > "$dir.configure.log" 2>&1 || { cat "$dir.configure.log"; return 1; }
  cmake --build "$dir" -j "$jobs"
}

mkdir -p build
echo "== Release build (warnings are errors)"
build build/release -DCMAKE_BUILD_TYPE=Release -DVELMARIS_WERROR=ON
echo "== Release tests"
ctest --test-dir build/release --output-on-failure -j "$jobs"

echo "== Debug build with AddressSanitizer and UndefinedBehaviorSanitizer"
build build/asan -DCMAKE_BUILD_TYPE=Debug -DVELMARIS_WERROR=ON -DVELMARIS_SANITIZE=address,undefined \
  -DVELMARIS_BENCH=OFF
echo "== Sanitized tests"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build/asan --output-on-failure -j "$jobs"

echo "== Fuzz targets (${fuzz_seconds} s each)"
CC=clang CXX=clang++ build build/fuzz -DCMAKE_BUILD_TYPE=Debug -DVELMARIS_FUZZ=ON
shopt -s nullglob
for target in build/fuzz/bin/fuzz_*; do
  name=$(basename "$target")
  corpus=tests/fuzz/corpus/${name#fuzz_}
  work=build/fuzz/corpus-${name#fuzz_}
  mkdir -p "$work"
  seeds=()
  [ -d "$corpus" ] && seeds=("$corpus")
  echo "-- $name"
  "$target" -max_total_time="$fuzz_seconds" -rss_limit_mb=2048 -timeout=10 -print_final_stats=0 \
    "$work" "${seeds[@]}" > "build/fuzz/$name.log" 2>&1 || { tail -n 40 "build/fuzz/$name.log"; exit 1; }
done
echo "All builds and tests passed."

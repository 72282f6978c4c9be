#!/usr/bin/env bash
# Builds zyntoc from scratch and runs the whole test suite twice: in a normal build,
# then under AddressSanitizer and UndefinedBehaviorSanitizer (any report fails); the normal
# build is also installed, consumed and packaged (scripts/test-packaging.sh); then the
# Windows builds (scripts/test-windows.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc 2>/dev/null || echo 2)
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
for variant in normal sanitize; do
  dir=build/test-$variant
  options=(-DCMAKE_BUILD_TYPE=Debug)
  [ "$variant" = sanitize ] && options+=(-DZYNTOC_SANITIZE=ON)
  rm -rf "$dir"
  echo "== $variant build =="
  cmake -S . -B "$dir" "${options[@]}"
  cmake --build "$dir" -j"$jobs"
  ctest --test-dir "$dir" --output-on-failure -j"$jobs" --timeout 300
  if [ "$variant" = normal ]; then bash scripts/test-packaging.sh "$dir"; fi
done
# A short fuzzing run of every target (clang with libFuzzer).
bash scripts/test-fuzz.sh
bash scripts/test-windows.sh

#!/usr/bin/env bash
# Fuzzes every target for a short, fixed time from its corpus, in a clang build with
# libFuzzer, ASan and UBSan. Fails on any crash, leak, sanitizer report, input slower
# than 1 s or memory above 512 MB. Inputs found go to a scratch directory, not the corpus.
# The targets cap every file they write at 64 MB and work in the temporary folder.
#   scripts/test-fuzz.sh [SECONDS_PER_TARGET [TARGET...]]   (default 30 s, every target)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
shift || true
clang=$(command -v clang++-14 || true)
if [ -z "$clang" ] || ! compgen -G '/usr/lib/llvm-14/lib/clang/*/lib/linux/libclang_rt.fuzzer-*.a' >/dev/null; then
  echo "test-fuzz: clang++-14 with libFuzzer is missing (Debian: apt-get install clang-14 libclang-rt-14-dev)" >&2
  exit 1
fi
dir=build/test-fuzz
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER="$clang" \
  -DCMAKE_C_COMPILER="${clang/clang++/clang}" -DZYNTOC_SANITIZE=ON -DZYNTOC_FUZZ=ON >/dev/null
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=($(sed -n 's/^set(ZYNTOC_FUZZ_TARGETS \(.*\))$/\1/p' fuzzing/CMakeLists.txt))
jobs=$(nproc 2>/dev/null || echo 2)
cmake --build "$dir" -j"$jobs" --target zyntoc_fuzz_all

export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
root=$PWD
# Scratch on disk under the system's temporary folder, never memory-backed: the targets'
# private directories go there too, so that one a crash or timeout leaves is removed.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export TMPDIR=$scratch
# Inputs that failed are kept for the replay driver and the corpus.
artifacts=$root/$dir/artifacts
mkdir -p "$artifacts"

fuzz() {  # one target; its log in the scratch directory
  local name=$1
  mkdir -p "$scratch/$name"
  "$root/$dir/fuzzing/zyntoc_fuzz_$name" "$scratch/$name" "$root/fuzzing/corpus/$name" \
    -max_total_time="$seconds" -timeout=1 -rss_limit_mb=512 -malloc_limit_mb=512 \
    -print_final_stats=1 -artifact_prefix="$artifacts/$name-" >"$scratch/$name.log" 2>&1
}

# As many targets at a time as there are cores; each log is judged below.
pids=()
for name in "${targets[@]}"; do
  fuzz "$name" &
  pids+=("$!")
  if [ ${#pids[@]} -ge "$jobs" ]; then
    wait "${pids[0]}" || true
    pids=("${pids[@]:1}")
  fi
done
for pid in "${pids[@]}"; do wait "$pid" || true; done

failed=0

for name in "${targets[@]}"; do
  log=$scratch/$name.log
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  if grep -qE '^(==[0-9]+==ERROR|SUMMARY: |.*runtime error:|ALARM: |==[0-9]+== ERROR: libFuzzer)' "$log" ||
     ! grep -q '^Done [0-9]* runs' "$log"; then
    echo "fuzz $name: FAILED"
    cat "$log"
    ls "$artifacts/$name"-* 2>/dev/null | sed 's/^/failing input: /'
    failed=1
  else
    printf 'fuzz %-10s %10s executions  %6s per second  %3s s\n' "$name" "${runs:-?}" "${rate:-?}" "$seconds"
  fi
done
exit $failed

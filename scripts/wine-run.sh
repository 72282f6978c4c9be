#!/usr/bin/env bash
# Runs one Windows test program under wine: the CTest emulator of the Windows builds.
#   wine-run.sh WINE_LOADER PROGRAM [ARGUMENT...]
# Now and then wine gives up before the program runs: status 1 within milliseconds, with
# nothing on either stream. No test program ends that way (each prints why it fails), so such
# a run, and only such a run (status 1, no output, under a second), is tried again: 3 times at
# most per program. Each retry is a line of $ZYNTOC_WINE_RETRIES (when set), which the test
# command shares among all its programs and lists at its end; once it holds 10 lines, a further
# run that started nothing fails, saying so, instead of being retried.
# The program's output is passed on once the run is over.
set -u
loader=$1
shift
budget=10
out=$(mktemp) && err=$(mktemp) || exit 1
trap 'rm -f "$out" "$err"' EXIT

# Microseconds since the epoch (bash 5; the locale picks the decimal separator).
now() { echo "${EPOCHREALTIME//[.,]/}"; }

# Notes one retry in the shared log; fails when the test command has spent its budget.
spend_retry() {  # ATTEMPT PROGRAM [ARGUMENT...]
  local log=${ZYNTOC_WINE_RETRIES:-} retry=$1
  shift
  [[ -n $log ]] || return 0
  (
    flock 9
    if (($(grep -c . "$log") >= budget)); then
      echo "$(basename "$loader") ran nothing, not retried: the test command spent its $budget retries: $*" >>"$log"
      exit 1
    fi
    echo "$(basename "$loader") ran nothing, retry $retry: $*" >>"$log"
  ) 9>>"$log"
}

for attempt in 0 1 2 3; do
  started=$(now)
  "$loader" "$@" >"$out" 2>"$err"
  status=$?
  elapsed=$(($(now) - started))
  [[ $status -eq 1 && ! -s $out && ! -s $err && $elapsed -lt 1000000 && $attempt -lt 3 ]] || break
  if ! spend_retry $((attempt + 1)) "$@"; then
    echo "wine-run: $(basename "$loader") started nothing and the test command already retried $budget runs" >&2
    break
  fi
done
cat "$out"
cat "$err" >&2
exit "$status"

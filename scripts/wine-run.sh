#!/usr/bin/env bash
# Runs one Windows test program under wine64: the CTest emulator of the x86_64 build.
#   wine-run.sh WINE_LOADER PROGRAM [ARGUMENT...]
# Now and then wine64 gives up before the program runs: status 1 within milliseconds, with
# nothing on either stream. No test program ends that way (each prints why it fails), so such
# a run is tried again, twice at most, and logged to $ZYNTOC_WINE_RETRIES (when set) for the
# test command to show. The program's output is passed on once the run is over.
set -u
loader=$1
shift
out=$(mktemp) && err=$(mktemp) || exit 1
trap 'rm -f "$out" "$err"' EXIT
for attempt in 1 2 3; do
  "$loader" "$@" >"$out" 2>"$err"
  status=$?
  [[ $status -eq 1 && ! -s $out && ! -s $err ]] || break
  [[ -n ${ZYNTOC_WINE_RETRIES:-} ]] && echo "wine64 ran nothing, attempt $attempt: $*" >>"$ZYNTOC_WINE_RETRIES"
done
cat "$out"
cat "$err" >&2
exit "$status"

#!/usr/bin/env bash
# A short tour of zyntoc: builds the library and the zyntoc tool into build/demo, then
# asks the tool about the sample medium (examples/medium) and the sample installation
# (examples/installation). Nothing is written outside build/.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
build="$repo/build/demo"
cd "$repo"

# --- Set-up: compiler, CMake, GoogleTest and CLI11 ---
bash "$repo/scripts/install-deps.sh"

# --- Build everything from a fresh configuration ---
echo "Building into build/demo ..."
rm -rf "$build"
cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc 2>/dev/null || echo 2)" >/dev/null
zyntoc="$build/cli/zyntoc"

# The tour uses explicit paths, not the caller's environment.
unset ZYNInstallPath ZYNTOC_MSGPATH
medium=examples/medium/TOC
root=examples/installation

if [ -t 1 ]; then bold=$'\033[1m' plain=$'\033[0m'; else bold= plain=; fi
step() { printf '\n%s== %s%s\n' "$bold" "$*" "$plain"; }
run() {  # shows the command, runs it, and names a non-zero exit status
  printf '$ zyntoc %s\n' "$*"
  local status=0
  "$zyntoc" "$@" || status=$?
  [ "$status" -eq 0 ] || printf '(exit status %d)\n' "$status"
}

step "The installation is at service-pack level 1; the medium brings level 2"
run levels --root "$root"

step "What the medium offers this installation (PCFG.list hides two units; installed ones are left out)"
run offer --media "$medium" --root "$root"

step "Installing service pack 2: its conditional requisites bring the framework service packs"
run plan --media "$medium" --root "$root" SP2

step "Installing the analysis configuration, and why each unit comes: a conditional requisite fires"
run plan --why --media "$medium" --root "$root" ANALCF

step "Asking for something already there: the library's own messages go to standard error"
run plan --media "$medium" --root "$root" SKETCH

step "Removing the solid modeller takes the fix that needs it"
run remove --why --root "$root" SOLIDS

step "The same answer as JSON, for scripts"
run remove --json --root "$root" SOLIDS

step "Removing a fix (the library's to_remove file is read from a private temporary directory)"
run remove --root "$root" --fixes FIX0101

step "A plan recorded as a scenario file: the catalogues it read, its request and its answer"
run plan --record build/demo/sp2.scenario --media "$medium" --root "$root" SP2 SKETCH
echo "Recorded in build/demo/sp2.scenario; its request and answer:"
sed -n '/^scenario /,$p' build/demo/sp2.scenario

step "Replayed from another folder: the file holds all it needs, the answer is the same (exit status 0)"
(cd "$build" && run replay sp2.scenario)

step "Integrity check: one unit has lost its control file (exit status 1 = something found)"
run check --root "$root"

step "The same check with the French message catalogue (ZYNTOC_MSGPATH=examples/msg)"
ZYNTOC_MSGPATH=examples/msg run check --root "$root"

step "Checking a broken copy of the sample medium: every fault, one a line (exit status 1 = errors)"
run lint examples/broken-medium/TOC

step "The sample medium itself loads; lint only warns about names it does not carry"
run lint examples/medium/TOC

step "The installation's inventory, with its superseded units"
run list --root "$root" --select by-type

step "The medium's relations as a Graphviz graph"
run graph --media "$medium" -o build/demo/medium.dot
echo "Graph written to build/demo/medium.dot"
if command -v dot >/dev/null; then
  dot -Tsvg build/demo/medium.dot -o build/demo/medium.svg
  echo "Rendered as build/demo/medium.svg"
else
  echo "(install graphviz and run: dot -Tsvg build/demo/medium.dot -o medium.svg)"
fi

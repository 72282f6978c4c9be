#!/usr/bin/env bash
# Writes the starting inputs of every fuzz target into fuzzing/corpus/<target>/seed-*
# from the sample medium and installation and the test data. Inputs a fuzzer found are
# kept beside them; run this again when the samples change.
set -euo pipefail
cd "$(dirname "$0")/.."
corpus=fuzzing/corpus
medium=examples/medium
installed=examples/installation/control/PRESENT
mkdir -p "$corpus"/{line,installed,media,planning,messages,flat}

seed() {  # seed TARGET NAME: the input from standard input
  cat >"$corpus/$1/seed-$2"
}
controls() {  # the control files an installation holds, by name
  ls "$1" | grep -v '^PRESENT$' || true
}
# A section of a scenario file: the shared one, or the scenario's own (written as plain lines).
section() {  # FILE KIND [SCENARIO]
  awk -v kind="$2" -v want="${3-}" '
    /^scenario / { scope = substr($0, 10) }
    !inside && $0 == kind && scope == want { inside = 1; next }
    inside && $0 == "end" { exit }
    inside && /^\\/ { print FILENAME ": escaped lines are not read here" >"/dev/stderr"; exit 1 }
    inside { sub(/^\| ?/, ""); print }' "$1"
}
scenarios() {  # FILE: the names of its scenarios
  awk '/^scenario / { print substr($0, 10) }' "$1"
}

# Entry lines: every installed catalogue of the samples and the tests.
seed line present <"$installed"
for toc in tests/data/core/*.toc tests/data/installed/*/*.toc tests/data/cli/*.toc; do
  seed line "$(basename "$(dirname "$toc")")-$(basename "$toc" .toc)" <"$toc"
done
for file in tests/data/installed/removal/{cycles,frameworks}.scenario; do
  section "$file" installed | seed line "removal-$(basename "$file" .scenario)"
done

# Installed catalogues with their control directories.
{ cat "$installed"; echo %%; controls examples/installation/control; } | seed installed sample
{ cat tests/data/flat/install/control/PRESENT; echo %%; controls tests/data/flat/install/control; } |
  seed installed flat-install
for toc in tests/data/installed/*/*.toc; do
  seed installed "$(basename "$(dirname "$toc")")-$(basename "$toc" .toc)" <"$toc"
done
for file in tests/data/installed/removal/{cycles,frameworks}.scenario; do
  section "$file" installed | seed installed "removal-$(basename "$file" .scenario)"
done

# Media catalogues, with PCFG.list where there is one.
{ cat $medium/TOC; echo %%; cat $medium/PCFG.list; echo %%; echo SKETCH SP2; } | seed media sample
{ cat tests/data/query/catalogue/TOC; echo %%; cat tests/data/query/catalogue/PCFG.list; } | seed media query
for toc in tests/data/media/load/*.toc; do
  seed media "$(basename "$(dirname "$toc")")-$(basename "$toc" .toc)" <"$toc"
done
section tests/data/media/plan/closure.scenario medium | seed media plan-medium
section tests/data/media/plan/fixes.scenario medium | seed media plan-fixes
section tests/data/media/plan/requests.scenario medium medium_failed_to_load | seed media plan-broken

# Planning: the sample pair, and each planning scenario of the tests with its catalogues.
{ cat $medium/TOC; echo %%; cat "$installed"; echo %%; echo 0; echo SP2 SKETCH; } | seed planning sample
{ cat $medium/TOC; echo %%; cat "$installed"; echo %%; echo 6; echo SKETCH FIX0101 DRAFT1; } |
  seed planning sample-switch-closure
for file in tests/data/media/plan/*.scenario; do
  while read -r name; do
    request=$(awk -v s="scenario $name" '$0 == s { found = 1; next } found && /^plan( |$)/ { print; exit }' "$file")
    on_medium=$(section "$file" medium "$name")
    [ -n "$on_medium" ] || on_medium=$(section "$file" medium)
    present=
    if [[ " $request " != *" --fresh "* ]]; then
      present=$(section "$file" installed "$name")
      [ -n "$present" ] || present=$(section "$file" installed)
    fi
    modes=0  # '0' + the mode bits, see fuzz_planning.cpp
    [[ " $request " == *" --zarn "* ]] && modes=$((modes + 1))
    [[ " $request " == *" --media-switch "* ]] && modes=$((modes + 2))
    [ -n "$present" ] || modes=$((modes + 8))
    {
      echo "$on_medium"; echo %%
      [ -z "$present" ] || echo "$present"; echo %%
      printf "\\x$(printf %x $((0x30 + modes)))\n"
      echo "$request" | awk '{ for (i = 2; i <= NF; ++i) if ($i !~ /^--/) printf " %s", $i; print "" }'
    } | seed planning "$name"
  done < <(scenarios "$file")
done
{ echo %%; cat tests/data/installed/removal/installed.toc; echo %%; echo 4; echo PRDA FIXA; } |
  seed planning removal

# Message catalogues, keys, default formats and parameters.
{ cat examples/msg/ZYNWFToc.msg; echo %%; echo GetSize.Msg_AlreadyInstalled
  echo 'ZYNINSMediaToc::GetSize: %s %s already installed'; echo SKETCH; echo code; } | seed messages sample
{ printf 'A = %%1 %%2 %%%% %%9 \\n\\t\\\\ \\q\n= no key\nno equals\n  # comment\nB =\r\n'; echo %%
  echo B; echo '%d %s %% %x %'; echo one; } | seed messages odd-lines

# The flat interface: the sample medium and installation, then front-end call sequences
# (each byte a call, see fuzz_flat.cpp): open both, list, select, plan, read the install list.
flat_seed() {  # flat_seed NAME MEDIUM_DIR PRESENT CALLS(octal escapes)
  { cat "$2/TOC"; echo %%; cat "$2/PCFG.list"; echo %%; cat "$3"; echo %%; printf "$4"; } | seed flat "$1"
}
flat_seed sample-front-end $medium "$installed" '\000\000\001\001\001\004\006\002\010\025\030\003\003'
flat_seed sample-select $medium "$installed" '\000\000\001\001\001\004\011\000\002\012\000\002\017\002\025\030\002\013\032'
flat_seed sample-levels $medium "$installed" '\002\003\035\036\034\001\001\002\034\000\000\002'
flat_seed sample-wrong-order $medium "$installed" \
  '\025\030\002\003\007\001\011\001\003ABC\020\032\033\022\024\002\000\002\031\001\000\001\001\001\004\010\000\000\025\006\002'
flat_seed tests-front-end tests/data/flat/medium tests/data/flat/install/control/PRESENT \
  '\000\000\001\001\001\005\010\026\030\002\002\023\024\002\032\033\034'

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

# Every 32-bit sequence number (both ends, negative, zero, shared, signed) and sizes at
# the top of their range (all ones, near it, written with a sign), in planning and in
# removal, with and without the medium's own sizes.
t=20260101000000
extreme_sequence() {
  printf '%s\n' \
    "01:-2147483648:0:code:FWK:BASE::::1000:$t:LX64:R7:0:Lowest number:" \
    "01:2147483647:1:code:PRD:TOP::MID NEG ::2000:$t:LX64:R7:0:Highest number:" \
    "01:-5:2:code:PRD:NEG::BASE ::300:$t:LX64:R7:0:Negative number:" \
    "01:0:3:code:GRP:MID::BASE :TOP/ADDON :400:$t:LX64:R7:0:Number zero:" \
    "01:-1:4:code:GRP:ADDON::::5:$t:LX64:R7:0:Minus one:" \
    "01:3:5:code:PRD:DUP1::BASE ::6:$t:LX64:R7:0:Shares 3:" \
    "01:3:6:code:PRD:DUP2::DUP1 ::7:$t:LX64:R7:0:Shares 3 too:" \
    "01:2147483646:7:code:FIX:FIXT::TOP ::8:$t:LX64:R7:0:Fix of the top:" \
    "01:+7:8:code:PRD:PLUS::::9:$t:LX64:R7:0:Signed seven:" \
    "01:-2147483647:9:zarn:PRD:ZNEG::::10:$t:ANY:R7:0:Zarn, negative:"
}
extreme_sizes() {
  printf '%s\n' \
    "01:1:4294967295:code:FWK:HUGE::::4294967295:$t:LX64:R7:0:All ones:" \
    "01:2:4294967294:code:PRD:BIG::HUGE ::4294967294:$t:LX64:R7:0:All ones but one:" \
    "01:3:-1:code:PRD:MINUS::HUGE ::-1:$t:LX64:R7:0:Minus one:" \
    "01:4:+5:code:PRD:PLUS::::+5:$t:LX64:R7:0:Plus five:" \
    "01:5:-4294967295:code:PRD:WRAP::::-4294967295:$t:LX64:R7:0:Wraps to one:" \
    "01:6:-1048576:code:PRD:NEGMB::::-1048576:$t:LX64:R7:0:Minus a MiB:" \
    "01:7:0:code:PRD:ZERO::::0:$t:LX64:R7:0:Nothing:" \
    "01:8:2147483648:code:PRD:HALF::::2147483648:$t:LX64:R7:0:2 GiB:" \
    "01:9:3221225472:code:PRD:THREEGB::::3221225472:$t:LX64:R7:0:3 GiB:"
}
installed_base="code:FWK:OLD::::1:$t:LX64:R7:0:Installed framework:"
{ extreme_sequence; echo %%; echo "$installed_base"; echo %%; echo 0; echo TOP DUP2 PLUS FIXT; } |
  seed planning extreme-sequence
{ extreme_sequence; echo %%; echo %%; echo 3; echo TOP DUP1 DUP2 ZNEG; } | seed planning extreme-sequence-switch
{ extreme_sizes; echo %%; echo "$installed_base"; echo %%; echo 0; echo BIG MINUS PLUS WRAP NEGMB ZERO HALF THREEGB; } |
  seed planning extreme-sizes
{ extreme_sizes; echo %%; echo %%; echo 2; echo HUGE BIG MINUS THREEGB HALF; } | seed planning extreme-sizes-switch
{ echo %%; printf '%s\n' \
    "code:FWK:HUGE::::4294967295:$t:LX64:R7:0:All ones:" \
    "code:PRD:BIG::HUGE ::4294967294:$t:LX64:R7:0:All ones but one:" \
    "code:PRD:THREEGB::HUGE ::3221225472:$t:LX64:R7:0:3 GiB:" \
    "code:PRD:MINUS::HUGE ::-1:$t:LX64:R7:0:Minus one:" \
    "code:FIX:FIXB::BIG ::4294967295:$t:LX64:R7:0:Fix of the big one:"
  echo %%; echo 4; echo BIG THREEGB MINUS FIXB; } | seed planning extreme-removal
extreme_sequence | seed media extreme-sequence
extreme_sizes | seed media extreme-sizes
{ extreme_sizes; echo %%; echo BIG MINUS PLUS WRAP NEGMB ZERO HALF THREEGB; echo %%; echo "$installed_base"; echo %%
  printf '\000\000\001\001\001\004\010\025\027\030\000\030\001\026\003\031\001\001\031\001\001\001\001\001'
} | seed flat extreme-sizes

# Installed unit names that look like paths: the integrity check must not leave the
# control directory for them.
{ printf '%s\n' \
    "code:FWK:BASE::::1:$t:LX64:R7:0:Base:" \
    "code:PRD:..::BASE ::1:$t:LX64:R7:0:Dot dot:" \
    "code:PRD:.::BASE ::1:$t:LX64:R7:0:Dot:" \
    "code:PRD:../PRESENT::BASE ::1:$t:LX64:R7:0:Up and back:" \
    "code:PRD:a/b::BASE ::1:$t:LX64:R7:0:Slash:" \
    'code:PRD:..\PRESENT::BASE ::1:'"$t"':LX64:R7:0:Backslash:' \
    "code:PRD:/etc/passwd::BASE ::1:$t:LX64:R7:0:Absolute:" \
    "code:PRD:...::BASE ::1:$t:LX64:R7:0:Three dots:" \
    "code:FIX:FIXP::../PRESENT a/b :./x/../PRESENT :1:$t:LX64:R7:0:Fix of paths:"
  echo %%; echo BASE ... b etc; } | seed installed path-names

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

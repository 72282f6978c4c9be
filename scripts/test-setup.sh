#!/usr/bin/env bash
# Builds the sample installer (examples/setup/zyntoc-setup.nsi) on the i686 zyntoc.dll and runs it
# silently under the 32-bit wine, on copies of examples/medium and examples/installation and on a
# fresh root. What it installs must be what the Linux tool plans, and what it leaves must be
# what the Linux tool reads back and checks:
#   test-setup.sh I686_BUILD_DIR LINUX_BUILD_DIR
# I686_BUILD_DIR holds zyntoc.dll (or zyntoc/zyntoc.dll), LINUX_BUILD_DIR the zyntoc tool (or
# cli/zyntoc). Needs makensis (Debian: nsis) and the 32-bit wine (wine32).
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
wine_loader=/usr/lib/wine/wine
wine_server=/usr/lib/wine/wineserver32

first_file() { for f in "$@"; do [[ -f $f ]] && { echo "$f"; return; }; done; }
dll=$(first_file "$1/zyntoc.dll" "$1/zyntoc/zyntoc.dll")
zyntoc=$(first_file "$2/zyntoc" "$2/cli/zyntoc")
[[ -n $dll && -n $zyntoc ]] || { echo "usage: $0 I686_BUILD_DIR LINUX_BUILD_DIR (zyntoc.dll or zyntoc not found)" >&2; exit 1; }
dll=$(realpath "$dll") zyntoc=$(realpath "$zyntoc")
command -v makensis >/dev/null && [[ -x $wine_loader && -x $wine_server ]] ||
  { echo "the installer test needs makensis and the 32-bit wine: apt-get install nsis wine32" >&2; exit 1; }

# A read-only PRESENT makes an append fail, but not for root: root runs wine as nobody.
if [[ $(id -u) -eq 0 ]]; then
  run_as() { setpriv --reuid=65534 --regid=65534 --clear-groups "$@"; }
else
  run_as() { "$@"; }
fi

work=$(mktemp -d)
export WINEPREFIX=$work/wineprefix WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=' HOME=$work
# The wine server of this prefix goes with the folder.
trap 'run_as "$wine_server" -k 2>/dev/null || true; rm -rf "$work"' EXIT
makensis -V2 -DZYNTOC_DLL="$dll" -DOUTFILE="$work/zyntoc-setup.exe" examples/setup/zyntoc-setup.nsi
[[ $(id -u) -ne 0 ]] || chown 65534:65534 "$work"
run_as "$wine_loader" cmd /c exit </dev/null >/dev/null 2>&1  # makes the prefix

failed=0
fail() { echo "FAIL: $*" >&2; failed=1; }
windows_path() { local p=${1//\//\\}; echo "Z:$p"; }
# setup CASE MEDIUM SELECT ROOT: runs the installer silently; $status is its exit status.
setup() {
  local case=$1 medium=$2 select=$3 root=$4
  [[ $(id -u) -ne 0 ]] || chown -R 65534:65534 "$work/$case"
  status=0
  run_as timeout 120 "$wine_loader" "$work/zyntoc-setup.exe" /S "/MEDIUM=$(windows_path "$medium")" \
    "/SELECT=$select" "/D=$(windows_path "$root")" </dev/null >/dev/null 2>&1 || status=$?
}
# The Linux tool's install list and space for a plan: one name a line, then space-kib=N.
planned() {
  "$zyntoc" plan "$@" | awk '/^Install list/ { on = 1; next } /^Space needed: .* KiB$/ { print "space-kib=" $3; on = 0 }
                             on && /^  / { print $1 }'
}
# Installed names, in any order, as the Linux tool reads them back (not the superseded ones).
listed() { "$zyntoc" list --json --root "$1" | sed -n '/"superseded"/q; s/^ *"name": "\(.*\)",$/\1/p' | sort -u; }
result_code() { "$zyntoc" check --json --root "$1" | sed -n 's/^ *"result_code": \(-\{0,1\}[0-9]*\),$/\1/p'; }
# The medium's code line of each named unit, without its media prefix.
catalogue_lines() {
  local toc=$1 name
  shift
  for name in "$@"; do
    awk -F: -v n="$name" '$4 == "code" && $6 == n { sub(/^[^:]*:[^:]*:[^:]*:/, ""); sub(/\r$/, ""); print; exit }' "$toc"
  done
}
# A successful install on ROOT, whose catalogue was OLD_PRESENT before (or none): log, PRESENT,
# control files and integrity code against the Linux tool. PLAN_ARGS are zyntoc plan's.
check_installed() {
  local case=$1 root=$2 old_present=$3
  shift 3
  local expected names
  expected=$(planned "$@")
  mapfile -t names < <(grep -v '^space-kib=' <<<"$expected")
  [[ $status -eq 0 ]] || fail "$case: exit status $status, expected 0"
  [[ $(grep -v '^integrity=' "$root/setup-log.txt") == "$expected" ]] ||
    fail "$case: the log's install list and space differ from zyntoc plan's:"$'\n'"$(cat "$root/setup-log.txt")"$'\n'"---"$'\n'"$expected"
  local present=$root/control/PRESENT old_size=0
  [[ -n $old_present ]] && old_size=$(stat -c %s "$old_present")
  [[ -z $old_present ]] || cmp -s -n "$old_size" "$old_present" "$present" || fail "$case: PRESENT lost its old content"
  [[ $(tail -c +"$((old_size + 1))" "$present") == "$(catalogue_lines "$medium_toc" "${names[@]}")" ]] ||
    fail "$case: PRESENT did not get the medium's lines of the installed units"
  local before=""
  [[ -z $old_present ]] || before=$(listed "$(dirname "$(dirname "$old_present")")")
  [[ $(listed "$root") == "$(printf '%s\n' $before "${names[@]}" | sort -u)" ]] ||
    fail "$case: zyntoc list does not read back the old units and the new ones"
  local name
  for name in "${names[@]}"; do [[ -f $root/control/$name ]] || fail "$case: control/$name is missing"; done
  [[ $(sed -n 's/^integrity=//p' "$root/setup-log.txt") == "$(result_code "$root")" ]] ||
    fail "$case: the integrity code differs from zyntoc check's result_code"
}
# A failed install: the exit status, a log line, and ROOT's control folder (PRESENT included)
# byte for byte as it was.
check_refused() {
  local case=$1 want=$2 root=$3 text=$4 control_before=$5
  [[ $status -eq $want ]] || fail "$case: exit status $status, expected $want"
  grep -qF "$text" "$root/setup-log.txt" || fail "$case: the log does not say '$text'"
  diff -r "$control_before" "$root/control" >/dev/null 2>&1 || [[ ! -e $control_before && ! -e $root/control ]] ||
    fail "$case: the control folder changed"
}

medium_toc=$repo/examples/medium/TOC
installation=$repo/examples/installation
new_case() { mkdir -p "$work/$1"; cp -r "$repo/examples/medium" "$work/$1/medium"; }

echo "== sample installer: installs beside an installation =="
new_case installed
cp -r "$installation" "$work/installed/root"
# A name given twice is selected once.
setup installed "$work/installed/medium" MECHCF,MESHER,MECHCF "$work/installed/root"
check_installed installed "$work/installed/root" "$installation/control/PRESENT" \
  --media "$medium_toc" --root "$installation" MECHCF MESHER

echo "== sample installer: installs everything offered on a fresh root =="
new_case fresh
setup fresh "$work/fresh/medium" ALL "$work/fresh/root"
mapfile -t offered < <("$zyntoc" offer --media "$medium_toc" --fresh | awk '/offered:$/ { on = 1; next } on && /^  / { print $1 }')
check_installed fresh "$work/fresh/root" "" --media "$medium_toc" --fresh "${offered[@]}"

echo "== sample installer: refusals =="
new_case missing
setup missing "$work/missing/no-medium" ALL "$work/missing/root"
check_refused missing 3 "$work/missing/root" "unable to open file" "$work/missing/none"

new_case unknown
cp -r "$installation" "$work/unknown/root"
setup unknown "$work/unknown/medium" MECHCF,NOSUCH "$work/unknown/root"
check_refused unknown 4 "$work/unknown/root" "does not offer NOSUCH" "$installation/control"

new_case levels
sed -i 's/:R7:/:R6:/' "$work/levels/medium/TOC"
cp -r "$installation" "$work/levels/root"
setup levels "$work/levels/medium" MECHCF "$work/levels/root"
check_refused levels 1 "$work/levels/root" "Invalid Media" "$installation/control"

new_case append
cp -r "$installation" "$work/append/root"
chmod a-w "$work/append/root/control/PRESENT"
setup append "$work/append/medium" MECHCF "$work/append/root"
check_refused append 2 "$work/append/root" "could not be added to" "$installation/control"

# A unit whose name would leave the control folder is not installed.
new_case name
echo '01:37:1024:code:PRD:..::BASERT ::2048:20260302091500:LX64:R7:0:Parent folder:' >>"$work/name/medium/TOC"
echo '..' >>"$work/name/medium/PCFG.list"
cp -r "$installation" "$work/name/root"
setup name "$work/name/medium" .. "$work/name/root"
check_refused name 2 "$work/name/root" "cannot be a file name: .." "$installation/control"

[[ $failed -eq 0 ]] && echo "sample installer: all cases passed"
exit $failed

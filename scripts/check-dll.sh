#!/usr/bin/env bash
# Checks what a built zyntoc.dll offers and needs, from its PE headers:
#   check-dll.sh OBJDUMP DLL FLAT_NAMES_FILE VERSION
# - every flat name of the list is exported under its plain name, no exported name is decorated
#   (a stdcall "name@8" or "_name@8", a leading-underscore "_name"), and every exported name that
#   is not a C++ name is one of the list;
# - the DLL imports system DLLs only, never a compiler runtime (libstdc++, libgcc, winpthread);
# - the DLL carries a version resource with the project's version.
set -euo pipefail
objdump=$1 dll=$2 names=$3 version=$4
headers=$("$objdump" -p "$dll")
failed=0
fail() { echo "$dll: $*" >&2; failed=1; }

exported=$(sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/s/^[[:space:]]*\[ *[0-9]*\] //p' <<<"$headers")
while read -r name; do
  [[ -z $name ]] && continue
  grep -qxF "$name" <<<"$exported" || fail "flat function '$name' is not exported under its plain name"
done <"$names"
while read -r name; do
  [[ -z $name ]] && continue
  if [[ $name =~ @[0-9]+$ || ($name == _* && $name != _Z*) ]]; then
    fail "exports the decorated name '$name'"
    continue
  fi
  [[ $name == _Z* ]] && continue  # C++ names: the class interface
  grep -qxF "$name" "$names" || fail "unexpected export '$name'"
done <<<"$exported"

system_dll='^(kernel32|user32|advapi32|ntdll|msvcrt|ucrtbase|api-ms-win-[a-z0-9-]+)\.dll$'
imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")
while read -r dll_name; do
  [[ -z $dll_name ]] && continue
  lower=$(tr '[:upper:]' '[:lower:]' <<<"$dll_name")
  [[ $lower =~ $system_dll ]] || fail "imports $dll_name, which is not a system DLL"
done <<<"$imports"

grep -q '\.rsrc' <<<"$("$objdump" -h "$dll")" || fail "has no resources (version resource missing)"
strings -el -n 3 "$dll" | grep -A1 -x ProductVersion | grep -qxF "$version" ||
  fail "has no version resource with version $version"

[[ $failed == 0 ]] && echo "$dll: $(grep -c . "$names") flat names exported plainly, none decorated; imports $(echo $imports)"
exit $failed

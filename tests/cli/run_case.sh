#!/usr/bin/env bash
# Runs one case of the zyntoc tool in a fresh, empty working directory that has the tool's
# test data, the samples and the data of the whole suite beside it (../data, ../examples,
# ../testdata), then compares the exit status,
# standard output, standard error and the files left in the directory (with their
# content) with expected/NAME.out, NAME.err and NAME.files (a missing file means: nothing).
#   run_case.sh TOOL DATA_DIR EXAMPLES_DIR NAME STATUS [VAR=VALUE...] [ARGUMENT...] [&& STEP...]
# A case may run several steps, separated by '&&': each runs the tool with its arguments, unless
# it starts with cd, mkdir, cp or sed, which prepare files (sed -i edits one). The outputs add
# up; STATUS is that of the last step.
# With ZYNTOC_UPDATE_EXPECTED=1 the expected files are rewritten from this run instead (under
# ZYNTOC_TOOL_RUNNER, the NAME.KIND.windows files, where the plain ones do not serve).
# ZYNTOC_TOOL_RUNNER, when set, is the command that runs the tool (wine64 for a Windows
# build): the tool's own output then ends lines with CR LF, which are compared without the
# CRs, and an expected file NAME.KIND.windows, where there is one, holds the paths the library
# composes with '\'.
set -u
tool=$1 data=$2 examples=$3 name=$4 status=$5
shift 5
expected="$data/expected/$name"
scratch=$(mktemp -d) || exit 1
trap 'rm -rf "$scratch"' EXIT
ln -s "$data" "$scratch/data"
ln -s "$examples" "$scratch/examples"
# Windows resolves '..' by the name, not through a link: '../data/..' would not reach the
# other tests' data there, so the suite's data root has a link of its own.
ln -s "$(cd "$data/.." && pwd)" "$scratch/testdata"
mkdir "$scratch/work" && cd "$scratch/work" || exit 1

settings=()
while [[ $# -gt 0 && $1 =~ ^[A-Za-z_][A-Za-z0-9_]*= ]]; do
  settings+=("$1")
  shift
done
runner=() variant=
if [[ -n ${ZYNTOC_TOOL_RUNNER:-} ]]; then
  read -ra runner <<<"$ZYNTOC_TOOL_RUNNER"
  variant=.windows
fi
step() {  # one step of the case
  case ${1-} in
    cd) cd "$2" ;;
    mkdir | cp | sed) "$@" ;;
    *) env -u ZYNInstallPath -u ZYNTOC_MSGPATH "${settings[@]}" "${runner[@]}" "$tool" "$@" ;;
  esac
}
: >"$scratch/out"
: >"$scratch/err"
while :; do
  words=()
  while [[ $# -gt 0 && $1 != '&&' ]]; do
    words+=("$1")
    shift
  done
  step "${words[@]}" >>"$scratch/out" 2>>"$scratch/err"
  got=$?
  [[ $# -gt 0 ]] || break
  shift  # the '&&'
done
cd "$scratch/work" || exit 1
find . -mindepth 1 | sort | while read -r path; do
  echo "$path"
  [[ -f $path ]] && sed 's/^/  | /' "$path"
done >"$scratch/files"
[[ -n $variant ]] && sed -i 's/\r$//' "$scratch/out" "$scratch/err" "$scratch/files"

if [[ -n ${ZYNTOC_UPDATE_EXPECTED:-} ]]; then
  for kind in out err files; do
    target=$expected.$kind
    if [[ -n $variant ]]; then  # a Windows variant, only where the plain file does not serve
      rm -f "$target$variant"
      plain=$target
      [[ -f $plain ]] || plain=/dev/null
      cmp -s "$plain" "$scratch/$kind" || cp "$scratch/$kind" "$target$variant"
    else
      rm -f "$target"
      [[ -s $scratch/$kind ]] && cp "$scratch/$kind" "$target"
    fi
  done
  echo "$name: exit status $got (expected $status)"
  exit 0
fi

failed=0
compare() {  # what, expected file, actual file
  local want=$2
  [[ -n $variant && -f $want$variant ]] && want=$want$variant
  [[ -f $want ]] || want=/dev/null
  diff -u --label "expected $1" --label "actual $1" "$want" "$3" || failed=1
}
[[ $got == "$status" ]] || { echo "exit status $got, expected $status"; failed=1; }
compare stdout "$expected.out" "$scratch/out"
compare stderr "$expected.err" "$scratch/err"
compare "files left in the working directory" "$expected.files" "$scratch/files"
exit $failed

#!/usr/bin/env bash
# The Windows half of the test command, with mingw-w64 cross builds run under wine:
#  - i686, the library's home platform: zyntoc.dll built the way an embedding project gets it
#    (tests/embedding), its exports, imports and version resource checked; then the whole test
#    suite, the C front-end test and the tool's cases, run under the 32-bit wine.
#  - x86_64: the same suite run under wine64.
#   test-windows.sh [i686|x86_64]    one part alone; both without an argument
# The 32-bit loader is tried before anything is built. Where it cannot start, the script fails,
# saying why, unless ZYNTOC_SKIP_WIN32=1, which skips the 32-bit run and says so loudly.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
jobs=$(nproc 2>/dev/null || echo 2)
part=${1:-all}
case $part in all | i686 | x86_64) ;; *) echo "usage: $0 [i686|x86_64]" >&2; exit 2 ;; esac
# Each loader itself, not the wine wrapper, which picks one by the program's bitness.
wine64_loader=/usr/lib/wine/wine64
wine64_server=/usr/lib/wine/wineserver64
wine32_loader=/usr/lib/wine/wine
wine32_server=/usr/lib/wine/wineserver32
gtest_source=/usr/src/googletest
export WINEDEBUG=-all

bash scripts/install-deps.sh --windows
missing=()
for tool in i686-w64-mingw32-g++-posix x86_64-w64-mingw32-g++-posix i686-w64-mingw32-objdump; do
  command -v "$tool" >/dev/null || missing+=("$tool")
done
[[ -x $wine64_loader && -x $wine64_server ]] || missing+=(wine64)
[[ -f $gtest_source/CMakeLists.txt ]] || missing+=("googletest sources")
if [[ ${#missing[@]} -gt 0 ]]; then
  echo "The Windows builds need ${missing[*]}: run scripts/install-deps.sh --windows as root" >&2
  exit 1
fi

# Whether the 32-bit run can happen: the 32-bit loader, itself a 32-bit program, must start.
run32=no
skip32_banner="!!! ZYNTOC_SKIP_WIN32=1: the i686 suite was NOT run under the 32-bit wine !!!"
if [[ $part != x86_64 ]]; then
  if probe=$("$wine32_loader" --version 2>&1); then
    run32=yes
  else
    why=$(head -n 1 <<<"${probe:-no output}")
    [[ -x $wine32_loader ]] || why="it is not installed (Debian: wine32:i386)"
    if [[ ${ZYNTOC_SKIP_WIN32:-} != 1 ]]; then
      echo "The 32-bit wine loader $wine32_loader does not start ($why): the i686 suite cannot run here; set ZYNTOC_SKIP_WIN32=1 to skip it" >&2
      exit 1
    fi
    echo "$skip32_banner ($wine32_loader: $why)"
  fi
fi

# Retries of wine runs that started nothing, shared by every program of this test command.
retries=$repo/build/wine-retries.log
mkdir -p build
rm -f "$retries"
# The persistent servers started, each with its prefix.
servers=() prefixes=()
finish() {
  local i
  for i in "${!servers[@]}"; do
    WINEPREFIX=${prefixes[i]} "${servers[i]}" -k || true
  done
  if [[ -s $retries ]]; then
    echo "wine failed to start a program and was retried:"
    sed 's/^/  /' "$retries"
  fi
  if [[ $part != x86_64 && $run32 == no ]]; then echo "$skip32_banner"; fi
}
trap finish EXIT

# Builds the whole project for one Windows architecture and runs its tests under one wine loader,
# with the same expectations as on Linux.
run_suite() {  # ARCH WINEARCH WINE_LOADER WINE_SERVER
  local arch=$1 winearch=$2 loader=$3 server=$4
  local dir=$repo/build/test-win-$arch name status=0 started=$SECONDS emulator
  name=$(basename "$loader")
  echo "== Windows $arch build, tests run under $name =="
  rm -rf "$dir"
  mkdir -p "$dir/host-headers"
  ln -s /usr/include/CLI /usr/include/nlohmann "$dir/host-headers/"
  local -x WINEPREFIX=$dir/wineprefix WINEARCH=$winearch
  # One persistent server for all test programs, and the prefix made before any test starts:
  # the first program of a prefix starts wine's background services, which would otherwise
  # keep CTest waiting on their inherited output.
  mkdir -p "$WINEPREFIX"
  "$server" -p
  servers+=("$server")
  prefixes+=("$WINEPREFIX")
  "$loader" cmd /c exit </dev/null >/dev/null 2>&1
  emulator="env;WINEPREFIX=$WINEPREFIX;WINEARCH=$winearch;WINEDEBUG=-all;WINEPATH=$dir"
  emulator+=";ZYNTOC_WINE_RETRIES=$retries;bash;$repo/scripts/wine-run.sh;$loader"
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/toolchain-mingw-$arch.cmake" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$emulator" \
    -DZYNTOC_GTEST_SOURCE_DIR="$gtest_source" -DZYNTOC_HOST_HEADERS="$dir/host-headers"
  cmake --build "$dir" -j"$jobs"
  ctest --test-dir "$dir" --output-on-failure -j"$jobs" --timeout 120 || status=$?
  if grep -q 'not retried' "$retries" 2>/dev/null; then
    echo "wine started nothing more than 10 times in this test command: see the retries below" >&2
    status=1
  fi
  [[ $status -eq 0 ]] || exit "$status"
  # What cannot exist on Windows is skipped by the tests themselves; say which and why (once: the
  # observed programs run their tests again).
  awk -v loader="$name" '/: Skipped$/ { getline reason; if (!seen[reason]++) print "  skipped under " loader ": " reason }' \
    "$dir/Testing/Temporary/LastTest.log"
  # The zip of the Windows build: DLL, import library, .def file and headers.
  bash scripts/test-packaging.sh "$dir"
  echo "== Windows $arch: built and run under $name in $((SECONDS - started)) s =="
}

if [[ $part != x86_64 ]]; then
  echo "== Windows i686 embedding build (zyntoc.dll, checked) =="
  dir=build/test-win-i686-embedding
  rm -rf "$dir"
  cmake -S tests/embedding -B "$dir" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/toolchain-mingw-i686.cmake"
  cmake --build "$dir" -j"$jobs"
  bash scripts/check-dll.sh i686-w64-mingw32-objdump "$dir/zyntoc/zyntoc.dll" \
    tests/data/windows/flat-exports.txt "$(cat "$dir/zyntoc-version.txt")"
  [[ -f $dir/zyntoc/zyntoc.def && -f $dir/zyntoc/libzyntoc.dll.a ]] || {
    echo "zyntoc.def or the import library libzyntoc.dll.a is missing" >&2
    exit 1
  }
fi
if [[ $part != i686 ]]; then run_suite x86_64 win64 "$wine64_loader" "$wine64_server"; fi
if [[ $run32 == yes ]]; then run_suite i686 win32 "$wine32_loader" "$wine32_server"; fi
# The sample installer on the i686 DLL, checked against what the Linux tool answers: the test
# command's normal build has the tool; run alone, this script builds it.
if [[ $run32 == yes ]]; then
  linux=build/test-normal
  if [[ ! -x $linux/cli/zyntoc ]]; then
    linux=build/test-setup-linux
    cmake -S . -B "$linux" -DCMAKE_BUILD_TYPE=Release -DZYNTOC_BUILD_TESTS=OFF
    cmake --build "$linux" -j"$jobs" --target zyntoc-cli
  fi
  echo "== The sample installer under the 32-bit wine =="
  bash scripts/test-setup.sh build/test-win-i686-embedding "$linux"
fi

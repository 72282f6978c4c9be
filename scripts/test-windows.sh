#!/usr/bin/env bash
# The Windows half of the test command, with mingw-w64 cross builds:
#  - i686, the library's home platform: zyntoc.dll built the way an embedding project gets it
#    (tests/embedding), then its exports, imports and version resource checked. This machine
#    kind cannot execute 32-bit programs, so nothing of it is run.
#  - x86_64: the whole test suite, the C front-end test and the tool's cases, run under wine64.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
jobs=$(nproc 2>/dev/null || echo 2)
wine_loader=/usr/lib/wine/wine64  # the 64-bit loader itself: the wine wrapper tries 32 bits first
wine_server=/usr/lib/wine/wineserver64
gtest_source=/usr/src/googletest

bash scripts/install-deps.sh --windows
missing=()
for tool in i686-w64-mingw32-g++-posix x86_64-w64-mingw32-g++-posix i686-w64-mingw32-objdump; do
  command -v "$tool" >/dev/null || missing+=("$tool")
done
[[ -x $wine_loader && -x $wine_server ]] || missing+=(wine64)
[[ -f $gtest_source/CMakeLists.txt ]] || missing+=("googletest sources")
if [[ ${#missing[@]} -gt 0 ]]; then
  echo "The Windows builds need ${missing[*]}: run scripts/install-deps.sh --windows as root" >&2
  exit 1
fi

echo "== Windows i686 build (zyntoc.dll, checked, not run) =="
dir=build/test-win-i686
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

echo "== Windows x86_64 build, tests run under wine64 =="
dir=$repo/build/test-win-x86_64
rm -rf "$dir"
mkdir -p "$dir/host-headers"
ln -s /usr/include/CLI /usr/include/nlohmann "$dir/host-headers/"
export WINEPREFIX=$dir/wineprefix WINEDEBUG=-all
# One persistent server for all test programs, and the prefix made before any test starts:
# the first program of a prefix starts wine's background services, which would otherwise
# keep CTest waiting on their inherited output.
mkdir -p "$WINEPREFIX"
"$wine_server" -p
trap '"$wine_server" -k || true' EXIT
"$wine_loader" cmd /c exit </dev/null >/dev/null 2>&1
retries=$dir/wine-retries.log
emulator="env;WINEPREFIX=$WINEPREFIX;WINEDEBUG=-all;WINEPATH=$dir;ZYNTOC_WINE_RETRIES=$retries"
emulator+=";bash;$repo/scripts/wine-run.sh;$wine_loader"
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/toolchain-mingw-x86_64.cmake" \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$emulator" \
  -DZYNTOC_GTEST_SOURCE_DIR="$gtest_source" -DZYNTOC_HOST_HEADERS="$dir/host-headers"
cmake --build "$dir" -j"$jobs"
status=0
ctest --test-dir "$dir" --output-on-failure -j"$jobs" --timeout 120 || status=$?
if [[ -s $retries ]]; then
  echo "wine64 failed to start a program and was retried:"
  sed 's/^/  /' "$retries"
fi
[[ $status -eq 0 ]] || exit "$status"
# What cannot exist on Windows is skipped by the tests themselves; say which and why.
awk '/: Skipped$/ { getline reason; print "  skipped under wine64: " reason }' \
  "$dir/Testing/Temporary/LastTest.log"
# The zip of the Windows build: DLL, import library, .def file and headers.
bash scripts/test-packaging.sh "$dir"

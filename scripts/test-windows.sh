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

#!/usr/bin/env bash
# Tests zyntoc as its users receive it, from a normal build (a sanitizer build cannot serve a
# plain consumer): installed into a temporary prefix and used from CMake and from pkg-config,
# and packaged as a .deb whose content, dependencies and tool are checked; then built anew
# without the tests, with GoogleTest hidden, and installed. Given a Windows build, it checks
# the zip that `cpack -G ZIP` makes of it instead.
#   scripts/test-packaging.sh BUILD_DIR
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
consumers="$repo/tests/packaging"
medium="$repo/examples/medium/TOC"
present="$repo/examples/installation/control/PRESENT"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# man-db's sandbox is not allowed in every container.
export LC_ALL=C.UTF-8 MANWIDTH=80 MAN_DISABLE_SECCOMP=1
unset ZYNInstallPath ZYNTOC_MSGPATH

fail() { echo "test-packaging: FAILED: $*" >&2; exit 1; }
# Fails unless the actual text is the expected one.
expect_same() {  # WHAT EXPECTED ACTUAL
  [ "$2" = "$3" ] || fail "$1: expected '$2', got '$3'"
}
# The manual page must render without a single warning.
expect_clean_man_page() {
  [ -f "$1" ] || fail "no manual page $1"
  local warnings
  warnings=$(man --warnings -l "$1" 2>&1 >/dev/null) || fail "man -l $1 failed: $warnings"
  [ -z "$warnings" ] || fail "man -l $1 warns: $warnings"
}
# A consumer prints the version it was compiled with, then its plan.
expect_plan() {  # NAME EXPECTED_FILE COMMAND...
  local name=$1 expected=$2
  shift 2
  "$@" >"$work/$name.out" 2>"$work/$name.err" || fail "$name exited with $? ($(cat "$work/$name.err"))"
  expect_same "$name: version" "zyntoc $version" "$(head -n 1 "$work/$name.out")"
  tail -n +2 "$work/$name.out" | diff -u "$expected" - || fail "$name: plan differs from $expected"
}
public_headers=$(cd "$repo/include" && ls -- *.h)

if grep -q '^set(CPACK_GENERATOR "ZIP")' "$build/CPackConfig.cmake"; then
  echo "== packaging: the Windows zip =="
  (cd "$build" && cpack -G ZIP -B "$work/zip" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack -G ZIP"; }
  zip=$(ls "$work/zip"/zyntoc-*.zip) || fail "cpack -G ZIP made no zip"
  (cd "$work/zip" && cmake -E tar tf "$zip") | sed 's|^[^/]*/||' >"$work/zip-files"
  for path in bin/zyntoc.dll lib/libzyntoc.dll.a lib/zyntoc.def lib/cmake/zyntoc/zyntocConfig.cmake \
              $(printf 'include/zyntoc/%s ' $public_headers); do
    grep -qx "$path" "$work/zip-files" || fail "the zip lacks $path"
  done
  expect_same "zipped headers" "$(printf 'include/zyntoc/%s\n' $public_headers)" \
    "$(grep '^include/.*[^/]$' "$work/zip-files" | sort)"
  echo "packaging: $(basename "$zip") holds the DLL, its import library, .def file and headers"
  exit 0
fi

echo "== packaging: install into a temporary prefix =="
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
libdir=$(sed -n 's/^CMAKE_INSTALL_LIBDIR:PATH=//p' "$build/CMakeCache.txt")
version=$("$prefix/bin/zyntoc" --version | sed 's/^zyntoc //')
[ -n "$version" ] || fail "zyntoc --version prints no version"

soname=$(objdump -p "$prefix/$libdir/libzyntoc.so" | awk '$1 == "SONAME" { print $2 }')
expect_same "SONAME" "libzyntoc.so.1" "$soname"
[ -f "$prefix/$libdir/libzyntoc.so.1" ] || fail "no libzyntoc.so.1"
file -L "$prefix/$libdir/libzyntoc.so.1" | grep -q 'ELF.*shared object' || fail "libzyntoc.so.1 is no shared object"
# Only the headers of include/ are installed, and all of them.
expect_same "installed headers" "$(printf 'include/zyntoc/%s\n' $public_headers)" \
  "$(cd "$prefix" && find include -type f | sort)"
expect_same "zyntoc.pc prefix" "prefix=$prefix" "$(head -n 1 "$prefix/$libdir/pkgconfig/zyntoc.pc")"
expect_clean_man_page "$prefix/share/man/man1/zyntoc.1"

echo "== packaging: a CMake consumer (find_package) and a C consumer (pkg-config) =="
cmake -S "$consumers" -B "$work/cmake-consumer" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$work/cmake-consumer" >/dev/null
expect_plan plan_cpp "$consumers/expected-plan-cpp.txt" "$work/cmake-consumer/plan_cpp" "$medium" "$present" SP2

export PKG_CONFIG_PATH="$prefix/$libdir/pkgconfig"
expect_same "pkg-config version" "$version" "$(pkg-config --modversion zyntoc)"
# shellcheck disable=SC2046  # the flags are words
cc -std=c99 -Wall -Wextra -Werror -o "$work/plan_c" "$consumers/plan.c" $(pkg-config --cflags --libs zyntoc)
expect_plan plan_c "$consumers/expected-plan-c.txt" \
  env LD_LIBRARY_PATH="$prefix/$libdir" "$work/plan_c" "$medium" "$present" "Mesh generator" "Report writer"

echo "== packaging: the Debian package =="
(cd "$build" && cpack -G DEB -B "$work/deb" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack -G DEB"; }
deb="$work/deb/zyntoc_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no $(basename "$deb") (made: $(ls "$work/deb"))"
dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./||' >"$work/deb-files"
for path in usr/bin/zyntoc usr/$libdir/libzyntoc.so usr/$libdir/libzyntoc.so.1 "usr/$libdir/libzyntoc.so.$version" \
            usr/$libdir/cmake/zyntoc/zyntocConfig.cmake usr/$libdir/cmake/zyntoc/zyntocConfigVersion.cmake \
            usr/$libdir/cmake/zyntoc/zyntocTargets.cmake usr/$libdir/pkgconfig/zyntoc.pc usr/share/man/man1/zyntoc.1 \
            $(printf 'usr/include/zyntoc/%s ' $public_headers); do
  grep -qx "$path" "$work/deb-files" || fail "the package lacks $path"
done
expect_same "packaged headers" "$(printf 'usr/include/zyntoc/%s\n' $public_headers)" \
  "$(grep '^usr/include/.*[^/]$' "$work/deb-files" | sort)"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libstdc++6; do
  [[ "$depends" == *"$library "* ]] || fail "Depends lacks $library: $depends"
done

root="$work/root"
dpkg -x "$deb" "$root"
"$root/usr/bin/zyntoc" --help >"$work/help.out" || fail "the packaged zyntoc --help exited with $?"
grep -q '^Usage: zyntoc' "$work/help.out" || fail "the packaged zyntoc --help prints no usage"
expect_same "packaged zyntoc.pc prefix" "prefix=/usr" "$(head -n 1 "$root/usr/$libdir/pkgconfig/zyntoc.pc")"
expect_clean_man_page "$root/usr/share/man/man1/zyntoc.1"
echo "== packaging: built and installed without the tests, GoogleTest hidden from CMake =="
# find_package cannot find GoogleTest, and the copy a Windows build compiles from its sources
# (ZYNTOC_GTEST_SOURCE_DIR) is a folder that does not exist. With the tests, that must fail.
hidden=(-DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DZYNTOC_GTEST_SOURCE_DIR="$work/no-googletest")
if cmake -S "$repo" -B "$work/with-tests" "${hidden[@]}" >"$work/with-tests.log" 2>&1; then
  fail "GoogleTest hidden, the build with the tests still configures"
fi
grep -q 'CMAKE_DISABLE_FIND_PACKAGE_GTest' "$work/with-tests.log" ||
  { cat "$work/with-tests.log"; fail "the build with the tests failed for another reason than GoogleTest"; }
# The README's install recipe, in the given build's type so that the same files are installed.
no_tests="$work/no-tests"
build_type=$(sed -n 's/^CMAKE_BUILD_TYPE:STRING=//p' "$build/CMakeCache.txt")
{
  cmake -S "$repo" -B "$no_tests/build" -DCMAKE_BUILD_TYPE="$build_type" -DZYNTOC_BUILD_TESTS=OFF "${hidden[@]}" &&
    cmake --build "$no_tests/build" -j"$(nproc 2>/dev/null || echo 2)" &&
    cmake --install "$no_tests/build" --prefix "$no_tests/prefix"
} >"$no_tests.log" 2>&1 || { cat "$no_tests.log"; fail "configuring, building or installing without the tests"; }
[ ! -e "$no_tests/build/tests" ] || fail "the tests were configured with ZYNTOC_BUILD_TESTS=OFF"
# The same files as the build with the tests installs, and a tool that runs.
expect_same "files installed without the tests" "$(cd "$prefix" && find . | sort)" "$(cd "$no_tests/prefix" && find . | sort)"
expect_same "version without the tests" "zyntoc $version" "$("$no_tests/prefix/bin/zyntoc" --version)"
echo "packaging: installed, consumed and packaged zyntoc $version"

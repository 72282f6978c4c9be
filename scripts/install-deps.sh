#!/usr/bin/env bash
# Installs what building and testing zyntoc needs and this machine lacks: CMake, a C and C++
# compiler, GoogleTest, CLI11, nlohmann-json and Google Benchmark, for the packaging tests scdoc
# (the manual page), man, pkg-config, file and dpkg-dev, clang with libFuzzer for the fuzz targets,
# and with --windows what the Windows builds and the sample installer need: mingw-w64, GoogleTest's
# sources, NSIS, the 64-bit wine loader and, from the i386 architecture, the 32-bit one (Debian
# packages, installed with apt-get when run as root).
set -euo pipefail
missing=()
command -v cmake >/dev/null || missing+=(cmake)
command -v make >/dev/null || missing+=(make)
command -v g++ >/dev/null || missing+=(g++)
command -v gcc >/dev/null || missing+=(gcc)
[ -e /usr/include/gtest/gtest.h ] || missing+=(libgtest-dev)
[ -e /usr/include/CLI/CLI.hpp ] || missing+=(libcli11-dev)
[ -e /usr/include/nlohmann/json.hpp ] || missing+=(nlohmann-json3-dev)
[ -e /usr/include/benchmark/benchmark.h ] || missing+=(libbenchmark-dev)
command -v scdoc >/dev/null || missing+=(scdoc)
command -v man >/dev/null || missing+=(man-db)
command -v pkg-config >/dev/null || missing+=(pkg-config)
command -v file >/dev/null || missing+=(file)
command -v dpkg-shlibdeps >/dev/null || missing+=(dpkg-dev)
command -v clang++-14 >/dev/null || missing+=(clang-14)
compgen -G '/usr/lib/llvm-14/lib/clang/*/lib/linux/libclang_rt.fuzzer-*.a' >/dev/null || missing+=(libclang-rt-14-dev)
i386=no  # whether a package of the i386 architecture is missing
if [ "${1:-}" = --windows ]; then
  command -v i686-w64-mingw32-g++-posix >/dev/null || missing+=(g++-mingw-w64-i686-posix)
  command -v x86_64-w64-mingw32-g++-posix >/dev/null || missing+=(g++-mingw-w64-x86-64-posix)
  [ -x /usr/lib/wine/wine64 ] && [ -x /usr/lib/wine/wineserver64 ] || missing+=(wine64)
  # The 32-bit loader and its server, which wine64 neither brings nor needs (not asked for where
  # the 32-bit run is to be skipped).
  if [ "${ZYNTOC_SKIP_WIN32:-}" != 1 ] && { ! [ -x /usr/lib/wine/wine ] || ! [ -x /usr/lib/wine/wineserver32 ]; }; then
    missing+=(wine32:i386)
    i386=yes
  fi
  [ -e /usr/src/googletest/CMakeLists.txt ] || missing+=(googletest)
  command -v makensis >/dev/null || missing+=(nsis)  # the sample installer
fi
[ ${#missing[@]} -eq 0 ] && exit 0
has_i386() { [ "$(dpkg --print-architecture)" = i386 ] || dpkg --print-foreign-architectures | grep -qx i386; }
if [ "$(id -u)" -eq 0 ] && command -v apt-get >/dev/null; then
  echo "Installing ${missing[*]} ..."
  export DEBIAN_FRONTEND=noninteractive
  if [ $i386 = yes ] && ! has_i386; then dpkg --add-architecture i386; fi
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
else
  first=""
  if [ $i386 = yes ] && ! has_i386; then first="dpkg --add-architecture i386 && apt-get update && "; fi
  echo "please install ${missing[*]} first (Debian: ${first}apt-get install ${missing[*]})" >&2
  exit 1
fi

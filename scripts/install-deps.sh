#!/usr/bin/env bash
# Installs what building and testing zyntoc needs and this machine lacks: CMake, a C and C++
# compiler, GoogleTest, CLI11, nlohmann-json and Google Benchmark, for the packaging tests scdoc
# (the manual page), man, pkg-config, file and dpkg-dev, clang with libFuzzer for the fuzz targets,
# and with --windows what the Windows builds and the sample installer need (Debian packages,
# installed with apt-get when run as root).
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
if [ "${1:-}" = --windows ]; then  # mingw-w64, the 64-bit wine loader, GoogleTest's sources
  command -v i686-w64-mingw32-g++-posix >/dev/null || missing+=(g++-mingw-w64-i686-posix)
  command -v x86_64-w64-mingw32-g++-posix >/dev/null || missing+=(g++-mingw-w64-x86-64-posix)
  [ -x /usr/lib/wine/wine64 ] || missing+=(wine64)
  [ -e /usr/src/googletest/CMakeLists.txt ] || missing+=(googletest)
  command -v makensis >/dev/null || missing+=(nsis)  # the sample installer
fi
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -eq 0 ] && command -v apt-get >/dev/null; then
  echo "Installing ${missing[*]} ..."
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
else
  echo "please install ${missing[*]} first (Debian: apt-get install ${missing[*]})" >&2
  exit 1
fi

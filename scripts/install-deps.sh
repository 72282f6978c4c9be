#!/usr/bin/env bash
# Installs what building and testing zyntoc needs and this machine lacks: CMake, a C and C++
# compiler, GoogleTest, CLI11 and nlohmann-json, and clang with libFuzzer for the fuzz targets
# (Debian packages, installed with apt-get when run as root).
set -euo pipefail
missing=()
command -v cmake >/dev/null || missing+=(cmake)
command -v make >/dev/null || missing+=(make)
command -v g++ >/dev/null || missing+=(g++)
command -v gcc >/dev/null || missing+=(gcc)
[ -e /usr/include/gtest/gtest.h ] || missing+=(libgtest-dev)
[ -e /usr/include/CLI/CLI.hpp ] || missing+=(libcli11-dev)

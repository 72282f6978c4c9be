# Cross build for 64-bit Windows with mingw-w64 (posix-threads variant, which GoogleTest
# needs for std::mutex).
#   cmake -S . -B build/win-x86_64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-x86_64.cmake
set(ZYNTOC_MINGW_TRIPLE x86_64-w64-mingw32)
include("${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake")

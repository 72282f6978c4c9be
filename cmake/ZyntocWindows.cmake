# The Windows build of the library: zyntoc.dll, self-contained (it imports system DLLs only),
# with its import library, a .def file for front ends built with other compilers, and a
# version resource. Included by the top-level CMakeLists.txt after the zyntoc target exists,
# so an embedding project that add_subdirectory()s zyntoc gets the very same DLL.

# zyntoc.dll, not libzyntoc.dll: the name installers and front ends load.
set_target_properties(zyntoc PROPERTIES PREFIX "")

if(MINGW)
  # -static takes libgcc, libstdc++ and (posix-threads variant) winpthread into the DLL.
  set(zyntoc_def "${CMAKE_CURRENT_BINARY_DIR}/zyntoc.def")
  target_link_options(zyntoc PRIVATE -static "LINKER:--output-def,${zyntoc_def}")
  set_property(TARGET zyntoc APPEND PROPERTY ADDITIONAL_CLEAN_FILES "${zyntoc_def}")
  if(PROJECT_IS_TOP_LEVEL)
    # The tool and the test programs run without the compiler's runtime DLLs beside them.
    add_link_options(-static)
  endif()
endif()

enable_language(RC)
set(ZYNTOC_RC_VERSION "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR}")
foreach(part PATCH TWEAK)
  if(PROJECT_VERSION_${part} STREQUAL "")
    string(APPEND ZYNTOC_RC_VERSION ",0")
  else()
    string(APPEND ZYNTOC_RC_VERSION ",${PROJECT_VERSION_${part}}")
  endif()
endforeach()
configure_file("${CMAKE_CURRENT_LIST_DIR}/zyntoc.rc.in" "${CMAKE_CURRENT_BINARY_DIR}/zyntoc.rc" @ONLY)
target_sources(zyntoc PRIVATE "${CMAKE_CURRENT_BINARY_DIR}/zyntoc.rc")

# A cross build of the whole project with its tests builds GoogleTest from its sources (Debian:
# googletest, /usr/src/googletest), with the same compiler as the tests.
if(ZYNTOC_BUILD_TESTS AND ZYNTOC_GTEST_SOURCE_DIR AND NOT TARGET GTest::gtest_main)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory("${ZYNTOC_GTEST_SOURCE_DIR}" "${CMAKE_CURRENT_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
  if(NOT TARGET GTest::gtest_main)
    add_library(GTest::gtest_main ALIAS gtest_main)
  endif()
endif()

# The tool's header-only libraries (CLI11, nlohmann-json) come, in a cross build, from a folder
# that holds only their headers: the host's /usr/include would bring the host's C library along.
if(PROJECT_IS_TOP_LEVEL AND ZYNTOC_HOST_HEADERS)
  foreach(target IN ITEMS CLI11::CLI11 nlohmann_json::nlohmann_json)
    if(NOT TARGET ${target})
      add_library(${target} INTERFACE IMPORTED)
      set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES "${ZYNTOC_HOST_HEADERS}")
    endif()
  endforeach()
endif()

# The library as others use it: the zyntoc::zyntoc target (also for add_subdirectory
# users), the versioned shared library and, with ZYNTOC_INSTALL, its install rules:
# `cmake --install` puts the library, the public headers (under include/zyntoc/, still
# included by their bare names), the CMake package and zyntoc.pc under the chosen prefix.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

add_library(zyntoc::zyntoc ALIAS zyntoc)
# SOVERSION changes whenever an exported class layout or signature changes.
set_target_properties(zyntoc PROPERTIES VERSION ${PROJECT_VERSION} SOVERSION 1)

option(ZYNTOC_INSTALL "Add the install rules of zyntoc" ${PROJECT_IS_TOP_LEVEL})
if(NOT ZYNTOC_INSTALL)
  return()
endif()

set(ZYNTOC_INSTALL_INCLUDEDIR "${CMAKE_INSTALL_INCLUDEDIR}/zyntoc")
set(ZYNTOC_INSTALL_CMAKEDIR "${CMAKE_INSTALL_LIBDIR}/cmake/zyntoc")

# Every header in include/ is public and installed; no other header is.
file(GLOB ZYNTOC_PUBLIC_HEADERS CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/include/*.h")
install(FILES ${ZYNTOC_PUBLIC_HEADERS} DESTINATION "${ZYNTOC_INSTALL_INCLUDEDIR}")

install(TARGETS zyntoc EXPORT zyntocTargets
  RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}"
  LIBRARY DESTINATION "${CMAKE_INSTALL_LIBDIR}"
  ARCHIVE DESTINATION "${CMAKE_INSTALL_LIBDIR}"
  INCLUDES DESTINATION "${ZYNTOC_INSTALL_INCLUDEDIR}")
install(EXPORT zyntocTargets NAMESPACE zyntoc:: DESTINATION "${ZYNTOC_INSTALL_CMAKEDIR}")
if(MINGW)
  # The .def file the Windows build writes beside the DLL, for front ends built with other compilers.
  install(FILES "${CMAKE_CURRENT_BINARY_DIR}/zyntoc.def" DESTINATION "${CMAKE_INSTALL_LIBDIR}" OPTIONAL)
endif()

configure_package_config_file("${CMAKE_CURRENT_LIST_DIR}/zyntocConfig.cmake.in"
  "${CMAKE_CURRENT_BINARY_DIR}/zyntocConfig.cmake"
  INSTALL_DESTINATION "${ZYNTOC_INSTALL_CMAKEDIR}")
write_basic_package_version_file("${CMAKE_CURRENT_BINARY_DIR}/zyntocConfigVersion.cmake"
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES "${CMAKE_CURRENT_BINARY_DIR}/zyntocConfig.cmake"
              "${CMAKE_CURRENT_BINARY_DIR}/zyntocConfigVersion.cmake"
        DESTINATION "${ZYNTOC_INSTALL_CMAKEDIR}")

# The prefix is known only when installing (`cmake --install --prefix`, the Debian package's
# /usr), so zyntoc.pc gets its prefix line then, ahead of the rest made here. A Windows zip
# is unpacked anywhere: there the prefix is found from the file's own place.
configure_file("${CMAKE_CURRENT_LIST_DIR}/zyntoc.pc.in" "${CMAKE_CURRENT_BINARY_DIR}/zyntoc.pc.body" @ONLY)
if(WIN32)
  file(RELATIVE_PATH zyntoc_pc_to_prefix "/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/")
  string(REGEX REPLACE "/$" "" zyntoc_pc_to_prefix "${zyntoc_pc_to_prefix}")
  set(zyntoc_pc_prefix "\\\${pcfiledir}/${zyntoc_pc_to_prefix}")
else()
  set(zyntoc_pc_prefix "\${CMAKE_INSTALL_PREFIX}")
endif()
install(CODE "
  file(READ \"${CMAKE_CURRENT_BINARY_DIR}/zyntoc.pc.body\" body)
  file(WRITE \"${CMAKE_CURRENT_BINARY_DIR}/zyntoc.pc\" \"prefix=${zyntoc_pc_prefix}\\n\${body}\")")
install(FILES "${CMAKE_CURRENT_BINARY_DIR}/zyntoc.pc" DESTINATION "${CMAKE_INSTALL_LIBDIR}/pkgconfig")

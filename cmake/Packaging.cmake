# What the top-level build adds to the library's install rules: the zyntoc tool with its
# manual page, and packages made by CPack (`cpack -G DEB` on Linux, `cpack -G ZIP` for Windows).
if(NOT ZYNTOC_INSTALL)
  return()
endif()

if(TARGET zyntoc-cli)
  # The installed tool finds the library installed beside it, wherever the prefix is.
  if(NOT WIN32)
    file(RELATIVE_PATH zyntoc_bin_to_lib "/${CMAKE_INSTALL_BINDIR}" "/${CMAKE_INSTALL_LIBDIR}")
    set_target_properties(zyntoc-cli PROPERTIES INSTALL_RPATH "$ORIGIN/${zyntoc_bin_to_lib}")
  endif()
  install(TARGETS zyntoc-cli RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
  include("${CMAKE_CURRENT_LIST_DIR}/ManPage.cmake")
endif()

set(CPACK_PACKAGE_NAME zyntoc)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "zyntoc maintainers")
set(CPACK_PACKAGE_CONTACT "zyntoc maintainers <maintainers@zyntoc.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "reads and reasons about the TOC catalogues of a software installer")
set(CPACK_PACKAGE_DESCRIPTION
  "zyntoc reads the TOC catalogues of installation media and installations\n"
  "and answers an installer's questions: what a medium offers that is not\n"
  "installed, what must be installed with a selection and the space it needs,\n"
  "what must be removed with a set of installed units, whether a medium's\n"
  "levels fit the installation and whether the installed catalogue is\n"
  "consistent. This package holds the shared library with its C++ and C\n"
  "headers, CMake package and pkg-config file, and the zyntoc command-line\n"
  "tool with its manual page.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})

if(WIN32)
  set(CPACK_GENERATOR ZIP)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION libs)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
  # Installed with DESTDIR, so that zyntoc.pc names the package's prefix (/usr).
  set(CPACK_SET_DESTDIR ON)
  set(CPACK_INSTALL_PREFIX /usr)
endif()
include(CPack)

# The project's version comes from the public header ZYNINSVersion.h, so the header, the
# CMake package, the pkg-config file, the packages and `zyntoc --version` cannot disagree.
# Included before project(); sets ZYNTOC_VERSION ("MAJOR.MINOR.PATCH").
set(zyntoc_version_header "${CMAKE_CURRENT_LIST_DIR}/../include/ZYNINSVersion.h")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${zyntoc_version_header}")
file(STRINGS "${zyntoc_version_header}" zyntoc_version_lines
     REGEX "^#define ZYNTOC_VERSION_(MAJOR|MINOR|PATCH|STRING) ")
set(zyntoc_version_parts)
foreach(part MAJOR MINOR PATCH)
  if(NOT zyntoc_version_lines MATCHES "ZYNTOC_VERSION_${part} ([0-9]+)")
    message(FATAL_ERROR "ZYNINSVersion.h: ZYNTOC_VERSION_${part} is missing")
  endif()
  list(APPEND zyntoc_version_parts "${CMAKE_MATCH_1}")
endforeach()
list(JOIN zyntoc_version_parts "." ZYNTOC_VERSION)
if(NOT zyntoc_version_lines MATCHES "ZYNTOC_VERSION_STRING \"${ZYNTOC_VERSION}\"")
  message(FATAL_ERROR "ZYNINSVersion.h: ZYNTOC_VERSION_STRING does not say ${ZYNTOC_VERSION}")
endif()

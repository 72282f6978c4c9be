# The manual page zyntoc(1). man/zyntoc.1.scd holds the written parts; its COMMANDS section
# is made at build time from the tool's own --help, so it lists every subcommand and option
# the tool has. scdoc turns the page into roff.
if(CMAKE_CROSSCOMPILING)
  return()
endif()
find_program(ZYNTOC_SCDOC scdoc)
if(NOT ZYNTOC_SCDOC)
  message(WARNING "scdoc not found (Debian: apt-get install scdoc): the manual page is not built")
  return()
endif()

set(zyntoc_man_source "${CMAKE_CURRENT_SOURCE_DIR}/man/zyntoc.1.scd")
set(zyntoc_man_page "${CMAKE_CURRENT_BINARY_DIR}/man/zyntoc.1")
file(MAKE_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}/man")
add_custom_command(OUTPUT "${zyntoc_man_page}"
  COMMAND sh "${CMAKE_CURRENT_SOURCE_DIR}/man/build-man-page.sh" $<TARGET_FILE:zyntoc-cli>
          "${ZYNTOC_SCDOC}" "${zyntoc_man_source}" "${zyntoc_man_page}"
  DEPENDS zyntoc-cli "${zyntoc_man_source}" "${CMAKE_CURRENT_SOURCE_DIR}/man/build-man-page.sh"
  COMMENT "Writing the manual page zyntoc(1)"
  VERBATIM)
add_custom_target(zyntoc-man ALL DEPENDS "${zyntoc_man_page}")
install(FILES "${zyntoc_man_page}" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")

# The zip for Windows users (`cpack -G ZIP` in the Windows build): orvo-cli.exe, its manual page
# as text and the README's section "On Windows".
set(_manual ${CMAKE_BINARY_DIR}/orvo-cli.txt)
configure_file(${PROJECT_SOURCE_DIR}/packaging/man/orvo-cli.1 ${CMAKE_BINARY_DIR}/orvo-cli.1 @ONLY)
add_custom_command(OUTPUT ${_manual}
  COMMAND sh -c "groff -t -man -Tascii -P-cbou orvo-cli.1 > orvo-cli.txt"
  DEPENDS ${CMAKE_BINARY_DIR}/orvo-cli.1 WORKING_DIRECTORY ${CMAKE_BINARY_DIR} VERBATIM)
add_custom_target(orvo_windows_manual ALL DEPENDS ${_manual})

set(_readme ${PROJECT_SOURCE_DIR}/README.md)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_readme})
file(READ ${_readme} _text)
string(FIND "${_text}" "\n## On Windows\n" _start)
if(_start LESS 0)
  message(FATAL_ERROR "README.md has no section \"## On Windows\"")
endif()
math(EXPR _start "${_start} + 1")
string(SUBSTRING "${_text}" ${_start} -1 _text)
string(FIND "${_text}" "\n## " _end)
string(SUBSTRING "${_text}" 0 ${_end} _text)
file(WRITE ${CMAKE_BINARY_DIR}/README-Windows.txt "${_text}\n")

install(TARGETS orvo-cli RUNTIME DESTINATION .)
install(FILES ${_manual} ${CMAKE_BINARY_DIR}/README-Windows.txt DESTINATION .)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME orvo-cli)
set(CPACK_PACKAGE_FILE_NAME orvo-cli-${PROJECT_VERSION}-windows-x64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)

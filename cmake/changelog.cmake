# SPDX-License-Identifier: MIT
# pkg/changelog, in Debian's format: its newest entry is of this version and
# dates the packages (BYTECOPY_EPOCH), and the RPM's changelog is made of it.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/pkg/changelog)
file(READ ${CMAKE_SOURCE_DIR}/pkg/changelog changelog)
if(NOT changelog MATCHES "^bytecopy \\(${PROJECT_VERSION}\\)")
	message(FATAL_ERROR "pkg/changelog's newest entry is not of version ${PROJECT_VERSION}")
endif()
string(REGEX MATCH "\n -- [^\n]*>  ([^\n]+)" entry "${changelog}")
execute_process(COMMAND date -d "${CMAKE_MATCH_1}" +%s
	OUTPUT_VARIABLE BYTECOPY_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND awk -f ${CMAKE_SOURCE_DIR}/cmake/rpm-changelog.awk ${CMAKE_SOURCE_DIR}/pkg/changelog
	OUTPUT_FILE ${CMAKE_BINARY_DIR}/rpm-changelog COMMAND_ERROR_IS_FATAL ANY)

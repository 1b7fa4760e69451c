# SPDX-License-Identifier: MIT
# pkg/changelog, in Debian's format, is the release's one record: its newest
# entry gives the date that the packages are stamped with, and the RPM's
# changelog is made from it. Entries signed by the project's placeholder
# maintainer are signed by BYTECOPY_MAINTAINER instead.
# Sets BYTECOPY_EPOCH, and writes the changelog and rpm-changelog into the
# build folder.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/pkg/changelog)
file(READ ${CMAKE_SOURCE_DIR}/pkg/changelog changelog)
string(REPLACE "${BYTECOPY_PLACEHOLDER}" "${BYTECOPY_MAINTAINER}" changelog "${changelog}")
file(WRITE ${CMAKE_BINARY_DIR}/changelog "${changelog}")

string(REGEX MATCH "\n -- [^\n]*>  ([^\n]+)" entry "${changelog}")
execute_process(COMMAND date -d "${CMAKE_MATCH_1}" +%s
	OUTPUT_VARIABLE BYTECOPY_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND awk -f ${CMAKE_SOURCE_DIR}/cmake/rpm-changelog.awk ${CMAKE_BINARY_DIR}/changelog
	OUTPUT_FILE ${CMAKE_BINARY_DIR}/rpm-changelog COMMAND_ERROR_IS_FATAL ANY)

if(DEFINED ENV{SOURCE_DATE_EPOCH})
	message(STATUS "bytecopy: packages dated $ENV{SOURCE_DATE_EPOCH}, from SOURCE_DATE_EPOCH")
else()
	message(STATUS "bytecopy: packages dated ${BYTECOPY_EPOCH}, from the newest entry of pkg/changelog")
endif()

# SPDX-License-Identifier: MIT
# Configure fails where the version and date disagree; the changelog's date,
# or SOURCE_DATE_EPOCH, dates the artifacts (BYTECOPY_EPOCH).
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS pkg/debian/changelog man/bytecopy.1)
file(STRINGS pkg/debian/changelog entry LIMIT_COUNT 1)
file(STRINGS pkg/debian/changelog date REGEX "^ -- " LIMIT_COUNT 1)
file(STRINGS man/bytecopy.1 manual REGEX "^\\.Dd ")
string(REGEX REPLACE ".*>  " "" date "${date}")
execute_process(COMMAND date -u -d "${date}" "+%s;.Dd %B %-d, %Y" OUTPUT_VARIABLE date
	OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
list(GET date 0 BYTECOPY_EPOCH)
list(GET date 1 day)
if(NOT entry MATCHES "^bytecopy \\(${PROJECT_VERSION}-" OR NOT manual STREQUAL day)
	message(FATAL_ERROR "not ${PROJECT_VERSION} of ${day}: ${entry}; ${manual}")
endif()
if(DEFINED ENV{SOURCE_DATE_EPOCH})
	set(BYTECOPY_EPOCH $ENV{SOURCE_DATE_EPOCH})
endif()

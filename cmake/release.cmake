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
	string(REGEX REPLACE "\\).*" ")" entry "${entry}")
	message(FATAL_ERROR "CMakeLists.txt has version ${PROJECT_VERSION}; the newest entry of "
		"pkg/debian/changelog is ${entry}, whose date wants \"${day}\" in man/bytecopy.1, "
		"which has \"${manual}\": they must agree")
endif()
# Read here, when the build is configured; empty is unset.
set(epoch "$ENV{SOURCE_DATE_EPOCH}")
if(NOT epoch STREQUAL "")
	if(NOT epoch MATCHES "^[0-9]+$")
		message(FATAL_ERROR "SOURCE_DATE_EPOCH is \"${epoch}\", not a whole number of seconds")
	endif()
	set(BYTECOPY_EPOCH ${epoch})
endif()

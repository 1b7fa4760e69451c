# SPDX-License-Identifier: MIT
# The release's version and date stand where formats demand them: here
# (project), in pkg/debian/changelog, the RPM spec and the manual page.
# Configure fails where they disagree, and dates the release's artifacts
# (BYTECOPY_EPOCH) by the changelog's newest entry unless SOURCE_DATE_EPOCH
# is set.
foreach(file pkg/debian/changelog pkg/bytecopy.spec man/bytecopy.1)
	set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${file})
endforeach()
file(STRINGS pkg/debian/changelog entry LIMIT_COUNT 1)
file(STRINGS pkg/debian/changelog trailer REGEX "^ -- " LIMIT_COUNT 1)
file(STRINGS pkg/bytecopy.spec spec REGEX "^Version:")
file(STRINGS man/bytecopy.1 manual REGEX "^\\.Dd ")
string(REGEX REPLACE ".*>  " "" date "${trailer}")
execute_process(COMMAND date -u -d "${date}" "+%s;%B %-d, %Y" OUTPUT_VARIABLE date
	OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
list(GET date 0 BYTECOPY_EPOCH)
list(GET date 1 day)
if(NOT entry MATCHES "^bytecopy \\(${PROJECT_VERSION}-[0-9]+\\) "
		OR NOT spec STREQUAL "Version: ${PROJECT_VERSION}" OR NOT manual STREQUAL ".Dd ${day}")
	message(FATAL_ERROR "version ${PROJECT_VERSION} and date ${day} disagree: "
		"pkg/debian/changelog says \"${entry}\", pkg/bytecopy.spec \"${spec}\", "
		"man/bytecopy.1 \"${manual}\"")
endif()
if(DEFINED ENV{SOURCE_DATE_EPOCH})
	set(BYTECOPY_EPOCH $ENV{SOURCE_DATE_EPOCH})
endif()

# SPDX-License-Identifier: MIT
# Packages take their file times from SOURCE_DATE_EPOCH. Unless the builder
# sets it, it is the last commit's time, so that two builds of one commit
# agree without anybody setting anything.
execute_process(COMMAND git -C ${CMAKE_SOURCE_DIR} log -1 --format=%ct
	OUTPUT_VARIABLE commit_epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
file(WRITE ${CMAKE_BINARY_DIR}/CPackEpoch.cmake
"if(NOT DEFINED ENV{SOURCE_DATE_EPOCH} AND NOT \"${commit_epoch}\" STREQUAL \"\")
	set(ENV{SOURCE_DATE_EPOCH} ${commit_epoch})
endif()
")

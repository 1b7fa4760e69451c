# SPDX-License-Identifier: MIT
# The release's artifacts, as the README lists them: packages makes them all.
set(dist bytecopy-${PROJECT_VERSION})
add_custom_target(packages
	COMMAND ${CMAKE_SOURCE_DIR}/pkg/packages ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR} ${BYTECOPY_EPOCH}
	VERBATIM USES_TERMINAL)
if(EXISTS ${CMAKE_SOURCE_DIR}/.git)
	add_custom_target(dist
		COMMAND git -C ${CMAKE_SOURCE_DIR} -c tar.umask=022 archive --prefix=${dist}/
			-o ${CMAKE_BINARY_DIR}/${dist}.tar HEAD
		COMMAND gzip -9nf ${CMAKE_BINARY_DIR}/${dist}.tar VERBATIM)
	add_dependencies(packages dist)
endif()
if(BYTECOPY_TRIPLET)
	add_custom_target(archive
		COMMAND ${CMAKE_SOURCE_DIR}/pkg/archive
			${CMAKE_BINARY_DIR}/${dist}-${BYTECOPY_TRIPLET} ${BYTECOPY_EPOCH}
			${CMAKE_STRIP} $<TARGET_FILE:bytecopy> ${CMAKE_SOURCE_DIR}/man/bytecopy.1
			${CMAKE_SOURCE_DIR}/LICENSE ${CMAKE_SOURCE_DIR}/README.md
		DEPENDS bytecopy VERBATIM)
	add_dependencies(packages archive)
endif()

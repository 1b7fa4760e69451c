# SPDX-License-Identifier: MIT
# The release's artifacts, as the README lists them: dist makes the source
# tarball alone, packages all of them from one copy of the tree.
set(dist bytecopy-${PROJECT_VERSION})
set(packages ${CMAKE_SOURCE_DIR}/pkg/packages)
set(tree ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR} ${BYTECOPY_EPOCH} ${PROJECT_VERSION})
add_custom_target(dist COMMAND ${packages} dist ${tree} VERBATIM)
set(archive)
if(BYTECOPY_TRIPLET)
	set(archive ${CMAKE_BINARY_DIR}/${dist}-${BYTECOPY_TRIPLET})
	add_custom_target(archive
		COMMAND ${CMAKE_SOURCE_DIR}/pkg/archive ${archive} ${BYTECOPY_EPOCH}
			${CMAKE_STRIP} $<TARGET_FILE:bytecopy> ${CMAKE_SOURCE_DIR}/man/bytecopy.1
			${CMAKE_SOURCE_DIR}/LICENSE ${CMAKE_SOURCE_DIR}/README.md
		DEPENDS bytecopy VERBATIM)
	set(archive ${archive}.tar.gz)
endif()
add_custom_target(packages COMMAND ${packages} all ${tree} ${archive} VERBATIM USES_TERMINAL)
if(BYTECOPY_TRIPLET)
	add_dependencies(packages archive)
endif()

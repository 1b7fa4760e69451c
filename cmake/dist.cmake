# SPDX-License-Identifier: MIT
# The release tarball, bytecopy-VERSION.tar.gz: the last commit's files under
# one folder, 0644 and 0755 under any umask, with the commit's time on each,
# so that the same commit gives the same bytes.
set(dist bytecopy-${PROJECT_VERSION})
if(EXISTS ${CMAKE_SOURCE_DIR}/.git)
	add_custom_target(dist
		COMMAND git -C ${CMAKE_SOURCE_DIR} -c tar.umask=022 archive --prefix=${dist}/
			-o ${CMAKE_BINARY_DIR}/${dist}.tar HEAD
		COMMAND gzip -9nf ${CMAKE_BINARY_DIR}/${dist}.tar
		COMMENT "Writing ${dist}.tar.gz from the last commit" VERBATIM)
else()
	add_custom_target(dist COMMAND sh -c "echo 'dist: the release tarball is made from a git checkout' >&2; exit 1")
endif()

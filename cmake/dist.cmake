# SPDX-License-Identifier: MIT
# The release tarball, bytecopy-VERSION.tar.gz: the last commit's files under
# one folder, with the commit's time on each, so that the same commit gives
# the same bytes. It takes a git checkout.
set(dist bytecopy-${PROJECT_VERSION})
add_custom_target(dist
	COMMAND git -C ${CMAKE_SOURCE_DIR} archive --format=tar --prefix=${dist}/
		-o ${CMAKE_BINARY_DIR}/${dist}.tar HEAD
	COMMAND gzip -9nf ${CMAKE_BINARY_DIR}/${dist}.tar
	COMMENT "Writing ${dist}.tar.gz from the last commit"
	VERBATIM)

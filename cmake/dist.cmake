# SPDX-License-Identifier: MIT
# In a git checkout, the release tarball: the last commit's files, 0644 and
# 0755 under any umask, dated by the commit, the same bytes for one commit.
set(dist bytecopy-${PROJECT_VERSION})
if(EXISTS ${CMAKE_SOURCE_DIR}/.git)
	add_custom_target(dist
		COMMAND git -C ${CMAKE_SOURCE_DIR} -c tar.umask=022 archive --prefix=${dist}/
			-o ${CMAKE_BINARY_DIR}/${dist}.tar HEAD
		COMMAND gzip -9nf ${CMAKE_BINARY_DIR}/${dist}.tar VERBATIM)
endif()

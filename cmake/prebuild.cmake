# SPDX-License-Identifier: MIT
# Run by CPack on the staged tree just before it is packed: the command loses
# the sections that only say how it was built, the Debian package gets its
# lintian override, and neither the builder's umask nor the build's time
# shows in the package.
set(staged ${CPACK_TEMPORARY_INSTALL_DIRECTORY})
file(GLOB_RECURSE commands ${staged}/*/bin/bytecopy)
foreach(command ${commands})
	execute_process(COMMAND ${CPACK_BYTECOPY_STRIP} --remove-section=.comment
		--remove-section=.note ${command} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
if(CPACK_GENERATOR STREQUAL DEB AND CPACK_BYTECOPY_LINTIAN_OVERRIDES)
	set(overrides ${staged}${CPACK_PACKAGING_INSTALL_PREFIX}/share/lintian/overrides)
	file(MAKE_DIRECTORY ${overrides})
	file(COPY_FILE ${CPACK_BYTECOPY_LINTIAN_OVERRIDES} ${overrides}/bytecopy)
endif()
# Every file is dated as the release (rpmbuild would only clamp the later
# ones), and opened to everyone as the umask did not.
execute_process(COMMAND chmod -R u=rwX,go=rX ${staged} COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND find ${staged} -exec touch -h -d @$ENV{SOURCE_DATE_EPOCH} {} +
	COMMAND_ERROR_IS_FATAL ANY)

# SPDX-License-Identifier: MIT
# Run by CPack on the staged tree just before it is packed: the modes do not
# depend on the builder's umask, the command loses the sections that only
# say how it was built, and the Debian package gets its lintian override.
execute_process(COMMAND chmod -R u=rwX,go=rX ${CPACK_TEMPORARY_INSTALL_DIRECTORY}
	COMMAND_ERROR_IS_FATAL ANY)
file(GLOB_RECURSE commands ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/bin/bytecopy)
foreach(command ${commands})
	execute_process(COMMAND ${CPACK_BYTECOPY_STRIP} --remove-section=.comment
		--remove-section=.note ${command} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
if(CPACK_GENERATOR STREQUAL DEB AND CPACK_BYTECOPY_LINTIAN_OVERRIDES)
	set(overrides ${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/share/lintian/overrides)
	file(MAKE_DIRECTORY ${overrides})
	file(COPY_FILE ${CPACK_BYTECOPY_LINTIAN_OVERRIDES} ${overrides}/bytecopy)
	file(CHMOD ${overrides} ${overrides}/.. DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
		GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
	file(CHMOD ${overrides}/bytecopy PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endif()

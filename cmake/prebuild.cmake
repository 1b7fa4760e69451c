# SPDX-License-Identifier: MIT
# Run by CPack on the staged tree just before it is packed: the modes do not
# depend on the builder's umask, and the command loses the sections that only
# say how it was built.
execute_process(COMMAND chmod -R u=rwX,go=rX ${CPACK_TEMPORARY_INSTALL_DIRECTORY}
	COMMAND_ERROR_IS_FATAL ANY)
file(GLOB_RECURSE commands ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/bin/bytecopy)
foreach(command ${commands})
	execute_process(COMMAND ${CPACK_BYTECOPY_STRIP} --remove-section=.comment
		--remove-section=.note ${command} COMMAND_ERROR_IS_FATAL ANY)
endforeach()

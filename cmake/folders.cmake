# SPDX-License-Identifier: MIT
# mkdir follows the umask whatever mode CMake asks for: the install makes
# the folders it needs first, 0755, where CMake's own rules put them. A
# path is never a list here, since a prefix may hold a semicolon.
install(CODE "get_filename_component(prefix \"\${CMAKE_INSTALL_PREFIX}\" ABSOLUTE)
foreach(folder ${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_MANDIR}/man1)
	get_filename_component(folder \"\${folder}\" ABSOLUTE BASE_DIR \"\${prefix}\")
	set(path \"\$ENV{DESTDIR}\${folder}\")
	set(top \"\${path}\")
	while(NOT top STREQUAL \"\" AND NOT EXISTS \"\${top}\")
		get_filename_component(top \"\${top}\" DIRECTORY)
	endwhile()
	execute_process(COMMAND mkdir -p -- \"\${path}\" RESULT_VARIABLE failed ERROR_VARIABLE why)
	if(failed)
		message(FATAL_ERROR \"\${why}\")
	endif()
	while(NOT path STREQUAL top)
		file(CHMOD \"\${path}\" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
			GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
		get_filename_component(path \"\${path}\" DIRECTORY)
	endwhile()
endforeach()")

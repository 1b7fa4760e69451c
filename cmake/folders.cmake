# SPDX-License-Identifier: MIT
# mkdir follows the installer's umask whatever mode CMake asks for, so under
# umask 077 the folders that an install makes would be closed to everyone
# else. The install notes which folders it is about to make, and opens just
# those (0755) once everything is in place; folders that were there before
# keep their modes.
set(folders ${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_MANDIR}/man1 ${CMAKE_INSTALL_DOCDIR})
install(CODE "set(bytecopy_folders ${folders})
	set(bytecopy_made)
	foreach(folder IN LISTS bytecopy_folders)
		set(path \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${folder}\")
		set(top)
		while(NOT EXISTS \"\${path}\")
			set(top \"\${path}\")
			get_filename_component(path \"\${path}\" DIRECTORY)
		endwhile()
		list(APPEND bytecopy_made \${top})
	endforeach()")
cmake_language(DEFER CALL install CODE [[
	foreach(top IN LISTS bytecopy_made)
		file(CHMOD_RECURSE "${top}" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
			GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
	endforeach()]])

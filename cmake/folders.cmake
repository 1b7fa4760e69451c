# SPDX-License-Identifier: MIT
# mkdir follows the umask whatever mode CMake asks for: the install makes
# the folders it needs first and opens those alone (0755).
install(CODE "foreach(folder ${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_MANDIR}/man1)
	if(NOT IS_ABSOLUTE \"\${folder}\")
		set(folder \"\${CMAKE_INSTALL_PREFIX}/\${folder}\")
	endif()
	set(path \"\$ENV{DESTDIR}\${folder}\")
	set(new)
	while(NOT EXISTS \"\${path}\")
		list(APPEND new \"\${path}\")
		get_filename_component(path \"\${path}\" DIRECTORY)
	endwhile()
	if(new)
		file(MAKE_DIRECTORY \${new})
		file(CHMOD \${new} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
			GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
	endif()
endforeach()")

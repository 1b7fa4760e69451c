# SPDX-License-Identifier: MIT
# mkdir follows the installer's umask whatever mode CMake asks for, so under
# umask 077 an install's new folders would be closed to everyone else. The
# install makes the folders it needs first and opens just those (0755);
# folders that were there before keep their modes.
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

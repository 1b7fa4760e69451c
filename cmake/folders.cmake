# SPDX-License-Identifier: MIT
# mkdir follows the umask whatever mode CMake asks for: the install makes
# the folders it needs first, 0755, where CMake's own rules put them.
install(CODE "get_filename_component(prefix \"\${CMAKE_INSTALL_PREFIX}\" ABSOLUTE)
foreach(folder ${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_MANDIR}/man1)
	get_filename_component(folder \"\${folder}\" ABSOLUTE BASE_DIR \"\${prefix}\")
	set(path \"\$ENV{DESTDIR}\${folder}\")
	set(new)
	while(path AND NOT EXISTS \"\${path}\")
		list(APPEND new \"\${path}\")
		get_filename_component(path \"\${path}\" DIRECTORY)
	endwhile()
	if(new)
		file(MAKE_DIRECTORY \${new})
		file(CHMOD \${new} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
			GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
	endif()
endforeach()")

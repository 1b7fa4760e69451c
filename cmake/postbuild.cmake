# SPDX-License-Identifier: MIT
# Run by CPack on each package it made. The members of a .deb's ar archive
# carry the modes of the files CPack wrote them from, which follow the
# builder's umask; they are set to 0644 here, so that the same commit gives
# the same package under any umask.
foreach(package ${CPACK_PACKAGE_FILES})
	if(NOT package MATCHES "\\.deb$")
		continue()
	endif()
	file(SIZE ${package} end)
	set(header 8) # past "!<arch>\n"
	while(header LESS end)
		math(EXPR mode "${header} + 40")
		math(EXPR size "${header} + 48")
		file(READ ${package} size OFFSET ${size} LIMIT 10)
		execute_process(COMMAND printf "100644  "
			COMMAND dd of=${package} bs=1 seek=${mode} conv=notrunc status=none
			COMMAND_ERROR_IS_FATAL ANY)
		string(STRIP "${size}" size)
		math(EXPR header "${header} + 60 + ${size} + ${size} % 2")
	endwhile()
endforeach()
